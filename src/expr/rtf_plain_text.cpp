#include "expr/rtf_plain_text.h"

#include <array>
#include <cstdint>
#include <vector>

#include "lang/text_encoding.h"

namespace {

constexpr std::array<std::string_view, 10> kSkippedDestinations = {
    "fonttbl", "colortbl", "stylesheet", "info",      "pict",
    "header",  "footer",   "object",     "listtable", "filetbl"};

// A group deeper than this is not read further; RTF written by editors stays far below it.
constexpr std::size_t kMaxDepth = 200;

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

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;  // a lone surrogate half
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

class RtfReader {
  public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) {}

    std::string run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                if (depth_.size() < kMaxDepth)
                    depth_.push_back(skipping());
                else
                    ++tooDeep_;
                groupStart_ = true;
                continue;
            }
            const bool atGroupStart = groupStart_;
            groupStart_ = false;
            if (c == '}') {
                if (tooDeep_ > 0)
                    --tooDeep_;
                else if (!depth_.empty())
                    depth_.pop_back();
            } else if (c == '\\') {
                controlWord(atGroupStart);
            } else if (c != '\r' && c != '\n') {
                text(c);
            }
        }
        flushBytes();
        return out_;
    }

  private:
    bool skipping() const { return !depth_.empty() && depth_.back(); }
    void skipGroup() {
        if (!depth_.empty()) depth_.back() = true;
    }

    void text(char c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (!skipping()) bytes_.push_back(c);
    }
    void append(std::string_view s) {
        if (skipping()) return;
        flushBytes();
        out_ += s;
    }
    // Literal 8-bit characters are Windows-1252, as RTF's default code page.
    void flushBytes() {
        if (bytes_.empty()) return;
        out_ += windows1252ToUtf8(bytes_);
        bytes_.clear();
    }

    void controlWord(bool atGroupStart) {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            if (c == '\'') {
                hexCharacter();
            } else if (c == '*') {
                if (atGroupStart) skipGroup();
            } else if (c == '\\' || c == '{' || c == '}') {
                text(c);
            } else if (c == '~') {
                append("\u00A0");
            } else if (c == '\r' || c == '\n') {
                append("\n");
            }
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
        const std::string_view word = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        std::int64_t parameter = 0;
        bool hasParameter = false;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            if (parameter < 1000000) parameter = parameter * 10 + (in_[pos_] - '0');
            hasParameter = true;
            ++pos_;
        }
        if (negative) parameter = -parameter;
        // One blank ends a control word and is not text.
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;

        if (word == "par" || word == "line") {
            append("\n");
        } else if (word == "tab") {
            append("\t");
        } else if (word == "u" && hasParameter) {
            if (!skipping()) {
                flushBytes();
                appendUtf8(
                    out_, static_cast<std::uint32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF);
            }
            pendingSkip_ = 1;  // the replacement character that follows
        } else if (atGroupStart) {
            for (const std::string_view d : kSkippedDestinations) {
                if (word == d) skipGroup();
            }
        }
    }

    void hexCharacter() {
        if (pos_ + 2 > in_.size()) {
            pos_ = in_.size();
            return;
        }
        const int high = hexValue(in_[pos_]);
        const int low = hexValue(in_[pos_ + 1]);
        pos_ += 2;
        if (high >= 0 && low >= 0) text(static_cast<char>(high * 16 + low));
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<bool> depth_;  // per open group: its text is dropped
    std::size_t tooDeep_ = 0;  // groups opened beyond kMaxDepth, read as part of their parent
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    std::string bytes_;
    std::string out_;
};

}  // namespace

std::string plainTextOfRtf(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf")) return std::string(rtf);
    std::string text = RtfReader(rtf).run();
    // Editors end the last paragraph with \par: no empty line after it.
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}
