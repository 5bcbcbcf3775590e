#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "interaction/session_host.h"

// A host that answers from queues and keeps what the session told it.
class FakeHost : public SessionHost {
  public:
    void message(int textId, MessageIcon icon) override { messages.emplace_back(textId, icon); }
    int askRegularPolygonSides() override { return next(sides); }
    TypeCode askRegularPolyhedron() override { return static_cast<TypeCode>(next(solids)); }
    void setClipboardText(const std::string& text) override { clipboardText = text; }
    std::optional<std::uint32_t> askColour(std::uint32_t) override {
        if (colours.empty()) return std::nullopt;
        const std::uint32_t c = colours.front();
        colours.pop_front();
        return c;
    }
    void constructionChanged() override { ++changes; }
    void toolChanged(int toolNumber) override { tools.push_back(toolNumber); }
    YesNoCancel askYesNoCancel(int textId) override {
        questions.push_back(textId);
        if (yesNoCancel.empty()) return YesNoCancel::Cancel;
        const YesNoCancel a = yesNoCancel.front();
        yesNoCancel.pop_front();
        return a;
    }
    void animationChanged() override { ++animationChanges; }
    void messageText(const std::string& text, MessageIcon) override { messageTexts.push_back(text); }
    std::optional<std::string> askText(int) override { return nextText(typed); }
    std::optional<std::string> askSaveFile(const FileQuestion& q) override {
        fileQuestions.push_back(q);
        return nextText(files);
    }
    std::optional<std::string> askOpenFile(const FileQuestion& q) override {
        fileQuestions.push_back(q);
        return nextText(files);
    }
    std::string macroDirectory() const override { return macroFolder; }
    void setMacroDirectory(const std::string& folder) override { macroFolder = folder; }

    std::deque<int> sides;   // answers; 0 cancels, an empty queue too
    std::deque<int> solids;  // type codes; 0 cancels
    // Colours the colour dialog answers; an empty queue cancels.
    std::deque<std::uint32_t> colours;
    std::vector<std::pair<int, MessageIcon>> messages;
    std::string clipboardText;
    std::vector<int> tools;
    int changes = 0;
    std::deque<YesNoCancel> yesNoCancel;  // an empty queue cancels
    std::vector<int> questions;           // the text ids asked
    int animationChanges = 0;
    std::vector<std::string> messageTexts;
    // Typed texts and chosen files; an empty queue cancels.
    std::deque<std::string> typed;
    std::deque<std::string> files;
    std::vector<FileQuestion> fileQuestions;
    std::string macroFolder;

  private:
    static std::optional<std::string> nextText(std::deque<std::string>& answers) {
        if (answers.empty()) return std::nullopt;
        std::string a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
    static int next(std::deque<int>& answers) {
        if (answers.empty()) return 0;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};
