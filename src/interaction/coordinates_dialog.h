#pragma once

#include <array>
#include <string>
#include <vector>

#include "interaction/construction_dialog.h"
#include "interaction/session_host.h"
#include "lang/text_table.h"

class Point;

// The point coordinates dialog: three fields x, y and z that take
// expressions without variables, in the document's length unit. Without a
// point it places new points ("apply" adds one at the typed coordinates, as
// many as the user wants); on a free or represented point it moves that
// point. OK is enabled by the first apply that succeeds, and records one
// undo step when something changed; otherwise it acts as cancel.
//
// Fields: x, y, z; and focus, read only: the field an apply sent the focus
// to. Buttons: apply, ok, cancel.
class CoordinatesDialog : public ConstructionDialog {
  public:
    // point: a free or represented point of the current construction to
    // edit, or nullptr to place new points. Messages go to the host.
    CoordinatesDialog(Document& document, const Element* point, const TextTable& texts, SessionHost& host);

    std::string title() const override { return title_; }
    std::vector<std::string> fieldNames() const override { return {"x", "y", "z"}; }
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;

    bool editing() const { return point_ != nullptr; }
    bool okEnabled() const { return okEnabled_; }
    // The field that takes the focus after an apply refused a value; empty otherwise.
    const std::string& focusField() const { return focusField_; }
    // The label beside the fields.
    const std::string& fieldLabel() const { return fieldLabel_; }

  private:
    bool pressButton(std::string_view button, std::string& error) override;
    // Evaluates the three fields and places or moves the point; false, with
    // the message shown and the focus on the first failing field, when one fails.
    bool apply();
    int fieldIndex(std::string_view name) const;

    SessionHost& host_;
    Point* point_ = nullptr;
    std::string title_;
    std::string fieldLabel_;
    std::array<std::string, 3> texts_;
    std::array<std::string, 3> opening_;
    bool changed_ = false;
    bool okEnabled_ = false;
    std::string focusField_;
};

// Whether a double click on the element edits a point's coordinates: free
// and represented points edit themselves, coordinates elements the point
// they show when that point is free or represented. The point, or nullptr.
const Element* coordinatesDialogPoint(const Element& element);
