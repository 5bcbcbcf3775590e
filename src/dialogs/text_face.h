#pragma once

#include <QDialog>

#include "expr/rich_text.h"
#include "interaction/text_dialog.h"

class QTextDocument;
class QTextEdit;
class QTextCharFormat;

// The rich text as a Qt document and back: every paragraph and run format of
// the model, shown where Qt can show it and carried as the formats' own
// properties where it cannot, so that editing keeps what the reader
// understands. A run without a font or colour of its own keeps none. Tables
// and the default tab come back from the text the document was filled with.
void fillTextDocument(QTextDocument& document, const RichText& text);
RichText richTextOf(const QTextDocument& document, const RichText& original);

// The text dialog: a rich-text editor (bold, italic, underline, font, size,
// colour, alignment) over the text model's RTF. Modal.
class TextFace : public QDialog {
    Q_OBJECT

  public:
    TextFace(QWidget* parent, TextDialog& model, const QString& title, const QString& colourLabel);

    QTextEdit* editor() const { return editor_; }

  protected:
    void done(int result) override;

  private:
    // Applies a format to the selection, or to what is typed next.
    void mergeFormat(const QTextCharFormat& format);

    TextDialog& model_;
    RichText original_;  // the text as opened: its tables and default tab come back with the edit
    QTextEdit* editor_ = nullptr;
};
