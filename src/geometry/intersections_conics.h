#pragma once

#include "geometry/conic_curve.h"
#include "geometry/vec3.h"

// Lines and planes with a conic of space. Status 0 = none (outputs untouched), 1 or 2.

// Line AB with the conic. A line in the conic's plane (both points within kPointEps of
// it) is solved in the frame, solutions in intersectLineConic2d's order (the first is
// further from A towards B). A line crossing the plane gives its crossing point X when X
// lies on the conic: an in-plane line through X (along the frame's first axis, then its
// second) must meet the conic within kPointEps of X. 0 when A, B are not distinct or the
// conic is undefined.
int intersectLineConic(Vec3 a, Vec3 b, const ConicCurve& conic, Vec3& first, Vec3& second);
// The plane P0 P1 P2 with the conic: the common line of the two planes, then
// intersectLineConic. 0 for parallel planes.
int intersectPlaneConic(Vec3 p0, Vec3 p1, Vec3 p2, const ConicCurve& conic, Vec3& first, Vec3& second);
