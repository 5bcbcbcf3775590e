#include "interaction/view_mouse.h"

void ViewMouse::press(bool left, bool right, int x, int y, bool overElement) {
    // A second button joining a drag keeps the drag's start.
    if (!buttonsHeld()) {
        overElement_ = overElement;
        downX_ = x;
        downY_ = y;
        cameraMoved_ = false;
    }
    previousX_ = x;
    previousY_ = y;
    left_ = left;
    right_ = right;
}

ViewStep ViewMouse::move(ViewState& view, int x, int y, bool left, bool right, GestureKeys keys,
                         int toolNumber, float screenScale) {
    left_ = left;
    right_ = right;
    const int x0 = previousX_;
    const int y0 = previousY_;
    previousX_ = x;
    previousY_ = y;
    if (!buttonsHeld() || overElement_) {
        gesture_ = kGestureNone;
        return ViewStep::Nothing;
    }
    gesture_ = gestureForDrag(toolNumber, left, right);
    if (x == x0 && y == y0) return ViewStep::Nothing;
    const ViewStep step = mouseViewStep(view, gesture_, keys, x0, x, y0, y, screenScale);
    if (step == ViewStep::CameraMoved) cameraMoved_ = true;
    return step;
}

bool ViewMouse::release(Document& document, bool left, bool right) {
    left_ = left;
    right_ = right;
    bool recorded = false;
    if (cameraMoved_) {
        recorded = recordCameraGesture(document, false);
        cameraMoved_ = false;
    }
    if (!buttonsHeld()) gesture_ = kGestureNone;
    return recorded;
}

void ViewMouse::reset() {
    *this = ViewMouse();
}
