#include "model/document.h"

Document::Document() : construction_(std::make_shared<Construction>()) {}

void Document::recompute() {
    construction_->recomputeAll(recomputeContext());
}

void Document::commit(std::unique_ptr<Construction> changed) {
    construction_ = std::move(changed);
    recompute();
    record(kRecordConstruction);
}

void Document::show(std::shared_ptr<Construction> shown) {
    if (shown) construction_ = std::move(shown);
}

bool Document::record(int tag) {
    if (view.autoRotate && tag == kRecordView) return false;
    if (!history_.record({tag, view.cameraWords(), construction_, recomputeContext()})) return false;
    modified = true;
    return true;
}

void Document::startHistory() {
    history_.clear();
    record(kRecordBoth);
    modified = false;
}

void Document::restartHistory() {
    std::shared_ptr<Construction> fresh = construction_->copy();
    history_.clear();
    construction_ = std::move(fresh);
    recompute();
    startHistory();
}

void Document::apply(const HistoryRecord& r) {
    view.setCameraWords(r.view);
    construction_ = r.construction;
    angleUnit = r.units.angleUnit;
    unitScale = r.units.unitScale;
}

bool Document::undo() {
    const HistoryRecord* r = history_.undo();
    if (r) apply(*r);
    return r != nullptr;
}

bool Document::redo() {
    const HistoryRecord* r = history_.redo();
    if (r) apply(*r);
    return r != nullptr;
}
