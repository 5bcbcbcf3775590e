#pragma once

#include "geometry/vec2.h"

// Small 2-D routines for points in a plane's frame.

// Plain Euclidean distance, no snapping.
double distance2d(Vec2 a, Vec2 b);
// u·v.
double dot2d(Vec2 u, Vec2 v);
// The angle between u and v in [0, π] (acos of the clamped normalised dot product);
// 0 when either vector is zero.
double angleBetween2d(Vec2 u, Vec2 v);
// P turned counter-clockwise by `angle` about `centre`.
Vec2 rotateAbout2d(Vec2 p, Vec2 centre, double angle);
// The image of A through the centre C: 2C − A.
Vec2 reflectThrough2d(Vec2 a, Vec2 c);
