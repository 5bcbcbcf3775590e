#include <QDialog>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <array>

#include "dialogs/construction_dialog_faces.h"
#include "interaction/coordinates_dialog.h"
#include "interaction/parameter_dialog.h"
#include "lang/text_ids.h"

// The faces of the point coordinates dialog and of the parameter dialog.

namespace {

constexpr int kCoordinateFieldPoints = 12;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string fieldText(const DialogModel& model, const char* field) {
    std::string shown;
    model.field(field, shown);
    return shown;
}

// Centres the dialog on the view, then moves it down by `down` pixels.
void placeOver(QDialog& dialog, QWidget* view, int down) {
    if (view == nullptr) return;
    dialog.adjustSize();
    const QPoint centre = view->mapToGlobal(view->rect().center());
    dialog.move(centre.x() - dialog.width() / 2, centre.y() - dialog.height() / 2 + down);
}

class CoordinatesDialogFace : public QDialog {
  public:
    CoordinatesDialogFace(QWidget* parent, CoordinatesDialog& model) : QDialog(parent), model_(model) {
        setWindowTitle(qt(model.title()));
        auto* grid = new QGridLayout;
        grid->addWidget(new QLabel(qt(model.fieldLabel())), 0, 0, 1, 2);
        QFont fieldFont = font();
        fieldFont.setPointSize(kCoordinateFieldPoints);
        static constexpr std::array<const char*, 3> kNames = {"x", "y", "z"};
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            const char* name = kNames[i];
            auto* line = new QLineEdit(qt(fieldText(model, name)));
            line->setObjectName(name);
            line->setFont(fieldFont);
            connect(line, &QLineEdit::textEdited, this, [this, name](const QString& typed) {
                std::string error;
                model_.setField(name, typed.toStdString(), error);
            });
            fields_[i] = line;
            grid->addWidget(new QLabel(QString(name)), static_cast<int>(i) + 1, 0);
            grid->addWidget(line, static_cast<int>(i) + 1, 1);
        }
        auto* apply = new QPushButton(tr("Apply"));
        apply->setObjectName("apply");
        apply->setDefault(true);
        ok_ = new QPushButton(tr("OK"));
        ok_->setObjectName("ok");
        ok_->setEnabled(model.okEnabled());
        auto* cancel = new QPushButton(tr("Cancel"));
        cancel->setObjectName("cancel");
        connect(apply, &QPushButton::clicked, this, [this] { applyFields(); });
        connect(ok_, &QPushButton::clicked, this, [this] { press("ok"); });
        connect(cancel, &QPushButton::clicked, this, [this] { press("cancel"); });
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(apply);
        buttons->addStretch();
        buttons->addWidget(ok_);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(grid);
        layout->addLayout(buttons);
        placeOver(*this, parent, parent ? parent->height() / 3 : 0);
    }

  private:
    void applyFields() {
        std::string error;
        model_.press("apply", error);
        ok_->setEnabled(model_.okEnabled());
        if (parentWidget()) parentWidget()->update();
        for (QLineEdit* line : fields_) {
            if (line->objectName().toStdString() != model_.focusField()) continue;
            line->setFocus();
            line->selectAll();
        }
    }
    void press(const char* button) {
        std::string error;
        model_.press(button, error);
        if (model_.closed()) done(button == std::string("ok") ? Accepted : Rejected);
    }

    CoordinatesDialog& model_;
    std::array<QLineEdit*, 3> fields_{};
    QPushButton* ok_ = nullptr;
};

class ParameterDialogFace : public QDialog {
  public:
    ParameterDialogFace(QWidget* parent, ParameterDialog& model, const TextTable& texts)
        : QDialog(parent), model_(model) {
        setWindowTitle(qt(model.title()));
        auto* grid = new QGridLayout;
        static constexpr std::array<const char*, 3> kNames = {"value", "minimum", "maximum"};
        const std::array<int, 3> labels = {textid::kLabelValue, textid::kLabelMinimum, textid::kLabelMaximum};
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            const char* name = kNames[i];
            auto* line = new QLineEdit(qt(fieldText(model, name)));
            line->setObjectName(name);
            line->installEventFilter(this);
            connect(line, &QLineEdit::textEdited, this, [this, name](const QString& typed) {
                std::string error;
                model_.setField(name, typed.toStdString(), error);
            });
            fields_[i] = line;
            grid->addWidget(new QLabel(qt(texts.text(labels[i]))), static_cast<int>(i), 0);
            grid->addWidget(line, static_cast<int>(i), 1);
        }
        fields_[0]->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        slider_ = new QSlider(Qt::Horizontal);
        slider_->setObjectName("slider");
        slider_->setRange(0, ParameterDialog::kSliderEnd);
        slider_->setValue(model.sliderPosition());
        connect(slider_, &QSlider::valueChanged, this, [this](int position) { slide(position); });
        grid->addWidget(slider_, 3, 0, 1, 2);
        auto* ok = new QPushButton(tr("OK"));
        ok->setObjectName("ok");
        ok->setDefault(true);
        auto* cancel = new QPushButton(tr("Cancel"));
        cancel->setObjectName("cancel");
        connect(ok, &QPushButton::clicked, this, [this] { press("ok"); });
        connect(cancel, &QPushButton::clicked, this, [this] { press("cancel"); });
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(grid);
        layout->addLayout(buttons);
        adjustSize();
        placeOver(*this, parent, parent ? parent->height() / 2 - height() : 0);
    }

  protected:
    // A field counts as edited from the moment it takes the focus.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) model_.markEdited(watched->objectName().toStdString());
        return QDialog::eventFilter(watched, event);
    }

  private:
    void slide(int position) {
        std::string error;
        if (!model_.setSlider(position, error)) return;
        fields_[0]->setText(qt(fieldText(model_, "value")));
        if (parentWidget()) parentWidget()->update();
    }
    void press(const char* button) {
        std::string error;
        model_.press(button, error);
        if (model_.closed()) done(button == std::string("ok") ? Accepted : Rejected);
    }

    ParameterDialog& model_;
    std::array<QLineEdit*, 3> fields_{};
    QSlider* slider_ = nullptr;
};

}  // namespace

bool showCoordinatesDialogFace(QWidget* parent, DialogModel& model, const TextTable&) {
    auto* dialog = dynamic_cast<CoordinatesDialog*>(&model);
    if (dialog == nullptr) return false;
    CoordinatesDialogFace face(parent, *dialog);
    face.exec();
    cancelIfOpen(model);
    return true;
}

bool showParameterDialogFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* dialog = dynamic_cast<ParameterDialog*>(&model);
    if (dialog == nullptr) return false;
    ParameterDialogFace face(parent, *dialog, texts);
    face.exec();
    cancelIfOpen(model);
    return true;
}
