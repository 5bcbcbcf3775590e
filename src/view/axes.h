#pragma once

#include <cstdint>
#include <vector>

#include "geometry/vec3.h"
#include "model/view_state.h"

class Canvas;

// The coordinate axes of the view: three arrows, or (without arrow axes) lines
// with a drawn head and letter, in red, green and blue, axisLength units long.

struct AxisLine {
    Vec3 a;
    Vec3 b;
    std::uint32_t colour = 0;
};

// The lines of the line axes for axes of the given model length.
std::vector<AxisLine> lineAxes(double length);
// The model length of the axes: the view's axis length in units of unitScale.
double axisModelLength(const ViewState& view, double unitScale);
// Draws the axes through a canvas: arrows, or the line axes as guide lines
// (1 pixel, unlit).
void drawAxes(Canvas& canvas, const ViewState& view, double unitScale);
