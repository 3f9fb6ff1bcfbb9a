#pragma once

#include <vector>

// Plane geometry for drawing a shape that reaches far beyond its picture: its outline as
// a polygon, cut to a box. Units are the drawing's; y grows downwards.
struct ClipPoint {
    double x = 0;
    double y = 0;
};
using Ring = std::vector<ClipPoint>;

struct ClipBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool contains(const ClipBox& other) const {
        return other.left >= left && other.right <= right && other.top >= top &&
               other.bottom <= bottom;
    }
    bool meets(const ClipBox& other) const {
        return other.left <= right && other.right >= left && other.top <= bottom &&
               other.bottom >= top;
    }
};

// The box spanned by two corners given in any order.
ClipBox boxof(ClipPoint a, ClipPoint b);

// The ellipse inside `bounds`, one point a degree as the arcs are drawn.
Ring ellipsering(const ClipBox& bounds);

// The pie of the ellipse inside `bounds` from the ray along `start` anticlockwise (as
// seen on screen) to the ray along `end`. The rays are given as libwmf gives them: from
// the centre, y upwards. Equal rays make the whole ellipse.
Ring piering(const ClipBox& bounds, ClipPoint start, ClipPoint end);

// The ring cut to `box`: inside the box it encloses what the ring enclosed, by either
// fill rule; what lay outside is replaced by runs along the box's sides.
Ring clipring(const Ring& ring, const ClipBox& box);
