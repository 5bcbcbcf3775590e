#include "expr/rich_text_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "lang/text_encoding.h"

namespace {

// The index of a value in a table, appending it when new.
template <typename T>
std::size_t indexIn(std::vector<T>& table, const T& value) {
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end()) return static_cast<std::size_t>(found - table.begin());
    table.push_back(value);
    return table.size() - 1;
}

const char* alignmentWord(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Centre:
            return "\\qc";
        case TextAlignment::Right:
            return "\\qr";
        case TextAlignment::Justified:
            return "\\qj";
        case TextAlignment::Left:
            break;
    }
    return "\\ql";
}

void appendHex(std::string& out, unsigned byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[(byte >> 4) & 0xF];
    out += kDigits[byte & 0xF];
}

// One UTF-16 code unit as \uN (a signed 16-bit number) with its stand-in.
void appendUnicodeUnit(std::string& out, std::uint32_t unit) {
    const int n = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
    out += "\\u" + std::to_string(n) + "?";
}

// Decodes one UTF-8 character at `i`; malformed bytes give U+FFFD and advance by one.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((byte(i + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return c;
}

// The text of a run: RTF's special characters escaped, line breaks and tabs as
// control words. A font of another character set would read bytes in its own
// code page: its text goes as Unicode escapes only.
void appendText(std::string& out, std::string_view utf8, bool unicodeOnly) {
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t c = nextCodePoint(utf8, i);
        if (c == '\n') {
            out += "\\line ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            appendHex(out, static_cast<unsigned>(c));
        } else {
            const Windows1252Text stored = utf8ToWindows1252(utf8.substr(start, i - start));
            if (!unicodeOnly && stored.ok() && stored.bytes.size() == 1) {
                appendHex(out, static_cast<unsigned char>(stored.bytes[0]));
            } else if (c > 0xFFFF) {
                const char32_t v = c - 0x10000;
                appendUnicodeUnit(out, 0xD800 + (v >> 10));
                appendUnicodeUnit(out, 0xDC00 + (v & 0x3FF));
            } else {
                appendUnicodeUnit(out, c);
            }
        }
    }
}

// A font name goes into the table as stored text; what the code page cannot hold, and the
// semicolon that ends an entry, are left out.
std::string fontTableName(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t start = i;
        nextCodePoint(name, i);
        const Windows1252Text stored = utf8ToWindows1252(std::string_view(name).substr(start, i - start));
        if (!stored.ok()) continue;
        for (const char b : stored.bytes) {
            const auto u = static_cast<unsigned char>(b);
            if (b == ';') continue;  // it would end the table entry
            if (b == '\\' || b == '{' || b == '}' || u < 0x20 || u > 0x7E)
                appendHex(out, u);
            else
                out += b;
        }
    }
    return out;
}

const char* underlineWord(UnderlineStyle style) {
    switch (style) {
        case UnderlineStyle::None:
            return "";
        case UnderlineStyle::Words:
            return "\\ulw";
        case UnderlineStyle::Double:
            return "\\uldb";
        case UnderlineStyle::Dotted:
            return "\\uld";
        case UnderlineStyle::Dashed:
            return "\\uldash";
        case UnderlineStyle::Thick:
            return "\\ulth";
        case UnderlineStyle::Wave:
            return "\\ulwave";
        default:
            return "\\ul";
    }
}

struct FontEntry {
    std::string name;
    int charset = 0;
    bool operator==(const FontEntry&) const = default;
};

void appendWord(std::string& out, const char* word, int value) {
    out += word;
    out += std::to_string(value);
}

void appendParagraphFormat(std::string& out, const ParagraphFormat& p) {
    out += alignmentWord(p.alignment);
    if (p.leftIndent != 0) appendWord(out, "\\li", p.leftIndent);
    if (p.rightIndent != 0) appendWord(out, "\\ri", p.rightIndent);
    if (p.firstIndent != 0) appendWord(out, "\\fi", p.firstIndent);
    if (p.spaceBefore != 0) appendWord(out, "\\sb", p.spaceBefore);
    if (p.spaceAfter != 0) appendWord(out, "\\sa", p.spaceAfter);
    if (p.lineSpacing != 0) {
        appendWord(out, "\\sl", p.lineSpacing);
        appendWord(out, "\\slmult", p.lineMultiple ? 1 : 0);
    }
    for (const TabStop& tab : p.tabs) {
        if (tab.kind == TabKind::Right) out += "\\tqr";
        if (tab.kind == TabKind::Centre) out += "\\tqc";
        if (tab.kind == TabKind::Decimal) out += "\\tqdec";
        appendWord(out, "\\tx", tab.position);
    }
}

void appendRowDefinition(std::string& out, const RichTextRow& row) {
    out += "\\trowd";
    appendWord(out, "\\trgaph", row.gap);
    appendWord(out, "\\trleft", row.left);
    for (std::size_t c = 0; c < row.cellRight.size(); ++c) {
        const std::uint8_t sides = c < row.cellBorders.size() ? row.cellBorders[c] : 0;
        if (sides & kBorderTop) out += "\\clbrdrt\\brdrs";
        if (sides & kBorderLeft) out += "\\clbrdrl\\brdrs";
        if (sides & kBorderBottom) out += "\\clbrdrb\\brdrs";
        if (sides & kBorderRight) out += "\\clbrdrr\\brdrs";
        appendWord(out, "\\cellx", row.cellRight[c]);
    }
    out += '\n';
}

}  // namespace

std::string writeRichText(const RichText& text) {
    std::vector<FontEntry> fonts{FontEntry{}};
    std::vector<std::uint32_t> colours;
    const auto colourIndex = [&](std::uint32_t c) { return static_cast<int>(indexIn(colours, c) + 1); };
    std::string body;
    const auto appendRuns = [&](const RichTextParagraph& paragraph) {
        for (const RichTextRun& run : paragraph.runs) {
            if (run.text.empty()) continue;
            appendWord(body, "\\plain\\f",
                       static_cast<int>(indexIn(fonts, FontEntry{run.font, run.charset})));
            appendWord(body, "\\fs", std::clamp(run.halfPoints, 2, 3276));
            if (run.bold) body += "\\b";
            if (run.italic) body += "\\i";
            body += underlineWord(run.underline);
            if (run.strike) body += "\\strike";
            if (run.script == ScriptPosition::Super) body += "\\super";
            if (run.script == ScriptPosition::Sub) body += "\\sub";
            if (run.raise > 0) appendWord(body, "\\up", run.raise);
            if (run.raise < 0) appendWord(body, "\\dn", -run.raise);
            if (run.caps) body += "\\caps";
            if (run.smallCaps) body += "\\scaps";
            if (run.hidden) body += "\\v";
            if (run.colour) appendWord(body, "\\cf", colourIndex(*run.colour));
            if (run.highlight) appendWord(body, "\\highlight", colourIndex(*run.highlight));
            if (run.background) appendWord(body, "\\cb", colourIndex(*run.background));
            body += ' ';
            appendText(body, run.text, run.charset != 0);
        }
    };
    const std::vector<RichTextParagraph>& paragraphs = text.paragraphs;
    for (std::size_t i = 0; i < paragraphs.size();) {
        const RichTextParagraph& paragraph = paragraphs[i];
        const int r = paragraph.row;
        if (r < 0 || r >= static_cast<int>(text.rows.size())) {
            body += "\\pard";
            appendParagraphFormat(body, paragraph);
            body += ' ';
            appendRuns(paragraph);
            body += "\\par\n";
            ++i;
            continue;
        }
        // A table row: its definition, then its cells in order, a cell's
        // paragraphs separated by \par and ended by \cell.
        appendRowDefinition(body, text.rows[static_cast<std::size_t>(r)]);
        int cell = 0;
        for (; i < paragraphs.size() && paragraphs[i].row == r; ++i) {
            const RichTextParagraph& p = paragraphs[i];
            for (; cell < p.cell; ++cell) body += "\\pard\\intbl\\cell\n";
            body += "\\pard\\intbl";
            appendParagraphFormat(body, p);
            body += ' ';
            appendRuns(p);
            const bool sameCell =
                i + 1 < paragraphs.size() && paragraphs[i + 1].row == r && paragraphs[i + 1].cell == p.cell;
            body += sameCell ? "\\par\n" : "\\cell\n";
            if (!sameCell) cell = p.cell + 1;
        }
        body += "\\row\n";
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    if (text.defaultTab != 720) appendWord(rtf, "\\deftab", text.defaultTab);
    rtf += "\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        rtf += "{\\f" + std::to_string(i) + "\\fnil";
        if (fonts[i].charset != 0) appendWord(rtf, "\\fcharset", fonts[i].charset);
        rtf += " " + fontTableName(fonts[i].name) + ";}";
    }
    rtf += "}\n{\\colortbl ;";
    for (const std::uint32_t c : colours) {
        rtf += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    }
    rtf += "}\n" + body + "}";
    return rtf;
}
