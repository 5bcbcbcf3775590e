#include "app/open_documents.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "lang/text_ids.h"

std::string normalisedPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return path;
    return absolute.lexically_normal().string();
}

int openFailureMessage(int readResult) {
    switch (readResult) {
        case kReadNewerVersion:
            return textid::kNewerFileVersion;
        case kReadNotConstructionFile:
            return textid::kNotAConstructionFile;
        default:
            return textid::kCannotOpenFile;
    }
}

OpenDocument* DocumentList::createNew(const std::string& titleBase, const DocumentDefaults& defaults) {
    if (count() >= kMaxOpenDocuments) return nullptr;
    auto document = std::make_unique<OpenDocument>();
    applyDocumentDefaults(defaults, document->document);
    document->title = titleBase + " " + std::to_string(++newDocumentCount_);
    document->document.startHistory();
    documents_.push_back(std::move(document));
    return documents_.back().get();
}

OpenResult DocumentList::open(const std::string& path, const DocumentDefaults& defaults) {
    const std::string full = normalisedPath(path);
    if (OpenDocument* open = findByPath(full)) return {OpenStatus::AlreadyOpen, open, 0};
    if (count() >= kMaxOpenDocuments) return {OpenStatus::Failed, nullptr, textid::kTooManyDocuments};

    auto document = std::make_unique<OpenDocument>();
    const int result = readDocument(full, defaults, document->document);
    if (result != kReadOk) return {OpenStatus::Failed, nullptr, openFailureMessage(result)};
    document->document.recompute();
    document->document.startHistory();
    document->path = full;
    document->title = full;
    recent_.add(full);
    documents_.push_back(std::move(document));
    return {OpenStatus::Opened, documents_.back().get(), 0};
}

int DocumentList::save(OpenDocument& document) {
    if (!document.everSaved()) return 0;
    return writeDocument(document.document, document.path, document.document.viewerMode);
}

int DocumentList::saveAs(OpenDocument& document, const std::string& path) {
    const std::string full = normalisedPath(path);
    if (writeDocument(document.document, full, document.document.viewerMode) != 1) return 0;
    document.path = full;
    document.title = std::filesystem::path(full).filename().string();
    recent_.add(full);
    return 1;
}

void DocumentList::close(OpenDocument* document) {
    std::erase_if(documents_, [&](const std::unique_ptr<OpenDocument>& d) { return d.get() == document; });
}

OpenDocument* DocumentList::findByPath(const std::string& path) const {
    const std::string full = normalisedPath(path);
    for (const auto& d : documents_)
        if (d->everSaved() && samePathIgnoringCase(d->path, full)) return d.get();
    return nullptr;
}

bool DocumentList::contains(const OpenDocument* document) const {
    return std::any_of(documents_.begin(), documents_.end(),
                       [&](const std::unique_ptr<OpenDocument>& d) { return d.get() == document; });
}
