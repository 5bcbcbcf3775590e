#pragma once

#include "geometry/vec3.h"

// Lines, planes, spheres and circles. A sphere is its centre O and a point S on it
// (r = distance(O, S)); a circle is its centre C, two points of its axis (axisB − axisA
// is its normal) and its radius. Status 0 = none or degenerate input (outputs
// untouched), 1 = one point in `first`, 2 = two points in a fixed order.

// Line AB with a sphere. Tangent exactly when the foot distance equals r (status 1, the
// foot F); otherwise first F − h·u, second F + h·u (u the unit direction A→B).
int intersectLineSphere(Vec3 a, Vec3 b, Vec3 o, Vec3 s, Vec3& first, Vec3& second);
// The circle where two spheres meet: its centre on O1 O2 (the axis) and one of its
// points. Tangent or disjoint spheres give 0 (the cosine at O2 must be strictly inside ±1).
int intersectSpheres(Vec3 o1, Vec3 s1, Vec3 o2, Vec3 s2, Vec3& centre, Vec3& circlePoint);
// The section of a sphere by the plane P0 P1 P2: centre F (the foot of O), unit normal
// of the plane, and one point of the circle (the centre itself for a touching plane).
// Exists when r + kPointEps > the distance of O from the plane.
int intersectSpherePlane(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 o, Vec3 s, Vec3& centre, Vec3& normal,
                         Vec3& circlePoint);
// Line AB with a circle. A line crossing the circle's plane gives that point when it is
// within kPointEps of the circle. A line in the plane gives first F + h·u, second F − h·u
// (the reverse of the sphere's order; a tangent gives two equal points).
int intersectLineCircle(Vec3 a, Vec3 b, Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3& first, Vec3& second);
// Two circles. Non-parallel planes: their common line (direction unit(n̂1 × n̂2)) is cut
// with circle 2 and points within kPointEps of both circles are kept, in that order.
// Coplanar: the radical construction, first M + h·w, second M − h·w with
// w = unit(N2 × (C2 − C1)); h below kPointEps gives the single point M. Cosines up to
// 1.000001 in magnitude are accepted as touching.
int intersectCircles(Vec3 c1, Vec3 axisA1, Vec3 axisB1, double r1, Vec3 c2, Vec3 axisA2, Vec3 axisB2,
                     double r2, Vec3& first, Vec3& second);
// A circle with the plane P0 P1 P2: the common line of the two planes cut with the circle.
int intersectCirclePlane(Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3 p0, Vec3 p1, Vec3 p2, Vec3& first,
                         Vec3& second);
// A circle with a sphere: the sphere's section by the circle's plane, then intersectCircles
// with the section as the first circle and the given one as the second.
int intersectCircleSphere(Vec3 c, Vec3 axisA, Vec3 axisB, double r, Vec3 o, Vec3 s, Vec3& first,
                          Vec3& second);
