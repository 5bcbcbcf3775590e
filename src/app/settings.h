#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "interaction/options_dialog.h"

class QSettings;

// The program-wide settings, with the defaults of a first start. Stored with
// QSettings (organisation "KOVA", application "KOVA 3D 5") under the value
// names the program has always used.
struct AppSettings : ProgramOptions {
    // The main window's restored rectangle and show state (1 normal, 3 maximised, 5 shown).
    int mwTop = 10;
    int mwLeft = 10;
    int mwBottom = 500;
    int mwRight = 700;
    int mwState = 3;
    DocumentLook defaultLook = DocumentLook::builtIn();
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
