#include "cli/cli_common.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "io/document_file.h"
#include "lang/language_files.h"
#include "lang/text_table.h"
#include "view/image_layout.h"

std::filesystem::path languagesFolderOf(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
    if (error) exe = std::filesystem::absolute(argv0, error);
    return languagesFolder(exe.parent_path());
}

namespace {

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The file of the folder's languages that the option names, exactly or else ignoring case.
std::optional<std::string> matchLanguage(const std::vector<LanguageFile>& languages,
                                         const std::string& option) {
    for (const auto& same :
         {+[](const std::string&a, const std::string&b) { return a == b; },
          +[](const std::string&a, const std::string&b) { return sameIgnoringAsciiCase(a, b); }}) {
        for (const LanguageFile& l : languages) {
            const std::string stem = l.fileName.substr(0, l.fileName.size() - 4);
            if (same(l.fileName, option) || same(stem, option) || same(l.displayName, option))
                return l.fileName;
        }
    }
    return std::nullopt;
}

int loadFile(TextTable& texts, const std::filesystem::path& file) {
    if (texts.load(file) == 1) return kExitOk;
    std::fprintf(stderr, "kova3d-cli: cannot read the language file %s\n", file.c_str());
    return kExitCannotOpen;
}

bool parseSide(std::string_view text, int& side) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size() && side >= 1 && side <= kMaxImageSide;
}

}  // namespace

bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const std::string_view s(text);
    return parseSide(s.substr(0, x), width) && parseSide(s.substr(x + 1), height);
}

int openDocument(const std::string& path, Document& document) {
    std::string reason;
    switch (readDocument(path, DocumentDefaults{}, document, &reason)) {
        case kReadOk:
            document.recompute();
            document.startHistory();
            return kExitOk;
        case kReadCannotOpen:
            std::fprintf(stderr, "kova3d-cli: %s: cannot open: %s\n", path.c_str(), reason.c_str());
            return kExitCannotOpen;
        case kReadNewerVersion:
            std::fprintf(stderr, "kova3d-cli: %s: %s\n", path.c_str(), reason.c_str());
            return kExitNewer;
        default:
            std::fprintf(stderr, "kova3d-cli: %s: not a construction file or damaged: %s\n", path.c_str(),
                         reason.c_str());
            return kExitDamaged;
    }
}

int loadLanguageOption(TextTable& texts, const std::string& option, const char* argv0) {
    const std::filesystem::path folder = languagesFolderOf(argv0);
    if (option.empty()) return loadFile(texts, folder / "English.lng");
    if (option.find('/') != std::string::npos) return loadFile(texts, option);
    const std::vector<LanguageFile> languages = listLanguages(folder);
    if (const std::optional<std::string> file = matchLanguage(languages, option))
        return loadFile(texts, folder / *file);
    std::error_code error;
    if (std::filesystem::is_regular_file(option, error)) return loadFile(texts, option);
    std::string known;
    for (const LanguageFile& l : languages)
        known += (known.empty() ? "" : ", ") + l.displayName + " (" + l.fileName + ")";
    std::fprintf(stderr, "kova3d-cli: unknown language '%s'; the languages are: %s\n", option.c_str(),
                 known.empty() ? "none" : known.c_str());
    return kExitUsage;
}

std::string lowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}
