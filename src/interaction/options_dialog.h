#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interaction/dialog_model.h"
#include "io/document_defaults.h"
#include "lang/language_files.h"
#include "lang/text_table.h"
#include "model/document.h"

// The program-wide values the options edit: the current look that new
// documents take, and the settings that belong to no document.
struct ProgramOptions {
    std::string language;  // the language file's name in the Languages folder
    DocumentLook currentLook = DocumentLook::builtIn();
    FontRecord cursorMessageFont;  // FontMC
    std::uint32_t cursorMessageColour = 0;
    int cursorMessageOption = 1;     // adapMC
    int antialiasing = 1;            // AntiAliasing
    int decimals = 2;                // ndec_nn, 0 … 8
    int hideMacroIntermediates = 1;  // ocei_macro
    int stepByStepOption = 0;        // ife_stst

    friend bool operator==(const ProgramOptions&, const ProgramOptions&) = default;
};

// What pages 1 and 2 show of a look: the three view colours, the kinds'
// styles, the fonts of names, numbers and texts, and anti-aliasing. It comes
// from the active document or from the current defaults, and goes to either
// as the "apply to new documents" boxes say.
struct OptionsLook {
    std::uint32_t backgroundColour = 0;
    std::uint32_t hiddenColour = 0;
    std::uint32_t selectedColour = 0;
    std::array<KindStyle, kKindCount + 1> styles{};
    FontRecord nameFont;
    std::uint32_t nameColour = 0;
    FontRecord numberFont;
    std::uint32_t numberColour = 0;
    FontRecord textFont;
    std::uint32_t textColour = 0;
    int antialiasing = 0;
};

// The colour layouts of page 2, in combo order.
enum class OptionsLayout { CurrentDocument, CurrentDefault, Black, White, Ocean, SkyBlue };
inline constexpr int kOptionsLayoutCount = 6;
// A layout's name: Spanish when the loaded language is.
std::string optionsLayoutName(OptionsLayout layout, bool spanish);
// The colours a fixed layout (black … sky blue) gives a look; sizes, shapes,
// fonts and anti-aliasing stay.
void applyColourLayout(OptionsLayout layout, OptionsLook& look);

// The options: three pages that edit the program's current defaults and the
// active document's own values at once (the document may be absent). Nothing
// changes before "ok"; then
// - page 1: the three colours go to the defaults when applyToNew is set (or
//   when no document is active), else to the document; the list's look, the
//   cursor messages and the language to the program;
// - page 2: the kinds' styles, the fonts and anti-aliasing likewise, each by
//   its own box (stylesToNew, fontsToNew, antiAliasingToNew);
// - page 3: projection, rotation, angle unit, axis length and unitScale to
//   the document ("," reads as "."; below 0.01, empty or unreadable: 0.01); a
//   changed angle unit or unitScale recomputes the construction as one undo
//   step; decimals and the two flags to the program.
// A document that changed is marked modified.
//
// Fields (page 1) backgroundColour, hiddenColour, selectedColour, applyToNew,
// LCBckCol, FontLC, FontLCColour, FontMC, FontMCColour, adapMC, language;
// (page 2) layout, kind, kindColour, kindSize, kindShape, Font_nom,
// Font_nomColour, FontEG_num, FontEG_numColour, FontEG_txt, FontEG_txtColour,
// AntiAliasing, stylesToNew, fontsToNew, antiAliasingToNew; (page 3)
// projection, rotationSpeed, rotationReverse, angleUnit, axisLength,
// unitScale, ndec_nn, ocei_macro, ife_stst. Colours are stored values (red in
// the low byte) in decimal, flags 0 and 1, fonts "Face, height[, bold][,
// italic]". Buttons: ok, cancel.
class OptionsDialog : public DialogModel {
  public:
    OptionsDialog(ProgramOptions& program, Document* document, std::vector<LanguageFile> languages,
                  const TextTable& texts);

    std::string title() const override;
    std::vector<std::string> fieldNames() const override;
    bool field(std::string_view name, std::string& text) const override;
    bool setField(std::string_view name, std::string_view text, std::string& error) override;
    bool press(std::string_view button, std::string& error) override;
    bool closed() const override { return closed_; }

    // After "ok": whether another language was chosen (the window loads it),
    // and whether the document's construction was recomputed.
    bool confirmed() const { return confirmed_; }
    bool languageChanged() const { return languageChanged_; }
    bool recomputed() const { return recomputed_; }

    // What the faces list.
    const std::vector<LanguageFile>& languages() const { return languages_; }
    bool hasDocument() const { return document_ != nullptr; }
    bool spanish() const { return spanish_; }
    // The kinds that have a style, in combo order.
    static const std::vector<int>& styledKinds();
    // Fonts and colours for the faces' pickers, by field name.
    const FontRecord* font(std::string_view name) const;
    void setFont(std::string_view name, const FontRecord& font);

  private:
    bool setFlagField(std::string_view name, std::string_view text, std::string& error);
    void confirm();
    void applyLook(const OptionsLook& look, bool toDefaults, bool stylesToDefaults, bool fontsToDefaults,
                   bool antiAliasingToDefaults);
    void applyPageThree();
    std::uint32_t* colour(std::string_view name);
    int* flag(std::string_view name);

    ProgramOptions& program_;
    Document* document_;
    std::vector<LanguageFile> languages_;
    std::string title_;
    bool spanish_ = false;

    // The pages' working values.
    ProgramOptions options_;
    OptionsLook look_;
    int applyToNew_ = 0;
    int stylesToNew_ = 0;
    int fontsToNew_ = 0;
    int antiAliasingToNew_ = 0;
    OptionsLayout layout_ = OptionsLayout::CurrentDefault;
    int kind_ = 1;
    int projection_ = 0;
    int rotationSpeed_ = 2;
    int rotationReverse_ = 0;
    int angleUnit_ = kDegrees;
    std::string axisLength_;
    std::string unitScale_;
    // What page 3 showed when it opened.
    std::string openingAxisLength_;
    std::string openingUnitScale_;

    bool closed_ = false;
    bool confirmed_ = false;
    bool languageChanged_ = false;
    bool recomputed_ = false;
};

// A number field's text as it reads when confirmed: every "," as ".", a
// value below 0.01 (also an empty, unreadable or infinite one) as 0.01.
double optionsFieldNumber(std::string_view text);
// A number as page 3 shows it: 8 significant digits, an exponent when very
// large or small, no trailing decimal point.
std::string optionsNumberText(double value);
// A font as its field shows it, "Face, height[, bold][, italic]", and back;
// false for a text that is not one.
std::string fontText(const FontRecord& font);
bool parseFontText(std::string_view text, FontRecord& font);
