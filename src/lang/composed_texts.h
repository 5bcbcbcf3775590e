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

using CompositionParts = std::array<int, kMaxCompositionParts>;

// A single text.
constexpr CompositionParts composeSingle(int text) {
    return {text, 0, 0, 0, 0};
}
// "text (detail)".
constexpr CompositionParts composeParenthesised(int text, int detail) {
    return {text, kPartOpen, detail, kPartClose, 0};
}
// "text: detail".
constexpr CompositionParts composeColon(int text, int detail) {
    return {text, kPartColon, detail, 0, 0};
}

struct Composition {
    int key = 0;  // the tool number
    CompositionParts parts{};
};

// One row per construction tool, keyed by the tool number (0 to 52).
std::span<const Composition> toolPromptCompositions();

// The row with `key`, or nullptr.
const Composition* findComposition(std::span<const Composition> rows, int key);

// Joins the texts and punctuation. The descriptions of element definitions are
// composed from the pieces that the type-code table keeps with each code.
std::string compose(const TextTable& texts, const CompositionParts& parts);

// The status-bar prompt of tool `toolNumber`; an empty text for an unknown tool.
std::string composeToolPrompt(const TextTable& texts, int toolNumber);

// The text id of the name of element kind 1 … 21; 0 for anything else.
int kindNameTextId(int kind);
