#include <algorithm>
#include <cmath>
#include <functional>

#include "curve_fixtures.h"
#include "elements/conic.h"
#include "elements/plane.h"
#include "elements/solids.h"
#include "support/recording_canvas.h"

namespace {

// The tilted plane the conics are built in: O + x·u + y·v.
const Vec3 kOrigin{1, 2, 3};
const Vec3 kU = Vec3{1, 1, 0} * (1 / std::sqrt(2.0));
const Vec3 kV{0, 0, 1};

Vec3 inPlane(double x, double y) {
    return kOrigin + kU * x + kV * y;
}
// Plane coordinates of a point of that plane.
double planeX(Vec3 p) {
    return dotProduct(p - kOrigin, kU);
}
double planeY(Vec3 p) {
    return dotProduct(p - kOrigin, kV);
}

class ConicTest : public CurveTest {
  protected:
    Conic* through(std::array<Vec3, 5> at) {
        std::vector<Element*> points;
        for (Vec3 p : at) points.push_back(freePoint(p));
        return make<Conic>(TypeCode::ConicFivePoints, points);
    }
    // x²/a² + y²/b² = 1.
    Conic* ellipse(double a, double b) {
        std::array<Vec3, 5> at;
        for (int i = 0; i < 5; ++i) at[i] = inPlane(a * std::cos(1.1 * i + 0.2), b * std::sin(1.1 * i + 0.2));
        return through(at);
    }
    // x²/4 − y² = 1: three points on the right branch, two on the left.
    Conic* hyperbola() {
        return through(
            {inPlane(2 * std::cosh(0.3), std::sinh(0.3)), inPlane(2 * std::cosh(-1.0), std::sinh(-1.0)),
             inPlane(-2 * std::cosh(0.7), std::sinh(0.7)), inPlane(2 * std::cosh(1.5), std::sinh(1.5)),
             inPlane(-2 * std::cosh(-0.4), std::sinh(-0.4))});
    }
    // y = x²/4 + 1.
    Conic* parabola() {
        std::array<Vec3, 5> at;
        const double xs[5] = {-2, -1, 0.5, 1, 3};
        for (int i = 0; i < 5; ++i) at[i] = inPlane(xs[i], xs[i] * xs[i] / 4 + 1);
        return through(at);
    }
    // Three points on y = 0, two on x = 1.
    Conic* linePair() {
        return through({inPlane(-1, 0), inPlane(0.5, 0), inPlane(3, 0), inPlane(1, 1), inPlane(1, -2)});
    }

    // pointAt(parameterOf(P)) == P for every given point and for the curve points at
    // a grid of parameters.
    void expectRoundTrips(const Conic& c, std::vector<Vec3> points, double eps) {
        for (int i = 1; i < 40; ++i) {
            Vec3 p;
            if (c.pointAt(i / 40.0 + 0.0031, 0, p)) points.push_back(p);
        }
        for (Vec3 p : points) {
            double t = -1, unused = -1;
            ASSERT_EQ(c.parameterOf(p, t, unused), 1);
            EXPECT_GE(t, 0.0);
            EXPECT_LE(t, 1.0);
            Vec3 back;
            ASSERT_EQ(c.pointAt(t, 0, back), 1);
            EXPECT_LT(dist(back, p), eps) << "t = " << t << " at " << p.x << ", " << p.y << ", " << p.z;
        }
    }

    std::vector<Vec3> definingPoints(const Conic& c) {
        return {std::begin(c.definingPoints), std::end(c.definingPoints)};
    }
};

// How far a point of the plane lies from the curve F = 0, to first order.
double offCurve(const std::function<double(double, double)>& f, Vec3 p) {
    const double x = planeX(p), y = planeY(p), h = 1e-6;
    const double gx = (f(x + h, y) - f(x - h, y)) / (2 * h);
    const double gy = (f(x, y + h) - f(x, y - h)) / (2 * h);
    return std::fabs(f(x, y)) / std::hypot(gx, gy);
}

TEST_F(ConicTest, ClassifiesAndLocatesCentres) {
    Conic* e = ellipse(3, 2);
    ASSERT_EQ(e->defined, 1);
    EXPECT_EQ(e->conicType(), ConicType::kEllipse);
    Vec3 centre;
    ASSERT_EQ(e->centreInSpace(centre), 1);
    EXPECT_VEC_NEAR(centre, kOrigin, 1e-9);
    const std::array<Vec3, 3> plane = e->supportPlane();
    for (const Vec3& p : plane) EXPECT_NEAR(dotProduct(p - kOrigin, crossProduct(kU, kV)), 0.0, 1e-12);

    Conic* h = hyperbola();
    ASSERT_EQ(h->defined, 1);
    EXPECT_EQ(h->conicType(), ConicType::kHyperbola);
    ASSERT_EQ(h->centreInSpace(centre), 1);
    EXPECT_VEC_NEAR(centre, kOrigin, 1e-9);

    // A parabola has no centre: a centre point on it is undefined.
    Conic* p = parabola();
    ASSERT_EQ(p->defined, 1);
    EXPECT_EQ(p->conicType(), ConicType::kParabola);
    EXPECT_EQ(p->centreInSpace(centre), 0);
    Point* centrePoint = make<Point>(TypeCode::ConicCentre, {p});
    EXPECT_EQ(centrePoint->defined, 0);

    // Two crossing lines: their centre is the crossing.
    Conic* l = linePair();
    ASSERT_EQ(l->defined, 1);
    EXPECT_TRUE(l->conicType() == ConicType::kLinePair || l->conicType() == ConicType::kDegenerate);
    ASSERT_EQ(l->centreInSpace(centre), 1);
    EXPECT_VEC_NEAR(centre, inPlane(1, 0), 1e-9);
    // The first line runs through the first collinear triple.
    const std::array<Vec3, 4> lines = l->linePoints();
    EXPECT_NEAR(planeY(lines[0]), 0.0, 1e-9);
    EXPECT_NEAR(planeY(lines[1]), 0.0, 1e-9);
    EXPECT_NEAR(planeX(lines[2]), 1.0, 1e-9);
    EXPECT_NEAR(planeX(lines[3]), 1.0, 1e-9);
}

TEST_F(ConicTest, DegeneratePointSetsGiveNoConicOrALinePair) {
    // Four collinear points and one beside them: every split puts a collinear triple
    // first, the fit has no unique solution, and there is no conic.
    Conic* c = through({inPlane(0, 0), inPlane(1, 0), inPlane(2, 0), inPlane(3, 0), inPlane(0, 1)});
    EXPECT_EQ(c->defined, 0);
    EXPECT_EQ(c->conicType(), ConicType::kNone);
    // Moving the fourth point off the line leaves three collinear: a line pair.
    static_cast<Point*>(c->parents[3])->position = inPlane(3, 2);
    recompute(c);
    ASSERT_EQ(c->defined, 1);
    ASSERT_TRUE(c->conicType() == ConicType::kLinePair || c->conicType() == ConicType::kDegenerate);
    const std::array<Vec3, 4> lines = c->linePoints();
    const Vec3 u1 = lines[1] - lines[0], u2 = lines[3] - lines[2];
    for (const Vec3& p : c->definingPoints) {
        const double d1 = norm(crossProduct(p - lines[0], u1)) / norm(u1);
        const double d2 = norm(crossProduct(p - lines[2], u2)) / norm(u2);
        EXPECT_LT(std::min(d1, d2), 1e-6);
    }

    // Points off one plane, or two coincident points: undefined, the old conic kept.
    Conic* e = ellipse(3, 2);
    ASSERT_EQ(e->defined, 1);
    Point* moved = static_cast<Point*>(e->parents[4]);
    moved->position = moved->position + crossProduct(kU, kV) * 0.01;
    recompute(e);
    EXPECT_EQ(e->defined, 0);
    EXPECT_EQ(e->conicType(), ConicType::kEllipse);
    moved->position = static_cast<Point*>(e->parents[0])->position;
    recompute(e);
    EXPECT_EQ(e->defined, 0);
    // All five on one line.
    Conic* line = through({inPlane(0, 0), inPlane(1, 1), inPlane(2, 2), inPlane(3, 3), inPlane(4, 4)});
    EXPECT_EQ(line->defined, 0);
}

TEST_F(ConicTest, ParameterRoundTripsOnEveryType) {
    Conic* e = ellipse(3, 2);
    ASSERT_EQ(e->conicType(), ConicType::kEllipse);
    expectRoundTrips(*e, definingPoints(*e), 1e-9);

    Conic* h = hyperbola();
    ASSERT_EQ(h->conicType(), ConicType::kHyperbola);
    expectRoundTrips(*h, definingPoints(*h), 1e-8);
    // The two halves of the parameter range are the two branches.
    Vec3 a, b;
    h->pointAt(0.2, 0, a);
    h->pointAt(0.7, 0, b);
    EXPECT_LT(planeX(a) * planeX(b), 0.0);

    Conic* p = parabola();
    ASSERT_EQ(p->conicType(), ConicType::kParabola);
    expectRoundTrips(*p, definingPoints(*p), 1e-8);

    Conic* l = linePair();
    expectRoundTrips(*l, definingPoints(*l), 1e-9);

    // Labels sit on the curve: for the hyperbola at the vertex of its first branch.
    h->setName("h");
    RecordingCanvas labels;
    h->drawLabel(labels, 0xff);
    ASSERT_EQ(labels.count("label"), 1);
    Vec3 vertex;
    h->pointAt(0.25, 0, vertex);
    EXPECT_NEAR(std::fabs(planeX(vertex)), 2.0, 1e-9);
    EXPECT_VEC_NEAR(labels.calls[0].points[0], (vertex + Vec3{0, 0, 0.1}), 1e-12);

    // A point on a conic keeps its parameter when the conic changes.
    auto onConic = std::make_unique<PointOnObject>(kCurveStyle);
    double t = 0, unused = 0;
    e->parameterOf(e->definingPoints[2], t, unused);
    onConic->param1 = t;
    PointOnObject* q = add(std::move(onConic), {e});
    recompute(q);
    EXPECT_VEC_NEAR(q->position, e->definingPoints[2], 1e-9);
}

TEST_F(ConicTest, PolylineSizeFollowsTheConic) {
    RecordingCanvas canvas;
    Conic* small = ellipse(1.03, 1);  // longest axis 2.06: 199 + 20 pieces
    small->draw(0x00ff00, 0, canvas);
    EXPECT_EQ(canvas.count("segment"), 219);
    for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
        const RecordingCanvas::Call& s = canvas.calls[i];
        EXPECT_LT(offCurve([](double x, double y) { return x * x / (1.03 * 1.03) + y * y - 1; }, s.points[0]),
                  1e-9);
        EXPECT_EQ(s.extend, i + 1 < canvas.calls.size());
        if (i > 0) EXPECT_VEC_NEAR(s.points[0], canvas.calls[i - 1].points[1], 0.0);
    }
    // Closed: the polyline ends where it began.
    EXPECT_VEC_NEAR(canvas.calls.back().points[1], canvas.calls.front().points[0], 1e-9);

    RecordingCanvas middle;
    ellipse(8.04, 5)->draw(0, 0, middle);
    EXPECT_EQ(middle.count("segment"), 199 + 160);
    RecordingCanvas large;
    ellipse(40, 5)->draw(0, 0, large);
    EXPECT_EQ(large.count("segment"), 499);
}

TEST_F(ConicTest, ThinEllipseStaysSmoothAtItsEnds) {
    Conic* c = ellipse(10, 0.05);
    ASSERT_EQ(c->conicType(), ConicType::kEllipse);
    const auto f = [](double x, double y) { return x * x / 100 + y * y / 0.0025 - 1; };
    const std::vector<std::vector<Vec3>> runs = c->polylines(0);
    ASSERT_EQ(runs.size(), 1u);
    double worst = 0, reachX = 0;
    for (std::size_t i = 1; i < runs[0].size(); ++i) {
        EXPECT_LT(offCurve(f, runs[0][i]), 1e-9);
        worst = std::max(worst, offCurve(f, 0.5 * (runs[0][i - 1] + runs[0][i])));
        reachX = std::max(reachX, std::fabs(planeX(runs[0][i])));
    }
    // Uniform directions from the centre would cut across both tips by whole units.
    EXPECT_LT(worst, 1e-3);
    EXPECT_GT(reachX, 10 - 1e-6);
}

TEST_F(ConicTest, OpenCurvesBreakBetweenBranchesAndAtTheirReach) {
    Conic* h = hyperbola();
    const auto f = [](double x, double y) { return x * x / 4 - y * y - 1; };
    const std::vector<std::vector<Vec3>> runs = h->polylines(0);
    ASSERT_EQ(runs.size(), 2u);
    int pieces = 0;
    for (const std::vector<Vec3>& run : runs) {
        pieces += static_cast<int>(run.size()) - 1;
        double side = planeX(run.front());
        double farthest = 0;
        for (const Vec3& p : run) {
            EXPECT_GT(planeX(p) * side, 0.0);  // one branch per run
            EXPECT_LT(offCurve(f, p), 1e-8);
            farthest = std::max(farthest, dist(p, kOrigin));
        }
        // Cut at 99 beyond the vertex distance, and followed right up to it.
        EXPECT_LE(farthest, 101.0 + 1e-9);
        EXPECT_GT(farthest, 100.9);
    }
    EXPECT_GE(pieces, 199);
    EXPECT_LE(pieces, 499);
    // Parallel projection reaches further.
    double farthest = 0;
    for (const std::vector<Vec3>& run : h->polylines(1)) {
        for (const Vec3& p : run) farthest = std::max(farthest, dist(p, kOrigin));
    }
    EXPECT_GT(farthest, 500.0);

    Conic* p = parabola();
    const std::vector<std::vector<Vec3>> arc = p->polylines(0);
    ASSERT_EQ(arc.size(), 1u);
    double nearest = 1e9;
    for (const Vec3& q : arc[0]) nearest = std::min(nearest, dist(q, inPlane(0, 1)));
    EXPECT_LT(nearest, 0.05);  // through the vertex
}

TEST_F(ConicTest, LinePairsAreDrawnAsLines) {
    Conic* l = linePair();
    RecordingCanvas canvas;  // unproject(0, 0, d) is (0, 0, d)
    l->draw(0x0000ff, 0, canvas);
    ASSERT_EQ(canvas.count("segment"), 2);
    const std::array<Vec3, 4> lines = l->linePoints();
    for (int i = 0; i < 2; ++i) {
        const RecordingCanvas::Call& s = canvas.calls[static_cast<std::size_t>(i)];
        EXPECT_NEAR(dist(s.points[0], s.points[1]), 198.0, 1e-9);
        // Centred on the foot of the view point (0, 0, 0.0003) on the line.
        const Vec3 a = lines[static_cast<std::size_t>(2 * i)], b = lines[static_cast<std::size_t>(2 * i + 1)];
        const Vec3 u = (b - a) * (1 / norm(b - a));
        const Vec3 eye{0, 0, 0.0003};
        const Vec3 foot = a + u * dotProduct(eye - a, u);
        EXPECT_VEC_NEAR(0.5 * (s.points[0] + s.points[1]), foot, 1e-9);
        EXPECT_FALSE(s.extend);
    }
}

TEST_F(ConicTest, HitTestFollowsTheDrawnCurve) {
    Conic* e = ellipse(3, 2);
    e->size = 1;
    const Vec3 n = crossProduct(kU, kV);
    const Vec3 target = inPlane(3 * std::cos(2.0), 2 * std::sin(2.0));
    Vec3 hit;
    PickRay ray{target + n * 4, target - n * 50};
    ASSERT_EQ(e->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_LT(dist(hit, target), 1e-6);
    const auto f = [](double x, double y) { return x * x / 9 + y * y / 4 - 1; };
    EXPECT_LT(offCurve(f, hit), 1e-9);
    // 0.015 beside the curve at depth 4: within 0.01·2 in central projection only.
    const Vec3 beside = inPlane(3.015 * std::cos(0.0), 0);
    ray = {beside + n * 4, beside - n * 50};
    EXPECT_EQ(e->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_EQ(e->hitTest(0, 0, ray, 1, hit), 0);
    // Behind the ray's origin: no hit.
    ray = {target - n * 4, target - n * 50};
    EXPECT_EQ(e->hitTest(0, 0, ray, 0, hit), 0);
    // Inside the ellipse, away from the curve: no hit.
    ray = {kOrigin + n * 4, kOrigin - n * 50};
    EXPECT_EQ(e->hitTest(0, 0, ray, 0, hit), 0);

    // Line pairs are picked along their whole lines.
    Conic* l = linePair();
    const Vec3 farOnSecond = inPlane(1, 40);
    ray = {farOnSecond + n * 4, farOnSecond - n * 50};
    ASSERT_EQ(l->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_LT(dist(hit, farOnSecond), 1e-6);
    // The hyperbola's second branch is picked too.
    Conic* h = hyperbola();
    const Vec3 onLeft = inPlane(-2 * std::cosh(1.2), std::sinh(1.2));
    ray = {onLeft + n * 4, onLeft - n * 50};
    ASSERT_EQ(h->hitTest(0, 0, ray, 0, hit), 1);
    EXPECT_LT(dist(hit, onLeft), 1e-6);
}

TEST_F(ConicTest, SectionsOfCylindersAndCones) {
    auto planeAt = [&](Vec3 a, Vec3 b, Vec3 c) {
        auto p = std::make_unique<Plane>(TypeCode::PlaneThreePoints, kCurveStyle);
        p->planePoint1 = a;
        p->planePoint2 = b;
        p->planePoint3 = c;
        p->defined = 1;
        return static_cast<Plane*>(construction.append(std::move(p)));
    };
    auto cylinderElement = std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, kCurveStyle);
    cylinderElement->baseCentre = {0, 0, 0};
    cylinderElement->topCentre = {0, 0, 4};
    cylinderElement->rimPoint = {2, 0, 0};
    cylinderElement->radius = 2;
    cylinderElement->defined = 1;
    Cylinder* cylinder = static_cast<Cylinder*>(construction.append(std::move(cylinderElement)));

    // Across the axis: the circle of the cylinder's radius.
    Conic* across =
        make<Conic>(TypeCode::ConicPlaneSection, {planeAt({0, 0, 1}, {1, 0, 1}, {0, 1, 1}), cylinder});
    ASSERT_EQ(across->defined, 1);
    EXPECT_EQ(across->conicType(), ConicType::kEllipse);
    Vec3 centre;
    ASSERT_EQ(across->centreInSpace(centre), 1);
    EXPECT_VEC_NEAR(centre, (Vec3{0, 0, 1}), 1e-9);
    for (const Vec3& p : across->definingPoints) EXPECT_NEAR(std::hypot(p.x, p.y), 2.0, 1e-9);

    // Along the axis, the plane x = 1: the lines x = 1, y = ±√3.
    Conic* along =
        make<Conic>(TypeCode::ConicPlaneSection, {planeAt({1, 0, 0}, {1, 1, 0}, {1, 0, 1}), cylinder});
    ASSERT_EQ(along->defined, 1);
    EXPECT_TRUE(along->conicType() == ConicType::kLinePair || along->conicType() == ConicType::kDegenerate);
    const std::array<Vec3, 4> parallels = along->linePoints();
    EXPECT_NEAR(std::fabs(parallels[0].y), std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(parallels[0].y, parallels[1].y, 1e-9);
    EXPECT_NEAR(parallels[2].y, -parallels[0].y, 1e-9);
    EXPECT_NEAR(parallels[2].x, 1.0, 1e-9);
    // Beside the cylinder: undefined.
    Conic* beside =
        make<Conic>(TypeCode::ConicPlaneSection, {planeAt({3, 0, 0}, {3, 1, 0}, {3, 0, 1}), cylinder});
    EXPECT_EQ(beside->defined, 0);

    auto coneElement = std::make_unique<Cone>(TypeCode::ConeThroughPoint, kCurveStyle);
    coneElement->baseCentre = {0, 0, 0};
    coneElement->apex = {0, 0, 4};
    coneElement->rimPoint = {2, 0, 0};
    coneElement->baseRadius = 2;
    coneElement->defined = 1;
    Cone* cone = static_cast<Cone*>(construction.append(std::move(coneElement)));
    // Half way up: a circle of radius 1.
    Conic* ring = make<Conic>(TypeCode::ConicPlaneSection, {planeAt({0, 0, 2}, {1, 0, 2}, {0, 1, 2}), cone});
    ASSERT_EQ(ring->defined, 1);
    EXPECT_EQ(ring->conicType(), ConicType::kEllipse);
    for (const Vec3& p : ring->definingPoints) EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-9);
    // Through the apex: two lines crossing at the apex.
    Conic* apexCut =
        make<Conic>(TypeCode::ConicPlaneSection, {planeAt({0, 0, 0}, {0, 1, 0}, {0, 0, 4}), cone});
    ASSERT_EQ(apexCut->defined, 1);
    EXPECT_TRUE(apexCut->conicType() == ConicType::kLinePair ||
                apexCut->conicType() == ConicType::kDegenerate);
    ASSERT_EQ(apexCut->centreInSpace(centre), 1);
    EXPECT_VEC_NEAR(centre, (Vec3{0, 0, 4}), 1e-9);

    // The image of a section in the origin is the same kind of conic.
    Conic* image = make<Conic>(TypeCode::ConicCentralSymmetry, {across, freePoint({0, 0, 0})});
    ASSERT_EQ(image->defined, 1);
    EXPECT_EQ(image->conicType(), across->conicType());
}

}  // namespace
