#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/construction.h"
#include "model/macro.h"

// Tool numbers of the macro tools: apply a macro, pick its initial elements,
// pick its final elements.
inline constexpr int kApplyMacroTool = 1;
inline constexpr int kMacroInitialTool = 2;
inline constexpr int kMacroFinalTool = 3;

// What a view keeps for the macro tools between clicks: the initial and final
// elements picked for a new macro, in pick order, and the macro being applied.
// The picks point into the construction they were made in, which they keep
// alive; once the document shows another construction they are dropped.
struct MacroPicks {
    std::shared_ptr<Construction> pickedIn;
    std::vector<Element*> initial;
    std::vector<Element*> finals;
    // A copy of the macro the apply tool collects picks for.
    std::optional<Macro> applying;
    // Intermediate elements of applied macros stay hidden (the program's setting).
    bool hideIntermediates = true;
};

// What making a macro from the picks came to.
enum class MacroMade { Made, NothingPicked, Cancelled, EmptyName, ListFull };

// A macro's name or description as stored (Windows-1252) from typed UTF-8; a
// character the code page cannot hold becomes '?'.
std::string storedMacroText(std::string_view utf8);
