#pragma once

#include "expr/screen_text.h"
#include "geometry/vec3.h"
#include "view/camera.h"

// Where texts go in the view: name labels in space, the hover text and the
// calculator letters on the screen. Drawing the glyphs is the canvas's part.

// The point moved the given distance towards the viewer along the line of
// sight through it (the anchors of the kinds' labels). The point itself when
// it cannot be projected.
Vec3 towardsViewer(const ViewState& view, Viewport viewport, Vec3 point, double distance);

// Where a name label is put. window is the anchor's window position (y
// downwards), where the screen-text path draws it; raster is the raster
// position of the character-set path: midway between the anchor and the point
// of the near plane under the same pixel, so the label starts at the anchor's
// screen position and lies in front of the element it names.
struct LabelPlacement {
    bool visible = false;  // false when the anchor cannot be projected
    double windowX = 0.0;
    double windowY = 0.0;
    Vec3 raster;
};
LabelPlacement placeLabel(const ViewState& view, Viewport viewport, Vec3 anchor);

// Offsets of the hover text from the cursor.
inline constexpr ScreenPoint kHoverTextOffset{12, 18};
inline constexpr ScreenPoint kHoverTextOffsetDrawingCursor{8, 8};
// Top-left corner of the hover text for the cursor at (x, y).
ScreenPoint hoverTextPosition(int cursorX, int cursorY, bool drawingCursor);

// Top-left corner of a calculator letter for a listed number's box: the
// box's top-right corner, or for an x, y or z part of a coordinates element a
// third of the width in from the left and a tenth of the height above the bottom.
ScreenPoint calculatorLetterPosition(const ScreenBox& box, bool coordinatePart);
