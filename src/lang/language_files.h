#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lang/text_table.h"

// The language files of a folder (the program's `Languages` folder): every regular file whose name
// ends in ".lng", in any letter case, taken in byte order of their names so that "first" means the
// same on every system.

struct LanguageFile {
    std::string fileName;     // the name inside the folder, e.g. "English.lng"
    std::string displayName;  // its Language entry; the name without extension when it has none
};

inline constexpr int kMaxLanguageFiles = 99;

// The program's language folder: `programDirectory`/Languages when that folder exists (the build
// tree, or a program kept in one folder), else `programDirectory`/../share/kova3d/Languages when that
// exists (an installation: bin/ beside share/), else the first, so that a message names where the
// files were looked for.
std::filesystem::path languagesFolder(const std::filesystem::path& programDirectory);
// The same rule for any folder of the program's data ("help", …).
std::filesystem::path programDataFolder(const std::filesystem::path& programDirectory, const std::string& name);

// The language files of `folder`, at most kMaxLanguageFiles of them, with their display names.
std::vector<LanguageFile> listLanguages(const std::filesystem::path& folder);

// The name of the first language file of `folder`, or an empty text when there is none.
std::string firstLanguageFile(const std::filesystem::path& folder);

// Loads `folder`/`name` into `table`. Returns 0, leaving the table as it was, when the name is empty,
// is not a plain file name (a name from the settings must not reach outside the folder), or the file
// cannot be opened; 1 otherwise.
int loadLanguage(TextTable& table, const std::filesystem::path& folder, std::string_view name);
