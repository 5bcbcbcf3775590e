#pragma once

#include <nlohmann/json.hpp>

#include "io/document_file.h"

class TextTable;

// The whole document as one JSON object: header, fonts, styles, every element
// with its class's fields, the animation list and the macros. The document
// must have been recomputed; its construction is renumbered.
nlohmann::ordered_json documentToJson(Document& document, const TextTable& texts);
