#include "cli/cli_common.h"

#include <cstdio>
#include <filesystem>

#include "io/document_file.h"
#include "lang/text_table.h"

namespace {

// The language folder beside the program.
std::filesystem::path languagesFolderOf(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
    if (error) exe = std::filesystem::absolute(argv0);
    return exe.parent_path() / "Languages";
}

}  // namespace

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

bool loadTexts(TextTable& texts, const std::string& explicitFile, const char* argv0) {
    const std::filesystem::path file =
        explicitFile.empty() ? languagesFolderOf(argv0) / "English.lng" : std::filesystem::path(explicitFile);
    if (texts.load(file) == 1) return true;
    std::fprintf(stderr, "kova3d-cli: cannot read the language file %s\n", file.c_str());
    return false;
}
