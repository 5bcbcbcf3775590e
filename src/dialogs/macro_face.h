#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// The macro dialog over its model: a tool window that stays open beside the
// view, so that the macro tools take clicks there while it shows; false when
// the model is of another dialog. Shown again, it comes to the front.
bool showMacroFace(QWidget* parent, DialogModel& model, const TextTable& texts);
