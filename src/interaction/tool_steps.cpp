#include "interaction/tool_steps.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "elements/intersection_codes.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/polyhedron_tables.h"
#include "elements/regular_solids.h"
#include "elements/straight_element.h"
#include "elements/transformation.h"
#include "expr/coordinates.h"
#include "expr/measures.h"
#include "expr/parameter.h"
#include "lang/text_ids.h"
#include "model/selection_commands.h"

namespace {

using K = ElementKind;

bool isPoint(const Element* e) {
    return e->kind() == K::Point;
}

bool isStraight(const Element* e) {
    return hasKind(kStraights, e->kind());
}

bool isPlaneLike(const Element* e) {
    return hasKind(kPlaneLike, e->kind());
}

// Elements that can meet another in two points.
bool isCurvedKind(K k) {
    return k == K::Circle || k == K::Arc || k == K::Conic || k == K::Sphere || k == K::Cylinder ||
           k == K::Cone;
}

// What the intersection tool refuses after a first pick of this kind.
KindSet refusedAfter(K first) {
    switch (first) {
        case K::Sphere:
            return kindBit(K::Conic) | kPlaneLike | kindRange(13, 15);
        case K::Cylinder:
        case K::Cone:
            return kindRange(6, 10) | kindRange(13, 15);
        case K::Plane:
        case K::Polygon:
            return kindRange(13, 15);
        case K::Circle:
        case K::Arc:
            return kindBit(K::Conic) | kindRange(14, 15);
        case K::Conic:
            return kindRange(6, 8) | kindRange(13, 15);
        default:
            return kNoKinds;
    }
}

// The root indices of the intersection points of a pair that the construction holds.
std::vector<int> existingRoots(const Construction& c, const IntersectionRecipe& recipe) {
    std::vector<int> roots;
    const Element* a = recipe.parents[0];
    const Element* b = recipe.parents[1];
    c.forEach([&](const Element& e) {
        if (e.typeCode() != recipe.typeCode || e.parentCount() != 2) return;
        const bool samePair =
            (e.parents[0] == a && e.parents[1] == b) || (e.parents[0] == b && e.parents[1] == a);
        if (samePair) roots.push_back(static_cast<const IntersectionPoint&>(e).rootIndex);
    });
    return roots;
}

// The place where a point that drives a locus moves: a surface kind.
bool drivenOnSurface(const Element* driver) {
    return driver->typeCode() == TypeCode::PointOnObject && driver->parentCount() == 1 &&
           driver->parents[0] && isSurfaceKind(driver->parents[0]->kind());
}

}  // namespace

ElementPtr ToolSteps::make(TypeCode typeCode, std::initializer_list<Element*> parents) {
    return s_.makeToolElement(typeCode, {parents.begin(), parents.size()});
}

ElementPtr ToolSteps::makeMeasure(TypeCode typeCode, std::initializer_list<Element*> parents, int x, int y) {
    ElementPtr made = make(typeCode, parents);
    if (made && made->kind() == K::Number) {
        auto& number = static_cast<NumberElement&>(*made);
        number.position = {x, y};
        number.corner = number.position;
    }
    return made;
}

ElementPtr ToolSteps::makeIntersection(const IntersectionRecipe& recipe, int rootIndex) {
    const auto count = static_cast<std::size_t>(std::clamp(recipe.parentCount, 0, 3));
    ElementPtr made = s_.makeToolElement(recipe.typeCode, {recipe.parents.data(), count});
    if (made) static_cast<IntersectionPoint&>(*made).rootIndex = rootIndex;
    return made;
}

void ToolSteps::afterPick(Element* picked, int x, int y, SessionKeys keys) {
    const ToolRow& row = s_.currentTool();
    switch (row.action) {
        case ToolAction::Sequence:
            sequence(row);
            return;
        case ToolAction::Transformation:
            if (s_.pickCount_ == 1) s_.sourceCount_ = 1;
            transformation(row);
            return;
        case ToolAction::Circle:
            circle(picked);
            return;
        case ToolAction::Cylinder:
        case ToolAction::RegularPolygon:
        case ToolAction::RegularPolyhedron:
            pointAndAxis(row.action, picked);
            return;
        case ToolAction::Parallel:
        case ToolAction::Perpendicular:
            reference(row.action, picked, keys);
            return;
        case ToolAction::Intersection:
            intersection(picked);
            return;
        case ToolAction::IntersectionLine:
            intersectionLine(picked);
            return;
        case ToolAction::Locus:
            locus(keys);
            return;
        case ToolAction::Centre:
            centre(picked);
            return;
        case ToolAction::Length:
            length(picked, x, y);
            return;
        case ToolAction::Angle:
            angle(picked, x, y);
            return;
        case ToolAction::Area:
            area(picked, x, y);
            return;
        case ToolAction::Volume:
            volume(picked, x, y);
            return;
        default:
            return;  // the polygon and the redefined point wait for a later click
    }
}

void ToolSteps::sequence(const ToolRow& row) {
    const int n = s_.pickCount_;
    if (n >= row.picks) {
        s_.commit(s_.makeToolElement(row.makes, s_.pickList_));
        return;
    }
    if (n >= 1 && n <= 3 && row.after[static_cast<std::size_t>(n - 1)] != kNoKinds)
        s_.setAccepted(row.after[static_cast<std::size_t>(n - 1)]);
}

void ToolSteps::transformation(const ToolRow& row) {
    const int n = s_.pickCount_;
    if (n < row.picks) {
        if (row.after[static_cast<std::size_t>(n - 1)] != kNoKinds)
            s_.setAccepted(row.after[static_cast<std::size_t>(n - 1)]);
        return;
    }
    // Every object gets its image, all in one step.
    const auto sources = static_cast<std::size_t>(s_.sourceCount_);
    std::vector<Element*> parents(s_.pickList_.begin() + static_cast<std::ptrdiff_t>(sources - 1),
                                  s_.pickList_.end());
    std::vector<ElementPtr> images;
    for (std::size_t i = 0; i < sources; ++i) {
        Element* source = s_.pickList_[i];
        const TypeCode code = imageTypeCode(source->kind(), row.transform);
        if (code == TypeCode::None) continue;
        parents[0] = source;
        if (ElementPtr image = s_.makeToolElement(code, parents)) images.push_back(std::move(image));
    }
    s_.commitAll(std::move(images));
}

void ToolSteps::circle(Element* picked) {
    const int n = s_.pickCount_;
    if (n == 1) {
        if (!isPoint(picked)) {
            // An axis first stands for two picks; the point is all that is left.
            s_.pickCount_ = 2;
            s_.setAccepted(kPoints);
        }
        return;
    }
    if (n == 2) {
        if (isPoint(picked)) {
            s_.setAccepted(kPoints);
            return;
        }
        s_.commit(make(TypeCode::CircleAboutAxis, {pick(0), picked}));
        return;
    }
    if (s_.pickList_.size() == 3) {
        s_.commit(make(TypeCode::CircleThreePoints, {pick(0), pick(1), pick(2)}));
    } else {
        s_.commit(make(TypeCode::CircleAboutAxis, {pick(1), pick(0)}));
    }
}

void ToolSteps::pointAndAxis(ToolAction action, Element* picked) {
    if (s_.pickCount_ == 1) {
        s_.setAccepted(isPoint(picked) ? kStraights : kPoints);
        return;
    }
    Element* point = isPoint(pick(0)) ? pick(0) : pick(1);
    Element* axis = isPoint(pick(0)) ? pick(1) : pick(0);
    if (action == ToolAction::Cylinder) {
        s_.commit(make(TypeCode::CylinderAboutAxis, {point, axis}));
        return;
    }
    if (action == ToolAction::RegularPolygon) {
        const int sides = s_.host_.askRegularPolygonSides();
        if (sides < kMinRegularPolygonSides || sides > kMaxRegularPolygonSides) {
            s_.restartTool();
            return;
        }
        ElementPtr polygon = make(TypeCode::RegularPolygon, {point, axis});
        if (polygon) static_cast<RegularPolygon&>(*polygon).sideCount = sides;
        s_.commitWithParts(std::move(polygon));
        return;
    }
    const TypeCode solid = s_.host_.askRegularPolyhedron();
    if (solidTableOf(solid) == nullptr) {
        s_.restartTool();
        return;
    }
    s_.commitWithParts(make(solid, {point, axis}));
}

void ToolSteps::reference(ToolAction action, Element* picked, SessionKeys keys) {
    if (s_.pickCount_ == 1) {
        s_.setAccepted(isPoint(picked) ? (kStraights | kPlaneLike) : kPoints);
        return;
    }
    Element* ref = isPoint(pick(0)) ? pick(1) : pick(0);
    Element* point = isPoint(pick(0)) ? pick(0) : pick(1);
    TypeCode code = TypeCode::None;
    if (action == ToolAction::Parallel)
        code = isPlaneLike(ref) ? TypeCode::ParallelPlane : TypeCode::ParallelLine;
    else if (isPlaneLike(ref))
        code = TypeCode::PerpendicularToPlane;
    else
        code = keys.ctrl ? TypeCode::PerpendicularPlane : TypeCode::PerpendicularToLine;
    s_.commit(make(code, {ref, point}));
}

void ToolSteps::intersection(Element* picked) {
    const int n = s_.pickCount_;
    if (n == 1) {
        s_.setAccepted(s_.currentTool().acceptedAtStart - refusedAfter(picked->kind()));
        return;
    }
    if (n == 2 && isPlaneLike(pick(0)) && isPlaneLike(pick(1))) {
        s_.setAccepted(kPlaneLike);  // two planes meet in a line: a third one is needed
        return;
    }
    if (n == 3) {
        const IntersectionRecipe recipe = intersectionRecipe(pick(0), pick(1), pick(2));
        if (recipe.typeCode == TypeCode::None) {
            s_.restartTool();
            return;
        }
        s_.commit(makeIntersection(recipe, 0));
        return;
    }
    const IntersectionRecipe recipe = intersectionRecipe(pick(0), pick(1));
    if (recipe.typeCode == TypeCode::None) {
        s_.restartTool();
        return;
    }
    if (!isCurvedKind(pick(0)->kind()) && !isCurvedKind(pick(1)->kind())) {
        s_.commit(makeIntersection(recipe, 0));
        return;
    }
    // The pair may meet twice: make the points the construction lacks.
    const std::vector<int> roots = existingRoots(s_.document_.construction(), recipe);
    if (roots.size() >= 2) {
        s_.restartTool();
        return;
    }
    if (roots.empty()) {
        s_.commit(makeIntersection(recipe, 0), makeIntersection(recipe, 1));
        return;
    }
    s_.commit(makeIntersection(recipe, roots.front() == 0 ? 1 : 0));
}

void ToolSteps::intersectionLine(Element* picked) {
    if (s_.pickCount_ == 1) {
        // Only the pairs that make a line, circle or conic may follow.
        switch (picked->kind()) {
            case K::Plane:
                s_.setAccepted(kindBit(K::Plane) | kindRange(13, 15));
                break;
            case K::Sphere:
                s_.setAccepted(kindBit(K::Plane) | kindBit(K::Sphere));
                break;
            default:
                s_.setAccepted(kindBit(K::Plane));
                break;
        }
        return;
    }
    Element* a = pick(0);
    Element* b = pick(1);
    if (a->kind() != K::Plane && b->kind() == K::Plane) std::swap(a, b);
    TypeCode code = TypeCode::None;
    if (a->kind() == K::Plane) {
        switch (b->kind()) {
            case K::Plane:
                code = TypeCode::PlanesIntersectionLine;
                break;
            case K::Sphere:
                // The section of a sphere takes the sphere as its first parent.
                code = TypeCode::CircleOfSphereAndPlane;
                std::swap(a, b);
                break;
            default:
                code = TypeCode::ConicPlaneSection;
                break;
        }
    } else if (a->kind() == K::Sphere && b->kind() == K::Sphere) {
        code = TypeCode::CircleOfTwoSpheres;
    }
    if (code == TypeCode::None) {
        s_.restartTool();
        return;
    }
    s_.commit(make(code, {a, b}));
}

void ToolSteps::locus(SessionKeys keys) {
    const int n = s_.pickCount_;
    if (n == 1) {
        s_.setAccepted(kPoints | kNumbers);
        return;
    }
    Construction& c = s_.document_.construction();
    Element* moving = pick(0);
    Element* driver = pick(1);
    if (n == 3) {
        const bool follows = c.dependsOn(moving, pick(2));
        c.clearMarks();
        if (follows)
            s_.commit(make(TypeCode::ParameterSurfaceLocus, {moving, driver, pick(2)}));
        else
            s_.restartTool();
        return;
    }
    const bool follows = c.dependsOn(moving, driver);
    c.clearMarks();
    if (!follows) {
        s_.restartTool();
        return;
    }
    if (keys.ctrl) {
        // A point traced over two numbers: the second number comes next.
        if (isPoint(moving) && driver->kind() == K::Number)
            s_.setAccepted(kNumbers);
        else
            s_.restartTool();
        return;
    }
    TypeCode code = TypeCode::CircleLocus;
    if (isPoint(moving))
        code = driver->typeCode() != TypeCode::Parameter && drivenOnSurface(driver)
                   ? TypeCode::PolygonSurfaceLocus
                   : TypeCode::PointLocus;
    else if (isStraight(moving))
        code = TypeCode::SegmentLocus;
    s_.commit(make(code, {moving, driver}));
}

void ToolSteps::centre(Element* picked) {
    switch (picked->kind()) {
        case K::Circle:
            s_.commit(make(TypeCode::CircleCentre, {picked}));
            return;
        case K::Arc:
            s_.commit(make(TypeCode::ArcCentre, {picked}));
            return;
        default:
            s_.commit(make(TypeCode::ConicCentre, {picked}));
            return;
    }
}

void ToolSteps::length(Element* picked, int x, int y) {
    if (s_.pickCount_ == 1) {
        switch (picked->kind()) {
            case K::Vector:
            case K::Segment:
                s_.commit(makeMeasure(TypeCode::SegmentLength, {picked}, x, y));
                return;
            case K::Circle:
                s_.commit(makeMeasure(TypeCode::CircleLength, {picked}, x, y));
                return;
            case K::Arc:
                s_.commit(makeMeasure(TypeCode::ArcLength, {picked}, x, y));
                return;
            case K::Polygon:
                s_.commit(makeMeasure(TypeCode::PolygonPerimeter, {picked}, x, y));
                return;
            case K::Point:
                s_.setAccepted(kPoints | kindBit(K::Line) | kindBit(K::Plane));
                return;
            case K::Line:
                s_.setAccepted(kPoints | kindBit(K::Line));
                return;
            default:
                s_.setAccepted(kPoints);
                return;
        }
    }
    Element* a = pick(0);
    Element* b = pick(1);
    if (!isPoint(a) && isPoint(b)) std::swap(a, b);  // the point comes first
    TypeCode code = TypeCode::LineLineDistance;
    if (isPoint(a) && isPoint(b))
        code = TypeCode::PointPointDistance;
    else if (isPoint(a))
        code = isPlaneLike(b) ? TypeCode::PointPlaneDistance : TypeCode::PointLineDistance;
    s_.commit(makeMeasure(code, {a, b}, x, y));
}

void ToolSteps::angle(Element* picked, int x, int y) {
    const int n = s_.pickCount_;
    if (n == 1) {
        if (isPoint(picked))
            s_.setAccepted(kPoints);
        else if (picked->kind() == K::Line)
            s_.setAccepted(kindBit(K::Plane));
        else
            s_.setAccepted(kindBit(K::Line) | kindBit(K::Plane));
        return;
    }
    if (isPoint(pick(0))) {
        if (n == 3) s_.commit(makeMeasure(TypeCode::ThreePointAngle, {pick(0), pick(1), pick(2)}, x, y));
        return;
    }
    Element* a = pick(0);
    Element* b = pick(1);
    if (a->kind() == K::Plane && b->kind() == K::Plane) {
        s_.commit(makeMeasure(TypeCode::PlanePlaneAngle, {a, b}, x, y));
        return;
    }
    if (a->kind() == K::Plane) std::swap(a, b);  // the line comes first
    s_.commit(makeMeasure(TypeCode::LinePlaneAngle, {a, b}, x, y));
}

void ToolSteps::area(Element* picked, int x, int y) {
    switch (picked->kind()) {
        case K::Circle:
            s_.commit(makeMeasure(TypeCode::CircleArea, {picked}, x, y));
            return;
        case K::Polygon:
            s_.commit(makeMeasure(TypeCode::PolygonArea, {picked}, x, y));
            return;
        case K::RegularPolygon:
            // The area of the figure is that of its polygon part.
            if (Element* polygon = static_cast<RegularPolygon*>(picked)->polygon()) {
                s_.commit(makeMeasure(TypeCode::PolygonArea, {polygon}, x, y));
                return;
            }
            break;
        case K::Sphere:
            s_.commit(makeMeasure(TypeCode::SphereArea, {picked}, x, y));
            return;
        case K::RegularPolyhedron:
            if (const SolidTable* solid = solidTableOf(picked->typeCode())) {
                s_.commit(makeMeasure(solid->areaMeasure, {picked}, x, y));
                return;
            }
            break;
        default:
            break;
    }
    s_.restartTool();
}

void ToolSteps::volume(Element* picked, int x, int y) {
    if (picked->kind() == K::Sphere) {
        s_.commit(makeMeasure(TypeCode::SphereVolume, {picked}, x, y));
        return;
    }
    if (const SolidTable* solid = solidTableOf(picked->typeCode())) {
        s_.commit(makeMeasure(solid->volumeMeasure, {picked}, x, y));
        return;
    }
    s_.restartTool();
}

void ToolSteps::closePolygon() {
    s_.commit(s_.makeToolElement(TypeCode::PolygonVertices, s_.pickList_));
}

void ToolSteps::freePoint(int x, int y) {
    const HoverState& hover = s_.hover_;
    if (hover.isCandidate()) {
        if (hover.candidatePoint) s_.commit(s_.hover_.takeCandidate());
        return;
    }
    if (hover.hovered && hover.hoveredElement) {
        if (s_.acceptsPointOnElement(*hover.hoveredElement))
            s_.commit(s_.makePointOnElement(*hover.hoveredElement, x, y));
        return;
    }
    if (ElementPtr point = s_.makeFreePoint()) s_.commit(std::move(point));
}

void ToolSteps::oneElement(ToolAction action, int x, int y) {
    const HoverState& hover = s_.hover_;
    if (!hover.hovered || hover.hoveredElement == nullptr || hover.isCandidate()) return;
    Element* target = hover.hoveredElement;
    if (!s_.acceptsKind(*target)) return;
    Document& document = s_.document_;
    switch (action) {
        case ToolAction::Coordinates: {
            ElementPtr leader = make(TypeCode::Coordinates, {target});
            if (leader) {
                auto& coordinates = static_cast<Coordinates&>(*leader);
                coordinates.position = {x, y};
                coordinates.corner = coordinates.position;
            }
            s_.commitWithParts(std::move(leader));
            return;
        }
        case ToolAction::Edit:
            s_.restartTool();
            s_.openElementDialog(*target);
            return;
        case ToolAction::Delete:
        case ToolAction::HideShow: {
            // The selection made for the command must not stay in the state
            // the undo history keeps.
            const std::shared_ptr<Construction> before = document.sharedConstruction();
            before->setSelectedAll(0, false);
            target->selected = 1;
            if (action == ToolAction::Delete)
                deleteSelectedWithDependants(document);
            else
                toggleVisibleOfSelected(document);
            before->setSelectedAll(0, false);
            s_.restartTool();
            s_.host_.constructionChanged();
            return;
        }
        default:
            return;
    }
}

void ToolSteps::redefine(int x, int y) {
    Construction& current = s_.document_.construction();
    const int pIndex = current.indexOf(pick(0));
    if (pIndex < 0) {
        s_.restartTool();
        return;
    }
    // The new definition is made inside a copy; refused, the copy is dropped.
    std::unique_ptr<Construction> copy = current.copy();
    Element* p = copy->at(pIndex);
    const auto inCopy = [&](Element* e) {
        const int i = current.indexOf(e);
        return i >= 0 ? copy->at(i) : nullptr;
    };
    const HoverState& hover = s_.hover_;
    Element* hovered = hover.hovered ? hover.hoveredElement : nullptr;
    Element* replacement = nullptr;
    ElementPtr made;
    if (hovered && hover.isCandidate()) {
        if (hover.candidatePoint == nullptr) {
            s_.restartTool();
            return;
        }
        std::vector<Element*> parents;
        for (Element* parent : hovered->parents) parents.push_back(inCopy(parent));
        made = s_.makeToolElement(hovered->typeCode(), parents);
        if (made)
            static_cast<IntersectionPoint&>(*made).rootIndex =
                static_cast<const IntersectionPoint&>(*hovered).rootIndex;
    } else if (hovered && isPoint(hovered)) {
        replacement = inCopy(hovered);
    } else if (hovered && s_.acceptsPointOnElement(*hovered)) {
        made = s_.makePointOnElement(*hovered, x, y);
        if (made) made->parents[0] = inCopy(hovered);
    } else if (!hovered) {
        made = s_.makeFreePoint();
    }
    if (made) {
        if (std::find(made->parents.begin(), made->parents.end(), nullptr) != made->parents.end())
            made.reset();
    }
    if (!made && replacement == nullptr) {
        s_.restartTool();
        return;
    }

    copy->markDescendants(p, true);
    const bool cycle = replacement ? replacement->mark != 0
                                   : std::any_of(made->parents.begin(), made->parents.end(),
                                                 [](const Element* e) { return e->mark != 0; });
    copy->clearMarks();
    if (cycle) {
        s_.restartTool();
        s_.host_.message(textid::kRedefinitionCycle, MessageIcon::Error);
        return;
    }
    if (made) replacement = copy->append(std::move(made));

    // The replacement takes the point's place: its name, its look, its dependants.
    if (p->hasName())
        replacement->setName(*p->name());
    else
        replacement->clearName();
    replacement->size = p->size;
    replacement->shape = p->shape;
    replacement->colour = p->colour;
    replacement->visible = p->visible;
    replacement->showLabel = p->showLabel;
    copy->forEach([](Element& e) { e.mark = 1; });
    copy->replaceParent(p, replacement);
    copy->clearMarks();
    copy->deleteElement(p, false);

    // Parents before children again: the replacement goes to the end, then
    // everything now built on it after it, in their order. The replacement may
    // stand after its dependants, so the marks spread over the whole list.
    copy->clearMarks();
    replacement->mark = 1;
    copy->markDescendantsOfMarked();
    replacement->mark = 0;
    copy->moveToEnd(replacement);
    copy->moveMarkedToEnd();

    s_.hover_.reset();
    s_.document_.commit(std::move(copy));
    s_.restartTool();
    s_.host_.constructionChanged();
}
