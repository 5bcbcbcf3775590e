#include "dialogs/calculator_face.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The keypad: what each button shows is the model's button name.
constexpr const char* kKeypad[] = {"abs", "sin", "cos", "tan", "int", "ln", "log", "sqr",
                                   "pi",  "+",   "-",   "*",   "/",   "^",  "(",   ")"};
constexpr int kKeypadColumns = 4;

// A font of the given family and size, or of the fallback family when the first is not installed.
QFont fontOr(const char* family, const char* fallback, int points) {
    QFont font(family, points);
    if (!QFontInfo(font).exactMatch()) font = QFont(fallback, points);
    return font;
}

}  // namespace

CalculatorFace::CalculatorFace(QWidget* view, CalculatorDialog& model, const QString& title)
    : QDialog(view), model_(&model), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(title);
    setObjectName("calculator");

    const QFont fieldFont = fontOr("MS Sans Serif", "Arial", 14);
    const QFont buttonFont = fontOr("Arial", "System", 10);
    expression_ = new QLineEdit(this);
    expression_->setObjectName("expression");
    expression_->setMaxLength(static_cast<int>(Calculator::kMaxTextLength));
    expression_->setFont(fieldFont);
    result_ = new QLineEdit(this);
    result_->setObjectName("result");
    result_->setReadOnly(true);
    result_->setFont(fieldFont);

    auto* keypad = new QGridLayout;
    int index = 0;
    for (const char* name : kKeypad) {
        auto* button = new QPushButton(QString::fromLatin1(name), this);
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, name] { pressButton(name); });
        keypad->addWidget(button, index / kKeypadColumns, index % kKeypadColumns);
        ++index;
    }
    arc_ = new QCheckBox("arc", this);
    arc_->setFont(buttonFont);
    arc_->setFocusPolicy(Qt::NoFocus);
    connect(arc_, &QCheckBox::clicked, this, [this] { pressButton("arc"); });
    keypad->addWidget(arc_, index / kKeypadColumns, index % kKeypadColumns);

    variables_ = new QListWidget(this);
    variables_->setObjectName("variables");
    variables_->setFocusPolicy(Qt::NoFocus);

    auto* ok = new QPushButton("=", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { pressButton("ok"); });
    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(expression_);
    layout->addWidget(result_);
    auto* middle = new QHBoxLayout;
    middle->addLayout(keypad);
    middle->addWidget(variables_);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    connect(expression_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (updating_ || !model_) return;
        std::string error;
        model_->setField("expression", text.toStdString(), error);
        syncSelection();
    });
    // A number clicked in the view is typed at the field's caret.
    connect(expression_, &QLineEdit::cursorPositionChanged, this, [this] { syncSelection(); });
    connect(expression_, &QLineEdit::selectionChanged, this, [this] { syncSelection(); });
    model_->setObserver(this);
    refresh();
}

CalculatorFace::~CalculatorFace() {
    if (model_) model_->setObserver(nullptr);
}

void CalculatorFace::syncSelection() {
    if (updating_ || !model_) return;
    const int start =
        expression_->hasSelectedText() ? expression_->selectionStart() : expression_->cursorPosition();
    const int end = start + static_cast<int>(expression_->selectedText().size());
    model_->setSelection(static_cast<std::size_t>(start), static_cast<std::size_t>(end));
}

void CalculatorFace::pressButton(const char* name) {
    if (!model_) return;
    syncSelection();
    std::string error;
    model_->press(name, error);
    if (view_) view_->update();
    if (!leaving_) expression_->setFocus();
}

void CalculatorFace::calculatorChanged() {
    refresh();
    if (view_) view_->update();
}

void CalculatorFace::calculatorGone() {
    model_ = nullptr;
    leave();
}

void CalculatorFace::leave() {
    if (leaving_) return;
    leaving_ = true;
    close();
}

void CalculatorFace::refresh() {
    if (!model_) return;
    if (model_->closed()) {
        leave();
        return;
    }
    updating_ = true;
    std::string text;
    model_->field("expression", text);
    const QString shown = QString::fromStdString(text);
    // Typing in the field keeps its caret; an insertion by the model places it.
    if (expression_->text() != shown) {
        expression_->setText(shown);
        expression_->setCursorPosition(static_cast<int>(model_->calculator().caret()));
    }
    model_->field("result", text);
    result_->setText(QString::fromStdString(text));
    arc_->setChecked(model_->calculator().arc());
    variables_->clear();
    for (const std::string& row : model_->variableRows()) variables_->addItem(QString::fromStdString(row));
    updating_ = false;
}

void CalculatorFace::closeEvent(QCloseEvent* event) {
    leaving_ = true;
    if (model_) {
        CalculatorDialog* model = model_;
        model_ = nullptr;
        model->setObserver(nullptr);
        if (!model->closed()) {
            std::string error;
            model->press("cancel", error);
        }
    }
    if (view_) view_->update();
    QDialog::closeEvent(event);
}
