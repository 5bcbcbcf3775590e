#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/intersections_quadrics.h"
#include "geometry/projections.h"
#include "test_support.h"

using std::numbers::pi;

namespace {

// Distance from the axis z of a point, against the radius of the cone with apex (0,0,1)
// and base radius 1 in z = 0.
double offCone(Vec3 p) {
    return std::hypot(p.x, p.y) - std::fabs(1.0 - p.z);
}

}  // namespace

TEST(LineCylinder, CrossingSlantedTangentAndParallel) {
    const Vec3 e{0, 0, 0}, f{0, 0, 1};
    Vec3 first = kUntouched, second = kUntouched;
    ASSERT_EQ(intersectLineCylinder({-5, 0, 0}, {5, 0, 0}, e, f, 1, first, second), 2);
    EXPECT_TRUE(near(first, {-1, 0, 0}));
    EXPECT_TRUE(near(second, {1, 0, 0}));
    ASSERT_EQ(intersectLineCylinder({-5, 0, -5}, {5, 0, 5}, e, f, 1, first, second), 2);
    EXPECT_TRUE(near(first, {-1, 0, -1}));
    EXPECT_TRUE(near(second, {1, 0, 1}));

    second = kUntouched;
    ASSERT_EQ(intersectLineCylinder({-5, 1, 3}, {5, 1, 3}, e, f, 1, first, second), 1);
    EXPECT_TRUE(near(first, {0, 1, 3}));
    EXPECT_EQ(second, kUntouched);

    first = kUntouched;
    EXPECT_EQ(intersectLineCylinder({-5, 1.5, 0}, {5, 1.5, 0}, e, f, 1, first, second), 0);
    EXPECT_EQ(intersectLineCylinder({0.5, 0, 0}, {0.5, 0, 1}, e, f, 1, first, second),
              0);  // parallel to the axis
    EXPECT_EQ(intersectLineCylinder({-5, 0, 0}, {5, 0, 0}, e, f, 1e-6, first, second),
              0);  // radius too small
    EXPECT_EQ(first, kUntouched);
}

TEST(LineCone, GeneratorsInBasePointOrder) {
    const Vec3 v{0, 0, 1}, g{0, 0, 0};
    Vec3 first, second;
    ASSERT_EQ(intersectLineCone({-5, 0, 0.5}, {5, 0, 0.5}, v, g, g, v, 1, first, second), 2);
    EXPECT_NEAR(std::fabs(first.x), 0.5, 1e-9);
    EXPECT_NEAR(second.x, -first.x, 1e-9);
    EXPECT_NEAR(first.z, 0.5, 1e-9);
    // The lower nappe counts too: the generators are whole lines.
    ASSERT_EQ(intersectLineCone({-5, 0.5, 3}, {5, 0.5, 3}, v, g, g, v, 1, first, second), 2);
    EXPECT_NEAR(offCone(first), 0.0, 1e-9);
    EXPECT_NEAR(offCone(second), 0.0, 1e-9);

    Vec3 untouched = kUntouched;
    EXPECT_EQ(intersectLineCone({-5, 0, 0}, {0, 0, 1}, v, g, g, v, 1, untouched, untouched),
              0);  // through the apex
    EXPECT_EQ(intersectLineCone({-5, 5, 0.5}, {5, 5, 0.5}, v, g, g, v, 1, untouched, untouched), 0);
    EXPECT_EQ(untouched, kUntouched);
}

TEST(PlaneSections, Cylinder) {
    const Vec3 e{0, 0, 0}, f{0, 0, 1}, s{1, 0, 0};
    PlaneSection section;
    ASSERT_EQ(sectionPlaneCylinder(e, f, s, 1, {0, 0, 2}, {1, 0, 2}, {0, 1, 2}, section), 1);
    EXPECT_EQ(section.shape, SectionShape::kFivePoints);
    for (int i = 0; i < 5; ++i) {
        const double angle = 2 * i * pi / 5;
        EXPECT_TRUE(near(section.points[i], {std::cos(angle), std::sin(angle), 2}));
    }
    // Axis parallel to the plane: two lines, or nothing when the plane misses.
    ASSERT_EQ(sectionPlaneCylinder(e, f, s, 1, {0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, section), 1);
    EXPECT_EQ(section.shape, SectionShape::kParallelLines);
    EXPECT_NEAR(section.points[0].x, 0.5, 1e-12);
    EXPECT_NEAR(std::fabs(section.points[0].y), std::sqrt(0.75), 1e-12);
    EXPECT_NEAR(section.points[1].y, -section.points[0].y, 1e-12);
    const PlaneSection before = section;
    EXPECT_EQ(sectionPlaneCylinder(e, f, s, 1, {2, 0, 0}, {2, 1, 0}, {2, 0, 1}, section), 0);
    EXPECT_EQ(sectionPlaneCylinder(e, f, s, 1, {1, 0, 0}, {1, 1, 0}, {1, 0, 1}, section), 0);  // r ≤ d
    EXPECT_EQ(sectionPlaneCylinder(e, e, s, 1, {0, 0, 2}, {1, 0, 2}, {0, 1, 2}, section), 0);
    EXPECT_EQ(section.points[0], before.points[0]);
}

TEST(PlaneSections, ConeThroughTheApexGivesTwoLines) {
    const Vec3 g{0, 0, 0}, v{0, 0, 1}, s{1, 0, 0};
    PlaneSection section;
    ASSERT_EQ(sectionPlaneCone(g, v, s, 1, {0, 0, 1}, {0, 1, 1}, {0, 0, 0}, section), 1);
    EXPECT_EQ(section.shape, SectionShape::kLinesThroughApex);
    EXPECT_NEAR(std::fabs(section.points[0].y), 1.0, 1e-12);
    EXPECT_NEAR(section.points[1].y, -section.points[0].y, 1e-12);
    EXPECT_EQ(section.points[2], v);
    const PlaneSection before = section;
    // Through the apex but missing the base circle.
    EXPECT_EQ(sectionPlaneCone(g, v, s, 1, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, section), 0);
    EXPECT_EQ(section.points[0], before.points[0]);
}

TEST(PlaneSections, ConeEllipseHyperbolaAndTheSkippedGenerator) {
    const Vec3 g{0, 0, 0}, v{0, 0, 1};
    PlaneSection section;
    // The plane z = 0.5: every generator meets it, at 2iπ/5 from S.
    ASSERT_EQ(sectionPlaneCone(g, v, {1, 0, 0}, 1, {0, 0, 0.5}, {1, 0, 0.5}, {0, 1, 0.5}, section), 1);
    EXPECT_EQ(section.shape, SectionShape::kFivePoints);
    for (int i = 0; i < 5; ++i) {
        const double angle = 2 * i * pi / 5;
        EXPECT_TRUE(near(section.points[i], {0.5 * std::cos(angle), 0.5 * std::sin(angle), 0.5}));
    }
    // The vertical plane x = 0.5 (hyperbola): generators at 2(i+1)π/7 from S. With S at
    // π/2 − 2π/7 the first of them is parallel to the plane and is skipped.
    const double start = pi / 2 - 2 * pi / 7;
    const Vec3 s{std::cos(start), std::sin(start), 0};
    ASSERT_EQ(sectionPlaneCone(g, v, s, 1, {0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, section), 1);
    for (int i = 0; i < 5; ++i) {
        const Vec3 p = section.points[i];
        EXPECT_NEAR(p.x, 0.5, 1e-9);
        EXPECT_NEAR(offCone(p), 0.0, 1e-7);
        // On the generator at angle start + 2(i + 2)π/7.
        const double angle = start + 2 * (i + 2) * pi / 7;
        const double t = 1.0 - p.z;  // the generator's point at height z is t·(rim point) + (1 − t)·V
        EXPECT_TRUE(near(p, {t * std::cos(angle), t * std::sin(angle), p.z}, 1e-7));
    }
    // Parabola: the plane x + z = 0.5 runs parallel to the generator through (1, 0, 0).
    ASSERT_EQ(sectionPlaneCone(g, v, {0, 1, 0}, 1, {0.5, 0, 0}, {0, 0, 0.5}, {0.5, 1, 0}, section), 1);
    for (const Vec3& p : section.points) {
        EXPECT_NEAR(p.x + p.z, 0.5, 1e-9);
        EXPECT_NEAR(offCone(p), 0.0, 1e-7);
    }
}
