// Bitmaps and the other pictures Qt's readers know, from any bytes. The first byte
// picks the kind, so both ways in are covered.
#include "fuzzfiles.h"

#include "readers/imageconvert.h"
#include "readers/picturelimit.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const PictureKind kind = data[0] & 1 ? PictureKind::Bitmap : PictureKind::Other;
    try {
        const QImage image =
            decodepicturebytes(fuzzbytes(data + 1, size - 1), kind, QStringLiteral("fuzz"));
        if (image.sizeInBytes() > kMaxPictureBytes) std::abort();
    } catch (const std::exception&) {
    }
    return 0;
}
