#include "interaction/calculator_dialog.h"

#include <algorithm>
#include <array>
#include <utility>

#include "expr/calculation.h"
#include "expr/expression_tokens.h"
#include "expr/number_creation.h"
#include "expr/parameter.h"
#include "interaction/view_session.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"
#include "view/label_placement.h"

namespace {

struct KeypadButton {
    std::string_view name;
    CalculatorButton button;
};

constexpr std::array<KeypadButton, 16> kKeypad = {{
    {"abs", CalculatorButton::kAbs},
    {"sin", CalculatorButton::kSin},
    {"cos", CalculatorButton::kCos},
    {"tan", CalculatorButton::kTan},
    {"int", CalculatorButton::kInt},
    {"ln", CalculatorButton::kLn},
    {"log", CalculatorButton::kLog},
    {"sqr", CalculatorButton::kSqr},
    {"pi", CalculatorButton::kPi},
    {"+", CalculatorButton::kPlus},
    {"-", CalculatorButton::kMinus},
    {"*", CalculatorButton::kTimes},
    {"/", CalculatorButton::kDivide},
    {"^", CalculatorButton::kPower},
    {"(", CalculatorButton::kOpen},
    {")", CalculatorButton::kClose},
}};

bool isCoordinatePart(const Element& e) {
    const TypeCode code = e.typeCode();
    return code == TypeCode::CoordinateX || code == TypeCode::CoordinateY || code == TypeCode::CoordinateZ;
}

char letterOf(std::size_t k) {
    return static_cast<char>(kVariableLetters[k] - 'A' + 'a');
}

}  // namespace

CalculatorDialog::CalculatorDialog(ViewSession& session, CalculatorUse use, int editedIndex)
    : session_(session), calculator_(use), editedIndex_(-1) {
    const Construction& c = session.document().construction();
    const Element* edited = c.at(editedIndex);
    if (edited == nullptr || edited->typeCode() != TypeCode::Calculation) return;
    editedIndex_ = editedIndex;
    const auto& calculation = static_cast<const Calculation&>(*edited);
    std::vector<int> operands;
    for (const Element* parent : calculation.parents) operands.push_back(c.indexOf(parent));
    calculator_.setText(calculation.expression);
    calculator_.setOperands(std::move(operands));
}

CalculatorDialog::~CalculatorDialog() {
    if (observer_) observer_->calculatorGone();
}

std::string CalculatorDialog::title() const {
    return session_.host_.text(textid::kCalculatorTitle);
}

std::vector<std::string> CalculatorDialog::fieldNames() const {
    return {"expression", "result"};
}

bool CalculatorDialog::field(std::string_view name, std::string& text) const {
    if (name == "expression") {
        text = windows1252ToUtf8(calculator_.text());
        return true;
    }
    if (name == "result") {
        text = calculator_.resultText();
        return true;
    }
    return false;
}

bool CalculatorDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (closed_) {
        error = "the calculator is closed";
        return false;
    }
    if (name == "result") {
        error = "the result field cannot be typed in";
        return false;
    }
    if (name != "expression") {
        error = "the calculator has no field '" + std::string(name) + "'";
        return false;
    }
    const Windows1252Text stored = utf8ToWindows1252(text);
    if (!stored.ok()) {
        error = "the expression holds a character that cannot be stored";
        return false;
    }
    calculator_.setText(stored.bytes);
    changed();
    return true;
}

bool CalculatorDialog::press(std::string_view button, std::string& error) {
    if (closed_) {
        error = "the calculator is closed";
        return false;
    }
    if (button == "ok") {
        confirm();
        return true;
    }
    if (button == "cancel" || button == "close") {
        close();
        return true;
    }
    if (button == "arc") {
        calculator_.setArc(!calculator_.arc());
        changed();
        return true;
    }
    for (const KeypadButton& key : kKeypad) {
        if (key.name != button) continue;
        calculator_.press(key.button);  // beyond the field's limit nothing is inserted
        changed();
        return true;
    }
    error = "the calculator has no button '" + std::string(button) + "'";
    return false;
}

bool CalculatorDialog::clickNumber(const Element& number) {
    if (closed_ || number.kind() != ElementKind::Number) return false;
    const int index = session_.document().construction().indexOf(&number);
    if (index < 0 || (editing() && index >= editedIndex_)) return false;
    if (!calculator_.clickNumber(index)) return false;
    changed();
    return true;
}

const Element* CalculatorDialog::operand(std::size_t k) const {
    const std::span<const int> operands = calculator_.operands();
    if (k >= operands.size()) return nullptr;
    const Element* e = session_.document().construction().at(operands[k]);
    return e != nullptr && e->kind() == ElementKind::Number ? e : nullptr;
}

std::vector<std::string> CalculatorDialog::variableRows() const {
    std::vector<std::string> rows;
    const std::string& undefined = session_.screenTexts().undefinedValueText;
    for (std::size_t k = 0; k < calculator_.operands().size(); ++k) {
        std::string row(1, letterOf(k));
        row += " = ";
        if (const Element* e = operand(k)) {
            if (e->hasName()) row += windows1252ToUtf8(*e->name()) + "  ";
            const NumberElement& number = asNumber(e);
            row += numberValueText(number.value, e->defined ? number.valueDefined : 0, number.decimals,
                                   undefined);
        } else {
            row += undefined;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CalculatorLetter> CalculatorDialog::letters() const {
    std::vector<CalculatorLetter> shown;
    if (closed_) return shown;
    for (std::size_t k = 0; k < calculator_.operands().size(); ++k) {
        const Element* e = operand(k);
        if (e == nullptr) continue;
        shown.push_back({calculatorLetterPosition(asNumber(e).box(), isCoordinatePart(*e)), letterOf(k)});
    }
    return shown;
}

void CalculatorDialog::changed() {
    session_.redraw_ = true;
    if (observer_) observer_->calculatorChanged();
}

void CalculatorDialog::close() {
    closed_ = true;
    changed();
}

void CalculatorDialog::confirm() {
    Document& document = session_.document();
    const Construction& c = document.construction();
    std::vector<OperandValue> values;
    std::vector<Element*> operands;
    bool listed = true;
    for (std::size_t k = 0; k < calculator_.operands().size(); ++k) {
        const Element* e = operand(k);
        listed = listed && e != nullptr && (!editing() || c.indexOf(e) < editedIndex_);
        if (!listed) break;
        const NumberElement& number = asNumber(e);
        values.push_back({number.value, e->defined != 0 && number.valueDefined == 1});
        operands.push_back(const_cast<Element*>(e));
    }
    if (!listed) {
        // The construction changed under the list (undo, delete): the letters name nothing.
        session_.host_.message(textid::kExpressionInvalid, MessageIcon::Error);
        return;
    }
    std::string undefined = session_.host_.text(textid::kValueUndefined);
    if (undefined.empty()) undefined = session_.screenTexts().undefinedValueText;
    const CalculatorOutcome outcome = calculator_.evaluate(values, document.angleUnit, undefined);
    if (outcome.messageId != 0) session_.host_.message(outcome.messageId, MessageIcon::Error);
    if (outcome.status != kCalculatorOk) {
        changed();
        return;
    }

    if (editing()) {
        auto& edited = static_cast<Calculation&>(*c.at(editedIndex_));
        const bool same =
            edited.expression == calculator_.compiled().text &&
            std::equal(edited.parents.begin(), edited.parents.end(), operands.begin(), operands.end());
        if (!same) {
            std::unique_ptr<Construction> copy = document.construction().copy();
            for (Element*& e : operands) e = copy->at(c.indexOf(e));
            static_cast<Calculation&>(*copy->at(editedIndex_)).assign(calculator_.compiled(), operands);
            document.commit(std::move(copy));
            session_.constructionReplaced();
        }
        close();
        session_.setTool(kSelectionTool);
        return;
    }

    ElementPtr made;
    const ScreenPoint at = calculatedPlacement(session_.cursorX_, session_.cursorY_);
    if (use() == CalculatorUse::kCalculation) {
        made = session_.makeToolElement(TypeCode::Calculation, operands);
        if (made) static_cast<Calculation&>(*made).assign(calculator_.compiled(), operands);
    } else {
        made = session_.makeToolElement(TypeCode::Parameter, {});
        if (made) {
            auto& parameter = static_cast<ParameterNumber&>(*made);
            parameter.value = outcome.value;
            parameter.valueDefined = 1;
            parameter.minimum = outcome.value - kParameterHalfRange;
            parameter.maximum = outcome.value + kParameterHalfRange;
            parameter.step = kDefaultParameterStep;
        }
    }
    if (!made) return;
    auto& number = static_cast<NumberElement&>(*made);
    number.position = at;
    number.corner = at;
    std::vector<ElementPtr> list;
    list.push_back(std::move(made));
    session_.commitAll(std::move(list));
    // The calculator stays open for the next expression.
    calculator_.setText("");
    calculator_.setOperands({});
    changed();
}

CalculatorDialog* openCalculator(ViewSession& session) {
    return dynamic_cast<CalculatorDialog*>(session.openDialog());
}
