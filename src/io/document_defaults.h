#pragma once

#include <array>
#include <cstdint>

#include "io/document_file.h"
#include "model/document.h"

// The program's own defaults: the styles new elements of each kind take, and
// the fonts and colours of texts and numbers. A new document starts with them,
// and a file too old to store them takes them. Chosen so that a first start
// shows every kind clearly: points as red balls, lines as thin tubes, surfaces
// in light colours that the translucent pass keeps apart.
DocumentDefaults builtInDocumentDefaults();

// Gives a document the styles, fonts and colours of the defaults.
void applyDocumentDefaults(const DocumentDefaults& defaults, Document& document);

// What new documents take from the program: colours, fonts and the
// appearance of each kind. The program keeps two of them, the "default" set
// that the settings store and the "current" set that new documents use.
struct DocumentLook {
    std::uint32_t backgroundColour = 0xFFFFFF;  // ndBckCol
    std::uint32_t hiddenColour = 0x00BEBE;      // EOCol
    std::uint32_t selectedColour = 0xFFAAAA;    // ESCol
    std::uint32_t listBackground = 0xFFFFFF;    // LCBckCol
    FontRecord listFont;                        // FontLC
    std::uint32_t listFontColour = 0;
    FontRecord textFont;  // FontEG_txt
    std::uint32_t textColour = 0;
    FontRecord numberFont;  // FontEG_num
    std::uint32_t numberColour = 0;
    FontRecord nameFont;  // Font_nom
    std::uint32_t nameColour = 0;
    std::array<KindStyle, kKindCount + 1> styles{};  // asp_EG_*

    // The program's own look, from the built-in document defaults.
    static DocumentLook builtIn();
    DocumentDefaults documentDefaults() const;
    friend bool operator==(const DocumentLook&, const DocumentLook&) = default;
};
