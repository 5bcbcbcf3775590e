#include "view/axes.h"

#include "model/canvas.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;

}  // namespace

std::vector<AxisLine> lineAxes(double l) {
    return {
        {{0, 0, 0}, {l, 0, 0}, kRed},
        {{1.1 * l, 0.05 * l, 0}, {1.2 * l, -0.05 * l, 0}, kRed},  // the letter x
        {{1.2 * l, 0.05 * l, 0}, {1.1 * l, -0.05 * l, 0}, kRed},
        {{l, 0, 0}, {0.9 * l, 0.1 * l, 0}, kRed},  // the head
        {{l, 0, 0}, {0.9 * l, -0.1 * l, 0}, kRed},

        {{0, 0, 0}, {0, l, 0}, kGreen},
        {{-0.05 * l, 1.2 * l, 0}, {0, 1.15 * l, 0}, kGreen},  // the letter y
        {{0.05 * l, 1.2 * l, 0}, {0, 1.15 * l, 0}, kGreen},
        {{0, 1.15 * l, 0}, {0, 1.1 * l, 0}, kGreen},
        {{0, l, 0}, {0.1 * l, 0.9 * l, 0}, kGreen},
        {{0, l, 0}, {-0.1 * l, 0.9 * l, 0}, kGreen},

        {{0, 0, 0}, {0, 0, l}, kBlue},
        {{0, -0.05 * l, 1.2 * l}, {0, 0.05 * l, 1.2 * l}, kBlue},  // the letter z
        {{0, 0.05 * l, 1.2 * l}, {0, -0.05 * l, 1.1 * l}, kBlue},
        {{0, -0.05 * l, 1.1 * l}, {0, 0.05 * l, 1.1 * l}, kBlue},
        {{0, 0, l}, {0, 0.1 * l, 0.9 * l}, kBlue},
        {{0, 0, l}, {0, -0.1 * l, 0.9 * l}, kBlue},
    };
}

double axisModelLength(const ViewState& view, double unitScale) {
    return view.axisLength / unitScale;
}

void drawAxes(Canvas& canvas, const ViewState& view, double unitScale) {
    const double l = axisModelLength(view, unitScale);
    if (view.arrowAxes) {
        canvas.arrow({0, 0, 0}, {l, 0, 0}, kRed, -1, 0, view.projection);
        canvas.arrow({0, 0, 0}, {0, l, 0}, kGreen, -1, 0, view.projection);
        canvas.arrow({0, 0, 0}, {0, 0, l}, kBlue, -1, 0, view.projection);
        return;
    }
    for (const AxisLine& line : lineAxes(l)) canvas.guideLine(line.a, line.b, line.colour, false);
}
