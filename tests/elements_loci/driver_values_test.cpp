#include <cmath>
#include <numbers>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "loci_fixture.h"

namespace {

constexpr int kN = 500;

// Five points of a curve in the plane z = 0, fitted as a conic.
Conic* conicThrough(LociScene& s, std::initializer_list<Vec3> points) {
    auto conic = std::make_unique<Conic>(TypeCode::ConicFivePoints, kLociStyle);
    std::size_t i = 0;
    for (Vec3 p : points) conic->parents.at(i++) = s.free(p);
    return static_cast<Conic*>(s.c.append(std::move(conic)));
}

void expectEven(const std::vector<double>& values, double from, double to) {
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kN));
    EXPECT_DOUBLE_EQ(values.front(), from);
    EXPECT_NEAR(values.back(), to, 1e-12);
    EXPECT_NEAR(values[1] - values[0], (to - from) / (kN - 1), 1e-12);
    EXPECT_NEAR(values[300] - values[299], (to - from) / (kN - 1), 1e-12);
}

}  // namespace

TEST(LocusDriverValues, EvenRangesForParametersSegmentsArcsAndCircles) {
    LociScene s;
    std::vector<double> values;
    ASSERT_TRUE(locusDriverValues(*s.parameter(0.0, -2.0, 3.0), kN, values));
    expectEven(values, -2.0, 3.0);

    Point* a = s.free({0, 0, 0});
    Point* b = s.free({4, 0, 0});
    for (TypeCode code : {TypeCode::SegmentTwoPoints, TypeCode::VectorTwoPoints}) {
        ASSERT_TRUE(locusDriverValues(*s.pointOn(s.straight(code, a, b), 0.5), kN, values)) << code;
        expectEven(values, 0.0, 1.0);
    }
    auto arc = std::make_unique<Arc>(TypeCode::ArcThreePoints, kLociStyle);
    Arc* arcElement = s.add(std::move(arc), {a, s.free({2, 2, 0}), b});
    ASSERT_TRUE(locusDriverValues(*s.pointOn(arcElement, 0.2), kN, values));
    expectEven(values, 0.0, 1.0);

    Circle* circle =
        s.add(std::make_unique<Circle>(TypeCode::CircleThreePoints, kLociStyle), {a, s.free({0, 2, 0}), b});
    ASSERT_TRUE(locusDriverValues(*s.pointOn(circle, 1.0), kN, values));
    expectEven(values, 0.0, 2.0 * std::numbers::pi);
}

TEST(LocusDriverValues, LinesReachNinetyNineUnitsWhateverTheirLength) {
    LociScene s;
    std::vector<double> values;
    Point* a = s.free({1, 0, 0});
    for (double length : {0.5, 10.0}) {
        Point* b = s.free({1 + length, 0, 0});
        PointOnObject* onLine = s.pointOn(s.straight(TypeCode::LineTwoPoints, a, b), 0.0);
        PointOnObject* onRay = s.pointOn(s.straight(TypeCode::RayTwoPoints, a, b), 0.0);
        s.recompute();
        const double g = 99.0 / length;
        ASSERT_TRUE(locusDriverValues(*onLine, kN, values));
        expectEven(values, -g, g);
        ASSERT_TRUE(locusDriverValues(*onRay, kN, values));
        expectEven(values, 0.0, g);
    }
    // A line through one point twice has no length to measure the reach by.
    StraightElement* collapsed = s.straight(TypeCode::LineTwoPoints, a, a);
    collapsed->recompute(s.c, {1, 1.0});
    EXPECT_FALSE(locusDriverValues(*s.pointOn(collapsed, 0.0), kN, values));
}

TEST(LocusDriverValues, EllipsesAndHyperbolasCrowdInMirroredQuarters) {
    std::vector<double> v;
    mirroredQuarterValues(kN, 0.0, v);
    const int q = kN / 4;
    const double first = 0.25 / ((q - 1.0) * (q - 1.0));
    ASSERT_EQ(v.size(), static_cast<std::size_t>(kN));
    EXPECT_EQ(v[0], 0.0);
    EXPECT_DOUBLE_EQ(v[1], first);
    EXPECT_DOUBLE_EQ(v[q - 1], 0.25);
    EXPECT_DOUBLE_EQ(v[q], 0.25);
    EXPECT_DOUBLE_EQ(v[2 * q - 2], 0.5 - first);
    EXPECT_DOUBLE_EQ(v[2 * q - 1], 0.5);
    EXPECT_DOUBLE_EQ(v[2 * q], 0.5);
    EXPECT_DOUBLE_EQ(v[2 * q + 1], 0.5 + first);
    EXPECT_DOUBLE_EQ(v[kN - 2], 1.0 - first);
    EXPECT_DOUBLE_EQ(v[kN - 1], 1.0);
    for (int i = 1; i < kN; ++i) ASSERT_LE(v[i - 1], v[i]) << i;
    // Steps are short near 0, 0.5 and 1 and long near the quarter points.
    EXPECT_LT(v[1] - v[0], v[q - 1] - v[q - 2]);

    mirroredQuarterValues(kN, 1e-8, v);
    EXPECT_DOUBLE_EQ(v[0], 1e-8);
    EXPECT_DOUBLE_EQ(v[2 * q - 1], 0.5 - 1e-8);
    EXPECT_DOUBLE_EQ(v[2 * q], 0.5 + 1e-8);
    EXPECT_DOUBLE_EQ(v[kN - 1], 1.0 - 1e-8);
    for (double x : v) {
        EXPECT_NE(x, 0.0);
        EXPECT_NE(x, 0.5);
        EXPECT_NE(x, 1.0);
    }
}

TEST(LocusDriverValues, ConicTypesChooseTheirSampling) {
    LociScene s;
    const double r = std::sqrt(0.5);
    Conic* ellipse = conicThrough(s, {{2, 0, 0}, {-2, 0, 0}, {0, 1, 0}, {0, -1, 0}, {std::sqrt(2.0), r, 0}});
    Conic* hyperbola = conicThrough(
        s, {{1, 0, 0}, {-1, 0, 0}, {std::sqrt(2.0), 1, 0}, {std::sqrt(2.0), -1, 0}, {-std::sqrt(2.0), 1, 0}});
    Conic* parabola = conicThrough(s, {{0, 0, 0}, {1, 1, 0}, {-1, 1, 0}, {2, 4, 0}, {-2, 4, 0}});
    Conic* lines = conicThrough(s, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {0, 1, 0}, {0, 2, 0}});
    s.recompute();
    ASSERT_EQ(ellipse->conicType(), ConicType::kEllipse);
    ASSERT_EQ(hyperbola->conicType(), ConicType::kHyperbola);
    ASSERT_EQ(parabola->conicType(), ConicType::kParabola);
    ASSERT_GE(lines->conicType(), ConicType::kLinePair);

    std::vector<double> values, expected;
    ASSERT_TRUE(locusDriverValues(*s.pointOn(ellipse, 0.1), kN, values));
    mirroredQuarterValues(kN, 0.0, expected);
    EXPECT_EQ(values, expected);
    ASSERT_TRUE(locusDriverValues(*s.pointOn(hyperbola, 0.1), kN, values));
    mirroredQuarterValues(kN, 1e-8, expected);
    EXPECT_EQ(values, expected);
    ASSERT_TRUE(locusDriverValues(*s.pointOn(parabola, 0.1), kN, values));
    expectEven(values, 0.0, 1.0);
    ASSERT_TRUE(locusDriverValues(*s.pointOn(lines, 0.1), kN, values));
    expectEven(values, 0.0, 1.0);

    // The locus stores the values it ran through, and puts the driver back.
    PointOnObject* driver = s.pointOn(ellipse, 0.1);
    Locus* locus = s.add(std::make_unique<Locus>(TypeCode::PointLocus, kLociStyle), {driver, driver});
    s.recompute();
    ASSERT_EQ(locus->defined, 1);
    mirroredQuarterValues(kN, 0.0, expected);
    for (int i = 0; i < kN; ++i) ASSERT_EQ(locus->samples[i].driverValue, expected[i]) << i;
    EXPECT_EQ(driver->param1, 0.1);
}

TEST(LocusDriverValues, OtherDriversCannotRunALocus) {
    LociScene s;
    std::vector<double> values;
    Point* a = s.free({0, 0, 0});
    Plane* plane = s.add(std::make_unique<Plane>(TypeCode::PlaneThreePoints, kLociStyle),
                         {a, s.free({1, 0, 0}), s.free({0, 1, 0})});
    s.recompute();
    PointOnObject* onPlane = s.pointOn(plane, 0.2, 0.3);
    EXPECT_FALSE(locusDriverValues(*onPlane, kN, values));
    EXPECT_FALSE(locusDriverValues(*a, kN, values));  // a free point has no range

    Point* traced = s.free({1, 1, 1});
    Locus* locus = s.add(std::make_unique<Locus>(TypeCode::PointLocus, kLociStyle), {traced, onPlane});
    s.recompute();
    EXPECT_EQ(locus->defined, 0);
    EXPECT_EQ(onPlane->param1, 0.2);
    EXPECT_EQ(onPlane->param2, 0.3);
}
