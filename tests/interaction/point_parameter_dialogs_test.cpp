// The point coordinates dialog (new points and editing) and the parameter
// dialog with its slider, opened as the user opens them.

#include <cmath>
#include <numbers>

#include "expr/coordinates.h"
#include "expr/parameter.h"
#include "interaction/coordinates_dialog.h"
#include "interaction/parameter_dialog.h"
#include "lang/text_ids.h"
#include "tools_fixture.h"

namespace {

class PointParameterDialogs : public ToolsTest {
  protected:
    template <typename T>
    T& dialog() {
        auto* open = dynamic_cast<T*>(session.openDialog());
        EXPECT_NE(open, nullptr);
        return *open;
    }
    // The mouse goes there, then a double click as the window delivers it.
    void doubleClick(Pixel p) {
        click(p);
        session.doubleClick(p.x, p.y, {});
        session.mouseRelease(MouseButton::Left, p.x, p.y, {}, {});
    }
    void set(DialogModel& d, std::string_view field, std::string_view text) {
        std::string error;
        EXPECT_TRUE(d.setField(field, text, error)) << error;
    }
    bool press(DialogModel& d, std::string_view button) {
        std::string error;
        return d.press(button, error);
    }
    std::string field(const DialogModel& d, std::string_view name) {
        std::string text;
        EXPECT_TRUE(d.field(name, text)) << name;
        return text;
    }
    Vec3 positionAt(int index) { return static_cast<Point*>(construction().at(index))->position; }
};

}  // namespace

TEST_F(PointParameterDialogs, NewPointsAreOneStepInTheLengthUnitAndEditShowsThemBack) {
    addFree({5, 5, 0});
    start();
    document.unitScale = 2.0;

    ASSERT_TRUE(session.command(5011));
    EXPECT_EQ(session.toolNumber(), 8);
    auto& points = dialog<CoordinatesDialog>();
    EXPECT_FALSE(points.editing());
    EXPECT_FALSE(press(points, "ok")) << "OK waits for an apply";

    // A variable is refused; the focus goes to the first failing field.
    set(points, "x", "4");
    set(points, "y", "A+1");
    set(points, "z", "");
    EXPECT_TRUE(press(points, "apply"));
    EXPECT_EQ(points.focusField(), "y");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, textid::kInvalidFieldValue);
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(points.okEnabled());

    // Three applies, three points, divided by the length unit.
    set(points, "y", "2*PI");
    set(points, "z", "0");
    EXPECT_TRUE(press(points, "apply"));
    EXPECT_TRUE(points.focusField().empty());
    set(points, "x", "-2");
    EXPECT_TRUE(press(points, "apply"));
    set(points, "z", "(1");
    EXPECT_TRUE(press(points, "apply"));
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(positionAt(1).x, 2.0);
    EXPECT_DOUBLE_EQ(positionAt(1).y, std::numbers::pi);
    EXPECT_EQ(positionAt(3).z, 0.5);
    EXPECT_EQ(construction().at(3)->typeCode(), TypeCode::RepresentedPoint);
    EXPECT_TRUE(press(points, "ok"));
    EXPECT_EQ(session.toolNumber(), 0);
    EXPECT_EQ(document.history().size(), 2);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(count(), 1) << "one undo takes back all three";
    ASSERT_TRUE(document.redo());

    // A double click on the new point edits it: 4 shows again.
    doubleClick(pixelOf(positionAt(1)));
    auto& edit = dialog<CoordinatesDialog>();
    EXPECT_TRUE(edit.editing());
    EXPECT_EQ(field(edit, "x"), "4.0");
    EXPECT_EQ(field(edit, "y"), "6.2832");
    EXPECT_EQ(construction().selectedCount(), 0);
    // Applied as it shows and confirmed: nothing recorded.
    EXPECT_TRUE(press(edit, "apply"));
    EXPECT_TRUE(press(edit, "ok"));
    EXPECT_EQ(document.history().size(), 2);
    EXPECT_DOUBLE_EQ(positionAt(1).y, std::numbers::pi) << "the unchanged state is back";

    // A changed field moves the point in one step; cancel moves nothing.
    doubleClick(pixelOf(positionAt(1)));
    auto& moved = dialog<CoordinatesDialog>();
    set(moved, "z", "3");
    EXPECT_TRUE(press(moved, "apply"));
    EXPECT_EQ(positionAt(1).z, 1.5) << "the view shows it at once";
    EXPECT_TRUE(press(moved, "ok"));
    EXPECT_EQ(document.history().size(), 3);
    doubleClick(pixelOf(positionAt(1)));
    auto& cancelled = dialog<CoordinatesDialog>();
    set(cancelled, "z", "8");
    EXPECT_TRUE(press(cancelled, "apply"));
    EXPECT_TRUE(press(cancelled, "cancel"));
    EXPECT_EQ(positionAt(1).z, 1.5);
    EXPECT_EQ(document.history().size(), 3);
}

TEST_F(PointParameterDialogs, CoordinatesOpenTheirPointAndDependentPointsNothing) {
    Point* a = addFree({0, 0, 0});
    Point* b = addFree({2, 0, 0});
    Element* midpoint = add(TypeCode::MidpointTwoPoints, {a, b});
    start();
    session.setTool(42);
    clickAt({2, 0, 0});
    session.setTool(0);
    auto* coordinates = construction().at(3);
    ASSERT_EQ(coordinates->typeCode(), TypeCode::Coordinates);
    coordinates->layoutScreenText(session.screenTexts());

    doubleClick(pixelOf(static_cast<Point*>(midpoint)->position));
    EXPECT_EQ(session.openDialog(), nullptr);
    const auto box = static_cast<Coordinates*>(coordinates)->box();
    doubleClick({box.topLeft.x + 2, box.topLeft.y + 2});
    auto& edit = dialog<CoordinatesDialog>();
    EXPECT_EQ(field(edit, "x"), "2.0");
    set(edit, "x", "3");
    EXPECT_TRUE(press(edit, "apply"));
    EXPECT_TRUE(press(edit, "ok"));
    EXPECT_EQ(positionAt(1).x, 3.0);
    EXPECT_EQ(positionAt(2).x, 1.5) << "what is built on the point follows";
}

TEST_F(PointParameterDialogs, SliderSpansTheRangeAndConfirmAlwaysRecords) {
    auto* parameter = static_cast<ParameterNumber*>(addNumberAt(TypeCode::Parameter, 10, 10));
    parameter->setName("t");
    parameter->minimum = -10;
    parameter->maximum = 10;
    parameter->value = 0;
    // A point whose coordinates are the parameter.
    Element* point = add(TypeCode::PointByCoordinates, {parameter, parameter, parameter});
    start();
    TextTable texts;
    ASSERT_EQ(texts.load(KOVA_SOURCE_DIR "/Languages/English.lng"), 1);
    session.setTexts(&texts);

    doubleClick({12, 12});
    auto& slider = dialog<ParameterDialog>();
    EXPECT_EQ(slider.title(), "Parameter : t");
    EXPECT_EQ(slider.sliderPosition(), 250);
    EXPECT_EQ(field(slider, "minimum"), "-10.0");
    std::string error;
    EXPECT_FALSE(slider.setSlider(501, error));
    ASSERT_TRUE(slider.setSlider(500, error));
    EXPECT_EQ(field(slider, "value"), "10.00");
    EXPECT_EQ(positionAt(1).x, 10.0) << "the construction follows at once";
    // Cancelling puts the parameter and everything built on it back.
    EXPECT_TRUE(press(slider, "cancel"));
    EXPECT_EQ(positionAt(1).x, 0.0);
    EXPECT_EQ(static_cast<ParameterNumber*>(construction().at(0))->value, 0.0);
    EXPECT_EQ(document.history().size(), 1);

    // Edited bounds steer the slider, the smaller one at its left end;
    // confirming takes the fields that changed.
    session.openParameterDialog(*construction().at(0));
    auto& bounds = dialog<ParameterDialog>();
    set(bounds, "minimum", "20");
    set(bounds, "maximum", "2*PI");
    ASSERT_TRUE(bounds.setSlider(0, error));
    EXPECT_DOUBLE_EQ(positionAt(1).x, 2 * std::numbers::pi);
    set(bounds, "minimum", "oops");
    EXPECT_TRUE(press(bounds, "ok"));
    const auto& confirmed = *static_cast<ParameterNumber*>(construction().at(0));
    EXPECT_DOUBLE_EQ(confirmed.maximum, 2 * std::numbers::pi);
    EXPECT_EQ(confirmed.minimum, -10.0) << "a field that does not evaluate changes nothing";
    EXPECT_DOUBLE_EQ(confirmed.value, 2 * std::numbers::pi) << "the slider's value: its field was not edited";
    EXPECT_EQ(document.history().size(), 2);

    // Nothing changed, and still one step.
    session.openParameterDialog(*construction().at(0));
    auto& same = dialog<ParameterDialog>();
    EXPECT_EQ(same.sliderPosition(), 500);
    EXPECT_TRUE(press(same, "ok"));
    EXPECT_EQ(document.history().size(), 3);
    (void)point;
}
