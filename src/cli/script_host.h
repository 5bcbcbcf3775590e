#pragma once

#include <deque>
#include <functional>
#include <string>

#include "interaction/session_host.h"

// What a view asks while `kova3d-cli play` runs it. Questions take the
// answers the script queued with `answer`, first queued first taken; the view
// judges the number given as its dialog would. A question that finds no
// answer, or one of the wrong sort, is cancelled and leaves a fault for the
// script's line. Message boxes go nowhere (the
// command prints only what the script asks for); the clipboard text is kept.
class ScriptHost : public SessionHost {
  public:
    void queueAnswer(std::string answer) { answers_.push_back(std::move(answer)); }

    void message(int textId, MessageIcon icon) override;
    int askRegularPolygonSides() override;
    TypeCode askRegularPolyhedron() override;
    void setClipboardText(const std::string& text) override { clipboardText_ = text; }
    // A colour answer is #RRGGBB, or the stored value (red in the low byte) in decimal.
    std::optional<std::uint32_t> askColour(std::uint32_t initial) override;
    // Dialog titles come from the language texts the runner loads when first asked.
    std::string text(int textId) const override { return textLookup_ ? textLookup_(textId) : std::string(); }
    void setTextLookup(std::function<std::string(int)> lookup) { textLookup_ = std::move(lookup); }
    // The answer is yes, no or cancel.
    YesNoCancel askYesNoCancel(int textId) override;
    void messageText(const std::string&, MessageIcon) override { ++messageCount_; }
    // A typed text is the answer as it stands; a file name is the answer, or cancel.
    std::optional<std::string> askText(int promptId) override;
    std::optional<std::string> askSaveFile(const FileQuestion&) override { return takeFileName(); }
    std::optional<std::string> askOpenFile(const FileQuestion&) override { return takeFileName(); }
    std::string macroDirectory() const override { return macroDirectory_; }
    void setMacroDirectory(const std::string& directory) override { macroDirectory_ = directory; }

    const std::string& clipboardText() const { return clipboardText_; }
    int messageCount() const { return messageCount_; }
    // The fault left by the last question, cleared as it is taken; empty: none.
    std::string takeFault();

  private:
    // The next answer, or a fault when none is queued.
    std::optional<std::string> takeAnswer(const char* question);
    // The next answer as a whole number, 0 for "cancel"; 0 with a fault when
    // none is queued or it is no number.
    int takeNumber(const char* question);
    std::optional<std::string> takeFileName();

    std::deque<std::string> answers_;
    std::string fault_;
    std::string clipboardText_;
    int messageCount_ = 0;
    std::function<std::string(int)> textLookup_;
    std::string macroDirectory_;
};
