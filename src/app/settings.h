#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "io/document_file.h"
#include "model/font_record.h"
#include "model/kind_style.h"

class QSettings;

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

// The program-wide settings, with the defaults of a first start. Stored with
// QSettings (organisation "KOVA", application "KOVA 3D 5") under the value
// names the program has always used.
struct AppSettings {
    // The main window's restored rectangle and show state (1 normal, 3 maximised, 5 shown).
    int mwTop = 10;
    int mwLeft = 10;
    int mwBottom = 500;
    int mwRight = 700;
    int mwState = 3;
    std::string language;  // the language file's name in the Languages folder
    DocumentLook defaultLook = DocumentLook::builtIn();
    DocumentLook currentLook = DocumentLook::builtIn();
    FontRecord cursorMessageFont;  // FontMC
    std::uint32_t cursorMessageColour = 0;
    int cursorMessageOption = 1;           // adapMC
    int antialiasing = 1;                  // AntiAliasing
    int decimals = 2;                      // ndec_nn, 0 … 8
    int hideMacroIntermediates = 1;        // ocei_macro
    int stepByStepOption = 0;              // ife_stst
    int flyoutButtons = 1;                 // bt_emerg
    int constructionBar = 1;               // bar_constr
    int mainBar = 1;                       // bar_princ
    int statusBar = 1;                     // bar_est
    int constructionList = 1;              // v_listcon
    std::string lastDirectory;             // \Last Dir
    std::string lastMacroDirectory;        // \Last DirMac; empty: the program's own folder
    std::vector<std::string> recentFiles;  // \Recent Files, File0 … File9, most recent first

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// The names of the appearance values by kind (index 0 and the kinds without a
// style record hold none).
const char* appearanceValueName(int kind);

// Reads what is stored over the defaults already in settings: a value that is
// missing, of another type or out of range keeps its default (a show state
// other than 1, 3 or 5 becomes 3). The current look starts as the default look.
void loadSettings(QSettings& store, AppSettings& settings);
// Writes every value; the recent files are written afresh. The store writes
// its file atomically when it syncs.
void saveSettings(const AppSettings& settings, QSettings& store);
