#include "geometry/vectors.h"

#include <cmath>

#include "geometry/tolerances.h"

double distance(Vec3 a, Vec3 b) {
    const double length = norm(b - a);
    return length < kSnapEps ? 0.0 : length;
}

double dot(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
    return dotProduct(b - a, d - c);
}

BoundVector unitVector(Vec3 a, Vec3 b) {
    const double length = distance(a, b);
    if (length == 0.0) return {};
    return {{}, (b - a) * (1.0 / length)};
}

BoundVector unitCross(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
    return unitVector({}, crossProduct(b - a, d - c));
}

Vec3 pointTowards(Vec3 a, Vec3 b, double h) {
    return a + h * unitVector(a, b).end;
}

BoundVector placeVector(Vec3 a, Vec3 b, Vec3 p) {
    return {p, p + (b - a)};
}

BoundVector vectorSum(const BoundVector& ab, const BoundVector& cd) {
    return {{}, (ab.end - ab.start) + (cd.end - cd.start)};
}

Vec3 midpoint(Vec3 a, Vec3 b) {
    return {a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2, a.z + (b.z - a.z) / 2};
}

double snapToZero(double v) {
    return std::fabs(v) < kSnapEps ? 0.0 : v;
}

bool clearlyFartherFromLine(Vec3 p, Vec3 a, Vec3 b, double d) {
    const Vec3 along = b - a;
    const double length = norm(along);
    if (!(length > 0.0)) return false;
    const double gap = norm(crossProduct(p - a, along)) / length;
    return gap > d * (1.0 + 1e-9) + 1e-12;
}
