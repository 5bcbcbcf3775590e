#pragma once

#include <array>

#include "model/element.h"

// Planes and polygons: elements whose plane is read through supportPlane.
bool isPlaneLikeKind(ElementKind kind);
// Circles and arcs.
bool isRoundKind(ElementKind kind);

// Whether the routine of an intersection code can find two points; such
// intersections are made as two points with rootIndex 0 and 1.
bool hasTwoRoots(TypeCode intersectionCode);

// The intersection code for two elements of these kinds, or 0 when they give no
// intersection point (None). swapped tells that the code takes them in the other order
// (straight elements first, then circles and arcs, planes before conics).
TypeCode intersectionCodeOfKinds(ElementKind first, ElementKind second, bool& swapped);

// How to make the intersection point(s) of given elements.
struct IntersectionRecipe {
    TypeCode typeCode = TypeCode::None;  // None: these elements give no intersection point
    bool twoRoots = false;
    int parentCount = 0;
    std::array<Element*, 3> parents{};  // in the code's parent order
};

// For two elements: the pair's code with the parents in the code's order.
IntersectionRecipe intersectionRecipe(Element* a, Element* b);
// For three plane-like elements: their common point, in the given order.
IntersectionRecipe intersectionRecipe(Element* a, Element* b, Element* c);
