#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/document.h"

class InputStream;
class OutputStream;

inline constexpr std::uint32_t kDocumentMagic = 0x0AC93BE1;
inline constexpr std::uint32_t kMacroFileMagic = 0x0CF07274;
inline constexpr const char* kIdentification = "KOVA3D";
// This program's version, 5.0.2; only the major part (version / 1000) is compared.
inline constexpr std::uint32_t kProgramVersion = 5002;
inline constexpr int kProgramMajor = static_cast<int>(kProgramVersion / 1000);

// Results of reading a document.
inline constexpr int kReadOk = 1;
inline constexpr int kReadCannotOpen = 0;
inline constexpr int kReadNewerVersion = 2;
inline constexpr int kReadNotConstructionFile = 3;

// What a file of an older major version lacks is taken from the application's
// current settings.
struct DocumentDefaults {
    FontRecord textFont;
    std::uint32_t textColour = 0;
    FontRecord numberFont;
    std::uint32_t numberColour = 0;
    std::array<KindStyle, kKindCount + 1> styles{};
};

// The kinds that have a style record in files, in file order.
inline constexpr std::array<int, 18> kStyleRecordKinds = {1,  2,  3,  4,  5,  6,  7, 9,  10,
                                                          11, 12, 13, 16, 17, 20, 8, 14, 15};

// The document as file bytes (renumbers its construction).
int writeDocumentBytes(Document& document, bool viewerMode, OutputStream& out);
// Reads a whole document; kReadOk, kReadNewerVersion or kReadNotConstructionFile
// (with the reason in the stream). The document is not recomputed.
int readDocumentBytes(InputStream& in, const DocumentDefaults& defaults, Document& document);

// Saves to a file, replacing it only once everything was written; on success
// the history restarts from the saved state. 1 on success, 0 when the file
// could not be written (the previous file is intact).
int writeDocument(Document& document, const std::string& path, bool viewerMode);
// Opens a file: kReadOk with the document read (not yet recomputed: the caller
// recomputes and starts its history), or kReadCannotOpen / kReadNewerVersion /
// kReadNotConstructionFile with the document untouched and the reason given.
int readDocument(const std::string& path, const DocumentDefaults& defaults, Document& document,
                 std::string* reason = nullptr);

// Magic, identification and version, as both file kinds begin. Returns kReadOk
// with the version, or the result that refuses the file.
int readFileStart(InputStream& in, std::uint32_t expectedMagic, std::uint32_t& version);
bool writeFileStart(OutputStream& out, std::uint32_t magic);
