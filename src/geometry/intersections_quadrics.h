#pragma once

#include "geometry/vec3.h"

// Lines with cylinders and cones, and the plane sections of both. A cylinder is its axis
// E F and radius r (infinite); a cone its apex V, base centre G (axis G V) and base radius.
// Status 0 = none or degenerate (outputs untouched), 1 = one point, 2 = two points.

// Line AB with a cylinder: P the point of the line nearest the axis at distance d;
// exactly d = r gives 1 (P); otherwise first P − k·u, second P + k·u. A line parallel
// to the axis gives 0. Requires A, B and E, F distinct and r > kPointEps.
int intersectLineCylinder(Vec3 a, Vec3 b, Vec3 e, Vec3 f, double r, Vec3& first, Vec3& second);
// Line AB with a cone: the plane V A B cuts the base circle in base points X, and the
// generators V X are met with the line, in base-point order. A line through the apex, or
// a base radius not above kPointEps, gives 0.
int intersectLineCone(Vec3 a, Vec3 b, Vec3 v, Vec3 g, Vec3 axisA, Vec3 axisB, double baseRadius, Vec3& first,
                      Vec3& second);

// The shape of a plane section.
enum class SectionShape {
    kFivePoints,        // points[0 … 4] determine the section conic
    kParallelLines,     // lines through points[0] and points[1], parallel to the cylinder's axis
    kLinesThroughApex,  // lines from points[2] (the apex) through points[0] and points[1]
};

struct PlaneSection {
    SectionShape shape = SectionShape::kFivePoints;
    Vec3 points[5];
};

// A cylinder (axis E F, surface point S, radius r) cut by the plane P0 P1 P2. An axis
// parallel to the plane gives the two lines (or 0 when the plane misses the surface);
// otherwise the generators through S turned by 2iπ/5, i = 0 … 4, meet the plane in the
// five points, in that order. Requires E, F distinct, a triangle plane and r > kPointEps.
int sectionPlaneCylinder(Vec3 e, Vec3 f, Vec3 s, double r, Vec3 p0, Vec3 p1, Vec3 p2, PlaneSection& section);
// A cone (base centre G, apex V, base rim point S, base radius r) cut by the plane
// P0 P1 P2. A plane through the apex gives the two lines from V through the base points
// (0 when it misses the base circle). Otherwise the plane through V parallel to the cut
// decides: missing the base circle, generators at 2iπ/5 give five points; meeting it,
// generators at 2(i+1)π/7, skipping one that does not meet the plane (a second such
// generator gives 0). Requires G, V distinct, a triangle plane and r > kPointEps.
int sectionPlaneCone(Vec3 g, Vec3 v, Vec3 s, double r, Vec3 p0, Vec3 p1, Vec3 p2, PlaneSection& section);
