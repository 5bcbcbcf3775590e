#pragma once

#include <filesystem>
#include <string>

class Document;
class TextTable;

// The tool's exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitCannotOpen = 2;
inline constexpr int kExitNewer = 3;
inline constexpr int kExitDamaged = 4;

// A file name's extension in lower case ("png" for "x.PNG"); empty when it has none.
std::string lowerExtension(const std::string& path);

// Reads a view size "WxH", both sides between 1 and the largest image side.
bool parseSize(const std::string& text, int& width, int& height);

// Opens and recomputes a document; kExitOk, or the exit code of the failure
// with its reason written to standard error.
int openDocument(const std::string& path, Document& document);

// Loads the language a --language option names into texts: a path to a
// language file; or, in the program's Languages folder, a file name
// with or without ".lng" or the display name a file gives in its Language line
// (exactly, else ignoring the case of ASCII letters). An empty option means
// English. Returns kExitOk; kExitUsage for a name that matches no language (the
// languages there are listed on standard error); kExitCannotOpen for a file
// that cannot be read.
int loadLanguageOption(TextTable& texts, const std::string& option, const char* argv0);

// The program's language folder (beside it, or in the installation's share/kova3d).
std::filesystem::path languagesFolderOf(const char* argv0);
