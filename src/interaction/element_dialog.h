#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "interaction/construction_dialog.h"
#include "lang/text_table.h"

// What the element dialog edits of one element, as the element holds it.
struct ElementLook {
    std::uint32_t colour = 0;
    std::int32_t visible = 1;
    std::optional<std::string> name;  // stored 8-bit text
    std::int32_t showLabel = 1;
    std::int32_t size = 0;
    std::int32_t shape = 0;
    std::int32_t decimals = 0;  // numbers; coordinates through their x part
    double step = 0.0;          // parameters
    // Iterations.
    std::int32_t depth = 0;
    std::int32_t lastOnly = 0;
    std::int32_t drawPoints = 0;
    std::int32_t iterationColour = 0;

    friend bool operator==(const ElementLook&, const ElementLook&) = default;
};

// The element dialog: the colour, visibility, name and label of one element,
// its size and shape or its decimals, a parameter's step and an iteration's
// settings. Each field typed shows at once on the live copy; confirming
// records one undo step only when something differs from the opening values.
//
// Fields: colour (decimal RGB, red in the low byte), visible, name, label,
// size (0-4), shape (0-1), decimals (0-8), step, depth, lastonly, points,
// iterationcolour, each present as the element's kind has it. Buttons: ok, cancel.
class ElementDialog : public ConstructionDialog {
  public:
    // Opens on the element of the document's current construction.
    ElementDialog(Document& document, const Element& element, const TextTable& texts);

    std::string title() const override { return title_; }
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;

    // The edited element in the live copy.
    const Element& element() const { return *element_; }
    bool hasField(std::string_view name) const;

  private:
    bool pressButton(std::string_view button, std::string& error) override;
    // Writes the typed values into the edited element (and a regular figure's
    // visibility into its parts), then recomputes the live copy.
    void preview();

    Element* element_;
    std::string title_;
    ElementLook opening_;
    ElementLook typed_;
    // The texts of the fields that take expressions, as typed.
    std::string stepText_;
    std::string depthText_;
    // A step was typed: the parameter takes it by the step rule.
    bool stepTyped_ = false;
};

// The element's look as the dialog reads it.
ElementLook lookOf(const Element& element);
