// The options: limits on confirmation, where the colours go, the units'
// recompute as one undo step, and the colour layouts.

#include <cmath>
#include <numbers>

#include "elements/point.h"
#include "expr/parameter.h"
#include "interaction/options_dialog.h"
#include "tools_fixture.h"

namespace {

class Options : public ToolsTest {
  protected:
    Options() {
        english.load(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages" / "English.lng");
        spanish.load(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages" / "Español.lng");
    }
    std::unique_ptr<OptionsDialog> open(Document* d, const TextTable& texts) {
        return std::make_unique<OptionsDialog>(program, d, languages, texts);
    }
    static void set(DialogModel& d, std::string_view field, std::string_view text) {
        std::string error;
        EXPECT_TRUE(d.setField(field, text, error)) << field << ": " << error;
    }
    static std::string field(const DialogModel& d, std::string_view name) {
        std::string text;
        EXPECT_TRUE(d.field(name, text)) << name;
        return text;
    }
    static void press(DialogModel& d, std::string_view button) {
        std::string error;
        EXPECT_TRUE(d.press(button, error)) << error;
    }
    static double value(const Element* e) {
        double v = NAN;
        EXPECT_TRUE(e->currentValue(v));
        return v;
    }

    ProgramOptions program;
    std::vector<LanguageFile> languages = {{"English.lng", "English"}, {"Español.lng", "Español"}};
    TextTable english;
    TextTable spanish;
};

TEST_F(Options, NumberFieldsAreLimitedWhenConfirmed) {
    EXPECT_EQ(optionsFieldNumber("0,5"), 0.5);
    EXPECT_EQ(optionsFieldNumber("0"), 0.01);
    EXPECT_EQ(optionsFieldNumber(""), 0.01);
    EXPECT_EQ(optionsFieldNumber("abc"), 0.01);
    EXPECT_EQ(optionsFieldNumber("-3"), 0.01);
    EXPECT_EQ(optionsFieldNumber("inf"), 0.01);
    EXPECT_EQ(optionsFieldNumber(" 2.5e3"), 2500.0);
    EXPECT_EQ(optionsNumberText(1.0), "1");
    EXPECT_EQ(optionsNumberText(1.0 / 3.0), "0.33333333");
    EXPECT_EQ(optionsNumberText(1.5e12), "1.5e+12");

    start();
    auto options = open(&document, english);
    EXPECT_EQ(field(*options, "unitScale"), "1");
    set(*options, "unitScale", "0,5");
    set(*options, "axisLength", "abc");
    set(*options, "ndec_nn", "5");
    std::string error;
    EXPECT_FALSE(options->setField("ndec_nn", "9", error));
    EXPECT_FALSE(options->setField("angleUnit", "deg", error));
    press(*options, "ok");
    EXPECT_EQ(document.unitScale, 0.5);
    EXPECT_EQ(document.view.axisLength, 0.01);
    EXPECT_EQ(program.decimals, 5);
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(options->closed());
    EXPECT_FALSE(options->setField("ndec_nn", "1", error)) << "a closed dialog takes no input";

    // Cancel changes nothing; "0" is as small as a length unit gets.
    options = open(&document, english);
    set(*options, "unitScale", "0");
    press(*options, "cancel");
    EXPECT_EQ(document.unitScale, 0.5);
    options = open(&document, english);
    set(*options, "unitScale", "0");
    press(*options, "ok");
    EXPECT_EQ(document.unitScale, 0.01);
}

TEST_F(Options, ColoursGoToTheDocumentOrToNewDocuments) {
    start();
    const std::uint32_t documentBackground = document.view.backgroundColour;
    auto options = open(&document, english);
    set(*options, "applyToNew", "1");
    set(*options, "backgroundColour", "255");
    press(*options, "ok");
    EXPECT_EQ(document.view.backgroundColour, documentBackground) << "the open document keeps its colour";
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(program.currentLook.backgroundColour, 255u);

    // Unchecked, the document takes it and counts as modified; the defaults stay.
    options = open(&document, english);
    set(*options, "hiddenColour", "4660");
    set(*options, "stylesToNew", "1");
    set(*options, "kind", "13");
    set(*options, "kindColour", "65280");
    set(*options, "kindSize", "4");
    press(*options, "ok");
    EXPECT_EQ(document.view.hiddenColour, 4660u);
    EXPECT_NE(program.currentLook.hiddenColour, 4660u);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(program.currentLook.styles[13], (KindStyle{0, 4, document.styles[13].shape, 0, 65280}));
    EXPECT_NE(document.styles[13].colour, 65280u);

    // With no document open everything goes to the defaults.
    options = open(nullptr, english);
    EXPECT_EQ(field(*options, "backgroundColour"), "255");
    set(*options, "selectedColour", "17");
    set(*options, "language", "Español");
    set(*options, "FontLC", "DejaVu Sans, 14, bold");
    press(*options, "ok");
    EXPECT_EQ(program.currentLook.selectedColour, 17u);
    EXPECT_TRUE(options->languageChanged());
    EXPECT_EQ(program.language, "Español.lng");
    EXPECT_EQ(fontText(program.currentLook.listFont), "DejaVu Sans, 14, bold");
}

TEST_F(Options, AChangedAngleUnitRecomputesAsOneUndoStep) {
    Point* a = addFree({1, 0, 0}, "A");
    Point* v = addFree({0, 0, 0}, "V");
    Point* b = addFree({0, 1, 0}, "B");
    Element* angle = add(TypeCode::ThreePointAngle, {a, v, b});
    auto* turn = static_cast<ParameterNumber*>(add(TypeCode::Parameter, {}));
    turn->value = 90.0;
    Element* axis = add(TypeCode::LineTwoPoints, {v, addFree({0, 0, 1})});
    auto* image = static_cast<Point*>(add(TypeCode::PointRotation, {a, axis, turn}));
    start();
    EXPECT_NEAR(value(angle), 90.0, 1e-9);
    EXPECT_NEAR(image->position.y, 1.0, 1e-9);

    auto options = open(&document, english);
    EXPECT_EQ(field(*options, "angleUnit"), "DEG");
    set(*options, "angleUnit", "RAD");
    press(*options, "ok");
    EXPECT_TRUE(options->recomputed());
    EXPECT_EQ(document.angleUnit, kRadians);
    const Construction& c = document.construction();
    EXPECT_NEAR(value(c.at(3)), std::numbers::pi / 2, 1e-9);  // the copy's angle measure
    const auto* turned = static_cast<const Point*>(c.at(7));
    EXPECT_NEAR(turned->position.x, std::cos(90.0), 1e-9) << "90 read as radians";
    EXPECT_NEAR(turned->position.y, std::sin(90.0), 1e-9);

    // Undo gives back the construction with the unit it was computed in.
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(document.angleUnit, kDegrees);
    EXPECT_NEAR(value(document.construction().at(3)), 90.0, 1e-9);
    ASSERT_TRUE(document.redo());
    EXPECT_EQ(document.angleUnit, kRadians);

    // Nothing changed on page 3: no step, no recompute.
    const int records = document.history().size();
    options = open(&document, english);
    press(*options, "ok");
    EXPECT_FALSE(options->recomputed());
    EXPECT_EQ(document.history().size(), records);
}

TEST_F(Options, LayoutsColourThePageAndSpeakTheLanguage) {
    start();
    auto options = open(&document, spanish);
    EXPECT_EQ(field(*options, "layout"), "documento actual");
    set(*options, "layout", "negro");
    EXPECT_EQ(field(*options, "backgroundColour"), "0");
    EXPECT_EQ(field(*options, "layout"), "negro");
    // Every kind stands out on the black background, and the texts are light.
    OptionsLook black;
    applyColourLayout(OptionsLayout::Black, black);
    for (int kind : OptionsDialog::styledKinds()) {
        const std::uint32_t c = black.styles[static_cast<std::size_t>(kind)].colour;
        EXPECT_GT((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF), 0x140u) << kind;
    }
    EXPECT_EQ(black.numberColour, black.nameColour);
    EXPECT_GT(black.numberColour & 0xFF, 0xC0u);

    // Every fixed layout differs from the others, in both languages' names.
    for (int i = 2; i < kOptionsLayoutCount; ++i) {
        OptionsLook look;
        applyColourLayout(static_cast<OptionsLayout>(i), look);
        for (int j = i + 1; j < kOptionsLayoutCount; ++j) {
            OptionsLook other;
            applyColourLayout(static_cast<OptionsLayout>(j), other);
            EXPECT_NE(look.backgroundColour, other.backgroundColour);
        }
        EXPECT_NE(optionsLayoutName(static_cast<OptionsLayout>(i), true),
                  optionsLayoutName(static_cast<OptionsLayout>(i), false));
    }
    set(*options, "layout", "ocean");
    set(*options, "layout", "documento actual");
    EXPECT_EQ(field(*options, "backgroundColour"), std::to_string(document.view.backgroundColour));
    press(*options, "ok");
    EXPECT_FALSE(document.modified) << "the document's own layout changes nothing";

    // Without a document there is no "current document" layout.
    options = open(nullptr, english);
    EXPECT_EQ(field(*options, "layout"), "current default");
    std::string error;
    EXPECT_FALSE(options->setField("layout", "current document", error));
    set(*options, "layout", "skyblue");
    press(*options, "ok");
    EXPECT_EQ(program.currentLook.backgroundColour, 0xFAECD8u);
}

}  // namespace
