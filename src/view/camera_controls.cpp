#include "view/camera_controls.h"

#include <array>
#include <cmath>

namespace {

struct StandardView {
    int command;
    float tiltX;
    float spinZ;
};

constexpr std::array<StandardView, 7> kStandardViews{{
    {kCommandCentreView, -60.0f, -135.0f},
    {kCommandXyUp, 0.0f, 0.0f},
    {kCommandXyDown, 180.0f, 0.0f},
    {kCommandXzUp, 90.0f, 0.0f},
    {kCommandXzDown, -90.0f, 0.0f},
    {kCommandYzUp, 90.0f, 90.0f},
    {kCommandYzDown, -90.0f, 90.0f},
}};

// Divisors of the gestures, in pixels per unit of screen scale.
constexpr double kPanShiftDivisor = 100.0;
constexpr double kPanDivisor = 800.0;
constexpr double kZoomDivisor = 500.0;
constexpr double kZoomShiftDivisor = 1500.0;
constexpr double kRotateDivisor = 400.0;
constexpr double kRotateShiftDivisor = 1200.0;

// Tools with which the right button pans rather than rotates.
bool rightButtonPans(int tool) {
    return tool == 0 || tool == 43 || tool == 44 || tool == 48;
}

}  // namespace

bool setStandardView(ViewState& view, int command) {
    for (const StandardView& s : kStandardViews) {
        if (s.command != command) continue;
        view.panX = 0.0f;
        view.panY = 0.0f;
        view.viewDistance = kStandardViewDistance;
        view.tiltX = s.tiltX;
        view.tiltY = 0.0f;
        view.spinZ = s.spinZ;
        return true;
    }
    return false;
}

bool applyStandardView(Document& document, int command) {
    if (!setStandardView(document.view, command)) return false;
    document.record(kRecordView);
    return true;
}

float screenScaleFor(int screenHeight) {
    return screenHeight > 0 ? static_cast<float>(screenHeight / 600.0) : 1.0f;
}

float wrapAngle(float degrees) {
    if (degrees > 360.0f) return degrees - 360.0f;
    if (degrees < -360.0f) return degrees + 360.0f;
    return degrees;
}

ViewStep mouseViewStep(ViewState& view, int gesture, GestureKeys keys, int x0, int x1, int y0, int y1,
                       float screenScale) {
    const double dx = static_cast<double>(x1) - x0;
    const double dy = static_cast<double>(y1) - y0;
    const double s = screenScale > 0.0f && std::isfinite(screenScale) ? screenScale : 1.0;
    switch (gesture) {
        case kGesturePan: {
            if (keys.ctrl) return ViewStep::MoveScreenElements;
            const double perPixel =
                keys.shift ? 1.0 / (s * kPanShiftDivisor) : std::fabs(view.viewDistance) / (s * kPanDivisor);
            view.panX = static_cast<float>(view.panX + dx * perPixel);
            view.panY = static_cast<float>(view.panY - dy * perPixel);
            return ViewStep::CameraMoved;
        }
        case kGestureZoom: {
            const double f = std::fabs(dy) / (s * (keys.shift ? kZoomShiftDivisor : kZoomDivisor));
            const double factor = std::fabs(dy < 0 ? 1.0 - f : 1.0 + f);
            const float distance = static_cast<float>(view.viewDistance * factor);
            // A factor of exactly zero would put the camera on the eye for good:
            // every later zoom multiplies zero. Such a step is not taken.
            if (distance == 0.0f || !std::isfinite(distance)) return ViewStep::Nothing;
            view.viewDistance = distance;
            return ViewStep::CameraMoved;
        }
        case kGestureRotate: {
            const double divisor = s * (keys.shift ? kRotateShiftDivisor : kRotateDivisor);
            view.tiltX = wrapAngle(static_cast<float>(view.tiltX + dy * 180.0 / divisor));
            view.spinZ = wrapAngle(static_cast<float>(view.spinZ + dx * 180.0 / divisor));
            return ViewStep::CameraMoved;
        }
        default:
            return ViewStep::Nothing;
    }
}

int gestureForDrag(int toolNumber, bool leftButton, bool rightButton) {
    if (leftButton && rightButton) return kGestureZoom;
    if (leftButton) {
        if (toolNumber == 0) return kGestureRotate;
        if (toolNumber == kGesturePan || toolNumber == kGestureZoom || toolNumber == kGestureRotate)
            return toolNumber;
        return kGestureNone;  // construction tools and tools 49 to 52 move nothing
    }
    if (rightButton) return rightButtonPans(toolNumber) ? kGesturePan : kGestureRotate;
    return kGestureNone;
}

bool recordCameraGesture(Document& document, bool alreadyRecorded) {
    if (alreadyRecorded) return false;
    return document.record(kRecordView);
}
