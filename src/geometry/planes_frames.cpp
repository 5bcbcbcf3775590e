#include "geometry/planes_frames.h"

#include <cmath>

#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"

int planeThrough3(Vec3 a, Vec3 b, Vec3 c, PlaneEquation& plane) {
    if (!isTriangle(a, b, c)) return 0;
    const Vec3 n = crossProduct(b - a, c - a);
    plane = {kPlaneScale * n.x, kPlaneScale * n.y, kPlaneScale * n.z, -kPlaneScale * dotProduct(n, a)};
    return 1;
}

int planeThroughPointNormal(Vec3 a, Vec3 b, Vec3 p, PlaneEquation& plane) {
    if (!isDistinct(a, b)) return 0;
    const Vec3 n = b - a;
    plane = {n.x, n.y, n.z, -dotProduct(n, p)};
    return 1;
}

BoundVector unitNormal(Vec3 a, Vec3 b, Vec3 c) {
    return unitCross(a, b, a, c);
}

BoundVector anyPerpendicular(Vec3 a, Vec3 b) {
    Vec3 v = b - a;
    if (std::fabs(v.x) < kPointEps) v.x = 0.0;
    if (std::fabs(v.y) < kPointEps) v.y = 0.0;
    if (std::fabs(v.z) < kPointEps) v.z = 0.0;
    Vec3 w;
    if (v.x != 0.0) {
        w = {0.0, -v.z, (v.y == 0.0 && v.z == 0.0) ? 1.0 : v.y};
    } else if (v.y != 0.0) {
        w = {-v.z, 0.0, v.z == 0.0 ? 1.0 : v.x};
    } else if (v.z != 0.0) {
        w = {-v.y, v.y == 0.0 ? 1.0 : v.x, 0.0};
    }
    return unitVector({}, w);
}

int twoPlanesThroughLine(Vec3 a, Vec3 b, PlaneEquation& first, PlaneEquation& second) {
    if (!isDistinct(a, b)) return 0;
    const Vec3 p = anyPerpendicular(a, b).end;
    const Vec3 q = unitCross(a, b, {}, p).end;
    PlaneEquation e1, e2;
    if (!planeThrough3(a, b, a + p, e1) || !planeThrough3(a, b, a + q, e2)) return 0;
    first = e1;
    second = e2;
    return 1;
}

int perpendicularPlanePoints(Vec3 a, Vec3 b, Vec3 p, Vec3 (&points)[3]) {
    if (!isDistinct(a, b)) return 0;
    const Vec3 u = anyPerpendicular(a, b).end;
    const Vec3 w = unitCross(a, b, {}, u).end;
    points[0] = p;
    points[1] = p + u;
    points[2] = p + w;
    return 1;
}

int parallelPlanePoints(Vec3 a, Vec3 b, Vec3 c, Vec3 p, Vec3 (&points)[3]) {
    if (!isTriangle(a, b, c)) return 0;
    points[0] = p;
    points[1] = p + (b - a);
    points[2] = p + (c - a);
    return 1;
}

int findPlaneOfPoints(int n, const Vec3* points, Vec3 (&span)[3]) {
    if (n < 3 || points == nullptr) return 0;
    const Vec3 p0 = points[0];
    int i = 1;
    while (i < n - 1 && !isDistinct(p0, points[i])) ++i;
    if (i >= n - 1) return 0;
    int j = i + 1;
    while (j < n && !isTriangle(p0, points[i], points[j])) ++j;
    if (j >= n) return 0;
    for (int k = j + 1; k < n; ++k) {
        Vec3 foot;
        double d = 0.0;
        if (!footOnPlane(points[k], p0, points[i], points[j], foot, d) || d > kPointEps) return 0;
    }
    span[0] = p0;
    span[1] = points[i];
    span[2] = points[j];
    return 1;
}

int planeFrameOf(Vec3 p0, Vec3 p1, Vec3 p2, PlaneFrame& frame) {
    if (!isTriangle(p0, p1, p2)) return 0;
    const Vec3 n = unitNormal(p0, p1, p2).end;
    if (n == Vec3{}) return 0;  // a triangle too thin for its normal to survive snapping
    const Vec3 e1 = unitVector(p0, p1).end;
    frame = {e1, unitVector({}, crossProduct(n, e1)).end, n};
    return 1;
}

Vec3 toFrameCoordinates(const PlaneFrame& frame, Vec3 p) {
    return {dotProduct(p, frame.axisX), dotProduct(p, frame.axisY), dotProduct(p, frame.normal)};
}

Vec3 fromFrameCoordinates(const PlaneFrame& frame, Vec3 q) {
    return q.x * frame.axisX + q.y * frame.axisY + q.z * frame.normal;
}

int toPlaneFrame(int n, const Vec3* points, Vec3 p0, Vec3 p1, Vec3 p2, Vec3* out) {
    PlaneFrame frame;
    if (n < 0 || (n > 0 && (points == nullptr || out == nullptr)) || !planeFrameOf(p0, p1, p2, frame))
        return 0;
    for (int k = 0; k < n; ++k) out[k] = toFrameCoordinates(frame, points[k]);
    return 1;
}

int fromPlaneFrame(int n, const Vec3* frameCoordinates, Vec3 p0, Vec3 p1, Vec3 p2, Vec3* out) {
    PlaneFrame frame;
    if (n < 0 || (n > 0 && (frameCoordinates == nullptr || out == nullptr)) ||
        !planeFrameOf(p0, p1, p2, frame))
        return 0;
    for (int k = 0; k < n; ++k) out[k] = fromFrameCoordinates(frame, frameCoordinates[k]);
    return 1;
}
