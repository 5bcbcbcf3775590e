#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "interaction/dialog_model.h"
#include "model/construction.h"
#include "model/document.h"

// A dialog that edits the document on a live copy of its construction: while
// it is open the copy is the document's current construction, so the view
// shows every change at once; confirming records the copy as one undo step,
// cancelling puts the construction from before back. The copy is shared with
// the dialog, so it stays valid whatever the document shows meanwhile.
class ConstructionDialog : public DialogModel {
  public:
    bool closed() const override { return closed_; }
    // Cancel puts the construction from before back; the other buttons are the dialog's own.
    bool press(std::string_view button, std::string& error) final;

    // Called after each change of the live copy (the view redraws) and once
    // when the dialog closes either way.
    std::function<void()> onChange;
    std::function<void()> onClose;

  protected:
    explicit ConstructionDialog(Document& document);

    Document& document() { return document_; }
    const Document& document() const { return document_; }
    Construction& working() { return *working_; }
    const Construction& working() const { return *working_; }
    // The element of the live copy at the place the original holds in the
    // construction from before; nullptr for an element of any other construction.
    Element* counterpart(const Element* original) const;

    // The dialog's own buttons (ok, apply …) while it is open; false with the
    // reason for a name it has none of (see noSuchButton).
    virtual bool pressButton(std::string_view button, std::string& error) = 0;
    static bool noSuchButton(std::string_view button, std::string& error);

    // Recomputes the live copy and tells the view.
    void changed();
    // The live copy becomes the document's construction, recomputed and
    // recorded as one undo step; the dialog closes.
    void commit();
    // The construction from before becomes current again; the dialog closes.
    void restore();

  private:
    void close();

    Document& document_;
    std::shared_ptr<Construction> before_;
    std::shared_ptr<Construction> working_;
    bool closed_ = false;
};

// A closed dialog takes no more input.
bool refuseWhenClosed(const DialogModel& dialog, std::string& error);

// The flag fields "0" and "1".
bool parseFlag(std::string_view text, int& flag);
// A whole decimal number within [low, high], nothing else on the line.
bool parseWholeNumber(std::string_view text, long long low, long long high, long long& value);
