#pragma once

#include <filesystem>
#include <string>

// The help pages: one folder a language under the program's help folder,
// "kova3d_es" when the language's display name is "español" in any letter
// case, "kova3d_en" otherwise.
std::string helpFolderName(const std::string& languageDisplayName);
// Whether a language's display name is "español", in any letter case.
bool languageIsSpanish(const std::string& languageDisplayName);

// The page to open, inside a language folder: for a tool number the page and
// anchor that help/contexts.txt gives it ("lines.html#tool-11"), otherwise, and
// for a number the table does not hold, the contents ("index.html").
std::string helpPageOfTool(const std::filesystem::path& helpRoot, int toolNumber);
