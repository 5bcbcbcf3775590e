#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// Shows the Qt face of a dialog model over a window: modal dialogs run until
// they close; modeless ones (the calculator, the animation window) stay open
// beside the view. False when no face serves the model.
bool showDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts);
