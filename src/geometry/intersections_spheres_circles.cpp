#include "geometry/intersections_spheres_circles.h"

#include <cmath>

#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"

namespace {

// sqrt(r² − d²), 0 when rounding (or a tolerated overshoot) makes it negative.
double halfChord(double r, double d) {
    const double h2 = r * r - d * d;
    return h2 > 0.0 ? std::sqrt(h2) : 0.0;
}

bool isOnCircle(Vec3 x, Vec3 centre, double r) {
    return std::fabs(distance(centre, x) - r) <= kPointEps;
}

}  // namespace

int intersectLineSphere(Vec3 a, Vec3 b, Vec3 o, Vec3 s, Vec3& first, Vec3& second) {
    if (!isDistinct(a, b) || !isDistinct(o, s)) return 0;
    const double r = distance(o, s);
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(o, a, b, foot, d)) return 0;
    if (d == r) {
        first = foot;
        return 1;
    }
    if (d > r) return 0;
    const double h = halfChord(r, d);
    const Vec3 u = unitVector(a, b).end;
    first = foot - h * u;
    second = foot + h * u;
    return 2;
}

int intersectSpheres(Vec3 o1, Vec3 s1, Vec3 o2, Vec3 s2, Vec3& centre, Vec3& circlePoint) {
    if (!isDistinct(o1, o2)) return 0;
    const double d = distance(o1, o2);
    const double r1 = distance(o1, s1);
    const double r2 = distance(o2, s2);
    if (r2 == 0.0) return 0;  // a point sphere: the cosine at O2 is undefined
    const double cosine = (r2 * r2 + d * d - r1 * r1) / (2.0 * r2 * d);
    if (!(-1.0 < cosine && cosine < 1.0)) return 0;
    const double along = d - r2 * cosine;
    const Vec3 m = pointTowards(o1, o2, along);
    centre = m;
    circlePoint = m + halfChord(r1, along) * anyPerpendicular(o1, o2).end;
    return 1;
}

int intersectSpherePlane(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 o, Vec3 s, Vec3& centre, Vec3& normal,
                         Vec3& circlePoint) {
    const double r = distance(o, s);
    Vec3 foot;
    double d = 0.0;
    if (!footOnPlane(o, p0, p1, p2, foot, d)) return 0;
    if (!(r + kPointEps > d)) return 0;
    const Vec3 n = unitNormal(p0, p1, p2).end;
    const double h = d >= r ? 0.0 : halfChord(r, d);
    centre = foot;
    normal = n;
    circlePoint = foot + h * anyPerpendicular({}, n).end;
    return 1;
}

int intersectLineCircle(Vec3 a, Vec3 b, Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3& first, Vec3& second) {
    if (!isDistinct(a, b)) return 0;
    Vec3 plane[3];
    if (!perpendicularPlanePoints(axisA, axisB, c, plane)) return 0;
    Vec3 x;
    if (intersectLinePlane(a, b, plane[0], plane[1], plane[2], x)) {
        if (!isOnCircle(x, c, r)) return 0;
        first = x;
        return 1;
    }
    Vec3 footA;
    double offPlane = 0.0;
    if (!footOnPlane(a, plane[0], plane[1], plane[2], footA, offPlane) || !(offPlane < kPointEps)) return 0;
    Vec3 foot;
    double d = 0.0;
    if (!footOnLine(c, a, b, foot, d) || !(d < r + kPointEps)) return 0;
    const double h = d >= r ? 0.0 : halfChord(r, d);
    const Vec3 u = unitVector(a, b).end;
    first = foot + h * u;
    second = foot - h * u;
    return 2;
}

int intersectCircles(Vec3 c1, Vec3 axisA1, Vec3 axisB1, double r1, Vec3 c2, Vec3 axisA2, Vec3 axisB2,
                     double r2, Vec3& first, Vec3& second) {
    PlaneEquation e1, e2;
    if (!planeThroughPointNormal(axisA1, axisB1, c1, e1) || !planeThroughPointNormal(axisA2, axisB2, c2, e2))
        return 0;
    Vec3 p, q;
    if (intersectPlanes(e1, e2, p, q)) {
        Vec3 candidates[2];
        const int found = intersectLineCircle(p, q, c2, axisA2, axisB2, r2, candidates[0], candidates[1]);
        int kept = 0;
        Vec3 result[2];
        for (int i = 0; i < found; ++i) {
            if (isOnCircle(candidates[i], c2, r2) && isOnCircle(candidates[i], c1, r1))
                result[kept++] = candidates[i];
        }
        if (kept >= 1) first = result[0];
        if (kept == 2) second = result[1];
        return kept;
    }
    // Parallel planes: only coplanar circles can meet.
    const Vec3 n1 = normalOf(e1);
    if (!(std::fabs(dotProduct(n1, c2) + e1.d) / norm(n1) <= kPointEps)) return 0;
    const double d = distance(c1, c2);
    if (d == 0.0) return 0;
    double cosine = 0.0;
    if (!(r1 < kPointEps && std::fabs(d - r2) < kPointEps)) {
        if (r1 == 0.0) return 0;  // a point circle off the other circle
        cosine = (r1 * r1 + d * d - r2 * r2) / (2.0 * r1 * d);
    }
    if (!(cosine >= -1.000001 && cosine <= 1.000001)) return 0;
    const double x = r1 * cosine;
    const Vec3 m = pointTowards(c1, c2, x);
    const Vec3 w = unitVector({}, crossProduct(axisB2 - axisA2, c2 - c1)).end;
    const double h = halfChord(r1, x);
    if (h >= kPointEps) {
        first = m + h * w;
        second = m - h * w;
        return 2;
    }
    first = m;
    return 1;
}

int intersectCirclePlane(Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3 p0, Vec3 p1, Vec3 p2, Vec3& first,
                         Vec3& second) {
    PlaneEquation own, other;
    if (!planeThroughPointNormal(axisA, axisB, c, own) || !planeThrough3(p0, p1, p2, other)) return 0;
    Vec3 p, q;
    if (!intersectPlanes(own, other, p, q)) return 0;
    return intersectLineCircle(p, q, c, axisA, axisB, r, first, second);
}

int intersectCircleSphere(Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3 o, Vec3 s, Vec3& first,
                          Vec3& second) {
    Vec3 plane[3];
    if (!perpendicularPlanePoints(axisA, axisB, c, plane)) return 0;
    Vec3 centre, normal, circlePoint;
    if (!intersectSpherePlane(plane[0], plane[1], plane[2], o, s, centre, normal, circlePoint)) return 0;
    return intersectCircles(centre, centre, centre + normal, distance(centre, circlePoint), c, axisA, axisB,
                            r, first, second);
}
