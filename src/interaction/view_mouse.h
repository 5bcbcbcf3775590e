#pragma once

#include "model/document.h"
#include "view/camera_controls.h"

// The view window's bookkeeping of the mouse for camera gestures: where the
// buttons went down, the previous position, which buttons are held, whether the
// camera moved since the last undo step. The window feeds it its mouse events.
class ViewMouse {
  public:
    // A button went down at (x, y); left and right are the buttons now held.
    // overElement: something was hovered, so this drag makes no gesture.
    void press(bool left, bool right, int x, int y, bool overElement);
    // The mouse moved to (x, y) with the given buttons held: one step of the
    // gesture the buttons and the tool make.
    ViewStep move(ViewState& view, int x, int y, bool left, bool right, GestureKeys keys, int toolNumber,
                  float screenScale);
    // A button went up; left and right are the buttons still held. When the
    // camera moved since the last undo step one is recorded; returns whether it was.
    bool release(Document& document, bool left, bool right);
    void reset();

    bool buttonsHeld() const { return left_ || right_; }
    int gesture() const { return gesture_; }
    int downX() const { return downX_; }
    int downY() const { return downY_; }

  private:
    bool left_ = false;
    bool right_ = false;
    bool overElement_ = false;
    int downX_ = 0;
    int downY_ = 0;
    int previousX_ = 0;
    int previousY_ = 0;
    int gesture_ = kGestureNone;
    bool cameraMoved_ = false;  // an undo step is due
};
