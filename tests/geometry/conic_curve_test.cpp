#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/conic_analysis.h"
#include "geometry/conic_curve.h"
#include "geometry/conic_fit.h"
#include "geometry/conic_point.h"
#include "geometry/geometry2d.h"
#include "geometry/intersections_conics.h"
#include "test_support.h"

using std::numbers::pi;

namespace {

// A tilted plane: origin O and orthonormal in-plane directions U, W with normal N.
const Vec3 kO{1, 2, 3};
const Vec3 kU = Vec3{1, 1, 0} * (1 / std::sqrt(2.0));
const Vec3 kW = Vec3{-1, 1, 1} * (1 / std::sqrt(3.0));
const Vec3 kN = crossProduct(kU, kW);

Vec3 inTiltedPlane(double u, double w) {
    return kO + u * kU + w * kW;
}
double uOf(Vec3 p) {
    return dotProduct(p - kO, kU);
}
double wOf(Vec3 p) {
    return dotProduct(p - kO, kW);
}
double offPlane(Vec3 p) {
    return dotProduct(p - kO, kN);
}

ConicCurve analysed(const Vec3 (&points)[5]) {
    ConicCurve conic;
    EXPECT_EQ(analyseConic(points, conic), 1);
    return conic;
}

}  // namespace

TEST(ConicCurve, EllipseInATiltedPlane) {
    Vec3 points[5];
    for (int i = 0; i < 5; ++i)
        points[i] = inTiltedPlane(2 * std::cos(0.3 + 1.1 * i), std::sin(0.3 + 1.1 * i));
    const ConicCurve conic = analysed(points);
    ASSERT_EQ(conic.type, ConicType::kEllipse);
    EXPECT_NEAR(conic.measures.size, 4.0, 1e-9);
    EXPECT_NEAR(conic.measures.axisRatio, 0.5, 1e-9);
    for (int i = 0; i <= 20; ++i) {
        Vec3 p;
        ASSERT_EQ(conicPoint(conic, i / 20.0, p), 1);
        EXPECT_NEAR(offPlane(p), 0.0, 1e-9);
        EXPECT_NEAR(uOf(p) * uOf(p) / 4 + wOf(p) * wOf(p), 1.0, 1e-9);
    }
    Vec3 start;
    ASSERT_EQ(conicPoint(conic, 0.0, start), 1);  // the first vertex of the longer axis
    EXPECT_NEAR(std::fabs(uOf(start)), 2.0, 1e-9);
    EXPECT_NEAR(wOf(start), 0.0, 1e-9);
}

TEST(ConicCurve, HyperbolaAsymptoteParametersAreRetried) {
    Vec3 points[5];
    const double s[5] = {-1.0, 0.2, 1.3, -0.5, 0.8};
    for (int i = 0; i < 5; ++i) {
        const double branch = i < 3 ? 1.0 : -1.0;
        points[i] = inTiltedPlane(branch * 1.5 * std::cosh(s[i]), 0.5 * std::sinh(s[i]));
    }
    const ConicCurve conic = analysed(points);
    ASSERT_EQ(conic.type, ConicType::kHyperbola);
    for (double t : {0.0, 0.5, 1.0, 0.2, 0.7}) {
        Vec3 p;
        ASSERT_EQ(conicPoint(conic, t, p), 1) << t;
        const double residual = uOf(p) * uOf(p) / 2.25 - wOf(p) * wOf(p) / 0.25 - 1.0;
        EXPECT_NEAR(residual / (1 + uOf(p) * uOf(p)), 0.0, 1e-9) << t;
    }
    // The two halves of the range are the two branches.
    Vec3 p1, p2;
    ASSERT_EQ(conicPoint(conic, 0.25, p1), 1);
    ASSERT_EQ(conicPoint(conic, 0.75, p2), 1);
    EXPECT_LT(uOf(p1) * uOf(p2), 0.0);
}

TEST(ConicCurve, ParabolaEndsAndVertexAreRetried) {
    Vec3 points[5];
    const double s[5] = {-2, -0.5, 0.3, 1, 2.5};
    for (int i = 0; i < 5; ++i) points[i] = inTiltedPlane(s[i], s[i] * s[i] - 1);
    const ConicCurve conic = analysed(points);
    ASSERT_EQ(conic.type, ConicType::kParabola);
    Vec3 vertex;
    const Vec3 expectedVertex = inTiltedPlane(0, -1);
    for (double t : {0.00005, 0.99995, 0.3, 0.5}) {
        Vec3 p;
        ASSERT_EQ(conicPoint(conic, t, p), 1) << t;
        EXPECT_NEAR(wOf(p), uOf(p) * uOf(p) - 1, 1e-7 * (1 + std::fabs(wOf(p)))) << t;
        if (t == 0.5) vertex = p;
    }
    EXPECT_TRUE(near(vertex, expectedVertex, 1e-3));  // t = 0.5 is nudged off the vertex itself
    EXPECT_FALSE(near(vertex, expectedVertex, 1e-6));
    // The parameter of the vertex is the nearest one that reaches the curve: about 1e-6 away,
    // not the 1e-4 step of the retry.
    double t = -1;
    ASSERT_EQ(conicParameter(conic, expectedVertex, t), 1);
    Vec3 back;
    ASSERT_EQ(conicPoint(conic, t, back), 1);
    EXPECT_TRUE(near(back, expectedVertex, 3e-6));
    // Points of both arms go round trip exactly.
    for (double u : {-1.5, -0.01, 0.02, 0.7, 3.0}) {
        const Vec3 x = inTiltedPlane(u, u * u - 1);
        ASSERT_EQ(conicParameter(conic, x, t), 1);
        ASSERT_EQ(conicPoint(conic, t, back), 1);
        EXPECT_TRUE(near(back, x, 1e-9)) << u;
    }
}

TEST(ConicCurve, LinePairParameters) {
    // Three points on one line, two on another, in the tilted plane.
    const Vec3 points[5] = {inTiltedPlane(0, 0), inTiltedPlane(1, 0), inTiltedPlane(2, 0),
                            inTiltedPlane(0, 1), inTiltedPlane(1, 3)};
    const ConicCurve conic = analysed(points);
    ASSERT_TRUE(conic.type == ConicType::kLinePair || conic.type == ConicType::kDegenerate);
    Vec3 p;
    ASSERT_EQ(conicPoint(conic, 0.25, p), 1);
    EXPECT_TRUE(near(p, points[0], 1e-9));  // the middle of the first line's segment
    ASSERT_EQ(conicPoint(conic, 0.0, p), 1);
    EXPECT_NEAR(distance2d({uOf(p), wOf(p)}, {0, 0}), 1000.0, 1e-9);
    ASSERT_EQ(conicPoint(conic, 0.75, p), 1);
    EXPECT_TRUE(near(p, points[3], 1e-9));
}

TEST(ConicCurve, HugeThinShapesBecomeParabolas) {
    // y² = 2000·x − 1e-6·x²: an ellipse with axes 2e9 and 2e6 seen near one vertex.
    Vec2 flat[5];
    Vec3 points[5];
    const double xs[5] = {10, 300, 2000, 9000, 40000};
    for (int i = 0; i < 5; ++i) {
        const double y = (i % 2 ? -1 : 1) * std::sqrt(2000 * xs[i] - 1e-6 * xs[i] * xs[i]);
        flat[i] = {xs[i], y};
        points[i] = {xs[i], y, 0};
    }
    ConicCoefficients k;
    ASSERT_EQ(fitConic(flat, true, k), ConicType::kEllipse);
    Vec2 centre;
    ConicAxes axes;
    ConicMeasures m;
    ASSERT_EQ(conicCentre(k, centre), 1);
    ASSERT_EQ(conicAxes(k, ConicType::kEllipse, centre, axes), 1);
    ASSERT_EQ(conicMeasures(k, ConicType::kEllipse, centre, m), 1);
    EXPECT_GT(m.size, kHugeConicSize);
    EXPECT_LT(m.axisRatio, kThinConicMeasure);
    EXPECT_EQ(analysed(points).type, ConicType::kParabola);

    // The same for a hyperbola: y² = 2000·x + 1e-6·x².
    for (int i = 0; i < 5; ++i) {
        const double y = (i % 2 ? -1 : 1) * std::sqrt(2000 * xs[i] + 1e-6 * xs[i] * xs[i]);
        flat[i] = {xs[i], y};
        points[i] = {xs[i], y, 0};
    }
    ASSERT_EQ(fitConic(flat, true, k), ConicType::kHyperbola);
    EXPECT_EQ(analysed(points).type, ConicType::kParabola);

    // A small ellipse of the same family stays an ellipse.
    for (int i = 0; i < 5; ++i) {
        const double x = 0.2 + 3.5 * i;
        points[i] = {x, (i % 2 ? -1 : 1) * std::sqrt(0.2 * x - 0.01 * x * x), 0};
    }
    EXPECT_EQ(analysed(points).type, ConicType::kEllipse);
}

TEST(ConicCurve, NoConicWithoutAPlaneOrAFit) {
    ConicCurve conic;
    conic.level = 42;
    const Vec3 notPlanar[5] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 3, 1}};
    EXPECT_EQ(analyseConic(notPlanar, conic), 0);
    const Vec3 collinear[5] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}};
    EXPECT_EQ(analyseConic(collinear, conic), 0);
    EXPECT_EQ(conic.level, 42.0);
    Vec3 p = kUntouched;
    double t = -1;
    EXPECT_EQ(conicPoint(conic, 0.3, p), 0);  // kNone
    EXPECT_EQ(conicParameter(conic, p, t), 0);
    EXPECT_EQ(p, kUntouched);
    EXPECT_EQ(t, -1.0);
}

TEST(ConicIntersections, LinesInAndAcrossThePlane) {
    Vec3 points[5];
    for (int i = 0; i < 5; ++i) points[i] = {std::cos(0.4 + 1.2 * i), std::sin(0.4 + 1.2 * i), 1};
    const ConicCurve circle = analysed(points);
    Vec3 first, second;
    ASSERT_EQ(intersectLineConic({-5, 0, 1}, {5, 0, 1}, circle, first, second), 2);
    EXPECT_TRUE(near(first, {1, 0, 1}, 1e-9));  // further from A towards B
    EXPECT_TRUE(near(second, {-1, 0, 1}, 1e-9));
    ASSERT_EQ(intersectLineConic({0.6, 0.8, 0}, {0.6, 0.8, 2}, circle, first, second), 1);
    EXPECT_TRUE(near(first, {0.6, 0.8, 1}, 1e-9));

    Vec3 untouched = kUntouched;
    EXPECT_EQ(intersectLineConic({0.5, 0.5, 0}, {0.5, 0.5, 2}, circle, untouched, untouched), 0);
    EXPECT_EQ(intersectLineConic({-5, 0, 2}, {5, 0, 2}, circle, untouched, untouched), 0);  // parallel, off
    EXPECT_EQ(intersectLineConic({-5, 3, 1}, {5, 3, 1}, circle, untouched, untouched),
              0);  // misses in the plane
    EXPECT_EQ(intersectLineConic({1, 0, 1}, {1, 0, 1}, circle, untouched, untouched), 0);
    EXPECT_EQ(untouched, kUntouched);

    ASSERT_EQ(intersectPlaneConic({0.5, 0, 0}, {0.5, 1, 0}, {0.5, 0, 1}, circle, first, second), 2);
    EXPECT_NEAR(first.x, 0.5, 1e-9);
    EXPECT_NEAR(std::fabs(first.y), std::sqrt(0.75), 1e-9);
    EXPECT_NEAR(second.y, -first.y, 1e-9);
    EXPECT_EQ(intersectPlaneConic({0, 0, 3}, {1, 0, 3}, {0, 1, 3}, circle, untouched, untouched), 0);
}

TEST(ConicIntersections, CrossingALinePairAlongItsOwnLine) {
    // The first line of the pair runs through P0 and P1, along the frame's first axis, so the
    // test line through the crossing point lies on the conic itself; the second direction decides.
    const Vec3 points[5] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 2, 0}};
    const ConicCurve pair = analysed(points);
    ASSERT_TRUE(pair.type == ConicType::kLinePair || pair.type == ConicType::kDegenerate);
    Vec3 first, second;
    ASSERT_EQ(intersectLineConic({5, 0, -1}, {5, 0, 1}, pair, first, second), 1);
    EXPECT_TRUE(near(first, {5, 0, 0}, 1e-9));
    ASSERT_EQ(intersectLineConic({2, 3, -1}, {2, 3, 1}, pair, first, second), 1);  // on y = x + 1
    EXPECT_TRUE(near(first, {2, 3, 0}, 1e-9));
    EXPECT_EQ(intersectLineConic({2, 2, -1}, {2, 2, 1}, pair, first, second), 0);
}
