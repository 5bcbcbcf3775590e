#pragma once

#include <string>

class Document;
class TextTable;

// The tool's exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitCannotOpen = 2;
inline constexpr int kExitNewer = 3;
inline constexpr int kExitDamaged = 4;

// Opens and recomputes a document; kExitOk, or the exit code of the failure
// with its reason written to standard error.
int openDocument(const std::string& path, Document& document);

// Loads the language file given, or English.lng from the language folder beside
// the program; false with the reason written to standard error.
bool loadTexts(TextTable& texts, const std::string& explicitFile, const char* argv0);
