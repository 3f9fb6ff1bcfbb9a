#include "wmfdraw/wmfdecoder.h"

#include "readers/picturelimit.h"
#include "store/ioerror.h"
#include "wmfdraw/boundeddrawing.h"

#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <libwmf/ipa.h>
// libwmf's private image struct, needed to free the picture it never frees. Its
// macros clash with ordinary names, so this is the one file that includes it.
#include <libwmf/gd/gd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
constexpr double kPixelsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0; // libwmf's device units
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;

uint16_t word(const QByteArray& b, qsizetype at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
uint32_t dword(const QByteArray& b, qsizetype at) {
    return word(b, at) | uint32_t(word(b, at + 2)) << 16;
}

// libwmf sizes its buffers from the header's fields before it reads a record, so
// they are checked against the file first: a largest record bigger than the file
// cannot be, and would make it ask for gigabytes.
const char* headerfault(const QByteArray& b) {
    qsizetype at = 0;
    if (b.size() >= 4 && dword(b, 0) == kPlaceableKey) at = kPlaceableSize;
    if (b.size() < at + kHeaderSize) return "the file is too short";
    const uint16_t type = word(b, at);
    const uint16_t headerwords = word(b, at + 2);
    const uint32_t maxrecord = dword(b, at + 12);
    if ((type != 1 && type != 2) || headerwords != kHeaderSize / 2) return "not a metafile";
    if (maxrecord < 3 || qint64(maxrecord) * 2 > b.size() - at)
        return "its largest record is bigger than the file";
    return nullptr;
}

void freegdimage(void* image) {
    auto* im = static_cast<gdImagePtr>(image);
    if (!im) return;
    if (im->pixels) {
        for (int y = 0; y < im->sy; ++y)
            std::free(im->pixels[y]);
        std::free(im->pixels);
    }
    if (im->tpixels) {
        if (im->_tpixels)
            std::free(im->_tpixels);
        else
            for (int y = 0; y < im->sy; ++y)
                std::free(im->tpixels[y]);
        std::free(im->tpixels);
    }
    std::free(im->polyInts);
    std::free(im->style);
    if (im->clip) {
        std::free(im->clip->list);
        std::free(im->clip);
    }
    std::free(im);
}

class Api {
public:
    Api() {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) api_ = nullptr;
    }
    ~Api() {
        void* image = api_ ? WMF_GD_GetData(api_)->gd_image : nullptr;
        if (api_) wmf_api_destroy(api_);
        freegdimage(image);
    }
    Api(const Api&) = delete;
    Api& operator=(const Api&) = delete;
    wmfAPI* get() const { return api_; }

private:
    wmfAPI* api_ = nullptr;
};

[[noreturn]] void fail(const QString& source, const char* why) {
    throw IoError("Windows metafile " + source.toStdString() + " cannot be read: " + why);
}
} // namespace

QImage drawmetafile(const QByteArray& bytes, const QString& source) {
    if (bytes.isEmpty()) fail(source, "the file is empty");
    if (const char* fault = headerfault(bytes)) fail(source, fault);
    Api holder;
    wmfAPI* api = holder.get();
    if (!api) fail(source, "the metafile reader could not start");

    // libwmf reads from the buffer without writing to it.
    std::vector<unsigned char> data(bytes.begin(), bytes.end());
    if (wmf_mem_open(api, data.data(), long(data.size())) != wmf_E_None)
        fail(source, "not a metafile");
    wmfD_Rect frame;
    if (wmf_scan(api, 0, &frame) != wmf_E_None) fail(source, "the file is damaged");

    unsigned int width = 0, height = 0;
    const wmfPlaceableMetaHeader& header = api->PlaceableMetaHeader;
    if (api->File && api->File->placeable) {
        // The scan finds only what is drawn; the frame is what the file declares.
        if (header.Inch == 0 || header.Right <= header.Left || header.Bottom <= header.Top)
            fail(source, "its frame is empty");
        const double toPoints = kPointsPerInch / header.Inch;
        frame.TL.x = float(header.Left * toPoints);
        frame.TL.y = float(header.Top * toPoints);
        frame.BR.x = float(header.Right * toPoints);
        frame.BR.y = float(header.Bottom * toPoints);
    }
    if (wmf_display_size(api, &width, &height, kPixelsPerInch, kPixelsPerInch) != wmf_E_None)
        fail(source, "its size is unknown");
    if (width == 0 || height == 0) fail(source, "its frame is empty");
    checkpicturesize(width, height, source);
    const double framewidth = std::abs(double(frame.BR.x) - frame.TL.x);
    bounddrawing(static_cast<wmfFunctionReference*>(api->function_reference), frame,
                 framewidth > 0 ? width / framewidth : 1);

    wmf_gd_t* gd = WMF_GD_GetData(api);
    gd->type = wmf_gd_image;
    gd->width = width;
    gd->height = height;
    gd->bbox = frame;
    if (wmf_play(api, 0, &frame) != wmf_E_None || !gd->gd_image)
        fail(source, "the file is damaged");
    if (drawingspent()) fail(source, "drawing it takes too long");
    const int* pixels = wmf_gd_image_pixels(gd->gd_image);
    if (!pixels) fail(source, "nothing was drawn");

    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (unsigned int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (unsigned int x = 0; x < width; ++x)
            line[x] = 0xff000000u | (unsigned(pixels[size_t(y) * width + x]) & 0xffffffu);
    }
    return image;
}
