#pragma once

#include <QDialog>
#include <QFont>
#include <QHBoxLayout>
#include <functional>
#include <string>
#include <vector>

#include "interaction/options_dialog.h"
#include "lang/text_table.h"

class QFormLayout;
class QPushButton;

// The options' three pages over the model: each widget is bound to the
// model's field of its object name; OK and Cancel press the model's buttons.
class OptionsFace : public QDialog {
    Q_OBJECT

  public:
    OptionsFace(QWidget* parent, OptionsDialog& model, const TextTable& texts);
    OptionsDialog& model() { return model_; }

    void done(int result) override;

  private:
    QWidget* generalPage();
    QWidget* appearancePage();
    QWidget* viewPage();
    QPushButton* addColour(QFormLayout* form, const char* field, int textId);
    void addCheck(QFormLayout* form, const char* field, int textId);
    // A combo whose entries stand for the given field texts.
    void addChoice(QFormLayout* form, const char* field, int textId, const QStringList& shown,
                   const std::vector<std::string>& values);
    void addLine(QFormLayout* form, const char* field, int textId);
    // The font's button and its colour's swatch, in a row whose layout it returns.
    QHBoxLayout* addFont(QFormLayout* form, const char* field, int textId);
    void set(const char* field, const std::string& text);
    // Every widget shows its field again (after a layout or another kind).
    void refresh();
    QString text(int id) const;

    OptionsDialog& model_;
    const TextTable& texts_;
    std::vector<std::function<void()>> refreshers_;
};

// A font record for a QFont: face, pixel height, weight, italic, underline and
// strike-out; the rest of `record` stays.
FontRecord fontRecordOf(const QFont& font, FontRecord record);

// Shows the options modally; returns once they are closed.
void execOptionsFace(QWidget* parent, OptionsDialog& model, const TextTable& texts);
