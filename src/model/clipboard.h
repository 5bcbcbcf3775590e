#pragma once

#include <memory>

#include "model/construction.h"

class Document;

// The program's clipboard: selected elements together with everything they are
// built from. It outlives documents, so elements can be pasted into another one.
class Clipboard {
  public:
    // Replaces the content by the selected top-level elements and their ancestors.
    // False when nothing is selected (the content is kept).
    bool copyFrom(Document& document);
    // Appends an independent copy of the content, which becomes the only
    // selection; one undo step. False when the clipboard is empty.
    bool pasteInto(Document& document) const;
    // Copy, then delete the selection with its dependants.
    bool cutFrom(Document& document);

    bool empty() const { return !content_ || content_->empty(); }
    const Construction* content() const { return content_.get(); }

  private:
    std::unique_ptr<Construction> content_;
};

// "Borrar": deletes the selected elements with their dependants.
bool eraseSelected(Document& document);
