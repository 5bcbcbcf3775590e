#include "geometry/projections.h"

#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/vectors.h"

int footOnLine(Vec3 p, Vec3 a, Vec3 b, Vec3& foot, double& d) {
    PlaneEquation across;
    if (!planeThroughPointNormal(a, b, p, across)) return 0;
    Vec3 f;
    if (!intersectLinePlaneEq(a, b, across, f)) return 0;
    foot = f;
    d = distance(p, f);
    return 1;
}

int footOnPlane(Vec3 p, Vec3 a, Vec3 b, Vec3 c, Vec3& foot, double& d) {
    PlaneEquation plane;
    if (!planeThrough3(a, b, c, plane)) return 0;
    Vec3 f;
    if (!intersectLinePlane(p, p + normalOf(plane), a, b, c, f)) return 0;
    foot = f;
    d = distance(p, f);
    return 1;
}
