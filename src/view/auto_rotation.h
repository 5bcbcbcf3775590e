#pragma once

#include <cstdint>

#include "model/document.h"
#include "model/view_state.h"

// Automatic rotation, driven by idle ticks. The clock takes the millisecond
// time from its caller, so a tick is a plain function of the time.

// Ticks closer together than this do nothing.
inline constexpr std::uint32_t kMinTickMilliseconds = 11;

class IdleClock {
  public:
    // The elapsed milliseconds when a tick is due at time now (ms), or -1 when
    // ticks are paused or less than 11 ms have passed since the last one. The
    // millisecond counter may wrap around. The first tick ever sets the clock
    // and reports 0.
    std::int64_t tick(std::uint32_t now);

    void pause() { paused_ = true; }
    // Resumes the ticks; a rotation running on resumes with a step of 0.
    void resume();
    bool paused() const { return paused_; }

    // Automatic rotation (re)started: its next tick turns 0° whatever the elapsed time.
    void restartRotation() { rotationRestarted_ = true; }
    // The step size for the rotation on a due tick: 0 on the first tick after a
    // (re)start, otherwise the elapsed time.
    std::uint32_t rotationMilliseconds(std::uint32_t elapsed);

  private:
    bool started_ = false;
    bool paused_ = true;
    bool rotationRestarted_ = true;
    std::uint32_t last_ = 0;
};

// The degrees automatic rotation turns in the given time: 20, 40 or 60 degrees
// a second for speed 1, 2 and any other, negated when reversed.
double rotationDegrees(const ViewState& view, double milliseconds);

// One step: spinZ is brought back into [-360, 360], then the step is added.
void autoRotateStep(ViewState& view, double milliseconds);

// The idle tick's rotation part for the current document: the step when the
// document rotates. Returns whether the view changed (a redraw is due).
bool autoRotateTick(ViewState& view, IdleClock& clock, std::uint32_t elapsed);

// Switching automatic rotation on restarts its clock; switching it off records
// one undo step with the camera where it stopped. The caller selects tools and
// pauses or resumes the ticks.
void setAutoRotate(Document& document, IdleClock& clock, bool on);
