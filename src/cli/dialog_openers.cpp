#include "cli/dialog_openers.h"

#include <algorithm>
#include <vector>

namespace {

struct DialogOpener {
    const char* kind;
    // Opens the dialog; false with the reason when the target does not suit it.
    bool (*open)(ViewSession& session, const DialogTarget& target, std::string& error);
};

bool noTarget(const char* kind, const DialogTarget& target, std::string& error) {
    if (!target.hasPosition && target.element == nullptr) return true;
    error = std::string("'") + kind + "' is opened without a position";
    return false;
}

// "Paso a paso"; fails when there is no step to show (the view shows its message).
bool openSteps(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (!noTarget("steps", target, error)) return false;
    session.openStepDisplay();
    if (session.openDialog() != nullptr) return true;
    error = "there is no step to show";
    return false;
}

// "Animación": the animation tool, and the window shown and running.
bool openAnimation(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (!noTarget("animation", target, error)) return false;
    session.openAnimationWindow();
    return true;
}

// One row a dialog.
const std::vector<DialogOpener>& openers() {
    static const std::vector<DialogOpener> rows = {
        {"steps", openSteps},
        {"animation", openAnimation},
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
