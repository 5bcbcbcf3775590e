#pragma once

#include <QDialog>

#include "expr/rich_text.h"
#include "interaction/text_dialog.h"

class QTextDocument;
class QTextEdit;
class QTextCharFormat;

// The rich text as a Qt document and back: paragraphs with their alignment,
// runs with bold, italic, underline, size, font and colour. A run without a
// font or colour of its own keeps none, so what the text did not set stays
// unset when it is written again.
void fillTextDocument(QTextDocument& document, const RichText& text);
RichText richTextOf(const QTextDocument& document);

// The text dialog: a rich-text editor (bold, italic, underline, font, size,
// colour, alignment) over the text model's RTF. Modal.
class TextFace : public QDialog {
    Q_OBJECT

  public:
    TextFace(QWidget* parent, TextDialog& model, const QString& title);

    QTextEdit* editor() const { return editor_; }

  protected:
    void done(int result) override;

  private:
    // Applies a format to the selection, or to what is typed next.
    void mergeFormat(const QTextCharFormat& format);

    TextDialog& model_;
    QTextEdit* editor_ = nullptr;
};
