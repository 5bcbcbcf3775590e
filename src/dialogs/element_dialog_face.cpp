#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/construction_dialog_faces.h"
#include "interaction/element_dialog.h"
#include "lang/text_ids.h"

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Colours are stored with red in the low byte.
QColor colourOf(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}
std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

// The element dialog's widgets, each bound to the model's field of its object name.
class ElementDialogFace : public QDialog {
  public:
    ElementDialogFace(QWidget* parent, ElementDialog& model, const TextTable& texts)
        : QDialog(parent), model_(model), texts_(texts) {
        setWindowTitle(qt(model.title()));
        auto* form = new QFormLayout;
        colourButton_ = new QPushButton;
        colourButton_->setObjectName("colour");
        showColour();
        connect(colourButton_, &QPushButton::clicked, this, [this] { chooseColour(); });
        form->addRow(text(textid::kStyleColour), colourButton_);
        addCheck(form, "visible", textid::kLabelVisible);
        if (QLineEdit* name = addLine(form, "name", textid::kLabelName))
            name->setMaxLength(static_cast<int>(kMaxNameLength));
        addCheck(form, "label", textid::kLabelShowLabel);
        addChoice(form, "size", textid::kStyleSizeMenu,
                  {text(textid::kStyleSize1), text(textid::kStyleSize2), text(textid::kStyleSize3),
                   text(textid::kStyleSize4), text(textid::kStyleSize5)});
        addChoice(form, "shape", textid::kStyleShapeMenu,
                  {text(textid::kStyleShape1), text(textid::kStyleShape2)});
        QStringList decimals;
        for (int d = 0; d <= 8; ++d) decimals << QString::number(d) + " dec.";
        addChoice(form, "decimals", 0, decimals);
        addLine(form, "step", textid::kLabelStep);
        addLine(form, "depth", textid::kLabelDepth);
        addCheck(form, "lastonly", textid::kLabelLastOnly);
        addCheck(form, "points", textid::kLabelDrawPoints);
        addCheck(form, "iterationcolour", textid::kLabelIterationColour);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish("ok"); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { finish("cancel"); });
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }

  private:
    QString text(int id) const { return qt(texts_.text(id)); }
    std::string value(const char* field) const {
        std::string shown;
        model_.field(field, shown);
        return shown;
    }
    void set(const char* field, const std::string& typed) {
        std::string error;
        model_.setField(field, typed, error);
        if (parentWidget()) parentWidget()->update();
    }

    void addCheck(QFormLayout* form, const char* field, int labelId) {
        if (!model_.hasField(field)) return;
        auto* box = new QCheckBox;
        box->setObjectName(field);
        box->setChecked(value(field) == "1");
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) { set(field, on ? "1" : "0"); });
        form->addRow(text(labelId), box);
    }
    QLineEdit* addLine(QFormLayout* form, const char* field, int labelId) {
        if (!model_.hasField(field)) return nullptr;
        auto* line = new QLineEdit(qt(value(field)));
        line->setObjectName(field);
        connect(line, &QLineEdit::textEdited, this, [this, field, line](const QString& typed) {
            set(field, typed.toStdString());
            // A character the stored text cannot hold is not taken.
            if (qt(value(field)) != typed && std::string(field) == "name") line->setText(qt(value(field)));
        });
        form->addRow(text(labelId), line);
        return line;
    }
    void addChoice(QFormLayout* form, const char* field, int labelId, const QStringList& entries) {
        if (!model_.hasField(field)) return;
        auto* choice = new QComboBox;
        choice->setObjectName(field);
        choice->addItems(entries);
        choice->setCurrentIndex(std::stoi(value(field)));
        connect(choice, &QComboBox::currentIndexChanged, this,
                [this, field](int index) { set(field, std::to_string(index)); });
        form->addRow(labelId ? text(labelId) : QString(), choice);
    }

    void showColour() {
        QPixmap swatch(32, 14);
        swatch.fill(colourOf(static_cast<std::uint32_t>(std::stoul(value("colour")))));
        colourButton_->setIcon(QIcon(swatch));
    }
    void chooseColour() {
        const QColor initial = colourOf(static_cast<std::uint32_t>(std::stoul(value("colour"))));
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return;
        set("colour", std::to_string(rgbOf(chosen)));
        showColour();
    }
    void finish(const char* button) {
        std::string error;
        model_.press(button, error);
        if (model_.closed()) done(button == std::string("ok") ? Accepted : Rejected);
    }

    ElementDialog& model_;
    const TextTable& texts_;
    QPushButton* colourButton_ = nullptr;
};

}  // namespace

bool showElementDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* dialog = dynamic_cast<ElementDialog*>(&model);
    if (dialog == nullptr) return false;
    ElementDialogFace face(parent, *dialog, texts);
    face.exec();
    cancelIfOpen(model);
    return true;
}

void cancelIfOpen(DialogModel& model) {
    if (model.closed()) return;
    std::string ignored;
    model.press("cancel", ignored);
}
