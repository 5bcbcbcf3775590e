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
    if (!records_.empty()) remeasure(records_[static_cast<std::size_t>(position_)].construction.get());
    while (size() > position_ + 1) {
        release(records_.back());
        records_.pop_back();
    }
    records_.push_back(r);
    retain(r);
    position_ = size() - 1;
    while (bytes_ > budget_ && size() > minimumRecords_ && position_ > 0) dropOldest();
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
    usage_.clear();
    bytes_ = 0;
    position_ = -1;
}

void History::setBudget(std::size_t bytes, int minimumRecords) {
    budget_ = bytes;
    minimumRecords_ = minimumRecords < 1 ? 1 : minimumRecords;
}

void History::retain(const HistoryRecord& r) {
    if (!r.construction) return;
    Usage& u = usage_[r.construction.get()];
    if (u.records++ == 0) {
        u.bytes = r.construction->memoryBytes();
        bytes_ += u.bytes;
    }
}

void History::release(const HistoryRecord& r) {
    const auto found = usage_.find(r.construction.get());
    if (found == usage_.end()) return;
    if (--found->second.records > 0) return;
    bytes_ -= found->second.bytes;
    usage_.erase(found);
}

void History::remeasure(const Construction* construction) {
    const auto found = usage_.find(construction);
    if (found == usage_.end()) return;
    const std::size_t now = construction->memoryBytes();
    bytes_ = bytes_ - found->second.bytes + now;
    found->second.bytes = now;
}

void History::dropOldest() {
    release(records_.front());
    records_.pop_front();
    --position_;
}
