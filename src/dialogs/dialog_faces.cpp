#include "dialogs/dialog_faces.h"

#include <QWidget>
#include <vector>

#include "dialogs/animation_face.h"
#include "dialogs/step_display_face.h"

namespace {

// One face a dialog: shows the model when it is of the face's kind, and says
// whether it was.
using Face = bool (*)(QWidget* parent, DialogModel& model, const TextTable& texts);

const std::vector<Face>& faces() {
    static const std::vector<Face> rows = {
        showStepDisplayFace,
        showAnimationFace,
    };
    return rows;
}

}  // namespace

bool showDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    for (const Face face : faces())
        if (face(parent, model, texts)) return true;
    return false;
}
