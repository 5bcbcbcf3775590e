#include "elements/intersection_codes.h"

#include <utility>

#include "elements/straight_element.h"

bool isPlaneLikeKind(ElementKind kind) {
    return kind == ElementKind::Plane || kind == ElementKind::Polygon;
}

bool isRoundKind(ElementKind kind) {
    return kind == ElementKind::Circle || kind == ElementKind::Arc;
}

bool hasTwoRoots(int intersectionCode) {
    switch (intersectionCode) {
        case kCodeLineSpherePoint:
        case kCodeCirclePlanePoint:
        case kCodeCircleSpherePoint:
        case kCodeCircleCirclePoint:
        case kCodeLineCirclePoint:
        case kCodeLineCylinderPoint:
        case kCodeLineConePoint:
        case kCodeLineConicPoint:
        case kCodePlaneConicPoint:
            return true;
        default:
            return false;
    }
}

namespace {

// The code for the kinds in the code's own order, 0 when that order has none.
int codeInOrder(ElementKind a, ElementKind b) {
    if (isStraightKind(a)) {
        if (isStraightKind(b)) return kCodeLineLinePoint;
        if (isPlaneLikeKind(b)) return kCodeLinePlanePoint;
        if (isRoundKind(b)) return kCodeLineCirclePoint;
        switch (b) {
            case ElementKind::Sphere:
                return kCodeLineSpherePoint;
            case ElementKind::Cylinder:
                return kCodeLineCylinderPoint;
            case ElementKind::Cone:
                return kCodeLineConePoint;
            case ElementKind::Conic:
                return kCodeLineConicPoint;
            default:
                return 0;
        }
    }
    if (isRoundKind(a)) {
        if (isRoundKind(b)) return kCodeCircleCirclePoint;
        if (isPlaneLikeKind(b)) return kCodeCirclePlanePoint;
        if (b == ElementKind::Sphere) return kCodeCircleSpherePoint;
        return 0;
    }
    if (isPlaneLikeKind(a) && b == ElementKind::Conic) return kCodePlaneConicPoint;
    return 0;
}

}  // namespace

int intersectionCodeOfKinds(ElementKind first, ElementKind second, bool& swapped) {
    swapped = false;
    if (int code = codeInOrder(first, second)) return code;
    if (int code = codeInOrder(second, first)) {
        swapped = true;
        return code;
    }
    return 0;
}

IntersectionRecipe intersectionRecipe(Element* a, Element* b) {
    IntersectionRecipe recipe;
    if (a == nullptr || b == nullptr || a == b) return recipe;
    bool swapped = false;
    recipe.typeCode = intersectionCodeOfKinds(a->kind(), b->kind(), swapped);
    if (recipe.typeCode == 0) return recipe;
    if (swapped) std::swap(a, b);
    recipe.twoRoots = hasTwoRoots(recipe.typeCode);
    recipe.parentCount = 2;
    recipe.parents = {a, b, nullptr};
    return recipe;
}

IntersectionRecipe intersectionRecipe(Element* a, Element* b, Element* c) {
    IntersectionRecipe recipe;
    if (a == nullptr || b == nullptr || c == nullptr || a == b || a == c || b == c) return recipe;
    if (!isPlaneLikeKind(a->kind()) || !isPlaneLikeKind(b->kind()) || !isPlaneLikeKind(c->kind()))
        return recipe;
    recipe.typeCode = kCodeThreePlanesPoint;
    recipe.parentCount = 3;
    recipe.parents = {a, b, c};
    return recipe;
}
