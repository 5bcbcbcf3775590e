#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// The animation window over its model: a tool window that stays open beside
// the view; false when the model is of another dialog.
bool showAnimationFace(QWidget* parent, DialogModel& model, const TextTable& texts);
