#pragma once

#include <cstdint>

#include "model/font_record.h"

class Document;

// The commands that change the selected elements. Each makes its change on a
// full copy of the current construction, which becomes current, is recomputed
// and recorded as one undo step. The copy carries no selection.
// Each returns false, changing nothing, when nothing is selected.
bool toggleVisibleOfSelected(Document& document);
bool deleteSelectedWithDependants(Document& document);
// Texts keep their colours.
bool setColourOfSelected(Document& document, std::uint32_t colour);
// Numbers and coordinates only.
bool setFontOfSelected(Document& document, const FontRecord& font);
// Kinds with a shape only.
bool setShapeOfSelected(Document& document, int shape);
// Kinds with a size only.
bool setSizeOfSelected(Document& document, int size);
