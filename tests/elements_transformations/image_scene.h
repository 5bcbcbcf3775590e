#pragma once

// A construction with one source of every transformable family and the defining
// elements of the five transformations, each with a closed-form map, so that
// images can be checked without the kernel that computes them.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "elements/transformation.h"
#include "model/canvas.h"
#include "model/construction.h"

inline constexpr double kPi = std::numbers::pi;
inline constexpr KindStyle kImageStyle{0, 1, 0, 0, 0x336699};

// A number of kind 18 whose value and validity the test sets; like a calculation,
// it is undefined after a recompute while its value is not valid.
class TestNumber : public Element {
  public:
    explicit TestNumber(double v) : Element(TypeCode::Parameter, kImageStyle), value(v) {}

    std::unique_ptr<Element> clone() const override {
        return std::unique_ptr<Element>(new TestNumber(*this));
    }
    void recompute(Construction&, const RecomputeContext&) override { defined = valid ? 1 : 0; }
    void draw(std::uint32_t, int, Canvas&) override {}
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }
    bool currentValue(double& out) const override {
        if (!valid) return false;
        out = value;
        return true;
    }

    double value;
    bool valid = true;

  protected:
    TestNumber(const TestNumber&) = default;
};

inline void expectVecNear(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline double dist(Vec3 a, Vec3 b) {
    return norm(a - b);
}

// The stored points the transformations map, by kind, in the order of the family table.
inline std::vector<Vec3> storedPoints(const Element& e) {
    switch (e.kind()) {
        case ElementKind::Point:
            return {positionOf(&e)};
        case ElementKind::Vector:
        case ElementKind::Segment:
        case ElementKind::Line:
        case ElementKind::Ray:
            return {asStraight(&e).pointA, asStraight(&e).pointB};
        case ElementKind::Circle: {
            const auto& c = static_cast<const Circle&>(e);
            return {c.centre, c.refPoint, c.axisA, c.axisB};
        }
        case ElementKind::Arc: {
            const auto& a = static_cast<const Arc&>(e);
            return {a.point1, a.point2, a.point3};
        }
        case ElementKind::Conic: {
            const auto& c = static_cast<const Conic&>(e);
            return {std::begin(c.definingPoints), std::end(c.definingPoints)};
        }
        case ElementKind::Plane: {
            const auto& p = static_cast<const Plane&>(e);
            return {p.planePoint1, p.planePoint2, p.planePoint3};
        }
        case ElementKind::Polygon:
            return static_cast<const Polygon&>(e).vertices;
        case ElementKind::Sphere: {
            const auto& s = static_cast<const Sphere&>(e);
            return {s.centre, s.surfacePoint};
        }
        case ElementKind::Cylinder: {
            const auto& c = static_cast<const Cylinder&>(e);
            return {c.baseCentre, c.topCentre, c.rimPoint};
        }
        case ElementKind::Cone: {
            const auto& c = static_cast<const Cone&>(e);
            return {c.baseCentre, c.apex, c.rimPoint};
        }
        default:
            return {};
    }
}

// An element of the class of the source's kind with the given code, as the file
// reader makes it (a polygon with no vertices yet).
inline ElementPtr makeOfSourceClass(const Element& source, TypeCode code) {
    switch (source.kind()) {
        case ElementKind::Point:
            return std::make_unique<Point>(code, kImageStyle);
        case ElementKind::Vector:
        case ElementKind::Segment:
        case ElementKind::Line:
        case ElementKind::Ray:
            return std::make_unique<StraightElement>(code, kImageStyle);
        case ElementKind::Circle:
            return std::make_unique<Circle>(code, kImageStyle);
        case ElementKind::Arc:
            return std::make_unique<Arc>(code, kImageStyle);
        case ElementKind::Conic:
            return std::make_unique<Conic>(code, kImageStyle);
        case ElementKind::Plane:
            return std::make_unique<Plane>(code, kImageStyle);
        case ElementKind::Polygon:
            return std::make_unique<Polygon>(code, kImageStyle, 0);
        case ElementKind::Sphere:
            return std::make_unique<Sphere>(code, kImageStyle);
        case ElementKind::Cylinder:
            return std::make_unique<Cylinder>(code, kImageStyle);
        case ElementKind::Cone:
            return std::make_unique<Cone>(code, kImageStyle);
        default:
            return nullptr;
    }
}

class ImageScene : public ::testing::Test {
  protected:
    static constexpr int kDegrees = 1;

    Point* free(Vec3 at) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, kImageStyle);
        p->position = at;
        p->defined = 1;
        return static_cast<Point*>(construction.append(std::move(p)));
    }

    template <typename T>
    T* add(std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
        return added<T>(construction.appendOn(std::move(e), parents));
    }

    StraightElement* straight(TypeCode code, Vec3 a, Vec3 b) {
        return add(std::make_unique<StraightElement>(code, kImageStyle), {free(a), free(b)});
    }

    template <typename T>
    T* through(TypeCode code, const std::vector<Vec3>& points) {
        std::vector<Element*> parents;
        for (Vec3 p : points) parents.push_back(free(p));
        return added<T>(construction.appendOn(std::make_unique<T>(code, kImageStyle), parents));
    }
    template <typename T>
    T* through(TypeCode code, std::initializer_list<Vec3> points) {
        return through<T>(code, std::vector<Vec3>(points));
    }

    // An element appended on fitting parents, recomputed.
    template <typename T>
    T* added(Element* e) {
        EXPECT_NE(e, nullptr) << "parents that do not fit the element's type code";
        if (e) e->recompute(construction, {kDegrees, 1.0});
        return static_cast<T*>(e);
    }

    // A point of the tilted plane spanned at kOrigin by the orthonormal kU, kV.
    static Vec3 inPlane(double a, double b) { return kOrigin + a * kU + b * kV; }

    // One source of each family, all defined.
    std::vector<Element*> makeSources() {
        std::vector<Element*> sources;
        sources.push_back(free({0.3, 0.7, -1.2}));
        for (TypeCode code : {TypeCode::SegmentTwoPoints, TypeCode::VectorTwoPoints, TypeCode::LineTwoPoints,
                              TypeCode::RayTwoPoints})
            sources.push_back(straight(code, {0.2, -0.4, 0.9}, {1.7, 0.6, -0.3}));
        sources.push_back(through<Circle>(TypeCode::CircleThreePoints,
                                          {inPlane(1, 0), inPlane(0, 1.5), inPlane(-0.8, 0.2)}));
        sources.push_back(
            through<Plane>(TypeCode::PlaneThreePoints, {inPlane(0, 0), inPlane(1, 0.2), inPlane(0.3, 1)}));
        const Vec3 corners[4] = {inPlane(0, 0), inPlane(2, 0), inPlane(2.5, 1.5), inPlane(0.5, 1.2)};
        std::vector<Element*> vertices;
        for (const Vec3& corner : corners) vertices.push_back(free(corner));
        sources.push_back(added<Polygon>(construction.appendOn(
            std::make_unique<Polygon>(TypeCode::PolygonVertices, kImageStyle, 4), vertices)));
        sources.push_back(through<Sphere>(TypeCode::SphereCentrePoint, {{0.5, 0.5, 0.5}, {1.1, -0.2, 0.9}}));
        sources.push_back(
            through<Arc>(TypeCode::ArcThreePoints, {inPlane(2, 0), inPlane(0.2, 1.9), inPlane(-1.8, -0.5)}));
        sources.push_back(
            add(std::make_unique<Cylinder>(TypeCode::CylinderAboutAxis, kImageStyle),
                {free({2, 0, 0.3}), straight(TypeCode::LineTwoPoints, {0.2, 0.1, -0.5}, {0.7, 1.1, 1.5})}));
        sources.push_back(
            through<Cone>(TypeCode::ConeThroughPoint, {{1.5, 0.2, 0.8}, {0, 0, 0}, {0.3, 0.4, 3}}));
        std::vector<Vec3> onEllipse;
        for (const double angle : {0.3, 1.4, 2.6, 3.9, 5.1})
            onEllipse.push_back(inPlane(2 * std::cos(angle), std::sin(angle)));
        sources.push_back(through<Conic>(TypeCode::ConicFivePoints, onEllipse));
        return sources;
    }

    // The defining elements after the source for transformation t (the rotation
    // turns 90 degrees about the line x = 1, y = 0, upwards).
    std::vector<Element*> transformationParents(int t) {
        switch (t) {
            case 0:
                return {free({1, 2, 3})};
            case 1:
                return {straight(TypeCode::LineTwoPoints, {1, 0, 0}, {1, 0, 5})};
            case 2:
                return {through<Plane>(TypeCode::PlaneThreePoints, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}})};
            case 3:
                return {straight(TypeCode::VectorTwoPoints, {0, 0, 0}, {1, -2, 0.5})};
            default:
                angle = add(std::make_unique<TestNumber>(90.0), {});
                return {straight(TypeCode::SegmentTwoPoints, {1, 0, 0}, {1, 0, 1}), angle};
        }
    }

    // What transformation t of transformationParents does to a point.
    static Vec3 expectedImage(int t, Vec3 p) {
        switch (t) {
            case 0:
                return Vec3{2, 4, 6} - p;
            case 1:
                return {2 - p.x, -p.y, p.z};
            case 2:
                return {p.x, p.y, 2 - p.z};
            case 3:
                return p + Vec3{1, -2, 0.5};
            default:
                return {1 - p.y, p.x - 1, p.z};
        }
    }

    // The image of source under transformation t with the given defining elements.
    Element* imageOf(Element* source, int t, const std::vector<Element*>& defining) {
        ElementPtr image = makeOfSourceClass(*source, imageTypeCode(*source, t));
        image->parents.at(0) = source;
        for (std::size_t i = 0; i < defining.size(); ++i) image->parents.at(i + 1) = defining[i];
        Element* added = construction.append(std::move(image));
        added->recompute(construction, {kDegrees, 1.0});
        return added;
    }

    static constexpr Vec3 kOrigin{0.5, -0.3, 0.2};
    static inline const Vec3 kU = Vec3{1, 1, 0} * (1 / std::numbers::sqrt2);
    static inline const Vec3 kV = Vec3{-1, 1, 1} * (1 / std::numbers::sqrt3);

    Construction construction;
    TestNumber* angle = nullptr;
};
