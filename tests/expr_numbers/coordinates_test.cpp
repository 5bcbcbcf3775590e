// Coordinates: the group of a leader and its three numbers, their values in
// the document's length factor, the text and its three pick thirds.

#include "expr/coordinates.h"
#include "numbers_fixture.h"
#include "support/recording_canvas.h"

namespace {

struct CoordinatesGroup {
    Point* point;
    Coordinates* leader;
    NumberElement* part[3];
};

CoordinatesGroup addCoordinates(Construction& c, Vec3 at, int decimals) {
    CoordinatesGroup g;
    g.point = addFreePoint(c, at);
    NumberDefaults defaults;
    defaults.decimals = decimals;
    defaults.font = fontOfSize(20, 8);
    defaults.colour = 0x00112233;
    std::vector<ElementPtr> made = makeCoordinates(g.point, kNumberStyle, defaults, 100, 50);
    EXPECT_EQ(made.size(), 4u);
    g.leader = static_cast<Coordinates*>(c.append(std::move(made[0])));
    for (int i = 0; i < 3; ++i) g.part[i] = static_cast<NumberElement*>(c.append(std::move(made[i + 1])));
    return g;
}

}  // namespace

TEST(Coordinates, PartsAreWiredToTheLeaderAndTakeTheScaledCoordinates) {
    Construction c;
    CoordinatesGroup g = addCoordinates(c, {1, -2.5, 0.125}, 2);
    EXPECT_EQ(g.leader->subElementCount(), 3);
    EXPECT_EQ(g.leader->parents[0], g.point);
    const TypeCode codes[] = {TypeCode::CoordinateX, TypeCode::CoordinateY, TypeCode::CoordinateZ};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g.part[i]->typeCode(), codes[i]);
        ASSERT_EQ(g.part[i]->parentCount(), 1);
        EXPECT_EQ(g.part[i]->parents[0], g.leader);
        EXPECT_EQ(g.part[i]->decimals, 2);
        EXPECT_EQ(g.part[i]->colour, 0x00112233u);
    }
    c.recomputeAll({0, 2.0});
    EXPECT_EQ(g.leader->defined, 1);
    EXPECT_EQ(g.part[0]->value, 2.0);
    EXPECT_EQ(g.part[1]->value, -5.0);
    EXPECT_EQ(g.part[2]->value, 0.25);
    for (NumberElement* part : g.part) {
        EXPECT_EQ(part->defined, 1);
        EXPECT_EQ(part->valueDefined, 1);
    }

    // A copy finds its own parts again.
    auto copy = c.copy();
    static_cast<Point*>(copy->at(0))->position = {3, 3, 3};
    copy->recomputeAll({0, 1.0});
    EXPECT_EQ(static_cast<NumberElement*>(copy->at(4))->value, 3.0);
    EXPECT_EQ(g.part[2]->value, 0.25);

    // Without its parts after it a leader is undefined.
    Construction lone;
    Point* p = addFreePoint(lone, {1, 2, 3});
    Coordinates* bare = addElement<Coordinates>(lone, {p}, kNumberStyle);
    lone.recomputeAll({0, 1.0});
    EXPECT_EQ(bare->defined, 0);
    EXPECT_TRUE(bare->parts().empty());
}

TEST(Coordinates, TextUsesTheDecimalsOfXAndSplitsIntoThreePickThirds) {
    Construction c;
    CoordinatesGroup g = addCoordinates(c, {1, -2.5, 0.125}, 2);
    g.part[1]->decimals = 5;  // ignored: every coordinate shows the decimals of x
    c.recomputeAll({0, 2.0});
    g.leader->setName("P");
    RecordingCanvas canvas;
    c.drawAll(canvas, DrawSettings{});
    // One text for the whole group: the parts are not drawn by themselves.
    ASSERT_EQ(canvas.count("screenText"), 1);
    const RecordingCanvas::Call& text = canvas.calls.back();  // after the point's dot
    EXPECT_EQ(text.primitive, "screenText");
    EXPECT_EQ(text.text, "P(2.00,-5.00,0.25)");
    EXPECT_EQ(text.colour, 0x00112233u);
    EXPECT_EQ(text.points[0], (Vec3{100, 50, 0}));

    // 8 pixels a character: "P" is 8 wide, "(2.00,-5.00,0.25)" 136, in thirds of 45⅓.
    EXPECT_EQ(g.leader->box(), (ScreenBox{{100, 50}, {244, 70}}));
    EXPECT_EQ(g.part[0]->box(), (ScreenBox{{108, 50}, {153, 70}}));
    EXPECT_EQ(g.part[1]->box(), (ScreenBox{{153, 50}, {198, 70}}));
    EXPECT_EQ(g.part[2]->box(), (ScreenBox{{198, 50}, {244, 70}}));
    const PickRay ray{};
    Vec3 hit;
    EXPECT_EQ(g.part[0]->hitTest(107, 60, ray, 0, hit), 0);  // on the name
    EXPECT_EQ(g.leader->hitTest(100, 60, ray, 0, hit), 1);
    EXPECT_EQ(g.part[0]->hitTest(108, 70, ray, 0, hit), 1);
    EXPECT_EQ(g.part[1]->hitTest(170, 50, ray, 0, hit), 1);
    EXPECT_EQ(g.part[2]->hitTest(244, 70, ray, 0, hit), 1);
    EXPECT_EQ(g.part[2]->hitTest(245, 70, ray, 0, hit), 0);
    EXPECT_EQ(g.leader->hitTest(245, 60, ray, 0, hit), 0);

    // A hidden label leaves the parenthesised part at the left edge.
    g.leader->showLabel = 0;
    g.leader->draw(0, 0, canvas);
    EXPECT_EQ(canvas.calls.back().text, "(2.00,-5.00,0.25)");
    EXPECT_EQ(g.part[0]->box(), (ScreenBox{{100, 50}, {145, 70}}));
    EXPECT_EQ(g.part[2]->box().bottomRight.x, 236);
}

TEST(Coordinates, LayoutOfAnyTextSplitsOnlyTheParenthesisedPart) {
    const CoordinatesLayout l =
        layoutCoordinatesText({0, 0}, "Point ", {"1", "22", "333"}, fontOfSize(10, 2), ScreenTextContext{});
    EXPECT_EQ(l.text, "Point (1,22,333)");
    EXPECT_EQ(l.whole.bottomRight, (ScreenPoint{32, 10}));
    // "(1,22,333)" is 20 pixels from x = 12: thirds at 12, 18, 25, 32.
    EXPECT_EQ(l.parts[0].topLeft.x, 12);
    EXPECT_EQ(l.parts[1].topLeft.x, 18);
    EXPECT_EQ(l.parts[2].topLeft.x, 25);
    EXPECT_EQ(l.parts[2].bottomRight.x, 32);
}
