#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "expr/rich_text.h"
#include "expr/screen_text.h"
#include "interaction/dialog_model.h"
#include "model/screen_text_context.h"

class ViewSession;

// The text dialog of the text tool (45) and of an existing text element: the
// text as RTF, which the window's rich-text editor reads and writes. A new text
// is placed with its top-left corner where the tool was clicked; its rectangle
// fits the text. Field: "rtf" (the whole RTF). Buttons: "ok", "cancel".
// Confirming a new text that shows nothing makes no element; confirming an
// unchanged text records nothing.
class TextDialog : public DialogModel {
  public:
    // A new text at (x, y), or (editedIndex ≥ 0) the text element at that position.
    TextDialog(ViewSession& session, int x, int y, int editedIndex = -1);

    std::string title() const override;
    std::vector<std::string> fieldNames() const override { return {"rtf"}; }
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    bool editing() const { return editedIndex_ >= 0; }
    // The RTF as stored: 8-bit text, as readRichText takes it.
    const std::string& storedRtf() const { return rtf_; }

  private:
    void confirm();

    ViewSession& session_;
    ScreenPoint at_;
    int editedIndex_ = -1;
    std::string rtf_;
    bool closed_ = false;
};

// The rectangle a rich text needs from its top-left corner at `at`, measured
// on the screen described: the widest line and the lines' heights, with a
// small margin, never smaller than a few characters.
ScreenBox fittedTextBox(ScreenPoint at, const RichText& text, const ScreenTextContext& screenTexts);
