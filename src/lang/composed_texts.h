#pragma once

#include <array>
#include <span>
#include <string>

#include "lang/text_table.h"

// Texts assembled from several language entries: the description of an element's definition (the
// construction list, the element dialog's title, the step display) and the prompt a construction tool
// shows while it waits for clicks. A composition is a short list of parts: a positive part is a text
// id, a negative one a fixed punctuation mark, and 0 ends the list.

inline constexpr int kPartOpen = -1;   // " ("
inline constexpr int kPartClose = -2;  // ")"
inline constexpr int kPartColon = -3;  // ": "
inline constexpr std::size_t kMaxCompositionParts = 5;

struct Composition {
    int key = 0;  // the type code, or the tool number
    std::array<int, kMaxCompositionParts> parts{};
};

// One row per element type code, keyed by the type code.
std::span<const Composition> descriptionCompositions();

// One row per construction tool, keyed by the tool number (0 to 52).
std::span<const Composition> toolPromptCompositions();

// The row with `key`, or nullptr.
const Composition* findComposition(std::span<const Composition> rows, int key);

// Joins the row's texts and punctuation.
std::string compose(const TextTable& texts, const Composition& row);

// The description of the definition `typeCode`; an empty text for a code that is not an element.
std::string composeDescription(const TextTable& texts, int typeCode);

// The status-bar prompt of tool `toolNumber`; an empty text for an unknown tool.
std::string composeToolPrompt(const TextTable& texts, int toolNumber);

// The text id of the name of element kind 1 … 21; 0 for anything else.
int kindNameTextId(int kind);
