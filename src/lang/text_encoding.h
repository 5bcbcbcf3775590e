#pragma once

#include <string>
#include <string_view>

// Two encodings meet in the program. Stored 8-bit text — names, expressions, the
// rich text of text elements, macro names, font face names, language files
// written on older systems — is Windows-1252. Everything the toolkit, JSON and
// the terminal take is UTF-8. These functions are the one crossing between them.

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Converts Windows-1252 text to UTF-8. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, the replacement
// character, so that whatever a file holds shows as something.
std::string windows1252ToUtf8(std::string_view bytes);

// The character of one Windows-1252 byte (U+FFFD for the five undefined ones).
char32_t windows1252Character(unsigned char byte);

// The Windows-1252 form of UTF-8 text, or the first character it cannot hold.
struct Windows1252Text {
    std::string bytes;          // the converted text when ok()
    char32_t refused = 0;       // the refused character (U+FFFD for malformed UTF-8)
    std::size_t refusedAt = 0;  // its byte offset in the UTF-8 text
    bool refusedAny = false;

    bool ok() const { return !refusedAny; }
};

// Converts UTF-8 text (typed by the user) to the stored form. Refused: a
// character outside Windows-1252, a C1 control character, NUL (stored text ends
// at a NUL) and malformed UTF-8. Nothing is stored half-converted: on refusal
// `bytes` is empty.
Windows1252Text utf8ToWindows1252(std::string_view utf8);

// Appends the UTF-8 form of a code point (at most U+10FFFF; callers replace surrogates).
void appendUtf8(std::string& out, char32_t c);
