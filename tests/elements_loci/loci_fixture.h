#pragma once

// Small constructions of real elements for the locus and iteration tests. Free
// points are placed directly; everything else is recomputed by the construction.
// Parameters are played by a stand-in of code 10550 that answers the number
// virtuals a locus drives, so these tests do not depend on the number layer.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "model/construction.h"
#include "support/recording_canvas.h"

inline constexpr KindStyle kLociStyle{0, 1, 0, 0, 0x00ff00};

// A parameter number: a value and a range, nothing to compute.
class StandInParameter : public Element {
  public:
    StandInParameter(double value, double minimum, double maximum)
        : Element(TypeCode::Parameter, kLociStyle), value(value), minimum(minimum), maximum(maximum) {}

    std::unique_ptr<Element> clone() const override {
        return std::unique_ptr<Element>(new StandInParameter(*this));
    }
    void recompute(Construction&, const RecomputeContext&) override {
        ++recomputeCount;
        defined = 1;
    }
    void draw(std::uint32_t, int, Canvas&) override {}
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }
    bool currentValue(double& v) const override {
        v = value;
        return true;
    }
    bool parameterRange(double& lo, double& hi) const override {
        lo = minimum;
        hi = maximum;
        return true;
    }
    void setParameterValue(double v) override { value = v; }

    double value;
    double minimum;
    double maximum;
    int recomputeCount = 0;

  protected:
    StandInParameter(const StandInParameter&) = default;
};

// A canvas that only counts, for drawings too large to record call by call.
class CountingCanvas : public RecordingCanvas {
  public:
    void dot(Vec3, std::uint32_t, int, int) override { ++dots; }
    void segment(Vec3, Vec3, std::uint32_t, int, int, int, bool) override { ++segments; }
    long dots = 0;
    long segments = 0;
};

struct LociScene {
    Construction c;

    Point* free(Vec3 at) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, kLociStyle);
        p->position = at;
        p->defined = 1;
        return static_cast<Point*>(c.append(std::move(p)));
    }

    template <typename T>
    T* add(std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
        Element* added = c.appendOn(std::move(e), parents);
        EXPECT_NE(added, nullptr) << "parents that do not fit the element's type code";
        return static_cast<T*>(added);
    }

    StraightElement* straight(TypeCode code, Element* a, Element* b) {
        return add(std::make_unique<StraightElement>(code, kLociStyle), {a, b});
    }

    PointOnObject* pointOn(Element* object, double param1, double param2 = 0.0) {
        auto p = std::make_unique<PointOnObject>(kLociStyle);
        p->param1 = param1;
        p->param2 = param2;
        return add(std::move(p), {object});
    }

    StandInParameter* parameter(double value, double minimum, double maximum) {
        return static_cast<StandInParameter*>(
            c.append(std::make_unique<StandInParameter>(value, minimum, maximum)));
    }

    void recompute() { c.recomputeAll({1, 1.0}); }
};

inline double gap(Vec3 a, Vec3 b) {
    return norm(a - b);
}

inline void expectNear(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
