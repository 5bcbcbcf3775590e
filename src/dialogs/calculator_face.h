#pragma once

#include <QDialog>

#include "interaction/calculator_dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

// The calculator keypad beside the view: the expression field, the result
// field, the keypad with its "arc" box and the list of lettered numbers. It is
// modeless: clicks on numbers in the view reach the model while it is open,
// and the face follows the model's changes. It goes when the model closes or
// is dropped.
class CalculatorFace : public QDialog, private CalculatorDialog::Observer {
    Q_OBJECT

  public:
    CalculatorFace(QWidget* view, CalculatorDialog& model, const QString& title);
    ~CalculatorFace() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void calculatorChanged() override;
    void calculatorGone() override;
    // Shows the model's state in the widgets.
    void refresh();
    // Presses a model button with the field's caret, then shows the outcome.
    void pressButton(const char* name);
    // Tells the model where the field's caret or selection is.
    void syncSelection();
    void leave();

    CalculatorDialog* model_;
    QWidget* view_;
    QLineEdit* expression_ = nullptr;
    QLineEdit* result_ = nullptr;
    QCheckBox* arc_ = nullptr;
    QListWidget* variables_ = nullptr;
    bool updating_ = false;
    bool leaving_ = false;
};
