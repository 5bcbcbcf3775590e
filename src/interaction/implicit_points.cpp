#include "elements/point.h"
#include "interaction/view_session.h"

// The points a tool makes where the user clicks: at a crossing, on an element
// or in empty space. They stay temporaries until the tool commits.

Element* ViewSession::makeImplicitPoint(int x, int y) {
    ElementPtr made;
    if (!hover_.hovered || hover_.hoveredElement == nullptr) {
        made = makeFreePoint();
    } else if (hover_.isCandidate()) {
        made = hover_.takeCandidate();  // nullptr once an earlier click took it
    } else if (acceptsPointOnElement(*hover_.hoveredElement)) {
        made = makePointOnElement(*hover_.hoveredElement, x, y);
    }
    if (!made) return nullptr;
    temporaries_.push_back(std::move(made));
    return temporaries_.back().get();
}

ElementPtr ViewSession::makePointOnElement(Element& element, int x, int y) {
    const PickRay ray = pickRay(document_.view, viewport_, x, y);
    Vec3 hit;
    if (!element.hitTest(x, y, ray, document_.view.projection, hit)) hit = hover_.hitPoint;
    double param1 = 0.0;
    double param2 = 0.0;
    if (!element.parameterOf(hit, param1, param2)) return nullptr;
    Element* parent = &element;
    ElementPtr made = makeToolElement(TypeCode::PointOnObject, {&parent, 1});
    if (!made) return nullptr;
    auto& point = static_cast<PointOnObject&>(*made);
    point.param1 = param1;
    point.param2 = param2;
    point.recompute(document_.construction(), document_.recomputeContext());
    return made;
}

ElementPtr ViewSession::makeFreePoint() {
    if (!mousePointValid_) return nullptr;
    ElementPtr made = makeToolElement(TypeCode::FreePoint, {});
    if (!made) return nullptr;
    static_cast<Point&>(*made).position = mousePoint_;
    made->defined = 1;
    return made;
}
