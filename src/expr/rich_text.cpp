#include "expr/rich_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "lang/text_encoding.h"

namespace {

// Destinations whose content is not part of the text.
constexpr std::array<std::string_view, 24> kSkippedDestinations = {
    "stylesheet", "info",      "pict",       "header",      "headerl",     "headerr",
    "headerf",    "footer",    "footerl",    "footerr",     "footerf",     "object",
    "listtable",  "filetbl",   "revtbl",     "rsidtbl",     "generator",   "xmlnstbl",
    "themedata",  "datastore", "latentstyles", "fldinst",   "nonshppict",  "listoverridetable"};

// Control words that stand for one character.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kCharacterWords = {{
    {"line", "\n"},
    {"tab", "\t"},
    {"cell", "\t"},
    {"emdash", "\u2014"},
    {"endash", "\u2013"},
    {"bullet", "\u2022"},
    {"lquote", "\u2018"},
    {"rquote", "\u2019"},
    {"ldblquote", "\u201C"},
    {"rdblquote", "\u201D"},
}};

// A group deeper than this is read as part of its parent; editors stay far below it.
constexpr std::size_t kMaxDepth = 200;
constexpr std::size_t kMaxFontName = 255;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;  // 1638 points
constexpr int kMaxReplacementCount = 10;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

enum class Destination { Text, FontTable, ColourTable, Skipped };

// What a group saves and restores.
struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;
    int font = -1;        // font table number; -1: the default font
    int colour = 0;       // colour table index; 0: automatic
    TextAlignment alignment = TextAlignment::Left;
    int replacementCount = 1;  // characters that stand in for a \u character (\uc)
};

struct ControlWord {
    std::string_view word;
    std::int64_t parameter = 0;
    bool hasParameter = false;
};

class RtfReader {
  public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) { result_.paragraphs.emplace_back(); }

    RichText run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                openGroup();
            } else if (c == '}') {
                closeGroup();
            } else if (c == '\\') {
                const bool atGroupStart = groupStart_;
                groupStart_ = false;
                control(atGroupStart);
            } else if (c != '\r' && c != '\n') {
                groupStart_ = false;
                character(c);
            }
        }
        flush();
        finishParagraph();
        if (result_.paragraphs.size() > 1 && result_.paragraphs.back().runs.empty())
            result_.paragraphs.pop_back();
        return std::move(result_);
    }

  private:
    void openGroup() {
        flush();
        pendingSkip_ = 0;
        if (stack_.size() < kMaxDepth)
            stack_.push_back(state_);
        else
            ++tooDeep_;
        groupStart_ = true;
    }

    void closeGroup() {
        flush();
        pendingSkip_ = 0;
        groupStart_ = false;
        if (tooDeep_ > 0) {
            --tooDeep_;
        } else if (!stack_.empty()) {
            if (state_.destination == Destination::FontTable) endFontEntry();
            state_ = stack_.back();
            stack_.pop_back();
        }
    }

    // One literal byte of the current destination.
    void character(char c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        switch (state_.destination) {
            case Destination::Text:
                bytes_.push_back(c);
                break;
            case Destination::FontTable:
                if (c == ';')
                    endFontEntry();
                else if (fontName_.size() < kMaxFontName)
                    fontName_.push_back(c);
                break;
            case Destination::ColourTable:
                if (c == ';') endColourEntry();
                break;
            case Destination::Skipped:
                break;
        }
    }

    // Text already in UTF-8 (escapes, special characters).
    void utf8(std::string_view s) {
        if (state_.destination != Destination::Text) return;
        flush();
        appendRun(std::string(s));
    }

    // Literal bytes are Windows-1252, RTF's default code page.
    void flush() {
        if (bytes_.empty()) return;
        appendRun(windows1252ToUtf8(bytes_));
        bytes_.clear();
    }

    void appendRun(std::string text) {
        RichTextRun format;
        format.bold = state_.bold;
        format.italic = state_.italic;
        format.underline = state_.underline;
        format.halfPoints = state_.halfPoints;
        const int font = state_.font >= 0 ? state_.font : defaultFont_;
        if (const auto found = fonts_.find(font); found != fonts_.end()) format.font = found->second;
        if (state_.colour > 0 && static_cast<std::size_t>(state_.colour) < colours_.size())
            format.colour = colours_[static_cast<std::size_t>(state_.colour)];
        RichTextParagraph& paragraph = result_.paragraphs.back();
        paragraph.alignment = state_.alignment;
        if (!paragraph.runs.empty() && paragraph.runs.back().sameFormat(format)) {
            paragraph.runs.back().text += text;
        } else {
            format.text = std::move(text);
            paragraph.runs.push_back(std::move(format));
        }
    }

    void finishParagraph() {
        RichTextParagraph& paragraph = result_.paragraphs.back();
        if (paragraph.runs.empty()) paragraph.alignment = state_.alignment;
    }

    void newParagraph() {
        if (state_.destination != Destination::Text) return;
        flush();
        finishParagraph();
        result_.paragraphs.emplace_back();
    }

    void endFontEntry() {
        if (fontEntry_ >= 0) {
            std::string name = fontName_;
            while (!name.empty() && name.back() == ' ') name.pop_back();
            fonts_[fontEntry_] = windows1252ToUtf8(name);
        }
        fontEntry_ = -1;
        fontName_.clear();
    }

    void endColourEntry() {
        colours_.push_back(colourGiven_ ? std::optional<std::uint32_t>(red_ | (green_ << 8) | (blue_ << 16))
                                        : std::nullopt);
        red_ = green_ = blue_ = 0;
        colourGiven_ = false;
    }

    void control(bool atGroupStart) {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            symbol(c, atGroupStart);
            return;
        }
        flush();
        const ControlWord w = readControlWord();
        if (w.word == "u") {
            if (w.hasParameter) unicode(w.parameter);
            return;
        }
        pendingSkip_ = 0;
        if (atGroupStart && state_.destination != Destination::Skipped) {
            if (w.word == "fonttbl") {
                state_.destination = Destination::FontTable;
                return;
            }
            if (w.word == "colortbl") {
                state_.destination = Destination::ColourTable;
                return;
            }
            if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), w.word) !=
                kSkippedDestinations.end()) {
                state_.destination = Destination::Skipped;
                return;
            }
        }
        if (w.word == "bin") {
            // Binary data of the given length follows; it is never text.
            const auto length = static_cast<std::size_t>(std::max<std::int64_t>(0, w.parameter));
            pos_ += std::min(length, in_.size() - pos_);
            return;
        }
        formatting(w);
    }

    ControlWord readControlWord() {
        ControlWord w;
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
        w.word = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            if (w.parameter < 100000000) w.parameter = w.parameter * 10 + (in_[pos_] - '0');
            w.hasParameter = true;
            ++pos_;
        }
        if (negative) w.parameter = -w.parameter;
        // One blank ends a control word and is not text.
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        return w;
    }

    void symbol(char c, bool atGroupStart) {
        if (c == '\'') {
            hexCharacter();
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (c == '*') {
            if (atGroupStart) {
                flush();
                state_.destination = Destination::Skipped;
            }
        } else if (c == '\\' || c == '{' || c == '}') {
            character(c);
        } else if (c == '~') {
            utf8("\u00A0");
        } else if (c == '_') {
            utf8("\u2011");
        } else if (c == '\r' || c == '\n') {
            newParagraph();
        }
        // "\-" (an optional hyphen) and unknown symbols show nothing.
    }

    void hexCharacter() {
        if (pos_ + 2 > in_.size()) {
            pos_ = in_.size();
            return;
        }
        const int high = hexValue(in_[pos_]);
        const int low = hexValue(in_[pos_ + 1]);
        pos_ += 2;
        if (high >= 0 && low >= 0) character(static_cast<char>(high * 16 + low));
    }

    // A UTF-16 code unit (negative values count from 65536), then the
    // characters that stand in for it in readers without Unicode.
    void unicode(std::int64_t parameter) {
        const auto unit = static_cast<std::uint32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF;
        pendingSkip_ = state_.replacementCount;
        if (state_.destination != Destination::Text) return;
        std::string s;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (highSurrogate_ != 0) appendUtf8(s, 0xFFFD);
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(s, highSurrogate_ != 0 ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00)
                                              : 0xFFFD);
            highSurrogate_ = 0;
        } else {
            if (highSurrogate_ != 0) appendUtf8(s, 0xFFFD);
            highSurrogate_ = 0;
            appendUtf8(s, unit);
        }
        if (!s.empty()) utf8(s);
    }

    void formatting(const ControlWord& w) {
        const std::string_view word = w.word;
        const bool on = !w.hasParameter || w.parameter != 0;
        const int value = static_cast<int>(std::clamp<std::int64_t>(w.parameter, -1000000, 1000000));
        if (state_.destination == Destination::FontTable) {
            if (word == "f") {
                endFontEntry();
                fontEntry_ = value;
            }
            return;
        }
        if (state_.destination == Destination::ColourTable) {
            const auto component = static_cast<std::uint32_t>(std::clamp(value, 0, 255));
            if (word == "red") red_ = component;
            if (word == "green") green_ = component;
            if (word == "blue") blue_ = component;
            colourGiven_ = colourGiven_ || word == "red" || word == "green" || word == "blue";
            return;
        }
        const auto character = std::find_if(kCharacterWords.begin(), kCharacterWords.end(),
                                            [&](const auto& entry) { return entry.first == word; });
        if (character != kCharacterWords.end()) {
            utf8(character->second);
        } else if (word == "par" || word == "page" || word == "sect" || word == "row") {
            newParagraph();
        } else if (word == "b") {
            state_.bold = on;
        } else if (word == "i") {
            state_.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
                   word == "ulth") {
            state_.underline = on;
        } else if (word == "ulnone") {
            state_.underline = false;
        } else if (word == "fs") {
            state_.halfPoints = w.hasParameter ? std::clamp(value, kMinHalfPoints, kMaxHalfPoints)
                                               : kDefaultHalfPoints;
        } else if (word == "f") {
            state_.font = std::max(value, 0);
        } else if (word == "deff") {
            defaultFont_ = std::max(value, 0);
        } else if (word == "cf") {
            state_.colour = std::max(value, 0);
        } else if (word == "plain") {
            state_.bold = state_.italic = state_.underline = false;
            state_.halfPoints = kDefaultHalfPoints;
            state_.font = -1;
            state_.colour = 0;
        } else if (word == "pard") {
            state_.alignment = TextAlignment::Left;
        } else if (word == "ql") {
            state_.alignment = TextAlignment::Left;
        } else if (word == "qc") {
            state_.alignment = TextAlignment::Centre;
        } else if (word == "qr") {
            state_.alignment = TextAlignment::Right;
        } else if (word == "qj") {
            state_.alignment = TextAlignment::Justified;
        } else if (word == "uc") {
            state_.replacementCount = std::clamp(value, 0, kMaxReplacementCount);
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    std::size_t tooDeep_ = 0;  // groups opened beyond kMaxDepth, read as part of their parent
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    std::uint32_t highSurrogate_ = 0;
    std::string bytes_;  // literal bytes not yet converted, all in the current format

    std::map<int, std::string> fonts_;
    int defaultFont_ = 0;
    int fontEntry_ = -1;
    std::string fontName_;
    std::vector<std::optional<std::uint32_t>> colours_;
    std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;

    RichText result_;
};

RichText plainLines(std::string_view text) {
    RichText result;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        RichTextParagraph& paragraph = result.paragraphs.emplace_back();
        if (!line.empty()) {
            RichTextRun run;
            run.text = std::string(line);
            paragraph.runs.push_back(std::move(run));
        }
        if (end >= text.size()) break;
        start = end + 1;
    }
    return result;
}

}  // namespace

std::string RichText::plainText() const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        for (const RichTextRun& run : paragraphs[i].runs) text += run.text;
    }
    return text;
}

RichText readRichText(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf")) return plainLines(rtf);
    return RtfReader(rtf).run();
}
