#include "interaction/coordinates_dialog.h"
#include "interaction/element_dialog.h"
#include "interaction/parameter_dialog.h"
#include "interaction/view_session.h"

// Where the view opens the dialogs that edit one element, place points by
// their coordinates or set a parameter, and how it follows them.

namespace {

constexpr int kRepresentPointsTool = 8;

const TextTable& textsOrNone(const TextTable* texts) {
    static const TextTable none;
    return texts ? *texts : none;
}

}  // namespace

void ViewSession::cancelOpenDialog() {
    if (DialogModel* open = openDialog()) {
        std::string ignored;
        open->press("cancel", ignored);
    }
}

void ViewSession::showConstructionDialog(std::unique_ptr<ConstructionDialog> dialog,
                                         bool selectionToolAfter) {
    if (dialog->closed()) return;
    dialog->onChange = [this] { redraw_ = true; };
    dialog->onClose = [this, selectionToolAfter] {
        if (selectionToolAfter) setTool(kSelectionTool);
        constructionReplaced();
    };
    // The live copy is the document's construction now: nothing may point into the one before.
    constructionReplaced();
    openDialog(std::move(dialog));
}

void ViewSession::openElementDialog(Element& element) {
    // A text opens the text dialog, at its box.
    if (element.kind() == ElementKind::Text) {
        openTextDialog(cursorX_, cursorY_, &element);
        return;
    }
    cancelOpenDialog();
    if (document_.construction().indexOf(&element) < 0) return;
    showConstructionDialog(std::make_unique<ElementDialog>(document_, element, textsOrNone(texts_)), false);
}

void ViewSession::openCoordinatesDialog(const Element* point) {
    cancelOpenDialog();
    if (point != nullptr && document_.construction().indexOf(point) < 0) return;
    if (point == nullptr) setTool(kRepresentPointsTool);
    showConstructionDialog(std::make_unique<CoordinatesDialog>(document_, point, textsOrNone(texts_), host_),
                           point == nullptr);
}

void ViewSession::openParameterDialog(const Element& parameter) {
    cancelOpenDialog();
    if (parameter.typeCode() != TypeCode::Parameter || document_.construction().indexOf(&parameter) < 0)
        return;
    showConstructionDialog(std::make_unique<ParameterDialog>(document_, parameter, textsOrNone(texts_)),
                           false);
}

void ViewSession::openDoubleClickDialog(const Element& element) {
    if (const Element* point = coordinatesDialogPoint(element))
        openCoordinatesDialog(point);
    else if (element.typeCode() == TypeCode::Parameter)
        openParameterDialog(element);
}
