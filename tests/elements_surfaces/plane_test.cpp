#include <numbers>

#include "surface_scene.h"

namespace {

Plane* planeThrough(Scene& s, Vec3 a, Vec3 b, Vec3 c, int size = 0) {
    auto plane = std::make_unique<Plane>(TypeCode::PlaneThreePoints, kTestStyle);
    plane->size = size;
    return s.add(std::move(plane), {s.free(a), s.free(b), s.free(c)});
}

}  // namespace

TEST(Plane, DrawsASquareOfTheSizeTableCentredOnItsFirstPoint) {
    // t5 is a square of side 60, t1 one of side 2, both centred on the first point.
    for (const auto& [size, side] : {std::pair{4, 60.0}, std::pair{0, 2.0}, std::pair{2, 10.0}}) {
        Scene s;
        Plane* p = planeThrough(s, {1, 2, 3}, {2, 2, 3}, {1, 5, 3}, size);
        s.recompute();
        ASSERT_EQ(p->defined, 1);
        SurfaceCanvas canvas;
        p->draw(0x123456, 0, canvas);
        ASSERT_EQ(canvas.calls.size(), 1u);
        const auto& call = canvas.calls[0];
        ASSERT_EQ(call.primitive, "flatPolygon");
        EXPECT_EQ(call.colour, 0x123456u);
        ASSERT_EQ(call.points.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(dist(call.points[i], call.points[(i + 1) % 4]), side, 1e-9);
            EXPECT_NEAR(call.points[i].z, 3.0, 1e-12);
        }
        // The first corner lies along planePoint1 → planePoint2, half a diagonal away.
        expectNear(call.points[0], Vec3{1, 2, 3} + Vec3{side / std::numbers::sqrt2, 0, 0});
        expectNear(call.points[2], Vec3{1, 2, 3} - Vec3{side / std::numbers::sqrt2, 0, 0});
        for (int i = 0; i < 4; ++i) expectNear(call.points[i], p->corners[i]);
    }
}

TEST(Plane, PickedOnlyInsideItsSquareAndInFrontOfTheRay) {
    Scene s;
    // Size t1: the corners lie √2 from the centre along x and y (a diamond).
    Plane* p = planeThrough(s, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0);
    s.recompute();
    Vec3 hit{9, 9, 9};
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({1.4, 0, 5}, {0, 0, -1}), 0, hit), 1);
    expectNear(hit, {1.4, 0, 0});
    // Just outside the square: no tolerance, and the hit point is left alone.
    hit = {9, 9, 9};
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({1.0, 0.42, 5}, {0, 0, -1}), 0, hit), 0);
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({1.5, 0, 5}, {0, 0, -1}), 0, hit), 0);
    expectNear(hit, {9, 9, 9});
    // Inside the square but behind the ray's origin.
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({0.2, 0, -5}, {0, 0, -1}), 0, hit), 0);
    // Parallel to the plane.
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({0, 0, 1}, {1, 0, 0}), 0, hit), 0);
    // A bigger size enlarges the pick area once recomputed, before any drawing.
    p->size = 4;
    s.recompute();
    EXPECT_EQ(p->hitTest(0, 0, rayFrom({20, 0, 5}, {0, 0, -1}), 0, hit), 1);
}

TEST(Plane, DefinitionsAndTheirFailures) {
    Scene s;
    Point* a = s.free({0, 0, 0});
    Point* b = s.free({2, 0, 0});
    Point* same = s.free({0, 0, 0});
    Plane* mediator = s.add(std::make_unique<Plane>(TypeCode::MediatorPlane, kTestStyle), {a, b});
    Plane* coincident = s.add(std::make_unique<Plane>(TypeCode::MediatorPlane, kTestStyle), {a, same});
    Plane* collinear = planeThrough(s, {0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    Point* p = s.free({5, 5, 7});
    Plane* parallel = s.add(std::make_unique<Plane>(TypeCode::ParallelPlane, kTestStyle), {mediator, p});
    StraightElement* l = s.line({0, 0, 0}, {0, 0, 3});
    Plane* perpendicular = s.add(std::make_unique<Plane>(TypeCode::PerpendicularPlane, kTestStyle), {l, p});
    Plane* image = s.add(std::make_unique<Plane>(TypeCode::PlaneCentralSymmetry, kTestStyle),
                         {mediator, s.free({1, 1, 1})});
    s.recompute();

    ASSERT_EQ(mediator->defined, 1);
    expectNear(mediator->planePoint1, {1, 0, 0});
    // Both spanning directions are perpendicular to AB.
    EXPECT_NEAR((mediator->planePoint2 - mediator->planePoint1).x, 0.0, 1e-12);
    EXPECT_NEAR((mediator->planePoint3 - mediator->planePoint1).x, 0.0, 1e-12);
    EXPECT_EQ(coincident->defined, 0);
    EXPECT_EQ(collinear->defined, 0);

    ASSERT_EQ(parallel->defined, 1);
    expectNear(parallel->planePoint1, {5, 5, 7});
    expectNear(parallel->planePoint2 - parallel->planePoint1, mediator->planePoint2 - mediator->planePoint1);

    ASSERT_EQ(perpendicular->defined, 1);
    expectNear(perpendicular->planePoint1, {5, 5, 7});
    EXPECT_NEAR(perpendicular->planePoint2.z, 7.0, 1e-12);
    EXPECT_NEAR(perpendicular->planePoint3.z, 7.0, 1e-12);
    const auto support = perpendicular->supportPlane();
    expectNear(support[2], perpendicular->planePoint3);

    // The mediator plane x = 1 reflected in (1, 1, 1) is itself.
    ASSERT_EQ(image->defined, 1);
    EXPECT_NEAR(image->planePoint1.x, 1.0, 1e-12);
    EXPECT_NEAR(image->planePoint2.x, 1.0, 1e-12);
}

TEST(Plane, ParametersRoundTripWithObliqueSides) {
    Scene s;
    Plane* p = planeThrough(s, {1, 1, 0}, {3, 1, 0}, {2, 2, 1});
    s.recompute();
    ASSERT_EQ(p->defined, 1);
    // Points on both sides of planePoint1 along both directions.
    const Vec3 o = p->planePoint1;
    const Vec3 e1 = p->planePoint2 - o;
    const Vec3 e2 = p->planePoint3 - o;
    for (const auto& [a, b] : {std::pair{0.3, 0.7}, std::pair{-1.5, 0.25}, std::pair{2.0, -3.0}}) {
        const Vec3 x = o + a * e1 + b * e2;
        double s1 = 0.0, s2 = 0.0;
        ASSERT_EQ(p->parameterOf(x, s1, s2), 1);
        EXPECT_NEAR(s1, a * norm(e1), 1e-9);
        EXPECT_NEAR(s2, b * norm(e2), 1e-9);
        Vec3 back;
        ASSERT_EQ(p->pointAt(s1, s2, back), 1);
        expectNear(back, x);
    }
}

TEST(Plane, LabelAtTheFirstCornerAndRecordOfThreePoints) {
    Scene s;
    Plane* p = planeThrough(s, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1);
    s.recompute();
    p->setName("alpha");
    SurfaceCanvas canvas;
    p->draw(1, 0, canvas);
    p->drawLabel(canvas, 0x777777);
    ASSERT_EQ(canvas.count("label"), 1);
    const auto& label = canvas.calls.back();
    EXPECT_EQ(label.text, "alpha");
    EXPECT_EQ(label.colour, 0x777777u);
    // The recording canvas moves towards the viewer along +z.
    expectNear(label.points[0], p->corners[0] + Vec3{0, 0, 0.1});

    const auto bytes = recordOf(*p);
    const auto baseOnly = recordOf(Sphere(TypeCode::SphereCentrePoint, kTestStyle));
    // Three parents against two: one more parent key, the name, then the 72 bytes of the points.
    EXPECT_EQ(bytes.size(), baseOnly.size() + 4 + 6 + 72);  // "alpha" and its NUL
    Plane copy(TypeCode::PlaneThreePoints, {});
    ASSERT_EQ(readRecord(bytes, copy), 1);
    expectNear(copy.planePoint1, p->planePoint1, 0);
    expectNear(copy.planePoint2, p->planePoint2, 0);
    expectNear(copy.planePoint3, p->planePoint3, 0);
    EXPECT_EQ(copy.size, 1);
    // A record cut short fails.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 1);
    Plane broken(TypeCode::PlaneThreePoints, {});
    EXPECT_EQ(readRecord(cut, broken), 0);
}
