#include "geometry/intersections_quadrics.h"

#include <cmath>
#include <numbers>

#include "geometry/angles.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"

int intersectLineCylinder(Vec3 a, Vec3 b, Vec3 e, Vec3 f, double r, Vec3& first, Vec3& second) {
    if (!isDistinct(a, b) || !isDistinct(e, f) || !(r > kPointEps)) return 0;
    Vec3 p, onAxis;
    double d = 0.0;
    if (closestPointsOfLines(a, b, e, f, p, onAxis, d) != 1) return 0;
    if (d == r) {
        first = p;
        return 1;
    }
    if (d > r) return 0;
    const Vec3 u = unitVector(a, b).end;
    double theta = 0.0;
    if (!angleAtVertex(p + unitVector(e, f).end, p, p + u, theta)) return 0;
    if (theta > std::numbers::pi / 2) theta = std::numbers::pi - theta;
    const double h2 = r * r - d * d;
    const double k = (h2 > 0.0 ? std::sqrt(h2) : 0.0) / std::cos(std::numbers::pi / 2 - theta);
    first = p - k * u;
    second = p + k * u;
    return 2;
}

int intersectLineCone(Vec3 a, Vec3 b, Vec3 v, Vec3 g, Vec3 axisA, Vec3 axisB, double baseRadius, Vec3& first,
                      Vec3& second) {
    if (!isDistinct(a, b) || !isTriangle(v, a, b) || !(baseRadius > kPointEps)) return 0;
    Vec3 base[2];
    const int baseCount = intersectCirclePlane(g, axisA, axisB, baseRadius, v, a, b, base[0], base[1]);
    Vec3 found[2];
    int count = 0;
    for (int i = 0; i < baseCount; ++i) {
        if (linesMeet(v, base[i], a, b, found[count])) ++count;
    }
    if (count >= 1) first = found[0];
    if (count == 2) second = found[1];
    return count;
}

int sectionPlaneCylinder(Vec3 e, Vec3 f, Vec3 s, double r, Vec3 p0, Vec3 p1, Vec3 p2, PlaneSection& section) {
    if (!isDistinct(e, f) || !isTriangle(p0, p1, p2) || !(r > kPointEps)) return 0;
    if (arePerpendicular(e, f, {}, unitNormal(p0, p1, p2).end)) {
        Vec3 foot;
        double d = 0.0;
        if (!footOnPlane(e, p0, p1, p2, foot, d) || r <= d) return 0;
        Vec3 base[2];
        if (intersectCirclePlane(e, e, f, r, p0, p1, p2, base[0], base[1]) != 2) return 0;
        section.shape = SectionShape::kParallelLines;
        section.points[0] = base[0];
        section.points[1] = base[1];
        return 1;
    }
    PlaneSection result;
    const Vec3 along = f - e;
    for (int i = 0; i < 5; ++i) {
        Vec3 turned;
        if (!rotateAboutAxis(s, e, f, 2.0 * i * std::numbers::pi / 5, turned)) return 0;
        if (!intersectLinePlane(turned, turned + along, p0, p1, p2, result.points[i])) return 0;
    }
    result.shape = SectionShape::kFivePoints;
    section = result;
    return 1;
}

namespace {

// The generators from V through S turned about G V by angles; the ellipse case needs no
// skipping, the hyperbola and parabola cases may skip the one generator parallel to the plane.
int coneSectionPoints(Vec3 g, Vec3 v, Vec3 s, Vec3 p0, Vec3 p1, Vec3 p2, bool sevenths, Vec3 (&points)[5]) {
    int skips = 0;
    for (int i = 0; i < 5; ++i) {
        for (;;) {
            const double angle =
                sevenths ? 2.0 * (i + 1 + skips) * std::numbers::pi / 7 : 2.0 * i * std::numbers::pi / 5;
            Vec3 turned;
            if (!rotateAboutAxis(s, g, v, angle, turned)) return 0;
            if (intersectLinePlane(v, turned, p0, p1, p2, points[i])) break;
            if (!sevenths || ++skips > 1) return 0;
        }
    }
    return 1;
}

}  // namespace

int sectionPlaneCone(Vec3 g, Vec3 v, Vec3 s, double r, Vec3 p0, Vec3 p1, Vec3 p2, PlaneSection& section) {
    if (!isDistinct(g, v) || !isTriangle(p0, p1, p2) || !(r > kPointEps)) return 0;
    Vec3 foot;
    double e = 0.0;
    if (!footOnPlane(v, p0, p1, p2, foot, e)) return 0;
    PlaneSection result;
    if (e < kPointEps) {
        if (intersectCirclePlane(g, g, v, r, p0, p1, p2, result.points[0], result.points[1]) != 2) return 0;
        result.points[2] = v;
        result.shape = SectionShape::kLinesThroughApex;
        section = result;
        return 1;
    }
    Vec3 parallel[3];
    if (!parallelPlanePoints(p0, p1, p2, v, parallel)) return 0;
    Vec3 base[2];
    const int baseCount =
        intersectCirclePlane(g, g, v, r, parallel[0], parallel[1], parallel[2], base[0], base[1]);
    if (baseCount == 1) return 0;
    if (!coneSectionPoints(g, v, s, p0, p1, p2, baseCount == 2, result.points)) return 0;
    result.shape = SectionShape::kFivePoints;
    section = result;
    return 1;
}
