#pragma once

#include "geometry/plane_equation.h"
#include "geometry/vec3.h"

// Where lines and planes meet. A line is two distinct points; a plane is three points
// that form a triangle or a PlaneEquation. Outputs are untouched when 0 is returned.

// Closest points P on line AB and Q on line CD, and their distance.
// 0: A, B or C, D not distinct (or a vanishing direction/determinant below kDirectionEps).
// 2: parallel under the loose test — P = A, Q its foot on CD, distance that foot's.
// 1: otherwise, the common perpendicular's feet.
int closestPointsOfLines(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3& p, Vec3& q, double& dist);
// The meeting point of two lines: closestPointsOfLines gives 1 with a distance below
// kPointEps; the point is the one on AB. Parallel lines never meet, even when equal.
int linesMeet(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3& point);
// Line AB with the plane P0 P1 P2. 0 when A, B not distinct, the plane points not a
// triangle, or the line parallel to the plane (|cos| with the normal below kPointEps).
int intersectLinePlane(Vec3 a, Vec3 b, Vec3 p0, Vec3 p1, Vec3 p2, Vec3& point);
// Line AB with a plane equation. Only A, B distinct is checked: a parallel line makes
// the three-plane solve fail (0).
int intersectLinePlaneEq(Vec3 a, Vec3 b, const PlaneEquation& plane, Vec3& point);
// The common line of two planes as P and P + v, v = unit(n̂1 × n̂2), P the point of the
// line nearest the origin. 0 for parallel or equal planes.
int intersectPlanes(const PlaneEquation& e1, const PlaneEquation& e2, Vec3& p, Vec3& q);
