#pragma once

// Small documents built from real element classes, shared by the file tests.

#include <gtest/gtest.h>

#include <memory>

#include "elements/point.h"
#include "elements/regular_solids.h"
#include "elements/straight_element.h"
#include "model/document.h"

inline Point* addPoint(Construction& c, Vec3 at, TypeCode code = TypeCode::FreePoint) {
    auto p = std::make_unique<Point>(code, KindStyle{0, 2, 0, 0, 0x0000FF});
    p->position = at;
    return static_cast<Point*>(c.append(std::move(p)));
}

template <typename T>
T* addOn(Construction& c, std::unique_ptr<T> e, std::initializer_list<Element*> parents) {
    Element* added = c.appendOn(std::move(e), parents);
    EXPECT_NE(added, nullptr) << "parents that do not fit the element's type code";
    return static_cast<T*>(added);
}

// Two points, their midpoint, a segment and a cube on the segment's line.
inline void buildSampleConstruction(Document& doc) {
    Construction& c = doc.construction();
    Point* a = addPoint(c, {0, 0, 0});
    a->setName("A");
    Point* b = addPoint(c, {1, 2, 3});
    addOn(c, std::make_unique<Point>(TypeCode::MidpointTwoPoints, KindStyle{}), {a, b});
    auto* s = addOn(
        c, std::make_unique<StraightElement>(TypeCode::SegmentTwoPoints, KindStyle{0, 1, 1, 0, 0x123456}),
        {a, b});
    Point* v = addPoint(c, {2, 0, 0});
    auto* cube = addOn(
        c, std::make_unique<RegularPolyhedron>(TypeCode::Cube, KindStyle{0, 0, 0, 0, 0x00FF00}), {v, s});
    for (ElementPtr& part : cube->makeParts(KindStyle{}, KindStyle{})) c.append(std::move(part));
    c.animationAdd(b);
    doc.recompute();
}
