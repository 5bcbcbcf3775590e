#pragma once

#include <deque>
#include <string>

#include "interaction/session_host.h"

// The polyhedra a regular-polyhedron question may be answered with.
inline constexpr int kPolyhedronCodes[] = {10700, 10705, 10710, 10715, 10720};
// The most sides a script may ask a regular polygon for.
inline constexpr int kMaxScriptPolygonSides = 1000;

// What a view asks while `kova3d-cli play` runs it. Questions take the
// answers the script queued with `answer`, first queued first taken. A
// question that finds no answer, or one that does not fit it, is cancelled
// and leaves a fault for the script's line. Message boxes go nowhere (the
// command prints only what the script asks for); the clipboard text is kept.
class ScriptHost : public SessionHost {
  public:
    void queueAnswer(std::string answer) { answers_.push_back(std::move(answer)); }

    void message(int textId, MessageIcon icon) override;
    int askRegularPolygonSides() override;
    int askRegularPolyhedron() override;
    void setClipboardText(const std::string& text) override { clipboardText_ = text; }

    const std::string& clipboardText() const { return clipboardText_; }
    int messageCount() const { return messageCount_; }
    // The fault left by the last question, cleared as it is taken; empty: none.
    std::string takeFault();

  private:
    // The next answer as a whole number in [low, high], 0 for "cancel";
    // 0 with a fault when none is queued or it does not fit.
    int takeNumber(const char* question, int low, int high);

    std::deque<std::string> answers_;
    std::string fault_;
    std::string clipboardText_;
    int messageCount_ = 0;
};
