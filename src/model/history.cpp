#include "model/history.h"

#include "model/construction.h"

namespace {

bool repeats(const HistoryRecord& r, const HistoryRecord& c) {
    if (r.tag == kRecordView && (c.tag & kRecordView) && r.view == c.view) return true;
    return r.tag == c.tag && (r.tag & kRecordConstruction) && (c.tag & kRecordConstruction) &&
           r.construction == c.construction && r.view == c.view;
}

}  // namespace

bool History::record(const HistoryRecord& r) {
    if (!records_.empty() && repeats(r, records_[static_cast<std::size_t>(position_)])) return false;
    records_.resize(static_cast<std::size_t>(position_ + 1));
    records_.push_back(r);
    position_ = size() - 1;
    return true;
}

const HistoryRecord* History::undo() {
    if (position_ <= 0) return nullptr;
    --position_;
    return &records_[static_cast<std::size_t>(position_)];
}

const HistoryRecord* History::redo() {
    if (position_ >= size() - 1) return nullptr;
    ++position_;
    return &records_[static_cast<std::size_t>(position_)];
}

void History::clear() {
    records_.clear();
    position_ = -1;
}
