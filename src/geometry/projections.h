#pragma once

#include "geometry/vec3.h"

// Perpendicular feet. Status 1, or 0 on degenerate input with the outputs untouched.

// Foot F of the perpendicular from P to the line AB (where AB meets the plane through P
// perpendicular to it) and d = distance(P, F). 0 when A, B are not distinct.
int footOnLine(Vec3 p, Vec3 a, Vec3 b, Vec3& foot, double& d);
// Foot F of the perpendicular from P to the plane ABC and d = distance(P, F).
// 0 when A, B, C are not a triangle.
int footOnPlane(Vec3 p, Vec3 a, Vec3 b, Vec3 c, Vec3& foot, double& d);
