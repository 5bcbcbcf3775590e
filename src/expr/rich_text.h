#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rich text (RTF) of a text element, read into a document model that
// carries what word processors write: paragraphs with their alignment,
// indents, spacing and tab stops; runs of uniformly formatted text; tables as
// rows of cells with their right boundaries. List bullets and numbers are
// text as the writer put it in the paragraph. Lengths are in twips (1/1440
// inch), as written. Bytes (\'hh and literal) are decoded with the code page
// of the run's font (\fcharset) or of the document (\ansicpg, \mac, \pc); the
// Symbol and Wingdings fonts map to Unicode. Destinations that hold no text
// (style sheets, document information, pictures, "\*" groups …) and every
// other control word are skipped. The reader never reads past the end of its
// input: unbalanced braces, truncated escapes and absurd parameters end or
// clamp cleanly.

enum class TextAlignment { Left, Centre, Right, Justified };

enum class UnderlineStyle { None, Single, Words, Double, Dotted, Dashed, Thick, Wave };

// Superscript and subscript are set smaller and raised or lowered; \up and
// \dn text keeps its size (RichTextRun::raise).
enum class ScriptPosition { Normal, Super, Sub };

struct RichTextRun {
    std::string text;  // UTF-8; "\n" is a line break inside the paragraph, "\t" a tab
    bool bold = false;
    bool italic = false;
    UnderlineStyle underline = UnderlineStyle::None;
    bool strike = false;
    ScriptPosition script = ScriptPosition::Normal;
    int raise = 0;  // half points above the baseline (\up), negative below (\dn)
    bool caps = false;
    bool smallCaps = false;
    bool hidden = false;                      // \v: read but not shown
    int halfPoints = 24;                      // font size in half points (\fs), 2 … 3276
    std::string font;                         // font name from the font table; empty: the default font
    int charset = 0;                          // the font's \fcharset
    std::optional<std::uint32_t> colour;      // RGB, red in the low byte; none: the automatic colour
    std::optional<std::uint32_t> highlight;   // \highlight
    std::optional<std::uint32_t> background;  // character shading (\cb, \chcbpat)

    bool sameFormat(const RichTextRun& other) const;
};

enum class TabKind { Left, Centre, Right, Decimal };

struct TabStop {
    int position = 0;  // twips from the left indent's origin (the paragraph's left edge)
    TabKind kind = TabKind::Left;
    bool operator==(const TabStop&) const = default;
};

struct ParagraphFormat {
    TextAlignment alignment = TextAlignment::Left;
    int leftIndent = 0;         // \li
    int rightIndent = 0;        // \ri
    int firstIndent = 0;        // \fi, relative to the left indent; negative: a hanging indent
    int spaceBefore = 0;        // \sb
    int spaceAfter = 0;         // \sa
    int lineSpacing = 0;        // \sl: 0 single; > 0 at least; < 0 exactly; with lineMultiple 240 per line
    bool lineMultiple = false;  // \slmult1
    std::vector<TabStop> tabs;
    bool operator==(const ParagraphFormat&) const = default;
};

struct RichTextParagraph : ParagraphFormat {
    std::vector<RichTextRun> runs;
    int row = -1;  // index into RichText::rows when the paragraph sits in a table cell
    int cell = 0;  // the cell of that row
};

// One table row: the cells' right boundaries (\cellx) from the page's left
// edge, the row's left edge (\trleft) and the space between a cell's edges
// and its text (\trgaph, or a cell's left padding).
enum CellBorder : std::uint8_t { kBorderTop = 1, kBorderLeft = 2, kBorderBottom = 4, kBorderRight = 8 };

struct RichTextRow {
    std::vector<int> cellRight;
    std::vector<std::uint8_t> cellBorders;  // per cell, the CellBorder sides drawn
    int left = 0;
    int gap = 0;
    bool operator==(const RichTextRow&) const = default;
};

struct RichText {
    std::vector<RichTextParagraph> paragraphs;  // footnotes follow the body, each with its mark
    std::vector<RichTextRow> rows;
    int defaultTab = 720;  // \deftab: the distance between default tab stops

    // All runs' text, paragraphs separated by "\n".
    std::string plainText() const;
};

// A string that does not start with "{\rtf" is plain text: one paragraph per
// line, in the default format. The paragraph mark that editors put at the
// very end does not open an empty last paragraph.
RichText readRichText(std::string_view rtf);
