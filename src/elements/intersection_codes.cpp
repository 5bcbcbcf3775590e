#include "elements/intersection_codes.h"

#include <utility>

bool isPlaneLikeKind(ElementKind kind) {
    return kind == ElementKind::Plane || kind == ElementKind::Polygon;
}

bool isRoundKind(ElementKind kind) {
    return kind == ElementKind::Circle || kind == ElementKind::Arc;
}

bool hasTwoRoots(TypeCode intersectionCode) {
    switch (intersectionCode) {
        case TypeCode::LineSpherePoint:
        case TypeCode::CirclePlanePoint:
        case TypeCode::CircleSpherePoint:
        case TypeCode::CircleCirclePoint:
        case TypeCode::LineCirclePoint:
        case TypeCode::LineCylinderPoint:
        case TypeCode::LineConePoint:
        case TypeCode::LineConicPoint:
        case TypeCode::PlaneConicPoint:
            return true;
        default:
            return false;
    }
}

namespace {

// The intersection code whose row takes two parents of these kinds in this order.
TypeCode codeInOrder(ElementKind a, ElementKind b) {
    const ElementKind kinds[] = {a, b};
    for (const TypeCodeInfo& row : allTypeCodes()) {
        if (row.isIntersectionPoint() && acceptsParents(row, kinds)) return row.code;
    }
    return TypeCode::None;
}

}  // namespace

TypeCode intersectionCodeOfKinds(ElementKind first, ElementKind second, bool& swapped) {
    swapped = false;
    if (const TypeCode code = codeInOrder(first, second); code != TypeCode::None) return code;
    if (const TypeCode code = codeInOrder(second, first); code != TypeCode::None) {
        swapped = true;
        return code;
    }
    return TypeCode::None;
}

IntersectionRecipe intersectionRecipe(Element* a, Element* b) {
    IntersectionRecipe recipe;
    if (a == nullptr || b == nullptr || a == b) return recipe;
    bool swapped = false;
    recipe.typeCode = intersectionCodeOfKinds(a->kind(), b->kind(), swapped);
    if (recipe.typeCode == TypeCode::None) return recipe;
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
    recipe.typeCode = TypeCode::ThreePlanesPoint;
    recipe.parentCount = 3;
    recipe.parents = {a, b, c};
    return recipe;
}
