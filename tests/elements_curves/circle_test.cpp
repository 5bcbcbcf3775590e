#include <array>
#include <cmath>

#include "curve_fixtures.h"
#include "elements/circle.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "support/recording_canvas.h"

namespace {

class CircleTest : public CurveTest {
  protected:
    // A circle of the given radius about (1, 2, 3) in the plane z = 3, axis +z.
    Circle* flatCircle(double r) {
        const Vec3 c{1, 2, 3};
        return make<Circle>(
            TypeCode::CircleThreePoints,
            {freePoint(c + Vec3{r, 0, 0}), freePoint(c + Vec3{0, r, 0}), freePoint(c + Vec3{-r, 0, 0})});
    }
};

TEST_F(CircleTest, ThroughThreePointsAndItsFailures) {
    // A tilted triangle: the circumcentre of (0,0,0), (2,0,0), (0,2,2).
    Point* p1 = freePoint({0, 0, 0});
    Point* p2 = freePoint({2, 0, 0});
    Point* p3 = freePoint({0, 2, 2});
    Circle* c = make<Circle>(TypeCode::CircleThreePoints, {p1, p2, p3});
    ASSERT_EQ(c->defined, 1);
    for (const Point* p : {p1, p2, p3}) EXPECT_NEAR(dist(c->centre, p->position), c->radius, 1e-9);
    EXPECT_VEC_NEAR(c->refPoint, p1->position, 0.0);
    EXPECT_VEC_NEAR(c->axisA, c->centre, 1e-12);
    // The axis is the unit normal oriented by P1, P2, P3: (2,0,0)×(0,2,2) ∝ (0,−1,1).
    EXPECT_VEC_NEAR(c->axisB - c->axisA, (Vec3{0, -1, 1} * (1 / std::sqrt(2.0))), 1e-12);

    // Collinear, then coincident points: undefined, the last circle kept.
    const Vec3 kept = c->centre;
    p3->position = {4, 0, 0};
    recompute(c);
    EXPECT_EQ(c->defined, 0);
    EXPECT_VEC_NEAR(c->centre, kept, 0.0);
    p3->position = p2->position;
    recompute(c);
    EXPECT_EQ(c->defined, 0);
    // Nearly collinear but still a triangle: defined, with a large radius.
    p3->position = {1, 1e-3, 0};
    recompute(c);
    EXPECT_EQ(c->defined, 1);
    EXPECT_GT(c->radius, 100.0);
}

TEST_F(CircleTest, CircleAboutAnAxis) {
    auto line = std::make_unique<StraightElement>(TypeCode::LineTwoPoints, kCurveStyle);
    line->pointA = {0, 0, 1};
    line->pointB = {0, 0, 3};
    line->defined = 1;
    StraightElement* axis = static_cast<StraightElement*>(construction.append(std::move(line)));
    Point* p = freePoint({3, 4, 7});
    Circle* c = make<Circle>(TypeCode::CircleAboutAxis, {p, axis});
    ASSERT_EQ(c->defined, 1);
    EXPECT_VEC_NEAR(c->centre, (Vec3{0, 0, 7}), 1e-12);
    EXPECT_NEAR(c->radius, 5.0, 1e-12);
    EXPECT_VEC_NEAR(c->axisA, axis->pointA, 0.0);
    EXPECT_VEC_NEAR(c->axisB, axis->pointB, 0.0);
    EXPECT_VEC_NEAR(c->refPoint, p->position, 0.0);

    // P on the axis, or within 1e-6 of it: undefined. Just beyond: defined.
    p->position = {0, 0, 5};
    recompute(c);
    EXPECT_EQ(c->defined, 0);
    p->position = {0.9e-6, 0, 5};
    recompute(c);
    EXPECT_EQ(c->defined, 0);
    p->position = {2e-6, 0, 5};
    recompute(c);
    EXPECT_EQ(c->defined, 1);
}

TEST_F(CircleTest, SectionsOfSpheres) {
    auto sphere = [&](Vec3 centre, double r) {
        auto s = std::make_unique<Sphere>(TypeCode::SphereCentrePoint, kCurveStyle);
        s->centre = centre;
        s->surfacePoint = centre + Vec3{0, 0, r};
        s->radius = r;
        s->defined = 1;
        return static_cast<Sphere*>(construction.append(std::move(s)));
    };
    // Two spheres of radius 5 whose centres are 6 apart meet in a circle of radius 4.
    Sphere* s1 = sphere({0, 0, 0}, 5);
    Sphere* s2 = sphere({6, 0, 0}, 5);
    Circle* both = make<Circle>(TypeCode::CircleOfTwoSpheres, {s1, s2});
    ASSERT_EQ(both->defined, 1);
    EXPECT_VEC_NEAR(both->centre, (Vec3{3, 0, 0}), 1e-9);
    EXPECT_NEAR(both->radius, 4.0, 1e-9);
    EXPECT_NEAR(dist(both->refPoint, both->centre), both->radius, 1e-12);
    EXPECT_NEAR(dist(both->refPoint, s1->centre), 5.0, 1e-9);
    // The axis runs along the line of centres.
    const Vec3 axis = both->axisB - both->axisA;
    EXPECT_NEAR(std::fabs(axis.x) / norm(axis), 1.0, 1e-12);

    // Spheres apart: undefined.
    s2->centre = {11, 0, 0};
    s2->surfacePoint = {11, 0, 5};
    recompute(both);
    EXPECT_EQ(both->defined, 0);

    // A plane z = 3 cuts the sphere of radius 5 in a circle of radius 4 about (0, 0, 3).
    auto planeElement = std::make_unique<Plane>(TypeCode::PlaneThreePoints, kCurveStyle);
    planeElement->planePoint1 = {0, 0, 3};
    planeElement->planePoint2 = {1, 0, 3};
    planeElement->planePoint3 = {0, 1, 3};
    planeElement->defined = 1;
    Plane* plane = static_cast<Plane*>(construction.append(std::move(planeElement)));
    Circle* cut = make<Circle>(TypeCode::CircleOfSphereAndPlane, {s1, plane});
    ASSERT_EQ(cut->defined, 1);
    EXPECT_VEC_NEAR(cut->centre, (Vec3{0, 0, 3}), 1e-9);
    EXPECT_NEAR(cut->radius, 4.0, 1e-9);
    EXPECT_NEAR(cut->refPoint.z, 3.0, 1e-9);
    const Vec3 normal = cut->axisB - cut->axisA;
    EXPECT_NEAR(std::fabs(normal.z), norm(normal), 1e-12);

    // Moved beyond the sphere: undefined.
    plane->planePoint1.z = plane->planePoint2.z = plane->planePoint3.z = 5.5;
    recompute(cut);
    EXPECT_EQ(cut->defined, 0);
}

TEST_F(CircleTest, AngleParameterRoundTrips) {
    Circle* c = flatCircle(2.0);
    ASSERT_EQ(c->defined, 1);
    // refPoint is (3, 2, 3): angles are counted from +x, counter-clockwise about +z.
    for (double theta : {0.0, 0.3, kPi / 2, 3.0, kPi + 0.2, 3 * kPi / 2, 2 * kPi - 1e-3}) {
        const Vec3 p = c->centre + Vec3{2 * std::cos(theta), 2 * std::sin(theta), 0};
        double param = -1, unused = -1;
        ASSERT_EQ(c->parameterOf(p, param, unused), 1);
        EXPECT_NEAR(param, theta, 1e-9) << theta;
        Vec3 back;
        ASSERT_EQ(c->pointAt(param, 0, back), 1);
        EXPECT_VEC_NEAR(back, p, 1e-9);
    }
    // A point off the circle gets the angle of the circle point nearest it.
    double param = 0, unused = 0;
    c->parameterOf(c->centre + Vec3{0, -5, 1}, param, unused);
    EXPECT_NEAR(param, 3 * kPi / 2, 1e-9);
    // The centre itself has no angle: 0.
    c->parameterOf(c->centre, param, unused);
    EXPECT_EQ(param, 0.0);

    // A point on the circle keeps its angle when the radius changes.
    auto onCircle = std::make_unique<PointOnObject>(kCurveStyle);
    onCircle->param1 = 3 * kPi / 2;
    PointOnObject* q = add(std::move(onCircle), {c});
    recompute(q);
    EXPECT_VEC_NEAR(q->position, (Vec3{1, 0, 3}), 1e-9);
}

TEST_F(CircleTest, RingSegmentsAndLabel) {
    RecordingCanvas canvas;
    Circle* c = flatCircle(0.5);
    c->draw(0x123456, 0, canvas);
    ASSERT_EQ(canvas.count("ring"), 1);
    EXPECT_EQ(canvas.calls[0].segments, 37);
    EXPECT_EQ(canvas.calls[0].radius, 0.5);
    EXPECT_VEC_NEAR(canvas.calls[0].points[0], c->centre, 0.0);
    EXPECT_VEC_NEAR(canvas.calls[0].points[1], (Vec3{0, 0, 1}), 1e-12);
    EXPECT_EQ(canvas.calls[0].colour, 0x123456u);
    EXPECT_EQ(c->pickChords(), 37);

    const struct {
        double radius;
        int segments;
        int chords;
    } cases[] = {{10, 275, 199}, {0.2, 30, 30}, {100, 1999, 199}, {6.0, 175, 175}, {1e300, 1999, 199}};
    for (const auto& k : cases) {
        c->radius = k.radius;
        EXPECT_EQ(c->ringSegments(), k.segments) << k.radius;
        EXPECT_EQ(c->pickChords(), k.chords) << k.radius;
    }

    // The label sits opposite refPoint, lifted 0.1 towards the viewer.
    c = flatCircle(0.5);
    c->setName("k");
    RecordingCanvas labels;
    c->drawLabel(labels, 0xff);
    ASSERT_EQ(labels.count("label"), 1);
    EXPECT_VEC_NEAR(labels.calls[0].points[0], (Vec3{0.5, 2, 3.1}), 1e-12);
    EXPECT_EQ(labels.calls[0].text, "k");
}

TEST_F(CircleTest, HitTestOnChordsPushedOntoTheCircle) {
    Circle* c = flatCircle(10.0);    // centre (1, 2, 3), 199 chords
    const double theta = kPi / 199;  // half way along the first chord: most off the chord
    const Vec3 target = c->centre + Vec3{10 * std::cos(theta), 10 * std::sin(theta), 0};
    Vec3 hit{-1, -1, -1};
    // Looking down from above, straight at the circle point.
    PickRay ray{target + Vec3{0, 0, 4}, target + Vec3{0, 0, -100}};
    ASSERT_EQ(c->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_NEAR(dist(hit, c->centre), 10.0, 1e-9);
    EXPECT_NEAR(dist(hit, target), 0.0, 1e-6);

    // Size t2 tolerance is 0.01 (depth factor 2 at a distance of 4): 0.015 off misses,
    // the nearest candidate is still reported.
    c->size = 1;
    const Vec3 outward = target + Vec3{0.025 * std::cos(theta), 0.025 * std::sin(theta), 0};
    ray = {outward + Vec3{0, 0, 4}, outward + Vec3{0, 0, -100}};
    hit = {-1, -1, -1};
    EXPECT_EQ(c->hitTest(0, 0, ray, 0, hit), 0);
    EXPECT_NEAR(dist(hit, target), 0.0, 1e-3);
    const Vec3 inward = target + Vec3{0.015 * std::cos(theta), 0.015 * std::sin(theta), 0};
    ray = {inward + Vec3{0, 0, 4}, inward + Vec3{0, 0, -100}};
    EXPECT_EQ(c->hitTest(0, 0, ray, 0, hit), 1);
    // Parallel projection has no depth allowance: the same ray misses.
    EXPECT_EQ(c->hitTest(0, 0, ray, 1, hit), 0);

    // A circle behind the ray's origin is not hit.
    ray = {target + Vec3{0, 0, -4}, target + Vec3{0, 0, -100}};
    EXPECT_EQ(c->hitTest(0, 0, ray, 0, hit), 0);
}

TEST_F(CircleTest, SupportPlaneSpansTheCirclePlane) {
    Circle* c = make<Circle>(TypeCode::CircleThreePoints,
                             {freePoint({0, 0, 0}), freePoint({2, 0, 0}), freePoint({0, 2, 2})});
    const std::array<Vec3, 3> plane = c->supportPlane();
    const Vec3 n = c->axisB - c->axisA;
    const Vec3 spanNormal = crossProduct(plane[1] - plane[0], plane[2] - plane[0]);
    EXPECT_GT(dotProduct(spanNormal, n), 0.0);
    EXPECT_NEAR(norm(crossProduct(spanNormal, n)), 0.0, 1e-12);
    EXPECT_NEAR(dotProduct(plane[0] - c->centre, n), 0.0, 1e-12);

    // The image in a centre spans the reflected plane.
    Circle* image = make<Circle>(TypeCode::CircleCentralSymmetry, {c, freePoint({5, 5, 5})});
    ASSERT_EQ(image->defined, 1);
    EXPECT_NEAR(dotProduct(image->supportPlane()[0] - image->centre, n), 0.0, 1e-12);
}

}  // namespace
