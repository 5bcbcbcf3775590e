#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rich text (RTF) of a text element, read into paragraphs of uniformly
// formatted runs for the view to lay out. What is read: text and paragraphs,
// line breaks and tabs, bold, italic, underline, font size, the font and
// colour tables, the paragraph alignment, and the \'hh (Windows-1252) and \u
// (Unicode, with \uc) escapes. Destinations that hold no text (style sheets,
// document information, pictures, "\*" groups …) and every other control word
// are skipped. The reader never reads past the end of its input: unbalanced
// braces, truncated escapes and absurd parameters end or clamp cleanly.

enum class TextAlignment { Left, Centre, Right, Justified };

struct RichTextRun {
    std::string text;  // UTF-8; "\n" is a line break inside the paragraph, "\t" a tab
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;                 // font size in half points (\fs), 2 … 3276
    std::string font;                    // font name from the font table; empty: the default font
    std::optional<std::uint32_t> colour;  // RGB, red in the low byte; none: the automatic colour

    bool sameFormat(const RichTextRun& other) const {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               halfPoints == other.halfPoints && font == other.font && colour == other.colour;
    }
};

struct RichTextParagraph {
    TextAlignment alignment = TextAlignment::Left;
    std::vector<RichTextRun> runs;
};

struct RichText {
    std::vector<RichTextParagraph> paragraphs;

    // All runs' text, paragraphs separated by "\n".
    std::string plainText() const;
};

// A string that does not start with "{\rtf" is plain text: one paragraph per
// line, in the default format. The paragraph mark that editors put at the
// very end does not open an empty last paragraph.
RichText readRichText(std::string_view rtf);
