#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

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
};

// The snapshot history behind undo and redo: recorded states and a position.
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

  private:
    std::vector<HistoryRecord> records_;
    int position_ = -1;
};
