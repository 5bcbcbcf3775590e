#include <gtest/gtest.h>

#include <cmath>

#include "geometry/conic_analysis.h"
#include "geometry/conic_fit.h"
#include "test_support.h"

TEST(ConicFit, UnitCircleWithTheYSquaredCoefficientFixed) {
    const double h = std::sqrt(0.5);
    const Vec2 points[5] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {h, h}};
    ConicCoefficients k;
    ASSERT_EQ(fitConic(points, true, k), ConicType::kEllipse);
    EXPECT_EQ(k.a, 1.0);
    EXPECT_EQ(k.b, 0.0);  // snapped below 1e-10
    EXPECT_NEAR(k.c, 1.0, 1e-12);
    EXPECT_EQ(k.d, 0.0);
    EXPECT_EQ(k.e, 0.0);
    EXPECT_NEAR(k.f, -1.0, 1e-12);
}

TEST(ConicFit, FallsBackToTheCrossTermThenTheXSquaredTerm) {
    // x·y = 1 has no y² term: the first attempt fails and x·y is fixed to 1.
    const Vec2 hyperbola[5] = {{1, 1}, {2, 0.5}, {0.5, 2}, {-1, -1}, {-4, -0.25}};
    ConicCoefficients k;
    ASSERT_EQ(fitConic(hyperbola, true, k), ConicType::kHyperbola);
    EXPECT_EQ(k.a, 0.0);
    EXPECT_EQ(k.b, 1.0);
    EXPECT_NEAR(k.f, -1.0, 1e-12);

    // y = x² has neither y² nor x·y: the third attempt fixes x² to 1.
    const Vec2 parabola[5] = {{0, 0}, {1, 1}, {-1, 1}, {2, 4}, {-3, 9}};
    ASSERT_EQ(fitConic(parabola, true, k), ConicType::kParabola);
    EXPECT_EQ(k.c, 1.0);
    EXPECT_EQ(k.a, 0.0);
    EXPECT_EQ(k.b, 0.0);
    EXPECT_NEAR(k.d, -1.0, 1e-12);

    // Five equal points: every attempt is singular, nothing is written.
    const Vec2 same[5] = {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}};
    ConicCoefficients untouched{7, 7, 7, 7, 7, 7};
    EXPECT_EQ(fitConic(same, true, untouched), ConicType::kNone);
    EXPECT_EQ(untouched.a, 7.0);
    EXPECT_EQ(untouched.f, 7.0);
}

TEST(ConicFit, LinePairThroughTheFirstCollinearTripleInTableOrder) {
    // P1, P2, P4 lie on y = 0 (the table's split (1,2,4 | 3,0)); P0, P3 on y = x + 1.
    const Vec2 points[5] = {{0, 1}, {0, 0}, {1, 0}, {1, 2}, {2, 0}};
    ConicCoefficients k;
    const ConicType type = fitConic(points, true, k);
    EXPECT_TRUE(type == ConicType::kLinePair || type == ConicType::kDegenerate);
    EXPECT_EQ(firstCollinearTriple(points), 4);
    Vec2 lines[4];
    ASSERT_EQ(linePair(points, lines), 1);
    EXPECT_TRUE(near(lines[0], {-1000, 0}));  // through P1 towards P2
    EXPECT_TRUE(near(lines[1], {1000, 0}));
    const double s = 1000 / std::sqrt(2.0);  // through P3 towards P0
    EXPECT_TRUE(near(lines[2], {1 + s, 2 + s}, 1e-9));
    EXPECT_TRUE(near(lines[3], {1 - s, 2 - s}, 1e-9));

    const double h = std::sqrt(0.5);
    const Vec2 circle[5] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {h, h}};
    Vec2 untouched[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    EXPECT_EQ(linePair(circle, untouched), 0);
    EXPECT_EQ(untouched[0], (Vec2{7, 7}));
    // A "line" through two coincident points has no direction.
    const Vec2 coincidentPair[5] = {{0, 0}, {1, 0}, {2, 0}, {5, 5}, {5, 5 + 1e-9}};
    EXPECT_EQ(linePair(coincidentPair, untouched), 0);
}

TEST(ConicClassification, DiscriminantAndDeterminantThresholds) {
    const ConicCoefficients circle{1, 0, 1, 0, 0, -1};
    const ConicCoefficients hyperbola{-1, 0, 1, 0, 0, -1};
    const ConicCoefficients parabola{0, 0, 1, -1, 0, 0};
    const ConicCoefficients crossingLines{-1, 0, 1, 0, 0, 0};  // x² − y² = 0, Δ = 0
    EXPECT_EQ(classifyConic(circle, nullptr), ConicType::kEllipse);
    EXPECT_EQ(classifyConic(hyperbola, nullptr), ConicType::kHyperbola);
    EXPECT_EQ(classifyConic(parabola, nullptr), ConicType::kParabola);
    EXPECT_EQ(classifyConic(crossingLines, nullptr), ConicType::kLinePair);
    // Two parallel lines y² = 1: parabolic discriminant with Δ = 0.
    EXPECT_EQ(classifyConic({1, 0, 0, 0, 0, -1}, nullptr), ConicType::kDegenerate);

    // |b² − 4ac| straddling 1e-10 (a = 1, c = 0).
    EXPECT_EQ(classifyConic({1, 1.01e-5, 0, 0, 1, 0}, nullptr), ConicType::kHyperbola);
    EXPECT_EQ(classifyConic({1, 0.99e-5, 0, 0, 1, 0}, nullptr), ConicType::kParabola);
    // |Δ| straddling 1e-12 for a parabola: Δ = −e²/4 here.
    EXPECT_EQ(classifyConic({1, 0, 0, 0, 2.1e-6, 0}, nullptr), ConicType::kParabola);
    EXPECT_EQ(classifyConic({1, 0, 0, 0, 1.9e-6, 0}, nullptr), ConicType::kDegenerate);
    // |Δ| straddling 1e-16 for a hyperbola: x² − y² = f gives Δ = −f.
    EXPECT_EQ(classifyConic({-1, 0, 1, 0, 0, 1.1e-16}, nullptr), ConicType::kHyperbola);
    EXPECT_EQ(classifyConic({-1, 0, 1, 0, 0, 0.9e-16}, nullptr), ConicType::kLinePair);

    // The element's points with a collinear triple demote every proper type.
    const Vec2 withTriple[5] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 3}};
    EXPECT_EQ(classifyConic(circle, withTriple), ConicType::kDegenerate);
    EXPECT_EQ(classifyConic(hyperbola, withTriple), ConicType::kLinePair);
    EXPECT_EQ(classifyConic(parabola, withTriple), ConicType::kDegenerate);
}

TEST(Collinearity, StrictAngleAndCoincidence) {
    EXPECT_EQ(isCollinear({0, 0}, {1, 0}, {2, 0}), 1);
    EXPECT_EQ(isCollinear({0, 0}, {1, 0}, {-2, 0}), 1);        // angle π at the first point
    EXPECT_EQ(isCollinear({0, 0}, {1, 0}, {1, 5e-7}), 1);      // angle 5e-7
    EXPECT_EQ(isCollinear({0, 0}, {1, 0}, {1, 2e-6}), 0);      // angle 2e-6
    EXPECT_EQ(isCollinear({0, 0}, {5, 5}, {5, 5 + 5e-9}), 1);  // two coincident points
    EXPECT_EQ(isCollinear({0, 0}, {0, 1e-7}, {1e-7, 0}), 0);   // tiny but a right angle

    const Vec2 none[5] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {0.6, 0.8}};
    EXPECT_EQ(hasCollinearTriple(none), 0);
    EXPECT_EQ(firstCollinearTriple(none), -1);
    // Two collinear triples: (0,1,3) comes before (2,3,4) in the table.
    const Vec2 two[5] = {{0, 0}, {1, 0}, {2, 1}, {2, 0}, {2, 3}};
    EXPECT_EQ(firstCollinearTriple(two), 1);
    EXPECT_EQ(hasCollinearTriple(two), 1);
}
