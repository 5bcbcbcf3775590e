#include "geometry/geometry2d.h"

#include <algorithm>
#include <cmath>

double distance2d(Vec2 a, Vec2 b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double dot2d(Vec2 u, Vec2 v) {
    return u.x * v.x + u.y * v.y;
}

double angleBetween2d(Vec2 u, Vec2 v) {
    const double lengths = std::hypot(u.x, u.y) * std::hypot(v.x, v.y);
    if (!(lengths > 0.0)) return 0.0;
    return std::acos(std::clamp(dot2d(u, v) / lengths, -1.0, 1.0));
}

Vec2 rotateAbout2d(Vec2 p, Vec2 centre, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Vec2 r = p - centre;
    return {centre.x + c * r.x - s * r.y, centre.y + s * r.x + c * r.y};
}

Vec2 reflectThrough2d(Vec2 a, Vec2 c) {
    return {2.0 * c.x - a.x, 2.0 * c.y - a.y};
}
