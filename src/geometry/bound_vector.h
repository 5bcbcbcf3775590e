#pragma once

#include "geometry/vec3.h"

// A vector placed in space: start and end, in this order. A free direction is a
// bound vector from the origin whose end holds the components.
struct BoundVector {
    Vec3 start;
    Vec3 end;
};
