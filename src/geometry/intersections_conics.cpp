#include "geometry/intersections_conics.h"

#include <cmath>

#include "geometry/conic_analysis.h"
#include "geometry/geometry2d.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/tolerances.h"

namespace {

bool liesInPlane(const ConicCurve& c, Vec3 p) {
    return std::fabs(dotProduct(p, c.frame.normal) - c.level) <= kPointEps;
}

Vec2 inFrame(const ConicCurve& c, Vec3 p) {
    const Vec3 q = toFrameCoordinates(c.frame, p);
    return {q.x, q.y};
}

Vec3 inSpace(const ConicCurve& c, Vec2 p) {
    return fromFrameCoordinates(c.frame, {p.x, p.y, c.level});
}

// Whether a line of the plane through X, in the given frame direction, meets the conic at X.
bool isOnConicAlong(const ConicCurve& c, Vec2 x, Vec2 direction) {
    Vec2 s[2];
    const int count = intersectLineConic2d(x, x + direction, c.coefficients, s[0], s[1]);
    for (int i = 0; i < count; ++i) {
        if (distance2d(s[i], x) <= kPointEps) return true;
    }
    return false;
}

}  // namespace

int intersectLineConic(Vec3 a, Vec3 b, const ConicCurve& conic, Vec3& first, Vec3& second) {
    if (!isDistinct(a, b) || conic.type == ConicType::kNone) return 0;
    if (liesInPlane(conic, a) && liesInPlane(conic, b)) {
        Vec2 s1, s2;
        const int count =
            intersectLineConic2d(inFrame(conic, a), inFrame(conic, b), conic.coefficients, s1, s2);
        if (count >= 1) first = inSpace(conic, s1);
        if (count == 2) second = inSpace(conic, s2);
        return count;
    }
    Vec3 x;
    if (!intersectLinePlane(a, b, conic.planePoints[0], conic.planePoints[1], conic.planePoints[2], x))
        return 0;
    // A second direction catches a line pair whose line runs along the first one.
    const Vec2 local = inFrame(conic, x);
    if (!isOnConicAlong(conic, local, {1.0, 0.0}) && !isOnConicAlong(conic, local, {0.0, 1.0})) return 0;
    first = x;
    return 1;
}

int intersectPlaneConic(Vec3 p0, Vec3 p1, Vec3 p2, const ConicCurve& conic, Vec3& first, Vec3& second) {
    PlaneEquation cut, own;
    if (!planeThrough3(p0, p1, p2, cut) ||
        !planeThrough3(conic.planePoints[0], conic.planePoints[1], conic.planePoints[2], own))
        return 0;
    Vec3 p, q;
    if (!intersectPlanes(cut, own, p, q)) return 0;
    return intersectLineConic(p, q, conic, first, second);
}
