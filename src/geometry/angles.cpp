#include "geometry/angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"

int angleAtVertex(Vec3 a, Vec3 v, Vec3 b, double& angle) {
    const double armA = distance(v, a);
    const double armB = distance(v, b);
    if (armA < kPointEps || armB < kPointEps) return 0;
    const double cosine = std::clamp(dotProduct(a - v, b - v) / (norm(a - v) * norm(b - v)), -1.0, 1.0);
    angle = std::acos(cosine);
    return 1;
}

int angleLinePlane(Vec3 a, Vec3 b, Vec3 p0, Vec3 p1, Vec3 p2, double& angle) {
    if (!isDistinct(a, b) || !isTriangle(p0, p1, p2)) return 0;
    Vec3 x;
    if (!intersectLinePlane(a, b, p0, p1, p2, x)) {
        angle = 0.0;
        return 1;
    }
    const Vec3 far = distance(a, x) > distance(b, x) ? a : b;
    Vec3 foot;
    double d = 0.0;
    if (!footOnPlane(far, p0, p1, p2, foot, d)) return 0;
    double value = 0.0;
    angle = angleAtVertex(far, x, foot, value) ? value : std::numbers::pi / 2;
    return 1;
}

int anglePlanePlane(Vec3 r0, Vec3 r1, Vec3 r2, Vec3 s0, Vec3 s1, Vec3 s2, double& angle) {
    if (!isTriangle(r0, r1, r2) || !isTriangle(s0, s1, s2)) return 0;
    const Vec3 u = unitNormal(r0, r1, r2).end;
    const Vec3 w = unitNormal(s0, s1, s2).end;
    return angleAtVertex(r0 + u, r0, r0 + w, angle);
}
