#include "interaction/options_dialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "interaction/construction_dialog.h"
#include "io/document_file.h"
#include "lang/help_files.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"

namespace {

using K = ElementKind;

constexpr double kLeastNumber = 0.01;
constexpr std::array<const char*, 3> kAngleUnits = {"RAD", "DEG", "GRA"};

// Colours are stored with red in the low byte.
constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// A fixed layout: the view's colours, the texts' colour and one colour per
// family of kinds, chosen to stand apart on its background.
struct ColourLayout {
    OptionsLayout layout;
    const char* english;
    const char* spanish;
    std::uint32_t background, hidden, selected, texts;
    std::uint32_t point, vector, straight, round, plane, figure, sphere, cylinder, cone, curve, surface,
        iteration;
};

constexpr ColourLayout kLayouts[] = {
    {OptionsLayout::Black, "black", "negro", rgb(0, 0, 0), rgb(0x60, 0x60, 0x60), rgb(0xFF, 0xFF, 0x00),
     rgb(0xF0, 0xF0, 0xF0), rgb(0xFF, 0x50, 0x40), rgb(0xFF, 0x80, 0xFF), rgb(0x60, 0xD0, 0xFF),
     rgb(0xD0, 0x90, 0xFF), rgb(0x70, 0x80, 0x90), rgb(0x50, 0xE0, 0x70), rgb(0x30, 0x90, 0xF0),
     rgb(0xF0, 0xC0, 0x40), rgb(0xF0, 0x90, 0x40), rgb(0x90, 0xF0, 0x60), rgb(0xE0, 0xC8, 0x90),
     rgb(0xC0, 0xC0, 0xC0)},
    {OptionsLayout::White, "white", "blanco", rgb(0xFF, 0xFF, 0xFF), rgb(0xBE, 0xBE, 0x00),
     rgb(0xAA, 0xAA, 0xFF), rgb(0, 0, 0), rgb(0xD0, 0x20, 0x20), rgb(0x80, 0x20, 0xA0), rgb(0x20, 0x40, 0xA0),
     rgb(0x90, 0x30, 0xA0), rgb(0x90, 0xA0, 0xB0), rgb(0x30, 0xA0, 0x30), rgb(0x10, 0x80, 0xF0),
     rgb(0xF0, 0xB0, 0x30), rgb(0xF0, 0x80, 0x30), rgb(0x20, 0x80, 0x20), rgb(0xE0, 0xC0, 0x80),
     rgb(0x80, 0x80, 0x80)},
    {OptionsLayout::Ocean, "ocean", "azulmarino", rgb(0x10, 0x20, 0x50), rgb(0x50, 0x60, 0x80),
     rgb(0xFF, 0xD0, 0x40), rgb(0xF0, 0xF0, 0xF0), rgb(0xFF, 0x80, 0x60), rgb(0xFF, 0xA0, 0xE0),
     rgb(0xA0, 0xE0, 0xFF), rgb(0xC0, 0xA0, 0xFF), rgb(0x60, 0x90, 0xC0), rgb(0x80, 0xE0, 0xA0),
     rgb(0x40, 0xC0, 0xE0), rgb(0xF0, 0xC0, 0x60), rgb(0xF0, 0x90, 0x60), rgb(0xA0, 0xF0, 0x80),
     rgb(0xE0, 0xD0, 0xA0), rgb(0xC0, 0xC0, 0xC0)},
    {OptionsLayout::SkyBlue, "skyblue", "azulclaro", rgb(0xD8, 0xEC, 0xFA), rgb(0x90, 0xA8, 0xB8),
     rgb(0xFF, 0x60, 0x30), rgb(0x10, 0x20, 0x40), rgb(0xC0, 0x10, 0x30), rgb(0x80, 0x10, 0x80),
     rgb(0x10, 0x30, 0x80), rgb(0x70, 0x20, 0x90), rgb(0x70, 0x90, 0xB0), rgb(0x20, 0x80, 0x40),
     rgb(0x10, 0x60, 0xC0), rgb(0xD0, 0x90, 0x20), rgb(0xD0, 0x60, 0x20), rgb(0x10, 0x70, 0x30),
     rgb(0xC0, 0xA0, 0x60), rgb(0x60, 0x60, 0x60)},
};

// The colour of a kind in a layout: its family's.
std::uint32_t kindColour(const ColourLayout& l, K kind) {
    switch (kind) {
        case K::Point:
            return l.point;
        case K::Vector:
            return l.vector;
        case K::Segment:
        case K::Line:
        case K::Ray:
            return l.straight;
        case K::Circle:
        case K::Arc:
        case K::Conic:
            return l.round;
        case K::Plane:
            return l.plane;
        case K::Polygon:
        case K::RegularPolygon:
        case K::RegularPolyhedron:
            return l.figure;
        case K::Sphere:
            return l.sphere;
        case K::Cylinder:
            return l.cylinder;
        case K::Cone:
            return l.cone;
        case K::Curve:
            return l.curve;
        case K::Surface:
            return l.surface;
        default:
            return l.iteration;
    }
}

std::string flagText(int flag) {
    return flag ? "1" : "0";
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool parseColour(std::string_view text, std::uint32_t& colour) {
    long long value = 0;
    if (!parseWholeNumber(text, 0, 0xFFFFFF, value)) return false;
    colour = static_cast<std::uint32_t>(value);
    return true;
}

OptionsLook lookOf(const Document& d) {
    return {d.view.backgroundColour, d.view.hiddenColour, d.view.selectedColour, d.styles,   d.labelFont,
            d.labelColour,           d.numberFont,        d.numberColour,        d.textFont, d.textColour,
            d.view.antialiasing};
}

OptionsLook lookOf(const ProgramOptions& p) {
    const DocumentLook& l = p.currentLook;
    return {l.backgroundColour, l.hiddenColour, l.selectedColour, l.styles,     l.nameFont,    l.nameColour,
            l.numberFont,       l.numberColour, l.textFont,       l.textColour, p.antialiasing};
}

// Where a font field and its colour live in a look or the program.
struct FontField {
    const char* name;
    const char* colourName;
};
constexpr FontField kFontFields[] = {{"FontLC", "FontLCColour"},
                                     {"FontMC", "FontMCColour"},
                                     {"Font_nom", "Font_nomColour"},
                                     {"FontEG_num", "FontEG_numColour"},
                                     {"FontEG_txt", "FontEG_txtColour"}};

constexpr std::size_t kFaceOffset = 28;
constexpr std::size_t kFaceBytes = 32;
constexpr std::size_t kWeightOffset = 16;
constexpr std::size_t kItalicOffset = 20;
constexpr std::int32_t kBold = 700;
constexpr std::int32_t kNormalWeight = 400;

std::int32_t wordOf(const FontRecord& font, std::size_t offset) {
    std::int32_t v = 0;
    std::memcpy(&v, font.bytes.data() + offset, sizeof v);
    return v;
}

void putWord(FontRecord& font, std::size_t offset, std::int32_t v) {
    std::memcpy(font.bytes.data() + offset, &v, sizeof v);
}

}  // namespace

std::string optionsLayoutName(OptionsLayout layout, bool spanish) {
    switch (layout) {
        case OptionsLayout::CurrentDocument:
            return spanish ? "documento actual" : "current document";
        case OptionsLayout::CurrentDefault:
            return spanish ? "predefinido actual" : "current default";
        default:
            break;
    }
    for (const ColourLayout& l : kLayouts)
        if (l.layout == layout) return spanish ? l.spanish : l.english;
    return {};
}

void applyColourLayout(OptionsLayout layout, OptionsLook& look) {
    for (const ColourLayout& l : kLayouts) {
        if (l.layout != layout) continue;
        look.backgroundColour = l.background;
        look.hiddenColour = l.hidden;
        look.selectedColour = l.selected;
        look.nameColour = look.numberColour = look.textColour = l.texts;
        for (int kind = 1; kind <= kKindCount; ++kind)
            look.styles[static_cast<std::size_t>(kind)].colour = kindColour(l, static_cast<K>(kind));
    }
}

double optionsFieldNumber(std::string_view text) {
    std::string s = trimmed(text);
    std::replace(s.begin(), s.end(), ',', '.');
    const char* begin = s.data();
    if (!s.empty() && s[0] == '+') ++begin;
    double value = 0.0;
    // Read as far as it is a number, in the program's own notation whatever the locale.
    const std::errc error = std::from_chars(begin, s.data() + s.size(), value).ec;
    if (error != std::errc() || !std::isfinite(value) || value < kLeastNumber) return kLeastNumber;
    return value;
}

std::string optionsNumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", value);
    return text;
}

std::string fontText(const FontRecord& font) {
    const char* face = reinterpret_cast<const char*>(font.bytes.data() + kFaceOffset);
    std::string text = windows1252ToUtf8({face, strnlen(face, kFaceBytes)});
    const std::int64_t height = wordOf(font, 0);
    text += ", " + std::to_string(height < 0 ? -height : height);
    if (wordOf(font, kWeightOffset) >= kBold) text += ", bold";
    if (font.bytes[kItalicOffset] != 0) text += ", italic";
    return text;
}

bool parseFontText(std::string_view text, FontRecord& font) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(trimmed(text.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 2) return false;
    const Windows1252Text face = utf8ToWindows1252(parts[0]);
    long long height = 0;
    if (!face.ok() || face.bytes.size() >= kFaceBytes || !parseWholeNumber(parts[1], 1, 1000, height))
        return false;
    bool bold = false;
    bool italic = false;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (parts[i] == "bold")
            bold = true;
        else if (parts[i] == "italic")
            italic = true;
        else
            return false;
    }
    FontRecord made = font;
    putWord(made, 0, -static_cast<std::int32_t>(height));
    putWord(made, kWeightOffset, bold ? kBold : kNormalWeight);
    made.bytes[kItalicOffset] = italic ? 1 : 0;
    std::fill_n(made.bytes.begin() + kFaceOffset, kFaceBytes, std::uint8_t{0});
    std::copy(face.bytes.begin(), face.bytes.end(), made.bytes.begin() + kFaceOffset);
    font = made;
    return true;
}

// ---- the dialog

OptionsDialog::OptionsDialog(ProgramOptions& program, Document* document, std::vector<LanguageFile> languages,
                             const TextTable& texts)
    : program_(program), document_(document), languages_(std::move(languages)), options_(program) {
    title_ = texts.text(textid::kOptionsTitle);
    spanish_ = languageIsSpanish(texts.text(textid::kLanguageName));
    // The pages show the document's own values while one is active.
    look_ = document_ ? lookOf(*document_) : lookOf(program_);
    layout_ = document_ ? OptionsLayout::CurrentDocument : OptionsLayout::CurrentDefault;
    const Document shown;
    const Document& d = document_ ? *document_ : shown;
    projection_ = d.view.projection;
    rotationSpeed_ = std::clamp(d.view.rotationSpeed, 1, 3);
    rotationReverse_ = d.view.rotationReverse ? 1 : 0;
    angleUnit_ = std::clamp(d.angleUnit, kRadians, kGrads);
    openingAxisLength_ = axisLength_ = optionsNumberText(d.view.axisLength);
    openingUnitScale_ = unitScale_ = optionsNumberText(d.unitScale);
    options_.decimals = std::clamp(options_.decimals, 0, 8);
}

std::string OptionsDialog::title() const {
    return title_;
}

const std::vector<int>& OptionsDialog::styledKinds() {
    static const std::vector<int> kinds(kStyleRecordKinds.begin(), kStyleRecordKinds.end());
    return kinds;
}

std::vector<std::string> OptionsDialog::fieldNames() const {
    return {"backgroundColour",
            "hiddenColour",
            "selectedColour",
            "applyToNew",
            "LCBckCol",
            "FontLC",
            "FontLCColour",
            "FontMC",
            "FontMCColour",
            "adapMC",
            "language",
            "layout",
            "kind",
            "kindColour",
            "kindSize",
            "kindShape",
            "Font_nom",
            "Font_nomColour",
            "FontEG_num",
            "FontEG_numColour",
            "FontEG_txt",
            "FontEG_txtColour",
            "AntiAliasing",
            "stylesToNew",
            "fontsToNew",
            "antiAliasingToNew",
            "projection",
            "rotationSpeed",
            "rotationReverse",
            "angleUnit",
            "axisLength",
            "unitScale",
            "ndec_nn",
            "ocei_macro",
            "ife_stst"};
}

std::uint32_t* OptionsDialog::colour(std::string_view name) {
    DocumentLook& l = options_.currentLook;
    if (name == "backgroundColour") return &look_.backgroundColour;
    if (name == "hiddenColour") return &look_.hiddenColour;
    if (name == "selectedColour") return &look_.selectedColour;
    if (name == "LCBckCol") return &l.listBackground;
    if (name == "FontLCColour") return &l.listFontColour;
    if (name == "FontMCColour") return &options_.cursorMessageColour;
    if (name == "Font_nomColour") return &look_.nameColour;
    if (name == "FontEG_numColour") return &look_.numberColour;
    if (name == "FontEG_txtColour") return &look_.textColour;
    if (name == "kindColour") return &look_.styles[static_cast<std::size_t>(kind_)].colour;
    return nullptr;
}

int* OptionsDialog::flag(std::string_view name) {
    if (name == "applyToNew") return &applyToNew_;
    if (name == "adapMC") return &options_.cursorMessageOption;
    if (name == "AntiAliasing") return &look_.antialiasing;
    if (name == "stylesToNew") return &stylesToNew_;
    if (name == "fontsToNew") return &fontsToNew_;
    if (name == "antiAliasingToNew") return &antiAliasingToNew_;
    if (name == "rotationReverse") return &rotationReverse_;
    if (name == "ocei_macro") return &options_.hideMacroIntermediates;
    if (name == "ife_stst") return &options_.stepByStepOption;
    return nullptr;
}

const FontRecord* OptionsDialog::font(std::string_view name) const {
    if (name == "FontLC") return &options_.currentLook.listFont;
    if (name == "FontMC") return &options_.cursorMessageFont;
    if (name == "Font_nom") return &look_.nameFont;
    if (name == "FontEG_num") return &look_.numberFont;
    if (name == "FontEG_txt") return &look_.textFont;
    return nullptr;
}

void OptionsDialog::setFont(std::string_view name, const FontRecord& font) {
    if (auto* f = const_cast<FontRecord*>(std::as_const(*this).font(name))) *f = font;
}

bool OptionsDialog::field(std::string_view name, std::string& text) const {
    auto& self = const_cast<OptionsDialog&>(*this);  // the lookups only read here
    if (const std::uint32_t* c = self.colour(name)) {
        text = std::to_string(*c);
    } else if (const int* f = self.flag(name)) {
        text = flagText(*f);
    } else if (const FontRecord* f = font(name)) {
        text = fontText(*f);
    } else if (name == "language") {
        text = options_.language;
        for (const LanguageFile& l : languages_)
            if (l.fileName == options_.language) text = l.displayName;
    } else if (name == "layout") {
        text = optionsLayoutName(layout_, spanish_);
    } else if (name == "kind") {
        text = std::to_string(kind_);
    } else if (name == "kindSize") {
        text = std::to_string(look_.styles[static_cast<std::size_t>(kind_)].size);
    } else if (name == "kindShape") {
        text = std::to_string(look_.styles[static_cast<std::size_t>(kind_)].shape);
    } else if (name == "projection") {
        text = std::to_string(projection_);
    } else if (name == "rotationSpeed") {
        text = std::to_string(rotationSpeed_);
    } else if (name == "angleUnit") {
        text = kAngleUnits[static_cast<std::size_t>(angleUnit_)];
    } else if (name == "axisLength") {
        text = axisLength_;
    } else if (name == "unitScale") {
        text = unitScale_;
    } else if (name == "ndec_nn") {
        text = std::to_string(options_.decimals);
    } else {
        return false;
    }
    return true;
}

bool OptionsDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    const auto refuse = [&](const char* what) {
        error = "'" + std::string(text) + "' is not " + what;
        return false;
    };
    long long number = 0;
    if (std::uint32_t* c = colour(name)) {
        if (!parseColour(text, *c)) return refuse("a colour (0 to 16777215)");
    } else if (int* f = flag(name)) {
        if (!parseFlag(text, *f)) return refuse("0 or 1");
    } else if (font(name)) {
        FontRecord f = *font(name);
        if (!parseFontText(text, f)) return refuse("a font: Face, height[, bold][, italic]");
        setFont(name, f);
    } else if (name == "language") {
        const auto it = std::find_if(languages_.begin(), languages_.end(), [&](const LanguageFile& l) {
            return l.displayName == text || l.fileName == text;
        });
        if (it == languages_.end()) return refuse("a language of the Languages folder");
        options_.language = it->fileName;
    } else if (name == "layout") {
        int chosen = -1;
        for (int i = 0; i < kOptionsLayoutCount; ++i)
            for (const bool spanish : {false, true})
                if (optionsLayoutName(static_cast<OptionsLayout>(i), spanish) == text) chosen = i;
        if (chosen < 0) return refuse("a layout");
        const auto layout = static_cast<OptionsLayout>(chosen);
        if (layout == OptionsLayout::CurrentDocument) {
            if (!document_) return refuse("a layout while no document is open");
            look_ = lookOf(*document_);
        } else if (layout == OptionsLayout::CurrentDefault) {
            look_ = lookOf(program_);
        } else {
            applyColourLayout(layout, look_);
        }
        layout_ = layout;
    } else if (name == "kind") {
        const auto& kinds = styledKinds();
        if (!parseWholeNumber(text, 1, kKindCount, number) ||
            std::find(kinds.begin(), kinds.end(), static_cast<int>(number)) == kinds.end())
            return refuse("a kind with a style");
        kind_ = static_cast<int>(number);
    } else if (name == "kindSize" || name == "kindShape") {
        const bool size = name == "kindSize";
        if (!parseWholeNumber(text, 0, size ? 4 : 1, number))
            return refuse(size ? "a size 0 to 4" : "0 or 1");
        KindStyle& style = look_.styles[static_cast<std::size_t>(kind_)];
        (size ? style.size : style.shape) = static_cast<std::int32_t>(number);
    } else if (name == "projection") {
        if (!parseWholeNumber(text, 0, 1, number)) return refuse("0 (central) or 1 (parallel)");
        projection_ = static_cast<int>(number);
    } else if (name == "rotationSpeed") {
        if (!parseWholeNumber(text, 1, 3, number)) return refuse("a speed 1, 2 or 3");
        rotationSpeed_ = static_cast<int>(number);
    } else if (name == "angleUnit") {
        const auto it = std::find(kAngleUnits.begin(), kAngleUnits.end(), text);
        if (it == kAngleUnits.end()) return refuse("RAD, DEG or GRA");
        angleUnit_ = static_cast<int>(it - kAngleUnits.begin());
    } else if (name == "axisLength") {
        axisLength_ = text;  // read when confirmed
    } else if (name == "unitScale") {
        unitScale_ = text;
    } else if (name == "ndec_nn") {
        if (!parseWholeNumber(text, 0, 8, number)) return refuse("0 to 8 decimals");
        options_.decimals = static_cast<int>(number);
    } else {
        error = "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    return true;
}

bool OptionsDialog::press(std::string_view button, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    if (button == "ok") {
        confirm();
    } else if (button != "cancel") {
        error = "the dialog has no button '" + std::string(button) + "'";
        return false;
    }
    closed_ = true;
    return true;
}

void OptionsDialog::confirm() {
    confirmed_ = true;
    languageChanged_ = options_.language != program_.language;
    // With no document the look has nowhere to go but the defaults.
    const bool toDefaults = applyToNew_ || !document_;
    applyLook(look_, toDefaults, stylesToNew_ || !document_, fontsToNew_ || !document_,
              antiAliasingToNew_ || !document_);
    DocumentLook& current = program_.currentLook;
    const DocumentLook& edited = options_.currentLook;
    current.listBackground = edited.listBackground;
    current.listFont = edited.listFont;
    current.listFontColour = edited.listFontColour;
    program_.cursorMessageFont = options_.cursorMessageFont;
    program_.cursorMessageColour = options_.cursorMessageColour;
    program_.cursorMessageOption = options_.cursorMessageOption;
    program_.language = options_.language;
    program_.decimals = options_.decimals;
    program_.hideMacroIntermediates = options_.hideMacroIntermediates;
    program_.stepByStepOption = options_.stepByStepOption;
    if (document_) applyPageThree();
}

void OptionsDialog::applyLook(const OptionsLook& look, bool toDefaults, bool stylesToDefaults,
                              bool fontsToDefaults, bool antiAliasingToDefaults) {
    DocumentLook& defaults = program_.currentLook;
    bool changed = false;
    const auto put = [&changed](auto& into, const auto& value) {
        if (into != value) changed = true;
        into = value;
    };
    Document* d = document_;
    if (toDefaults) {
        defaults.backgroundColour = look.backgroundColour;
        defaults.hiddenColour = look.hiddenColour;
        defaults.selectedColour = look.selectedColour;
    } else {
        put(d->view.backgroundColour, look.backgroundColour);
        put(d->view.hiddenColour, look.hiddenColour);
        put(d->view.selectedColour, look.selectedColour);
    }
    if (stylesToDefaults)
        defaults.styles = look.styles;
    else
        put(d->styles, look.styles);
    if (fontsToDefaults) {
        defaults.nameFont = look.nameFont;
        defaults.nameColour = look.nameColour;
        defaults.numberFont = look.numberFont;
        defaults.numberColour = look.numberColour;
        defaults.textFont = look.textFont;
        defaults.textColour = look.textColour;
    } else {
        put(d->labelFont, look.nameFont);
        put(d->labelColour, look.nameColour);
        put(d->numberFont, look.numberFont);
        put(d->numberColour, look.numberColour);
        put(d->textFont, look.textFont);
        put(d->textColour, look.textColour);
    }
    if (antiAliasingToDefaults)
        program_.antialiasing = look.antialiasing;
    else
        put(d->view.antialiasing, look.antialiasing);
    if (changed) d->modified = true;
}

void OptionsDialog::applyPageThree() {
    Document& d = *document_;
    const double axisLength = optionsFieldNumber(axisLength_);
    const double unitScale = optionsFieldNumber(unitScale_);
    // A field left as it opened keeps the stored value, not its 8-digit text.
    const bool axisChanged = axisLength_ != openingAxisLength_;
    const bool scaleChanged = unitScale_ != openingUnitScale_ && unitScale != d.unitScale;
    const bool unitChanged = angleUnit_ != d.angleUnit;
    if (projection_ != d.view.projection || rotationSpeed_ != d.view.rotationSpeed ||
        rotationReverse_ != d.view.rotationReverse || axisChanged || scaleChanged || unitChanged)
        d.modified = true;
    d.view.projection = projection_;
    d.view.rotationSpeed = rotationSpeed_;
    d.view.rotationReverse = rotationReverse_;
    if (axisChanged) d.view.axisLength = axisLength;
    if (!unitChanged && !scaleChanged) return;
    // Every number and everything built on one depends on the units: the
    // construction is recomputed on a copy, one step that Undo takes back.
    d.angleUnit = angleUnit_;
    if (scaleChanged) d.unitScale = unitScale;
    d.commit(d.construction().copy());
    recomputed_ = true;
}
