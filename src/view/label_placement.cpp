#include "view/label_placement.h"

#include <cmath>

Vec3 towardsViewer(const ViewState& view, Viewport viewport, Vec3 point, double distance) {
    double x = 0.0, y = 0.0, depth = 0.0;
    if (!projectPoint(view, viewport, point, x, y, depth)) return point;
    // The line of sight through the point meets the near plane under the same pixel.
    const Vec3 towards = unprojectPoint(view, viewport, x, y, 0.0) - point;
    const double length = norm(towards);
    if (!(length > 1e-20) || !std::isfinite(length)) return point;
    return point + towards * (distance / length);
}

LabelPlacement placeLabel(const ViewState& view, Viewport viewport, Vec3 anchor) {
    LabelPlacement p;
    double depth = 0.0;
    if (!projectPoint(view, viewport, anchor, p.windowX, p.windowY, depth)) return p;
    const Vec3 nearPoint = unprojectPoint(view, viewport, p.windowX, p.windowY, 0.0);
    p.raster = (nearPoint + anchor) * 0.5;
    p.visible = true;
    return p;
}

ScreenPoint hoverTextPosition(int cursorX, int cursorY, bool drawingCursor) {
    const ScreenPoint offset = drawingCursor ? kHoverTextOffsetDrawingCursor : kHoverTextOffset;
    return {cursorX + offset.x, cursorY + offset.y};
}

ScreenPoint calculatorLetterPosition(const ScreenBox& box, bool coordinatePart) {
    if (!coordinatePart) return {box.bottomRight.x, box.topLeft.y};
    const int width = box.bottomRight.x - box.topLeft.x;
    const int height = box.bottomRight.y - box.topLeft.y;
    return {box.topLeft.x + width / 3, box.bottomRight.y - height / 10};
}
