#pragma once

#include <array>
#include <functional>
#include <memory>

#include "interaction/dialog_model.h"
#include "interaction/session_host.h"
#include "lang/text_table.h"
#include "model/document.h"

// The periods playback can step at, in milliseconds, and the one preselected.
inline constexpr std::array<int, 15> kPlaybackPeriods = {100, 200,  300,  400,  500,  600,  700,  800,
                                                         900, 1000, 2000, 3000, 4000, 5000, 10000};
inline constexpr int kDefaultPlaybackPeriod = 500;

// The step-by-step display: replays the document's construction one listed
// element at a time. While it is open the document shows a copy of its
// construction ended after the current step's element (with its generated
// elements), that element selected; the recorded construction is untouched.
// Confirming on an earlier step may cut the construction back to that step as
// one undo step; everything else puts the construction from before back.
//
// Buttons "first", "last", "next", "previous", "play" (playback on or off),
// "ok" and "cancel"; the slider runs from 1 to the number of steps. Fields
// "step" (the current step, not editable) and "period" (the playback period
// in milliseconds, one of kPlaybackPeriods).
class StepDisplay : public DialogModel {
  public:
    // Opens at step 1, or at the last with startAtLast. showHidden: hidden
    // elements take steps of their own. replaced: the document shows another
    // construction (the view lets go of what pointed into the one before).
    StepDisplay(Document& document, SessionHost& host, const TextTable& texts, bool showHidden,
                bool startAtLast, std::function<void()> replaced);
    ~StepDisplay() override;
    StepDisplay(const StepDisplay&) = delete;
    StepDisplay& operator=(const StepDisplay&) = delete;

    std::string title() const override { return title_; }
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool setSlider(int position, std::string& error) override;
    bool closed() const override { return closed_; }

    int stepCount() const { return count_; }
    int step() const { return step_; }
    bool playing() const { return playing_; }
    int period() const { return period_; }
    // Shows a step from 1 to stepCount(); others are ignored.
    void showStep(int k);
    // One tick of the playback timer: the next step, nothing at the last.
    void playbackTick();
    // Lets time pass for a view without a timer: every whole period of
    // playback is one tick.
    void elapse(int milliseconds);

  private:
    // The construction from before goes back, unless the document has moved on to another.
    void restore();
    void finish(bool cut);

    Document& document_;
    SessionHost& host_;
    const TextTable& texts_;
    std::function<void()> replaced_;
    std::shared_ptr<Construction> before_;
    std::shared_ptr<Construction> working_;
    // What the document shows now; nullptr once the display has let go of it.
    std::shared_ptr<Construction> shown_;
    bool showHidden_;
    int count_ = 0;
    int step_ = 0;
    // The size of the working copy up to the current step's element and its generated elements.
    int cutEnd_ = 0;
    std::string title_;
    bool playing_ = false;
    int period_ = kDefaultPlaybackPeriod;
    int sincePlaybackTick_ = 0;
    bool closed_ = false;
};
