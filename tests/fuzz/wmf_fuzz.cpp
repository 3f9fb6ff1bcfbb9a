// Metafile drawing of any bytes, in process: an image within the bound or IoError.
#include "fuzzfiles.h"

#include "readers/picturelimit.h"
#include "wmfdraw/wmfdecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    try {
        const QImage image = drawmetafile(fuzzbytes(data, size), QStringLiteral("fuzz.wmf"));
        if (image.sizeInBytes() > kMaxPictureBytes) std::abort();
    } catch (const std::exception&) {
    }
    return 0;
}
