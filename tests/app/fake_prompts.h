#pragma once

#include <QPrinter>
#include <deque>
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
    std::string openFileName(QWidget*, const std::string& filter) override {
        openFilters.push_back(filter);
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

    std::vector<std::pair<std::string, MessageIcon>> messages;
    std::vector<std::string> questions;
    std::deque<SaveAnswer> answers;  // Cancel once they run out
    std::vector<std::string> openFilters;
    std::vector<SaveDialogRequest> saveRequests;
    std::string openPath;
    std::string savePath;  // empty: the save dialog is cancelled
    std::string pdfPath;   // empty: the print dialog is cancelled
};
