#include "cli/dialog_openers.h"

#include <algorithm>
#include <vector>

namespace {

struct DialogOpener {
    const char* kind;
    // Opens the dialog; false with the reason when the target does not suit it.
    bool (*open)(ViewSession& session, const DialogTarget& target, std::string& error);
};

// The calculator opens with its tool, as the menu item chooses it.
bool openCalculatorOf(ViewSession& session, int toolNumber, const DialogTarget& target, std::string& error) {
    if (target.hasPosition || target.element) {
        error = "the calculator opens with its tool, at no position";
        return false;
    }
    session.setTool(toolNumber);
    return true;
}

bool openCalculation(ViewSession& session, const DialogTarget& target, std::string& error) {
    return openCalculatorOf(session, 43, target, error);
}

bool openParameterCalculation(ViewSession& session, const DialogTarget& target, std::string& error) {
    return openCalculatorOf(session, 44, target, error);
}

// The text tool clicked at a position; @NAME of a text element opens it for editing.
bool openText(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (target.element && target.element->kind() == ElementKind::Text) {
        session.setTool(kSelectionTool);
        session.mouseMove(target.x, target.y, {}, {});
        session.mousePress(MouseButton::Right, target.x, target.y, {});
        session.mouseRelease(MouseButton::Right, target.x, target.y, {}, {});
        return true;
    }
    if (!target.hasPosition || target.element) {
        error = "the text dialog opens at a position or on a text";
        return false;
    }
    session.setTool(45);
    session.mouseMove(target.x, target.y, {}, {});
    session.mousePress(MouseButton::Left, target.x, target.y, {});
    session.mouseRelease(MouseButton::Left, target.x, target.y, {}, {});
    return true;
}

// One row a dialog.
const std::vector<DialogOpener>& openers() {
    static const std::vector<DialogOpener> rows = {
        {"calculator", openCalculation},
        {"parameter-calculator", openParameterCalculation},
        {"text", openText},
    };
    return rows;
}

}  // namespace

bool openScriptDialog(ViewSession& session, const std::string& kind, const DialogTarget& target,
                      std::string& error) {
    const auto& rows = openers();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const DialogOpener& o) { return kind == o.kind; });
    if (row == rows.end()) {
        error = "there is no dialog '" + kind + "'";
        return false;
    }
    return row->open(session, target, error);
}
