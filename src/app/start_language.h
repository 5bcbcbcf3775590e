#pragma once

#include <filesystem>
#include <string>

#include "lang/text_table.h"

// The language loaded at start-up: the file the settings name, else
// "English.lng", else the first language file of the folder. Returns the name
// of the file loaded, or an empty text when none could be (the program then
// tells the user that no language files were found and ends).
std::string loadStartLanguage(TextTable& texts, const std::filesystem::path& folder,
                              const std::string& settingName);

// The framework's own text for that failure.
inline constexpr const char* kNoLanguageFilesMessage = "No language files found";
