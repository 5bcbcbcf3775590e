#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// The step-by-step display's window over its model, modal over the view it
// replays; false when the model is of another dialog.
bool showStepDisplayFace(QWidget* parent, DialogModel& model, const TextTable& texts);
