#include <cmath>

#include "curve_fixtures.h"
#include "elements/circle.h"
#include "support/recording_canvas.h"

namespace {

class ArcTest : public CurveTest {
  protected:
    // An arc of radius r about the origin in the plane z = 0, from angle a1 through
    // a2 to a3 (radians from +x).
    Arc* arc(double r, double a1, double a2, double a3) {
        p1 = freePoint(onCircle(r, a1));
        p2 = freePoint(onCircle(r, a2));
        p3 = freePoint(onCircle(r, a3));
        return make<Arc>(TypeCode::ArcThreePoints, {p1, p2, p3});
    }
    static Vec3 onCircle(double r, double a) { return {r * std::cos(a), r * std::sin(a), 0}; }

    Point* p1 = nullptr;
    Point* p2 = nullptr;
    Point* p3 = nullptr;
};

TEST_F(ArcTest, SweepFollowsTheSideOfTheMiddlePoint) {
    Arc* a = arc(1, 0, kPi / 4, kPi / 2);
    ASSERT_EQ(a->defined, 1);
    EXPECT_NEAR(a->sweep, kPi / 2, 1e-12);
    EXPECT_NEAR(a->radius, 1.0, 1e-12);
    EXPECT_VEC_NEAR(a->centre, (Vec3{0, 0, 0}), 1e-12);
    EXPECT_VEC_NEAR(a->startPoint, p1->position, 0.0);
    EXPECT_VEC_NEAR(a->axisB - a->axisA, (Vec3{0, 0, 1}), 1e-12);

    // P2 on the long way round: the axis turns over and the sweep is 2π − π/2.
    p2->position = onCircle(1, 5 * kPi / 4);
    recompute(a);
    ASSERT_EQ(a->defined, 1);
    EXPECT_NEAR(a->sweep, 3 * kPi / 2, 1e-12);
    EXPECT_VEC_NEAR(a->axisB - a->axisA, (Vec3{0, 0, -1}), 1e-12);
    // Turning the start point by the sweep about the axis reaches P3, through P2.
    Vec3 end, middle;
    ASSERT_EQ(a->pointAt(1.0, 0, end), 1);
    EXPECT_VEC_NEAR(end, p3->position, 1e-9);
    double t = 0, unused = 0;
    a->parameterOf(p2->position, t, unused);
    EXPECT_GT(t, 0.0);
    EXPECT_LT(t, 1.0);
    a->pointAt(t, 0, middle);
    EXPECT_VEC_NEAR(middle, p2->position, 1e-9);

    // An almost full turn stays below 2π, an almost empty one above 0.
    p2->position = onCircle(1, kPi / 4);
    p3->position = onCircle(1, -0.01);
    recompute(a);
    EXPECT_NEAR(a->sweep, 2 * kPi - 0.01, 1e-9);

    // Collinear or coincident points: undefined, the old arc kept.
    const double kept = a->sweep;
    p3->position = {2, 0, 0};
    p2->position = {1.5, 0, 0};
    recompute(a);
    EXPECT_EQ(a->defined, 0);
    EXPECT_EQ(a->sweep, kept);
    p2->position = p1->position;
    recompute(a);
    EXPECT_EQ(a->defined, 0);
}

TEST_F(ArcTest, ParameterIsTheFractionOfTheSweepUnclamped) {
    Arc* a = arc(2, 0, 0.5, 1.0);
    // Half way along the sweep: 0.5.
    double t = -1, unused = -1;
    ASSERT_EQ(a->parameterOf(onCircle(2, 0.5), t, unused), 1);
    EXPECT_NEAR(t, 0.5, 1e-9);
    // Beyond P3 the parameter keeps growing past 1 (the rest of the circle).
    a->parameterOf(onCircle(2, 1.5), t, unused);
    EXPECT_NEAR(t, 1.5, 1e-9);
    a->parameterOf(onCircle(2, -0.5), t, unused);
    EXPECT_NEAR(t, (2 * kPi - 0.5) / 1.0, 1e-9);
    // And the evaluation is not clamped either.
    Vec3 p;
    a->pointAt(1.5, 0, p);
    EXPECT_VEC_NEAR(p, onCircle(2, 1.5), 1e-9);

    // A point on the arc follows it: half way stays half way when P3 moves.
    auto onArc = std::make_unique<PointOnObject>(kCurveStyle);
    onArc->param1 = 0.5;
    PointOnObject* q = add(std::move(onArc), {a});
    recompute(q);
    EXPECT_VEC_NEAR(q->position, onCircle(2, 0.5), 1e-9);
    p3->position = onCircle(2, 2.0);
    recompute(a);
    recompute(q);
    EXPECT_VEC_NEAR(q->position, onCircle(2, 1.0), 1e-9);
}

TEST_F(ArcTest, DrawnChordsAndPickChords) {
    // Radius 1, sweep 1: 10·trunc(1) = 10 pieces, raised to the minimum 29.
    Arc* a = arc(1, 0, 0.5, 1.0);
    EXPECT_EQ(a->drawPieces(), 29);
    EXPECT_EQ(a->pickChords(), 29);
    RecordingCanvas canvas;
    a->draw(0x0000ff, 1, canvas);
    ASSERT_EQ(canvas.count("segment"), 29);
    for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
        const RecordingCanvas::Call& s = canvas.calls[i];
        EXPECT_EQ(s.extend, i + 1 < canvas.calls.size()) << i;
        EXPECT_NEAR(norm(s.points[1]), 1.0, 1e-12);
        if (i > 0) EXPECT_VEC_NEAR(s.points[0], canvas.calls[i - 1].points[1], 0.0);
    }
    EXPECT_VEC_NEAR(canvas.calls.front().points[0], p1->position, 0.0);
    EXPECT_VEC_NEAR(canvas.calls.back().points[1], p3->position, 1e-9);

    // Between the limits the count is 10·trunc(r·sweep): r = 2, sweep 2.3 → 40.
    Arc* middle = arc(2, 0, 1.0, 2.3);
    EXPECT_EQ(middle->drawPieces(), 40);
    EXPECT_EQ(middle->pickChords(), 40);
    // A long arc: 399 drawn pieces, 199 pick chords.
    Arc* longArc = arc(10, 0, 2.5, 5.0);
    EXPECT_EQ(longArc->drawPieces(), 399);
    EXPECT_EQ(longArc->pickChords(), 199);
    RecordingCanvas longCanvas;
    longArc->draw(0, 0, longCanvas);
    EXPECT_EQ(longCanvas.count("segment"), 399);
}

TEST_F(ArcTest, HitOnlyAlongTheSweep) {
    Arc* a = arc(3, 0, kPi / 4, kPi / 2);
    const Vec3 onArc = onCircle(3, kPi / 5);
    Vec3 hit;
    PickRay ray{onArc + Vec3{0, 0, 1}, onArc + Vec3{0, 0, -10}};
    ASSERT_EQ(a->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_NEAR(dist(hit, onArc), 0.0, 1e-6);
    // The label: half way along the sweep, lifted towards the viewer; none without a name.
    RecordingCanvas labels;
    a->drawLabel(labels, 0xff);
    EXPECT_EQ(labels.count("label"), 0);
    a->setName("a1");
    a->drawLabel(labels, 0xff);
    ASSERT_EQ(labels.count("label"), 1);
    EXPECT_VEC_NEAR(labels.calls[0].points[0], (onCircle(3, kPi / 4) + Vec3{0, 0, 0.1}), 1e-9);

    // The rest of the circle is not part of the arc.
    const Vec3 offArc = onCircle(3, kPi);
    ray = {offArc + Vec3{0, 0, 1}, offArc + Vec3{0, 0, -10}};
    EXPECT_EQ(a->hitTest(0, 0, ray, 0, hit), 0);
}

}  // namespace
