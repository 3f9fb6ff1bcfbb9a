#include "present/wmfdecoder.h"

#include "present/picturelimit.h"
#include "store/ioerror.h"

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

// gd's own drawing functions, called from the hooks below.
wmfFunctionReference gdfunctions{};

// A pen wider than the whole picture paints nothing more, but makes the renderer
// stamp its huge brush at every point: it is held at the frame's size.
double widestpen = 0;

void clamppen(wmfDC* dc) {
    wmfPen* pen = dc ? dc->pen : nullptr;
    if (!pen) return;
    if (!(pen->width <= widestpen)) pen->width = widestpen;
    if (!(pen->height <= widestpen)) pen->height = widestpen;
}

template <auto Slot> struct Clamped;
template <typename Arg, void (*wmfFunctionReference::*Slot)(wmfAPI*, Arg*)> struct Clamped<Slot> {
    static void draw(wmfAPI* api, Arg* arg) {
        clamppen(arg->dc);
        (gdfunctions.*Slot)(api, arg);
    }
};

// libwmf's gd output leaves ellipses unfilled; a full pie drawn with the brush alone
// fills them before the outline is drawn.
void filledellipse(wmfAPI* api, wmfDrawArc_t* arc) {
    clamppen(arc->dc);
    wmfPen* pen = arc->dc ? arc->dc->pen : nullptr;
    wmfBrush* brush = arc->dc ? arc->dc->brush : nullptr;
    constexpr U16 kNullBrush = 1, kNullPen = 5, kStyleMask = 0x0f;
    if (pen && brush && brush->lbStyle != kNullBrush) {
        wmfDrawArc_t pie = *arc;
        pie.start.x = pie.end.x = (arc->TL.x + arc->BR.x) / 2;
        pie.start.y = pie.end.y = arc->TL.y;
        const U16 style = pen->lopnStyle;
        pen->lopnStyle = static_cast<U16>((style & ~kStyleMask) | kNullPen);
        gdfunctions.draw_pie(api, &pie);
        pen->lopnStyle = style;
    }
    gdfunctions.draw_ellipse(api, arc);
}

void hookdrawing(wmfFunctionReference* f) {
    gdfunctions = *f;
    f->draw_ellipse = filledellipse;
    f->draw_pie = Clamped<&wmfFunctionReference::draw_pie>::draw;
    f->draw_chord = Clamped<&wmfFunctionReference::draw_chord>::draw;
    f->draw_arc = Clamped<&wmfFunctionReference::draw_arc>::draw;
    f->draw_line = Clamped<&wmfFunctionReference::draw_line>::draw;
    f->poly_line = Clamped<&wmfFunctionReference::poly_line>::draw;
    f->draw_polygon = Clamped<&wmfFunctionReference::draw_polygon>::draw;
    f->draw_polypolygon = Clamped<&wmfFunctionReference::draw_polypolygon>::draw;
    f->draw_rectangle = Clamped<&wmfFunctionReference::draw_rectangle>::draw;
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

    hookdrawing(static_cast<wmfFunctionReference*>(api->function_reference));

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
    widestpen = std::max(std::abs(frame.BR.x - frame.TL.x), std::abs(frame.BR.y - frame.TL.y));

    wmf_gd_t* gd = WMF_GD_GetData(api);
    gd->type = wmf_gd_image;
    gd->width = width;
    gd->height = height;
    gd->bbox = frame;
    if (wmf_play(api, 0, &frame) != wmf_E_None || !gd->gd_image)
        fail(source, "the file is damaged");
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
