#pragma once

#include <QPrinter>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/user_prompts.h"

// Answers the windows' questions from a script and keeps what they showed.
class FakePrompts : public UserPrompts {
  public:
    void message(QWidget*, const std::string& text, MessageIcon icon) override {
        messages.emplace_back(text, icon);
    }
    SaveAnswer askSaveChanges(QWidget*, const std::string& question) override {
        questions.push_back(question);
        if (answers.empty()) return SaveAnswer::Cancel;
        const SaveAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string openFileName(QWidget*, const std::string& filter, const std::string& directory) override {
        openFilters.push_back(filter);
        openDirectories.push_back(directory);
        return openPath;
    }
    std::string saveFileName(QWidget*, const SaveDialogRequest& request) override {
        saveRequests.push_back(request);
        return savePath;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        if (pdfPath.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        return true;
    }
    bool choosePage(QWidget*, QPrinter& printer) override {
        if (pageOrientation) printer.setPageOrientation(*pageOrientation);
        return pageOrientation.has_value();
    }
    std::optional<int> askNumber(QWidget*, const std::string&, int, int) override { return next(numbers); }
    std::optional<int> askChoice(QWidget*, const std::string&,
                                 const std::vector<std::string>& offered) override {
        choices.push_back(offered);
        return next(choiceAnswers);
    }
    std::optional<std::uint32_t> askColour(QWidget*, std::uint32_t) override { return next(colours); }
    std::optional<std::string> askText(QWidget*, const std::string& prompt) override {
        textPrompts.push_back(prompt);
        return next(texts);
    }

    std::vector<std::pair<std::string, MessageIcon>> messages;
    std::vector<std::string> questions;
    std::deque<SaveAnswer> answers;  // Cancel once they run out
    std::vector<std::string> openFilters;
    std::vector<std::string> openDirectories;
    std::vector<SaveDialogRequest> saveRequests;
    std::string openPath;
    std::string savePath;                                     // empty: the save dialog is cancelled
    std::string pdfPath;                                      // empty: the print dialog is cancelled
    std::optional<QPageLayout::Orientation> pageOrientation;  // none: the page set-up is cancelled
    // The answers of the number, choice and colour questions; cancelled once they run out.
    std::deque<int> numbers;
    std::deque<int> choiceAnswers;
    std::deque<std::uint32_t> colours;
    std::deque<std::string> texts;  // typed texts; cancelled once they run out
    std::vector<std::string> textPrompts;
    std::vector<std::vector<std::string>> choices;  // what each choice question offered

  private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        const T value = queue.front();
        queue.pop_front();
        return value;
    }
};
