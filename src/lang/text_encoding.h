#pragma once

#include <string>
#include <string_view>

// Language files are 8-bit text. Files written today are UTF-8; files written on older systems are
// Windows-1252. The table keeps every text as UTF-8.

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Converts Windows-1252 text to UTF-8. The five bytes that code page leaves undefined map to the C1
// control characters of the same value, as the system conversion does.
std::string windows1252ToUtf8(std::string_view bytes);

// Appends the UTF-8 form of a code point (at most U+10FFFF; callers replace surrogates).
void appendUtf8(std::string& out, char32_t c);
