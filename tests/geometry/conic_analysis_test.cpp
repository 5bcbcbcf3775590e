#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/conic_analysis.h"
#include "test_support.h"

using std::numbers::pi;

namespace {

// The coefficients of y = x² turned by `angle` about the origin and moved by `shift`:
// a point p lies on it when R(−angle)(p − shift) = (u, v) has v = u².
ConicCoefficients turnedParabola(double angle, Vec2 shift) {
    const double cs = std::cos(angle), sn = std::sin(angle);
    // u = cs·X + sn·Y, v = −sn·X + cs·Y with X = x − sx, Y = y − sy; u² − v = 0.
    const double sx = shift.x, sy = shift.y;
    ConicCoefficients k;
    k.c = cs * cs;
    k.b = 2 * cs * sn;
    k.a = sn * sn;
    k.e = -2 * cs * cs * sx - 2 * cs * sn * sy + sn;
    k.d = -2 * sn * sn * sy - 2 * cs * sn * sx - cs;
    k.f = cs * cs * sx * sx + 2 * cs * sn * sx * sy + sn * sn * sy * sy - sn * sx + cs * sy;
    return k;
}

}  // namespace

TEST(ConicCentre, CentralConicsAndParabolas) {
    // (x − 1)²/4 + (y − 2)² = 1.
    const ConicCoefficients ellipse{1, 0, 0.25, -4, -0.5, 0.25 + 4 - 1};
    Vec2 centre;
    ASSERT_EQ(conicCentre(ellipse, centre), 1);
    EXPECT_TRUE(near(centre, {1, 2}));
    Vec2 untouched{7, 7};
    EXPECT_EQ(conicCentre({0, 0, 1, -1, 0, 0}, untouched), 0);
    EXPECT_EQ(untouched, (Vec2{7, 7}));
}

TEST(LineConic2d, SolutionOrderFollowsTheLine) {
    const ConicCoefficients circle{1, 0, 1, 0, 0, -1};
    Vec2 first, second;
    ASSERT_EQ(intersectLineConic2d({-5, 0}, {5, 0}, circle, first, second), 2);
    EXPECT_TRUE(near(first, {1, 0}));  // further along P1 → P2
    EXPECT_TRUE(near(second, {-1, 0}));
    ASSERT_EQ(intersectLineConic2d({5, 0}, {-5, 0}, circle, first, second), 2);
    EXPECT_TRUE(near(first, {-1, 0}));
    // Nearly vertical lines order by y.
    ASSERT_EQ(intersectLineConic2d({0, -5}, {0.0005, 5}, circle, first, second), 2);
    EXPECT_GT(first.y, 0.0);
    ASSERT_EQ(intersectLineConic2d({0.0005, 5}, {0, -5}, circle, first, second), 2);
    EXPECT_LT(first.y, 0.0);

    Vec2 untouched{7, 7};
    ASSERT_EQ(intersectLineConic2d({-5, 1}, {5, 1}, circle, first, untouched), 1);  // tangent
    EXPECT_TRUE(near(first, {0, 1}));
    EXPECT_EQ(untouched, (Vec2{7, 7}));
    EXPECT_EQ(intersectLineConic2d({-5, 2}, {5, 2}, circle, untouched, untouched), 0);
    EXPECT_EQ(intersectLineConic2d({3, 3}, {3, 3}, circle, untouched, untouched), 0);  // no line
    EXPECT_EQ(untouched, (Vec2{7, 7}));
}

TEST(LineConic2d, VerticalBranchUpToOneTenThousandth) {
    const ConicCoefficients circle{1, 0, 1, 0, 0, -1};
    Vec2 first, second;
    // x differs by exactly 1e-4: both solutions share x = −r/p, the line's mean x here.
    ASSERT_EQ(intersectLineConic2d({0, -5}, {1e-4, 5}, circle, first, second), 2);
    EXPECT_EQ(first.x, second.x);
    EXPECT_DOUBLE_EQ(first.x, 5e-5);
    EXPECT_NEAR(first.y, std::sqrt(1 - 25e-10), 1e-12);
    // Just above 1e-4 the general branch gives each solution its own x.
    ASSERT_EQ(intersectLineConic2d({0, -5}, {2e-4, 5}, circle, first, second), 2);
    EXPECT_NE(first.x, second.x);
    // Exactly vertical.
    ASSERT_EQ(intersectLineConic2d({0.6, 7}, {0.6, -7}, circle, first, second), 2);
    EXPECT_TRUE(near(first, {0.6, -0.8}));
    EXPECT_TRUE(near(second, {0.6, 0.8}));
}

TEST(ConicAxes, EllipseLongerAxisFirst) {
    ConicAxes axes;
    // x²/4 + y² = 1.
    ASSERT_EQ(conicAxes({1, 0, 0.25, 0, 0, -1}, ConicType::kEllipse, {0, 0}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {2, 0}));
    EXPECT_TRUE(near(axes.vertices[1], {-2, 0}));
    EXPECT_TRUE(near(axes.vertices[2], {0, 1}));
    EXPECT_TRUE(near(axes.vertices[3], {0, -1}));
    // x² + y²/4 = 1: the vertical axis is the longer one.
    ASSERT_EQ(conicAxes({0.25, 0, 1, 0, 0, -1}, ConicType::kEllipse, {0, 0}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {0, 2}));
    EXPECT_TRUE(near(axes.directions[0], {0, 1}));

    // The same ellipse turned by 30°: slopes from the quadratic in m.
    const double cs = std::cos(pi / 6), sn = std::sin(pi / 6);
    // u = cs·x + sn·y, v = −sn·x + cs·y; u²/4 + v² = 1.
    const ConicCoefficients turned{
        sn * sn / 4 + cs * cs, 2 * cs * sn / 4 - 2 * cs * sn, cs * cs / 4 + sn * sn, 0, 0, -1};
    ASSERT_EQ(conicAxes(turned, ConicType::kEllipse, {0, 0}, axes), 1);
    EXPECT_NEAR(std::hypot(axes.vertices[0].x, axes.vertices[0].y), 2.0, 1e-12);
    EXPECT_NEAR(std::fabs(axes.vertices[0].y / axes.vertices[0].x), std::tan(pi / 6), 1e-12);
    EXPECT_NEAR(std::hypot(axes.vertices[2].x, axes.vertices[2].y), 1.0, 1e-12);
}

TEST(ConicAxes, HyperbolaTransverseFirst) {
    ConicAxes axes;
    // y² − x² = 1: the vertical axis is transverse although the frame's x axis comes first.
    ASSERT_EQ(conicAxes({1, 0, -1, 0, 0, -1}, ConicType::kHyperbola, {0, 0}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {0, 1}));
    EXPECT_TRUE(near(axes.vertices[1], {0, -1}));
    EXPECT_TRUE(near(axes.directions[1], {1, 0}));
    // x·y = 1: slopes ±1, the transverse one is m = 1.
    ASSERT_EQ(conicAxes({0, 1, 0, 0, 0, -1}, ConicType::kHyperbola, {0, 0}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {1, 1}));
    EXPECT_TRUE(near(axes.vertices[1], {-1, -1}));
    ConicAxes untouched;
    untouched.vertices[0] = {7, 7};
    EXPECT_EQ(conicAxes({1, 0, 1, 0, 0, -1}, ConicType::kLinePair, {0, 0}, untouched), 0);
    EXPECT_EQ(conicAxes({1, 0, 1, 0, 0, 1}, ConicType::kEllipse, {0, 0}, untouched), 0);  // no real points
    EXPECT_EQ(untouched.vertices[0], (Vec2{7, 7}));
}

TEST(ConicAxes, ParabolaAxisAlignedAndSlanted) {
    ConicAxes axes;
    // y = x² + 1 (|b|, |a| small, c = 1): axis x = 0, vertex (0, 1), inside upwards.
    ASSERT_EQ(conicAxes({0, 0, 1, -1, 0, 1}, ConicType::kParabola, {}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {0, 1}));
    EXPECT_TRUE(near(axes.directions[0], {0, 1}));
    // x = −(y − 2)² (a = 1, c = 0): axis y = 2, opening towards −x.
    ASSERT_EQ(conicAxes({1, 0, 0, -4, 1, 4}, ConicType::kParabola, {}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {0, 2}));
    EXPECT_TRUE(near(axes.directions[0], {-1, 0}));

    // Slanted axes: y = x² turned and moved; the vertex moves with it, the axis turns.
    for (double angle : {0.3, 1.0, 2.0, -0.7, 2.9}) {
        const Vec2 shift{1.5, -2.0};
        ASSERT_EQ(conicAxes(turnedParabola(angle, shift), ConicType::kParabola, {}, axes), 1) << angle;
        EXPECT_TRUE(near(axes.vertices[0], shift, 1e-9)) << angle;
        EXPECT_TRUE(near(axes.directions[0], {-std::sin(angle), std::cos(angle)}, 1e-9)) << angle;
    }
    // A huge thin ellipse handled as a parabola meets its axis twice: the vertex is the
    // meeting nearer the frame origin.
    const ConicCoefficients thin{1, 0, 1e-6, 0, -2, 0};  // y² + 1e-6·x² − 2x = 0
    ASSERT_EQ(conicAxes(thin, ConicType::kParabola, {}, axes), 1);
    EXPECT_TRUE(near(axes.vertices[0], {0, 0}, 1e-9));
    EXPECT_TRUE(near(axes.directions[0], {1, 0}, 1e-9));
}

TEST(Asymptotes, SlopesAndTheVerticalCompanion) {
    Vec2 points[2];
    // x² − y² = 1 about (1, 2): slopes −1 then 1.
    ASSERT_EQ(asymptoteDirections({-1, 0, 1, 0, 0, -1}, {1, 2}, points), 1);
    EXPECT_TRUE(near(points[0], {2, 1}));
    EXPECT_TRUE(near(points[1], {2, 3}));
    // x·y = 1: slope 0 and the vertical, both exact asymptotes.
    ASSERT_EQ(asymptoteDirections({0, 1, 0, 0, 0, -1}, {0, 0}, points), 1);
    EXPECT_TRUE(near(points[0], {1, 0}));
    EXPECT_TRUE(near(points[1], {0, 1}));
    // x² + x·y = 1 (a = 0): asymptotes x + y = 0 and x = 0, so the companion of m = −1 is
    // the vertical, not the perpendicular slope 1.
    ASSERT_EQ(asymptoteDirections({0, 1, 1, 0, 0, -1}, {0, 0}, points), 1);
    EXPECT_TRUE(near(points[0], {1, -1}));
    EXPECT_TRUE(near(points[1], {0, 1}));
    // |b| < 1e-4 and a = 0: slope 0 and the vertical.
    ASSERT_EQ(asymptoteDirections({0, 5e-5, 1, 0, 1, 0}, {0, 0}, points), 1);
    EXPECT_TRUE(near(points[0], {1, 0}));
    Vec2 untouched[2] = {{7, 7}, {7, 7}};
    EXPECT_EQ(asymptoteDirections({1, 0, 1, 0, 0, -1}, {0, 0}, untouched), 0);  // an ellipse
    EXPECT_EQ(untouched[0], (Vec2{7, 7}));
}

TEST(ConicMeasures, AxisLengthsRatioAndAsymptoteAngle) {
    ConicMeasures m;
    ASSERT_EQ(conicMeasures({1, 0, 0.25, 0, 0, -1}, ConicType::kEllipse, {0, 0}, m), 1);
    EXPECT_NEAR(m.size, 4.0, 1e-12);
    EXPECT_NEAR(m.axisRatio, 0.5, 1e-12);
    // Off-centre: (x − 1)²/4 + (y − 2)² = 1.
    ASSERT_EQ(conicMeasures({1, 0, 0.25, -4, -0.5, 3.25}, ConicType::kEllipse, {1, 2}, m), 1);
    EXPECT_NEAR(m.size, 4.0, 1e-12);
    // x² − y²/3 = 1: transverse axis 2, asymptote slopes ±√3, 60° between them.
    ASSERT_EQ(conicMeasures({-1.0 / 3, 0, 1, 0, 0, -1}, ConicType::kHyperbola, {0, 0}, m), 1);
    EXPECT_NEAR(m.size, 2.0, 1e-12);
    EXPECT_NEAR(m.asymptoteAngle, pi / 3, 1e-12);
    // x² − 9y² = 1: slopes ±1/3, so the acute angle is 2·atan(1/3).
    ASSERT_EQ(conicMeasures({-9, 0, 1, 0, 0, -1}, ConicType::kHyperbola, {0, 0}, m), 1);
    EXPECT_NEAR(m.asymptoteAngle, 2 * std::atan(1.0 / 3), 1e-12);
    ConicMeasures untouched;
    untouched.size = 7;
    EXPECT_EQ(conicMeasures({1, 0, 1, 0, 0, 0}, ConicType::kEllipse, {0, 0}, untouched), 0);  // a point
    EXPECT_EQ(conicMeasures({0, 0, 1, -1, 0, 0}, ConicType::kParabola, {0, 0}, untouched), 0);
    EXPECT_EQ(untouched.size, 7.0);
}
