// Seeded random checks of what single examples cannot show: round trips of the point
// transformations, every reported intersection point lying on both figures, fits
// reproducing the type of the conic they came from, and the conic parameter round trip.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "geometry/conic_curve.h"
#include "geometry/conic_fit.h"
#include "geometry/conic_point.h"
#include "geometry/intersections_conics.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/intersections_quadrics.h"
#include "geometry/intersections_spheres_circles.h"
#include "geometry/linear_system.h"
#include "geometry/planes_frames.h"
#include "geometry/predicates.h"
#include "geometry/projections.h"
#include "geometry/transformations.h"
#include "test_support.h"

using std::numbers::pi;

namespace {

constexpr int kTrials = 300;
constexpr double kOnFigure = 1e-6;

struct Basis {
    Vec3 p, q;
};

Basis perpendicularBasis(Vec3 n) {
    const Vec3 helper = std::fabs(n.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 p = crossProduct(n, helper) * (1 / norm(crossProduct(n, helper)));
    return {p, crossProduct(n, p)};
}

double offLine(Vec3 x, Vec3 a, Vec3 b) {
    return norm(crossProduct(x - a, b - a)) / norm(b - a);
}

double offPlane(Vec3 x, Vec3 p0, Vec3 p1, Vec3 p2) {
    const Vec3 n = crossProduct(p1 - p0, p2 - p0);
    return std::fabs(dotProduct(x - p0, n)) / norm(n);
}

double offCircle(Vec3 x, Vec3 c, Vec3 n, double r) {
    const double along = dotProduct(x - c, n);
    const double across = norm((x - c) - along * n);
    return std::hypot(along, across - r);
}

struct RandomCircle {
    Vec3 centre, normal;
    double radius;
    Vec3 at(double angle) const {
        const Basis b = perpendicularBasis(normal);
        return centre + radius * (std::cos(angle) * b.p + std::sin(angle) * b.q);
    }
};

RandomCircle randomCircle(std::mt19937& rng) {
    return {randomPoint(rng, 3), randomUnit(rng), uniform(rng, 0.5, 3)};
}

// Distance of a frame point from the conic, to first order.
double offConic(const ConicCurve& conic, Vec3 x) {
    const Vec3 q = toFrameCoordinates(conic.frame, x);
    const ConicCoefficients& k = conic.coefficients;
    const double gx = 2 * k.c * q.x + k.b * q.y + k.e, gy = k.b * q.x + 2 * k.a * q.y + k.d;
    return std::hypot(std::fabs(conicValue(k, {q.x, q.y})) / std::hypot(gx, gy), q.z - conic.level);
}

}  // namespace

TEST(Properties, TransformationsRoundTrip) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < kTrials; ++i) {
        const Vec3 p = randomPoint(rng), a = randomPoint(rng), b = randomPoint(rng), c = randomPoint(rng);
        Vec3 once, twice;
        ASSERT_EQ(reflectInPoint(p, a, once), 1);
        ASSERT_EQ(reflectInPoint(once, a, twice), 1);
        EXPECT_TRUE(near(twice, p, 1e-9));
        ASSERT_EQ(reflectInLine(p, a, b, once), 1);
        ASSERT_EQ(reflectInLine(once, a, b, twice), 1);
        EXPECT_TRUE(near(twice, p, 1e-9));
        ASSERT_EQ(reflectInPlane(p, a, b, c, once), 1);
        ASSERT_EQ(reflectInPlane(once, a, b, c, twice), 1);
        EXPECT_TRUE(near(twice, p, 1e-9));
        const double theta = uniform(rng, -pi, pi);
        ASSERT_EQ(rotateAboutAxis(p, a, b, theta, once), 1);
        ASSERT_EQ(rotateAboutAxis(once, a, b, -theta, twice), 1);
        EXPECT_TRUE(near(twice, p, 1e-9));
        // A rotation keeps the distance to the axis and the foot on it.
        double before = 0, after = 0;
        Vec3 footBefore, footAfter;
        ASSERT_EQ(footOnLine(p, a, b, footBefore, before), 1);
        ASSERT_EQ(footOnLine(once, a, b, footAfter, after), 1);
        EXPECT_NEAR(before, after, 1e-9);
        EXPECT_TRUE(near(footBefore, footAfter, 1e-9));
    }
}

TEST(Properties, LinesAndPlanesMeetOnBoth) {
    std::mt19937 rng(7);
    for (int i = 0; i < kTrials; ++i) {
        const Vec3 a = randomPoint(rng), b = randomPoint(rng), c = randomPoint(rng), d = randomPoint(rng);
        const Vec3 p0 = randomPoint(rng), p1 = randomPoint(rng), p2 = randomPoint(rng);
        Vec3 x;
        if (intersectLinePlane(a, b, p0, p1, p2, x)) {
            EXPECT_LT(offLine(x, a, b), kOnFigure * (1 + norm(x)));
            EXPECT_LT(offPlane(x, p0, p1, p2), kOnFigure * (1 + norm(x)));
        }
        Vec3 p, q;
        double dist = 0;
        if (closestPointsOfLines(a, b, c, d, p, q, dist) == 1) {
            EXPECT_LT(offLine(p, a, b), kOnFigure);
            EXPECT_LT(offLine(q, c, d), kOnFigure);
            EXPECT_NEAR(dotProduct(q - p, b - a), 0.0, 1e-9);
            EXPECT_NEAR(dotProduct(q - p, d - c), 0.0, 1e-9);
            EXPECT_NEAR(dist, norm(q - p), 1e-12);
        }
        PlaneEquation e1, e2, e3;
        ASSERT_EQ(planeThrough3(a, b, c, e1), 1);
        ASSERT_EQ(planeThrough3(d, p0, p1, e2), 1);
        ASSERT_EQ(planeThrough3(p2, a, d, e3), 1);
        if (intersectThreePlanes(e1, e2, e3, x)) {
            const double scale = 1 + norm(x);
            EXPECT_LT(offPlane(x, a, b, c), kOnFigure * scale);
            EXPECT_LT(offPlane(x, d, p0, p1), kOnFigure * scale);
            EXPECT_LT(offPlane(x, p2, a, d), kOnFigure * scale);
        }
        if (intersectPlanes(e1, e2, p, q)) {
            for (const Vec3& on : {p, q}) {
                EXPECT_LT(offPlane(on, a, b, c), kOnFigure * (1 + norm(on)));
                EXPECT_LT(offPlane(on, d, p0, p1), kOnFigure * (1 + norm(on)));
            }
        }
    }
}

TEST(Properties, SpheresAndCirclesMeetOnBoth) {
    std::mt19937 rng(99);
    int twoPointCases = 0;
    for (int i = 0; i < kTrials; ++i) {
        // Line through a point inside the sphere.
        const Vec3 o = randomPoint(rng, 3);
        const double r = uniform(rng, 0.5, 3);
        const Vec3 s = o + r * randomUnit(rng);
        const Vec3 inside = o + uniform(rng, 0, 0.99 * r) * randomUnit(rng);
        const Vec3 a = inside + uniform(rng, 0.5, 4) * randomUnit(rng);
        Vec3 first, second;
        ASSERT_EQ(intersectLineSphere(a, inside, o, s, first, second), 2);
        for (const Vec3& x : {first, second}) {
            EXPECT_LT(offLine(x, a, inside), kOnFigure);
            EXPECT_NEAR(norm(x - o), r, kOnFigure);
        }
        // Two spheres through a common point.
        const Vec3 o2 = randomPoint(rng, 3);
        Vec3 centre, point, normal;
        if (intersectSpheres(o, s, o2, s, centre, point)) {
            EXPECT_NEAR(norm(point - o), r, kOnFigure);
            EXPECT_NEAR(norm(point - o2), norm(s - o2), kOnFigure);
            EXPECT_LT(offLine(centre, o, o2), kOnFigure);
        }
        // Sphere and plane.
        const Vec3 p0 = randomPoint(rng, 3), p1 = randomPoint(rng, 3), p2 = randomPoint(rng, 3);
        if (intersectSpherePlane(p0, p1, p2, o, s, centre, normal, point)) {
            EXPECT_NEAR(norm(point - o), r, kOnFigure);
            EXPECT_LT(offPlane(point, p0, p1, p2), kOnFigure);
        }
        // Line in a circle's plane through a point inside it.
        const RandomCircle c1 = randomCircle(rng);
        const Basis b1 = perpendicularBasis(c1.normal);
        const Vec3 within = c1.centre + uniform(rng, 0, 0.9 * c1.radius) * b1.p;
        const double turn = uniform(rng, 0, pi);
        const Vec3 along = within + std::cos(turn) * b1.p + std::sin(turn) * b1.q;
        ASSERT_EQ(intersectLineCircle(within, along, c1.centre, c1.centre, c1.centre + c1.normal, c1.radius,
                                      first, second),
                  2);
        for (const Vec3& x : {first, second}) {
            EXPECT_LT(offLine(x, within, along), kOnFigure);
            EXPECT_LT(offCircle(x, c1.centre, c1.normal, c1.radius), kOnFigure);
        }
        // Two circles through a shared point, in crossing planes.
        const Vec3 shared = c1.at(uniform(rng, 0, 2 * pi));
        const Vec3 c2centre = randomPoint(rng, 3);
        const Vec3 toShared = shared - c2centre;
        const Vec3 n2 =
            crossProduct(toShared, randomUnit(rng)) * (1 / norm(crossProduct(toShared, randomUnit(rng))));
        const Vec3 n2unit = n2 * (1 / norm(n2));
        const double r2 = norm(toShared);
        const int count = intersectCircles(c1.centre, c1.centre, c1.centre + c1.normal, c1.radius, c2centre,
                                           c2centre, c2centre + n2unit, r2, first, second);
        EXPECT_GE(count, 1);
        for (int k = 0; k < count; ++k) {
            const Vec3 x = k == 0 ? first : second;
            EXPECT_LT(offCircle(x, c1.centre, c1.normal, c1.radius), kOnFigure);
            EXPECT_LT(offCircle(x, c2centre, n2unit, r2), kOnFigure);
        }
        // Two coplanar circles that cross.
        const double rr = uniform(rng, 0.5, 2);
        const double gap = uniform(rng, std::fabs(c1.radius - rr) + 0.01, c1.radius + rr - 0.01);
        const Vec3 c3 = c1.centre + gap * b1.q;
        if (intersectCircles(c1.centre, c1.centre, c1.centre + c1.normal, c1.radius, c3, c3, c3 + c1.normal,
                             rr, first, second) == 2) {
            ++twoPointCases;
            for (const Vec3& x : {first, second}) {
                EXPECT_LT(offCircle(x, c1.centre, c1.normal, c1.radius), kOnFigure);
                EXPECT_LT(offCircle(x, c3, c1.normal, rr), kOnFigure);
            }
        }
        // A circle and a plane.
        const int cut = intersectCirclePlane(c1.centre, c1.centre, c1.centre + c1.normal, c1.radius, p0, p1,
                                             p2, first, second);
        for (int k = 0; k < cut; ++k) {
            const Vec3 x = k == 0 ? first : second;
            EXPECT_LT(offCircle(x, c1.centre, c1.normal, c1.radius), kOnFigure);
            EXPECT_LT(offPlane(x, p0, p1, p2), kOnFigure);
        }
    }
    EXPECT_GT(twoPointCases, kTrials / 2);
}

TEST(Properties, CylindersAndConesMeetOnBoth) {
    std::mt19937 rng(4242);
    int coneHits = 0;
    for (int i = 0; i < kTrials; ++i) {
        const Vec3 e = randomPoint(rng, 3);
        const Vec3 axis = randomUnit(rng);
        const Vec3 f = e + uniform(rng, 0.5, 3) * axis;
        const double r = uniform(rng, 0.5, 2);
        const Vec3 near = e + uniform(rng, 0, 0.9 * r) * perpendicularBasis(axis).p;
        const Vec3 b = near + randomUnit(rng);
        Vec3 first, second;
        const int count = intersectLineCylinder(near, b, e, f, r, first, second);
        for (int k = 0; k < count; ++k) {
            const Vec3 x = k == 0 ? first : second;
            EXPECT_LT(offLine(x, near, b), kOnFigure);
            EXPECT_NEAR(offLine(x, e, f), r, kOnFigure);
        }
        // Cone: apex V above base centre G.
        const Vec3 g = e, v = f;
        const double height = norm(v - g);
        const Vec3 inside =
            v + uniform(rng, 0.1, 0.9) * (g - v) + uniform(rng, -0.05, 0.05) * perpendicularBasis(axis).q;
        const Vec3 other = inside + randomUnit(rng);
        const int hits = intersectLineCone(inside, other, v, g, g, v, r, first, second);
        coneHits += hits;
        for (int k = 0; k < hits; ++k) {
            const Vec3 x = k == 0 ? first : second;
            EXPECT_LT(offLine(x, inside, other), kOnFigure * (1 + norm(x)));
            const double alongAxis = std::fabs(dotProduct(x - v, axis));
            EXPECT_NEAR(offLine(x, g, v), alongAxis * r / height, kOnFigure * (1 + norm(x)));
        }
        // Plane sections of the cylinder: five points on the plane and on the surface.
        const Vec3 s = e + r * perpendicularBasis(axis).p;
        const Vec3 p0 = randomPoint(rng, 3), p1 = randomPoint(rng, 3), p2 = randomPoint(rng, 3);
        PlaneSection section;
        if (sectionPlaneCylinder(e, f, s, r, p0, p1, p2, section) &&
            section.shape == SectionShape::kFivePoints) {
            for (const Vec3& x : section.points) {
                EXPECT_LT(offPlane(x, p0, p1, p2), kOnFigure * (1 + norm(x)));
                EXPECT_NEAR(offLine(x, e, f), r, kOnFigure * (1 + norm(x)));
            }
        }
    }
    EXPECT_GT(coneHits, kTrials);
}

TEST(Properties, FitReproducesTheConicType) {
    std::mt19937 rng(31337);
    for (int i = 0; i < kTrials; ++i) {
        const int kind = i % 3;
        const double turn = uniform(rng, 0, pi), cs = std::cos(turn), sn = std::sin(turn);
        const Vec2 shift{uniform(rng, -3, 3), uniform(rng, -3, 3)};
        const double p = uniform(rng, 0.5, 3), q = uniform(rng, 0.5, 3);
        Vec2 points[5];
        for (int k = 0; k < 5; ++k) {
            double u = 0, w = 0;
            if (kind == 0) {  // ellipse, five spread angles
                const double angle = 2 * pi * (k + uniform(rng, 0.1, 0.9)) / 5;
                u = p * std::cos(angle);
                w = q * std::sin(angle);
            } else if (kind == 1) {  // hyperbola, points on both branches
                const double t = uniform(rng, -1.5, 1.5);
                u = (k < 3 ? 1 : -1) * p * std::cosh(t);
                w = q * std::sinh(t);
            } else {  // parabola
                u = (k - 2) * uniform(rng, 0.5, 1.0);
                w = p * u * u;
            }
            points[k] = {shift.x + cs * u - sn * w, shift.y + sn * u + cs * w};
        }
        ConicCoefficients k;
        const ConicType expected = kind == 0   ? ConicType::kEllipse
                                   : kind == 1 ? ConicType::kHyperbola
                                               : ConicType::kParabola;
        if (hasCollinearTriple(points)) continue;  // classification would rightly degrade
        // With the y² term fixed to 1, a parabola whose y² coefficient nearly vanishes (axis
        // close to the frame's y axis) has its rounding noise in b² − 4ac blown past 1e-10; the
        // conic element then recognises it by its size. So the fit alone is checked away from
        // that, and the whole analysis at every angle.
        const bool steepParabola = kind == 2 && std::fabs(sn) < 0.2;
        if (!steepParabola) {
            EXPECT_EQ(fitConic(points, true, k), expected) << "trial " << i;
        }
        const Vec3 inSpace[5] = {{points[0].x, points[0].y, 1},
                                 {points[1].x, points[1].y, 1},
                                 {points[2].x, points[2].y, 1},
                                 {points[3].x, points[3].y, 1},
                                 {points[4].x, points[4].y, 1}};
        ConicCurve conic;
        ASSERT_EQ(analyseConic(inSpace, conic), 1);
        EXPECT_EQ(conic.type, expected) << "trial " << i;
    }
}

TEST(Properties, ConicParameterRoundTrips) {
    std::mt19937 rng(2718);
    int checked[6] = {};
    for (int i = 0; i < kTrials; ++i) {
        const int kind = i % 4;
        const Vec3 origin = randomPoint(rng, 3), n = randomUnit(rng);
        const Basis basis = perpendicularBasis(n);
        const double p = uniform(rng, 0.5, 3), q = uniform(rng, 0.5, 3);
        Vec3 points[5];
        for (int k = 0; k < 5; ++k) {
            double u = 0, w = 0;
            if (kind == 0) {
                const double angle = 2 * pi * (k + uniform(rng, 0.1, 0.9)) / 5;
                u = p * std::cos(angle);
                w = q * std::sin(angle);
            } else if (kind == 1) {
                const double t = uniform(rng, -1.2, 1.2);
                u = (k % 2 ? 1 : -1) * p * std::cosh(t);
                w = q * std::sinh(t);
            } else if (kind == 2) {
                u = (k - 2) * uniform(rng, 0.5, 1.0);
                w = p * u * u;
            } else {  // three points on one line, two on another
                u = k < 3 ? k * p : q * (k - 2);
                w = k < 3 ? 0.5 * k * p : 1.0 + q * (k - 2) * -1.3;
            }
            points[k] = origin + u * basis.p + w * basis.q;
        }
        ConicCurve conic;
        if (!analyseConic(points, conic)) continue;
        ++checked[static_cast<int>(conic.type)];
        // From parameters: t → point → parameter → the same point.
        for (int sample = 0; sample < 8; ++sample) {
            double t = uniform(rng, 0.1, 0.4) + (sample % 2 ? 0.5 : 0.0);
            Vec3 x, back;
            double recovered = -1;
            ASSERT_EQ(conicPoint(conic, t, x), 1);
            EXPECT_LT(offConic(conic, x), kOnFigure * (1 + norm(x)));
            ASSERT_EQ(conicParameter(conic, x, recovered), 1);
            ASSERT_EQ(conicPoint(conic, recovered, back), 1);
            EXPECT_TRUE(near(back, x, 1e-6 * (1 + norm(x))))
                << "type " << static_cast<int>(conic.type) << " t " << t << " recovered " << recovered;
        }
        // From points of the curve not made by conicPoint: the defining points themselves. The
        // parabola's vertex (u = 0) is reached only to within the 1e-6 that its evaluation excludes.
        for (const Vec3& x : points) {
            double t = -1;
            Vec3 back;
            ASSERT_EQ(conicParameter(conic, x, t), 1);
            ASSERT_EQ(conicPoint(conic, t, back), 1);
            const bool atVertex = conic.type == ConicType::kParabola && near(x, origin, 1e-9);
            EXPECT_TRUE(near(back, x, atVertex ? 3e-6 : 1e-6 * (1 + norm(x))))
                << "type " << static_cast<int>(conic.type);
        }
        // Lines through the conic's points meet it there.
        Vec3 first, second;
        const Vec3 across = points[0] + n;
        ASSERT_EQ(intersectLineConic(points[0], across, conic, first, second), 1);
        EXPECT_TRUE(near(first, points[0], kOnFigure));
        // A chord from the first point to the fourth (not along a line of a line pair).
        const int count = intersectLineConic(points[0], points[3], conic, first, second);
        ASSERT_GE(count, 1);
        for (int k = 0; k < count; ++k) EXPECT_LT(offConic(conic, k == 0 ? first : second), kOnFigure);
    }
    for (ConicType type : {ConicType::kEllipse, ConicType::kHyperbola, ConicType::kParabola}) {
        EXPECT_GT(checked[static_cast<int>(type)], kTrials / 8) << static_cast<int>(type);
    }
    EXPECT_GT(checked[4] + checked[5], kTrials / 8);
}
