#include "cli/dialog_openers.h"

#include <algorithm>
#include <vector>

#include "interaction/coordinates_dialog.h"

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

// The element dialog of the element at a position, opened by a right click
// there as in the window, or of a name, as the construction list opens it.
bool openElement(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (target.element != nullptr) {
        session.openElementDialog(*target.element);
        return true;
    }
    if (!target.hasPosition) {
        error = "the element dialog needs an element: POS or @NAME";
        return false;
    }
    if (session.toolNumber() != 0) {
        error = "a right click opens the element dialog with the selection tool only";
        return false;
    }
    session.mouseMove(target.x, target.y, MouseButtons{}, SessionKeys{});
    if (!session.hover().hovered || session.hover().isCandidate()) {
        error = "no element lies at the position";
        return false;
    }
    session.mousePress(MouseButton::Right, target.x, target.y, SessionKeys{});
    session.mouseRelease(MouseButton::Right, target.x, target.y, MouseButtons{}, SessionKeys{});
    return true;
}

// New points with no target (the "Representar puntos..." command), or the
// point of @NAME as a double click on it opens it.
bool openCoordinates(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (target.element == nullptr) {
        session.openCoordinatesDialog(nullptr);
        return true;
    }
    const Element* point = coordinatesDialogPoint(*target.element);
    if (point == nullptr) {
        error = "the coordinates dialog edits free and represented points and coordinates of them";
        return false;
    }
    session.openCoordinatesDialog(point);
    return true;
}

bool openParameter(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (target.element == nullptr || target.element->typeCode() != TypeCode::Parameter) {
        error = "the parameter dialog needs a parameter: @NAME";
        return false;
    }
    session.openParameterDialog(*target.element);
    return true;
}

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

// "Iteración...": the iteration tool with its dialog, as the menu item chooses it.
bool openIteration(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (!noTarget("iteration", target, error)) return false;
    session.setTool(4);
    return true;
}

// "Macro options", as its menu item opens it.
bool openMacros(ViewSession& session, const DialogTarget& target, std::string& error) {
    if (!noTarget("macros", target, error)) return false;
    session.openMacroDialog();
    return true;
}

// One row a dialog.
const std::vector<DialogOpener>& openers() {
    static const std::vector<DialogOpener> rows = {
        {"calculator", openCalculation},
        {"parameter-calculator", openParameterCalculation},
        {"text", openText},
        {"element", openElement},
        {"coordinates", openCoordinates},
        {"parameter", openParameter},
        {"steps", openSteps},
        {"animation", openAnimation},
        {"iteration", openIteration},
        {"macros", openMacros},
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
