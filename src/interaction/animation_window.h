#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "interaction/dialog_model.h"
#include "lang/text_table.h"
#include "model/document.h"

// The animation window: the document's animation list, one row an entry with
// its element, direction and speed, and the buttons that run and pause it.
// It stays open beside the view; while it is open and running, the view's
// idle ticks advance the animation (ViewSession::animationTick).
//
// Fields, for the entry in row N (from 1): "element.N" (its name, or its
// description when it has none; not editable), "direction.N" (1 forward, 0
// backward) and "speed.N" (a whole number, kMinAnimationSpeed to
// kMaxAnimationSpeed). Buttons: "run", "pause", and "close" (or "ok",
// "cancel"), which closes it.
inline constexpr int kMinAnimationSpeed = 0;
inline constexpr int kMaxAnimationSpeed = 999;

class AnimationWindow : public DialogModel {
  public:
    // changed: the window ran, paused or closed (the idle ticks follow it).
    AnimationWindow(Document& document, const TextTable& texts, std::function<void()> changed);

    std::string title() const override;
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    bool paused() const { return paused_; }
    // Open, not paused, and a construction to animate.
    bool running() const;
    // The ticks start again (the window opened, ran again, or its view became
    // current again): the next step takes no time.
    void restart();
    // The milliseconds the step of a due tick covers: 0 on the first after a
    // (re)start, else the time elapsed since the last.
    double stepMilliseconds(std::uint32_t elapsed);
    // A run records one undo step before its first movement, as a drag does:
    // whether the document's current construction is the one this run recorded.
    bool runRecorded() const;
    void setRunRecorded();

  private:
    // The entry of a field named prefix + "." + row; nullptr when there is none.
    AnimationEntry* entryOf(std::string_view name, std::string_view prefix) const;

    Document& document_;
    const TextTable& texts_;
    std::function<void()> changed_;
    bool paused_ = false;
    bool closed_ = false;
    bool restarted_ = true;
    // The construction the run made current when it recorded its step.
    std::weak_ptr<Construction> recorded_;
};
