#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QTransform>

// Points on a circle, turns and arcs for the drawn icons, worked out without the C
// library's sine and cosine: their tables are the largest part of libm, and the icons were
// all that read them, so every start kept a fifth of a megabyte of them resident.

// (cos, sin) of an angle in degrees, exact at multiples of 90 and within a few units of
// the last place elsewhere.
QPointF unitpoint(double degrees);
// The turn QTransform::rotate(degrees) makes.
QTransform turned(double degrees);
// What QPainterPath::arcTo does for the circle of `radius` about `centre`: a line to the
// arc's start where the path is elsewhere, then the arc from `startdegrees` over
// `spandegrees` (counter-clockwise for a positive span, y growing downwards), as cubic
// curves of at most a quarter circle each.
void appendarc(QPainterPath& path, QPointF centre, double radius, double startdegrees,
               double spandegrees);
