#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/construction.h"
#include "model/element_kind.h"

class Document;

inline constexpr int kMaxMacros = 100;

// A recorded piece of construction, replayed on other elements. Inside its
// construction, parent keys 0 … n−1 stand for the n initial elements and key
// n + j for the macro's own element j.
struct Macro {
    std::unique_ptr<Construction> construction = std::make_unique<Construction>();
    std::vector<ElementKind> initialKinds;
    std::string name;
    std::string description;
};

// An independent copy (a raw copy of the construction: keys as they are).
Macro copyMacro(const Macro& macro);

// Builds a macro from the initial and final elements picked in a construction.
// The source's keys are left as the macro needed them; the next renumbering repairs them.
Macro makeMacro(Construction& source, std::span<Element* const> initial, std::span<Element* const> finals,
                std::string name);

// Appends the macro's elements built on the picked elements as one undo step.
// The pending elements were made while picking and are not yet in the
// construction (any of the picks may be one); they are appended first, in their order. hideIntermediates
// keeps the macro's intermediate elements out of sight. Returns false, changing nothing, when the number of
// picks is not the macro's or a pick is neither in the construction nor pending.
bool applyMacro(Document& document, const Macro& macro, std::span<Element* const> picked,
                std::vector<ElementPtr> pending, bool hideIntermediates);

// The document's macro list: at most kMaxMacros, in the order added. Both mark
// the document modified; adding to a full list does nothing and returns false.
bool addMacro(Document& document, Macro macro);
void removeMacro(Document& document, int index);
