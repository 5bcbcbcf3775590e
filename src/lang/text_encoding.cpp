#include "lang/text_encoding.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of bytes 0x80–0x9F in Windows-1252; the rest of the upper half
// equals Latin-1. The five bytes the code page leaves undefined give U+FFFD.
constexpr char32_t kWindows1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                           0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Length of the sequence that lead byte `b` starts, or 0 when `b` cannot start one.
int sequenceLength(std::uint8_t b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Length of the well-formed sequence at bytes[i], or 0.
int validSequenceAt(std::string_view bytes, std::size_t i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    const int length = sequenceLength(b);
    if (length == 0 || length > static_cast<int>(bytes.size() - i)) return 0;
    for (int k = 1; k < length; ++k) {
        if ((static_cast<std::uint8_t>(bytes[i + k]) & 0xC0) != 0x80) return 0;
    }
    if (length >= 3) {
        const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
        if (b == 0xE0 && second < 0xA0) return 0;  // overlong
        if (b == 0xED && second > 0x9F) return 0;  // surrogate
        if (b == 0xF0 && second < 0x90) return 0;  // overlong
        if (b == 0xF4 && second > 0x8F) return 0;  // above U+10FFFF
    }
    return length;
}

char32_t decodeSequence(std::string_view bytes, std::size_t i, int length) {
    static constexpr std::uint8_t kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = static_cast<std::uint8_t>(bytes[i]) & kLeadMask[length];
    for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<std::uint8_t>(bytes[i + k]) & 0x3F);
    return c;
}

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    if (c == kReplacement) return -1;
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == c) return 0x80 + i;
    }
    return -1;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const int length = validSequenceAt(bytes, i);
        if (length == 0) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char32_t windows1252Character(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte};
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            appendUtf8(out, kWindows1252High[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

Windows1252Text utf8ToWindows1252(std::string_view utf8) {
    Windows1252Text result;
    result.bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const int length = validSequenceAt(utf8, i);
        const char32_t c = length == 0 ? kReplacement : decodeSequence(utf8, i, length);
        const int byte = length == 0 || c == 0 ? -1 : windows1252Byte(c);
        if (byte < 0) {
            result.bytes.clear();
            result.refused = c;
            result.refusedAt = i;
            result.refusedAny = true;
            return result;
        }
        result.bytes.push_back(static_cast<char>(byte));
        i += static_cast<std::size_t>(length);
    }
    return result;
}
