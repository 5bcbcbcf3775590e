#pragma once

#include <array>

#include "model/element.h"

// The intersection point codes, by the kinds of their parents (in parent order).
inline constexpr int kCodeLinePlanePoint = 11100;     // straight, plane-like
inline constexpr int kCodeLineSpherePoint = 11105;    // straight, sphere
inline constexpr int kCodeLineLinePoint = 11110;      // straight, straight
inline constexpr int kCodeCirclePlanePoint = 11115;   // circle or arc, plane-like
inline constexpr int kCodeCircleSpherePoint = 11120;  // circle or arc, sphere
inline constexpr int kCodeCircleCirclePoint = 11125;  // circle or arc, circle or arc
inline constexpr int kCodeLineCirclePoint = 11130;    // straight, circle or arc
inline constexpr int kCodeThreePlanesPoint = 11135;   // three plane-like
inline constexpr int kCodeLineCylinderPoint = 11140;  // straight, cylinder
inline constexpr int kCodeLineConePoint = 11145;      // straight, cone
inline constexpr int kCodeLineConicPoint = 11150;     // straight, conic
inline constexpr int kCodePlaneConicPoint = 11155;    // plane-like, conic

// Planes and polygons: elements whose plane is read through supportPlane.
bool isPlaneLikeKind(ElementKind kind);
// Circles and arcs.
bool isRoundKind(ElementKind kind);

// Whether the routine of an intersection code can find two points; such
// intersections are made as two points with rootIndex 0 and 1.
bool hasTwoRoots(int intersectionCode);

// The intersection code for two elements of these kinds, or 0 when they give no
// intersection point. swapped tells that the code takes them in the other order
// (straight elements first, then circles and arcs, planes before conics).
int intersectionCodeOfKinds(ElementKind first, ElementKind second, bool& swapped);

// How to make the intersection point(s) of given elements.
struct IntersectionRecipe {
    int typeCode = 0;  // 0: these elements give no intersection point
    bool twoRoots = false;
    int parentCount = 0;
    std::array<Element*, 3> parents{};  // in the code's parent order
};

// For two elements: the pair's code with the parents in the code's order.
IntersectionRecipe intersectionRecipe(Element* a, Element* b);
// For three plane-like elements: their common point, in the given order.
IntersectionRecipe intersectionRecipe(Element* a, Element* b, Element* c);
