#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/element_kind.h"
#include "model/type_codes.h"

// The cursor the view shows, by tool and gesture.
enum class ToolCursor {
    Arrow,
    Drawing,  // tools that place points and pick elements
    Drag,     // the selection tool while it drags an element
    Pan,
    Zoom,
    Rotate,
    MacroInitial,
    MacroFinal,
    Redefine,
    Text,
    Animation,
    Edit,
    Delete,
    HideShow,
};

constexpr KindSet kindBit(ElementKind kind) {
    return KindSet{kind};
}
// Kinds first … last (1 point … 21 text), inclusive.
constexpr KindSet kindRange(int first, int last) {
    return KindSet::range(static_cast<ElementKind>(first), static_cast<ElementKind>(last));
}
constexpr bool hasKind(KindSet set, ElementKind kind) {
    return set.contains(kind);
}

inline constexpr KindSet kNoKinds{};
inline constexpr KindSet kAllKinds = kindRange(1, kKindCount);
inline constexpr KindSet kPoints = kindBit(ElementKind::Point);
inline constexpr KindSet kVectors = kindBit(ElementKind::Vector);
inline constexpr KindSet kNumbers = kindBit(ElementKind::Number);
inline constexpr KindSet kStraights = kindRange(2, 5);
inline constexpr KindSet kPlaneLike = kindRange(9, 10);
// What a point can be put on, and what the transformations take.
inline constexpr KindSet kPointCarriers = kindRange(2, 10) | kindRange(13, 15);

// How a tool turns its picks into elements. The state machine counts picks by
// the table; the action says what happens after each pick.
enum class ToolAction {
    None,               // the selection tool and the camera gestures
    Later,              // tools whose clicks other parts of the program handle
    FreePoint,          // one click makes a point
    Intersection,       // intersection points, narrowing by the first pick
    Redefine,           // a point, then its new definition
    Iterate,            // the iteration dialog's sets, picked while it is open
    Sequence,           // `picks` picks, accepted by `after`, make `typeCode`
    Circle,             // three points, or a point and an axis in either order
    IntersectionLine,   // two surfaces
    Polygon,            // points until one of them is clicked again
    Cylinder,           // a point and an axis in either order
    RegularPolygon,     // a point and an axis, then the number of sides
    RegularPolyhedron,  // a point and an axis, then the solid
    Locus,              // the moving element, then its driver(s)
    Centre,             // a circle, an arc or a conic
    Parallel,           // a reference and a point in either order
    Perpendicular,      // as Parallel; Ctrl makes the plane
    Transformation,     // the objects, then the transformation's elements
    Length,
    Angle,
    Area,
    Volume,
    Coordinates,  // one point
    Edit,         // one element
    Delete,       // one element
    HideShow,     // one element
    Calculator,   // numbers clicked type their letters into the calculator
    Text,         // a click opens the text dialog there
    Animate,      // a parameter or a point on an element joins or leaves the animation list

    // The macro tools: a click toggles an initial or a final element of a new
    // macro; the apply tool takes one pick of each kind the macro starts from.
    MacroInitial,
    MacroFinal,
    MacroApply,
};

// One construction tool.
struct ToolRow {
    int number;
    int commandId;  // the menu command that chooses it; 0 for tools without one
    int textId;     // its name in the language files
    ToolCursor cursor;
    KindSet acceptedAtStart;
    bool coordinateParts;  // the numbers of a coordinates element are picked one by one
    bool figureParts;      // the vertices and faces of a regular figure are picked one by one
    ToolAction action;
    // Sequence and Transformation tools: the picks a complete list holds, the
    // kinds accepted after pick 1, 2, 3 (none: as before), and what they make:
    // an element of one code, or the images of one transformation.
    int picks = 0;
    std::array<KindSet, 3> after{};
    TypeCode makes = TypeCode::None;
    TransformationKind transform = TransformationKind::None;
};

inline constexpr int kSelectionTool = 0;
inline constexpr int kLastToolNumber = 52;

// The row of a tool number, or nullptr for a number that names no tool.
const ToolRow* toolRow(int toolNumber);
// The row of the tool a menu command chooses, or nullptr.
const ToolRow* toolRowOfCommand(int commandId);
// Every tool, by number.
std::span<const ToolRow> allTools();
