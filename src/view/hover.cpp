#include "view/hover.h"

#include "elements/intersection_codes.h"
#include "elements/point.h"
#include "geometry/vectors.h"
#include "lang/composed_texts.h"
#include "lang/text_encoding.h"

namespace {

bool isPoint(const Element& e) {
    return e.kind() == ElementKind::Point;
}

bool isPlaneOrPolygon(const Element& e) {
    return e.kind() == ElementKind::Plane || e.kind() == ElementKind::Polygon;
}

// How many generated parts the walk steps over after an element.
int partsSteppedOver(const Element& e, const PickRules& rules) {
    const ElementKind k = e.kind();
    const bool enters = k == ElementKind::Coordinates ? rules.pickCoordinateParts
                        : (k == ElementKind::RegularPolygon || k == ElementKind::RegularPolyhedron)
                            ? rules.pickFigureParts
                            : true;
    return enters ? 0 : std::max(0, e.subElementCount());
}

// A candidate made from a recipe; nullptr when the recipe gives no point or the
// point does not lie under the cursor.
struct MadePoint {
    std::unique_ptr<Element> point;
    Vec3 hitPoint;
    double depth = 0.0;
};

MadePoint makeCandidate(Document& document, const IntersectionRecipe& recipe, int rootIndex, int x, int y,
                        const PickRay& ray, int projection) {
    if (recipe.typeCode == TypeCode::None) return {};
    auto point = std::make_unique<IntersectionPoint>(
        recipe.typeCode, document.styles[static_cast<int>(ElementKind::Point)], rootIndex);
    const int count = std::min<int>(recipe.parentCount, static_cast<int>(recipe.parents.size()));
    if (point->parentCount() != count) return {};
    for (int i = 0; i < count; ++i) {
        if (!isDefined(recipe.parents[static_cast<std::size_t>(i)])) return {};
        point->parents[static_cast<std::size_t>(i)] = recipe.parents[static_cast<std::size_t>(i)];
    }
    point->defined = 1;
    point->recompute(document.construction(), document.recomputeContext());
    if (!point->defined) return {};
    Vec3 hit;
    if (!point->hitTest(x, y, ray, projection, hit)) return {};
    const double depth = distance(ray.nearPoint, point->position);
    return {std::move(point), hit, depth};
}

// Keeps the nearer of the best so far and a new point; at equal depth the earlier stays.
void keepNearest(CandidatePoint& best, MadePoint made) {
    if (!made.point) return;
    if (best.point && !(made.depth < best.depth)) return;
    best.point = std::move(made.point);
    best.hitPoint = made.hitPoint;
    best.depth = made.depth;
}

}  // namespace

void HoverState::reset() {
    hovered = false;
    hoveredElement = nullptr;
    hitPoint = {};
    candidatePoint.reset();
    hoveringCandidate = false;
    hitDepth = 0.0;
}

std::vector<Element*> pickWalk(const Construction& construction, const PickRules& rules) {
    std::vector<Element*> walk;
    walk.reserve(static_cast<std::size_t>(construction.count()));
    for (int i = 0; i < construction.count();) {
        Element* e = construction.at(i);
        walk.push_back(e);
        i += 1 + partsSteppedOver(*e, rules);
    }
    return walk;
}

bool takesPart(const Element& element, const PickRules& rules) {
    if (!element.defined || element.macroIntermediate) return false;
    if (!element.visible && !rules.showHidden) return false;
    const int kind = static_cast<int>(element.kind());
    if (kind < 0 || kind > kKindCount) return false;
    const bool accepted = rules.acceptTable[static_cast<std::size_t>(kind)] ||
                          (rules.acceptsPointOnElement && rules.acceptsPointOnElement(element));
    if (!accepted) return false;
    return !(rules.excluded && rules.excluded(element));
}

bool replacesBest(const Element& element, double o, const Element* best, double b) {
    if (best == nullptr) return true;
    const bool surface = isSurfaceKind(element.kind());
    const bool bestSurface = isSurfaceKind(best->kind());
    if (bestSurface && !surface) return true;
    if (surface && !bestSurface) return false;
    if (isPoint(element) && !isPoint(*best)) return true;
    if (isPoint(*best) && !isPoint(element)) return false;
    if (!(b + kHitDepthTolerance > o || b == 0.0)) return false;
    // A point on an element gives way only to another such point.
    return best->typeCode() != TypeCode::PointOnObject || element.typeCode() == TypeCode::PointOnObject;
}

CandidatePoint findCandidatePoint(Document& document, std::span<Element* const> walk, int x, int y,
                                  const PickRay& ray, const PickRules& rules) {
    const int projection = document.view.projection;
    CandidatePoint best;
    for (std::size_t a = 0; a < walk.size(); ++a) {
        Element* first = walk[a];
        if (!takesPart(*first, rules)) continue;
        Vec3 hit;
        if (!first->hitTest(x, y, ray, projection, hit)) continue;
        for (std::size_t b = a + 1; b < walk.size(); ++b) {
            Element* second = walk[b];
            if (!takesPart(*second, rules)) continue;
            if (isPlaneOrPolygon(*first) && isPlaneOrPolygon(*second)) {
                // Two planes meet in a line: their point needs a third plane.
                for (std::size_t c = b + 1; c < walk.size(); ++c) {
                    Element* third = walk[c];
                    if (!isPlaneOrPolygon(*third) || !takesPart(*third, rules)) continue;
                    MadePoint made = makeCandidate(document, intersectionRecipe(first, second, third), 0, x,
                                                   y, ray, projection);
                    if (!made.point) continue;
                    keepNearest(best, std::move(made));
                    break;
                }
                continue;
            }
            const IntersectionRecipe recipe = intersectionRecipe(first, second);
            if (recipe.typeCode == TypeCode::None) continue;
            keepNearest(best, makeCandidate(document, recipe, 0, x, y, ray, projection));
            if (recipe.twoRoots) keepNearest(best, makeCandidate(document, recipe, 1, x, y, ray, projection));
        }
    }
    return best;
}

HoverUpdate updateHover(HoverState& state, Document& document, Viewport viewport, int x, int y,
                        const PickRules& rules, const ScreenTextContext& screenTexts) {
    const bool wasHovered = state.hovered;
    state.hovered = false;
    state.hoveredElement = nullptr;
    state.candidatePoint.reset();
    state.hoveringCandidate = false;
    state.hitDepth = 0.0;
    state.cursorX = x;
    state.cursorY = y;
    const ViewState& view = document.view;
    const PickRay ray = pickRay(view, viewport, x, y);
    // Numbers and texts are hit in their boxes, which need no drawing before.
    document.construction().layoutScreenTexts(screenTexts);
    const std::vector<Element*> walk = pickWalk(document.construction(), rules);

    Element* best = nullptr;
    for (Element* e : walk) {
        if (!takesPart(*e, rules) || !e->mayHit(ray, view.projection)) continue;
        Vec3 hit;
        if (!e->hitTest(x, y, ray, view.projection, hit)) continue;
        const double o = distance(ray.nearPoint, hit);
        if (!replacesBest(*e, o, best, state.hitDepth)) continue;
        best = e;
        state.hitDepth = o;
        state.hitPoint = hit;
    }

    bool closedOnPick = false;
    for (Element* pick : rules.closingPicks) {
        Vec3 hit;
        if (pick == nullptr || !pick->hitTest(x, y, ray, view.projection, hit)) continue;
        best = pick;
        state.hitDepth = distance(ray.nearPoint, hit);
        state.hitPoint = hit;
        closedOnPick = true;
        break;
    }

    if (!closedOnPick && rules.canMakePoints) {
        CandidatePoint candidate = findCandidatePoint(document, walk, x, y, ray, rules);
        if (candidate.point &&
            (best == nullptr || !isPoint(*best) || state.hitDepth - kHitDepthTolerance > candidate.depth)) {
            state.candidatePoint = std::move(candidate.point);
            best = state.candidatePoint.get();
            state.hoveringCandidate = true;
            state.hitDepth = candidate.depth;
            state.hitPoint = candidate.hitPoint;
        }
    }

    state.hoveredElement = best;
    state.hovered = best != nullptr;
    HoverUpdate update;
    if (state.hovered && rules.toolNumber == 0) {
        Vec3 grab;
        if (best->hitTest(x, y, ray, view.projection, grab)) {
            update.grabbed = true;
            update.grabPoint = grab;
        }
    }
    update.redraw = state.hovered || wasHovered;
    return update;
}

std::string hoverText(const HoverState& state, const TextLookup& text) {
    if (!state.hovered || state.hoveredElement == nullptr) return {};
    if (state.isCandidate()) return text(kCandidatePointTextId);
    const Element& e = *state.hoveredElement;
    std::string line = text(kindNameTextId(static_cast<int>(e.kind())));
    if (e.hasName()) line += " " + windows1252ToUtf8(*e.name());
    return line;
}

std::uint32_t hoverTextColour(const Element& element, bool colouredLabels, std::uint32_t labelColour) {
    return colouredLabels && element.colour != 0xFFFFFFFFu ? element.colour : labelColour;
}
