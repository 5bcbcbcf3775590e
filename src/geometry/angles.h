#pragma once

#include "geometry/vec3.h"

// Angles in radians. Status 1, or 0 = undefined with the angle untouched.

// The angle at V between VA and VB in [0, π]; the cosine is clamped to [−1, 1] so a
// rounding overshoot never gives NaN. 0 when an arm is shorter than kPointEps.
int angleAtVertex(Vec3 a, Vec3 v, Vec3 b, double& angle);
// The angle between line AB and the plane P0 P1 P2, in [0, π/2]: 0 (status 1) when the
// line is parallel to the plane or lies in it, π/2 when it is perpendicular.
// 0 when A, B not distinct or the plane points are not a triangle.
int angleLinePlane(Vec3 a, Vec3 b, Vec3 p0, Vec3 p1, Vec3 p2, double& angle);
// The angle between the unit normals of the planes R0 R1 R2 and S0 S1 S2, in [0, π]
// (not folded: it depends on the order of each plane's points). 0 when either triple
// is not a triangle.
int anglePlanePlane(Vec3 r0, Vec3 r1, Vec3 r2, Vec3 s0, Vec3 s1, Vec3 s2, double& angle);
