#include "model/type_codes.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <vector>

#include "lang/text_ids.h"

namespace {

using namespace textid;
using K = ElementKind;
using C = ElementClass;
using T = TypeCode;

// ---- the kinds a parent may have

constexpr KindSet kPoint{K::Point};
constexpr KindSet kVector{K::Vector};
constexpr KindSet kSegment{K::Segment};
constexpr KindSet kStraight{K::Vector, K::Segment, K::Line, K::Ray};
constexpr KindSet kSegmentOrVector{K::Vector, K::Segment};
constexpr KindSet kCircle{K::Circle};
constexpr KindSet kArc{K::Arc};
constexpr KindSet kRound{K::Circle, K::Arc};
constexpr KindSet kConic{K::Conic};
constexpr KindSet kPlaneLike{K::Plane, K::Polygon};
constexpr KindSet kPolygon{K::Polygon};
constexpr KindSet kRegularPolygon{K::RegularPolygon};
constexpr KindSet kRegularPolyhedron{K::RegularPolyhedron};
constexpr KindSet kSphere{K::Sphere};
constexpr KindSet kCylinder{K::Cylinder};
constexpr KindSet kCone{K::Cone};
constexpr KindSet kCylinderOrCone{K::Cylinder, K::Cone};
constexpr KindSet kNumber{K::Number};
constexpr KindSet kCoordinates{K::Coordinates};
// What a point can be placed on.
constexpr KindSet kPointCarrier{K::Vector, K::Segment, K::Line,    K::Ray,    K::Circle,   K::Arc,
                                K::Conic,  K::Plane,   K::Polygon, K::Sphere, K::Cylinder, K::Cone};
// What drives a locus: a point on an object or a parameter number.
constexpr KindSet kLocusDriver{K::Point, K::Number};

// The parents of a transformation, after the source, in the order of TransformationKind.
struct TransformationParents {
    std::array<KindSet, 2> kinds;
    int count;
};
constexpr TransformationParents kTransformationParents[kTransformationCount] = {
    {{kPoint}, 1}, {{kStraight}, 1}, {{kPlaneLike}, 1}, {{kVector}, 1}, {{kStraight, kNumber}, 2}};
constexpr int kTransformationNames[kTransformationCount] = {
    kQualCentralSymmetry, kQualAxialSymmetry, kQualPlaneSymmetry, kQualTranslation, kQualRotation};

constexpr int kUnbounded = std::numeric_limits<int>::max();

constexpr ParentPositions on(std::initializer_list<int> positions) {
    ParentPositions bits = 0;
    for (const int i : positions) bits = static_cast<ParentPositions>(bits | (1u << i));
    return bits;
}

TypeCodeInfo row(T code, K kind, C cls, std::initializer_list<KindSet> parents, CompositionParts description,
                 ParentPositions pointsOn = 0) {
    TypeCodeInfo r;
    r.code = code;
    r.kind = kind;
    r.elementClass = cls;
    r.parentCount = static_cast<int>(parents.size());
    std::copy(parents.begin(), parents.end(), r.parentKinds.begin());
    r.pointsOn = pointsOn;
    r.description = description;
    return r;
}

TypeCodeInfo variable(T code, K kind, C cls, KindSet each, int minParents, int maxParents,
                      CompositionParts description) {
    TypeCodeInfo r = row(code, kind, cls, {each}, description);
    r.parentCount = kVariableParentCount;
    r.minParents = minParents;
    r.maxParents = maxParents;
    return r;
}

TypeCodeInfo leader(TypeCodeInfo r, GeneratedParts generated) {
    r.generated = generated;
    return r;
}

// The five images of a kind: the source, then the transformation's own parents;
// described as "noun: transformation".
void addImages(std::vector<TypeCodeInfo>& rows, T first, K kind, C cls, int noun) {
    for (int t = 0; t < kTransformationCount; ++t) {
        TypeCodeInfo r = row(static_cast<T>(codeValue(first) + t), kind, cls, {KindSet{kind}},
                             composeColon(noun, kTransformationNames[t]));
        const TransformationParents& more = kTransformationParents[t];
        std::copy_n(more.kinds.begin(), more.count, r.parentKinds.begin() + 1);
        r.parentCount = 1 + more.count;
        r.transformation = static_cast<TransformationKind>(t);
        rows.push_back(r);
    }
}

CompositionParts single(int text) {
    return composeSingle(text);
}
CompositionParts paren(int text, int detail) {
    return composeParenthesised(text, detail);
}

// Every type code of the program, by kind.
std::vector<TypeCodeInfo> programRows() {
    std::vector<TypeCodeInfo> r;
    const auto add = [&](const TypeCodeInfo& info) { r.push_back(info); };

    // points
    add(row(T::FreePoint, K::Point, C::Point, {}, paren(kNounPoint, kQualFree)));
    add(row(T::RepresentedPoint, K::Point, C::Point, {}, paren(kNounPoint, kQualRepresented)));
    add(row(T::PointByCoordinates, K::Point, C::Point, {kNumber, kNumber, kNumber},
            paren(kNounPoint, kQualByCoordinates)));
    add(row(T::MidpointTwoPoints, K::Point, C::Point, {kPoint, kPoint}, single(kNounMidpoint)));
    add(row(T::CircleCentre, K::Point, C::Point, {kCircle}, paren(kNounCentre, kQualOfCircle)));
    add(row(T::ArcCentre, K::Point, C::Point, {kArc}, paren(kNounCentre, kQualOfArc)));
    add(row(T::ConicCentre, K::Point, C::Point, {kConic}, paren(kNounCentre, kQualOfConic)));
    add(row(T::RegularPolygonVertex, K::Point, C::Point, {kRegularPolygon},
            paren(kNounVertex, kQualOfRegularPolygon)));
    add(row(T::RegularPolyhedronVertex, K::Point, C::Point, {kRegularPolyhedron},
            paren(kNounVertex, kQualOfRegularPolyhedron)));
    add(row(T::PointAtDistance, K::Point, C::Point, {kPoint, kPoint, kNumber},
            paren(kNounPoint, kQualDisplaced)));
    addImages(r, T::PointCentralSymmetry, K::Point, C::Point, kNounPoint);
    // An intersection point lies on all its parents.
    const auto meet = [&](T code, std::initializer_list<KindSet> parents, int detail) {
        TypeCodeInfo r =
            row(code, K::Point, C::IntersectionPoint, parents, paren(kNounIntersectionPoint, detail));
        r.liesOn = parents.size() == 3 ? on({0, 1, 2}) : on({0, 1});
        add(r);
    };
    meet(T::LinePlanePoint, {kStraight, kPlaneLike}, kQualLinePlane);
    meet(T::LineSpherePoint, {kStraight, kSphere}, kQualLineSphere);
    meet(T::LineLinePoint, {kStraight, kStraight}, kQualLineLine);
    meet(T::CirclePlanePoint, {kRound, kPlaneLike}, kQualCirclePlane);
    meet(T::CircleSpherePoint, {kRound, kSphere}, kQualCircleSphere);
    meet(T::CircleCirclePoint, {kRound, kRound}, kQualCircleCircle);
    meet(T::LineCirclePoint, {kStraight, kRound}, kQualLineCircle);
    meet(T::ThreePlanesPoint, {kPlaneLike, kPlaneLike, kPlaneLike}, kQualThreePlanes);
    meet(T::LineCylinderPoint, {kStraight, kCylinder}, kQualLineCylinder);
    meet(T::LineConePoint, {kStraight, kCone}, kQualLineCone);
    meet(T::LineConicPoint, {kStraight, kConic}, kQualLineConic);
    meet(T::PlaneConicPoint, {kPlaneLike, kConic}, kQualPlaneConic);
    TypeCodeInfo pointOn =
        row(T::PointOnObject, K::Point, C::PointOnObject, {kPointCarrier}, paren(kNounPoint, kQualOnObject));
    pointOn.liesOn = on({0});
    add(pointOn);

    // straight elements
    const auto straight = [&](T code, K kind, std::initializer_list<KindSet> parents, CompositionParts d,
                              ParentPositions pointsOn) {
        add(row(code, kind, C::StraightElement, parents, d, pointsOn));
    };
    straight(T::VectorTwoPoints, K::Vector, {kPoint, kPoint}, single(kNounVector), on({0, 1}));
    straight(T::VectorSum, K::Vector, {kVector, kVector, kPoint}, paren(kNounVector, kQualSum), on({2}));
    addImages(r, T::VectorCentralSymmetry, K::Vector, C::StraightElement, kNounVector);
    straight(T::SegmentTwoPoints, K::Segment, {kPoint, kPoint}, single(kNounSegment), on({0, 1}));
    addImages(r, T::SegmentCentralSymmetry, K::Segment, C::StraightElement, kNounSegment);
    straight(T::LineTwoPoints, K::Line, {kPoint, kPoint}, single(kNounLine), on({0, 1}));
    straight(T::ParallelLine, K::Line, {kStraight, kPoint}, paren(kNounLine, kQualParallelLine), on({1}));
    straight(T::PerpendicularToLine, K::Line, {kStraight, kPoint}, paren(kNounLine, kQualPerpendicularToLine),
             on({1}));
    straight(T::PerpendicularToPlane, K::Line, {kPlaneLike, kPoint},
             paren(kNounLine, kQualPerpendicularToPlane), on({1}));
    straight(T::PlanesIntersectionLine, K::Line, {kPlaneLike, kPlaneLike},
             paren(kNounLine, kQualIntersectionOfPlanes), 0);
    addImages(r, T::LineCentralSymmetry, K::Line, C::StraightElement, kNounLine);
    straight(T::RayTwoPoints, K::Ray, {kPoint, kPoint}, single(kNounRay), on({0, 1}));
    addImages(r, T::RayCentralSymmetry, K::Ray, C::StraightElement, kNounRay);

    // circles, arcs, conics
    add(row(T::CircleThreePoints, K::Circle, C::Circle, {kPoint, kPoint, kPoint},
            paren(kNounCircle, kQualThreePoints), on({0, 1, 2})));
    add(row(T::CircleAboutAxis, K::Circle, C::Circle, {kPoint, kStraight}, paren(kNounCircle, kQualPointAxis),
            on({0})));
    add(row(T::CircleOfTwoSpheres, K::Circle, C::Circle, {kSphere, kSphere},
            paren(kNounCircle, kQualIntersectionOfSpheres)));
    add(row(T::CircleOfSphereAndPlane, K::Circle, C::Circle, {kSphere, kPlaneLike},
            paren(kNounCircle, kQualSectionOfSphere)));
    addImages(r, T::CircleCentralSymmetry, K::Circle, C::Circle, kNounCircle);
    add(row(T::ArcThreePoints, K::Arc, C::Arc, {kPoint, kPoint, kPoint}, paren(kNounArc, kQualThreePoints),
            on({0, 1, 2})));
    addImages(r, T::ArcCentralSymmetry, K::Arc, C::Arc, kNounArc);
    add(row(T::ConicFivePoints, K::Conic, C::Conic, {kPoint, kPoint, kPoint, kPoint, kPoint},
            paren(kNounConic, kQualFivePoints), on({0, 1, 2, 3, 4})));
    add(row(T::ConicPlaneSection, K::Conic, C::Conic, {kPlaneLike, kCylinderOrCone},
            paren(kNounConic, kQualPlaneSection)));
    addImages(r, T::ConicCentralSymmetry, K::Conic, C::Conic, kNounConic);

    // planes, polygons, regular polygons and polyhedra
    add(row(T::PlaneThreePoints, K::Plane, C::Plane, {kPoint, kPoint, kPoint},
            paren(kNounPlane, kQualThreePoints), on({0, 1, 2})));
    add(row(T::MediatorPlane, K::Plane, C::Plane, {kPoint, kPoint}, paren(kNounPlane, kQualMediator)));
    add(row(T::ParallelPlane, K::Plane, C::Plane, {kPlaneLike, kPoint}, paren(kNounPlane, kQualParallelPlane),
            on({1})));
    add(row(T::PerpendicularPlane, K::Plane, C::Plane, {kStraight, kPoint},
            paren(kNounPlane, kQualPerpendicularPlane), on({1})));
    addImages(r, T::PlaneCentralSymmetry, K::Plane, C::Plane, kNounPlane);
    add(variable(T::PolygonVertices, K::Polygon, C::Polygon, kPoint, 3, kUnbounded, single(kNounPolygon)));
    addImages(r, T::PolygonCentralSymmetry, K::Polygon, C::Polygon, kNounPolygon);
    add(leader(row(T::RegularPolygon, K::RegularPolygon, C::RegularPolygon, {kPoint, kStraight},
                   single(kNounRegularPolygon)),
               {.vertex = T::RegularPolygonVertex, .face = T::PolygonVertices}));
    const auto solid = [&](T code, int detail) {
        add(leader(row(code, K::RegularPolyhedron, C::RegularPolyhedron, {kPoint, kStraight},
                       paren(kNounRegularPolyhedron, detail)),
                   {.vertex = T::RegularPolyhedronVertex, .face = T::PolygonVertices}));
    };
    solid(T::Tetrahedron, kQualTetrahedron);
    solid(T::Cube, kQualCube);
    solid(T::Octahedron, kQualOctahedron);
    solid(T::Dodecahedron, kQualDodecahedron);
    solid(T::Icosahedron, kQualIcosahedron);

    // spheres, cylinders, cones
    add(row(T::SphereCentrePoint, K::Sphere, C::Sphere, {kPoint, kPoint}, single(kNounSphere), on({1})));
    addImages(r, T::SphereCentralSymmetry, K::Sphere, C::Sphere, kNounSphere);
    add(row(T::CylinderAboutAxis, K::Cylinder, C::Cylinder, {kPoint, kStraight}, single(kNounCylinder),
            on({0})));
    addImages(r, T::CylinderCentralSymmetry, K::Cylinder, C::Cylinder, kNounCylinder);
    add(row(T::ConeThroughPoint, K::Cone, C::Cone, {kPoint, kPoint, kPoint}, single(kNounCone), on({0, 2})));
    addImages(r, T::ConeCentralSymmetry, K::Cone, C::Cone, kNounCone);

    // loci and iterations
    add(row(T::PointLocus, K::Curve, C::Locus, {kPoint, kLocusDriver}, paren(kNounCurve, kQualLocusOfPoint)));
    add(row(T::CircleLocus, K::Surface, C::Locus, {kCircle, kLocusDriver},
            paren(kNounSurface, kQualLocusOfCircle)));
    add(row(T::SegmentLocus, K::Surface, C::Locus, {kSegmentOrVector, kLocusDriver},
            paren(kNounSurface, kQualLocusOfSegment)));
    add(row(T::PolygonSurfaceLocus, K::Surface, C::SurfaceLocus, {kPoint, kPoint},
            paren(kNounSurface, kQualLocusOfPoint)));
    add(row(T::ParameterSurfaceLocus, K::Surface, C::SurfaceLocus, {kPoint, kNumber, kNumber},
            paren(kNounSurface, kQualLocusTwoParameters)));
    add(variable(T::Iteration, K::Iteration, C::Iteration, KindSet::all(), 0, kUnbounded,
                 single(kNounIteration)));

    // numbers, coordinates, texts
    add(leader(row(T::Coordinates, K::Coordinates, C::Coordinates, {kPoint}, single(kNounCoordinates)),
               {.numbers = {T::CoordinateX, T::CoordinateY, T::CoordinateZ}}));
    add(row(T::CoordinateX, K::Number, C::NumberElement, {kCoordinates},
            paren(kNounNumber, kQualCoordinateX)));
    add(row(T::CoordinateY, K::Number, C::NumberElement, {kCoordinates},
            paren(kNounNumber, kQualCoordinateY)));
    add(row(T::CoordinateZ, K::Number, C::NumberElement, {kCoordinates},
            paren(kNounNumber, kQualCoordinateZ)));
    const auto measure = [&](T code, std::initializer_list<KindSet> parents, int noun, int detail) {
        add(row(code, K::Number, C::Measure, parents, paren(noun, detail)));
    };
    measure(T::PointPointDistance, {kPoint, kPoint}, kNounDistance, kQualPointPoint);
    measure(T::PointLineDistance, {kPoint, kStraight}, kNounDistance, kQualPointLine);
    measure(T::PointPlaneDistance, {kPoint, kPlaneLike}, kNounDistance, kQualPointPlane);
    measure(T::LineLineDistance, {kStraight, kStraight}, kNounDistance, kQualLineLine);
    measure(T::SegmentLength, {kSegmentOrVector}, kNounLength, kQualOfSegment);
    measure(T::CircleLength, {kCircle}, kNounLength, kQualOfCircle);
    measure(T::ArcLength, {kArc}, kNounLength, kQualOfArc);
    measure(T::PolygonPerimeter, {kPolygon}, kNounPerimeter, kQualOfPolygon);
    measure(T::ThreePointAngle, {kPoint, kPoint, kPoint}, kNounAngle, kQualThreePoints);
    measure(T::LinePlaneAngle, {kStraight, kPlaneLike}, kNounAngle, kQualLinePlane);
    measure(T::PlanePlaneAngle, {kPlaneLike, kPlaneLike}, kNounAngle, kQualPlanePlane);
    measure(T::CircleArea, {kCircle}, kNounArea, kQualOfDisc);
    measure(T::PolygonArea, {kPolygon}, kNounArea, kQualOfPolygon);
    measure(T::SphereArea, {kSphere}, kNounArea, kQualOfSphere);
    measure(T::SphereVolume, {kSphere}, kNounVolume, kQualOfSphere);
    const int solids[] = {kQualTetrahedron, kQualCube, kQualOctahedron, kQualDodecahedron, kQualIcosahedron};
    for (int i = 0; i < 5; ++i) {
        measure(static_cast<T>(codeValue(T::TetrahedronArea) + i), {kRegularPolyhedron}, kNounArea,
                solids[i]);
        measure(static_cast<T>(codeValue(T::TetrahedronVolume) + i), {kRegularPolyhedron}, kNounVolume,
                solids[i]);
    }
    add(row(T::Parameter, K::Number, C::ParameterNumber, {}, single(kNounParameter)));
    // One operand per variable letter A … W.
    add(variable(T::Calculation, K::Number, C::Calculation, kNumber, 0, 23, single(kNounCalculation)));
    add(row(T::Text, K::Text, C::Text, {}, single(kNounText)));

    std::sort(r.begin(), r.end(),
              [](const TypeCodeInfo& a, const TypeCodeInfo& b) { return a.code < b.code; });
    return r;
}

std::vector<TypeCodeInfo>::iterator lowerBound(std::vector<TypeCodeInfo>& rows, T code) {
    return std::lower_bound(rows.begin(), rows.end(), code,
                            [](const TypeCodeInfo& row, T c) { return row.code < c; });
}

// Marks the codes that some leader's row names as generated.
void markGeneratedParts(std::vector<TypeCodeInfo>& rows) {
    for (TypeCodeInfo& row : rows) row.generatedPart = false;
    const auto mark = [&](T code) {
        const auto it = lowerBound(rows, code);
        if (code != T::None && it != rows.end() && it->code == code) it->generatedPart = true;
    };
    for (const TypeCodeInfo& row : rows) {
        mark(row.generated.vertex);
        for (const T code : row.generated.numbers) mark(code);
    }
}

std::vector<TypeCodeInfo>& table() {
    static std::vector<TypeCodeInfo> rows = [] {
        std::vector<TypeCodeInfo> r = programRows();
        markGeneratedParts(r);
        return r;
    }();
    return rows;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, TypeCode code) {
    return out << codeValue(code);
}

const TypeCodeInfo* typeCodeInfo(TypeCode code) {
    auto& rows = table();
    const auto it = lowerBound(rows, code);
    return (it != rows.end() && it->code == code) ? &*it : nullptr;
}

std::span<const TypeCodeInfo> allTypeCodes() {
    return table();
}

bool registerTypeCode(const TypeCodeInfo& row) {
    auto& rows = table();
    const auto it = lowerBound(rows, row.code);
    if (row.code == T::None || (it != rows.end() && it->code == row.code)) return false;
    rows.insert(it, row);
    markGeneratedParts(rows);
    return true;
}

void unregisterTypeCode(TypeCode code) {
    auto& rows = table();
    const auto it = lowerBound(rows, code);
    if (it != rows.end() && it->code == code) rows.erase(it);
    markGeneratedParts(rows);
}

ElementKind kindOfTypeCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->kind : ElementKind::None;
}

int parentCountOfTypeCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->parentCount : 0;
}

ElementClass classOfTypeCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->elementClass : ElementClass::None;
}

bool isMeasureCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info && info->isMeasure();
}

bool isIntersectionPointCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info && info->isIntersectionPoint();
}

bool hasVariableParentCount(TypeCode code) {
    return parentCountOfTypeCode(code) == kVariableParentCount;
}

const GeneratedParts& generatedPartsOf(TypeCode code) {
    static const GeneratedParts kNothing;
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->generated : kNothing;
}

bool isGeneratedPartCode(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info && info->generatedPart;
}

bool acceptsParentKind(const TypeCodeInfo& info, int parentIndex, ElementKind kind) {
    if (parentIndex < 0) return false;
    // Variable-count codes take every parent of the one listed kind set.
    const bool variable = info.hasVariableParentCount();
    if (!variable && parentIndex >= info.parentCount) return false;
    return info.parentKinds[variable ? 0 : static_cast<std::size_t>(parentIndex)].contains(kind);
}

bool acceptsParents(const TypeCodeInfo& info, std::span<const ElementKind> kinds) {
    const int count = static_cast<int>(kinds.size());
    if (info.hasVariableParentCount() ? (count < info.minParents || count > info.maxParents)
                                      : count != info.parentCount)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!acceptsParentKind(info, i, kinds[static_cast<std::size_t>(i)])) return false;
    }
    return true;
}

TransformationKind transformationOf(TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? info->transformation : TransformationKind::None;
}

TypeCode imageTypeCode(ElementKind sourceKind, TransformationKind transformation) {
    if (transformation == TransformationKind::None || sourceKind == ElementKind::None) return T::None;
    for (const TypeCodeInfo& row : table()) {
        if (row.kind == sourceKind && row.transformation == transformation) return row.code;
    }
    return T::None;
}

const char* elementClassName(ElementClass elementClass) {
    static constexpr const char* kNames[] = {"",
                                             "Point",
                                             "IntersectionPoint",
                                             "PointOnObject",
                                             "StraightElement",
                                             "Circle",
                                             "Arc",
                                             "Conic",
                                             "Plane",
                                             "Polygon",
                                             "RegularPolygon",
                                             "RegularPolyhedron",
                                             "Sphere",
                                             "Cylinder",
                                             "Cone",
                                             "Locus",
                                             "SurfaceLocus",
                                             "NumberElement",
                                             "Measure",
                                             "ParameterNumber",
                                             "Calculation",
                                             "Coordinates",
                                             "Iteration",
                                             "Text"};
    const auto i = static_cast<std::size_t>(elementClass);
    return i < std::size(kNames) ? kNames[i] : "";
}

std::string composeDescription(const TextTable& texts, TypeCode code) {
    const TypeCodeInfo* info = typeCodeInfo(code);
    return info ? compose(texts, info->description) : std::string();
}

std::function<std::string(int)> descriptionLookup(const TextTable& texts) {
    return [&texts](int code) { return composeDescription(texts, static_cast<TypeCode>(code)); };
}
