// What numbers show and where they can be picked: the displayed text, drawing
// through the canvas, the extent corner and the rectangle hit test.

#include "expr/format_number.h"
#include "expr/screen_text.h"
#include "expr/text_element.h"
#include "numbers_fixture.h"
#include "support/recording_canvas.h"

namespace {

std::unique_ptr<NumberElement> component(double value, int decimals) {
    auto n = std::make_unique<NumberElement>(TypeCode::CoordinateX, kNumberStyle);
    n->value = value;
    n->valueDefined = 1;
    n->decimals = decimals;
    return n;
}

}  // namespace

TEST(NumberDisplay, ValuesShowWithTheirDecimalsAndTinyOnesAsZero) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.05, 2, "0.05"},           {0.5, 2, "0.50"}, {-0.001, 2, "-0.00"}, {123456789, 2, "1.23E8"},
        {12345678, 0, "1.23E7"},     {2.5, 0, "3"},    {-7e-10, 3, "0.000"}, {3.14159, 8, "3.14159000"},
        {1.005e-3, 9, "0.00100500"},  // more than 8 decimals are shown as 8
    };
    for (const auto& c : cases) EXPECT_EQ(component(c.value, c.decimals)->valueText("?"), c.text) << c.value;

    // The parameter's step field trims zeros but keeps one decimal, and does not snap.
    ParameterNumber p(kNumberStyle);
    p.step = 1.5;
    EXPECT_EQ(p.stepText(), "1.5");
    p.step = 2;
    EXPECT_EQ(p.stepText(), "2.0");
    p.step = 0.00001;
    EXPECT_EQ(p.stepText(), "0.00001");
}

TEST(NumberDisplay, NameComesDirectlyBeforeTheValueOnlyWhenItsLabelIsShown) {
    const std::string undefinedText = "no value";
    auto owned = component(2.0 / 3.0, 3);
    NumberElement& n = *owned;
    EXPECT_EQ(n.displayedText(undefinedText), "0.667");
    n.setName("d=");
    EXPECT_EQ(n.displayedText(undefinedText), "d=0.667");
    n.showLabel = 0;
    EXPECT_EQ(n.displayedText(undefinedText), "0.667");
    n.showLabel = 1;
    n.valueDefined = 0;
    EXPECT_EQ(n.displayedText(undefinedText), "d=no value");
    EXPECT_EQ(n.displayedText("20620"), "d=20620");
}

TEST(NumberDisplay, DrawWritesAtThePositionAndPicksItsBoxEndsIncluded) {
    auto owned = component(1.25, 2);
    NumberElement& n = *owned;
    n.setName("r");
    n.font = fontOfSize(-20, 8);
    n.colour = 0x0000FF;
    n.position = {30, 40};
    Vec3 hit{9, 9, 9};
    const PickRay ray{{1, 2, 3}, {1, 2, -3}};
    // Before it is first drawn the box has no extent.
    EXPECT_EQ(n.hitTest(31, 40, ray, 0, hit), 0);

    RecordingCanvas canvas;
    n.draw(0x00FF00, 0, canvas);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].primitive, "screenText");
    EXPECT_EQ(canvas.calls[0].text, "r1.25");
    EXPECT_EQ(canvas.calls[0].colour, 0x00FF00u);  // the colour the walk chose
    EXPECT_EQ(canvas.calls[0].points[0], (Vec3{30, 40, 0}));
    // Five characters of 8 pixels, 20 pixels high.
    EXPECT_EQ(n.corner, (ScreenPoint{70, 60}));

    EXPECT_EQ(n.hitTest(30, 40, ray, 0, hit), 1);
    EXPECT_EQ(hit, ray.nearPoint);
    EXPECT_EQ(n.hitTest(70, 60, ray, 0, hit), 1);
    EXPECT_EQ(n.hitTest(71, 60, ray, 0, hit), 0);
    EXPECT_EQ(n.hitTest(70, 61, ray, 0, hit), 0);
    EXPECT_EQ(n.hitTest(29, 50, ray, 0, hit), 0);
    EXPECT_EQ(n.hitTest(50, 39, ray, 0, hit), 0);

    // The view's own measure replaces the estimate.
    canvas.texts.measure = [](std::string_view text, const FontRecord&) {
        return TextExtent{static_cast<int>(text.size()) * 3, 11};
    };
    n.draw(0x00FF00, 0, canvas);
    EXPECT_EQ(n.corner, (ScreenPoint{45, 51}));
}

TEST(NumberDisplay, TwoScreensInOneProcessLayOutAndDrawTheSameConstructionEachItsOwnWay) {
    Construction c;
    ParameterNumber* p = addParameter(c, 1.0);
    Calculation* inverse = addCalculation(c, "1/(A-1)", {p});
    inverse->position = {10, 20};
    inverse->font = fontOfSize(-10, 5);
    Text* text = addElement<Text>(c, {}, kNumberStyle);
    text->resolution = 96;
    text->rectangle = {{0, 100}, {50, 150}};
    c.recomputeAll({0, 1.0});
    ASSERT_EQ(inverse->valueDefined, 0);

    ScreenTextContext plain;  // the estimate, "?", 96 pixels per inch
    ScreenTextContext other;
    other.undefinedValueText = "undefined";
    other.pixelsPerInch = 192;
    other.measure = [](std::string_view t, const FontRecord&) {
        return TextExtent{10 * static_cast<int>(t.size()), 12};
    };
    const PickRay ray{};
    Vec3 hit;
    // Laid out for one screen, then for the other: nothing of the first stays.
    c.layoutScreenTexts(other);
    EXPECT_EQ(inverse->box(), (ScreenBox{{10, 20}, {100, 32}}));
    EXPECT_EQ(text->hitTest(100, 200, ray, 0, hit), 1);
    c.layoutScreenTexts(plain);
    EXPECT_EQ(inverse->box(), (ScreenBox{{10, 20}, {15, 30}}));
    EXPECT_EQ(text->hitTest(50, 150, ray, 0, hit), 1);
    EXPECT_EQ(text->hitTest(51, 150, ray, 0, hit), 0);

    // Drawing lays out as the canvas's screen says, whatever was laid out before.
    const auto drawnOn = [&](const ScreenTextContext& screen) {
        RecordingCanvas canvas;
        canvas.texts = screen;
        c.drawAll(canvas, DrawSettings{});
        std::pair<std::string, int> shown;  // the calculation's text, the text box's width
        for (const RecordingCanvas::Call& call : canvas.calls) {
            if (call.primitive == "screenText" && call.points[0] == Vec3{10, 20, 0}) shown.first = call.text;
            if (call.primitive == "richText") shown.second = static_cast<int>(call.points[1].x);
        }
        return shown;
    };
    EXPECT_EQ(drawnOn(other), (std::pair<std::string, int>{"undefined", 100}));
    EXPECT_EQ(inverse->box(), (ScreenBox{{10, 20}, {100, 32}}));
    EXPECT_EQ(drawnOn(plain), (std::pair<std::string, int>{"?", 50}));
    EXPECT_EQ(inverse->box(), (ScreenBox{{10, 20}, {15, 30}}));
}

TEST(NumberDisplay, ExtentEstimateAndBoxesSaturate) {
    // A UTF-8 character counts once.
    EXPECT_EQ(estimateTextExtent("\xC3\xA9t\xC3\xA9", fontOfSize(10, 4)).width, 12);
    const ScreenBox far = textBoxAt({INT32_MAX - 5, INT32_MAX - 1}, {100, 100});
    EXPECT_EQ(far.bottomRight, (ScreenPoint{INT32_MAX, INT32_MAX}));
    EXPECT_TRUE(far.contains(INT32_MAX, INT32_MAX));
}

TEST(NumberDisplay, CreationDefaultsAndPlacement) {
    NumberDefaults defaults;
    defaults.decimals = 12;
    defaults.font = fontOfSize(-11, 0);
    defaults.colour = 0x00ABCDEF;
    Construction c;
    Point* a = addFreePoint(c, {0, 0, 0});
    Point* b = addFreePoint(c, {1, 0, 0});
    Element* pair[] = {a, b};
    auto measure = makeMeasure(TypeCode::PointPointDistance, pair, kNumberStyle, defaults, 200, 150);
    EXPECT_EQ(measure->decimals, 8);
    EXPECT_EQ(measure->font, defaults.font);
    EXPECT_EQ(measure->colour, 0x00ABCDEFu);
    EXPECT_EQ(measure->position, (ScreenPoint{200, 150}));  // measures go where clicked
    EXPECT_EQ(measure->parents[1], b);

    defaults.decimals = -1;
    auto parameter = makeParameter(-2.5, kNumberStyle, defaults, 200, 150);
    EXPECT_EQ(parameter->decimals, 0);
    EXPECT_EQ(parameter->position, (ScreenPoint{190, 140}));
    EXPECT_EQ(parameter->minimum, -12.5);
    EXPECT_EQ(parameter->maximum, 7.5);
    EXPECT_EQ(parameter->step, 0.01);
    EXPECT_EQ(parameter->parentCount(), 0);

    CompiledExpression compiled;
    ASSERT_EQ(compileExpression("A + 2", 1, compiled), kCompileOk);
    Element* one[] = {a};
    // A point is no number, but placement does not look at the operands.
    auto calculation = makeCalculation(compiled, one, kNumberStyle, defaults, 5, 7);
    EXPECT_EQ(calculation->position, (ScreenPoint{-5, -3}));

    // "Tipo de letra" reaches the font through the base class.
    Element& asElement = *calculation;
    asElement.setFont(fontOfSize(30, 3));
    EXPECT_EQ(calculation->font, fontOfSize(30, 3));
}
