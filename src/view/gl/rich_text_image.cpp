#include "view/gl/rich_text_image.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>

#include "lang/code_pages.h"
#include "view/gl/qt_text.h"

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

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kTwipsPerInch = 1440.0;
constexpr int kDefaultColumnTwips = 1440;
// A table is laid out in one piece up to this many paragraphs past a batch's end.
constexpr std::size_t kTableBatch = 1024;
// Marks text whose underline is doubled: Qt draws the first line, we the second.
constexpr int kDoubleUnderline = QTextFormat::UserProperty + 1;

QTextCharFormat::UnderlineStyle qtUnderline(UnderlineStyle u) {
    switch (u) {
        case UnderlineStyle::None:
            return QTextCharFormat::NoUnderline;
        case UnderlineStyle::Dotted:
            return QTextCharFormat::DotLine;
        case UnderlineStyle::Dashed:
            return QTextCharFormat::DashUnderline;
        case UnderlineStyle::Wave:
            return QTextCharFormat::WaveUnderline;
        case UnderlineStyle::Single:
        case UnderlineStyle::Words:
        case UnderlineStyle::Double:
        case UnderlineStyle::Thick:
            break;
    }
    return QTextCharFormat::SingleUnderline;
}

// Lays the model into a QTextDocument; lengths in twips become pixels.
class DocumentBuilder {
  public:
    DocumentBuilder(QTextDocument& document, const RichText& text, std::uint32_t textColour,
                    int pixelsPerInch, int boxWidth)
        : text_(text),
          cursor_(&document),
          textColour_(textColour),
          pixelsPerTwip_(std::max(pixelsPerInch, 1) / kTwipsPerInch),
          boxWidth_(boxWidth) {
        QTextOption option = document.defaultTextOption();
        option.setTabStopDistance(std::max(1.0, pixels(text.defaultTab)));
        document.setDefaultTextOption(option);
    }

    // Adds paragraphs from `from` on, whole tables at a time, until about
    // `count` are in; returns where the next call starts.
    std::size_t add(std::size_t from, std::size_t count) {
        const auto& paragraphs = text_.paragraphs;
        const std::size_t end = std::min(paragraphs.size(), from + count);
        std::size_t i = from;
        cursor_.beginEditBlock();
        while (i < end) {
            i = isInTable(paragraphs[i]) ? addTable(i, end) : (addParagraph(cursor_, paragraphs[i]), i + 1);
        }
        cursor_.endEditBlock();
        return i;
    }

  private:
    double pixels(int twips) const { return twips * pixelsPerTwip_; }

    bool isInTable(const RichTextParagraph& p) const {
        return p.row >= 0 && static_cast<std::size_t>(p.row) < text_.rows.size();
    }

    QTextCharFormat charFormat(const RichTextRun& run) const {
        QTextCharFormat f;
        // The symbol fonts' characters are read as Unicode, which any font shows.
        const int codePage = fontCodePage(run.charset, run.font, 1252);
        if (!run.font.empty() && codePage != kSymbolCodePage && codePage != kWingdingsCodePage)
            f.setFontFamilies({QString::fromStdString(run.font)});
        f.setFontPointSize(run.halfPoints / 2.0);
        f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(run.italic);
        f.setUnderlineStyle(qtUnderline(run.underline));
        if (run.underline == UnderlineStyle::Double) f.setProperty(kDoubleUnderline, true);
        f.setFontStrikeOut(run.strike);
        if (run.script == ScriptPosition::Super) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        if (run.script == ScriptPosition::Sub) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        // Raised text keeps its size; the offset is a share of the font's height.
        if (run.raise != 0) f.setBaselineOffset(100.0 * run.raise / run.halfPoints);
        if (run.caps) f.setFontCapitalization(QFont::AllUppercase);
        if (run.smallCaps) f.setFontCapitalization(QFont::SmallCaps);
        if (const auto back = run.highlight ? run.highlight : run.background)
            f.setBackground(qtColour(*back));
        f.setForeground(qtColour(run.colour.value_or(textColour_)));
        return f;
    }

    QTextBlockFormat blockFormat(const ParagraphFormat& p) const {
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(p.alignment));
        block.setLeftMargin(std::max(0.0, pixels(p.leftIndent)));
        block.setRightMargin(std::max(0.0, pixels(p.rightIndent)));
        block.setTextIndent(
            pixels(std::max(p.firstIndent, -std::max(p.leftIndent, 0))));  // never left of the box
        block.setTopMargin(pixels(p.spaceBefore));
        block.setBottomMargin(pixels(p.spaceAfter));
        if (p.lineMultiple && p.lineSpacing != 0)
            block.setLineHeight(100.0 * std::abs(p.lineSpacing) / 240.0,
                                QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            block.setLineHeight(pixels(p.lineSpacing), QTextBlockFormat::MinimumHeight);
        else if (p.lineSpacing < 0)
            block.setLineHeight(pixels(-p.lineSpacing), QTextBlockFormat::FixedHeight);
        // Tab positions count from the paragraph's left edge in the model, from
        // where the first line starts in Qt.
        const int firstLine = std::max(p.leftIndent, 0) + std::max(p.firstIndent, -std::max(p.leftIndent, 0));
        QList<QTextOption::Tab> tabs;
        for (const TabStop& t : p.tabs)
            if (t.position > firstLine) tabs.append(tab(t, firstLine));
        // A hanging indent is also a tab stop, so that a list's text after "1.\t" lines up.
        if (p.firstIndent < 0 && p.leftIndent > firstLine &&
            std::none_of(p.tabs.begin(), p.tabs.end(), [&](const TabStop& t) {
                return t.position > firstLine && t.position <= p.leftIndent;
            }))
            tabs.prepend(QTextOption::Tab(pixels(p.leftIndent - firstLine), QTextOption::LeftTab));
        block.setTabPositions(tabs);
        return block;
    }

    QTextOption::Tab tab(const TabStop& t, int origin) const {
        const double at = pixels(t.position - origin);
        switch (t.kind) {
            case TabKind::Centre:
                return QTextOption::Tab(at, QTextOption::CenterTab);
            case TabKind::Right:
                return QTextOption::Tab(at, QTextOption::RightTab);
            case TabKind::Decimal:
                return QTextOption::Tab(at, QTextOption::DelimiterTab, QChar('.'));
            case TabKind::Left:
                break;
        }
        return QTextOption::Tab(at, QTextOption::LeftTab);
    }

    static bool sameShape(const RichTextRow& a, const RichTextRow& b) {
        return a.cellRight == b.cellRight && a.left == b.left && a.gap == b.gap;
    }

    // A cell's text is inset by the row's gap on the left and right.
    static QTextTableCellFormat cellFormat(double left, double right) {
        QTextTableCellFormat f;
        f.setPadding(0);
        f.setLeftPadding(left);
        f.setRightPadding(right);
        return f;
    }

    // A paragraph at the cursor: the first fills the block the cursor is in.
    void addParagraph(QTextCursor& cursor, const RichTextParagraph& paragraph) {
        const bool allHidden =
            !paragraph.runs.empty() && std::all_of(paragraph.runs.begin(), paragraph.runs.end(),
                                                   [](const RichTextRun& r) { return r.hidden; });
        if (allHidden) return;
        const QTextBlockFormat block = blockFormat(paragraph);
        // An empty paragraph is as high as the text before it.
        const QTextCharFormat emptyFormat =
            paragraph.runs.empty() ? cursor.charFormat() : charFormat(paragraph.runs.front());
        if (cursor.block().length() <= 1 && freshBlock_) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(emptyFormat);
        } else {
            cursor.insertBlock(block, emptyFormat);
        }
        freshBlock_ = false;
        for (const RichTextRun& run : paragraph.runs) {
            if (run.hidden) continue;
            QString s = QString::fromStdString(run.text);
            s.replace(QChar('\n'), QChar(QChar::LineSeparator));  // a line break inside the paragraph
            cursor.insertText(s, charFormat(run));
        }
    }

    // Consecutive rows of one shape form a table, cut after the row that
    // passes `limit`; returns the first paragraph after it.
    std::size_t addTable(std::size_t first, std::size_t limit) {
        const auto& paragraphs = text_.paragraphs;
        const RichTextRow& shape = text_.rows[static_cast<std::size_t>(paragraphs[first].row)];
        std::size_t end = first;
        int columns = static_cast<int>(shape.cellRight.size());
        // A table's cells come in reading order, row after row; anything else starts a new table.
        const auto follows = [&](const RichTextParagraph& p, const RichTextParagraph& before) {
            return (p.row == before.row && p.cell >= before.cell) || p.row == before.row + 1;
        };
        while (end < paragraphs.size() && isInTable(paragraphs[end]) &&
               sameShape(text_.rows[static_cast<std::size_t>(paragraphs[end].row)], shape) &&
               (end == first ||
                (follows(paragraphs[end], paragraphs[end - 1]) &&
                 (end < limit + kTableBatch || paragraphs[end].row == paragraphs[end - 1].row)))) {
            columns = std::max(columns, paragraphs[end].cell + 1);
            ++end;
        }
        const int firstRow = paragraphs[first].row;
        const int rows = paragraphs[end - 1].row - firstRow + 1;

        // Column edges in twips, from the row's left edge; cells past the
        // boundaries the row gives share the box's remaining width.
        // A table reaching left of the paragraph's edge is cut there, its first
        // cell's text keeping its place.
        std::vector<int> edges{std::max(shape.left, 0)};
        for (const int right : shape.cellRight) edges.push_back(std::max(right, edges.back()));
        const int boxTwips = static_cast<int>(boxWidth_ / pixelsPerTwip_);
        while (static_cast<int>(edges.size()) <= columns)
            edges.push_back(edges.back() +
                            std::max(kDefaultColumnTwips, (boxTwips - edges.back()) / columns));

        QTextTableFormat format;
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setCellPadding(0);
        format.setAlignment(Qt::AlignLeft);
        format.setMargin(0);
        format.setLeftMargin(pixels(edges[0]));
        QList<QTextLength> widths;
        for (int c = 0; c < columns; ++c)
            widths.append(QTextLength(QTextLength::FixedLength, pixels(edges[c + 1] - edges[c])));
        format.setColumnWidthConstraints(widths);

        QTextTable* table = cursor_.insertTable(rows, columns, format);
        int cellRow = -1, cellColumn = -1;
        QTextCursor cell;
        for (std::size_t i = first; i < end; ++i) {
            const RichTextParagraph& p = paragraphs[i];
            if (p.row - firstRow != cellRow || p.cell != cellColumn) {
                cellRow = p.row - firstRow;
                cellColumn = p.cell;
                cell = table->cellAt(cellRow, cellColumn).firstCursorPosition();
                freshBlock_ = true;
            }
            addParagraph(cell, p);
        }
        // A cell's format is its first block's character format: set after the text.
        for (int r = 0; r < rows; ++r) {
            const RichTextRow& row = text_.rows[static_cast<std::size_t>(firstRow + r)];
            for (int c = 0; c < columns; ++c) {
                QTextTableCell tableCell = table->cellAt(r, c);
                QTextCharFormat f = tableCell.format();
                const int cut = c == 0 ? std::max(0, -row.left) : 0;
                f.merge(cellFormat(pixels(std::max(0, row.gap - cut)), pixels(row.gap)));
                tableCell.setFormat(f);
                const std::uint8_t sides =
                    c < static_cast<int>(row.cellBorders.size()) ? row.cellBorders[c] : 0;
                if (sides != 0)
                    borders_.push_back({table, r, c, pixels(edges[c]), pixels(edges[c + 1]), sides});
            }
        }
        cursor_.movePosition(QTextCursor::End);
        freshBlock_ = true;  // the block after a table waits for the next paragraph
        return end;
    }

  public:
    // A cell's border sides, drawn over the laid-out document.
    struct CellBorders {
        QTextTable* table;
        int row, column;
        double left, right;
        std::uint8_t sides;
    };
    const std::vector<CellBorders>& borders() const { return borders_; }
    std::uint32_t textColour() const { return textColour_; }

  private:
    const RichText& text_;
    std::vector<CellBorders> borders_;
    QTextCursor cursor_;
    std::uint32_t textColour_;
    double pixelsPerTwip_;
    int boxWidth_;
    bool freshBlock_ = true;
};

// The second line of double underlines, below the one Qt draws.
void drawDoubleUnderlines(QPainter& painter, const QTextDocument& document) {
    const QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines) continue;
        const QPointF origin = layout->blockBoundingRect(block).topLeft();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.boolProperty(kDoubleUnderline)) continue;
            const QFontMetricsF metrics(format.font(), painter.device());
            const double width = std::max(1.0, metrics.lineWidth());
            const int start = fragment.position() - block.position();
            const int end = start + fragment.length();
            painter.setPen(QPen(format.foreground().color(), width));
            for (int l = 0; l < lines->lineCount(); ++l) {
                const QTextLine line = lines->lineAt(l);
                const int from = std::max(start, line.textStart());
                const int to = std::min(end, line.textStart() + line.textLength());
                if (from >= to) continue;
                const double y =
                    origin.y() + line.y() + line.ascent() + metrics.underlinePos() + 2 * width + 0.5;
                painter.drawLine(QPointF(origin.x() + line.cursorToX(from), y),
                                 QPointF(origin.x() + line.cursorToX(to), y));
            }
        }
    }
}

// Cell borders, 1 pixel wide in the text colour, along the cell's column
// edges and its row's top and bottom.
void drawCellBorders(QPainter& painter, const QTextDocument& document, const DocumentBuilder& builder) {
    const QAbstractTextDocumentLayout* layout = document.documentLayout();
    painter.setPen(QPen(qtColour(builder.textColour()), 1));
    for (const DocumentBuilder::CellBorders& b : builder.borders()) {
        double top = 1e30, bottom = -1e30;
        for (int c = 0; c < b.table->columns(); ++c) {
            const QTextTableCell cell = b.table->cellAt(b.row, c);
            const QRectF first = layout->blockBoundingRect(document.findBlock(cell.firstPosition()));
            const QRectF last = layout->blockBoundingRect(document.findBlock(cell.lastPosition()));
            top = std::min(top, first.top());
            bottom = std::max(bottom, last.bottom());
        }
        if (top > bottom) continue;
        const double x0 = b.left, x1 = std::max(b.left, b.right - 1);
        const double y0 = top, y1 = std::max(top, bottom - 1);
        if (b.sides & kBorderTop) painter.drawLine(QPointF(x0, y0), QPointF(x1, y0));
        if (b.sides & kBorderBottom) painter.drawLine(QPointF(x0, y1), QPointF(x1, y1));
        if (b.sides & kBorderLeft) painter.drawLine(QPointF(x0, y0), QPointF(x0, y1));
        if (b.sides & kBorderRight) painter.drawLine(QPointF(x1, y0), QPointF(x1, y1));
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
    const QRect whole(QPoint(0, 0), box);
    part = part.isEmpty() ? whole : part.intersected(whole);
    // Laid out for a device of the given resolution, so point sizes become its pixels.
    QImage layoutDevice(1, 1, QImage::Format_RGB888);
    const int dotsPerMetre = static_cast<int>(std::max(pixelsPerInch, 1) / kMetresPerInch + 0.5);
    layoutDevice.setDotsPerMeterX(dotsPerMetre);
    layoutDevice.setDotsPerMeterY(dotsPerMetre);
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setUndoRedoEnabled(false);
    document.documentLayout()->setPaintDevice(&layoutDevice);
    document.setTextWidth(box.width());
    // Paragraphs are laid out in growing batches until they pass the visible
    // part, so that a long text costs no more than what shows of it.
    DocumentBuilder builder(document, text, textColour, pixelsPerInch, box.width());
    std::size_t next = 0;
    for (std::size_t batch = 16; next < text.paragraphs.size();
         batch = std::min<std::size_t>(batch * 2, 4096)) {
        next = builder.add(next, batch);
        if (document.documentLayout()->documentSize().height() > part.bottom() + 1) break;
    }
    document.drawContents(&painter, QRectF(part));
    drawDoubleUnderlines(painter, document);
    drawCellBorders(painter, document, builder);
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
