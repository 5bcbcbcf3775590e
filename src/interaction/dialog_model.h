#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a dialog does, without a window: its title, the fields a user types
// in (UTF-8 texts, as the dialog shows them), its buttons and its slider. The
// Qt dialog is a face over it; `kova3d-cli play` sets fields and presses
// buttons by name. A model keeps its own working copy and limits; it changes
// the document only through the document's own undo steps.
class DialogModel {
  public:
    virtual ~DialogModel() = default;

    // The caption, UTF-8.
    virtual std::string title() const = 0;
    // The names of its fields in the order the dialog shows them.
    virtual std::vector<std::string> fieldNames() const = 0;
    // A field's text as the dialog shows it; false when it has no such field.
    virtual bool field(std::string_view name, std::string& text) const = 0;
    // Types a whole text into a field; false with the reason when there is no
    // such field or the field refuses the text.
    virtual bool setField(std::string_view name, std::string_view text, std::string& error) = 0;
    // Presses a button by name ("ok", "cancel", "apply", …); false with the
    // reason when there is no such button. A button may close the dialog.
    virtual bool press(std::string_view button, std::string& error) = 0;
    // Moves the slider to a position; false with the reason when there is no
    // slider or the position lies outside its range.
    virtual bool setSlider(int position, std::string& error);
    // Confirmed or cancelled: a closed dialog takes no more input.
    virtual bool closed() const = 0;
};

inline bool DialogModel::setSlider(int, std::string& error) {
    error = "the dialog has no slider";
    return false;
}
