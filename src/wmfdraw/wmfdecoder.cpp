#include "wmfdraw/wmfdecoder.h"

#include "readers/picturelimit.h"
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
#include <ctime>
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

// gd strokes a wide pen by stamping it at every point of the path, so a stroke costs
// its pen's area times its length. A damaged file can ask for a pen of 65534 units
// on a path thousands of pixels long, or for thousands of such paths.
constexpr double kMaxStrokeWork = 2e7;     // pixels stamped by one stroke
constexpr double kDrawBudgetSeconds = 0.8; // processor time for the whole picture

struct Guard {
    double pixelsperunit = 1;
    double widest = 0; // the frame's larger side, in the drawing's units
    std::clock_t start = 0;
    bool spent = false;

    bool overbudget() {
        if (!spent && double(std::clock() - start) > kDrawBudgetSeconds * CLOCKS_PER_SEC)
            spent = true;
        return spent;
    }
} guard;

double span(const wmfD_Coord& a, const wmfD_Coord& b) {
    return std::abs(double(a.x) - b.x) + std::abs(double(a.y) - b.y);
}
double pathlength(const wmfD_Coord* pt, unsigned count) {
    double length = 0;
    for (unsigned i = 1; pt && i < count; ++i)
        length += span(pt[i - 1], pt[i]);
    return length;
}
// Points a stroke stamps its pen at, in the drawing's units: gd steps arcs a degree at
// a time, whatever their size, and stamps every pixel of every other path.
struct Stroke {
    double length;
    double minstamps;
};
Stroke stroke(const wmfDrawArc_t* a) {
    return {2 * span(a->TL, a->BR), 360};
}
Stroke stroke(const wmfDrawRectangle_t* r) {
    return {2 * span(r->TL, r->BR), 4};
}
Stroke stroke(const wmfDrawLine_t* l) {
    return {span(l->from, l->to), 1};
}
Stroke stroke(const wmfPolyLine_t* p) {
    return {pathlength(p->pt, p->count), double(p->count)};
}
Stroke stroke(const wmfPolyPoly_t* p) {
    Stroke s{0, 0};
    for (unsigned i = 0; p->pt && p->count && i < p->npoly; ++i) {
        s.length += pathlength(p->pt[i], p->count[i]);
        s.minstamps += p->count[i];
    }
    return s;
}

// Holds the pen to the frame's size and to what one stroke of this length may cost.
void clamppen(wmfDC* dc, Stroke s) {
    wmfPen* pen = dc ? dc->pen : nullptr;
    if (!pen) return;
    double pixels = std::max(s.length * guard.pixelsperunit, s.minstamps);
    if (!(pixels >= 1)) pixels = 1;
    const double limit =
        std::min(guard.widest, std::sqrt(kMaxStrokeWork / pixels) / guard.pixelsperunit);
    if (!(pen->width <= limit)) pen->width = limit;
    if (!(pen->height <= limit)) pen->height = limit;
}

// Every drawing call: nothing more once the budget is spent, pens clamped, text no
// taller than the frame.
template <auto Slot> struct Guarded;
template <typename Arg, void (*wmfFunctionReference::*Slot)(wmfAPI*, Arg*)> struct Guarded<Slot> {
    static void draw(wmfAPI* api, Arg* arg) {
        if (guard.overbudget()) return;
        if constexpr (requires { stroke(arg); }) clamppen(arg->dc, stroke(arg));
        if constexpr (requires { arg->font_height; }) {
            if (!(arg->font_height <= guard.widest)) arg->font_height = guard.widest;
        }
        (gdfunctions.*Slot)(api, arg);
    }
};

// libwmf's gd output leaves ellipses unfilled; a full pie drawn with the brush alone
// fills them before the outline is drawn.
void filledellipse(wmfAPI* api, wmfDrawArc_t* arc) {
    if (guard.overbudget()) return;
    clamppen(arc->dc, stroke(arc));
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
    using F = wmfFunctionReference;
    gdfunctions = *f;
    f->draw_ellipse = filledellipse;
    f->flood_interior = Guarded<&F::flood_interior>::draw;
    f->flood_exterior = Guarded<&F::flood_exterior>::draw;
    f->draw_pixel = Guarded<&F::draw_pixel>::draw;
    f->draw_pie = Guarded<&F::draw_pie>::draw;
    f->draw_chord = Guarded<&F::draw_chord>::draw;
    f->draw_arc = Guarded<&F::draw_arc>::draw;
    f->draw_line = Guarded<&F::draw_line>::draw;
    f->poly_line = Guarded<&F::poly_line>::draw;
    f->draw_polygon = Guarded<&F::draw_polygon>::draw;
    f->draw_polypolygon = Guarded<&F::draw_polypolygon>::draw;
    f->draw_rectangle = Guarded<&F::draw_rectangle>::draw;
    f->rop_draw = Guarded<&F::rop_draw>::draw;
    f->bmp_draw = Guarded<&F::bmp_draw>::draw;
    f->draw_text = Guarded<&F::draw_text>::draw;
    f->region_frame = Guarded<&F::region_frame>::draw;
    f->region_paint = Guarded<&F::region_paint>::draw;
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
    const double framewidth = std::abs(double(frame.BR.x) - frame.TL.x);
    guard.widest = std::max(framewidth, std::abs(double(frame.BR.y) - frame.TL.y));
    guard.pixelsperunit = framewidth > 0 ? width / framewidth : 1;
    guard.start = std::clock();
    guard.spent = false;

    wmf_gd_t* gd = WMF_GD_GetData(api);
    gd->type = wmf_gd_image;
    gd->width = width;
    gd->height = height;
    gd->bbox = frame;
    if (wmf_play(api, 0, &frame) != wmf_E_None || !gd->gd_image)
        fail(source, "the file is damaged");
    if (guard.spent) fail(source, "drawing it takes too long");
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
