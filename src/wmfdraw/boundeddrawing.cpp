#include "wmfdraw/boundeddrawing.h"

#include "wmfdraw/shapeclip.h"

#include <libwmf/defs.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace {
// gd's own drawing functions, called from the hooks below.
wmfFunctionReference gdfunctions{};

// gd strokes a wide pen by stamping it at every point of the path, so a stroke costs
// its pen's area times its length. A damaged file can ask for a pen of 65534 units
// on a path thousands of pixels long, or for thousands of such paths.
constexpr double kMaxStrokeWork = 2e7;     // pixels stamped by one stroke
constexpr double kMaxTextWork = 2e7;       // glyph pixels rendered by one text
constexpr double kDrawBudgetSeconds = 0.8; // processor time for the whole picture
// gd fills a shape row by row over its whole extent, on the picture or not; a cut
// shape's sides lie this far outside the picture, where no pixel shows them.
constexpr double kMarginPixels = 2;

struct Guard {
    double pixelsperunit = 1;
    double widest = 0; // the frame's larger side, in the drawing's units
    ClipBox frame;     // the frame with its margin
    std::clock_t start = 0;
    bool spent = false;

    bool overbudget() {
        if (!spent && double(std::clock() - start) > kDrawBudgetSeconds * CLOCKS_PER_SEC)
            spent = true;
        return spent;
    }
} guard;

ClipPoint point(const wmfD_Coord& c) {
    return {c.x, c.y};
}
ClipBox boundsof(const wmfD_Coord& a, const wmfD_Coord& b) {
    return boxof(point(a), point(b));
}
ClipBox boundsof(const Ring& ring) {
    ClipBox box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    for (const ClipPoint& p : ring) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}
Ring ringof(const wmfD_Coord* pt, unsigned count) {
    Ring ring;
    for (unsigned i = 0; pt && i < count; ++i)
        ring.push_back({pt[i].x, pt[i].y});
    return ring;
}
wmfD_Coord clamped(wmfD_Coord c) {
    return {float(std::clamp(double(c.x), guard.frame.left, guard.frame.right)),
            float(std::clamp(double(c.y), guard.frame.top, guard.frame.bottom))};
}

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

bool fills(const wmfDC* dc) {
    return dc && dc->brush && dc->brush->lbStyle != BS_NULL;
}
bool strokes(const wmfDC* dc) {
    return dc && dc->pen && (dc->pen->lopnStyle & PS_STYLE_MASK) != PS_NULL;
}

// Runs `draw` with the pen (fill only) or the brush (outline only) set to none.
template <typename Draw> void withoutpen(wmfDC* dc, Draw draw) {
    const U16 style = dc->pen->lopnStyle;
    dc->pen->lopnStyle = static_cast<U16>((style & ~PS_STYLE_MASK) | PS_NULL);
    draw();
    dc->pen->lopnStyle = style;
}
template <typename Draw> void withoutbrush(wmfDC* dc, Draw draw) {
    const U16 style = dc->brush->lbStyle;
    dc->brush->lbStyle = BS_NULL;
    draw();
    dc->brush->lbStyle = style;
}

// Fills the rings, cut to the frame, with the brush alone: several as one polypolygon.
void fillcut(wmfAPI* api, wmfDC* dc, const std::vector<Ring>& rings, bool asone) {
    std::vector<std::vector<wmfD_Coord>> cut;
    for (const Ring& ring : rings) {
        std::vector<wmfD_Coord> points;
        for (const ClipPoint& p : clipring(ring, guard.frame)) {
            const wmfD_Coord c{float(p.x), float(p.y)};
            if (points.empty() || c.x != points.back().x || c.y != points.back().y)
                points.push_back(c);
        }
        if (points.size() >= 3 && points.size() <= std::numeric_limits<U16>::max())
            cut.push_back(std::move(points));
    }
    if (cut.empty() || !dc->pen) return;
    withoutpen(dc, [&] {
        if (!asone) {
            for (auto& points : cut) {
                wmfPolyLine_t polygon{dc, points.data(), static_cast<U16>(points.size())};
                gdfunctions.draw_polygon(api, &polygon);
            }
            return;
        }
        std::vector<wmfD_Coord*> pt;
        std::vector<U16> count;
        for (auto& points : cut) {
            pt.push_back(points.data());
            count.push_back(static_cast<U16>(points.size()));
        }
        wmfPolyPoly_t polygons{dc, pt.data(), count.data(), static_cast<U16>(pt.size())};
        gdfunctions.draw_polypolygon(api, &polygons);
    });
}
std::vector<Ring> ringsof(const wmfPolyPoly_t* p) {
    std::vector<Ring> rings;
    for (unsigned i = 0; p->pt && p->count && i < p->npoly; ++i)
        rings.push_back(ringof(p->pt[i], p->count[i]));
    return rings;
}

// A filled shape reaching beyond the frame: gd would fill all of it, so the fill is
// drawn cut to the frame and gd draws only the outline.
template <typename Arg, typename Fill>
void drawcut(wmfAPI* api, Arg* arg, void (*gd)(wmfAPI*, Arg*), const ClipBox& bounds, Fill fill) {
    if (!fills(arg->dc) || guard.frame.contains(bounds)) {
        gd(api, arg);
        return;
    }
    fill();
    if (strokes(arg->dc)) withoutbrush(arg->dc, [&] { gd(api, arg); });
}

void pie(wmfAPI* api, wmfDrawArc_t* arc) {
    if (guard.overbudget()) return;
    clamppen(arc->dc, stroke(arc));
    const ClipBox bounds = boundsof(arc->TL, arc->BR);
    drawcut(api, arc, gdfunctions.draw_pie, bounds, [&] {
        fillcut(api, arc->dc, {piering(bounds, point(arc->start), point(arc->end))}, false);
    });
}

// libwmf's gd output leaves ellipses unfilled; a full pie drawn with the brush alone
// fills them before the outline is drawn.
void ellipse(wmfAPI* api, wmfDrawArc_t* arc) {
    if (guard.overbudget()) return;
    clamppen(arc->dc, stroke(arc));
    if (fills(arc->dc) && arc->dc->pen) {
        const ClipBox bounds = boundsof(arc->TL, arc->BR);
        if (guard.frame.contains(bounds)) {
            wmfDrawArc_t pie = *arc;
            pie.start.x = pie.end.x = (arc->TL.x + arc->BR.x) / 2;
            pie.start.y = pie.end.y = arc->TL.y;
            withoutpen(arc->dc, [&] { gdfunctions.draw_pie(api, &pie); });
        } else {
            fillcut(api, arc->dc, {ellipsering(bounds)}, false);
        }
    }
    gdfunctions.draw_ellipse(api, arc);
}

// gd draws a round rectangle with square corners; its fill is cut the same way.
void rectangle(wmfAPI* api, wmfDrawRectangle_t* r) {
    if (guard.overbudget()) return;
    clamppen(r->dc, stroke(r));
    drawcut(api, r, gdfunctions.draw_rectangle, boundsof(r->TL, r->BR), [&] {
        if (!r->dc->pen) return;
        wmfDrawRectangle_t inside = *r;
        inside.TL = clamped(r->TL);
        inside.BR = clamped(r->BR);
        withoutpen(r->dc, [&] { gdfunctions.draw_rectangle(api, &inside); });
    });
}

void polygon(wmfAPI* api, wmfPolyLine_t* p) {
    if (guard.overbudget()) return;
    clamppen(p->dc, stroke(p));
    const Ring ring = ringof(p->pt, p->count);
    drawcut(api, p, gdfunctions.draw_polygon, boundsof(ring),
            [&] { fillcut(api, p->dc, {ring}, false); });
}

void polypolygon(wmfAPI* api, wmfPolyPoly_t* p) {
    if (guard.overbudget()) return;
    clamppen(p->dc, stroke(p));
    const std::vector<Ring> rings = ringsof(p);
    Ring all;
    for (const Ring& ring : rings)
        all.insert(all.end(), ring.begin(), ring.end());
    drawcut(api, p, gdfunctions.draw_polypolygon, boundsof(all),
            [&] { fillcut(api, p->dc, rings, true); });
}

// A text is drawn only where it may show, no taller than the frame, and cut to as many
// characters as the text's work allows; its background box is cut to the frame.
void text(wmfAPI* api, wmfDrawText_t* t) {
    if (guard.overbudget() || !t->str) return;
    if (!(t->font_height <= guard.widest)) t->font_height = guard.widest;
    ClipBox reach = boxof(point(t->bbox.TL), point(t->bbox.BR));
    for (const wmfD_Coord& c : {t->bbox.TR, t->bbox.BL, t->pt}) {
        reach.left = std::min(reach.left, double(c.x));
        reach.right = std::max(reach.right, double(c.x));
        reach.top = std::min(reach.top, double(c.y));
        reach.bottom = std::max(reach.bottom, double(c.y));
    }
    const double h = std::max(0.0, double(t->font_height));
    if (!guard.frame.meets({reach.left - h, reach.top - h, reach.right + h, reach.bottom + h}))
        return;
    t->TL = clamped(t->TL);
    t->BR = clamped(t->BR);
    const double heightpx = std::max(1.0, h * guard.pixelsperunit);
    const double ratio = std::clamp(double(t->font_ratio), 1.0, 1e6);
    const double glyph = heightpx * heightpx * (std::isfinite(ratio) ? ratio : 1e6);
    const size_t allowed = size_t(std::max(1.0, std::min(1e9, kMaxTextWork / glyph)));
    char* const whole = t->str;
    std::string shortened;
    if (std::strlen(whole) > allowed) {
        shortened.assign(whole, allowed);
        t->str = shortened.data();
    }
    gdfunctions.draw_text(api, t);
    t->str = whole;
}

// Region boxes cut to the frame.
template <void (*wmfFunctionReference::*Slot)(wmfAPI*, wmfPolyRectangle_t*)>
void region(wmfAPI* api, wmfPolyRectangle_t* r) {
    if (guard.overbudget()) return;
    std::vector<wmfD_Coord> tl, br;
    for (unsigned i = 0; r->TL && r->BR && i < r->count; ++i) {
        tl.push_back(clamped(r->TL[i]));
        br.push_back(clamped(r->BR[i]));
    }
    wmfPolyRectangle_t inside = *r;
    inside.TL = tl.data();
    inside.BR = br.data();
    (gdfunctions.*Slot)(api, &inside);
}

void ropdraw(wmfAPI* api, wmfROP_Draw_t* rop) {
    if (guard.overbudget()) return;
    rop->TL = clamped(rop->TL);
    rop->BR = clamped(rop->BR);
    gdfunctions.rop_draw(api, rop);
}

// Every other drawing call: nothing once the budget is spent, pens clamped.
template <auto Slot> struct Guarded;
template <typename Arg, void (*wmfFunctionReference::*Slot)(wmfAPI*, Arg*)> struct Guarded<Slot> {
    static void draw(wmfAPI* api, Arg* arg) {
        if (guard.overbudget()) return;
        if constexpr (requires { stroke(arg); }) clamppen(arg->dc, stroke(arg));
        (gdfunctions.*Slot)(api, arg);
    }
};
} // namespace

void bounddrawing(wmfFunctionReference* f, const wmfD_Rect& frame, double pixelsperunit) {
    using F = wmfFunctionReference;
    guard.pixelsperunit = pixelsperunit;
    guard.frame = boundsof(frame.TL, frame.BR);
    guard.widest =
        std::max(guard.frame.right - guard.frame.left, guard.frame.bottom - guard.frame.top);
    const double margin = kMarginPixels / pixelsperunit;
    guard.frame = {guard.frame.left - margin, guard.frame.top - margin, guard.frame.right + margin,
                   guard.frame.bottom + margin};
    guard.start = std::clock();
    guard.spent = false;

    gdfunctions = *f;
    f->draw_ellipse = ellipse;
    f->draw_pie = pie;
    // gd leaves a chord unfilled: its outline is all it draws.
    f->draw_chord = Guarded<&F::draw_chord>::draw;
    f->draw_rectangle = rectangle;
    f->draw_polygon = polygon;
    f->draw_polypolygon = polypolygon;
    f->draw_text = text;
    f->region_frame = region<&F::region_frame>;
    f->region_paint = region<&F::region_paint>;
    f->rop_draw = ropdraw;
    f->flood_interior = Guarded<&F::flood_interior>::draw;
    f->flood_exterior = Guarded<&F::flood_exterior>::draw;
    f->draw_pixel = Guarded<&F::draw_pixel>::draw;
    f->draw_arc = Guarded<&F::draw_arc>::draw;
    f->draw_line = Guarded<&F::draw_line>::draw;
    f->poly_line = Guarded<&F::poly_line>::draw;
    f->bmp_draw = Guarded<&F::bmp_draw>::draw;
}

bool drawingspent() {
    return guard.spent;
}
