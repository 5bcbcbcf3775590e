#include "lang/composed_texts.h"

#include <algorithm>
#include <string_view>

#include "lang/text_ids.h"

namespace {

using namespace textid;

constexpr Composition single(int key, int text) {
    return {key, {text, 0, 0, 0, 0}};
}
constexpr Composition paren(int key, int text, int detail) {
    return {key, {text, kPartOpen, detail, kPartClose, 0}};
}
constexpr Composition colon(int key, int text, int detail) {
    return {key, {text, kPartColon, detail, 0, 0}};
}

// Definitions that are not transformations: the kind's noun, with what distinguishes the variant in
// parentheses where a kind has several.
constexpr Composition kPlainDescriptions[] = {
    // Points.
    paren(10000, kNounPoint, kQualFree),
    paren(10001, kNounPoint, kQualRepresented),
    paren(10002, kNounPoint, kQualByCoordinates),
    single(10070, kNounMidpoint),
    paren(10071, kNounCentre, kQualOfCircle),
    paren(10072, kNounCentre, kQualOfArc),
    paren(10073, kNounCentre, kQualOfConic),
    paren(10605, kNounVertex, kQualOfRegularPolygon),
    paren(10610, kNounVertex, kQualOfRegularPolyhedron),
    paren(10790, kNounPoint, kQualDisplaced),
    paren(11100, kNounIntersectionPoint, kQualLinePlane),
    paren(11105, kNounIntersectionPoint, kQualLineSphere),
    paren(11110, kNounIntersectionPoint, kQualLineLine),
    paren(11115, kNounIntersectionPoint, kQualCirclePlane),
    paren(11120, kNounIntersectionPoint, kQualCircleSphere),
    paren(11125, kNounIntersectionPoint, kQualCircleCircle),
    paren(11130, kNounIntersectionPoint, kQualLineCircle),
    paren(11135, kNounIntersectionPoint, kQualThreePlanes),
    paren(11140, kNounIntersectionPoint, kQualLineCylinder),
    paren(11145, kNounIntersectionPoint, kQualLineCone),
    paren(11150, kNounIntersectionPoint, kQualLineConic),
    paren(11155, kNounIntersectionPoint, kQualPlaneConic),
    paren(11500, kNounPoint, kQualOnObject),
    // Straight elements.
    single(10010, kNounVector),
    paren(10110, kNounVector, kQualSum),
    single(10015, kNounSegment),
    single(10020, kNounLine),
    paren(10085, kNounLine, kQualParallelLine),
    paren(10090, kNounLine, kQualPerpendicularToLine),
    paren(10091, kNounLine, kQualPerpendicularToPlane),
    paren(11000, kNounLine, kQualIntersectionOfPlanes),
    single(10025, kNounRay),
    // Circles, arcs and conics.
    paren(10030, kNounCircle, kQualThreePoints),
    paren(10031, kNounCircle, kQualPointAxis),
    paren(11001, kNounCircle, kQualIntersectionOfSpheres),
    paren(11002, kNounCircle, kQualSectionOfSphere),
    paren(10045, kNounArc, kQualThreePoints),
    paren(10040, kNounConic, kQualFivePoints),
    paren(11003, kNounConic, kQualPlaneSection),
    // Planes, polygons and polyhedra.
    paren(10050, kNounPlane, kQualThreePoints),
    paren(10075, kNounPlane, kQualMediator),
    paren(10080, kNounPlane, kQualParallelPlane),
    paren(10081, kNounPlane, kQualPerpendicularPlane),
    single(10055, kNounPolygon),
    single(10600, kNounRegularPolygon),
    paren(10700, kNounRegularPolyhedron, kQualTetrahedron),
    paren(10705, kNounRegularPolyhedron, kQualCube),
    paren(10710, kNounRegularPolyhedron, kQualOctahedron),
    paren(10715, kNounRegularPolyhedron, kQualDodecahedron),
    paren(10720, kNounRegularPolyhedron, kQualIcosahedron),
    // Spheres, cylinders and cones.
    single(10060, kNounSphere),
    single(10061, kNounCylinder),
    single(10062, kNounCone),
    // Loci and iterations.
    paren(11700, kNounCurve, kQualLocusOfPoint),
    paren(11800, kNounSurface, kQualLocusOfCircle),
    paren(11805, kNounSurface, kQualLocusOfSegment),
    paren(11810, kNounSurface, kQualLocusOfPoint),
    paren(11815, kNounSurface, kQualLocusTwoParameters),
    single(11900, kNounIteration),
    // Numbers, coordinates and texts.
    paren(10305, kNounNumber, kQualCoordinateX),
    paren(10310, kNounNumber, kQualCoordinateY),
    paren(10315, kNounNumber, kQualCoordinateZ),
    paren(10500, kNounDistance, kQualPointPoint),
    paren(10501, kNounDistance, kQualPointLine),
    paren(10502, kNounDistance, kQualPointPlane),
    paren(10503, kNounDistance, kQualLineLine),
    paren(10510, kNounLength, kQualOfSegment),
    paren(10511, kNounLength, kQualOfCircle),
    paren(10512, kNounLength, kQualOfArc),
    paren(10515, kNounPerimeter, kQualOfPolygon),
    paren(10520, kNounAngle, kQualThreePoints),
    paren(10521, kNounAngle, kQualLinePlane),
    paren(10522, kNounAngle, kQualPlanePlane),
    paren(10525, kNounArea, kQualOfDisc),
    paren(10526, kNounArea, kQualOfPolygon),
    paren(10527, kNounArea, kQualOfSphere),
    paren(10530, kNounVolume, kQualOfSphere),
    single(10550, kNounParameter),
    single(10555, kNounCalculation),
    paren(10725, kNounArea, kQualTetrahedron),
    paren(10726, kNounArea, kQualCube),
    paren(10727, kNounArea, kQualOctahedron),
    paren(10728, kNounArea, kQualDodecahedron),
    paren(10729, kNounArea, kQualIcosahedron),
    paren(10730, kNounVolume, kQualTetrahedron),
    paren(10731, kNounVolume, kQualCube),
    paren(10732, kNounVolume, kQualOctahedron),
    paren(10733, kNounVolume, kQualDodecahedron),
    paren(10734, kNounVolume, kQualIcosahedron),
    single(10300, kNounCoordinates),
    single(20000, kNounText),
};

// Transformed elements: the family's first code and the noun of the kind it transforms. The family
// code plus 0 … 4 is the image by central symmetry, axial symmetry, plane symmetry, translation and
// rotation; the description is "noun: transformation".
struct TransformFamily {
    int baseCode;
    int noun;
};
constexpr TransformFamily kTransformFamilies[] = {
    {10800, kNounPoint},  {10810, kNounSegment}, {10820, kNounVector},   {10830, kNounLine},
    {10840, kNounRay},    {10850, kNounCircle},  {10860, kNounPlane},    {10870, kNounPolygon},
    {10880, kNounSphere}, {10890, kNounArc},     {10900, kNounCylinder}, {10910, kNounCone},
    {10920, kNounConic},
};
constexpr int kTransformNames[] = {kQualCentralSymmetry, kQualAxialSymmetry, kQualPlaneSymmetry,
                                   kQualTranslation, kQualRotation};

constexpr std::size_t kPlainCount = std::size(kPlainDescriptions);
constexpr std::size_t kTransformCount = std::size(kTransformFamilies) * std::size(kTransformNames);

constexpr std::array<Composition, kPlainCount + kTransformCount> buildDescriptions() {
    std::array<Composition, kPlainCount + kTransformCount> rows{};
    std::size_t n = 0;
    for (const Composition& row : kPlainDescriptions) rows[n++] = row;
    for (const TransformFamily& family : kTransformFamilies) {
        for (std::size_t t = 0; t < std::size(kTransformNames); ++t) {
            rows[n++] = colon(family.baseCode + static_cast<int>(t), family.noun, kTransformNames[t]);
        }
    }
    return rows;
}

constexpr auto kDescriptions = buildDescriptions();

// The prompt of each tool: its name and, in parentheses, what it waits for.
constexpr Composition kToolPrompts[] = {
    single(0, kToolSelect),
    paren(1, kNounMacro, kHintApplyMacro),
    paren(2, kNounMacro, kHintInitialElements),
    paren(3, kNounMacro, kHintFinalElements),
    paren(4, kNounIteration, kHintIterate),
    paren(5, kToolFreePoint, kHintFreePoint),
    paren(6, kToolIntersectionPoint, kHintTwoObjects),
    paren(7, kToolRedefinePoint, kHintRedefine),
    single(8, kToolRepresentPoints),
    paren(9, kToolPointByCoordinates, kHintThreeNumbers),
    paren(10, kToolVector, kHintStartEnd),
    paren(11, kToolSegment, kHintTwoPoints),
    paren(12, kToolLine, kHintTwoPoints),
    paren(13, kToolRay, kHintOriginThrough),
    paren(14, kToolCircle, kHintCircle),
    paren(15, kToolArc, kHintThreePoints),
    paren(16, kToolConic, kHintFivePoints),
    paren(17, kToolIntersectionLine, kHintIntersectionLine),
    paren(18, kToolPlane, kHintThreePoints),
    paren(19, kToolPolygon, kHintPolygon),
    paren(20, kToolRegularPolygon, kHintPointAxis),
    paren(21, kToolSphere, kHintCentrePoint),
    paren(22, kToolCylinder, kHintPointAxis),
    paren(23, kToolCone, kHintCone),
    paren(24, kToolRegularPolyhedron, kHintPointAxis),
    paren(25, kToolLocus, kHintLocus),
    paren(26, kToolMidpoint, kHintTwoPoints),
    paren(27, kToolCentre, kHintCentre),
    paren(28, kToolMediatorPlane, kHintTwoPoints),
    paren(29, kToolParallel, kHintReferencePoint),
    paren(30, kToolPerpendicular, kHintReferencePoint),
    paren(31, kToolSumVector, kHintSum),
    paren(32, kToolCentralSymmetry, kHintObjectCentre),
    paren(33, kToolAxialSymmetry, kHintObjectAxis),
    paren(34, kToolPlaneSymmetry, kHintObjectPlane),
    paren(35, kToolTranslation, kHintObjectVector),
    paren(36, kToolRotation, kHintObjectAxisAngle),
    paren(37, kToolDisplacedPoint, kHintDisplaced),
    paren(38, kToolLength, kHintLength),
    paren(39, kToolAngle, kHintAngle),
    paren(40, kToolArea, kHintArea),
    paren(41, kToolVolume, kHintVolume),
    paren(42, kToolCoordinates, kHintOnePoint),
    paren(43, kToolCalculate, kHintNumbers),
    paren(44, kToolParameter, kHintNumbers),
    paren(45, kToolText, kHintPosition),
    single(46, kItemMoveScreen),
    single(47, kItemZoom),
    single(48, kItemRotateView),
    paren(49, kItemAnimation, kHintAnimation),
    paren(50, kToolEditElement, kHintOneElement),
    paren(51, kToolDeleteElement, kHintOneElement),
    paren(52, kToolHideShow, kHintOneElement),
};

// Kind 0 names nothing.
constexpr int kKindNames[] = {0,
                              kKindPoint,
                              kKindVector,
                              kKindSegment,
                              kKindLine,
                              kKindRay,
                              kKindCircle,
                              kKindArc,
                              kKindConic,
                              kKindPlane,
                              kKindPolygon,
                              kKindRegularPolygon,
                              kKindRegularPolyhedron,
                              kKindSphere,
                              kKindCylinder,
                              kKindCone,
                              kKindCurve,
                              kKindSurface,
                              kKindNumber,
                              kKindCoordinates,
                              kKindIteration,
                              kKindText};

std::string_view punctuation(int part) {
    switch (part) {
        case kPartOpen:
            return " (";
        case kPartClose:
            return ")";
        case kPartColon:
            return ": ";
        default:
            return {};
    }
}

}  // namespace

std::span<const Composition> descriptionCompositions() {
    return kDescriptions;
}

std::span<const Composition> toolPromptCompositions() {
    return kToolPrompts;
}

const Composition* findComposition(std::span<const Composition> rows, int key) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [key](const Composition& row) { return row.key == key; });
    return it == rows.end() ? nullptr : &*it;
}

std::string compose(const TextTable& texts, const Composition& row) {
    std::string out;
    for (const int part : row.parts) {
        if (part == 0) break;
        if (part > 0) {
            out += texts.text(part);
        } else {
            out += punctuation(part);
        }
    }
    return out;
}

std::string composeDescription(const TextTable& texts, int typeCode) {
    const Composition* row = findComposition(kDescriptions, typeCode);
    return row ? compose(texts, *row) : std::string();
}

std::string composeToolPrompt(const TextTable& texts, int toolNumber) {
    const Composition* row = findComposition(kToolPrompts, toolNumber);
    return row ? compose(texts, *row) : std::string();
}

int kindNameTextId(int kind) {
    if (kind < 1 || kind >= static_cast<int>(std::size(kKindNames))) return 0;
    return kKindNames[kind];
}
