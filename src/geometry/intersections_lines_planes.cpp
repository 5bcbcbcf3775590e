#include "geometry/intersections_lines_planes.h"

#include <cmath>

#include "geometry/linear_system.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"

namespace {

bool isVanishing(Vec3 v) {
    return std::fabs(v.x) < kDirectionEps && std::fabs(v.y) < kDirectionEps && std::fabs(v.z) < kDirectionEps;
}

}  // namespace

int closestPointsOfLines(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3& p, Vec3& q, double& dist) {
    if (!isDistinct(a, b) || !isDistinct(c, d)) return 0;
    if (areParallel(a, b, c, d, ParallelTest::kLoose)) {
        Vec3 foot;
        double footDistance = 0.0;
        if (!footOnLine(a, c, d, foot, footDistance)) return 0;
        p = a;
        q = foot;
        dist = footDistance;
        return 2;
    }
    const Vec3 d1 = b - a;
    const Vec3 d2 = d - c;
    const Vec3 w = a - c;
    if (isVanishing(d1) || isVanishing(d2)) return 0;
    const double q2 = dotProduct(d2, d2);
    const double r = dotProduct(d1, d2);
    const double s = dotProduct(d1, d1) * q2 - r * r;
    if (std::fabs(s) < kDirectionEps) return 0;
    const double x = dotProduct(d2, w);
    const double t = (r * x - q2 * dotProduct(d1, w)) / s;
    const double u = (x + r * t) / q2;
    p = a + t * d1;
    q = c + u * d2;
    dist = distance(p, q);
    return 1;
}

int linesMeet(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3& point) {
    Vec3 p, q;
    double dist = 0.0;
    if (closestPointsOfLines(a, b, c, d, p, q, dist) != 1 || !(dist < kPointEps)) return 0;
    point = p;
    return 1;
}

int intersectLinePlane(Vec3 a, Vec3 b, Vec3 p0, Vec3 p1, Vec3 p2, Vec3& point) {
    if (!isDistinct(a, b) || !isTriangle(p0, p1, p2)) return 0;
    if (arePerpendicular(a, b, {}, unitNormal(p0, p1, p2).end)) return 0;
    PlaneEquation e1, e2, e3;
    if (!twoPlanesThroughLine(a, b, e1, e2) || !planeThrough3(p0, p1, p2, e3)) return 0;
    return intersectThreePlanes(e1, e2, e3, point);
}

int intersectLinePlaneEq(Vec3 a, Vec3 b, const PlaneEquation& plane, Vec3& point) {
    PlaneEquation e1, e2;
    if (!twoPlanesThroughLine(a, b, e1, e2)) return 0;
    return intersectThreePlanes(e1, e2, plane, point);
}

int intersectPlanes(const PlaneEquation& e1, const PlaneEquation& e2, Vec3& p, Vec3& q) {
    const Vec3 n1 = unitVector({}, normalOf(e1)).end;
    const Vec3 n2 = unitVector({}, normalOf(e2)).end;
    const Vec3 v = unitVector({}, crossProduct(n1, n2)).end;
    Vec3 point;
    if (!intersectThreePlanes(e1, e2, {v.x, v.y, v.z, 0.0}, point)) return 0;
    p = point;
    q = point + v;
    return 1;
}
