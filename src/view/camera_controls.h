#pragma once

#include "model/document.h"
#include "model/view_state.h"

// Moving the camera: the standard views, the mouse gestures and the undo
// records they leave.

// The standard-view commands of the view menu.
inline constexpr int kCommandCentreView = 32802;
inline constexpr int kCommandXyUp = 32803;
inline constexpr int kCommandXyDown = 32804;
inline constexpr int kCommandXzUp = 32805;
inline constexpr int kCommandXzDown = 32806;
inline constexpr int kCommandYzUp = 32807;
inline constexpr int kCommandYzDown = 32808;

inline constexpr float kStandardViewDistance = -15.0f;

// Sets the camera of a standard view; false (and nothing changes) for any other command.
bool setStandardView(ViewState& view, int command);
// The command as the menu runs it: the view is set and one undo step recorded.
// Returns whether the command was a standard view.
bool applyStandardView(Document& document, int command);

// Camera gestures, by the number of the tool that makes them.
inline constexpr int kGestureNone = 0;
inline constexpr int kGesturePan = 46;
inline constexpr int kGestureZoom = 47;
inline constexpr int kGestureRotate = 48;

struct GestureKeys {
    bool shift = false;
    bool ctrl = false;
};

// The scale of the mouse gestures: screen height / 600, so a drag covers the
// same part of the screen whatever its resolution. An unknown height gives 1.
float screenScaleFor(int screenHeight);

// Brings an angle back once: above 360 it loses 360, below -360 it gains 360.
float wrapAngle(float degrees);

// What one step of a gesture did.
enum class ViewStep {
    Nothing,             // no gesture, no movement or a step that would collapse the camera
    CameraMoved,         // the camera changed: redraw
    MoveScreenElements,  // Ctrl+pan: the caller moves numbers, coordinates and texts by (dx, dy)
};

// One mouse move of a camera gesture from (x0, y0) to (x1, y1), in pixels.
ViewStep mouseViewStep(ViewState& view, int gesture, GestureKeys keys, int x0, int x1, int y0, int y1,
                       float screenScale);

// The gesture a drag makes, from the current tool and the buttons held (the
// caller has already checked that the button went down over nothing).
int gestureForDrag(int toolNumber, bool leftButton, bool rightButton);

// After the buttons are released at the end of a gesture: one undo step with
// the camera, unless the drag has recorded one already (or the view rotates by
// itself, which the document refuses). Returns whether a record was added.
bool recordCameraGesture(Document& document, bool alreadyRecorded);
