#pragma once

#include <string>

#include "cli/play_script.h"
#include "cli/script_host.h"
#include "interaction/options_dialog.h"
#include "interaction/view_session.h"
#include "lang/text_table.h"
#include "model/clipboard.h"
#include "view/auto_rotation.h"

// Drives one document's view from script commands as a user would drive the
// window: each mouse command is the sequence of events a hand makes, the
// trailing keys go down before its first event and up after its last, and
// the view is painted (headless) whenever an event asks for it.
class ScriptRunner {
  public:
    ScriptRunner(Document& document, Viewport viewport, const char* argv0);
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Runs one command: the tool's exit code (kExitOk), or another with the reason in error.
    int run(const ScriptCommand& command, std::string& error);

    ViewSession& session() { return session_; }
    const ScriptHost& host() const { return host_; }

  private:
    // The window pixel of a position now; false with the reason when it names
    // nothing that shows or lies outside any window.
    bool windowPosition(const ScriptPosition& position, int& x, int& y, std::string& error) const;
    bool namedPosition(const std::string& name, int& x, int& y, std::string& error) const;
    int mouseCommand(const ScriptCommand& command, std::string& error);
    int menuCommand(int id, std::string& error);
    int openDialog(const ScriptCommand& command, std::string& error);
    // The options over the script's own program defaults and its document.
    void openOptions();
    // What the program defaults mean for the view: the decimals of new
    // numbers, the step-by-step option, the language.
    void applyProgramOptions();
    // set, press, slider and the prints of the open dialog.
    int dialogCommand(const ScriptCommand& command, std::string& error);
    // The first element of the list with this name (stored or UTF-8), or nullptr.
    Element* namedElement(const std::string& name) const;
    int save(const std::string& path, std::string& error);
    int printStatus(std::string& error);
    // Loads the language texts once, for the status and the dialogs' titles,
    // and hands them to the session; false when they cannot be read.
    bool loadTexts();
    // One idle tick `milliseconds` after the previous one.
    void tick(int milliseconds);
    void printSelection();
    // The construction list's lines without their leading blanks, one a line.
    int printList(std::string& error);
    void keysDown(SessionKeys keys);
    void keysUp(SessionKeys keys);
    // A window paints after an event that asks for it.
    void paintIfDue();

    Document& document_;
    const char* argv0_;
    ScriptHost host_;
    Clipboard clipboard_;
    ViewSession session_;
    SessionKeys held_;
    TextTable texts_;
    bool textsLoaded_ = false;
    bool textsTried_ = false;
    // The program-wide values a window keeps in its settings; a script starts
    // from a first start's and changes them through the options.
    ProgramOptions program_;
    std::string loadedLanguage_ = "English.lng";
    // The idle ticks' clock and the script's time, which only `tick` moves.
    IdleClock clock_;
    std::uint32_t now_ = 0;
};
