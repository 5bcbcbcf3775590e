#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "expr/calculator.h"
#include "expr/screen_text.h"
#include "interaction/dialog_model.h"

class ViewSession;
class Element;

// A letter the view draws on a number the calculator lists.
struct CalculatorLetter {
    ScreenPoint at;  // top-left corner, window pixels
    char letter = 'a';
};

// The calculator keypad of the calculation and parameter tools (43, 44), and
// of a calculation being edited: the expression field with its caret, the
// result field, the numbers the expression refers to (lettered a, b, … in the
// order they were clicked) and the keypad buttons. The window keeps it open
// beside the view, so clicks on numbers reach it while it is open.
//
// Fields: "expression" (the text, at most 100 characters in the window's
// field), "result" (read only). Buttons: "ok" evaluates and places the result
// (or updates the calculation being edited), "cancel" closes, "arc" ticks or
// clears the arc box, and the keypad: "abs", "sin", "cos", "tan", "int", "ln",
// "log", "sqr", "pi", "+", "-", "*", "/", "^", "(", ")".
class CalculatorDialog : public DialogModel {
  public:
    // What a face hears: the model changed (a click in the view typed a
    // letter, a result was placed, it closed), or it is going away.
    class Observer {
      public:
        virtual ~Observer() = default;
        virtual void calculatorChanged() = 0;
        virtual void calculatorGone() = 0;
    };

    // A new calculation or parameter, or (editedIndex ≥ 0) the calculation at
    // that position of the construction, with its expression and operands.
    CalculatorDialog(ViewSession& session, CalculatorUse use, int editedIndex = -1);
    ~CalculatorDialog() override;

    std::string title() const override;
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    CalculatorUse use() const { return calculator_.use(); }
    bool editing() const { return editedIndex_ >= 0; }
    const Calculator& calculator() const { return calculator_; }
    // The caret or selection as the window's field reports it.
    void setSelection(std::size_t start, std::size_t end) { calculator_.setSelection(start, end); }

    // A click on a number in the view: its letter is typed, the number joins
    // the list first when new. Refused (false) for a 24th number and, while a
    // calculation is edited, for the calculation itself and for any number
    // after it in the construction (which could be built on it).
    bool clickNumber(const Element& number);

    // The listed numbers' names as the list shows them: "a = name  value", UTF-8.
    std::vector<std::string> variableRows() const;
    // Where the view draws the letters of the listed numbers.
    std::vector<CalculatorLetter> letters() const;

    void setObserver(Observer* observer) { observer_ = observer; }

  private:
    void changed();
    void confirm();
    void close();
    // The listed number at a list position, or nullptr when the construction
    // no longer holds a number there.
    const Element* operand(std::size_t k) const;

    ViewSession& session_;
    Calculator calculator_;
    int editedIndex_;
    bool closed_ = false;
    Observer* observer_ = nullptr;
};

// The calculator the session has open, or nullptr.
CalculatorDialog* openCalculator(ViewSession& session);
