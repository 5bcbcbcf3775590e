#pragma once

#include <cstdint>

#include "model/screen_text_context.h"

// What numbers, coordinates and texts share on screen: a box in window pixels
// (y downwards) that picking tests.

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Left/top and right/bottom corners, both inside the box.
struct ScreenBox {
    ScreenPoint topLeft;
    ScreenPoint bottomRight;

    // Ends included on all four sides.
    bool contains(int x, int y) const {
        return topLeft.x <= x && x <= bottomRight.x && topLeft.y <= y && y <= bottomRight.y;
    }

    friend bool operator==(const ScreenBox&, const ScreenBox&) = default;
};
