#include "view/auto_rotation.h"

#include "view/camera_controls.h"

std::int64_t IdleClock::tick(std::uint32_t now) {
    if (paused_) return -1;
    if (!started_) {
        started_ = true;
        last_ = now;
        return 0;
    }
    const std::uint32_t elapsed = now - last_;  // modular, so a wrapped counter still counts forwards
    if (elapsed < kMinTickMilliseconds) return -1;
    last_ = now;
    return elapsed;
}

void IdleClock::resume() {
    paused_ = false;
    rotationRestarted_ = true;
}

std::uint32_t IdleClock::rotationMilliseconds(std::uint32_t elapsed) {
    if (rotationRestarted_) {
        rotationRestarted_ = false;
        return 0;
    }
    return elapsed;
}

double rotationDegrees(const ViewState& view, double milliseconds) {
    const double perStep = view.rotationSpeed == 1 ? 0.5 : view.rotationSpeed == 2 ? 1.0 : 1.5;
    const double degrees = milliseconds * perStep / 25.0;
    return view.rotationReverse ? -degrees : degrees;
}

void autoRotateStep(ViewState& view, double milliseconds) {
    view.spinZ = static_cast<float>(wrapAngle(view.spinZ) + rotationDegrees(view, milliseconds));
}

bool autoRotateTick(ViewState& view, IdleClock& clock, std::uint32_t elapsed) {
    if (!view.autoRotate) return false;
    autoRotateStep(view, clock.rotationMilliseconds(elapsed));
    return true;
}

void setAutoRotate(Document& document, IdleClock& clock, bool on) {
    document.view.autoRotate = on ? 1 : 0;
    if (on) {
        clock.restartRotation();
    } else {
        // The flag is cleared first: the document keeps no camera records while it rotates.
        document.record(kRecordView);
    }
}
