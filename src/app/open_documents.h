#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "io/document_defaults.h"
#include "io/document_file.h"
#include "model/document.h"

// A document as the main window holds it: the document, the title its window
// shows and the file it was read from or last saved to.
struct OpenDocument {
    Document document;
    std::string title;
    std::string path;  // empty for a document that was never saved

    bool everSaved() const { return !path.empty(); }
};

inline constexpr int kMaxOpenDocuments = 99;

enum class OpenStatus {
    Opened,       // a new document was read from the file
    AlreadyOpen,  // a document of that path was open: its window is to be activated
    Failed,       // nothing changed; messageId says why
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    OpenDocument* document = nullptr;  // the new or the already open document
    int messageId = 0;                 // the text shown when the open failed
};

// The open documents of the main window, the rules for creating, opening and
// saving them, and the recent-file list those rules feed. No window is made
// here: the main window makes one for each document this list hands out.
class DocumentList {
  public:
    // A new empty document titled titleBase + " " + the count of new documents
    // made so far; nullptr when kMaxOpenDocuments are open (text 20006).
    // A new document with the given styles, fonts and colours.
    OpenDocument* createNew(const std::string& titleBase,
                            const DocumentDefaults& defaults = builtInDocumentDefaults());
    // Opens the file unless a document of the same path (ignoring case) is open.
    // A document read is recomputed, starts its history and enters the recent files.
    OpenResult open(const std::string& path, const DocumentDefaults& defaults);
    // Writes the document to its path; 1 on success, 0 when it could not be
    // written (text 20300). A document never saved has to go through saveAs.
    int save(OpenDocument& document);
    // Writes the document to path; on success that path becomes the document's,
    // its file name the title, and the path enters the recent files.
    int saveAs(OpenDocument& document, const std::string& path);
    // Destroys the document.
    void close(OpenDocument* document);

    OpenDocument* findByPath(const std::string& path) const;
    bool contains(const OpenDocument* document) const;
    int count() const { return static_cast<int>(documents_.size()); }
    OpenDocument* at(int index) const { return documents_[static_cast<std::size_t>(index)].get(); }

    RecentFiles& recentFiles() { return recent_; }
    const RecentFiles& recentFiles() const { return recent_; }

  private:
    std::vector<std::unique_ptr<OpenDocument>> documents_;
    int newDocumentCount_ = 0;
    RecentFiles recent_;
};

// The path as documents are compared and titled: absolute and without "." or
// ".." steps, so that two spellings of one file are one document.
std::string normalisedPath(const std::string& path);
// The text shown when a file could not be opened, for a result of readDocument.
int openFailureMessage(int readResult);
