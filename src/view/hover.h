#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/construction.h"
#include "model/document.h"
#include "model/element.h"
#include "model/screen_text_context.h"
#include "view/camera.h"

// Picking: which element lies under the mouse, and the hover state the tools,
// selection and dragging act on.

// Depths closer than this count as equal.
inline constexpr double kHitDepthTolerance = 1e-6;
// The language text shown for a candidate intersection point.
inline constexpr int kCandidatePointTextId = 50850;

// What the current tool lets picking see. The defaults are the rules without a
// construction tool: every defined, shown element takes part, the parts of
// coordinates and regular figures are stepped over and no candidate point is made.
struct PickRules {
    int toolNumber = 0;
    // One flag per kind 0 to 21.
    std::array<bool, kKindCount + 1> acceptTable = [] {
        std::array<bool, kKindCount + 1> all{};
        all.fill(true);
        return all;
    }();
    bool pickCoordinateParts = false;
    bool pickFigureParts = false;
    bool canMakePoints = false;
    bool showHidden = false;  // "Ver lo oculto"
    // Whether the tool would make a point on this element; empty: never.
    std::function<bool(const Element&)> acceptsPointOnElement;
    // Elements the tool keeps out of picking (the numbers built on the
    // calculation being edited); empty: none.
    std::function<bool(const Element&)> excluded;
    // The polygon tool's picks once it holds more than two, tested after the
    // construction so the user can close the polygon on a picked point.
    std::span<Element* const> closingPicks;
};

// What lies under the mouse.
struct HoverState {
    bool hovered = false;
    Element* hoveredElement = nullptr;  // may be the candidate point
    Vec3 hitPoint;
    // An intersection point made on the fly, not in the construction; held
    // only while it is the hovered element.
    std::unique_ptr<Element> candidatePoint;
    bool hoveringCandidate = false;  // the hovered element is the candidate, even once a tool holds it
    int cursorX = 0;
    int cursorY = 0;
    double hitDepth = 0.0;  // 0: no hit yet

    bool isCandidate() const { return hovered && hoveringCandidate; }
    // Hands the candidate over to a tool; it stays the hovered element until the next pick.
    std::unique_ptr<Element> takeCandidate() { return std::move(candidatePoint); }
    // Nothing hovered, no candidate. Needed whenever the construction the
    // state points into is replaced.
    void reset();
};

// The result of updateHover beyond the state itself.
struct HoverUpdate {
    bool redraw = false;  // something is or was hovered
    // With no tool, the grabbed point: the 3-D mouse position a drag starts from.
    bool grabbed = false;
    Vec3 grabPoint;
};

// The elements picking walks, in construction order, entering the parts of
// coordinates and of regular figures only when the rules say so.
std::vector<Element*> pickWalk(const Construction& construction, const PickRules& rules);
// Whether an element takes part in picking.
bool takesPart(const Element& element, const PickRules& rules);
// Whether a hit at depth o replaces the best hit so far (nullptr: none yet) at depth b.
bool replacesBest(const Element& element, double o, const Element* best, double b);

// Recomputes the hover state at window point (x, y) (pixels, y downwards).
// Numbers, coordinates and texts are laid out first for the screen described.
HoverUpdate updateHover(HoverState& state, Document& document, Viewport viewport, int x, int y,
                        const PickRules& rules, const ScreenTextContext& screenTexts);

struct CandidatePoint {
    std::unique_ptr<Element> point;  // nullptr: none found
    Vec3 hitPoint;
    double depth = 0.0;
};

// The nearest intersection point, not yet in the construction, of two elements
// under the cursor (or of three planes), or none. walk is pickWalk's order.
CandidatePoint findCandidatePoint(Document& document, std::span<Element* const> walk, int x, int y,
                                  const PickRay& ray, const PickRules& rules);

// The text drawn at the cursor: the candidate text, or the kind's name followed
// by a blank and the element's name. Empty when nothing is hovered.
std::string hoverText(const HoverState& state, const TextLookup& text);
// The hover text's colour: the element's own when coloured labels are on and it
// has one (not 0xFFFFFFFF), otherwise the default label colour.
std::uint32_t hoverTextColour(const Element& element, bool colouredLabels, std::uint32_t labelColour);
