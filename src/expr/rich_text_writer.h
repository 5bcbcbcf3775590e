#pragma once

#include <string>

#include "expr/rich_text.h"

// Writes rich text as the RTF a text element stores, in the form readRichText
// reads back to the same paragraphs and formats: a font table (entry 0 the
// default font), a colour table (entry 0 the automatic colour), then per
// paragraph its alignment and per run its full format after \plain. The
// output is 7-bit ASCII: characters of Windows-1252 above 127 are written as
// \'hh, every other character as \u with "?" for readers without Unicode.
// Every paragraph ends with \par, so an empty last paragraph survives.
std::string writeRichText(const RichText& text);
