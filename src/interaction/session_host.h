#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "interaction/dialog_model.h"
#include "model/type_codes.h"

class Element;

// The number of sides a new regular polygon may have.
inline constexpr int kMinRegularPolygonSides = 3;
inline constexpr int kMaxRegularPolygonSides = 1000;

// The icon of a message box.
enum class MessageIcon { Error, Stop, Warning, Information };

// The answer to a question with Yes, No and Cancel.
enum class YesNoCancel { Yes, No, Cancel };

// What a file dialog is opened with. Each filter is a text the user reads and
// the pattern it selects ("Macros (*.m3d)", "*.m3d").
struct FileQuestion {
    std::vector<std::pair<std::string, std::string>> filters;
    std::string defaultExtension;  // without the dot
    std::string proposedName;      // the file name offered; empty: none
    std::string directory;         // where the dialog starts; empty: anywhere
};

// What a document's view asks of whoever shows it: the answers only a user
// can give and the few things only a window can do. The Qt window answers with
// dialogs, `kova3d-cli play` from its script, tests from a queue.
class SessionHost {
  public:
    virtual ~SessionHost() = default;

    // A message box with the language text of textId.
    virtual void message(int textId, MessageIcon icon) = 0;
    // The number of sides of a new regular polygon; 0 when the user cancels.
    virtual int askRegularPolygonSides() = 0;
    // The type code of the solid for a new regular polyhedron; None when the user cancels.
    virtual TypeCode askRegularPolyhedron() = 0;
    // Puts a text on the system clipboard (numbers and coordinates on Copy).
    virtual void setClipboardText(const std::string& text) = 0;
    // The colour dialog opened on a colour; nothing when the user cancels.
    virtual std::optional<std::uint32_t> askColour(std::uint32_t /*initial*/) { return std::nullopt; }
    // The construction changed (commit, undo, drag end, delete…): the
    // construction list and the title's modified mark follow.
    virtual void constructionChanged() {}
    // The current tool changed: the pressed tool-bar button follows.
    virtual void toolChanged(int /*toolNumber*/) {}
    // A dialog the session opened (see ViewSession::openDialog). A window shows
    // it at once, modal or not as the dialog is meant; a modal one has closed
    // when this returns. A script host shows nothing: the script sets its
    // fields and presses its buttons through the session.
    virtual void showDialog(DialogModel&) {}
    // The language text of a text id (dialog titles); empty without texts.
    virtual std::string text(int /*textId*/) const { return {}; }
    // A question with the language text of textId, answered Yes, No or Cancel.
    virtual YesNoCancel askYesNoCancel(int /*textId*/) { return YesNoCancel::Cancel; }
    // The animation window opened, ran, paused or closed: idle ticks follow.
    virtual void animationChanged() {}
    // A message box with a text of its own (UTF-8) rather than a language text.
    virtual void messageText(const std::string& /*text*/, MessageIcon /*icon*/) {}
    // A line of text typed after the language text of promptId; nothing when cancelled.
    virtual std::optional<std::string> askText(int /*promptId*/) { return std::nullopt; }
    // The file chosen in a save or open dialog; nothing when cancelled.
    virtual std::optional<std::string> askSaveFile(const FileQuestion&) { return std::nullopt; }
    virtual std::optional<std::string> askOpenFile(const FileQuestion&) { return std::nullopt; }
    // The folder macro files were last read from or written to, which the
    // program remembers; empty: the program's own folder.
    virtual std::string macroDirectory() const { return {}; }
    virtual void setMacroDirectory(const std::string& /*directory*/) {}
};
