#include "expr/rich_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "lang/code_pages.h"
#include "lang/text_encoding.h"

namespace {

// Destinations whose content is not part of the text.
constexpr std::array<std::string_view, 24> kSkippedDestinations = {
    "stylesheet", "info",      "pict",         "header",  "headerl",    "headerr",
    "headerf",    "footer",    "footerl",      "footerr", "footerf",    "object",
    "listtable",  "filetbl",   "revtbl",       "rsidtbl", "generator",  "xmlnstbl",
    "themedata",  "datastore", "latentstyles", "fldinst", "nonshppict", "listoverridetable"};

// Control words that stand for one character.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kCharacterWords = {{
    {"line", "\n"},
    {"tab", "\t"},
    {"nestcell", "\t"},
    {"nestrow", "\n"},
    {"emdash", "\u2014"},
    {"endash", "\u2013"},
    {"emspace", "\u2003"},
    {"enspace", "\u2002"},
    {"bullet", "\u2022"},
    {"lquote", "\u2018"},
    {"rquote", "\u2019"},
    {"ldblquote", "\u201C"},
    {"rdblquote", "\u201D"},
    {"zwj", "\u200D"},
}};

constexpr std::array<std::pair<std::string_view, UnderlineStyle>, 16> kUnderlineWords = {
    {{"ul", UnderlineStyle::Single},
     {"ulw", UnderlineStyle::Words},
     {"uldb", UnderlineStyle::Double},
     {"uld", UnderlineStyle::Dotted},
     {"ulthd", UnderlineStyle::Dotted},
     {"uldash", UnderlineStyle::Dashed},
     {"uldashd", UnderlineStyle::Dashed},
     {"uldashdd", UnderlineStyle::Dashed},
     {"ulldash", UnderlineStyle::Dashed},
     {"ulthdash", UnderlineStyle::Dashed},
     {"ulth", UnderlineStyle::Thick},
     {"ulwave", UnderlineStyle::Wave},
     {"ulhwave", UnderlineStyle::Wave},
     {"ululdbwave", UnderlineStyle::Wave},
     {"ulnone", UnderlineStyle::None},
     {"ulthldash", UnderlineStyle::Dashed}}};

// A group deeper than this is read as part of its parent; editors stay far below it.
constexpr std::size_t kMaxDepth = 200;
constexpr std::size_t kMaxFontName = 255;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;  // 1638 points
constexpr int kMaxReplacementCount = 10;
constexpr int kMaxTwips = 31680;  // 22 inches, the widest page word processors allow
constexpr std::size_t kMaxTabs = 64;
constexpr std::size_t kMaxCells = 63;
constexpr int kDefaultRaise = 6;  // \up and \dn without a value

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

std::string decode(std::string_view bytes, int codePage) {
    if (!isKnownCodePage(codePage) || codePage == 1252) return windows1252ToUtf8(bytes);
    std::string out;
    for (const char b : bytes) appendUtf8(out, codePageCharacter(codePage, static_cast<std::uint8_t>(b)));
    return out;
}

enum class Destination { Text, FontTable, ColourTable, Skipped };

// What a group saves and restores.
struct GroupState {
    Destination destination = Destination::Text;
    RichTextRun character;  // the character format; text, font, colours are resolved per run
    int font = -1;          // font table number; -1: the default font
    int colour = 0;         // colour table indices; 0: automatic or none
    int highlight = 0;
    int background = 0;
    ParagraphFormat paragraph;
    bool inTable = false;
    int replacementCount = 1;  // characters that stand in for a \u character (\uc)
};

struct Font {
    std::string name;
    int charset = 0;
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
        if (footnoteDepth_ > 0) endFootnote();
        finishParagraph(state_.inTable);
        if (result_.paragraphs.size() > 1 && result_.paragraphs.back().runs.empty())
            result_.paragraphs.pop_back();
        // A row the text does not end sets its cells by the last row definition.
        const int openRow = static_cast<int>(result_.rows.size());
        if (std::any_of(result_.paragraphs.begin(), result_.paragraphs.end(),
                        [&](const RichTextParagraph& p) { return p.row == openRow; }))
            result_.rows.push_back(rowDefinition_);
        for (RichTextParagraph& p : footnotes_) result_.paragraphs.push_back(std::move(p));
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
            if (footnoteDepth_ > stack_.size()) endFootnote();
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

    const Font* currentFont() const {
        const auto found = fonts_.find(state_.font >= 0 ? state_.font : defaultFont_);
        return found == fonts_.end() ? nullptr : &found->second;
    }

    int currentCodePage() const {
        const Font* font = currentFont();
        return font ? fontCodePage(font->charset, font->name, codePage_) : codePage_;
    }

    // Literal bytes are in the code page of the font or of the document.
    void flush() {
        if (bytes_.empty()) return;
        appendRun(decode(bytes_, currentCodePage()));
        bytes_.clear();
    }

    std::optional<std::uint32_t> colourAt(int index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colours_.size()) return std::nullopt;
        return colours_[static_cast<std::size_t>(index)];
    }

    void appendRun(std::string text) {
        RichTextRun format = state_.character;
        if (const Font* font = currentFont()) {
            format.font = font->name;
            format.charset = font->charset;
        }
        format.colour = colourAt(state_.colour);
        format.highlight = colourAt(state_.highlight);
        format.background = colourAt(state_.background);
        takeParagraphFormat();
        RichTextParagraph& paragraph = result_.paragraphs.back();
        if (!paragraph.runs.empty() && paragraph.runs.back().sameFormat(format)) {
            paragraph.runs.back().text += text;
        } else {
            format.text = std::move(text);
            paragraph.runs.push_back(std::move(format));
        }
    }

    // A paragraph takes the format in force at its last text, or at its end
    // when that comes in the same group or deeper.
    void takeParagraphFormat() {
        static_cast<ParagraphFormat&>(result_.paragraphs.back()) = state_.paragraph;
        formatDepth_ = stack_.size();
        formatInTable_ = state_.inTable;
    }

    // Ends the current paragraph; the next one starts empty. A paragraph
    // that ends a cell is in the table whatever its format says.
    void finishParagraph(bool inTable, bool endsCell = false) {
        RichTextParagraph& paragraph = result_.paragraphs.back();
        if (paragraph.runs.empty() || stack_.size() >= formatDepth_) {
            static_cast<ParagraphFormat&>(paragraph) = state_.paragraph;
            formatInTable_ = inTable;
        }
        if (formatInTable_ || endsCell) {
            paragraph.row = static_cast<int>(result_.rows.size());
            paragraph.cell = cell_;
        }
        formatDepth_ = 0;
        formatInTable_ = false;
    }

    void newParagraph() {
        if (state_.destination != Destination::Text) return;
        flush();
        finishParagraph(state_.inTable);
        result_.paragraphs.emplace_back();
    }

    // \cell: the paragraph ends the cell. A cell whose last paragraph already
    // ended (a paragraph mark right before \cell) gets no empty paragraph more.
    void endCell() {
        if (state_.destination != Destination::Text) return;
        flush();
        auto& paragraphs = result_.paragraphs;
        const bool markedAlready =
            paragraphs.back().runs.empty() && paragraphs.size() > 1 &&
            paragraphs[paragraphs.size() - 2].row == static_cast<int>(result_.rows.size()) &&
            paragraphs[paragraphs.size() - 2].cell == cell_;
        if (!markedAlready) {
            finishParagraph(true, true);
            paragraphs.emplace_back();
        }
        cell_ = std::min<int>(cell_ + 1, kMaxCells - 1);
    }

    void endRow() {
        if (state_.destination != Destination::Text) return;
        flush();
        if (!result_.paragraphs.back().runs.empty()) endCell();
        result_.rows.push_back(rowDefinition_);
        cell_ = 0;
    }

    // Footnotes are set after the text, each starting with its mark.
    void startFootnote() {
        flush();
        footnoteDepth_ = stack_.size();
        body_ = std::move(result_.paragraphs);
        result_.paragraphs.clear();
        result_.paragraphs.emplace_back();
    }

    void endFootnote() {
        flush();
        finishParagraph(false);
        if (result_.paragraphs.size() > 1 && result_.paragraphs.back().runs.empty())
            result_.paragraphs.pop_back();
        for (RichTextParagraph& p : result_.paragraphs) footnotes_.push_back(std::move(p));
        result_.paragraphs = std::move(body_);
        footnoteDepth_ = 0;
    }

    void endFontEntry() {
        if (fontEntry_ >= 0) {
            std::string name = fontName_;
            while (!name.empty() && name.back() == ' ') name.pop_back();
            fonts_[fontEntry_] = Font{decode(name, codePageOfCharset(fontCharset_, codePage_)), fontCharset_};
        }
        fontEntry_ = -1;
        fontCharset_ = 0;
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
        if (w.word == "footnote" && footnoteDepth_ == 0 && !stack_.empty() && tooDeep_ == 0 &&
            state_.destination == Destination::Text) {
            startFootnote();
            return;
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
            // A footnote is text even where it is marked as a destination to skip.
            const bool footnote = in_.substr(pos_).starts_with("\\footnote") &&
                                  !(pos_ + 9 < in_.size() && isLetter(in_[pos_ + 9]));
            if (atGroupStart && !footnote) {
                flush();
                state_.destination = Destination::Skipped;
            }
            groupStart_ = atGroupStart;
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

    // Two hex digits; what is not a hex digit is left to be read as it is.
    void hexCharacter() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size() && hexValue(in_[pos_]) >= 0) {
            value = value * 16 + hexValue(in_[pos_++]);
            ++digits;
        }
        if (digits == 2) character(static_cast<char>(value));
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
            appendUtf8(s, symbolFontCharacter(currentCodePage(), unit));
        }
        if (!s.empty()) utf8(s);
    }

    // Words of the font and colour tables.
    void tableWord(std::string_view word, int value) {
        if (state_.destination == Destination::FontTable) {
            if (word == "f") {
                endFontEntry();
                fontEntry_ = value;
            } else if (word == "fcharset") {
                fontCharset_ = value;
            }
            return;
        }
        const auto component = static_cast<std::uint32_t>(std::clamp(value, 0, 255));
        if (word == "red") red_ = component;
        if (word == "green") green_ = component;
        if (word == "blue") blue_ = component;
        colourGiven_ = colourGiven_ || word == "red" || word == "green" || word == "blue";
    }

    // Words of a table row's definition. Border words apply to the side
    // named last: a cell's (\clbrdrX, for the cell its \cellx ends) or, for
    // every cell, the row's (\trbrdrX).
    bool rowWord(std::string_view word, int value) {
        if (word == "trowd") {
            rowDefinition_ = RichTextRow{};
            cellBorders_ = rowBorders_ = borderSide_ = 0;
            borderOfRow_ = false;
        } else if (word == "cellx") {
            if (rowDefinition_.cellRight.size() < kMaxCells) {
                rowDefinition_.cellRight.push_back(std::clamp(value, -kMaxTwips, kMaxTwips));
                rowDefinition_.cellBorders.push_back(cellBorders_ | rowBorders_);
            }
            cellBorders_ = borderSide_ = 0;
        } else if (word == "trleft") {
            rowDefinition_.left = std::clamp(value, -kMaxTwips, kMaxTwips);
        } else if (word == "trgaph" || word == "clpadt") {
            // A cell's left padding is written \clpadt, as Word has always read it.
            rowDefinition_.gap = std::clamp(value, 0, kMaxTwips);
        } else if ((word.starts_with("clbrdr") || word.starts_with("trbrdr")) && word.size() == 7) {
            borderOfRow_ = word[0] == 't';
            borderSide_ = borderBits(word.back());
        } else if (word == "brdrt" || word == "brdrb" || word == "brdrl" || word == "brdrr" ||
                   word == "box" || word == "brdrbtw" || word == "brdrbar") {
            borderSide_ = 0;  // a paragraph's border
        } else if (word.starts_with("brdr")) {
            if (word == "brdrw" || word == "brdrcf") return true;
            std::uint8_t& sides = borderOfRow_ ? rowBorders_ : cellBorders_;
            const bool none = word == "brdrnone" || word == "brdrnil";
            sides = none ? static_cast<std::uint8_t>(sides & ~borderSide_)
                         : static_cast<std::uint8_t>(sides | borderSide_);
        } else {
            return false;
        }
        return true;
    }

    static std::uint8_t borderBits(char side) {
        switch (side) {
            case 't':
                return kBorderTop;
            case 'l':
                return kBorderLeft;
            case 'b':
                return kBorderBottom;
            case 'r':
                return kBorderRight;
            case 'h':
                return kBorderTop | kBorderBottom;  // between rows
            case 'v':
                return kBorderLeft | kBorderRight;  // between cells
            default:
                return 0;
        }
    }

    // Words of the paragraph format.
    bool paragraphWord(std::string_view word, int value, bool hasParameter) {
        ParagraphFormat& p = state_.paragraph;
        const int twips = std::clamp(value, -kMaxTwips, kMaxTwips);
        if (word == "pard") {
            p = ParagraphFormat{};
            state_.inTable = false;
            pendingTab_ = TabKind::Left;
        } else if (word == "ql") {
            p.alignment = TextAlignment::Left;
        } else if (word == "qc") {
            p.alignment = TextAlignment::Centre;
        } else if (word == "qr") {
            p.alignment = TextAlignment::Right;
        } else if (word == "qj") {
            p.alignment = TextAlignment::Justified;
        } else if (word == "li") {
            p.leftIndent = twips;
        } else if (word == "ri") {
            p.rightIndent = twips;
        } else if (word == "fi") {
            p.firstIndent = twips;
        } else if (word == "sb") {
            p.spaceBefore = std::max(twips, 0);
        } else if (word == "sa") {
            p.spaceAfter = std::max(twips, 0);
        } else if (word == "sl") {
            p.lineSpacing = twips;
        } else if (word == "slmult") {
            p.lineMultiple = !hasParameter || value != 0;
        } else if (word == "tqr" || word == "tqc" || word == "tqdec") {
            pendingTab_ = word == "tqr" ? TabKind::Right : word == "tqc" ? TabKind::Centre : TabKind::Decimal;
        } else if (word == "tx") {
            if (p.tabs.size() < kMaxTabs) {
                p.tabs.push_back({std::max(twips, 0), pendingTab_});
                std::stable_sort(p.tabs.begin(), p.tabs.end(),
                                 [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
            }
            pendingTab_ = TabKind::Left;
        } else if (word == "tb") {
            pendingTab_ = TabKind::Left;  // bar tabs draw a rule, not a stop
        } else if (word == "intbl") {
            state_.inTable = true;
        } else {
            return false;
        }
        return true;
    }

    // Words of the character format.
    bool characterWord(std::string_view word, int value, bool hasParameter) {
        RichTextRun& c = state_.character;
        const bool on = !hasParameter || value != 0;
        if (const auto underline = std::find_if(kUnderlineWords.begin(), kUnderlineWords.end(),
                                                [&](const auto& entry) { return entry.first == word; });
            underline != kUnderlineWords.end()) {
            c.underline = on ? underline->second : UnderlineStyle::None;
        } else if (word == "plain") {
            c = RichTextRun{};
            state_.font = -1;
            state_.colour = state_.highlight = state_.background = 0;
        } else if (word == "b") {
            c.bold = on;
        } else if (word == "i") {
            c.italic = on;
        } else if (word == "strike" || word == "striked") {
            c.strike = on;
        } else if (word == "super" || word == "sub") {
            c.script = word == "super" ? ScriptPosition::Super : ScriptPosition::Sub;
        } else if (word == "nosupersub") {
            c.script = ScriptPosition::Normal;
        } else if (word == "up" || word == "dn") {
            const int amount = std::clamp(hasParameter ? value : kDefaultRaise, 0, kMaxHalfPoints);
            c.raise = word == "up" ? amount : -amount;
        } else if (word == "caps") {
            c.caps = on;
        } else if (word == "scaps") {
            c.smallCaps = on;
        } else if (word == "v") {
            c.hidden = on;
        } else if (word == "fs") {
            // No size or size 0 is the default size.
            c.halfPoints = value > 0 ? std::clamp(value, kMinHalfPoints, kMaxHalfPoints) : kDefaultHalfPoints;
        } else if (word == "f") {
            state_.font = std::max(value, 0);
        } else if (word == "cf") {
            state_.colour = std::max(value, 0);
        } else if (word == "highlight") {
            state_.highlight = std::max(value, 0);
        } else if (word == "cb" || word == "chcbpat") {
            state_.background = std::max(value, 0);
        } else {
            return false;
        }
        return true;
    }

    void formatting(const ControlWord& w) {
        const std::string_view word = w.word;
        const int value = static_cast<int>(std::clamp<std::int64_t>(w.parameter, -1000000, 1000000));
        if (state_.destination == Destination::FontTable || state_.destination == Destination::ColourTable) {
            tableWord(word, value);
            return;
        }
        const auto character = std::find_if(kCharacterWords.begin(), kCharacterWords.end(),
                                            [&](const auto& entry) { return entry.first == word; });
        if (character != kCharacterWords.end()) {
            utf8(character->second);
        } else if (word == "par" || word == "page" || word == "sect") {
            newParagraph();
        } else if (word == "cell") {
            endCell();
        } else if (word == "row") {
            endRow();
        } else if (word == "chftn") {
            if (footnoteDepth_ == 0) ++footnoteCount_;
            utf8(std::to_string(footnoteCount_));
        } else if (word == "deff") {
            defaultFont_ = std::max(value, 0);
        } else if (word == "ansi") {
            codePage_ = 1252;
        } else if (word == "ansicpg") {
            codePage_ = value;
        } else if (word == "mac") {
            codePage_ = 10000;
        } else if (word == "pc") {
            codePage_ = 437;
        } else if (word == "pca") {
            codePage_ = 850;
        } else if (word == "deftab") {
            if (value > 0) result_.defaultTab = std::min(value, kMaxTwips);
        } else if (word == "uc") {
            state_.replacementCount = std::clamp(value, 0, kMaxReplacementCount);
        } else if (!characterWord(word, value, w.hasParameter) &&
                   !paragraphWord(word, value, w.hasParameter)) {
            rowWord(word, value);
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
    int codePage_ = 1252;

    std::map<int, Font> fonts_;
    int defaultFont_ = 0;
    int fontEntry_ = -1;
    int fontCharset_ = 0;
    std::string fontName_;
    std::vector<std::optional<std::uint32_t>> colours_;
    std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;

    std::size_t formatDepth_ = 0;  // group depth at the current paragraph's last text
    bool formatInTable_ = false;
    TabKind pendingTab_ = TabKind::Left;
    RichTextRow rowDefinition_;
    std::uint8_t cellBorders_ = 0;  // the sides of the cell being defined
    std::uint8_t rowBorders_ = 0;   // the sides every cell of the row has
    std::uint8_t borderSide_ = 0;   // the sides the next border words describe
    bool borderOfRow_ = false;
    int cell_ = 0;

    std::size_t footnoteDepth_ = 0;  // group depth outside the footnote being read; 0: none
    int footnoteCount_ = 0;
    std::vector<RichTextParagraph> body_;  // the text while a footnote is read
    std::vector<RichTextParagraph> footnotes_;

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

bool RichTextRun::sameFormat(const RichTextRun& o) const {
    return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike &&
           script == o.script && raise == o.raise && caps == o.caps && smallCaps == o.smallCaps &&
           hidden == o.hidden && halfPoints == o.halfPoints && font == o.font && charset == o.charset &&
           colour == o.colour && highlight == o.highlight && background == o.background;
}

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
