#pragma once

#include <string>
#include <string_view>

// The plain text of a rich-text (RTF) string, for drawing a text element before
// a rich-text renderer is available: paragraphs and line breaks become "\n",
// tabs "\t", escaped characters their character (8-bit ones as Windows-1252,
// \u escapes as Unicode), all in UTF-8. Destinations that hold no text (font and
// colour tables, style sheets, document information, pictures, "\*" groups) are
// dropped, and so is every other control word. A string that is not RTF is
// returned unchanged. Unbalanced braces never read past the end.
std::string plainTextOfRtf(std::string_view rtf);
