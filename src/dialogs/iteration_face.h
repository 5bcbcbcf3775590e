#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// The iteration dialog over its model: a tool window beside the view, so the
// view takes the clicks that choose the points and elements while it is open;
// false when the model is of another dialog.
bool showIterationFace(QWidget* parent, DialogModel& model, const TextTable& texts);
