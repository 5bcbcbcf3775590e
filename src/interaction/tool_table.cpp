#include "interaction/tool_table.h"

#include <algorithm>

#include "elements/point.h"
#include "elements/straight_element.h"
#include "lang/text_ids.h"

namespace {

using namespace textid;
using A = ToolAction;
using C = ToolCursor;
using K = ElementKind;

constexpr KindSet kIntersectables = kPointCarriers;
constexpr KindSet kPointOrAxis = kindRange(1, 5);
constexpr KindSet kReferenceOrPoint = kindRange(1, 5) | kPlaneLike;
constexpr KindSet kTransformable = kindRange(1, 10) | kindRange(13, 15);
constexpr KindSet kNotFigures = kAllKinds - (kindBit(K::RegularPolygon) | kindBit(K::RegularPolyhedron));
constexpr KindSet kMacroInitials =
    kAllKinds - (kindBit(K::RegularPolygon) | kindBit(K::RegularPolyhedron) | kindBit(K::Curve) |
                 kindBit(K::Surface) | kindBit(K::Coordinates) | kindBit(K::Iteration) | kindBit(K::Text));

// Tools that make one element of a fixed code from a fixed number of picks.
constexpr ToolRow sequence(int number, int command, int text, KindSet accepted, int picks, TypeCode code,
                           std::array<KindSet, 3> after = {}, bool coordinateParts = false) {
    return {number,           command,     text,  C::Drawing, accepted, coordinateParts,
            !coordinateParts, A::Sequence, picks, after,      code};
}

// The five transformations: the objects (one pick however many), then the
// transformation's own elements.
constexpr ToolRow transformation(int number, int command, int text, TransformationKind transform,
                                 KindSet second, KindSet third = kNoKinds) {
    return {number,
            command,
            text,
            C::Drawing,
            kTransformable,
            true,
            true,
            A::Transformation,
            third.empty() ? 2 : 3,
            {second, third, kNoKinds},
            TypeCode::None,
            transform};
}

constexpr ToolRow kTools[] = {
    {0, 5000, kToolSelect, C::Arrow, kAllKinds, false, false, A::None},
    {1, 5300, kMacroOptions, C::Arrow, kNoKinds, true, true, A::MacroApply},
    {2, 0, kNounMacro, C::MacroInitial, kMacroInitials, false, true, A::MacroInitial},
    {3, 0, kNounMacro, C::MacroFinal, kAllKinds - kindBit(K::Text), false, false, A::MacroFinal},
    {4, 5400, kIterationCommand, C::Arrow, kNoKinds, false, false, A::Iterate},
    {5, 5010, kToolFreePoint, C::Drawing, kNoKinds, false, false, A::FreePoint},
    {6, 5070, kToolIntersectionPoint, C::Drawing, kIntersectables, false, true, A::Intersection},
    {7, 5005, kToolRedefinePoint, C::Redefine, kPoints, false, false, A::Redefine},
    {8, 5011, kToolRepresentPoints, C::Arrow, kNoKinds, false, false, A::Later},
    sequence(9, 5012, kToolPointByCoordinates, kNumbers, 3, TypeCode::PointByCoordinates, {}, true),
    sequence(10, 5016, kToolVector, kPoints, 2, TypeCode::VectorTwoPoints),
    sequence(11, 5015, kToolSegment, kPoints, 2, TypeCode::SegmentTwoPoints),
    sequence(12, 5017, kToolLine, kPoints, 2, TypeCode::LineTwoPoints),
    sequence(13, 5018, kToolRay, kPoints, 2, TypeCode::RayTwoPoints),
    {14, 5019, kToolCircle, C::Drawing, kPointOrAxis, false, true, A::Circle},
    sequence(15, 5056, kToolArc, kPoints, 3, TypeCode::ArcThreePoints),
    sequence(16, 5057, kToolConic, kPoints, 5, TypeCode::ConicFivePoints),
    {17, 5075, kToolIntersectionLine, C::Drawing, kindBit(K::Plane) | kindRange(13, 15), false, false,
     A::IntersectionLine},
    sequence(18, 5020, kToolPlane, kPoints, 3, TypeCode::PlaneThreePoints),
    {19, 5021, kToolPolygon, C::Drawing, kPoints, false, true, A::Polygon},
    {20, 5023, kToolRegularPolygon, C::Drawing, kPointOrAxis, false, true, A::RegularPolygon},
    sequence(21, 5022, kToolSphere, kPoints, 2, TypeCode::SphereCentrePoint),
    {22, 5058, kToolCylinder, C::Drawing, kPointOrAxis, false, true, A::Cylinder},
    sequence(23, 5059, kToolCone, kPoints, 3, TypeCode::ConeThroughPoint),
    {24, 5024, kToolRegularPolyhedron, C::Drawing, kPointOrAxis, false, true, A::RegularPolyhedron},
    {25, 5025, kToolLocus, C::Drawing, kPoints | kVectors | kindBit(K::Segment) | kindBit(K::Circle), true,
     true, A::Locus},
    sequence(26, 5050, kToolMidpoint, kPoints, 2, TypeCode::MidpointTwoPoints),
    {27, 5054, kToolCentre, C::Drawing, kindRange(6, 8), false, false, A::Centre},
    sequence(28, 5051, kToolMediatorPlane, kPoints, 2, TypeCode::MediatorPlane),
    {29, 5052, kToolParallel, C::Drawing, kReferenceOrPoint, false, true, A::Parallel},
    {30, 5053, kToolPerpendicular, C::Drawing, kReferenceOrPoint, false, true, A::Perpendicular},
    sequence(31, 5055, kToolSumVector, kVectors, 3, TypeCode::VectorSum, {kNoKinds, kPoints, kNoKinds}),
    transformation(32, 5060, kToolCentralSymmetry, TransformationKind::CentralSymmetry, kPoints),
    transformation(33, 5061, kToolAxialSymmetry, TransformationKind::AxialSymmetry, kStraights),
    transformation(34, 5062, kToolPlaneSymmetry, TransformationKind::PlaneSymmetry, kPlaneLike),
    transformation(35, 5063, kToolTranslation, TransformationKind::Translation, kVectors),
    transformation(36, 5064, kToolRotation, TransformationKind::Rotation, kStraights, kNumbers),
    {37,
     5065,
     kToolDisplacedPoint,
     C::Drawing,
     kPoints,
     true,
     true,
     A::Sequence,
     3,
     {kNoKinds, kNumbers, kNoKinds},
     TypeCode::PointAtDistance},
    {38, 5210, kToolLength, C::Drawing, kindRange(1, 4) | kindRange(6, 7) | kPlaneLike, false, true,
     A::Length},
    {39, 5215, kToolAngle, C::Drawing, kPoints | kindBit(K::Line) | kindBit(K::Plane), false, true, A::Angle},
    {40, 5220, kToolArea, C::Drawing, kindBit(K::Circle) | kindRange(10, 12) | kindBit(K::Sphere), false,
     false, A::Area},
    {41, 5225, kToolVolume, C::Drawing, kindBit(K::RegularPolyhedron) | kindBit(K::Sphere), false, false,
     A::Volume},
    {42, 5013, kToolCoordinates, C::Drawing, kPoints, false, true, A::Coordinates},
    {43, 5200, kToolCalculate, C::Arrow, kNumbers, true, false, A::Calculator},
    {44, 5205, kToolParameter, C::Arrow, kNumbers, true, false, A::Calculator},
    {45, 5900, kToolText, C::Text, kNoKinds, false, false, A::Text},
    {46, 5100, kItemMoveScreen, C::Pan, kNoKinds, false, false, A::None},
    {47, 5101, kItemZoom, C::Zoom, kNoKinds, false, false, A::None},
    {48, 5102, kItemRotateView, C::Rotate, kNoKinds, false, false, A::None},
    {49, 5095, kItemAnimation, C::Animation, kPoints | kNumbers, false, false, A::Animate},
    {50, 5950, kToolEditElement, C::Edit, kNotFigures, false, true, A::Edit},
    {51, 5940, kToolDeleteElement, C::Delete, kAllKinds, false, false, A::Delete},
    {52, 5945, kToolHideShow, C::HideShow, kNotFigures, false, true, A::HideShow},
};

static_assert(std::size(kTools) == kLastToolNumber + 1);

constexpr bool rowsInToolOrder() {
    for (std::size_t i = 0; i < std::size(kTools); ++i)
        if (kTools[i].number != static_cast<int>(i)) return false;
    return true;
}
static_assert(rowsInToolOrder(), "the table is indexed by tool number");

}  // namespace

const ToolRow* toolRow(int toolNumber) {
    if (toolNumber < 0 || toolNumber > kLastToolNumber) return nullptr;
    return &kTools[toolNumber];
}

const ToolRow* toolRowOfCommand(int commandId) {
    if (commandId == 0) return nullptr;
    const auto it = std::find_if(std::begin(kTools), std::end(kTools),
                                 [commandId](const ToolRow& row) { return row.commandId == commandId; });
    return it == std::end(kTools) ? nullptr : &*it;
}

std::span<const ToolRow> allTools() {
    return kTools;
}
