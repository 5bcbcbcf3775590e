#include "dialogs/macro_face.h"

#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/child_frame.h"
#include "interaction/macro_dialog.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"

namespace {

// The list and the pick counts are read again this often: the view's clicks
// pick elements and make macros while the window is open.
constexpr int kRefreshMilliseconds = 200;

struct ButtonLabel {
    const char* button;
    int label;
};
constexpr ButtonLabel kButtons[] = {
    {"start", textid::kMacroStart},   {"final", textid::kMacroFinal},   {"make", textid::kMacroMake},
    {"apply", textid::kMacroApply},   {"remove", textid::kMacroRemove}, {"export", textid::kMacroExport},
    {"import", textid::kMacroImport}, {"close", textid::kItemClose},
};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The list of macros, the name and description of the selected one, and the
// buttons; every change goes through the model. The window closes when the
// view lets go of the model (another dialog, the document closing).
class MacroFace : public QDialog {
  public:
    MacroFace(CChildFrame* view, MacroDialog& model, const TextTable& texts)
        : QDialog(view), view_(view), model_(model), texts_(texts) {
        setWindowFlag(Qt::Tool);
        setObjectName(QStringLiteral("macroDialog"));
        setWindowTitle(qt(model_.title()));
        auto* layout = new QVBoxLayout(this);
        list_ = new QListWidget(this);
        list_->setObjectName(QStringLiteral("macros"));
        connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!refreshing_) set("selected", row < 0 ? std::string() : std::to_string(row));
        });
        layout->addWidget(list_);
        auto* fields = new QFormLayout;
        name_ = lineEdit("name");
        description_ = lineEdit("description");
        fields->addRow(text(textid::kLabelName), name_);
        fields->addRow(text(textid::kMacroDescription), description_);
        picks_ = new QLabel(this);
        picks_->setObjectName(QStringLiteral("picks"));
        fields->addRow(picks_);
        layout->addLayout(fields);
        auto* buttons = new QGridLayout;
        int column = 0;
        for (const ButtonLabel& b : kButtons) {
            auto* button = new QPushButton(text(b.label), this);
            button->setObjectName(QString::fromLatin1(b.button));
            button->setAutoDefault(false);
            const char* name = b.button;
            connect(button, &QPushButton::clicked, this, [this, name] { press(name); });
            buttons->addWidget(button, column / 4, column % 4);
            ++column;
        }
        layout->addLayout(buttons);
        connect(&refresh_, &QTimer::timeout, this, [this] { refresh(); });
        refresh_.start(kRefreshMilliseconds);
        refresh();
        resize(420, 320);
    }

    const MacroDialog* model() const { return &model_; }

  private:
    bool alive() const { return view_ && view_->session() && view_->session()->openDialog() == &model_; }

    QLineEdit* lineEdit(const char* field) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(field));
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit, field] { set(field, edit->text().toStdString()); });
        return edit;
    }

    void set(const char* field, const std::string& text) {
        if (!alive()) return;
        std::string error;
        model_.setField(field, text, error);
        refresh();
    }

    void press(const char* button) {
        if (!alive()) {
            done(Rejected);
            return;
        }
        std::string error;
        model_.press(button, error);
        if (model_.closed()) {
            done(Rejected);
            return;
        }
        if (view_) view_->showSession();
        refresh();
    }

    // However it closes (its button, the window's close box, Escape), the
    // model closes with it and the window goes.
    void done(int result) override {
        refresh_.stop();
        if (alive() && !model_.closed()) {
            std::string error;
            model_.press("close", error);
        }
        QDialog::done(result);
        deleteLater();
    }

    std::string field(const char* name) const {
        std::string text;
        model_.field(name, text);
        return text;
    }

    void refresh() {
        if (!alive() || model_.closed()) {
            done(Rejected);
            return;
        }
        refreshing_ = true;
        const std::vector<MacroListRow> rows = model_.rows();
        if (static_cast<int>(rows.size()) != list_->count()) list_->clear();
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const MacroListRow& row = rows[static_cast<std::size_t>(i)];
            const QString text = qt(row.name) + QStringLiteral(" (") + qt(row.kinds) + QStringLiteral(")");
            if (i >= list_->count()) list_->addItem(text);
            QListWidgetItem* item = list_->item(i);
            item->setText(text);
            item->setToolTip(qt(row.description));
        }
        list_->setCurrentRow(model_.selected());
        if (!name_->hasFocus()) name_->setText(qt(field("name")));
        if (!description_->hasFocus()) description_->setText(qt(field("description")));
        const bool any = model_.selected() >= 0;
        name_->setEnabled(any);
        description_->setEnabled(any);
        picks_->setText(text(textid::kMacroInitialCount) + QStringLiteral(" ") + qt(field("initial")) +
                        QStringLiteral("   ") + text(textid::kMacroFinalCount) + QStringLiteral(" ") +
                        qt(field("final")));
        refreshing_ = false;
    }

    QString text(int id) const { return qt(texts_.text(id)); }

    QPointer<CChildFrame> view_;
    MacroDialog& model_;
    const TextTable& texts_;
    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLabel* picks_ = nullptr;
    QTimer refresh_;
    bool refreshing_ = false;
};

}  // namespace

bool showMacroFace(QWidget* parent, DialogModel& model, const TextTable& texts) {
    auto* macros = dynamic_cast<MacroDialog*>(&model);
    if (macros == nullptr) return false;
    auto* view = qobject_cast<CChildFrame*>(parent);
    if (view == nullptr || macros->closed()) return true;
    for (QDialog* dialog : view->findChildren<QDialog*>(QStringLiteral("macroDialog"))) {
        auto* shown = dynamic_cast<MacroFace*>(dialog);
        if (shown != nullptr && shown->model() == macros) {
            shown->show();
            shown->raise();
            shown->activateWindow();
            return true;
        }
    }
    auto* face = new MacroFace(view, *macros, texts);
    face->show();
    return true;
}
