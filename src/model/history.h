#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>

#include "model/recompute_context.h"

class Construction;

// The six camera values of a document (pan x, pan y, distance, the three
// angles), carried by every undo record.
using ViewWords = std::array<float, 6>;

// Bits of a record's tag.
inline constexpr int kRecordView = 1;
inline constexpr int kRecordConstruction = 2;
inline constexpr int kRecordBoth = kRecordView | kRecordConstruction;

struct HistoryRecord {
    int tag = 0;
    ViewWords view{};
    // Shared so that the document's current construction and the record that
    // made it current are one object; a discarded record releases its share.
    std::shared_ptr<Construction> construction;
    // The units the construction was computed in, which undo puts back with it.
    RecomputeContext units;
};

// What the records may hold before the oldest are dropped, and how many of the
// latest records stay whatever they hold.
inline constexpr std::size_t kDefaultHistoryBudget = std::size_t{256} << 20;
inline constexpr int kMinimumHistoryRecords = 20;

// The snapshot history behind undo and redo: recorded states and a position.
// Every change records a full snapshot, so the history keeps within a memory
// budget: once its constructions (each counted once, however many records
// share it) hold more than the budget, the oldest records are dropped, but
// never the latest kMinimumHistoryRecords nor the current one.
class History {
  public:
    // Appends a record unless it repeats the one at the current position;
    // discards the records after the position first. Returns whether it was added.
    bool record(const HistoryRecord& r);

    bool canUndo() const { return size() >= 2 && position_ >= 1; }
    bool canRedo() const { return size() >= 2 && position_ < size() - 1; }
    // Moves the position and returns the record to apply, or nullptr.
    const HistoryRecord* undo();
    const HistoryRecord* redo();

    void clear();
    int size() const { return static_cast<int>(records_.size()); }
    int position() const { return position_; }
    const HistoryRecord& at(int index) const { return records_[static_cast<std::size_t>(index)]; }

    void setBudget(std::size_t bytes, int minimumRecords);
    // The estimated memory of the recorded constructions, as last measured.
    std::size_t memoryBytes() const { return bytes_; }

  private:
    struct Usage {
        std::size_t bytes = 0;
        int records = 0;
    };
    void retain(const HistoryRecord& r);
    void release(const HistoryRecord& r);
    // Measures a construction again (the current one changes while dragged).
    void remeasure(const Construction* construction);
    void dropOldest();

    std::deque<HistoryRecord> records_;
    int position_ = -1;
    std::unordered_map<const Construction*, Usage> usage_;
    std::size_t bytes_ = 0;
    std::size_t budget_ = kDefaultHistoryBudget;
    int minimumRecords_ = kMinimumHistoryRecords;
};
