#include "interaction/step_display.h"

#include <algorithm>
#include <charconv>

#include "interaction/view_session.h"
#include "lang/text_ids.h"
#include "model/type_codes.h"

StepDisplay::StepDisplay(Document& document, SessionHost& host, const TextTable& texts, bool showHidden,
                         bool startAtLast, std::function<void()> replaced)
    : document_(document),
      host_(host),
      texts_(texts),
      replaced_(std::move(replaced)),
      showHidden_(showHidden) {
    before_ = document_.sharedConstruction();
    working_ = before_->copy();
    working_->recomputeAll(document_.recomputeContext());
    count_ = working_->listedCount(showHidden_);
    if (count_ == 0) {
        closed_ = true;
        return;
    }
    showStep(startAtLast ? count_ : 1);
}

StepDisplay::~StepDisplay() {
    // Let go without a word to the view, which may be going too.
    if (!closed_) restore();
}

std::vector<std::string> StepDisplay::fieldNames() const {
    return {"step", "period"};
}

bool StepDisplay::field(std::string_view name, std::string& text) const {
    if (name == "step") {
        text = std::to_string(step_);
    } else if (name == "period") {
        text = std::to_string(period_);
    } else {
        return false;
    }
    return true;
}

bool StepDisplay::setField(std::string_view name, std::string_view text, std::string& error) {
    if (closed_) {
        error = "the dialog is closed";
        return false;
    }
    if (name != "period") {
        error = name == "step" ? "the step is chosen by the buttons and the slider"
                               : "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (failure != std::errc() || stop != end ||
        std::find(kPlaybackPeriods.begin(), kPlaybackPeriods.end(), value) == kPlaybackPeriods.end()) {
        error = "a period is one of 100 to 1000 in hundreds, 2000 to 5000 in thousands, or 10000";
        return false;
    }
    period_ = value;
    // A running timer starts again with the new period.
    sincePlaybackTick_ = 0;
    return true;
}

bool StepDisplay::press(std::string_view button, std::string& error) {
    if (closed_) {
        error = "the dialog is closed";
        return false;
    }
    if (button == "first") {
        showStep(1);
    } else if (button == "last") {
        showStep(count_);
    } else if (button == "next") {
        if (step_ < count_) showStep(step_ + 1);
    } else if (button == "previous") {
        if (step_ >= 2) showStep(step_ - 1);
    } else if (button == "play") {
        playing_ = !playing_;
        sincePlaybackTick_ = 0;
    } else if (button == "ok") {
        playing_ = false;
        finish(step_ < count_ && host_.askYesNoCancel(textid::kCutConstructionQuestion) == YesNoCancel::Yes);
    } else if (button == "cancel") {
        finish(false);
    } else {
        error = "the dialog has no button '" + std::string(button) +
                "' (first, last, next, previous, play, ok, cancel)";
        return false;
    }
    return true;
}

bool StepDisplay::setSlider(int position, std::string& error) {
    if (closed_ || position < 1 || position > count_) {
        error = closed_ ? "the dialog is closed" : "the slider runs from 1 to " + std::to_string(count_);
        return false;
    }
    showStep(position);
    return true;
}

void StepDisplay::showStep(int k) {
    if (closed_ || k < 1 || k > count_) return;
    Element* e = working_->nthListed(k, showHidden_);
    if (e == nullptr) return;
    step_ = k;
    const int index = working_->indexOf(e);
    cutEnd_ = working_->groupEnd(index);
    // The copy keeps what the working copy computed; everything up to e depends
    // on nothing after it.
    std::shared_ptr<Construction> shown = working_->copy();
    shown->truncate(cutEnd_);
    shown->setSelectedAll(0, false);
    shown->at(index)->selected = 1;
    document_.show(shown);
    shown_ = std::move(shown);

    title_ = composeDescription(texts_, e->typeCode());
    if (k == 1) title_ += " (" + texts_.text(textid::kFirstStep) + ")";
    if (k == count_) title_ += " (" + texts_.text(textid::kLastStep) + ")";
    if (replaced_) replaced_();
}

void StepDisplay::playbackTick() {
    if (!closed_ && playing_ && step_ < count_) showStep(step_ + 1);
}

void StepDisplay::elapse(int milliseconds) {
    if (closed_ || !playing_ || milliseconds <= 0) return;
    sincePlaybackTick_ += milliseconds;
    const int ticks = sincePlaybackTick_ / period_;
    sincePlaybackTick_ %= period_;
    // Only the last of several ticks in a row shows.
    if (ticks > 0 && step_ < count_) showStep(std::min(count_, step_ + std::min(ticks, count_)));
}

void StepDisplay::restore() {
    // Another change made while the display was open stays as it is.
    if (document_.sharedConstruction() == shown_) document_.show(before_);
}

void StepDisplay::finish(bool cut) {
    closed_ = true;
    playing_ = false;
    if (cut && document_.sharedConstruction() == shown_) {
        std::unique_ptr<Construction> kept = working_->copy();
        kept->truncate(cutEnd_);
        kept->setSelectedAll(0, false);
        document_.commit(std::move(kept));
    } else {
        restore();
    }
    shown_.reset();
    working_.reset();
    if (replaced_) replaced_();
}

// ---- the view's command

void ViewSession::openStepDisplay(bool startAtLast) {
    setTool(kSelectionTool);
    if (document_.construction().listedCount(showHidden_) == 0) {
        host_.message(textid::kNoStepsToShow, MessageIcon::Error);
        return;
    }
    openDialog(std::make_unique<StepDisplay>(document_, host_, texts(), showHidden_, startAtLast,
                                             [this] { constructionReplaced(); }));
}

const TextTable& ViewSession::texts() const {
    static const TextTable none;
    return texts_ ? *texts_ : none;
}
