#include <cmath>
#include <numbers>

#include "elements/circle.h"
#include "elements/intersection_codes.h"
#include "elements/intersection_point.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "loci_fixture.h"

namespace {

Vec3 unitOf(Vec3 v) {
    return v * (1.0 / norm(v));
}

}  // namespace

TEST(SweptLocus, ASegmentSweepsARuledSurfaceThatIsPickedOnItsTriangles) {
    // The segment from F to D, D running up the y axis: the triangle F, O, (0, 10).
    LociScene s;
    Point* f = s.free({5, 0, 0});
    StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, s.free({0, 0, 0}), s.free({0, 10, 0}));
    PointOnObject* d = s.pointOn(path, 0.25);
    StraightElement* swept = s.straight(TypeCode::SegmentTwoPoints, f, d);
    Locus* locus = s.add(std::make_unique<Locus>(TypeCode::SegmentLocus, kLociStyle), {swept, d});
    s.recompute();
    ASSERT_EQ(locus->defined, 1);
    ASSERT_EQ(locus->samples.size(), 200u);
    expectNear(locus->samples[0].first, {5, 0, 0});
    expectNear(locus->samples[199].second, {0, 10, 0});
    EXPECT_EQ(d->param1, 0.25);

    RecordingCanvas canvas;
    locus->draw(0x123456, 0, canvas);
    ASSERT_EQ(canvas.count("triangles"), 1);
    EXPECT_EQ(canvas.calls[0].points.size(), 199u * 6u);
    EXPECT_EQ(canvas.calls[0].colour, 0x123456u);

    Vec3 hit;
    ASSERT_EQ(locus->hitTest(0, 0, {{1, 5, 10}, {1, 5, -10}}, 0, hit), 1);
    expectNear(hit, {1, 5, 0});
    EXPECT_EQ(locus->hitTest(0, 0, {{4, 5, 10}, {4, 5, -10}}, 0, hit), 0);   // outside the triangle
    EXPECT_EQ(locus->hitTest(0, 0, {{1, 5, -10}, {1, 5, -20}}, 0, hit), 0);  // behind the eye
}

TEST(SweptLocus, ASegmentEndThatJumpsBreaksTheRuledSurface) {
    // The segment from G to X, where the line from F through D meets the ground at
    // x = 1/(1 − z): X runs off to +∞ and comes back from −∞ as D rises through z = 1.
    LociScene s;
    Plane* ground = s.add(std::make_unique<Plane>(TypeCode::PlaneThreePoints, kLociStyle),
                          {s.free({0, 0, 0}), s.free({1, 0, 0}), s.free({0, 1, 0})});
    StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, s.free({1, 0, -1}), s.free({1, 0, 3}));
    PointOnObject* d = s.pointOn(path, 0.2);
    StraightElement* line = s.straight(TypeCode::LineTwoPoints, s.free({0, 0, 1}), d);
    Point* x =
        s.add(std::make_unique<IntersectionPoint>(TypeCode::LinePlanePoint, kLociStyle, 0), {line, ground});
    const Vec3 g{0, 5, 0};
    StraightElement* swept = s.straight(TypeCode::SegmentTwoPoints, s.free(g), x);
    Locus* locus = s.add(std::make_unique<Locus>(TypeCode::SegmentLocus, kLociStyle), {swept, d});
    s.recompute();
    ASSERT_EQ(locus->defined, 1);

    RecordingCanvas canvas;
    locus->draw(1, 0, canvas);
    ASSERT_EQ(canvas.count("triangles"), 1);
    const std::vector<Vec3>& v = canvas.calls[0].points;
    ASSERT_GT(v.size(), 150u * 6u);
    bool left = false, right = false;
    for (std::size_t k = 0; k < v.size(); k += 3) {
        // The corners that are not G lie on one side of the jump and less than 19 apart.
        std::vector<Vec3> ends;
        for (std::size_t m = k; m < k + 3; ++m)
            if (v[m] != g) ends.push_back(v[m]);
        for (const Vec3& e : ends) (e.x < 0 ? left : right) = true;
        for (std::size_t m = 1; m < ends.size(); ++m) {
            ASSERT_GT(ends[0].x * ends[m].x, 0.0) << k;
            ASSERT_LT(gap(ends[0], ends[m]), 19.0) << k;
        }
    }
    EXPECT_TRUE(left && right);
}

TEST(SweptLocus, CircleRingsKeepTheirTurnAndStartBesideTheRingBefore) {
    // The circle through (−1, 0), (1, 0) and P = (0, 1 − 2t): its axis flips as P
    // crosses the x axis half way through the run.
    LociScene s;
    StraightElement* path = s.straight(TypeCode::SegmentTwoPoints, s.free({0, 1, 0}), s.free({0, -1, 0}));
    PointOnObject* p = s.pointOn(path, 0.2);
    Circle* circle = s.add(std::make_unique<Circle>(TypeCode::CircleThreePoints, kLociStyle),
                           {s.free({-1, 0, 0}), s.free({1, 0, 0}), p});
    Locus* locus = s.add(std::make_unique<Locus>(TypeCode::CircleLocus, kLociStyle), {circle, p});
    s.recompute();
    ASSERT_EQ(locus->defined, 1);
    ASSERT_EQ(locus->samples.size(), 100u);
    ASSERT_EQ(locus->rings.size(), 100u);
    for (const LocusSample& sample : locus->samples) ASSERT_EQ(sample.defined, 1);

    const auto axisOf = [&](int i) { return locus->samples[i].axisB - locus->samples[i].axisA; };
    const auto turnOf = [&](int i) {
        const auto& ring = locus->rings[i];
        const Vec3 c = locus->samples[i].first;
        return unitOf(crossProduct(ring[0] - c, ring[1] - c));
    };
    EXPECT_LT(dotProduct(axisOf(49), axisOf(50)), 0.0);  // the circles' own axes flip…
    for (int i = 0; i + 1 < 100; ++i)
        ASSERT_GT(dotProduct(turnOf(i), turnOf(i + 1)), 0.0) << i;  // …the rings do not

    expectNear(locus->rings[0][0], {-1, 0, 0});  // the first ring starts at the reference point
    for (int i = 0; i < 100; ++i) {
        const auto& ring = locus->rings[i];
        const LocusSample& sample = locus->samples[i];
        const double radius = gap(sample.first, sample.second);
        EXPECT_EQ(ring[50], ring[0]);
        for (int k = 0; k < 50; ++k) ASSERT_NEAR(gap(ring[k], sample.first), radius, 1e-9 * (1 + radius));
        EXPECT_NEAR(gap(ring[0], ring[1]), 2 * radius * std::sin(std::numbers::pi / 50), 1e-9 * (1 + radius));
        if (i == 0) continue;
        // The start is the point of the ring nearest the start of the ring before.
        const Vec3 previous = locus->rings[i - 1][0];
        for (int k = 1; k < 50; ++k) ASSERT_LE(gap(ring[0], previous), gap(ring[k], previous) + 1e-9) << i;
    }

    RecordingCanvas canvas;
    locus->draw(7, 0, canvas);
    ASSERT_EQ(canvas.count("triangles"), 1);
    EXPECT_EQ(canvas.calls[0].points.size(), 99u * 50u * 6u);
    // The circles sweep the ground plane around the y axis; far out nothing is swept.
    Vec3 hit{1, 1, 1};
    ASSERT_EQ(locus->hitTest(0, 0, {{0, 0.9, 10}, {0, 0.9, -10}}, 0, hit), 1);
    expectNear(hit, {0, 0.9, 0}, 1e-9);
    EXPECT_EQ(locus->hitTest(0, 0, {{0, 500, 10}, {0, 500, -10}}, 0, hit), 0);
}

TEST(GridLocus, TwoParametersSpanTheGridAndArePutBack) {
    LociScene s;
    StandInParameter* u = s.parameter(0.5, -1.0, 2.0);
    StandInParameter* v = s.parameter(4.0, 3.0, 12.0);
    StandInParameter* zero = s.parameter(0.0, 0.0, 0.0);
    Point* p = s.add(std::make_unique<Point>(TypeCode::PointByCoordinates, kLociStyle), {u, v, zero});
    auto surface = std::make_unique<SurfaceLocus>(TypeCode::ParameterSurfaceLocus, kLociStyle);
    SurfaceLocus* locus = s.add(std::move(surface), {p, u, v});
    s.recompute();
    ASSERT_EQ(locus->defined, 1);
    ASSERT_EQ(locus->grid.size(), 90u * 90u);
    for (int i : {0, 1, 45, 89}) {
        for (int j : {0, 7, 89}) {
            const GridCell& cell = locus->grid[static_cast<std::size_t>(i * 90 + j)];
            EXPECT_EQ(cell.defined, 1);
            expectNear(cell.position, {-1.0 + i * 3.0 / 89, 3.0 + j * 9.0 / 89, 0}, 1e-12);
        }
    }
    EXPECT_EQ(u->value, 0.5);
    EXPECT_EQ(v->value, 4.0);
    expectNear(p->position, {0.5, 4.0, 0});

    RecordingCanvas canvas;
    locus->draw(5, 0, canvas);
    ASSERT_EQ(canvas.count("triangles"), 1);
    EXPECT_EQ(canvas.calls[0].points.size(), 89u * 89u * 6u);
    Vec3 hit;
    ASSERT_EQ(locus->hitTest(0, 0, {{0.3, 5.0, 3}, {0.3, 5.0, -3}}, 0, hit), 1);
    expectNear(hit, {0.3, 5.0, 0});
    EXPECT_EQ(locus->hitTest(0, 0, {{2.5, 5.0, 3}, {2.5, 5.0, -3}}, 0, hit), 0);
}

namespace {

struct ParallelogramScene {
    LociScene s;
    Polygon* polygon;
    PointOnObject* d;
    SurfaceLocus* locus;

    explicit ParallelogramScene(Vec3 v2) {
        auto quad = std::make_unique<Polygon>(TypeCode::PolygonVertices, kLociStyle, 4);
        polygon =
            s.add(std::move(quad), {s.free({0, 0, 0}), s.free({2, 0, 0}), s.free(v2), s.free({1, 1, 0})});
        s.recompute();
        d = s.pointOn(polygon, 0.0, 0.0);
        polygon->parameterOf({1.5, 0.5, 0}, d->param1, d->param2);
        Point* lifted =
            s.add(std::make_unique<Point>(TypeCode::MidpointTwoPoints, kLociStyle), {d, s.free({0, 0, 2})});
        locus = s.add(std::make_unique<SurfaceLocus>(TypeCode::PolygonSurfaceLocus, kLociStyle), {lifted, d});
        s.recompute();
    }
};

}  // namespace

TEST(GridLocus, APointOnAParallelogramRunsOverItsSides) {
    ParallelogramScene scene({3, 1, 0});
    ASSERT_EQ(scene.locus->defined, 1);
    const Vec3 side1{2.0 / 89, 0, 0};
    const Vec3 side3 = Vec3{1, 1, 0} * (1.0 / 89);
    for (int i : {0, 30, 89}) {
        for (int j : {0, 60, 89}) {
            const GridCell& cell = scene.locus->grid[static_cast<std::size_t>(i * 90 + j)];
            ASSERT_EQ(cell.defined, 1);
            const Vec3 onPolygon = side1 * i + side3 * j;
            expectNear(cell.position, (onPolygon + Vec3{0, 0, 2}) * 0.5, 1e-9);
        }
    }
    expectNear(scene.d->position, {1.5, 0.5, 0}, 1e-12);

    // Within 1e-8 of a parallelogram is one; 1e-7 away is not.
    EXPECT_EQ(ParallelogramScene({3, 1 + 1e-9, 0}).locus->defined, 1);
    EXPECT_EQ(ParallelogramScene({3, 1 + 1e-7, 0}).locus->defined, 0);

    // A point on a sphere gives no grid.
    LociScene s;
    Sphere* sphere = s.add(std::make_unique<Sphere>(TypeCode::SphereCentrePoint, kLociStyle),
                           {s.free({0, 0, 0}), s.free({1, 0, 0})});
    PointOnObject* onSphere = s.pointOn(sphere, 0.3, 0.4);
    SurfaceLocus* locus = s.add(std::make_unique<SurfaceLocus>(TypeCode::PolygonSurfaceLocus, kLociStyle),
                                {onSphere, onSphere});
    s.recompute();
    EXPECT_EQ(locus->defined, 0);
}
