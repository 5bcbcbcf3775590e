#pragma once

#include <cstddef>
#include <span>

#include "model/construction.h"

class InputStream;
class OutputStream;

// Writes a construction block: the element count, every element's record and,
// when asked, the animation entries. With renumber the parent keys are stored
// first (documents); without, the records are written as they are (macros).
int writeConstruction(Construction& construction, OutputStream& out, bool withAnimation, bool renumber);

// Reads a construction block into an empty construction and resolves its
// parents. Keys 0 … externalKinds.size()−1 name external elements of those
// kinds (the initial elements of a macro); the construction's own elements
// follow. Without external elements the parents are resolved; with them the
// keys are only checked. Every record is checked before anything uses it —
// known type code, sensible counts, parents that exist, come earlier and are
// of a kind the code can use, group leaders followed by exactly their generated
// elements — and any fault refuses the whole block: 0, with the reason in the
// stream, and the construction left empty.
int readConstruction(InputStream& in, int fileVersion, bool withAnimation,
                     std::span<const ElementKind> externalKinds, Construction& construction);
