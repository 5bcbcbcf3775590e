#pragma once

#include <string>

class Document;

// The tool's exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitCannotOpen = 2;
inline constexpr int kExitNewer = 3;
inline constexpr int kExitDamaged = 4;

// Opens and recomputes a document; kExitOk, or the exit code of the failure
// with its reason written to standard error.
int openDocument(const std::string& path, Document& document);
