#include <cmath>

#include "elements/intersection_codes.h"
#include "elements/intersection_point.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "loci_fixture.h"

namespace {

constexpr int kN = 500;

Locus* addLocus(LociScene& s, TypeCode code, Element* traced, Element* driver) {
    return s.add(std::make_unique<Locus>(code, kLociStyle), {traced, driver});
}

Plane* groundPlane(LociScene& s) {
    return s.add(std::make_unique<Plane>(TypeCode::PlaneThreePoints, kLociStyle),
                 {s.free({0, 0, 0}), s.free({1, 0, 0}), s.free({0, 1, 0})});
}

// A point on the x axis at the parameter's value, for a locus whose samples are
// exactly as far apart as the parameter's steps.
struct ParameterLine {
    LociScene s;
    StandInParameter* x;
    Locus* locus;

    explicit ParameterLine(double maximum) {
        x = s.parameter(0.0, 0.0, maximum);
        StandInParameter* zero = s.parameter(0.0, 0.0, 0.0);
        Point* p = s.add(std::make_unique<Point>(TypeCode::PointByCoordinates, kLociStyle), {x, zero, zero});
        locus = addLocus(s, TypeCode::PointLocus, p, x);
        s.recompute();
    }
};

}  // namespace

TEST(CurveLocus, SamplesNineteenApartAreNotJoined) {
    ParameterLine apart(19.0 * (kN - 1));
    ASSERT_EQ(apart.locus->defined, 1);
    EXPECT_EQ(gap(apart.locus->samples[0].first, apart.locus->samples[1].first), 19.0);
    RecordingCanvas canvas;
    apart.locus->draw(0xabcdef, 0, canvas);
    EXPECT_EQ(canvas.calls.size(), 0u);

    ParameterLine close(18.99 * (kN - 1));
    close.locus->size = 3;
    close.locus->shape = 1;
    close.locus->draw(0xabcdef, 0, canvas);
    ASSERT_EQ(canvas.count("segment"), kN - 1);
    for (const RecordingCanvas::Call& call : canvas.calls) {
        EXPECT_EQ(call.colour, 0xabcdefu);
        EXPECT_EQ(call.size, 3);
        EXPECT_EQ(call.shape, 1);
        EXPECT_TRUE(call.extend);
    }
    expectNear(canvas.calls[7].points[0], {7 * 18.99, 0, 0});
    expectNear(canvas.calls[7].points[1], {8 * 18.99, 0, 0});
    // The parameter is back at its value.
    EXPECT_EQ(close.x->value, 0.0);
}

TEST(CurveLocus, APointThatJumpsShowsNoConnectingSegment) {
    // The line from F through D meets the ground at x = 1/(1 − z): as D rises
    // through z = 1 the meeting point runs off to +∞ and comes back from −∞.
    LociScene s;
    Plane* ground = groundPlane(s);
    StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, s.free({1, 0, -1}), s.free({1, 0, 3}));
    PointOnObject* d = s.pointOn(path, 0.2);
    StraightElement* line = s.straight(TypeCode::LineTwoPoints, s.free({0, 0, 1}), d);
    auto meet = std::make_unique<IntersectionPoint>(TypeCode::LinePlanePoint, kLociStyle, 0);
    IntersectionPoint* x = s.add(std::move(meet), {line, ground});
    Locus* locus = addLocus(s, TypeCode::PointLocus, x, d);
    s.recompute();
    ASSERT_EQ(locus->defined, 1);

    RecordingCanvas canvas;
    locus->draw(1, 0, canvas);
    ASSERT_GT(canvas.count("segment"), 400);
    for (const RecordingCanvas::Call& call : canvas.calls) {
        ASSERT_LT(gap(call.points[0], call.points[1]), 19.0);
        // Never from one side of the jump to the other.
        ASSERT_GT(call.points[0].x * call.points[1].x, 0.0);
    }
    // Both sides are drawn.
    bool left = false, right = false;
    for (const RecordingCanvas::Call& call : canvas.calls) (call.points[0].x < 0 ? left : right) = true;
    EXPECT_TRUE(left && right);
}

TEST(CurveLocus, HitTestUsesTheJoinedSegmentsTheRayAndTheCurveDepthFactor) {
    ParameterLine close(18.99 * (kN - 1));
    Locus& locus = *close.locus;
    locus.size = 1;  // line radius 0.01
    Vec3 hit{-1, -1, -1};
    const double x = 10.5 * 18.99;
    // A ray straight down through the curve, 10 units above it.
    EXPECT_EQ(locus.hitTest(0, 0, {{x, 0, 10}, {x, 0, -10}}, 0, hit), 1);
    expectNear(hit, {x, 0, 0}, 1e-9);
    // 0.015 off the curve: within 0.01 · 10/2 in central projection, not in parallel.
    EXPECT_EQ(locus.hitTest(0, 0, {{x, 0.015, 10}, {x, 0.015, -10}}, 0, hit), 1);
    EXPECT_EQ(locus.hitTest(0, 0, {{x, 0.015, 10}, {x, 0.015, -10}}, 1, hit), 0);
    // The curve behind the ray's origin is not hit.
    EXPECT_EQ(locus.hitTest(0, 0, {{x, 0, -10}, {x, 0, -20}}, 0, hit), 0);

    ParameterLine apart(19.0 * (kN - 1));
    const double between = 10.5 * 19.0;
    EXPECT_EQ(apart.locus->hitTest(0, 0, {{between, 0, 10}, {between, 0, -10}}, 0, hit), 0);
}

TEST(CurveLocus, ALineDriverCoversNinetyNineUnitsOnEachSideOfA) {
    for (double length : {0.25, 3.0, 40.0}) {
        LociScene s;
        const Vec3 a{1, 2, 3};
        const Vec3 u = Vec3{2, -1, 2} * (1.0 / 3.0);
        StraightElement* line = s.straight(TypeCode::LineTwoPoints, s.free(a), s.free(a + u * length));
        PointOnObject* d = s.pointOn(line, 0.5);
        Point* mid = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {d, d});
        Locus* locus = addLocus(s, TypeCode::PointLocus, mid, d);
        s.recompute();
        ASSERT_EQ(locus->defined, 1);
        expectNear(locus->samples.front().first, a - u * 99.0, 1e-9);
        expectNear(locus->samples.back().first, a + u * 99.0, 1e-9);
        for (const LocusSample& sample : locus->samples) ASSERT_LE(gap(sample.first, a), 99.0 + 1e-9);

        StraightElement* ray = s.straight(TypeCode::RayTwoPoints, s.free(a), s.free(a + u * length));
        PointOnObject* r = s.pointOn(ray, 0.5);
        Locus* rayLocus = addLocus(s, TypeCode::PointLocus, r, r);
        s.recompute();
        expectNear(rayLocus->samples.front().first, a, 1e-9);
        expectNear(rayLocus->samples.back().first, a + u * 99.0, 1e-9);
    }
}

namespace {

// A vertical line through D, which runs along the x axis from −3 to 3, meets
// the unit sphere only while |x| ≤ 1. D stands at x = 2.4.
struct SphereScene {
    LociScene s;
    PointOnObject* d;
    IntersectionPoint* top;
    Point* mid;
    Locus* locus;

    SphereScene() {
        Plane* ground = groundPlane(s);
        Sphere* sphere = s.add(std::make_unique<Sphere>(TypeCode::SphereCentrePoint, kLociStyle),
                               {s.free({0, 0, 0}), s.free({1, 0, 0})});
        StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, s.free({-3, 0, 0}), s.free({3, 0, 0}));
        d = s.pointOn(path, 0.9);
        StraightElement* vertical = s.straight(TypeCode::PerpendicularToPlane, ground, d);
        top = s.add(std::make_unique<IntersectionPoint>(TypeCode::LineSpherePoint, kLociStyle, 0),
                    {vertical, sphere});
        mid = s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {top, d});
        locus = addLocus(s, TypeCode::PointLocus, top, d);
        s.recompute();
    }
};

struct ElementState {
    std::int32_t defined;
    std::int32_t mark;
    Vec3 position;
    double param1 = 0, param2 = 0;
};

std::vector<ElementState> stateOf(const Construction& c) {
    std::vector<ElementState> states;
    c.forEach([&](const Element& e) {
        ElementState state{e.defined, e.mark, {}};
        if (e.kind() == ElementKind::Point) state.position = positionOf(&e);
        if (e.typeCode() == TypeCode::PointOnObject) {
            state.param1 = static_cast<const PointOnObject&>(e).param1;
            state.param2 = static_cast<const PointOnObject&>(e).param2;
        }
        states.push_back(state);
    });
    return states;
}

void expectSameState(const std::vector<ElementState>& before, const std::vector<ElementState>& after) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].defined, after[i].defined) << i;
        EXPECT_EQ(before[i].mark, after[i].mark) << i;
        EXPECT_EQ(before[i].position, after[i].position) << i;  // bit for bit
        EXPECT_EQ(before[i].param1, after[i].param1) << i;
        EXPECT_EQ(before[i].param2, after[i].param2) << i;
    }
}

}  // namespace

TEST(CurveLocus, AnUndefinedTracedPointStillGetsItsLocusRecomputed) {
    SphereScene scene;
    EXPECT_EQ(scene.top->defined, 0);
    ASSERT_EQ(scene.locus->defined, 1);
    int defined = 0;
    for (const LocusSample& sample : scene.locus->samples) {
        if (!sample.defined) continue;
        ++defined;
        EXPECT_LE(std::fabs(sample.first.x), 1.0 + 1e-9);
        EXPECT_NEAR(gap(sample.first, {0, 0, 0}), 1.0, 1e-9);
    }
    // Samples with |x| ≤ 1: a third of the run.
    EXPECT_GT(defined, 150);
    EXPECT_LT(defined, 180);
    EXPECT_EQ(scene.locus->samples.front().defined, 0);
    EXPECT_EQ(scene.locus->samples[kN / 2].defined, 1);
}

TEST(CurveLocus, TracingLeavesEveryElementAsItWas) {
    SphereScene outside;
    // Marks belong to whoever set them; the locus must not disturb them either.
    outside.s.c.at(1)->mark = 1;
    outside.mid->mark = 1;
    const std::vector<ElementState> before = stateOf(outside.s.c);
    outside.locus->recompute(outside.s.c, {1, 1.0});
    expectSameState(before, stateOf(outside.s.c));
    EXPECT_EQ(outside.top->defined, 0);

    // Inside the sphere the traced point and the midpoint are defined and stay put.
    SphereScene inside;
    inside.d->param1 = 0.6;
    inside.s.recompute();
    ASSERT_EQ(inside.top->defined, 1);
    const std::vector<ElementState> defined = stateOf(inside.s.c);
    inside.locus->recompute(inside.s.c, {1, 1.0});
    expectSameState(defined, stateOf(inside.s.c));
    expectNear(inside.d->position, {0.6, 0, 0});

    // A parameter driver is put back too.
    LociScene s;
    StandInParameter* t = s.parameter(0.3, -5.0, 5.0);
    StandInParameter* zero = s.parameter(0.0, 0.0, 0.0);
    Point* p = s.add(std::make_unique<Point>(TypeCode::PointByCoordinates, kLociStyle), {t, t, zero});
    Locus* locus = addLocus(s, TypeCode::PointLocus, p, t);
    s.recompute();
    const std::vector<ElementState> parameterBefore = stateOf(s.c);
    locus->recompute(s.c, {1, 1.0});
    expectSameState(parameterBefore, stateOf(s.c));
    EXPECT_EQ(t->value, 0.3);
    expectNear(locus->samples.front().first, {-5, -5, 0});
    expectNear(locus->samples.back().first, {5, 5, 0});
}
