#pragma once

#include <string>

// Qt's own texts (the buttons of questions and dialogs, the file, colour, font,
// print and page dialogs) in the program's language: Spanish when the language
// file's display name is "español" in any letter case, as the help is chosen;
// Qt's English otherwise. False when Qt's Spanish is not installed (the
// qt6-translations-l10n package): its texts then stay English.
bool useQtTexts(const std::string& languageDisplayName);
