#pragma once

#include <array>
#include <span>

#include "model/element_kind.h"

// The class that serves a type code. Element classes are chosen from this, and
// only from this, wherever an element is made from its code.
enum class ElementClass : int {
    None,
    Point,
    IntersectionPoint,
    PointOnObject,
    StraightElement,
    Circle,
    Arc,
    Conic,
    Plane,
    Polygon,
    RegularPolygon,
    RegularPolyhedron,
    Sphere,
    Cylinder,
    Cone,
    Locus,
    SurfaceLocus,
    NumberElement,
    Measure,
    ParameterNumber,
    Calculation,
    Coordinates,
    Iteration,
    Text,
};

// Parent count of the codes whose count is given when the element is made
// (a polygon's vertices, a calculation's operands, an iteration's elements).
inline constexpr int kVariableParentCount = -1;

// One row of the type-code table. The text id of a code's description in the
// language files is the code itself.
struct TypeCodeInfo {
    int code;
    ElementKind kind;
    int parentCount;  // kVariableParentCount for the variable-count codes
    ElementClass elementClass;
    bool isMeasure;
    bool isIntersectionPoint;
    // The kinds each parent may have, one letter per parent in parent order (a
    // single letter for every parent of a variable-count code): p point, v vector,
    // g segment, l line, r ray, s any straight element, t segment or vector,
    // c circle, a arc, k circle or arc, o conic, f plane, F plane or polygon,
    // y polygon, R regular polygon, H regular polyhedron, e sphere, i cylinder,
    // n cone, q cylinder or cone, N number, C coordinates, O any object a point
    // can lie on, d a locus driver (point or number), * any element.
    std::array<char, 8> parentKinds;
};

// The row of a code, or nullptr when the code names no element.
const TypeCodeInfo* typeCodeInfo(int code);
// Every row, in ascending code order.
std::span<const TypeCodeInfo> allTypeCodes();

// Kind rule: the kind of a code, ElementKind::None for a code the table does not list.
ElementKind kindOfTypeCode(int code);
// Parent-count rule: the fixed count, kVariableParentCount, or 0 for an unlisted code.
int parentCountOfTypeCode(int code);
ElementClass classOfTypeCode(int code);
bool isMeasureCode(int code);
bool isIntersectionPointCode(int code);
bool hasVariableParentCount(int code);
// The class's name as the program's documentation and dumps spell it ("Point", "Measure", …).
const char* elementClassName(ElementClass elementClass);
// Whether parent parentIndex of an element of this code may be of the given kind.
bool acceptsParentKind(const TypeCodeInfo& info, int parentIndex, ElementKind kind);
