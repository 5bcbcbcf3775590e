#pragma once

#include <string>
#include <string_view>

// A file dialog's filter from a language text ("Constructions (*.g3d)") and
// its pattern ("*.g3d"). The file dialog takes the patterns from the trailing
// parentheses, so a text that does not end with them gets " (pattern)" added.
std::string fileDialogFilter(std::string_view text, std::string_view pattern);
