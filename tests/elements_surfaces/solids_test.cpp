#include <numbers>

#include "surface_scene.h"

namespace {

constexpr double kPi = std::numbers::pi;

Sphere* sphereOf(Scene& s, Vec3 centre, Vec3 on) {
    return s.add(std::make_unique<Sphere>(TypeCode::SphereCentrePoint, kTestStyle),
                 {s.free(centre), s.free(on)});
}

Cylinder* cylinderOf(Scene& s, Vec3 p, Vec3 a, Vec3 b) {
    Point* through = s.free(p);
    StraightElement* axis = s.line(a, b, TypeCode::SegmentTwoPoints);
    return s.add(std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, kTestStyle), {through, axis});
}

Cone* coneOf(Scene& s, Vec3 p, Vec3 base, Vec3 apex) {
    return s.add(std::make_unique<Cone>(TypeCode::ConeThroughPoint, kTestStyle),
                 {s.free(p), s.free(base), s.free(apex)});
}

// Angles equal up to whole turns.
void expectSameAngle(double actual, double expected) {
    EXPECT_NEAR(std::remainder(actual - expected, 2 * kPi), 0.0, 1e-9);
}

}  // namespace

TEST(Sphere, RadiusAndDrawnRadius) {
    Scene s;
    Sphere* point = sphereOf(s, {1, 2, 3}, {1, 2, 3});
    Sphere* unit = sphereOf(s, {0, 0, 0}, {0, 1, 0});
    Sphere* tiny = sphereOf(s, {0, 0, 0}, {0.004, 0, 0});
    Sphere* limit = sphereOf(s, {0, 0, 0}, {0, 0, 0.005});
    Sphere* image =
        s.add(std::make_unique<Sphere>(TypeCode::SphereCentralSymmetry, kTestStyle), {unit, s.free({})});
    s.recompute();
    EXPECT_EQ(point->defined, 1);
    EXPECT_EQ(point->radius, 0.0);
    EXPECT_EQ(image->defined, 1);
    EXPECT_EQ(image->radius, 1.0);
    SurfaceCanvas canvas;
    for (Sphere* sphere : {point, unit, tiny, limit}) sphere->draw(0x445566, 0, canvas);
    ASSERT_EQ(canvas.count("sphere"), 4);
    EXPECT_EQ(canvas.calls[0].radius, 0.0);
    EXPECT_NEAR(canvas.calls[1].radius, 0.999, 1e-12);
    EXPECT_NEAR(canvas.calls[2].radius, 0.004, 1e-12);
    EXPECT_NEAR(canvas.calls[3].radius, 0.005, 1e-12);  // not above 0.005: drawn as it is
    expectNear(canvas.calls[0].points[0], {1, 2, 3});
}

TEST(Sphere, PickFirstIntersectionOrNearestSurfacePoint) {
    Scene s;
    Sphere* sphere = sphereOf(s, {0, 0, 0}, {0, 0, 1});
    s.recompute();
    Vec3 hit;
    ASSERT_EQ(sphere->hitTest(0, 0, rayFrom({0.6, 0, 10}, {0, 0, -1}), 0, hit), 1);
    expectNear(hit, {0.6, 0, 0.8});
    // Beside the sphere: the nearest surface point, but no hit.
    EXPECT_EQ(sphere->hitTest(0, 0, rayFrom({3, 0, 10}, {0, 0, -1}), 0, hit), 0);
    expectNear(hit, {1, 0, 0});
    // Pointing away: the line meets the sphere behind the origin only.
    hit = {7, 7, 7};
    EXPECT_EQ(sphere->hitTest(0, 0, rayFrom({0, 0, 5}, {0, 0, 1}), 0, hit), 0);
    expectNear(hit, {7, 7, 7});
}

TEST(Sphere, ParametersRoundTrip) {
    Scene s;
    Sphere* sphere = sphereOf(s, {1, -2, 0.5}, {3, -2, 0.5});
    s.recompute();
    // α lifts towards +z, β turns about the vertical.
    Vec3 p;
    ASSERT_EQ(sphere->pointAt(0.3, 1.2, p), 1);
    expectNear(p, Vec3{1, -2, 0.5} + 2.0 * Vec3{std::cos(0.3) * std::cos(1.2), std::cos(0.3) * std::sin(1.2),
                                                std::sin(0.3)});
    for (const auto& [alpha, beta] : {std::pair{0.3, 1.2}, std::pair{-0.7, 4.0}, std::pair{1.2, 3.1},
                                      std::pair{-1.5, 5.9}, std::pair{0.0, 0.0}, std::pair{kPi / 2, 0.0}}) {
        Vec3 x;
        ASSERT_EQ(sphere->pointAt(alpha, beta, x), 1);
        double a = 0.0, b = 0.0;
        ASSERT_EQ(sphere->parameterOf(x, a, b), 1);
        Vec3 back;
        ASSERT_EQ(sphere->pointAt(a, b, back), 1);
        expectNear(back, x);
        if (std::fabs(alpha) < kPi / 2 - 1e-3) {
            EXPECT_NEAR(a, alpha, 1e-9);
            expectSameAngle(b, beta);
        }
    }
}

TEST(Cylinder, AxisFromTheSegmentAndRadiusFromThePoint) {
    Scene s;
    // P lies beyond the segment's end: the cylinder is still drawn from A to B.
    Cylinder* c = cylinderOf(s, {1, 0, 7}, {0, 0, 0}, {0, 0, 4});
    Cylinder* onAxis = cylinderOf(s, {0, 0, 2}, {0, 0, 0}, {0, 0, 4});
    s.recompute();
    ASSERT_EQ(c->defined, 1);
    EXPECT_NEAR(c->radius, 1.0, 1e-12);
    expectNear(c->rimPoint, {1, 0, 0});
    expectNear(c->topCentre, {0, 0, 4});
    EXPECT_EQ(onAxis->defined, 1);
    EXPECT_EQ(onAxis->radius, 0.0);
    SurfaceCanvas canvas;
    c->draw(0x102030, 0, canvas);
    ASSERT_EQ(canvas.count("cylinder"), 1);
    expectNear(canvas.calls[0].points[0], {0, 0, 0});
    expectNear(canvas.calls[0].points[1], {0, 0, 1});
    EXPECT_NEAR(canvas.calls[0].radius, 1.0, 1e-12);
    EXPECT_NEAR(canvas.topRadii[0], 1.0, 1e-12);
    EXPECT_NEAR(canvas.heights[0], 4.0, 1e-12);
}

TEST(Cylinder, PickedOnTheLateralSurfaceBetweenItsEnds) {
    Scene s;
    Cylinder* c = cylinderOf(s, {1, 0, 0}, {0, 0, 0}, {0, 0, 4});
    s.recompute();
    Vec3 hit;
    ASSERT_EQ(c->hitTest(0, 0, rayFrom({0, -10, 2}, {0, 1, 0}), 0, hit), 1);
    expectNear(hit, {0, -1, 2});
    ASSERT_EQ(c->hitTest(0, 0, rayFrom({0, 10, 2}, {0, -1, 0}), 0, hit), 1);
    expectNear(hit, {0, 1, 2});
    // Beyond the top plane: no hit; the nearest surface point comes back instead.
    EXPECT_EQ(c->hitTest(0, 0, rayFrom({0, -10, 5}, {0, 1, 0}), 0, hit), 0);
    expectNear(hit, {0, -1, 4});
    EXPECT_EQ(c->hitTest(0, 0, rayFrom({3, -10, 2}, {0, 1, 0}), 0, hit), 0);
    expectNear(hit, {1, 0, 2});
    // The ray's origin inside the cylinder: only the wall ahead counts.
    ASSERT_EQ(c->hitTest(0, 0, rayFrom({0, 0, 2}, {0, 1, 0}), 0, hit), 1);
    expectNear(hit, {0, 1, 2});
}

TEST(Cylinder, ParametersRoundTrip) {
    Scene s;
    Cylinder* c = cylinderOf(s, {2, 1, 1}, {1, 1, 1}, {1, 3, 2});
    s.recompute();
    ASSERT_EQ(c->defined, 1);
    for (const auto& [theta, h] :
         {std::pair{0.5, 1.0}, std::pair{3.5, 0.2}, std::pair{6.0, -0.5}, std::pair{0.0, 2.0}}) {
        Vec3 x;
        ASSERT_EQ(c->pointAt(theta, h, x), 1);
        const Vec3 onAxis = Vec3{1, 1, 1} + h * Vec3{0, 2, 1} * (1 / std::sqrt(5.0));
        EXPECT_NEAR(dist(x, onAxis), c->radius, 1e-9);
        double a = 0.0, b = 0.0;
        ASSERT_EQ(c->parameterOf(x, a, b), 1);
        expectSameAngle(a, theta);
        EXPECT_NEAR(b, h, 1e-9);
    }
    // A picked point goes back to itself.
    Vec3 hit;
    ASSERT_EQ(c->hitTest(0, 0, rayFrom({1.3, 2, 10}, {0, 0, -1}), 0, hit), 1);
    double a = 0.0, b = 0.0;
    ASSERT_EQ(c->parameterOf(hit, a, b), 1);
    Vec3 back;
    ASSERT_EQ(c->pointAt(a, b, back), 1);
    expectNear(back, hit);
}

TEST(Cone, BaseRadiusFromTheGeneratorThroughP) {
    Scene s;
    Cone* half = coneOf(s, {1, 0, 2}, {0, 0, 0}, {0, 0, 4});
    Cone* onAxis = coneOf(s, {0, 0, 1}, {0, 0, 0}, {0, 0, 4});
    Cone* atApexLevel = coneOf(s, {1, 0, 4}, {0, 0, 0}, {0, 0, 4});
    Cone* beyondBase = coneOf(s, {0, 3, -4}, {0, 0, 0}, {0, 0, 4});
    s.recompute();
    ASSERT_EQ(half->defined, 1);
    EXPECT_NEAR(half->baseRadius, 2.0, 1e-12);
    expectNear(half->rimPoint, {2, 0, 0});
    EXPECT_EQ(onAxis->defined, 0);
    EXPECT_EQ(atApexLevel->defined, 0);
    ASSERT_EQ(beyondBase->defined, 1);
    EXPECT_NEAR(beyondBase->baseRadius, 1.5, 1e-12);

    SurfaceCanvas canvas;
    half->draw(0x102030, 0, canvas);
    ASSERT_EQ(canvas.count("cylinder"), 1);
    expectNear(canvas.calls[0].points[1], {0, 0, 1});
    EXPECT_NEAR(canvas.calls[0].radius, 2.0, 1e-12);
    EXPECT_EQ(canvas.topRadii[0], 0.0);
    EXPECT_NEAR(canvas.heights[0], 4.0, 1e-12);
}

TEST(Cone, PickedBetweenBaseAndApex) {
    Scene s;
    Cone* cone = coneOf(s, {1, 0, 2}, {0, 0, 0}, {0, 0, 4});
    s.recompute();
    Vec3 hit;
    ASSERT_EQ(cone->hitTest(0, 0, rayFrom({0.2, -10, 2}, {0, 1, 0}), 0, hit), 1);
    expectNear(hit, {0.2, -std::sqrt(1 - 0.04), 2}, 1e-6);
    // The other nappe, above the apex, is not part of the cone.
    EXPECT_EQ(cone->hitTest(0, 0, rayFrom({0.1, -10, 5}, {0, 1, 0}), 0, hit), 0);
    // Beside the cone: the nearest point of its surface.
    EXPECT_EQ(cone->hitTest(0, 0, rayFrom({5, -10, 2}, {0, 1, 0}), 0, hit), 0);
    expectNear(hit, {1, 0, 2});
}

TEST(Cone, ParametersRoundTrip) {
    Scene s;
    Cone* cone = coneOf(s, {1, 1, 2}, {0, 1, 0}, {1, 2, 4});
    s.recompute();
    ASSERT_EQ(cone->defined, 1);
    const double height = dist(cone->baseCentre, cone->apex);
    for (const auto& [theta, d] : {std::pair{0.4, 1.0}, std::pair{2.5, 3.0}, std::pair{5.0, height}}) {
        Vec3 x;
        ASSERT_EQ(cone->pointAt(theta, d, x), 1);
        double a = 0.0, b = 0.0;
        ASSERT_EQ(cone->parameterOf(x, a, b), 1);
        expectSameAngle(a, theta);
        EXPECT_NEAR(b, d, 1e-9);
        Vec3 back;
        ASSERT_EQ(cone->pointAt(a, b, back), 1);
        expectNear(back, x);
    }
    // The rim point is the point at angle 0 on the base.
    Vec3 rim;
    ASSERT_EQ(cone->pointAt(0.0, height, rim), 1);
    expectNear(rim, cone->rimPoint);
    // The apex itself has parameters (0, 0).
    double a = 1.0, b = 1.0;
    ASSERT_EQ(cone->parameterOf(cone->apex, a, b), 1);
    EXPECT_EQ(b, 0.0);
}

TEST(Solids, LabelsAndRecordsOfTheBaseOnly) {
    Scene s;
    Sphere* sphere = sphereOf(s, {0, 0, 0}, {0, 0, 1});
    Cylinder* cylinder = cylinderOf(s, {1, 0, 0}, {0, 0, 0}, {0, 0, 4});
    Cone* cone = coneOf(s, {1, 0, 2}, {0, 0, 0}, {0, 0, 4});
    s.recompute();
    SurfaceCanvas canvas;
    sphere->drawLabel(canvas, 1);  // no name: nothing
    EXPECT_TRUE(canvas.calls.empty());
    for (Element* e : std::initializer_list<Element*>{sphere, cylinder, cone}) {
        e->setName("s");
        e->drawLabel(canvas, 1);
    }
    ASSERT_EQ(canvas.count("label"), 3);
    expectNear(canvas.calls[0].points[0], {0, 0, 1.1});
    expectNear(canvas.calls[1].points[0], {1, 0, 0.1});
    expectNear(canvas.calls[2].points[0], {0, 0, 4.1});

    // Nothing but the common part: the solid is recomputed after reading.
    const auto sphereBytes = recordOf(*sphere);
    Sphere read(TypeCode::SphereCentrePoint, {});
    ASSERT_EQ(readRecord(sphereBytes, read), 1);
    EXPECT_EQ(read.name(), sphere->name());
    Cone readCone(TypeCode::ConeThroughPoint, {});
    ASSERT_EQ(readRecord(recordOf(*cone), readCone), 1);
    EXPECT_EQ(recordOf(*cone).size(), sphereBytes.size() + 4);
}
