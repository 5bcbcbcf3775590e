#pragma once

#include <cstdint>
#include <string_view>

// The 8-bit code pages that rich text names — by \ansicpg, \mac, \pc and each
// font's \fcharset — and the two symbol fonts whose bytes stand for
// characters of their own. Every code page is a table from byte to Unicode;
// Windows-1252 is the default and the fallback for code pages not held here
// (the multi-byte East Asian ones among them).

// Pseudo code pages for the Symbol and Wingdings fonts.
constexpr int kSymbolCodePage = 42;
constexpr int kWingdingsCodePage = -42;

// The code page of an RTF font character set (\fcharset N); charsets without
// a code page of their own (1, "default") take the document's, the symbol
// charset (2) Windows-1252, in which font names are written.
int codePageOfCharset(int charset, int documentCodePage);

// The code page of a font: the Symbol font and the Wingdings fonts have
// their own; other fonts take their charset's.
int fontCodePage(int charset, std::string_view fontName, int documentCodePage);

// True when codePageCharacter decodes this code page with a table of its own.
bool isKnownCodePage(int codePage);

// The character of one byte. Bytes a code page leaves undefined give U+FFFD;
// bytes of the symbol fonts without a Unicode counterpart give the private-use
// character U+F000 + byte, as those fonts' own character maps do.
char32_t codePageCharacter(int codePage, std::uint8_t byte);

// A symbol font's private-use character U+F020 … U+F0FF as the Unicode
// character it draws; every other character unchanged.
char32_t symbolFontCharacter(int codePage, char32_t c);
