#include "expr/number_creation.h"
#include "interaction/select_fixture.h"
#include "support/recording_canvas.h"

namespace {

// A parameter showing 3.25, the coordinates (1, 2, 3) of a point with their
// three parts, and a segment.
struct NumbersScene : SelectScene {
    NumbersScene() {
        NumberDefaults twoDecimals;
        twoDecimals.decimals = 2;
        auto parameter = makeParameter(3.25, kSelectStyle, twoDecimals, 100, 100);
        parameter->step = 0.25;
        doc.construction().append(std::move(parameter));
        Point* p = point({1, 2, 3});
        NumberDefaults noDecimals;
        noDecimals.decimals = 0;
        for (ElementPtr& e : makeCoordinates(p, kSelectStyle, noDecimals, 200, 50))
            doc.construction().append(std::move(e));
        straight(TypeCode::SegmentTwoPoints, p, point({0, 0, 0}));
        start();
    }
    ParameterNumber* parameter() { return at<ParameterNumber>(0); }
    Coordinates* coordinates() { return at<Coordinates>(2); }
};

TEST(SelectKeys, ArrowsMoveBoxesAndPlusMinusStepWithOneUndoStepPerSequence) {
    NumbersScene s;
    s.parameter()->selected = 1;
    s.coordinates()->selected = 1;

    s.key(SessionKey::Right, 3);  // a held key repeats
    EXPECT_EQ(s.parameter()->position, (ScreenPoint{93, 90}));
    EXPECT_EQ(s.coordinates()->position, (ScreenPoint{203, 50}));
    s.key(SessionKey::Up);
    EXPECT_EQ(s.parameter()->position, (ScreenPoint{93, 89}));
    EXPECT_EQ(s.doc.history().size(), 3) << "one undo step per key sequence";

    s.session->command(57643);
    EXPECT_EQ(s.parameter()->position, (ScreenPoint{93, 90}));
    EXPECT_EQ(s.doc.construction().selectedCount(), 0) << "undo brings back no selection";

    s.parameter()->selected = 1;
    s.key(SessionKey::Plus, 2);
    EXPECT_DOUBLE_EQ(s.parameter()->value, 3.75);
    s.key(SessionKey::Minus);
    EXPECT_DOUBLE_EQ(s.parameter()->value, 3.5);
    EXPECT_EQ(s.doc.history().size(), 4) << "the redo record is gone, two sequences added";
    s.session->command(57643);
    EXPECT_DOUBLE_EQ(s.parameter()->value, 3.75);
    s.session->command(57643);
    EXPECT_DOUBLE_EQ(s.parameter()->value, 3.25);

    // Nothing selected that the keys act on: no undo step.
    s.at(3)->selected = 1;  // a point
    s.key(SessionKey::Plus);
    s.key(SessionKey::Left);
    EXPECT_EQ(s.doc.history().position(), 1);
}

TEST(SelectCommands, CopyCutPasteAndTheClipboardText) {
    NumbersScene s;
    ASSERT_FALSE(s.session->commandEnabled(57634));
    s.parameter()->selected = 1;
    s.coordinates()->selected = 1;
    ASSERT_TRUE(s.session->commandEnabled(57634));
    ASSERT_TRUE(s.session->command(57634));
    EXPECT_EQ(s.host.clipboardText, "3.25\r1  2  3\r");
    // The parameter, the point the coordinates are built on, the coordinates and its parts.
    ASSERT_FALSE(s.clipboard.empty());
    EXPECT_EQ(s.clipboard.content()->count(), 6);
    EXPECT_EQ(s.doc.history().size(), 1) << "copy changes nothing";

    const int count = s.doc.construction().count();
    ASSERT_TRUE(s.session->command(57635));
    EXPECT_EQ(s.doc.construction().count(), count - 5) << "cut removes the parameter and the coordinates";
    EXPECT_EQ(s.doc.history().size(), 2);
    ASSERT_TRUE(s.session->commandEnabled(57637));
    ASSERT_TRUE(s.session->command(57637));
    EXPECT_EQ(s.doc.construction().count(), count - 5 + 6);
    EXPECT_EQ(s.doc.construction().selectedCount(), 6) << "the pasted elements are the selection";
    EXPECT_EQ(s.doc.history().size(), 3);
}

TEST(SelectCommands, SelectGroupHideEraseAndStyles) {
    SelectScene s;
    Point* a = s.point({1, 0, 0});
    Point* b = s.point({-1, 0, 0});
    Point* hidden = s.point({0, 1, 0});
    hidden->visible = 0;
    s.straight(TypeCode::SegmentTwoPoints, a, b);
    s.start();
    ViewSession& v = *s.session;

    ASSERT_TRUE(v.commandEnabled(32840));
    ASSERT_TRUE(v.command(32840));  // segments
    EXPECT_EQ(s.at(3)->selected, 1);
    EXPECT_EQ(s.doc.construction().selectedCount(), 1);
    EXPECT_FALSE(v.commandEnabled(32840)) << "no unselected segment is left";
    ASSERT_TRUE(v.command(32839));  // points: a new selection of the shown ones
    EXPECT_EQ(s.at(0)->selected + s.at(1)->selected + s.at(2)->selected + s.at(3)->selected, 2);
    v.setShowHidden(true);
    v.command(32839);
    EXPECT_EQ(s.at(2)->selected, 1) << "hidden points count while hidden elements are shown";
    v.setShowHidden(false);

    // The style commands act on the kinds they concern, each one undo step.
    v.command(57642);
    EXPECT_EQ(s.doc.construction().selectedCount(), 4);
    ASSERT_TRUE(v.command(32832));  // "t3"
    EXPECT_EQ(s.at(3)->size, 2);
    s.host.colours.push_back(0x00FF00);
    v.command(57642);
    ASSERT_TRUE(v.command(32828));
    EXPECT_EQ(s.at(0)->colour, 0x00FF00u);
    v.command(57642);
    v.command(32836);  // "f2"
    EXPECT_EQ(s.at(1)->shape, 1);
    EXPECT_EQ(s.doc.history().size(), 4);
    v.command(57642);
    v.command(32828);  // the colour dialog cancelled
    EXPECT_EQ(s.doc.history().size(), 4);

    // Hide/show with a selection toggles it; then undo shows no stale selection.
    v.command(57642);
    s.at(1)->selected = 0;
    s.at(2)->selected = 0;
    s.at(3)->selected = 0;
    ASSERT_TRUE(v.command(5945));
    EXPECT_EQ(s.at(0)->visible, 0);
    s.at(1)->selected = 1;
    ASSERT_TRUE(v.command(57643));
    EXPECT_EQ(s.at(0)->visible, 1);
    EXPECT_EQ(s.doc.construction().selectedCount(), 0);
    ASSERT_TRUE(v.command(57644));
    EXPECT_EQ(s.at(0)->visible, 0);
    EXPECT_EQ(s.doc.construction().selectedCount(), 0) << "the later selection does not come back";

    // Erase with the Delete key; without a selection hide/show and delete choose their tools.
    s.at(1)->selected = 1;
    s.key(SessionKey::Delete);
    EXPECT_EQ(s.doc.construction().count(), 2) << "the point went with the segment built on it";
    v.command(5945);
    EXPECT_EQ(v.toolNumber(), 52);
    v.command(5940);
    EXPECT_EQ(v.toolNumber(), 51);
    s.key(SessionKey::Escape);
    EXPECT_EQ(v.toolNumber(), 0);

    // Projections and standard views.
    v.command(32810);
    EXPECT_EQ(s.doc.view.projection, 1);
    const int records = s.doc.history().size();
    v.command(32803);
    EXPECT_EQ(s.doc.view.tiltX, 0.0f);
    EXPECT_EQ(s.doc.history().size(), records + 1);
    EXPECT_FALSE(v.command(5010)) << "not a command of the view";
}

TEST(SelectGhost, GuidesToTheCoordinatePlanes) {
    SelectScene s;
    s.start();
    s.session->setTool(5);
    if (!s.session->canMakePoints()) GTEST_SKIP() << "the free point tool does not make points yet";
    s.move({400, 300});
    ASSERT_TRUE(s.session->ghostRequested());
    ASSERT_TRUE(s.session->mousePointValid());
    const Vec3 p = s.session->mousePoint();
    EXPECT_EQ(p.z, 0.0);

    s.doc.view.backgroundColour = 0;
    RecordingCanvas canvas;
    s.session->drawGhost(canvas);
    EXPECT_FALSE(s.session->ghostRequested());
    ASSERT_EQ(canvas.count("guideLine"), 3);
    EXPECT_EQ(canvas.calls[0].colour, 0x000078u);
    EXPECT_EQ(canvas.calls[0].points[1], (Vec3{0, p.y, p.z}));
    EXPECT_EQ(canvas.calls[0].shape, p.x < 0 ? 1 : 0) << "dashed when negative";
    EXPECT_EQ(canvas.calls[2].colour, 0x780000u);
    ASSERT_EQ(canvas.count("guideDot"), 1);
    EXPECT_EQ(canvas.calls[3].size, 3);
}

}  // namespace
