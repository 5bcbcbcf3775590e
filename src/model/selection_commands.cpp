#include "model/selection_commands.h"

#include "model/document.h"

namespace {

// Marks the selection, copies the construction (the marks travel with the
// copy), lets change act on the marked elements of the copy, then commits it.
template <typename Change>
bool changeSelected(Document& document, Change change) {
    Construction& current = document.construction();
    if (current.selectedCount() == 0) return false;
    current.markSelected();
    std::unique_ptr<Construction> copy = current.copy();
    change(*copy);
    copy->clearMarks();
    current.clearMarks();
    document.commit(std::move(copy));
    return true;
}

template <typename Apply>
bool applyToMarked(Document& document, Apply apply) {
    return changeSelected(document, [&](Construction& c) {
        c.forEach([&](Element& e) {
            if (e.mark == 1) apply(e);
        });
    });
}

}  // namespace

bool toggleVisibleOfSelected(Document& document) {
    return applyToMarked(document, [](Element& e) { e.visible = e.visible ? 0 : 1; });
}

bool deleteSelectedWithDependants(Document& document) {
    return changeSelected(document, [](Construction& c) {
        c.markDescendantsOfMarked();
        c.deleteMarked();
    });
}

bool setColourOfSelected(Document& document, std::uint32_t colour) {
    return applyToMarked(document, [colour](Element& e) {
        if (e.kind() != ElementKind::Text) e.colour = colour;
    });
}

bool setFontOfSelected(Document& document, const FontRecord& font) {
    return applyToMarked(document, [&font](Element& e) {
        if (hasFont(e.kind())) e.setFont(font);
    });
}

bool setShapeOfSelected(Document& document, int shape) {
    return applyToMarked(document, [shape](Element& e) {
        if (hasShape(e.kind())) e.shape = shape;
    });
}

bool setSizeOfSelected(Document& document, int size) {
    return applyToMarked(document, [size](Element& e) {
        if (hasSize(e.kind())) e.size = size;
    });
}
