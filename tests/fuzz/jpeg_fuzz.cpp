// JPEG decoding of any bytes: an image within the bound or IoError.
#include "fuzzfiles.h"

#include "readers/jpegdecoder.h"
#include "readers/picturelimit.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    try {
        const QImage image = decodejpeg(fuzzbytes(data, size), QStringLiteral("fuzz.jpg"));
        if (image.sizeInBytes() > kMaxPictureBytes) std::abort();
    } catch (const std::exception&) {
    }
    return 0;
}
