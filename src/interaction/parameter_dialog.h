#pragma once

#include <array>
#include <string>
#include <vector>

#include "interaction/construction_dialog.h"
#include "lang/text_table.h"

class ParameterNumber;

// The parameter dialog: a parameter's value, minimum and maximum, and a
// slider from 0 to 500 over the range that sets the value live. Confirming
// takes over each field that was edited and now reads differently (when it
// evaluates) and always records one undo step; cancelling puts everything
// built on the parameter back as it was.
//
// Fields: value, minimum, maximum; slider (the position, read only).
// Buttons: ok, cancel. The slider: setSlider(0 … 500).
class ParameterDialog : public ConstructionDialog {
  public:
    static constexpr int kSliderEnd = 500;

    ParameterDialog(Document& document, const Element& parameter, const TextTable& texts);

    std::string title() const override { return title_; }
    std::vector<std::string> fieldNames() const override { return {"value", "minimum", "maximum", "slider"}; }
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool setSlider(int position, std::string& error) override;

    int sliderPosition() const { return slider_; }
    // A field gets the focus: from then on it counts as edited.
    void markEdited(std::string_view name);

  private:
    bool pressButton(std::string_view button, std::string& error) override;
    // value, minimum, maximum: 0, 1, 2; -1 for any other name.
    static int fieldIndex(std::string_view name);
    // A bound as the slider takes it: the field's value once edited and
    // evaluating, the parameter's stored limit otherwise.
    double bound(int index, double stored) const;

    ParameterNumber* parameter_ = nullptr;
    std::string title_;
    std::array<std::string, 3> texts_;
    std::array<std::string, 3> opening_;
    std::array<bool, 3> edited_{};
    int slider_ = 0;
};
