#pragma once

#include "interaction/dialog_model.h"
#include "lang/text_table.h"

class QWidget;

// The modal faces of the dialogs that edit the construction on a live copy:
// each shows its model when the model is of its kind, runs until the dialog
// closes and says whether it served the model. The view behind repaints as
// the fields change.
bool showElementDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts);
bool showCoordinatesDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts);
bool showParameterDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts);

// Cancels a dialog its face left open (the window closed under it).
void cancelIfOpen(DialogModel& model);
