#include "cli/cli_common.h"

#include <cstdio>

#include "io/document_file.h"

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
