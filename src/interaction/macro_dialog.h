#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interaction/dialog_model.h"

class ViewSession;
class SessionHost;
struct Macro;

// One line of the macro list as the dialog shows it, UTF-8.
struct MacroListRow {
    std::string name;
    std::string description;
    std::string kinds;  // the kinds of the initial elements, in pick order
};

// "Macro options": the document's macros and the buttons that make, apply,
// remove, export and import them. It stays open beside the view while the
// macro tools take clicks there: "start" lets clicks toggle the initial
// elements of a new macro, "final" its final elements, "make" asks the name
// and adds the macro, "apply" lets clicks pick the elements the selected
// macro starts from.
//
// Fields: "selected" (the list position from 0, empty for none), "name" and
// "description" of the selected macro (typing them renames or describes it
// and marks the document modified; macros are not part of the undo history),
// and, not editable, "kinds" of the selected macro, "count" of macros,
// "initial" and "final" (how many elements are picked for a new macro).
// Buttons: "start", "final", "make", "apply", "remove", "export", "import",
// and "close" (or "ok", "cancel"), which closes it.
class MacroDialog : public DialogModel {
  public:
    MacroDialog(ViewSession& session, SessionHost& host);

    std::string title() const override;
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    std::vector<MacroListRow> rows() const;
    // The selected list position, or -1.
    int selected() const;

  private:
    Macro* selectedMacro() const;
    void exportSelected();
    void importOne();

    ViewSession& session_;
    SessionHost& host_;
    int selected_ = -1;
    bool closed_ = false;
};
