#include "dialogs/step_display_face.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "interaction/step_display.h"
#include "lang/text_ids.h"

namespace {

// Buttons, slider, playback period and OK / Cancel; every control goes through
// the model, and the view behind redraws after each step.
class StepDisplayFace : public QDialog {
  public:
    StepDisplayFace(QWidget* view, StepDisplay& model, const TextTable& texts)
        : QDialog(view), view_(view), model_(model) {
        auto* layout = new QVBoxLayout(this);
        auto* row = new QHBoxLayout;
        const auto addButton = [&](const char* caption, const char* name, const char* button) {
            auto* b = new QPushButton(QString::fromUtf8(caption), this);
            b->setObjectName(QString::fromLatin1(name));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, button] { press(button); });
            row->addWidget(b);
            return b;
        };
        addButton("|<", "first", "first");
        addButton("<", "previous", "previous");
        play_ = addButton(">>", "play", "play");
        play_->setCheckable(true);
        addButton(">", "next", "next");
        addButton(">|", "last", "last");
        period_ = new QComboBox(this);
        period_->setObjectName(QStringLiteral("period"));
        for (const int ms : kPlaybackPeriods) period_->addItem(QStringLiteral("%1 ms").arg(ms), ms);
        period_->setCurrentIndex(period_->findData(model_.period()));
        connect(period_, &QComboBox::currentIndexChanged, this, [this] {
            std::string error;
            model_.setField("period", std::to_string(period_->currentData().toInt()), error);
            if (model_.playing()) timer_.start(model_.period());
        });
        row->addWidget(period_);
        layout->addLayout(row);

        slider_ = new QSlider(Qt::Horizontal, this);
        slider_->setObjectName(QStringLiteral("slider"));
        slider_->setRange(1, model_.stepCount());
        connect(slider_, &QSlider::valueChanged, this, [this](int k) {
            if (k == model_.step()) return;
            std::string error;
            model_.setSlider(k, error);
            refresh();
        });
        layout->addWidget(slider_);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish("ok"); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { finish("cancel"); });
        layout->addWidget(buttons);

        connect(&timer_, &QTimer::timeout, this, [this] {
            model_.playbackTick();
            refresh();
        });
        setWindowTitle(QString::fromStdString(texts.text(textid::kItemStepByStep)));
        refresh();
        placeOverView();
    }

  private:
    void press(const char* button) {
        std::string error;
        model_.press(button, error);
        if (model_.playing())
            timer_.start(model_.period());
        else
            timer_.stop();
        refresh();
    }

    void finish(const char* button) {
        timer_.stop();
        std::string error;
        model_.press(button, error);
        view_->update();
        done(button[0] == 'o' ? Accepted : Rejected);
    }

    void refresh() {
        setWindowTitle(QString::fromStdString(model_.title()));
        const QSignalBlocker block(slider_);
        slider_->setValue(model_.step());
        play_->setChecked(model_.playing());
        view_->update();
    }

    // Centred on the view, a third of its height lower.
    void placeOverView() {
        adjustSize();
        const QPoint centre = view_->mapToGlobal(view_->rect().center());
        move(centre.x() - width() / 2, centre.y() - height() / 2 + view_->height() / 3);
    }

    void reject() override { finish("cancel"); }

    QWidget* view_;
    StepDisplay& model_;
    QPushButton* play_ = nullptr;
    QComboBox* period_ = nullptr;
    QSlider* slider_ = nullptr;
    QTimer timer_;
};

}  // namespace

bool showStepDisplayFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* steps = dynamic_cast<StepDisplay*>(&model);
    if (steps == nullptr) return false;
    if (steps->closed() || parent == nullptr) return true;
    StepDisplayFace face(parent, *steps, texts);
    face.setObjectName(QStringLiteral("stepDisplay"));
    face.exec();
    // Closing the window any other way cancels.
    if (!steps->closed()) {
        std::string error;
        steps->press("cancel", error);
    }
    return true;
}
