#pragma once

#include <string>

class CChildFrame;
class Clipboard;
class QPrinter;
class TextTable;
class UserPrompts;

// What a document window asks of the window that holds it: the language, the
// prompts, the program's clipboard, the state its view and picking follow, and
// the events it reports. The main window implements it; a document window
// knows nothing more of it.
class DocumentWindowHost {
  public:
    virtual const TextTable& texts() const = 0;
    virtual UserPrompts& prompts() = 0;
    // The construction that Cut, Copy and Paste share between documents.
    virtual Clipboard& clipboard() = 0;
    // The printer every document prints on, with the page Print options chose.
    virtual QPrinter& printer() = 0;
    virtual bool showHidden() const = 0;  // "Ver lo oculto"
    virtual bool colouredLabels() const = 0;
    // The factor of camera gestures for the screen the window is on.
    virtual float screenScale() const = 0;
    // The folder macro files were last read from or written to (a setting).
    virtual std::string macroDirectory() const = 0;
    virtual void setMacroDirectory(const std::string& directory) = 0;

    // The document of the window changed in a way the menus show.
    virtual void documentChanged(CChildFrame* child) = 0;
    // The window's view state changed (hover, picks): the status pane follows.
    virtual void viewChanged(CChildFrame* child) = 0;
    // The window's session made another tool current.
    virtual void toolChanged(CChildFrame* child, int toolNumber) = 0;
    // The window took the focus: automatic rotation may run again.
    virtual void resumeTicksIfNeeded() = 0;
    // The window was asked to close: true when it may (its document is then gone).
    virtual bool closeChild(CChildFrame* child) = 0;

  protected:
    ~DocumentWindowHost() = default;
};
