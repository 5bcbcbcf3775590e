// Calculations: following their operands, failing operands and evaluations,
// the stored text and editing in place.

#include <cmath>
#include <numbers>
#include <sstream>
#include "support/recording_canvas.h"

#include "expr/calculation.h"
#include "expr/measures.h"
#include "expr/parameter.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "numbers_fixture.h"

TEST(Calculation, FollowsAParameterStepByStepAndShowsTheUndefinedText) {
    TextTable texts;
    std::istringstream language("20610=invalid\n20620=undefined\n");
    texts.read(language, "test.lng");
    Construction c;
    ParameterNumber* p = addParameter(c, 1.0);
    Calculation* inverse = addCalculation(c, "1/(A-2)", {p});
    Calculation* next = addCalculation(c, "a+1", {inverse});
    c.recomputeAll({0, 1.0});
    EXPECT_DOUBLE_EQ(inverse->value, -1.0);
    EXPECT_DOUBLE_EQ(next->value, 0.0);

    // "+" held: each step moves the parameter and the whole chain follows.
    double expected = 1.0;
    for (int i = 0; i < 50; ++i) {
        p->stepUp();
        expected += 0.01;
        c.recomputeAll({0, 1.0});
        ASSERT_NEAR(p->value, expected, 1e-12);
        if (std::abs(p->value - 2.0) < 1e-9) break;
        ASSERT_EQ(inverse->valueDefined, 1) << p->value;
        ASSERT_NEAR(next->value, 1.0 / (p->value - 2.0) + 1.0, 1e-9);
    }

    // At 2 the division fails: still defined, but showing the undefined text,
    // and so does the calculation that uses it.
    p->value = 2.0;
    c.recomputeAll({0, 1.0});
    EXPECT_EQ(inverse->defined, 1);
    EXPECT_EQ(inverse->valueDefined, 0);
    EXPECT_EQ(next->defined, 1);
    EXPECT_EQ(next->valueDefined, 0);
    RecordingCanvas canvas;
    canvas.texts.undefinedValueText = texts.text(textid::kValueUndefined);
    c.drawAll(canvas, DrawSettings{});
    ASSERT_EQ(canvas.count("screenText"), 3);
    EXPECT_EQ(canvas.calls[1].text, "undefined");
    EXPECT_EQ(canvas.calls[2].text, "undefined");

    p->stepDown();
    c.recomputeAll({0, 1.0});
    EXPECT_EQ(next->valueDefined, 1);
    EXPECT_NEAR(next->value, 1.0 / -0.01 + 1.0, 1e-9);
}

TEST(Calculation, AnUndefinedOperandMakesItUndefinedAndTheAngleUnitReachesTheFunctions) {
    Construction c;
    ParameterNumber* p = addParameter(c, 90.0);
    Calculation* sine = addCalculation(c, "sin(A)", {p});
    sine->recompute(c, {1, 1.0});
    EXPECT_NEAR(sine->value, 1.0, 1e-15);
    sine->recompute(c, {2, 1.0});
    EXPECT_NEAR(sine->value, std::sin(90.0 * std::numbers::pi / 200.0), 1e-15);

    p->defined = 0;
    sine->recompute(c, {1, 1.0});
    EXPECT_EQ(sine->defined, 0);
    EXPECT_EQ(sine->valueDefined, 0);

    // Through the construction the walk leaves it undefined, and it is not drawn.
    Construction d;
    Point* a = addFreePoint(d, {1, 0, 0});
    Point* v = addFreePoint(d, {0, 0, 0});
    Point* b = addFreePoint(d, {0, 1, 0});
    Measure* angle = addElement<Measure>(d, {a, v, b}, TypeCode::ThreePointAngle, kNumberStyle);
    Calculation* half = addCalculation(d, "A/2", {angle});
    d.recomputeAll({1, 1.0});
    EXPECT_NEAR(half->value, 45.0, 1e-12);
    a->position = v->position;
    d.recomputeAll({1, 1.0});
    EXPECT_EQ(angle->defined, 0);
    EXPECT_EQ(half->defined, 0);
    RecordingCanvas canvas;
    d.drawAll(canvas, DrawSettings{});
    EXPECT_EQ(canvas.count("screenText"), 0);
}

TEST(Calculation, StoresLowerCaseTextListsItAndIsEditedInPlace) {
    Construction c;
    ParameterNumber* a = addParameter(c, 3.0);
    ParameterNumber* b = addParameter(c, 4.0);
    Calculation* calc = addCalculation(c, "  SQR(A^2 + B^2) * PI ", {a, b});
    EXPECT_EQ(calc->expression, "sqr(a^2 + b^2) * pi");
    EXPECT_EQ(calc->listSuffix(), calc->expression);
    EXPECT_EQ(calc->postfix.back(), 0);
    ASSERT_EQ(calc->values.size(), 2u + 3u + 1u);  // result, A, B, then 2, 2 and PI
    EXPECT_NEAR(calc->value, 5.0 * std::numbers::pi, 1e-12);
    a->setName("a");
    const auto lines = c.listLines([](int) { return std::string("Calc"); }, false);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, " 3. Calc [ a,_ ] sqr(a^2 + b^2) * pi");

    // Editing replaces the text, translation, table and operands.
    CompiledExpression edited;
    ASSERT_EQ(compileExpression("-A", 1, edited), kCompileOk);
    Element* operands[] = {b};
    calc->parentKeys = {7, 8};
    calc->assign(edited, operands);
    ASSERT_EQ(calc->parentCount(), 1);
    EXPECT_EQ(calc->parents[0], b);
    EXPECT_EQ(calc->parentKeys, std::vector<std::int32_t>{-1});
    EXPECT_EQ(calc->expression, "-a");
    EXPECT_EQ(calc->values.size(), 2u);
    calc->recompute(c, {0, 1.0});
    EXPECT_DOUBLE_EQ(calc->value, -4.0);

    // A copy evaluates on its own table.
    auto copy = c.copy();
    auto* copied = static_cast<Calculation*>(copy->at(2));
    static_cast<ParameterNumber*>(copy->at(1))->value = 10.0;
    copy->recomputeAll({0, 1.0});
    EXPECT_DOUBLE_EQ(copied->value, -10.0);
    EXPECT_EQ(copied->expression, "-a");
    c.recomputeAll({0, 1.0});
    EXPECT_DOUBLE_EQ(calc->value, -4.0);
}
