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

// The text of a run: RTF's special characters escaped, line breaks and tabs as control words.
void appendText(std::string& out, std::string_view utf8) {
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
            if (stored.ok() && stored.bytes.size() == 1) {
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

}  // namespace

std::string writeRichText(const RichText& text) {
    std::vector<std::string> fonts{""};
    std::vector<std::uint32_t> colours;
    std::string body;
    for (const RichTextParagraph& paragraph : text.paragraphs) {
        body += "\\pard";
        body += alignmentWord(paragraph.alignment);
        body += ' ';
        for (const RichTextRun& run : paragraph.runs) {
            if (run.text.empty()) continue;
            body += "\\plain\\f" + std::to_string(indexIn(fonts, run.font));
            body += "\\fs" + std::to_string(std::clamp(run.halfPoints, 2, 3276));
            if (run.bold) body += "\\b";
            if (run.italic) body += "\\i";
            body += underlineWord(run.underline);
            if (run.strike) body += "\\strike";
            if (run.script == ScriptPosition::Super) body += "\\super";
            if (run.script == ScriptPosition::Sub) body += "\\sub";
            if (run.colour) body += "\\cf" + std::to_string(indexIn(colours, *run.colour) + 1);
            body += ' ';
            appendText(body, run.text);
        }
        body += "\\par\n";
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i)
        rtf += "{\\f" + std::to_string(i) + "\\fnil " + fontTableName(fonts[i]) + ";}";
    rtf += "}\n{\\colortbl ;";
    for (const std::uint32_t c : colours) {
        rtf += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    }
    rtf += "}\n" + body + "}";
    return rtf;
}
