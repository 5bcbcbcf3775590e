#include "dialogs/animation_face.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/child_frame.h"
#include "interaction/animation_window.h"
#include "model/construction.h"

namespace {

// How often the list is read again: the animation tool adds and removes
// entries and the animation turns them round while the window is open.
constexpr int kRefreshMilliseconds = 200;

// One row an entry: the element, a box for "forward" and the speed. Every
// change goes through the model; the window closes when the view lets go of
// the model (another dialog, the document closing).
class AnimationFace : public QDialog {
  public:
    AnimationFace(CChildFrame* view, AnimationWindow& model) : QDialog(view), view_(view), model_(model) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowFlag(Qt::Tool);
        setObjectName(QStringLiteral("animationWindow"));
        auto* layout = new QVBoxLayout(this);
        table_ = new QTableWidget(0, 3, this);
        table_->setObjectName(QStringLiteral("entries"));
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->horizontalHeader()->hide();
        table_->verticalHeader()->hide();
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        layout->addWidget(table_);
        auto* row = new QHBoxLayout;
        for (const char* button : {"run", "pause", "close"}) {
            auto* b = new QPushButton(QString::fromLatin1(button), this);
            b->setObjectName(QString::fromLatin1(button));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, button] { press(button); });
            row->addWidget(b);
        }
        layout->addLayout(row);
        setWindowTitle(QString::fromStdString(model_.title()));
        connect(&refresh_, &QTimer::timeout, this, [this] { refresh(); });
        refresh_.start(kRefreshMilliseconds);
        refresh();
        resize(320, 240);
    }

  private:
    bool alive() const { return view_ && view_->session() && view_->session()->animationWindow() == &model_; }

    void press(const char* button) {
        if (!alive()) {
            close();
            return;
        }
        std::string error;
        model_.press(button, error);
        if (model_.closed()) close();
    }

    void closeEvent(QCloseEvent* event) override {
        refresh_.stop();
        if (alive() && !model_.closed()) {
            std::string error;
            model_.press("close", error);
        }
        // Not QDialog's own, which would reject() and so close() again,
        // ignoring the event and leaving the window on screen.
        event->accept();
    }

    void reject() override { close(); }

    // The rows follow the list: rebuilt when its elements changed, else only
    // the directions and speeds a row is not being edited in.
    void refresh() {
        if (!alive() || model_.closed()) {
            close();
            return;
        }
        const std::vector<std::string> names = model_.fieldNames();
        const int rows = static_cast<int>(names.size() / 3);
        std::vector<std::string> elements;
        for (int r = 1; r <= rows; ++r) elements.push_back(text("element", r));
        if (elements != shownElements_) rebuild(rows, elements);
        for (int r = 0; r < rows; ++r) {
            if (auto* box = qobject_cast<QCheckBox*>(table_->cellWidget(r, 1))) {
                const QSignalBlocker block(box);
                box->setChecked(text("direction", r + 1) == "1");
            }
            if (auto* spin = qobject_cast<QSpinBox*>(table_->cellWidget(r, 2)); spin && !spin->hasFocus()) {
                const QSignalBlocker block(spin);
                spin->setValue(QString::fromStdString(text("speed", r + 1)).toInt());
            }
        }
    }

    std::string text(const char* prefix, int row) const {
        std::string value;
        model_.field(std::string(prefix) + "." + std::to_string(row), value);
        return value;
    }

    void set(const char* prefix, int row, const std::string& value) {
        if (!alive()) return;
        std::string error;
        model_.setField(std::string(prefix) + "." + std::to_string(row), value, error);
    }

    void rebuild(int rows, const std::vector<std::string>& elements) {
        shownElements_ = elements;
        table_->setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            table_->setItem(
                r, 0, new QTableWidgetItem(QString::fromStdString(elements[static_cast<std::size_t>(r)])));
            auto* box = new QCheckBox(this);
            connect(box, &QCheckBox::toggled, this,
                    [this, r](bool on) { set("direction", r + 1, on ? "1" : "0"); });
            table_->setCellWidget(r, 1, box);
            auto* spin = new QSpinBox(this);
            spin->setRange(kMinAnimationSpeed, kMaxAnimationSpeed);
            connect(spin, &QSpinBox::valueChanged, this,
                    [this, r](int v) { set("speed", r + 1, std::to_string(v)); });
            table_->setCellWidget(r, 2, spin);
        }
    }

    QPointer<CChildFrame> view_;
    AnimationWindow& model_;
    QTableWidget* table_ = nullptr;
    QTimer refresh_;
    std::vector<std::string> shownElements_;
};

}  // namespace

bool showAnimationFace(QWidget* parent, DialogModel& model, const TextTable&) {
    auto* animation = dynamic_cast<AnimationWindow*>(&model);
    if (animation == nullptr) return false;
    auto* view = qobject_cast<CChildFrame*>(parent);
    if (view == nullptr || animation->closed()) return true;
    auto* face = new AnimationFace(view, *animation);
    face->show();
    return true;
}
