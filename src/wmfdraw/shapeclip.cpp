#include "wmfdraw/shapeclip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr int kArcSteps = 360;

ClipPoint onellipse(const ClipBox& b, double angle) {
    const double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    return {cx + (b.right - b.left) / 2 * std::cos(angle),
            cy - (b.bottom - b.top) / 2 * std::sin(angle)};
}

// The angle of the ray along `d` (y upwards), which gd takes as the ellipse's own angle:
// on a flat ellipse a pie's sides are not quite those rays.
double angletowards(ClipPoint d) {
    return std::atan2(d.y, d.x);
}

// One pass of the cut: keeps what `inside` holds, crossing points from `cross`.
template <typename Inside, typename Cross> Ring cutby(const Ring& in, Inside inside, Cross cross) {
    Ring out;
    if (in.empty()) return out;
    out.reserve(in.size() + 4);
    ClipPoint prev = in.back();
    bool previn = inside(prev);
    for (const ClipPoint& p : in) {
        const bool pin = inside(p);
        if (pin != previn) out.push_back(cross(prev, p));
        if (pin) out.push_back(p);
        prev = p;
        previn = pin;
    }
    return out;
}

ClipPoint atx(ClipPoint a, ClipPoint b, double x) {
    return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
}
ClipPoint aty(ClipPoint a, ClipPoint b, double y) {
    return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
}
} // namespace

ClipBox boxof(ClipPoint a, ClipPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Ring ellipsering(const ClipBox& bounds) {
    Ring ring;
    ring.reserve(kArcSteps);
    for (int i = 0; i < kArcSteps; ++i)
        ring.push_back(onellipse(bounds, 2 * std::numbers::pi * i / kArcSteps));
    return ring;
}

Ring piering(const ClipBox& bounds, ClipPoint start, ClipPoint end) {
    const double from = angletowards(start);
    double sweep = angletowards(end) - from;
    while (sweep <= 0)
        sweep += 2 * std::numbers::pi;
    const int steps = std::max(1, int(std::ceil(sweep / (2 * std::numbers::pi) * kArcSteps)));
    Ring ring;
    ring.reserve(size_t(steps) + 2);
    for (int i = 0; i <= steps; ++i)
        ring.push_back(onellipse(bounds, from + sweep * i / steps));
    ring.push_back({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
    return ring;
}

Ring clipring(const Ring& ring, const ClipBox& box) {
    Ring r = cutby(
        ring, [&](ClipPoint p) { return p.x >= box.left; },
        [&](ClipPoint a, ClipPoint b) { return atx(a, b, box.left); });
    r = cutby(
        r, [&](ClipPoint p) { return p.x <= box.right; },
        [&](ClipPoint a, ClipPoint b) { return atx(a, b, box.right); });
    r = cutby(
        r, [&](ClipPoint p) { return p.y >= box.top; },
        [&](ClipPoint a, ClipPoint b) { return aty(a, b, box.top); });
    return cutby(
        r, [&](ClipPoint p) { return p.y <= box.bottom; },
        [&](ClipPoint a, ClipPoint b) { return aty(a, b, box.bottom); });
}
