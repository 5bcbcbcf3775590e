#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/close_question.h"
#include "interaction/session_host.h"

class QPrinter;
class QWidget;

// What a save dialog is opened with.
struct SaveDialogRequest {
    std::string filter;         // as fileDialogFilter makes it
    std::string defaultSuffix;  // without the dot
    std::string initialName;
    std::string directory;  // where the dialog starts; empty: anywhere
};

// Everything the windows ask of the user goes through here, so that the rules
// behind the questions can be driven without modal dialogs.
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    virtual void message(QWidget* parent, const std::string& text, MessageIcon icon) = 0;
    virtual SaveAnswer askSaveChanges(QWidget* parent, const std::string& question) = 0;
    // The chosen file, or an empty text when the dialog was cancelled.
    virtual std::string openFileName(QWidget* parent, const std::string& filter,
                                     const std::string& directory) = 0;
    virtual std::string saveFileName(QWidget* parent, const SaveDialogRequest& request) = 0;
    // The print dialog (page numbers off); false when it was cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // The page set-up dialog (paper, orientation, margins); false when it was cancelled.
    virtual bool choosePage(QWidget* parent, QPrinter& printer) = 0;
    // A whole number from first to last, offered at first; nothing when cancelled.
    virtual std::optional<int> askNumber(QWidget* parent, const std::string& title, int first, int last) = 0;
    // One of the choices by its position; nothing when cancelled.
    virtual std::optional<int> askChoice(QWidget* parent, const std::string& title,
                                         const std::vector<std::string>& choices) = 0;
    // The colour dialog (red in the low byte); nothing when cancelled.
    virtual std::optional<std::uint32_t> askColour(QWidget* parent, std::uint32_t initial) = 0;
    // A line of text after a prompt; nothing when cancelled.
    virtual std::optional<std::string> askText(QWidget* parent, const std::string& prompt) = 0;
};

// The real dialogs.
class DialogPrompts : public UserPrompts {
  public:
    void message(QWidget* parent, const std::string& text, MessageIcon icon) override;
    SaveAnswer askSaveChanges(QWidget* parent, const std::string& question) override;
    std::string openFileName(QWidget* parent, const std::string& filter,
                             const std::string& directory) override;
    std::string saveFileName(QWidget* parent, const SaveDialogRequest& request) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool choosePage(QWidget* parent, QPrinter& printer) override;
    std::optional<int> askNumber(QWidget* parent, const std::string& title, int first, int last) override;
    std::optional<int> askChoice(QWidget* parent, const std::string& title,
                                 const std::vector<std::string>& choices) override;
    std::optional<std::uint32_t> askColour(QWidget* parent, std::uint32_t initial) override;
    std::optional<std::string> askText(QWidget* parent, const std::string& prompt) override;
};
