#include "interaction/macro_dialog.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "interaction/view_session.h"
#include "io/file_bytes.h"
#include "io/macro_file.h"
#include "lang/composed_texts.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"

namespace {

constexpr const char* kMacroPattern = "*.m3d";
constexpr const char* kAllFilesPattern = "*.*";
constexpr const char* kMacroExtension = "m3d";

std::string kindsText(const TextTable& texts, const Macro& macro) {
    std::string text;
    for (ElementKind kind : macro.initialKinds) {
        if (!text.empty()) text += ", ";
        text += texts.text(kindNameTextId(static_cast<int>(kind)));
    }
    return text;
}

// The folder of a chosen file, which becomes the macro folder.
std::string folderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

// A macro's name as a file name: no folder separators.
std::string fileNameOf(const std::string& name) {
    std::string file = windows1252ToUtf8(name);
    std::replace(file.begin(), file.end(), '/', '_');
    return file;
}

}  // namespace

MacroDialog::MacroDialog(ViewSession& session, SessionHost& host) : session_(session), host_(host) {
    if (!session_.document().macros.empty()) selected_ = 0;
}

std::string MacroDialog::title() const {
    std::string title = session_.texts().text(textid::kMacroOptions);
    while (!title.empty() && (title.back() == '.' || title.back() == ' ')) title.pop_back();
    return title;
}

std::vector<std::string> MacroDialog::fieldNames() const {
    return {"selected", "name", "description", "kinds", "count", "initial", "final"};
}

int MacroDialog::selected() const {
    const int count = static_cast<int>(session_.document().macros.size());
    return selected_ < count ? selected_ : -1;
}

Macro* MacroDialog::selectedMacro() const {
    const int index = selected();
    return index < 0 ? nullptr : &session_.document().macros[static_cast<std::size_t>(index)];
}

std::vector<MacroListRow> MacroDialog::rows() const {
    std::vector<MacroListRow> rows;
    for (const Macro& macro : session_.document().macros)
        rows.push_back({windows1252ToUtf8(macro.name), windows1252ToUtf8(macro.description),
                        kindsText(session_.texts(), macro)});
    return rows;
}

bool MacroDialog::field(std::string_view name, std::string& text) const {
    const Macro* macro = selectedMacro();
    if (name == "selected") {
        text = macro ? std::to_string(selected()) : std::string();
    } else if (name == "name") {
        text = macro ? windows1252ToUtf8(macro->name) : std::string();
    } else if (name == "description") {
        text = macro ? windows1252ToUtf8(macro->description) : std::string();
    } else if (name == "kinds") {
        text = macro ? kindsText(session_.texts(), *macro) : std::string();
    } else if (name == "count") {
        text = std::to_string(session_.document().macros.size());
    } else if (name == "initial" || name == "final") {
        text = std::to_string(session_.macroPicks(name == "final").size());
    } else {
        return false;
    }
    return true;
}

bool MacroDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (closed_) {
        error = "the dialog is closed";
        return false;
    }
    if (name == "selected") {
        const int count = static_cast<int>(session_.document().macros.size());
        int index = -1;
        const char* end = text.data() + text.size();
        const auto [stop, failure] = std::from_chars(text.data(), end, index);
        if (text.empty()) {
            selected_ = -1;
            return true;
        }
        if (failure != std::errc() || stop != end || index < 0 || index >= count) {
            error = "there is no macro " + std::string(text) + " (0 to " + std::to_string(count - 1) + ")";
            return false;
        }
        selected_ = index;
        return true;
    }
    if (name != "name" && name != "description") {
        error = "the dialog has no field '" + std::string(name) + "' to type in";
        return false;
    }
    Macro* macro = selectedMacro();
    if (macro == nullptr) {
        error = "no macro is selected";
        return false;
    }
    std::string& stored = name == "name" ? macro->name : macro->description;
    const std::string typed = storedMacroText(text);
    if (typed == stored) return true;
    // A macro without a name cannot be made; it cannot lose its name either.
    if (name == "name" && typed.empty()) {
        error = "a macro needs a name";
        return false;
    }
    stored = typed;
    session_.document().modified = true;
    host_.constructionChanged();
    return true;
}

bool MacroDialog::press(std::string_view button, std::string& error) {
    if (closed_) {
        error = "the dialog is closed";
        return false;
    }
    if (button == "start" || button == "final") {
        session_.pickMacroElements(button == "final");
    } else if (button == "make") {
        const MacroMade made = session_.makeMacroFromPicks();
        if (made == MacroMade::NothingPicked) {
            error = "a macro needs initial and final elements";
            return false;
        }
        if (made == MacroMade::Made) selected_ = static_cast<int>(session_.document().macros.size()) - 1;
    } else if (button == "apply" || button == "remove" || button == "export") {
        if (selectedMacro() == nullptr) {
            // As the dialog's buttons do with nothing selected: nothing happens.
            if (button == "export") return true;
            error = "no macro is selected";
            return false;
        }
        if (button == "apply") {
            session_.applyMacroTool(selected());
        } else if (button == "remove") {
            removeMacro(session_.document(), selected());
            selected_ = -1;
            host_.constructionChanged();
        } else {
            exportSelected();
        }
    } else if (button == "import") {
        importOne();
    } else if (button == "close" || button == "ok" || button == "cancel") {
        closed_ = true;
    } else {
        error = "the dialog has no button '" + std::string(button) + "'";
        return false;
    }
    return true;
}

void MacroDialog::exportSelected() {
    const Macro& macro = *selectedMacro();
    FileQuestion question;
    question.filters = {{session_.texts().text(textid::kFilterMacros), kMacroPattern}};
    question.defaultExtension = kMacroExtension;
    question.proposedName = fileNameOf(macro.name);
    question.directory = host_.macroDirectory();
    const std::optional<std::string> path = host_.askSaveFile(question);
    if (!path || path->empty()) return;
    host_.setMacroDirectory(folderOf(*path));
    if (exportMacro(macro, *path) != 1) host_.messageText(kCannotCreateFileMessage, MessageIcon::Error);
}

void MacroDialog::importOne() {
    const TextTable& texts = session_.texts();
    FileQuestion question;
    question.filters = {{texts.text(textid::kFilterMacros), kMacroPattern},
                        {texts.text(textid::kFilterAllFiles), kAllFilesPattern}};
    question.defaultExtension = kMacroExtension;
    question.directory = host_.macroDirectory();
    const std::optional<std::string> path = host_.askOpenFile(question);
    if (!path || path->empty()) return;
    host_.setMacroDirectory(folderOf(*path));
    Macro macro;
    if (importMacro(*path, macro) != 1) {
        host_.message(textid::kCannotOpenFile, MessageIcon::Error);
        return;
    }
    // A full list takes no more, without a word.
    if (!addMacro(session_.document(), std::move(macro))) return;
    selected_ = static_cast<int>(session_.document().macros.size()) - 1;
    host_.constructionChanged();
}
