#include <numbers>
#include <sstream>

#include "elements/circle.h"
#include "expr/parameter.h"
#include "interaction/animation.h"
#include "interaction/animation_window.h"
#include "tools_fixture.h"
#include "view/auto_rotation.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Point P on a circle of radius 2 about the origin, a segment from it, a
// parameter a with limits 10 and 0, and a point on a plane.
class AnimationTest : public ToolsTest {
  protected:
    AnimationTest() {
        a = static_cast<ParameterNumber*>(addNumberAt(TypeCode::Parameter, 20, 20));
        a->minimum = 10.0;
        a->maximum = 0.0;
        a->value = 5.0;
        Point* p1 = addFree({2, 0, 0});
        circle = add(TypeCode::CircleThreePoints, {p1, addFree({0, 2, 0}), addFree({-2, 0, 0})});
        onCircle = static_cast<PointOnObject*>(add(TypeCode::PointOnObject, {circle}));
        onCircle->param1 = 0.3;
        segment = add(TypeCode::SegmentTwoPoints, {p1, onCircle});
        Element* plane =
            add(TypeCode::PlaneThreePoints, {addFree({3, 3, 0}), addFree({4, 3, 0}), addFree({3, 4, 0})});
        onPlane = static_cast<PointOnObject*>(add(TypeCode::PointOnObject, {plane}));
        start();
    }

    // The elements as they are now (a run replaces the construction by a copy).
    ParameterNumber& parameter() { return *static_cast<ParameterNumber*>(construction().at(0)); }
    PointOnObject& point() { return *static_cast<PointOnObject*>(construction().at(indexOnCircle())); }
    int indexOnCircle() { return 5; }
    AnimationEntry& entry(int i) { return construction().animation(i); }

    ParameterNumber* a = nullptr;
    Element* circle = nullptr;
    PointOnObject* onCircle = nullptr;
    Element* segment = nullptr;
    PointOnObject* onPlane = nullptr;
};

}  // namespace

TEST_F(AnimationTest, ParameterReversesAtBothLimitsAndPointWrapsRoundItsCircle) {
    Construction& c = construction();
    ASSERT_TRUE(c.animationAdd(a));
    ASSERT_TRUE(c.animationAdd(onCircle));
    entry(1).forward = 0;
    // A second at speed 15: the parameter moves 0.15 of its range towards its
    // second limit (0); the point 3 units of arc backwards, 1.5 radians.
    EXPECT_TRUE(advanceAnimation(c, 1000));
    EXPECT_NEAR(a->value, 3.5, 1e-12);
    // 0.3 - 1.5 is below 0: the point wraps to 2 pi and keeps its direction.
    EXPECT_DOUBLE_EQ(onCircle->param1, kTwoPi);
    EXPECT_EQ(entry(1).forward, 0);
    EXPECT_TRUE(advanceAnimation(c, 1000));
    EXPECT_NEAR(onCircle->param1, kTwoPi - 1.5, 1e-12);
    // 3.5 - 7.5 stops at 0 and turns; then up to 7.5 and, past 10, back at 10 turning again.
    advanceAnimation(c, 5000);
    EXPECT_EQ(a->value, 0.0);
    EXPECT_EQ(entry(0).forward, 0);
    advanceAnimation(c, 5000);
    EXPECT_NEAR(a->value, 7.5, 1e-12);
    advanceAnimation(c, 5000);
    EXPECT_EQ(a->value, 10.0);
    EXPECT_EQ(entry(0).forward, 1);
    // Nothing moves in no time, nor with a range of no width.
    EXPECT_FALSE(advanceAnimation(c, 0));
    a->maximum = a->minimum;
    entry(1).speed = 0;
    EXPECT_FALSE(advanceAnimation(c, 1000));
}

TEST_F(AnimationTest, StraightElementsClampAndReverseOnTheirRange) {
    Point* from = addFree({0, 0, 0});
    Point* to = addFree({4, 0, 0});
    Element* seg = add(TypeCode::SegmentTwoPoints, {from, to});
    Element* ray = add(TypeCode::RayTwoPoints, {from, to});
    Element* line = add(TypeCode::LineTwoPoints, {from, to});
    Element* empty = add(TypeCode::SegmentTwoPoints, {from, from});
    auto on = [&](Element* parent, double p) {
        auto* point = static_cast<PointOnObject*>(add(TypeCode::PointOnObject, {parent}));
        point->param1 = p;
        construction().animationAdd(point);
        return point;
    };
    PointOnObject* onSeg = on(seg, 0.9);
    PointOnObject* onRay = on(ray, 0.1);
    PointOnObject* onLine = on(line, 0.0);
    PointOnObject* onEmpty = on(empty, 0.5);
    construction().animation(2).forward = 0;
    construction().animation(1).forward = 0;
    // One second: 3 units, 0.75 of a length 4.
    advanceAnimation(construction(), 1000);
    EXPECT_EQ(onSeg->param1, 1.0);
    EXPECT_EQ(construction().animation(0).forward, 0);
    EXPECT_EQ(onRay->param1, 0.0);
    EXPECT_EQ(construction().animation(1).forward, 1);
    EXPECT_NEAR(onLine->param1, -0.75, 1e-12);
    EXPECT_EQ(onEmpty->param1, 0.5);
    // A line runs 99 units either way.
    advanceAnimation(construction(), 200000);
    EXPECT_NEAR(onLine->param1, -99.0 / 4.0, 1e-12);
    EXPECT_EQ(construction().animation(2).forward, 1);
    EXPECT_NEAR(onRay->param1, 99.0 / 4.0, 1e-12);
}

TEST_F(AnimationTest, ToolTogglesParametersAndPointsOnCurvesUpToNinetyNine) {
    session.setTool(49);
    clickAt(positionOf(onCircle));
    EXPECT_EQ(construction().animationIndexOf(onCircle), 0);
    EXPECT_EQ(host.animationChanges, 1);
    EXPECT_TRUE(document.modified);
    click({25, 25});
    EXPECT_EQ(construction().animationIndexOf(a), 1);
    // Points on surfaces and free points stay out; a second click takes the point out.
    clickAt(positionOf(onPlane));
    clickAt({2, 0, 0});
    EXPECT_EQ(construction().animationCount(), 2);
    clickAt(positionOf(onCircle));
    EXPECT_EQ(construction().animationIndexOf(onCircle), -1);
    EXPECT_EQ(construction().animationIndexOf(a), 0);
    // The list holds 99 entries at most.
    for (int i = 1; i < kMaxAnimationEntries; ++i) ASSERT_TRUE(construction().animationAdd(a));
    EXPECT_EQ(toggleAnimation(construction(), *onCircle), AnimationToggle::Full);
    EXPECT_EQ(toggleAnimation(construction(), *segment), AnimationToggle::Refused);
    EXPECT_EQ(construction().animationCount(), kMaxAnimationEntries);
}

TEST_F(AnimationTest, WindowRunsFromIdleTicksAsOneUndoStepPerRun) {
    construction().animationAdd(a);
    construction().animationAdd(onCircle);
    session.command(5095);
    EXPECT_EQ(session.toolNumber(), 49);
    AnimationWindow* window = session.animationWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(session.animationRunning());
    std::string error;
    EXPECT_FALSE(window->setField("speed.1", "1000", error));
    EXPECT_FALSE(window->setField("speed.3", "5", error));
    EXPECT_TRUE(window->setField("speed.2", "30", error));
    std::string text;
    ASSERT_TRUE(window->field("speed.2", text));
    EXPECT_EQ(text, "30");

    // The clock: ticks under 11 ms apart do nothing; the first after the window
    // opened moves nothing.
    IdleClock clock;
    clock.resume();
    const auto tick = [&](std::uint32_t now) {
        const std::int64_t elapsed = clock.tick(now);
        return elapsed >= 0 && session.animationTick(static_cast<std::uint32_t>(elapsed));
    };
    EXPECT_FALSE(tick(1000));
    EXPECT_FALSE(tick(1005));
    EXPECT_EQ(document.history().size(), 1);
    EXPECT_TRUE(tick(1200));  // 200 ms: a -0.3, P +0.6 radians (speed 30)
    EXPECT_EQ(document.history().size(), 2);
    EXPECT_NEAR(parameter().value, 4.7, 1e-12);
    EXPECT_NEAR(point().param1, 0.9, 1e-12);
    EXPECT_TRUE(tick(1400));
    EXPECT_EQ(document.history().size(), 2);
    EXPECT_NEAR(parameter().value, 4.4, 1e-12);

    // Paused, nothing moves; run again, the first tick takes no time.
    EXPECT_TRUE(window->press("pause", error));
    EXPECT_FALSE(session.animationRunning());
    EXPECT_FALSE(tick(2000));
    EXPECT_TRUE(window->press("run", error));
    EXPECT_FALSE(tick(3000));
    EXPECT_TRUE(tick(3200));
    EXPECT_NEAR(parameter().value, 4.1, 1e-12);
    EXPECT_EQ(document.history().size(), 3);
    // Undo goes back to before the second run; the next tick records again.
    session.command(57643);
    EXPECT_NEAR(parameter().value, 4.4, 1e-12);
    EXPECT_TRUE(tick(3400));
    EXPECT_EQ(document.history().size(), 3);
    session.command(57643);
    EXPECT_NEAR(parameter().value, 4.4, 1e-12);
    session.command(57643);
    EXPECT_NEAR(parameter().value, 5.0, 1e-12);
    EXPECT_NEAR(point().param1, 0.3, 1e-12);

    EXPECT_TRUE(window->press("close", error));
    EXPECT_EQ(session.animationWindow(), nullptr);
    EXPECT_FALSE(tick(5000));
}
