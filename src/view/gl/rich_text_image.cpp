#include "view/gl/rich_text_image.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "view/gl/qt_text.h"

namespace {

constexpr double kMetresPerInch = 0.0254;

Qt::Alignment qtAlignment(TextAlignment a) {
    switch (a) {
        case TextAlignment::Centre:
            return Qt::AlignHCenter;
        case TextAlignment::Right:
            return Qt::AlignRight;
        case TextAlignment::Justified:
            return Qt::AlignJustify;
        case TextAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat charFormat(const RichTextRun& run, std::uint32_t textColour) {
    QTextCharFormat f;
    if (!run.font.empty()) f.setFontFamilies({QString::fromStdString(run.font)});
    f.setFontPointSize(run.halfPoints / 2.0);
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    f.setForeground(qtColour(run.colour.value_or(textColour)));
    return f;
}

// A line break inside a paragraph is Qt's line separator.
QString runText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QChar('\n'), QChar(QChar::LineSeparator));
    return s;
}

void fillDocument(QTextDocument& document, const RichText& text, std::uint32_t textColour) {
    QTextCursor cursor(&document);
    for (std::size_t i = 0; i < text.paragraphs.size(); ++i) {
        const RichTextParagraph& paragraph = text.paragraphs[i];
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(paragraph.alignment));
        // An empty paragraph is as high as the text before it.
        const QTextCharFormat emptyFormat =
            paragraph.runs.empty() ? cursor.charFormat() : charFormat(paragraph.runs.front(), textColour);
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(emptyFormat);
        } else {
            cursor.insertBlock(block, emptyFormat);
        }
        for (const RichTextRun& run : paragraph.runs)
            cursor.insertText(runText(run.text), charFormat(run, textColour));
    }
}

void drawFrame(QPainter& painter, QSize box, std::uint32_t colour) {
    const int w = box.width();
    const int h = box.height();
    const QColor c = qtColour(colour);
    const int across = std::max(0, w - 2);
    const int down = std::max(0, h - 2);
    painter.fillRect(1, 1, across, std::min(2, down), c);
    painter.fillRect(1, std::max(1, h - 3), across, std::min(2, down), c);
    painter.fillRect(1, 1, std::min(2, across), down, c);
    painter.fillRect(std::max(1, w - 3), 1, std::min(2, across), down, c);
}

}  // namespace

void drawRichText(QPainter& painter, const RichText& text, QSize box, std::uint32_t textColour,
                  std::optional<std::uint32_t> frameColour, int pixelsPerInch, QRect part) {
    // Laid out for a device of the given resolution, so point sizes become its pixels.
    QImage layoutDevice(1, 1, QImage::Format_RGB888);
    const int dotsPerMetre = static_cast<int>(std::max(pixelsPerInch, 1) / kMetresPerInch + 0.5);
    layoutDevice.setDotsPerMeterX(dotsPerMetre);
    layoutDevice.setDotsPerMeterY(dotsPerMetre);
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setUndoRedoEnabled(false);
    document.documentLayout()->setPaintDevice(&layoutDevice);
    fillDocument(document, text, textColour);
    document.setTextWidth(box.width());
    document.drawContents(&painter, QRectF(part.isEmpty() ? QRect(QPoint(0, 0), box) : part));
    if (frameColour) drawFrame(painter, box, *frameColour);
}

QImage richTextImage(const RichText& text, QSize box, std::uint32_t backgroundColour,
                     std::uint32_t textColour, std::optional<std::uint32_t> frameColour, int pixelsPerInch,
                     QRect part) {
    const QRect whole(QPoint(0, 0), box);
    part = part.isEmpty() ? whole : part.intersected(whole);
    QImage image(std::max(part.width(), 1), std::max(part.height(), 1), QImage::Format_RGB888);
    if (image.isNull()) return image;
    const int dotsPerMetre = static_cast<int>(std::max(pixelsPerInch, 1) / kMetresPerInch + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(qtColour(backgroundColour));
    QPainter painter(&image);
    painter.translate(-part.topLeft());
    drawRichText(painter, text, box, textColour, frameColour, pixelsPerInch, part);
    return image;
}
