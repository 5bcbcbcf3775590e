#pragma once

#include <array>
#include <memory>

#include "model/construction.h"
#include "model/font_record.h"
#include "model/history.h"
#include "model/kind_style.h"
#include "model/macro.h"
#include "model/view_state.h"

// One open construction with everything it owns: the current construction,
// its snapshot history, its view, units, fonts and default styles.
class Document {
  public:
    Document();

    Construction& construction() { return *construction_; }
    const Construction& construction() const { return *construction_; }
    const std::shared_ptr<Construction>& sharedConstruction() const { return construction_; }

    // Recomputes every element with the document's angle unit and scale.
    void recompute();
    RecomputeContext recomputeContext() const { return {angleUnit, unitScale}; }
    // Makes a changed copy current, recomputes it and records it (one undo step).
    void commit(std::unique_ptr<Construction> changed);
    // Makes a construction current without recording it: the live copy a
    // dialog previews its changes on, a replay up to a step, or the state put
    // back on cancel. The caller makes a recorded construction current again,
    // or commits, before anything else changes the document.
    void show(std::shared_ptr<Construction> shown);
    // Records the current state. View-only records are skipped while the view
    // rotates by itself. Returns whether a record was added (a redraw is due).
    bool record(int tag);
    // The first record of a new or freshly opened document; leaves it unmodified.
    void startHistory();
    // After a save: a fresh copy of the saved construction starts a history of one record.
    void restartHistory();

    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    bool undo();
    bool redo();
    const History& history() const { return history_; }
    void setHistoryBudget(std::size_t bytes, int minimumRecords) {
        history_.setBudget(bytes, minimumRecords);
    }

    ViewState view;
    int angleUnit = kDegrees;
    // The length of one unit, at least 0.01.
    double unitScale = 1.0;
    bool modified = false;
    bool viewerMode = false;
    // The version of the file the document was read from; 0 for a new document.
    int fileVersion = 0;
    // Default styles for new elements, indexed by kind (index 0 holds no kind).
    std::array<KindStyle, kKindCount + 1> styles{};
    FontRecord labelFont;
    std::uint32_t labelColour = 0;
    FontRecord textFont;
    std::uint32_t textColour = 0;
    FontRecord numberFont;
    std::uint32_t numberColour = 0;
    std::vector<Macro> macros;

  private:
    void apply(const HistoryRecord& r);

    std::shared_ptr<Construction> construction_;
    History history_;
};
