#pragma once

// Small scenes of real elements for the picking tests, and a stand-in element
// whose hit is set by the test, for the walk and the tool rules.

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "geometry/vectors.h"
#include "model/document.h"
#include "model/screen_text_context.h"
#include "view/camera.h"

inline const KindStyle kViewTestStyle{0, 0, 0, 0, 0x3366CC};
inline constexpr Viewport kTestViewport{800, 600};
// Estimated text sizes, "?" and 96 pixels per inch.
inline const ScreenTextContext kTestScreen;

template <typename T, typename... Args>
T* addElement(Document& d, std::initializer_list<Element*> parents, Args&&... args) {
    auto e = std::make_unique<T>(std::forward<Args>(args)...);
    std::size_t i = 0;
    for (Element* p : parents) e->parents.at(i++) = p;
    e->defined = 1;
    T* added = static_cast<T*>(d.construction().append(std::move(e)));
    added->recompute(d.construction(), d.recomputeContext());
    return added;
}

inline Point* addFreePoint(Document& d, Vec3 at) {
    Point* p = addElement<Point>(d, {}, TypeCode::FreePoint, kViewTestStyle);
    p->position = at;
    return p;
}

inline StraightElement* addStraight(Document& d, TypeCode code, Vec3 a, Vec3 b) {
    Point* pa = addFreePoint(d, a);
    Point* pb = addFreePoint(d, b);
    return addElement<StraightElement>(d, {pa, pb}, code, kViewTestStyle);
}

// The plane through three points, its square centred on the first.
inline Plane* addPlane(Document& d, Vec3 a, Vec3 b, Vec3 c) {
    Point* pa = addFreePoint(d, a);
    Point* pb = addFreePoint(d, b);
    Point* pc = addFreePoint(d, c);
    return addElement<Plane>(d, {pa, pb, pc}, TypeCode::PlaneThreePoints, kViewTestStyle);
}

// The window pixel nearest to a model point.
struct Pixel {
    int x = 0;
    int y = 0;
};
inline Pixel pixelOf(const Document& d, Vec3 p) {
    double x = 0.0, y = 0.0, depth = 0.0;
    EXPECT_TRUE(projectPoint(d.view, kTestViewport, p, x, y, depth));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

// An element of any type code whose hit the test decides.
class StubElement : public Element {
  public:
    StubElement(TypeCode typeCode, int parentCount = 0, int parts = 0)
        : Element(typeCode, kViewTestStyle, parentCount), parts(parts) {}
    std::unique_ptr<Element> clone() const override {
        return std::unique_ptr<Element>(new StubElement(*this));
    }
    void recompute(Construction&, const RecomputeContext&) override { defined = 1; }
    void draw(std::uint32_t, int, Canvas&) override {}
    int hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) override {
        ++hitTests;
        if (!hits) return 0;
        hitPoint = ray.nearPoint + (ray.farPoint - ray.nearPoint) * depthFraction;
        return 1;
    }
    int subElementCount() const override { return parts; }

    bool hits = true;
    double depthFraction = 0.01;  // where along the ray the hit lies
    int parts = 0;
    int hitTests = 0;

  protected:
    StubElement(const StubElement&) = default;
};

inline StubElement* addStub(Document& d, TypeCode typeCode, int parts = 0) {
    auto e = std::make_unique<StubElement>(typeCode, 0, parts);
    e->defined = 1;
    return static_cast<StubElement*>(d.construction().append(std::move(e)));
}
