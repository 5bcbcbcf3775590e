#include "model/clipboard.h"

#include "model/document.h"
#include "model/selection_commands.h"

bool Clipboard::copyFrom(Document& document) {
    Construction& current = document.construction();
    if (current.selectedCount() == 0) return false;
    current.clearMarks();
    current.forEachTopLevel([&](Element& e) {
        if (!e.selected) return;
        e.mark = 1;
        current.markAncestors(&e, false);
    });
    content_ = current.copy();
    current.clearMarks();
    // Keep the marked groups; drop every other top-level element with its
    // generated elements, in one pass.
    for (int i = 0; i < content_->count();) {
        Element* leader = content_->at(i);
        const int end = content_->groupEnd(i);
        const int drop = leader->mark ? 0 : 1;
        for (int j = i; j < end; ++j) content_->at(j)->mark = drop;
        i = end;
    }
    content_->deleteMarked();
    return true;
}

bool Clipboard::pasteInto(Document& document) const {
    if (empty()) return false;
    std::unique_ptr<Construction> result = document.construction().copy();
    std::unique_ptr<Construction> pasted = content_->copy();
    pasted->setSelectedAll(1, false);
    result->appendAll(*pasted);
    document.commit(std::move(result));
    return true;
}

bool Clipboard::cutFrom(Document& document) {
    return copyFrom(document) && eraseSelected(document);
}

bool eraseSelected(Document& document) {
    return deleteSelectedWithDependants(document);
}
