#pragma once

#include "elements/point.h"

// The kernel routine of an intersection code applied to its parents (in the
// code's parent order): the number of points found, 0, 1 or 2, the first in
// `first` and the second in `second`, in the routine's fixed order. Bounded
// parents are not filtered here.
int solveIntersection(TypeCode typeCode, const Element* const* parents, Vec3& first, Vec3& second);
