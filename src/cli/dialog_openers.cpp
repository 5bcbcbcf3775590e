#include "cli/dialog_openers.h"

#include <algorithm>
#include <vector>

namespace {

struct DialogOpener {
    const char* kind;
    // Opens the dialog; false with the reason when the target does not suit it.
    bool (*open)(ViewSession& session, const DialogTarget& target, std::string& error);
};

// One row a dialog.
const std::vector<DialogOpener>& openers() {
    static const std::vector<DialogOpener> rows = {};
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
