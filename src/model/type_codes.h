#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

#include "lang/composed_texts.h"
#include "model/element_kind.h"
#include "model/kind_style.h"

class Element;
class TextTable;

// What built an element and from which parents. The values are those stored in
// construction files; the rows of type_codes.cpp say everything else about each code.
enum class TypeCode : std::int32_t {
    None = 0,
    // points
    FreePoint = 10000,
    RepresentedPoint = 10001,
    PointByCoordinates = 10002,  // numbers X, Y, Z
    MidpointTwoPoints = 10070,
    CircleCentre = 10071,
    ArcCentre = 10072,
    ConicCentre = 10073,
    RegularPolygonVertex = 10605,
    RegularPolyhedronVertex = 10610,
    PointAtDistance = 10790,  // point A, point B, number d
    PointCentralSymmetry = 10800,
    PointAxialSymmetry,
    PointPlaneSymmetry,
    PointTranslation,
    PointRotation,
    LinePlanePoint = 11100,     // straight, plane-like
    LineSpherePoint = 11105,    // straight, sphere
    LineLinePoint = 11110,      // straight, straight
    CirclePlanePoint = 11115,   // circle or arc, plane-like
    CircleSpherePoint = 11120,  // circle or arc, sphere
    CircleCirclePoint = 11125,  // circle or arc, circle or arc
    LineCirclePoint = 11130,    // straight, circle or arc
    ThreePlanesPoint = 11135,   // three plane-like
    LineCylinderPoint = 11140,  // straight, cylinder
    LineConePoint = 11145,      // straight, cone
    LineConicPoint = 11150,     // straight, conic
    PlaneConicPoint = 11155,    // plane-like, conic
    PointOnObject = 11500,
    // straight elements
    VectorTwoPoints = 10010,
    VectorSum = 10110,  // vector, vector, point
    VectorCentralSymmetry = 10820,
    VectorAxialSymmetry,
    VectorPlaneSymmetry,
    VectorTranslation,
    VectorRotation,
    SegmentTwoPoints = 10015,
    SegmentCentralSymmetry = 10810,
    SegmentAxialSymmetry,
    SegmentPlaneSymmetry,
    SegmentTranslation,
    SegmentRotation,
    LineTwoPoints = 10020,
    ParallelLine = 10085,          // straight element, point
    PerpendicularToLine = 10090,   // straight element, point
    PerpendicularToPlane = 10091,  // plane-like, point
    PlanesIntersectionLine = 11000,
    LineCentralSymmetry = 10830,
    LineAxialSymmetry,
    LinePlaneSymmetry,
    LineTranslation,
    LineRotation,
    RayTwoPoints = 10025,
    RayCentralSymmetry = 10840,
    RayAxialSymmetry,
    RayPlaneSymmetry,
    RayTranslation,
    RayRotation,
    // circles, arcs, conics
    CircleThreePoints = 10030,
    CircleAboutAxis = 10031,  // point, straight element
    CircleOfTwoSpheres = 11001,
    CircleOfSphereAndPlane = 11002,
    CircleCentralSymmetry = 10850,
    CircleAxialSymmetry,
    CirclePlaneSymmetry,
    CircleTranslation,
    CircleRotation,
    ArcThreePoints = 10045,
    ArcCentralSymmetry = 10890,
    ArcAxialSymmetry,
    ArcPlaneSymmetry,
    ArcTranslation,
    ArcRotation,
    ConicFivePoints = 10040,
    ConicPlaneSection = 11003,  // plane-like, cylinder or cone
    ConicCentralSymmetry = 10920,
    ConicAxialSymmetry,
    ConicPlaneSymmetry,
    ConicTranslation,
    ConicRotation,
    // planes, polygons, regular polygons and polyhedra
    PlaneThreePoints = 10050,
    MediatorPlane = 10075,       // point, point
    ParallelPlane = 10080,       // plane-like, point
    PerpendicularPlane = 10081,  // straight element, point
    PlaneCentralSymmetry = 10860,
    PlaneAxialSymmetry,
    PlanePlaneSymmetry,
    PlaneTranslation,
    PlaneRotation,
    PolygonVertices = 10055,
    PolygonCentralSymmetry = 10870,
    PolygonAxialSymmetry,
    PolygonPlaneSymmetry,
    PolygonTranslation,
    PolygonRotation,
    RegularPolygon = 10600,
    Tetrahedron = 10700,
    Cube = 10705,
    Octahedron = 10710,
    Dodecahedron = 10715,
    Icosahedron = 10720,
    // spheres, cylinders, cones
    SphereCentrePoint = 10060,
    SphereCentralSymmetry = 10880,
    SphereAxialSymmetry,
    SpherePlaneSymmetry,
    SphereTranslation,
    SphereRotation,
    CylinderAboutAxis = 10061,  // point, straight element
    CylinderCentralSymmetry = 10900,
    CylinderAxialSymmetry,
    CylinderPlaneSymmetry,
    CylinderTranslation,
    CylinderRotation,
    ConeThroughPoint = 10062,  // point on it, base centre, apex
    ConeCentralSymmetry = 10910,
    ConeAxialSymmetry,
    ConePlaneSymmetry,
    ConeTranslation,
    ConeRotation,
    // loci and iterations
    PointLocus = 11700,
    CircleLocus = 11800,
    SegmentLocus = 11805,
    PolygonSurfaceLocus = 11810,
    ParameterSurfaceLocus = 11815,
    Iteration = 11900,
    // numbers, coordinates, texts
    Coordinates = 10300,
    CoordinateX = 10305,
    CoordinateY = 10310,
    CoordinateZ = 10315,
    PointPointDistance = 10500,
    PointLineDistance = 10501,
    PointPlaneDistance = 10502,
    LineLineDistance = 10503,
    SegmentLength = 10510,
    CircleLength = 10511,
    ArcLength = 10512,
    PolygonPerimeter = 10515,
    ThreePointAngle = 10520,
    LinePlaneAngle = 10521,
    PlanePlaneAngle = 10522,
    CircleArea = 10525,
    PolygonArea = 10526,
    SphereArea = 10527,
    SphereVolume = 10530,
    Parameter = 10550,
    Calculation = 10555,
    TetrahedronArea = 10725,
    CubeArea,
    OctahedronArea,
    DodecahedronArea,
    IcosahedronArea,
    TetrahedronVolume = 10730,
    CubeVolume,
    OctahedronVolume,
    DodecahedronVolume,
    IcosahedronVolume,
    Text = 20000,
};

// The value stored in files and used as the description's text id.
constexpr std::int32_t codeValue(TypeCode code) {
    return static_cast<std::int32_t>(code);
}
std::ostream& operator<<(std::ostream& out, TypeCode code);

// The class that serves a type code.
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

// The five isometries of the Transform menu. An image's code is the first code
// of its kind's family plus this number.
enum class TransformationKind : int {
    None = -1,
    CentralSymmetry = 0,  // parents after the source: point Q
    AxialSymmetry = 1,    // straight element L
    PlaneSymmetry = 2,    // plane or polygon S
    Translation = 3,      // vector V
    Rotation = 4,         // straight element L (the axis A→B), number a
};
inline constexpr int kTransformationCount = 5;

// Parent count of the codes whose count is given when the element is made
// (a polygon's vertices, a calculation's operands, an iteration's elements).
inline constexpr int kVariableParentCount = -1;
// The most parents a code of fixed count takes (a conic through five points).
inline constexpr std::size_t kMaxFixedParents = 5;

// Parent positions, as bits: bit i stands for parent i.
using ParentPositions = std::uint8_t;

// What a group leader generates after itself, in this order: the three numbers
// of coordinates, then vertices, then face polygons. How many of each is the
// leader's own (Element::groupLayout).
struct GeneratedParts {
    std::array<TypeCode, 3> numbers{TypeCode::None, TypeCode::None, TypeCode::None};
    TypeCode vertex = TypeCode::None;
    TypeCode face = TypeCode::None;
};

// Makes an empty element of a class: the style is the document's for the kind
// (zero for a file record), parentCount is used by the variable-count codes.
using ElementMaker = std::unique_ptr<Element> (*)(TypeCode code, const KindStyle& style, int parentCount);

// One row of the type-code table: everything the program knows about a code.
struct TypeCodeInfo {
    TypeCode code = TypeCode::None;
    ElementKind kind = ElementKind::None;
    ElementClass elementClass = ElementClass::None;
    int parentCount = 0;  // kVariableParentCount for the variable-count codes
    // The bounds of a variable count.
    int minParents = 0;
    int maxParents = 0;
    // The kinds each parent may have, in parent order; a variable-count code
    // takes every parent of the kinds of position 0.
    std::array<KindSet, kMaxFixedParents> parentKinds{};
    // The point parents that lie on the element because of how it is built.
    ParentPositions pointsOn = 0;
    // For a point: the parents it lies on because of how it is built.
    ParentPositions liesOn = 0;
    // For an image: the transformation it applies to its source (parent 0).
    TransformationKind transformation = TransformationKind::None;
    // For a group leader: the codes of what it generates.
    GeneratedParts generated;
    // The description in the construction list, the element dialog and the step display.
    CompositionParts description{};
    // Set by the table from the leaders' rows: an element of this code exists only
    // as a part generated by a group leader.
    bool generatedPart = false;
    // Makes the element of a class the program's factory does not know; nullptr
    // for the program's own classes, which the factory makes from elementClass.
    ElementMaker make = nullptr;

    bool isMeasure() const { return elementClass == ElementClass::Measure; }
    bool isIntersectionPoint() const { return elementClass == ElementClass::IntersectionPoint; }
    bool hasVariableParentCount() const { return parentCount == kVariableParentCount; }
};

// The row of a code, or nullptr when the code names no element.
const TypeCodeInfo* typeCodeInfo(TypeCode code);
// Every row, in ascending code order.
std::span<const TypeCodeInfo> allTypeCodes();
// Adds a row for a code the table does not hold yet (a kind of element that is
// not part of the program, as tests make); false when the code is taken or None.
// Row pointers handed out before may no longer be valid afterwards.
bool registerTypeCode(const TypeCodeInfo& row);
// Removes a row added by registerTypeCode.
void unregisterTypeCode(TypeCode code);

// Kind rule: the kind of a code, ElementKind::None for a code the table does not list.
ElementKind kindOfTypeCode(TypeCode code);
// Parent-count rule: the fixed count, kVariableParentCount, or 0 for an unlisted code.
int parentCountOfTypeCode(TypeCode code);
ElementClass classOfTypeCode(TypeCode code);
bool isMeasureCode(TypeCode code);
bool isIntersectionPointCode(TypeCode code);
bool hasVariableParentCount(TypeCode code);
// What a leader of this code generates; no codes for every other code.
const GeneratedParts& generatedPartsOf(TypeCode code);
// Whether an element of this code exists only as a part generated by a group leader.
bool isGeneratedPartCode(TypeCode code);
// The class's name as the program's documentation and dumps spell it ("Point", "Measure", …).
const char* elementClassName(ElementClass elementClass);
// Whether parent parentIndex of an element of this code may be of the given kind.
bool acceptsParentKind(const TypeCodeInfo& info, int parentIndex, ElementKind kind);
// Whether parents of these kinds, in this order, fit the code: their number and each one's kind.
bool acceptsParents(const TypeCodeInfo& info, std::span<const ElementKind> kinds);

// The transformation an image code applies (None for a code that is no image).
TransformationKind transformationOf(TypeCode code);
// The code of the image of an element of this kind under the transformation, or
// None for the kinds that cannot be transformed (regular polygons and polyhedra,
// loci, iterations, numbers, coordinates, texts).
TypeCode imageTypeCode(ElementKind sourceKind, TransformationKind transformation);

// The description of the definition `code`; an empty text for a code that is not an element.
std::string composeDescription(const TextTable& texts, TypeCode code);
// The same as a lookup by the code's number, as the construction list takes it.
std::function<std::string(int)> descriptionLookup(const TextTable& texts);
