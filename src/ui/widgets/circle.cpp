#include "ui/widgets/circle.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Taylor series on |t| <= pi/4, where the terms left out are below 1e-17.
double sinnear(double t) {
    const double t2 = t * t;
    double s = 1 - t2 / 272;
    for (const double d : {210., 156., 110., 72., 42., 20., 6.})
        s = 1 - t2 / d * s;
    return t * s;
}

double cosnear(double t) {
    const double t2 = t * t;
    double c = 1 - t2 / 240;
    for (const double d : {182., 132., 90., 56., 30., 12., 2.})
        c = 1 - t2 / d * c;
    return c;
}

// The first quarter turn past `degrees` either way, counted in quarters.
long long quarterabove(double degrees) {
    const auto q = static_cast<long long>(degrees / 90);
    return q * 90.0 > degrees ? q : q + 1;
}
long long quarterbelow(double degrees) {
    const auto q = static_cast<long long>(degrees / 90);
    return q * 90.0 < degrees ? q : q - 1;
}

} // namespace

QPointF unitpoint(double degrees) {
    // The nearest quarter turn, then what is left of the angle, at most 45 degrees.
    const long long quarter = static_cast<long long>(degrees / 90 + (degrees < 0 ? -0.5 : 0.5));
    const double t = (degrees - 90.0 * static_cast<double>(quarter)) * kPi / 180;
    const double c = cosnear(t), s = sinnear(t);
    switch (((quarter % 4) + 4) % 4) {
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    case 3:
        return {s, -c};
    default:
        return {c, s};
    }
}

QTransform turned(double degrees) {
    const QPointF u = unitpoint(degrees);
    return {u.x(), u.y(), -u.y(), u.x(), 0, 0};
}

void appendarc(QPainterPath& path, QPointF centre, double radius, double startdegrees,
               double spandegrees) {
    const auto at = [&](double degrees) {
        const QPointF u = unitpoint(degrees);
        return QPointF(centre.x() + radius * u.x(), centre.y() - radius * u.y());
    };
    // The way the arc runs at an angle, for a counter-clockwise turn.
    const auto ahead = [](double degrees) {
        const QPointF u = unitpoint(degrees);
        return QPointF(-u.y(), -u.x());
    };
    const QPointF start = at(startdegrees);
    if (path.elementCount() == 0)
        path.moveTo(start);
    else if (path.currentPosition() != start)
        path.lineTo(start);
    // Pieces end where the arc crosses a quarter turn, as arcTo's do, so both are flattened
    // into the same lines when drawn.
    const double end = startdegrees + spandegrees;
    const bool up = spandegrees > 0;
    for (double from = startdegrees; up ? from < end : from > end;) {
        const double cross = (up ? quarterabove(from) : quarterbelow(from)) * 90.0;
        const double to = up ? (cross < end ? cross : end) : (cross > end ? cross : end);
        // A cubic through the piece's ends whose handles are 4/3 tan(span/4) of the radius.
        const QPointF q = unitpoint((to - from) / 4);
        const double handle = 4.0 / 3.0 * q.y() / q.x() * radius;
        path.cubicTo(at(from) + handle * ahead(from), at(to) - handle * ahead(to), at(to));
        from = to;
    }
}
