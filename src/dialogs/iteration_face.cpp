#include "dialogs/iteration_face.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "app/child_frame.h"
#include "interaction/iteration_dialog.h"
#include "lang/text_ids.h"

namespace {

QString qtext(const TextTable& texts, int id) {
    return QString::fromStdString(texts.text(id));
}

// The sets chosen so far, each with the button that makes the view choose it,
// the number of iterations and OK and Cancel. Every change goes through the
// model; the window closes when the model does.
class IterationFace : public QDialog {
  public:
    IterationFace(CChildFrame* view, IterationDialog& model, const TextTable& texts)
        : QDialog(view), view_(view), model_(model), texts_(texts) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowFlag(Qt::Tool);
        setObjectName(QStringLiteral("iterationDialog"));
        setWindowTitle(QString::fromStdString(model_.title()));
        auto* layout = new QVBoxLayout(this);
        prompt_ = new QLabel(this);
        prompt_->setObjectName(QStringLiteral("prompt"));
        prompt_->setWordWrap(true);
        layout->addWidget(prompt_);

        auto* grid = new QGridLayout;
        const struct {
            const char* field;
            int label;
            const char* button;
            int caption;
        } rows[] = {
            {"inputs", textid::kIterationInputs, "inputs", textid::kIterationInputs},
            {"branches", textid::kIterationBranches, "branch", textid::kIterationNewBranch},
            {"elements", textid::kIterationElements, "depth", textid::kIterationElements},
        };
        int r = 0;
        for (const auto& row : rows) {
            grid->addWidget(new QLabel(qtext(texts_, row.label), this), r, 0);
            auto* count = new QLabel(this);
            count->setObjectName(QString::fromLatin1(row.field));
            counts_[r] = count;
            grid->addWidget(count, r, 1);
            grid->addWidget(button(row.button, qtext(texts_, row.caption)), r, 2);
            ++r;
        }
        grid->addWidget(new QLabel(qtext(texts_, textid::kLabelDepth), this), r, 0);
        depth_ = new QLineEdit(this);
        depth_->setObjectName(QStringLiteral("depth"));
        connect(depth_, &QLineEdit::editingFinished, this, [this] { typeDepth(); });
        grid->addWidget(depth_, r, 1);
        number_ = new QLabel(this);
        number_->setObjectName(QStringLiteral("number"));
        grid->addWidget(number_, r, 2);
        layout->addLayout(grid);
        const struct {
            const char* field;
            int label;
        } flags[] = {{"lastonly", textid::kLabelLastOnly},
                     {"points", textid::kLabelDrawPoints},
                     {"iterationcolour", textid::kLabelIterationColour}};
        for (int f = 0; f < 3; ++f) {
            auto* box = new QCheckBox(qtext(texts_, flags[f].label), this);
            const char* name = flags[f].field;
            box->setObjectName(QString::fromLatin1(name));
            connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
                if (!alive()) return;
                std::string error;
                model_.setField(name, on ? "1" : "0", error);
            });
            flags_[f] = box;
            layout->addWidget(box);
        }

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(button("ok", tr("OK")));
        buttons->addWidget(button("cancel", tr("Cancel")));
        layout->addLayout(buttons);

        model_.onChange = [this] { changed(); };
        refresh();
    }

    ~IterationFace() override {
        if (alive()) model_.onChange = nullptr;
    }

  private:
    bool alive() const {
        return view_ && view_->session() && openIterationDialog(*view_->session()) == &model_;
    }

    QPushButton* button(const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, name] { press(name); });
        return b;
    }

    void press(const char* name) {
        if (!alive()) {
            close();
            return;
        }
        if (depth_->isModified()) typeDepth();
        std::string error;
        model_.press(name, error);
        if (view_) view_->showSession();
    }

    void typeDepth() {
        depth_->setModified(false);
        if (!alive()) return;
        std::string error;
        model_.setField("depth", depth_->text().toStdString(), error);
        refresh();
    }

    // A click on empty space asks for the number of iterations, once the click is over.
    void changed() {
        if (model_.closed()) {
            // The model may be going: the face lets go of it first.
            model_.onChange = nullptr;
            leaving_ = true;
            QTimer::singleShot(0, this, [this] { close(); });
            return;
        }
        refresh();
        if (model_.takeDepthQuestion()) QTimer::singleShot(0, this, [this] { askDepth(); });
    }

    void askDepth() {
        if (!alive()) return;
        bool ok = false;
        const int depth = QInputDialog::getInt(this, windowTitle(), qtext(texts_, textid::kLabelDepth),
                                               depth_->text().toInt(), std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max(), 1, &ok);
        if (!ok || !alive()) return;
        std::string error;
        model_.setField("depth", std::to_string(depth), error);
        if (view_) view_->showSession();
    }

    std::string field(const char* name) const {
        std::string text;
        model_.field(name, text);
        return text;
    }

    void refresh() {
        if (!alive()) return;
        prompt_->setText(QString::fromStdString(model_.prompt(texts_)));
        const char* fields[] = {"inputs", "branches", "elements"};
        for (int r = 0; r < 3; ++r) counts_[r]->setText(QString::fromStdString(field(fields[r])));
        if (!depth_->hasFocus() || !depth_->isModified())
            depth_->setText(QString::fromStdString(field("depth")));
        for (QCheckBox* box : flags_) {
            const QSignalBlocker block(box);
            box->setChecked(field(box->objectName().toLatin1().constData()) == "1");
        }
        const std::string number = field("number");
        number_->setText(number.empty() ? QString() : QStringLiteral("= ") + QString::fromStdString(number));
    }

    void closeEvent(QCloseEvent* event) override {
        if (!leaving_ && alive() && !model_.closed()) {
            std::string error;
            model_.press("cancel", error);
            if (view_) view_->showSession();
        }
        // Not QDialog's own, which would reject() and so close() again.
        event->accept();
    }

    // Escape closes the window as its close button does: the model cancels.
    void reject() override { close(); }

    QPointer<CChildFrame> view_;
    IterationDialog& model_;
    const TextTable& texts_;
    QLabel* prompt_ = nullptr;
    QLabel* counts_[3] = {};
    QLineEdit* depth_ = nullptr;
    QLabel* number_ = nullptr;
    QCheckBox* flags_[3] = {};
    bool leaving_ = false;
};

}  // namespace

bool showIterationFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* iteration = dynamic_cast<IterationDialog*>(&model);
    if (iteration == nullptr) return false;
    auto* view = qobject_cast<CChildFrame*>(parent);
    if (view == nullptr || iteration->closed()) return true;
    auto* face = new IterationFace(view, *iteration, texts);
    face->show();
    return true;
}
