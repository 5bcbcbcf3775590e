#pragma once

// Small constructions for the curve tests: free points placed directly, and
// curve elements linked to them and recomputed by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "elements/point.h"
#include "geometry/vec3.h"
#include "model/construction.h"

inline constexpr double kPi = std::numbers::pi;
inline const KindStyle kCurveStyle{0, 1, 0, 0, 0x00ff00};

inline double dist(Vec3 a, Vec3 b) {
    return norm(a - b);
}

// Element classes under test keep the construction tidy: everything is appended.
class CurveTest : public ::testing::Test {
  protected:
    Point* freePoint(Vec3 at) {
        auto p = std::make_unique<Point>(TypeCode::FreePoint, kCurveStyle);
        p->position = at;
        p->defined = 1;
        return static_cast<Point*>(construction.append(std::move(p)));
    }

    template <typename T>
    T* add(std::unique_ptr<T> element, std::vector<Element*> parents) {
        Element* added = construction.appendOn(std::move(element), parents);
        EXPECT_NE(added, nullptr) << "parents that do not fit the element's type code";
        return static_cast<T*>(added);
    }

    template <typename T>
    T* make(TypeCode typeCode, std::vector<Element*> parents) {
        T* e = add(std::make_unique<T>(typeCode, kCurveStyle), std::move(parents));
        e->recompute(construction, {0, 1.0});
        return e;
    }

    void recompute(Element* e) { e->recompute(construction, {0, 1.0}); }

    Construction construction;
};

#define EXPECT_VEC_NEAR(a, b, eps)                            \
    do {                                                      \
        const Vec3 expectVecA_ = (a);                         \
        const Vec3 expectVecB_ = (b);                         \
        EXPECT_NEAR(expectVecA_.x, expectVecB_.x, eps) << #a; \
        EXPECT_NEAR(expectVecA_.y, expectVecB_.y, eps) << #a; \
        EXPECT_NEAR(expectVecA_.z, expectVecB_.z, eps) << #a; \
    } while (0)
