// For every kind a point can lie on: the parameters of a point of the figure,
// evaluated again, give the point back — over seeded random figures.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "geometry/vectors.h"
#include "model/construction.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class Figures {
  public:
    explicit Figures(unsigned seed) : random_(seed) {}

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
    Vec3 anyPoint() { return {uniform(-5, 5), uniform(-5, 5), uniform(-5, 5)}; }

    Point* point(Vec3 at) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, KindStyle{});
        p->position = at;
        return static_cast<Point*>(c.append(std::move(p)));
    }
    template <typename T>
    T* add(std::unique_ptr<T> e, std::vector<Element*> parents) {
        for (std::size_t i = 0; i < parents.size(); ++i) e->parents[i] = parents[i];
        return static_cast<T*>(c.append(std::move(e)));
    }
    // A frame of a random plane: origin and two orthonormal directions.
    void frame(Vec3& origin, Vec3& u, Vec3& v) {
        origin = anyPoint();
        Vec3 n{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
        Vec3 a{uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)};
        u = crossProduct(n, a) * (1.0 / norm(crossProduct(n, a)));
        const Vec3 w = crossProduct(n, u);
        v = w * (1.0 / norm(w));
    }
    void recompute() { c.recomputeAll({1, 1.0}); }

    Construction c;

  private:
    std::mt19937 random_;
};

double gap(Vec3 a, Vec3 b) {
    return norm(a - b);
}

// parameterOf(X) evaluated again gives X.
void expectRoundTrip(const Element& e, Vec3 x, double tolerance, const char* what, int trial) {
    double p1 = 0, p2 = 0;
    ASSERT_EQ(e.parameterOf(x, p1, p2), 1) << what << " " << trial;
    Vec3 back;
    ASSERT_EQ(e.pointAt(p1, p2, back), 1) << what << " " << trial;
    EXPECT_LT(gap(x, back), tolerance) << what << " trial " << trial << " params " << p1 << ", " << p2;
}

}  // namespace

TEST(PointOnObjectProperty, ParametersOfAPointGiveItBack) {
    Figures f(20261208);
    for (int trial = 0; trial < 50; ++trial) {
        // Straight elements of every kind, at parameters inside their bounds.
        for (TypeCode code : {TypeCode::VectorTwoPoints, TypeCode::SegmentTwoPoints, TypeCode::LineTwoPoints,
                              TypeCode::RayTwoPoints}) {
            auto* s = f.add(std::make_unique<StraightElement>(code, KindStyle{}),
                            {f.point(f.anyPoint()), f.point(f.anyPoint())});
            f.recompute();
            ASSERT_EQ(s->defined, 1);
            const double t = code == TypeCode::LineTwoPoints
                                 ? f.uniform(-3, 3)
                                 : (code == TypeCode::RayTwoPoints ? f.uniform(0, 3) : f.uniform(0, 1));
            expectRoundTrip(*s, s->pointA + (s->pointB - s->pointA) * t, 1e-9, "straight", trial);
        }

        Vec3 o, u, v;
        f.frame(o, u, v);
        const double r = f.uniform(0.5, 4);
        const auto onCircle = [&](double a) { return o + u * (r * std::cos(a)) + v * (r * std::sin(a)); };

        auto* circle = f.add(std::make_unique<Circle>(TypeCode::CircleThreePoints, KindStyle{}),
                             {f.point(onCircle(0.1)), f.point(onCircle(2.0)), f.point(onCircle(4.0))});
        auto* arc = f.add(std::make_unique<Arc>(TypeCode::ArcThreePoints, KindStyle{}),
                          {f.point(onCircle(0.3)), f.point(onCircle(1.0)), f.point(onCircle(2.5))});
        const double ea = f.uniform(1, 4), eb = f.uniform(0.5, 1) * ea;
        std::vector<Element*> ellipse;
        for (double a : {0.2, 1.4, 2.9, 4.1, 5.5})
            ellipse.push_back(f.point(o + u * (ea * std::cos(a)) + v * (eb * std::sin(a))));
        auto* conic = f.add(std::make_unique<Conic>(TypeCode::ConicFivePoints, KindStyle{}), ellipse);
        auto* plane =
            f.add(std::make_unique<Plane>(TypeCode::PlaneThreePoints, KindStyle{}),
                  {f.point(o), f.point(o + u * f.uniform(1, 3)), f.point(o + v * f.uniform(1, 3) + u)});
        std::vector<Element*> corners;
        for (int k = 0; k < 6; ++k) corners.push_back(f.point(onCircle(k * kPi / 3)));
        auto* polygon = f.add(std::make_unique<Polygon>(TypeCode::PolygonVertices, KindStyle{}, 6), corners);
        auto* sphere = f.add(std::make_unique<Sphere>(TypeCode::SphereCentrePoint, KindStyle{}),
                             {f.point(o), f.point(f.anyPoint())});
        auto* axis = f.add(std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{}),
                           {f.point(o), f.point(o + u * f.uniform(1, 4))});
        auto* cylinder = f.add(std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, KindStyle{}),
                               {f.point(o + v * r), axis});
        auto* cone = f.add(std::make_unique<Cone>(TypeCode::ConeThroughPoint, KindStyle{}),
                           {f.point(o + u * 1.0 + v * r), f.point(o), f.point(o + u * 3.0)});
        f.recompute();
        for (const Element* e : std::initializer_list<const Element*>{circle, arc, conic, plane, polygon,
                                                                      sphere, cylinder, cone})
            ASSERT_EQ(e->defined, 1) << e->typeCode() << " trial " << trial;

        expectRoundTrip(*circle, onCircle(f.uniform(0, 2 * kPi)), 1e-9, "circle", trial);
        expectRoundTrip(*arc, onCircle(f.uniform(0.3, 2.5)), 1e-9, "arc", trial);
        const double ct = f.uniform(0, 2 * kPi);
        expectRoundTrip(*conic, o + u * (ea * std::cos(ct)) + v * (eb * std::sin(ct)), 1e-7, "conic", trial);
        expectRoundTrip(*plane, o + u * f.uniform(-4, 4) + v * f.uniform(-4, 4), 1e-9, "plane", trial);
        // Inside the hexagon: within the circle of its edges' midpoints.
        const double ra = f.uniform(0, 0.8 * r), aa = f.uniform(0, 2 * kPi);
        expectRoundTrip(*polygon, o + u * (ra * std::cos(aa)) + v * (ra * std::sin(aa)), 1e-9, "polygon",
                        trial);
        // On the sphere.
        Vec3 dir{f.uniform(-1, 1), f.uniform(-1, 1), f.uniform(-1, 1)};
        dir = dir * (sphere->radius / norm(dir));
        expectRoundTrip(*sphere, sphere->centre + dir, 1e-9, "sphere", trial);
        // On the cylinder's side between its ends, and on the cone's side.
        const Vec3 axisDir = (cylinder->topCentre - cylinder->baseCentre) *
                             (1.0 / norm(cylinder->topCentre - cylinder->baseCentre));
        const double h = f.uniform(0, 1) * norm(cylinder->topCentre - cylinder->baseCentre);
        const Vec3 side = (cylinder->rimPoint - cylinder->baseCentre);
        const double turn = f.uniform(0, 2 * kPi);
        const Vec3 turned = side * std::cos(turn) + crossProduct(axisDir, side) * std::sin(turn);
        expectRoundTrip(*cylinder, cylinder->baseCentre + axisDir * h + turned, 1e-9, "cylinder", trial);
        const double k = f.uniform(0.1, 0.9);
        const Vec3 rim = cone->rimPoint - cone->baseCentre;
        const Vec3 coneAxis = (cone->apex - cone->baseCentre) * (1.0 / norm(cone->apex - cone->baseCentre));
        const Vec3 coneTurned = rim * std::cos(turn) + crossProduct(coneAxis, rim) * std::sin(turn);
        expectRoundTrip(*cone, cone->apex + (cone->baseCentre + coneTurned - cone->apex) * k, 1e-9, "cone",
                        trial);
    }
}
