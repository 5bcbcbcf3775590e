// The iteration tool and its dialog, driven by clicks in the view as the
// window and scripts drive them: the sets it collects, the iteration it makes
// and what that iteration draws.

#include "interaction/iteration_dialog.h"

#include <cmath>

#include "elements/iteration.h"
#include "expr/parameter.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "support/recording_canvas.h"
#include "tools_fixture.h"

namespace {

bool press(DialogModel& dialog, std::string_view button) {
    std::string error;
    return dialog.press(button, error);
}

bool set(DialogModel& dialog, std::string_view field, std::string_view text) {
    std::string error;
    return dialog.setField(field, text, error);
}

std::string fieldOf(const DialogModel& dialog, std::string_view name) {
    std::string text;
    EXPECT_TRUE(dialog.field(name, text)) << name;
    return text;
}

ParameterNumber* parameterAt(Element* e, double v) {
    auto* p = static_cast<ParameterNumber*>(e);
    p->value = v;
    p->valueDefined = 1;
    p->minimum = -100;
    p->maximum = 100;
    return p;
}

// A point, its two halves towards A and B and the segment between them.
struct Halving {
    Point* a;
    Point* b;
    Point* p;
    Element* p1;
    Element* p2;
    Element* segment;
};

}  // namespace

TEST_F(ToolsTest, PointRotatedAboutAnAxisTwelveTimesDrawsTwelveImages) {
    TextTable texts;
    ASSERT_EQ(texts.load(std::string(KOVA_SOURCE_DIR) + "/Languages/English.lng"), 1);
    Point* a = addFree({0, 0, -2});
    Point* b = addFree({0, 0, 2});
    Element* axis = add(TypeCode::LineTwoPoints, {a, b});
    Element* angle = parameterAt(addNumberAt(TypeCode::Parameter, 20, 20), 25);
    Point* p = addFree({3, 0, 0});
    Element* image = add(TypeCode::PointRotation, {p, axis, angle});
    start();
    const int count0 = count();

    session.setTool(4);
    IterationDialog* dialog = openIterationDialog(session);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(session.statusText(texts), "Iteration (initial points)");
    // Only points are initial points; the chosen one is numbered where it shows.
    clickAt({0, 0, 0});  // on the axis, between its points
    EXPECT_EQ(fieldOf(*dialog, "inputs"), "0");
    clickAt(p->position);
    ASSERT_EQ(dialog->ordinals().size(), 1u);
    EXPECT_EQ(dialog->ordinals()[0].text, "1");
    const Pixel at = pixelOf(p->position);
    EXPECT_NEAR(dialog->ordinals()[0].at.x, at.x, 20);
    EXPECT_NEAR(dialog->ordinals()[0].at.y, at.y, 20);
    EXPECT_EQ(session.highlighted(), std::vector<Element*>{p});

    // One image for the one initial point: a second one is refused.
    ASSERT_TRUE(press(*dialog, "branch"));
    EXPECT_EQ(session.statusText(texts), "Iteration (image of point 1, branch 1) : [Point (free)]");
    clickAt(positionOf(image));
    clickAt(a->position);
    EXPECT_EQ(session.pickList().size(), 1u);
    EXPECT_EQ(dialog->ordinals()[0].text, "1'");
    session.mouseMove(790, 590, {}, {});
    EXPECT_EQ(session.statusText(texts), "Iteration (branch 1)");

    // Empty space asks for the number of iterations; below 1 counts as 1.
    ASSERT_TRUE(press(*dialog, "depth"));
    EXPECT_TRUE(dialog->ordinals().empty());
    click({790, 590});
    EXPECT_TRUE(dialog->takeDepthQuestion());
    EXPECT_FALSE(dialog->takeDepthQuestion());
    ASSERT_TRUE(set(*dialog, "depth", "-4"));
    EXPECT_EQ(fieldOf(*dialog, "depth"), "1");
    EXPECT_FALSE(set(*dialog, "depth", "twelve"));
    ASSERT_TRUE(set(*dialog, "depth", "12"));
    EXPECT_EQ(count(), count0);  // nothing is made before OK
    ASSERT_TRUE(press(*dialog, "ok"));

    EXPECT_EQ(openIterationDialog(session), nullptr);
    EXPECT_EQ(session.toolNumber(), kSelectionTool);
    ASSERT_EQ(count(), count0 + 1);
    ASSERT_EQ(last()->typeCode(), TypeCode::Iteration);
    auto* iteration = static_cast<Iteration*>(last());
    EXPECT_EQ(iteration->parents, (std::vector<Element*>{construction().at(4), construction().at(5)}));
    EXPECT_EQ(iteration->imageTable, (std::vector<std::vector<std::int32_t>>{{1}}));
    EXPECT_EQ(iteration->depth, 12);
    EXPECT_EQ(iteration->useDepthNumber, 0);
    ASSERT_EQ(iteration->defined, 1);

    // The document shows P and its first image; the steps draw the twelve next ones.
    RecordingCanvas canvas;
    iteration->draw(iteration->colour, 0, canvas);
    ASSERT_EQ(canvas.count("dot"), 12);
    for (const RecordingCanvas::Call& call : canvas.calls) {
        const Vec3 q = call.points[0];
        EXPECT_NEAR(std::hypot(q.x, q.y), 3.0, 1e-9);
        EXPECT_NEAR(q.z, 0.0, 1e-9);
    }
    EXPECT_GT(std::hypot(canvas.calls[0].points[0].x - canvas.calls[11].points[0].x,
                         canvas.calls[0].points[0].y - canvas.calls[11].points[0].y),
              0.1);

    // The whole iteration is one undo step.
    session.command(57643);
    EXPECT_EQ(count(), count0);
}

TEST_F(ToolsTest, TwoBranchIterationFromTheDialogAndItsDepthNumber) {
    Halving h{};
    h.a = addFree({0, 0, 0});
    h.b = addFree({4, 0, 0});
    h.p = addFree({1, 2, 0});
    h.p1 = add(TypeCode::MidpointTwoPoints, {h.p, h.a});
    h.p2 = add(TypeCode::MidpointTwoPoints, {h.p, h.b});
    h.segment = add(TypeCode::SegmentTwoPoints, {h.p1, h.p2});
    parameterAt(addNumberAt(TypeCode::Parameter, 20, 20), -3);
    start();
    const int count0 = count();
    const int history0 = document.history().size();

    // Cancel leaves everything as it was; so does leaving the tool.
    session.setTool(4);
    clickAt(h.p->position);
    press(*openIterationDialog(session), "branch");
    clickAt(positionOf(h.p1));
    ASSERT_TRUE(press(*openIterationDialog(session), "cancel"));
    EXPECT_EQ(session.toolNumber(), kSelectionTool);
    session.setTool(4);
    EXPECT_EQ(fieldOf(*openIterationDialog(session), "inputs"), "0");  // a fresh start
    clickAt(h.p->position);
    session.setTool(11);
    EXPECT_EQ(openIterationDialog(session), nullptr);
    EXPECT_EQ(count(), count0);
    EXPECT_EQ(document.history().size(), history0);

    // P has two images; the segment is what each step draws.
    const auto build = [&](bool fromNumber) {
        session.setTool(4);
        IterationDialog& dialog = *openIterationDialog(session);
        clickAt(h.p->position);
        EXPECT_FALSE(press(dialog, "nonsense"));
        press(dialog, "branch");
        clickAt(positionOf(h.p1));
        press(dialog, "branch");
        // A branch short of an image is refused with a message, the dialog stays.
        press(dialog, "ok");
        EXPECT_EQ(host.messages.back().first, textid::kIterationIncomplete);
        EXPECT_EQ(openIterationDialog(session), &dialog);
        clickAt(positionOf(h.p2));
        press(dialog, "depth");
        click(pixelOf((positionOf(h.p1) + positionOf(h.p2)) * 0.5));
        EXPECT_EQ(fieldOf(dialog, "elements"), "1");
        if (fromNumber) click({23, 23});
        set(dialog, "depth", "10");
        EXPECT_FALSE(set(dialog, "lastonly", "2"));
        EXPECT_TRUE(set(dialog, "lastonly", "1"));
        if (fromNumber) click({23, 23});  // named after typing, the number wins
        EXPECT_EQ(fieldOf(dialog, "branches"), "2");
        EXPECT_TRUE(press(dialog, "ok"));
        return static_cast<Iteration*>(last());
    };
    Iteration* ten = build(false);
    ASSERT_EQ(count(), count0 + 1);
    EXPECT_EQ(ten->parents, (std::vector<Element*>{construction().at(2), construction().at(3),
                                                   construction().at(4), construction().at(5)}));
    EXPECT_EQ(ten->imageTable, (std::vector<std::vector<std::int32_t>>{{1, 2}}));
    EXPECT_EQ(ten->branchCount, 2);
    EXPECT_EQ(ten->lastOnly, 1);
    RecordingCanvas canvas;
    ten->draw(ten->colour, 0, canvas);
    EXPECT_EQ(canvas.count("segment"), 1 << 10);

    // The depth read from a number of -3 is 0: nothing is drawn.
    Iteration* fromNumber = build(true);
    ASSERT_EQ(count(), count0 + 2);
    EXPECT_EQ(fromNumber->useDepthNumber, 1);
    EXPECT_EQ(fromNumber->parents.back(), construction().at(6));
    EXPECT_EQ(fromNumber->parents.back()->typeCode(), TypeCode::Parameter);
    EXPECT_EQ(fromNumber->depth, 0);
    RecordingCanvas none;
    fromNumber->draw(fromNumber->colour, 0, none);
    EXPECT_TRUE(none.calls.empty());
}
