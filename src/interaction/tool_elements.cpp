#include <algorithm>

#include "elements/regular_solids.h"
#include "expr/coordinates.h"
#include "expr/format_number.h"
#include "expr/number_creation.h"
#include "interaction/view_session.h"
#include "io/element_factory.h"

// How the tools make elements and hand them to the construction.

ElementPtr ViewSession::makeToolElement(TypeCode typeCode, std::span<Element* const> parents) {
    const ElementKind kind = kindOfTypeCode(typeCode);
    if (kind == ElementKind::None) return nullptr;
    ElementPtr made = makeElement(typeCode, parents, document_.styles[static_cast<std::size_t>(kind)]);
    if (!made) return nullptr;
    if (made->kind() == ElementKind::Number) {
        applyNumberDefaults(static_cast<NumberElement&>(*made),
                            {numberDecimals_, document_.numberFont, document_.numberColour});
    } else if (made->kind() == ElementKind::Coordinates) {
        made->setFont(document_.numberFont);
        made->colour = document_.numberColour;
    }
    return made;
}

void ViewSession::commit(ElementPtr first, ElementPtr second) {
    std::vector<ElementPtr> made;
    if (first) made.push_back(std::move(first));
    if (second) made.push_back(std::move(second));
    commitAll(std::move(made));
}

void ViewSession::commitWithParts(ElementPtr leader) {
    if (!leader) {
        restartTool();
        return;
    }
    const KindStyle& pointStyle = document_.styles[static_cast<std::size_t>(ElementKind::Point)];
    const KindStyle& polygonStyle = document_.styles[static_cast<std::size_t>(ElementKind::Polygon)];
    std::vector<ElementPtr> parts;
    switch (leader->kind()) {
        case ElementKind::RegularPolygon:
            parts = static_cast<RegularPolygon&>(*leader).makeParts(pointStyle, polygonStyle);
            break;
        case ElementKind::RegularPolyhedron:
            parts = static_cast<RegularPolyhedron&>(*leader).makeParts(pointStyle, polygonStyle);
            break;
        case ElementKind::Coordinates:
            parts =
                static_cast<Coordinates&>(*leader).makeParts(std::clamp(numberDecimals_, 0, kMaxDecimals));
            break;
        default:
            break;
    }
    std::vector<ElementPtr> made;
    made.push_back(std::move(leader));
    for (ElementPtr& part : parts) made.push_back(std::move(part));
    commitAll(std::move(made));
}

void ViewSession::commitAll(std::vector<ElementPtr> made) {
    if (made.empty()) {
        restartTool();
        return;
    }
    // The current construction is shared with the undo history: the change
    // goes to a copy, with every reference into the current one re-pointed.
    Construction& current = document_.construction();
    std::unique_ptr<Construction> copy = current.copy();
    std::vector<ElementPtr> added = std::move(temporaries_);
    temporaries_.clear();
    for (ElementPtr& e : made) added.push_back(std::move(e));
    for (ElementPtr& e : added) {
        for (Element*& parent : e->parents) {
            const int i = current.indexOf(parent);
            if (i >= 0) parent = copy->at(i);
        }
    }
    for (ElementPtr& e : added) copy->append(std::move(e));
    pickList_.clear();
    hover_.reset();
    document_.commit(std::move(copy));
    restartTool();
    host_.constructionChanged();
}
