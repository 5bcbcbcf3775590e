#include "geometry/transformations.h"

#include <cmath>
#include <numbers>

#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/vectors.h"

int reflectInPoint(Vec3 a, Vec3 b, Vec3& image) {
    image = pointTowards(a, b, 2.0 * distance(a, b));
    return 1;
}

int reflectInLine(Vec3 p, Vec3 a, Vec3 b, Vec3& image) {
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(p, a, b, foot, d)) return 0;
    image = pointTowards(p, foot, 2.0 * d);
    return 1;
}

int reflectInPlane(Vec3 p, Vec3 a, Vec3 b, Vec3 c, Vec3& image) {
    Vec3 foot;
    double d = 0.0;
    if (!footOnPlane(p, a, b, c, foot, d)) return 0;
    image = pointTowards(p, foot, 2.0 * d);
    return 1;
}

int translatePoint(Vec3 p, Vec3 a, Vec3 b, Vec3& image) {
    image = p + (b - a);
    return 1;
}

int rotateAboutAxis(Vec3 p, Vec3 a, Vec3 b, double theta, Vec3& image) {
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(p, a, b, foot, d)) return 0;
    const Vec3 u = unitVector(foot, p).end;
    const Vec3 w = unitCross(a, b, {}, u).end;
    const Vec3 s = std::cos(theta) * u + std::sin(theta) * w;
    image = foot + d * unitVector({}, s).end;
    return 1;
}

int regularPolygonPoints(int n, Vec3 c, Vec3 x, Vec3 y, Vec3 p, Vec3* out) {
    if (n < 1 || out == nullptr || !isDistinct(x, y)) return 0;
    const Vec3 axisEnd = c + (y - x);
    for (int i = 0; i < n; ++i) {
        if (!rotateAboutAxis(p, c, axisEnd, i * 2.0 * std::numbers::pi / n, out[i])) return 0;
    }
    return 1;
}
