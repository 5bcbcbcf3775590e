#include "dialogs/dialog_faces.h"

#include <QWidget>
#include <vector>

#include "dialogs/animation_face.h"
#include "dialogs/calculator_face.h"
#include "dialogs/construction_dialog_faces.h"
#include "dialogs/iteration_face.h"
#include "dialogs/macro_face.h"
#include "dialogs/step_display_face.h"
#include "dialogs/text_face.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"

namespace {

// One face a dialog: shows the model when it is of the face's kind, and says
// whether it was.
using Face = bool (*)(QWidget* parent, DialogModel& model, const TextTable& texts);

// The calculator stays open beside the view.
bool calculatorFace(QWidget* parent, DialogModel& model, const TextTable&) {
    auto* calculator = dynamic_cast<CalculatorDialog*>(&model);
    if (!calculator) return false;
    auto* face = new CalculatorFace(parent, *calculator, QString::fromStdString(model.title()));
    face->show();
    return true;
}

bool textFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* text = dynamic_cast<TextDialog*>(&model);
    if (!text) return false;
    TextFace face(parent, *text, QString::fromStdString(model.title()),
                  QString::fromStdString(texts.text(textid::kStyleColour) + "..."));
    face.exec();
    return true;
}

const std::vector<Face>& faces() {
    static const std::vector<Face> rows = {
        calculatorFace,          textFace,
        showElementDialogFace,   showCoordinatesDialogFace,
        showParameterDialogFace, showStepDisplayFace,
        showAnimationFace,       showIterationFace,
        showMacroFace,
    };
    return rows;
}

}  // namespace

bool showDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    for (const Face face : faces())
        if (face(parent, model, texts)) return true;
    return false;
}
