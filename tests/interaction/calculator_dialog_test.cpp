// The calculator of the calculation and parameter tools, and the text dialog
// of the text tool, driven as the window and scripts drive them.

#include "interaction/calculator_dialog.h"
#include "expr/calculation.h"
#include "expr/coordinates.h"
#include "expr/parameter.h"
#include "expr/text_element.h"
#include "interaction/text_dialog.h"
#include "lang/text_ids.h"
#include "tools_fixture.h"

namespace {

ParameterNumber* parameterAt(Element* e, double v) {
    auto* p = static_cast<ParameterNumber*>(e);
    p->value = v;
    p->valueDefined = 1;
    return p;
}

bool set(DialogModel& dialog, std::string_view field, std::string_view text) {
    std::string error;
    return dialog.setField(field, text, error);
}

bool press(DialogModel& dialog, std::string_view button) {
    std::string error;
    return dialog.press(button, error);
}

std::string fieldOf(const DialogModel& dialog, std::string_view name) {
    std::string text;
    EXPECT_TRUE(dialog.field(name, text)) << name;
    return text;
}

}  // namespace

TEST_F(ToolsTest, CalculatorTypesLettersAndPlacesCalculationsAndParameters) {
    parameterAt(addNumberAt(TypeCode::Parameter, 100, 100), 1.5);
    auto* b = parameterAt(addNumberAt(TypeCode::Parameter, 100, 140), 2.0);
    Point* p = addFree({1, 2, 3});
    start();

    // The coordinates of a point: their x part can be an operand of its own.
    session.setTool(42);
    clickAt(p->position);
    ASSERT_EQ(construction().count(), 7);
    auto* x = static_cast<NumberElement*>(construction().at(4));
    ASSERT_EQ(x->typeCode(), TypeCode::CoordinateX);

    session.setTool(43);
    CalculatorDialog* calculator = openCalculator(session);
    ASSERT_NE(calculator, nullptr);
    EXPECT_EQ(calculator->use(), CalculatorUse::kCalculation);
    click({103, 103});
    click({103, 143});
    click({103, 103});  // a listed number types its letter again
    session.mouseMove(0, 0, {}, {});
    const ScreenBox xBox = x->box();
    click({xBox.topLeft.x + 2, xBox.topLeft.y + 2});
    EXPECT_EQ(fieldOf(*calculator, "expression"), "abac");
    ASSERT_EQ(calculator->calculator().operands().size(), 3u);

    // The letters sit at the top-right corner of a number, and a third into a
    // coordinate part, a tenth of its height above its bottom.
    const std::vector<CalculatorLetter> letters = calculator->letters();
    ASSERT_EQ(letters.size(), 3u);
    EXPECT_EQ(letters[0].letter, 'a');
    EXPECT_EQ(letters[0].at, (ScreenPoint{140, 100}));
    EXPECT_EQ(letters[1].at, (ScreenPoint{140, 140}));
    const int width = xBox.bottomRight.x - xBox.topLeft.x;
    const int height = xBox.bottomRight.y - xBox.topLeft.y;
    EXPECT_EQ(letters[2].letter, 'c');
    EXPECT_EQ(letters[2].at, (ScreenPoint{xBox.topLeft.x + width / 3, xBox.bottomRight.y - height / 10}));

    // Confirmed at the mouse: the calculation goes 10 pixels up and left of it,
    // with its operands as parents in letter order, as one undo step.
    ASSERT_TRUE(set(*calculator, "expression", "A*B+c"));
    session.mouseMove(400, 300, {}, {});
    ASSERT_TRUE(press(*calculator, "ok"));
    ASSERT_EQ(construction().count(), 8);
    auto* made = static_cast<Calculation*>(last());
    ASSERT_EQ(made->typeCode(), TypeCode::Calculation);
    EXPECT_EQ(made->expression, "a*b+c");
    EXPECT_DOUBLE_EQ(made->value, 1.5 * 2.0 + 1.0);
    EXPECT_EQ(made->position, (ScreenPoint{390, 290}));
    ASSERT_EQ(made->parents.size(), 3u);
    EXPECT_EQ(made->parents[0], construction().at(0));
    EXPECT_EQ(made->parents[2], construction().at(4));
    EXPECT_EQ(fieldOf(*calculator, "result"), "4.0000");
    // The calculator stays open for the next expression, empty.
    EXPECT_EQ(openCalculator(session), calculator);
    EXPECT_EQ(fieldOf(*calculator, "expression"), "");
    EXPECT_TRUE(calculator->letters().empty());
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(construction().count(), 7);

    // Not well formed, too long, not computable: the messages, and nothing placed.
    session.setTool(43);
    calculator = openCalculator(session);
    ASSERT_TRUE(set(*calculator, "expression", "2+"));
    press(*calculator, "ok");
    ASSERT_TRUE(set(*calculator, "expression", std::string(120, '1')));
    press(*calculator, "ok");
    ASSERT_TRUE(set(*calculator, "expression", "1/0"));
    press(*calculator, "ok");
    EXPECT_EQ(fieldOf(*calculator, "result"), session.screenTexts().undefinedValueText);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].first, textid::kExpressionInvalid);
    EXPECT_EQ(host.messages[1].first, textid::kExpressionTooLong);
    EXPECT_EQ(construction().count(), 7);

    // The parameter tool: the value v of the expression, range v ± 10, step
    // 0.01, and no link to the numbers it was computed from.
    session.setTool(44);
    calculator = openCalculator(session);
    ASSERT_NE(calculator, nullptr);
    EXPECT_EQ(calculator->use(), CalculatorUse::kParameter);
    click({103, 143});
    press(*calculator, "*");
    ASSERT_TRUE(set(*calculator, "expression", fieldOf(*calculator, "expression") + "3"));
    session.mouseMove(50, 60, {}, {});
    press(*calculator, "ok");
    ASSERT_EQ(construction().count(), 8);
    auto* parameter = static_cast<ParameterNumber*>(last());
    ASSERT_EQ(parameter->typeCode(), TypeCode::Parameter);
    EXPECT_DOUBLE_EQ(parameter->value, 6.0);
    EXPECT_DOUBLE_EQ(parameter->minimum, -4.0);
    EXPECT_DOUBLE_EQ(parameter->maximum, 16.0);
    EXPECT_DOUBLE_EQ(parameter->step, 0.01);
    EXPECT_TRUE(parameter->parents.empty());
    EXPECT_EQ(parameter->position, (ScreenPoint{40, 50}));
    // A value that cannot be computed is a message box for the parameter.
    b = static_cast<ParameterNumber*>(construction().at(1));
    b->valueDefined = 0;
    click({103, 143});
    ASSERT_TRUE(set(*calculator, "expression", "ln(a)"));
    host.messages.clear();
    press(*calculator, "ok");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, textid::kExpressionInvalid);
    EXPECT_EQ(construction().count(), 8);

    // Any other tool closes the calculator.
    session.setTool(0);
    EXPECT_EQ(openCalculator(session), nullptr);
}

TEST_F(ToolsTest, CalculatorTakesTwentyThreeNumbersAndEditsACalculationInPlace) {
    std::vector<Element*> numbers;
    for (int i = 0; i < 24; ++i)
        numbers.push_back(
            parameterAt(addNumberAt(TypeCode::Parameter, 10 + 50 * (i % 12), 100 + 30 * (i / 12)), i));
    start();
    session.setTool(43);
    CalculatorDialog* calculator = openCalculator(session);
    ASSERT_NE(calculator, nullptr);
    for (int i = 0; i < 24; ++i) click({13 + 50 * (i % 12), 103 + 30 * (i / 12)});
    EXPECT_EQ(fieldOf(*calculator, "expression"), "abcdefghijklmnopqrstuvw");  // the 24th does nothing
    ASSERT_TRUE(set(*calculator, "expression", "b+c"));
    session.mouseMove(300, 400, {}, {});
    press(*calculator, "ok");
    auto* made = static_cast<Calculation*>(last());
    ASSERT_EQ(made->typeCode(), TypeCode::Calculation);
    EXPECT_DOUBLE_EQ(made->value, 3.0);
    ASSERT_EQ(made->parents.size(), 23u);  // every listed number is an operand

    // A double click on the calculation opens the calculator editing it, with its text and operands.
    session.setTool(0);
    session.mouseMove(0, 0, {}, {});
    click({293, 393});
    session.doubleClick(293, 393, {});
    calculator = openCalculator(session);
    ASSERT_NE(calculator, nullptr);
    EXPECT_TRUE(calculator->editing());
    EXPECT_EQ(session.toolNumber(), 43);
    EXPECT_EQ(fieldOf(*calculator, "expression"), "b+c");
    // Confirming it unchanged records nothing.
    press(*calculator, "ok");
    EXPECT_EQ(session.toolNumber(), 0);
    EXPECT_EQ(last(), made);  // the same construction: no new state

    click({293, 393});
    session.doubleClick(293, 393, {});
    calculator = openCalculator(session);
    ASSERT_NE(calculator, nullptr);
    // The calculation itself cannot be its own operand.
    EXPECT_FALSE(calculator->clickNumber(*last()));
    ASSERT_TRUE(set(*calculator, "expression", "w*2"));
    press(*calculator, "ok");
    auto* edited = static_cast<Calculation*>(last());
    EXPECT_NE(edited, made);  // a new state in the history
    EXPECT_EQ(edited->expression, "w*2");
    EXPECT_DOUBLE_EQ(edited->value, 44.0);
    EXPECT_EQ(construction().count(), 25);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(static_cast<Calculation*>(last())->expression, "b+c");
}

TEST_F(ToolsTest, TextToolPlacesAndEditsRichText) {
    start();
    session.setTool(45);
    click({100, 200});
    auto* dialog = dynamic_cast<TextDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->editing());
    // A text that shows nothing makes no element.
    ASSERT_TRUE(set(*dialog, "rtf", "{\\rtf1 \\par  }"));
    press(*dialog, "ok");
    EXPECT_EQ(session.openDialog(), nullptr);
    EXPECT_EQ(construction().count(), 0);

    click({100, 200});
    dialog = dynamic_cast<TextDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    const std::string rtf = "{\\rtf1 {\\b Caf\\'e9} au lait\\par second line}";
    ASSERT_TRUE(set(*dialog, "rtf", rtf));
    EXPECT_EQ(fieldOf(*dialog, "rtf"), rtf);
    EXPECT_FALSE(set(*dialog, "rtf", "\xE2\x82\xAC\xF0\x9F\x98\x80"));  // beyond the code page: refused
    press(*dialog, "ok");
    ASSERT_EQ(construction().count(), 1);
    auto* text = static_cast<Text*>(last());
    EXPECT_EQ(text->richText, rtf);
    // The rectangle starts at the click and fits the text: two lines of the
    // measured 40 × 16, with a margin.
    EXPECT_EQ(text->rectangle.topLeft, (ScreenPoint{100, 200}));
    EXPECT_GE(text->rectangle.bottomRight.x - text->rectangle.topLeft.x, 80);
    EXPECT_EQ(text->rectangle.bottomRight.y - text->rectangle.topLeft.y, 2 * 16 + 8);

    // A right click on it opens it; cancel and an unchanged text record nothing.
    session.setTool(0);
    const auto rightClick = [this] {
        session.mouseMove(105, 205, {}, {});
        session.mousePress(MouseButton::Right, 105, 205, {});
        session.mouseRelease(MouseButton::Right, 105, 205, {}, {});
    };
    rightClick();
    dialog = dynamic_cast<TextDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->editing());
    EXPECT_EQ(dialog->storedRtf(), rtf);
    press(*dialog, "ok");
    EXPECT_EQ(last(), text);
    rightClick();
    dialog = dynamic_cast<TextDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    set(*dialog, "rtf", "plain");
    press(*dialog, "cancel");
    EXPECT_EQ(last(), text);
    rightClick();
    dialog = dynamic_cast<TextDialog*>(session.openDialog());
    ASSERT_NE(dialog, nullptr);
    set(*dialog, "rtf", "one line");
    press(*dialog, "ok");
    auto* edited = static_cast<Text*>(last());
    EXPECT_EQ(edited->richText, "one line");
    EXPECT_EQ(edited->rectangle.bottomRight.y - edited->rectangle.topLeft.y, 16 + 8);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(static_cast<Text*>(last())->richText, rtf);
}
