// The element dialog over a live copy: what it shows and refuses, the
// change test, the regular figures' parts and the kind-specific values.

#include "interaction/element_dialog.h"
#include "interaction/text_dialog.h"
#include "elements/iteration.h"
#include "elements/regular_solids.h"
#include "expr/coordinates.h"
#include "expr/parameter.h"
#include "io/document_file.h"
#include "lang/text_table.h"
#include "tools_fixture.h"

namespace {

class ElementDialogTest : public ToolsTest {
  protected:
    ElementDialog& open(Element& element) {
        session.openElementDialog(element);
        auto* dialog = dynamic_cast<ElementDialog*>(session.openDialog());
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    void set(DialogModel& dialog, std::string_view field, std::string_view text) {
        std::string error;
        EXPECT_TRUE(dialog.setField(field, text, error)) << field << ": " << error;
    }
    bool refuses(DialogModel& dialog, std::string_view field, std::string_view text) {
        std::string error;
        const bool refused = !dialog.setField(field, text, error);
        EXPECT_EQ(refused, !error.empty());
        return refused;
    }
    void press(DialogModel& dialog, std::string_view button) {
        std::string error;
        EXPECT_TRUE(dialog.press(button, error)) << error;
        EXPECT_TRUE(dialog.closed());
        EXPECT_EQ(session.openDialog(), nullptr);
    }
};

}  // namespace

TEST_F(ElementDialogTest, PreviewsLiveRecordsOnlyAChangeAndCancelPutsBack) {
    Point* a = addFree({0, 0, 0}, "A");
    Point* b = addFree({2, 0, 0}, "B");
    Element* segment = add(TypeCode::SegmentTwoPoints, {a, b});
    Element* distance = add(TypeCode::PointPointDistance, {a, b});
    start();
    TextTable texts;
    ASSERT_EQ(texts.load(KOVA_SOURCE_DIR "/Languages/English.lng"), 1);
    session.setTexts(&texts);
    const auto before = document.sharedConstruction();

    // Confirming without a change leaves the history as it was.
    ElementDialog& unchanged = open(*segment);
    EXPECT_EQ(unchanged.title(), "Segment");
    EXPECT_NE(document.sharedConstruction(), before) << "the dialog works on a copy";
    EXPECT_EQ(construction().at(2)->selected, 1);
    EXPECT_EQ(construction().at(0)->selected, 0);
    press(unchanged, "ok");
    EXPECT_EQ(document.history().size(), 1);
    EXPECT_EQ(document.sharedConstruction(), before);
    EXPECT_EQ(construction().selectedCount(), 0);

    // A measure shows what it measures; it has decimals, no size or shape.
    ElementDialog& measure = open(*distance);
    EXPECT_EQ(construction().at(0)->selected + construction().at(1)->selected, 2);
    EXPECT_TRUE(measure.hasField("decimals"));
    EXPECT_FALSE(measure.hasField("size"));
    EXPECT_FALSE(measure.hasField("step"));
    press(measure, "cancel");

    // Each field shows at once on the copy; a cancel puts everything back.
    ElementDialog& point = open(*a);
    EXPECT_EQ(point.fieldNames(),
              (std::vector<std::string>{"colour", "visible", "name", "label", "size", "shape"}));
    set(point, "colour", "255");
    set(point, "size", "4");
    EXPECT_EQ(construction().at(0)->colour, 255u);
    EXPECT_EQ(construction().at(0)->size, 4);
    EXPECT_TRUE(refuses(point, "size", "5"));
    EXPECT_TRUE(refuses(point, "colour", "red"));
    EXPECT_TRUE(refuses(point, "visible", "yes"));
    EXPECT_TRUE(refuses(point, "decimals", "2"));
    EXPECT_TRUE(refuses(point, "name", std::string(100, 'x')));
    std::string size;
    ASSERT_TRUE(point.field("size", size));
    EXPECT_EQ(size, "4") << "a refused text leaves the field as it was";
    press(point, "cancel");
    EXPECT_EQ(document.sharedConstruction(), before);
    EXPECT_EQ(a->colour, 0u);
    EXPECT_EQ(a->size, 0);

    // An empty name removes the name; the change is one undo step.
    ElementDialog& renamed = open(*a);
    set(renamed, "name", "");
    set(renamed, "label", "0");
    press(renamed, "ok");
    EXPECT_EQ(document.history().size(), 2);
    EXPECT_FALSE(construction().at(0)->hasName());
    EXPECT_EQ(construction().at(0)->showLabel, 0);
    EXPECT_EQ(construction().selectedCount(), 0);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(*construction().at(0)->name(), "A");

    // A name typed and typed back is no change.
    ElementDialog& back = open(*construction().at(1));
    set(back, "name", "C");
    set(back, "name", "B");
    press(back, "ok");
    EXPECT_EQ(document.history().size(), 2);
}

TEST_F(ElementDialogTest, HidingARegularHexagonHidesItsParts) {
    Point* p = addFree({1, 0, 0});
    add(TypeCode::LineTwoPoints, {addFree({0, 0, 0}), addFree({0, 0, 1})});
    start();
    const int before = count();
    session.setTool(20);
    host.sides = {6};
    clickAt(p->position);
    clickAt({0, 0, 0.5});
    ASSERT_EQ(count(), before + 7);  // the figure, five vertices, its polygon
    session.setTool(0);

    ElementDialog& hexagon = open(*construction().at(before));
    EXPECT_FALSE(hexagon.hasField("label"));
    EXPECT_FALSE(hexagon.hasField("size"));
    set(hexagon, "visible", "0");
    for (int i = before; i < count(); ++i) EXPECT_EQ(construction().at(i)->visible, 0) << i;
    press(hexagon, "ok");
    for (int i = before; i < count(); ++i) EXPECT_EQ(construction().at(i)->visible, 0) << i;
    EXPECT_EQ(construction().at(0)->visible, 1);
    ASSERT_TRUE(document.undo());
    for (int i = before; i < count(); ++i) EXPECT_EQ(construction().at(i)->visible, 1) << i;
}

TEST_F(ElementDialogTest, StepsAndDecimalsFollowTheirRules) {
    Element* a = addFree({1, 2, 3});
    auto* parameter = static_cast<ParameterNumber*>(addNumberAt(TypeCode::Parameter, 10, 10));
    parameter->step = 0.25;
    start();
    session.setTool(42);  // coordinates of the point
    clickAt({1, 2, 3});
    session.setTool(0);
    auto* coordinates = static_cast<Coordinates*>(construction().at(2));
    ASSERT_EQ(coordinates->typeCode(), TypeCode::Coordinates);
    const int records = document.history().size();

    // A step is its absolute value; 0 becomes 0.01; an expression is taken.
    ElementDialog& step = open(*construction().at(1));
    std::string text;
    ASSERT_TRUE(step.field("step", text));
    EXPECT_EQ(text, "0.25");
    set(step, "step", "-0.5");
    EXPECT_DOUBLE_EQ(static_cast<ParameterNumber*>(construction().at(1))->step, 0.5);
    set(step, "step", "0");
    EXPECT_DOUBLE_EQ(static_cast<ParameterNumber*>(construction().at(1))->step, 0.01);
    set(step, "step", "-");  // half typed: the value stays
    EXPECT_DOUBLE_EQ(static_cast<ParameterNumber*>(construction().at(1))->step, 0.01);
    set(step, "step", "-1/4");
    press(step, "ok");
    EXPECT_EQ(document.history().size(), records) << "-1/4 is the step it had";
    ElementDialog& again = open(*construction().at(1));
    set(again, "step", "-0.5");
    press(again, "ok");
    EXPECT_EQ(document.history().size(), records + 1);
    EXPECT_DOUBLE_EQ(static_cast<ParameterNumber*>(construction().at(1))->step, 0.5);

    // Coordinates show and set the decimals of their x part.
    ElementDialog& decimals = open(*construction().at(2));
    EXPECT_TRUE(decimals.hasField("decimals"));
    set(decimals, "decimals", "5");
    EXPECT_TRUE(refuses(decimals, "decimals", "9"));
    press(decimals, "ok");
    EXPECT_EQ(static_cast<NumberElement*>(construction().at(3))->decimals, 5);
    EXPECT_EQ(document.history().size(), records + 2);
    (void)a;
}

TEST_F(ElementDialogTest, IterationsTakeTheirSettingsAndTextsOpenTheTextDialog) {
    ASSERT_EQ(readDocument(KOVA_TEST_DATA_DIR "/every_class.g3d", {}, document), kReadOk);
    start();
    Element* iteration = nullptr;
    Element* text = nullptr;
    construction().forEach([&](Element& e) {
        if (e.typeCode() == TypeCode::Iteration) iteration = &e;
        if (e.typeCode() == TypeCode::Text) text = &e;
    });
    ASSERT_NE(iteration, nullptr);
    ASSERT_NE(text, nullptr);

    session.openElementDialog(*text);
    ASSERT_NE(dynamic_cast<TextDialog*>(session.openDialog()), nullptr);
    std::string ignored;
    ASSERT_TRUE(session.openDialog()->press("cancel", ignored));
    EXPECT_EQ(session.openDialog(), nullptr);

    const int records = document.history().size();
    ElementDialog& settings = open(*iteration);
    EXPECT_FALSE(settings.hasField("label"));
    set(settings, "depth", "-2");  // not positive: 3, the depth it has
    set(settings, "lastonly", "0");
    press(settings, "ok");
    EXPECT_EQ(document.history().size(), records) << "nothing differs";
    const int index = construction().indexOf(iteration);
    ElementDialog& deeper = open(*iteration);
    set(deeper, "depth", "2*2.9");
    set(deeper, "points", "0");
    press(deeper, "ok");
    const auto& changed = *static_cast<const Iteration*>(construction().at(index));
    EXPECT_EQ(changed.depth, 5);
    EXPECT_EQ(changed.drawPoints, 0);
    EXPECT_EQ(document.history().size(), records + 1);
}
