#pragma once

// Small constructions of real elements for the point and straight-element tests.
// Elements of other families get their data set directly, so these tests follow
// only the classes under test.

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "model/construction.h"

inline const KindStyle kTestStyle{0, 0, 0, 0, 0x3366CC};

// Builds an element of class T with the given parents and appends it.
template <typename T, typename... Args>
T* addElement(Construction& c, std::initializer_list<Element*> parents, Args&&... args) {
    auto e = std::make_unique<T>(std::forward<Args>(args)...);
    std::size_t i = 0;
    for (Element* p : parents) e->parents.at(i++) = p;
    e->defined = 1;
    return static_cast<T*>(c.append(std::move(e)));
}

inline Point* addFreePoint(Construction& c, Vec3 at) {
    Point* p = addElement<Point>(c, {}, TypeCode::FreePoint, kTestStyle);
    p->position = at;
    return p;
}

// A straight element of the given code, recomputed once.
inline StraightElement* addStraight(Construction& c, TypeCode code, std::initializer_list<Element*> parents) {
    StraightElement* s = addElement<StraightElement>(c, parents, code, kTestStyle);
    s->recompute(c, {0, 1.0});
    return s;
}

inline void expectNear(Vec3 actual, Vec3 expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
