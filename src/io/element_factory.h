#pragma once

#include <initializer_list>
#include <span>

#include "model/construction.h"
#include "model/element.h"

// Makes an empty element of the class the code's row names, with a zero style,
// ready for its file record to be read. Group leaders are made without their
// generated elements. nullptr when no class serves the code.
ElementPtr createElementForRecord(TypeCode typeCode, int parentCount);

// The one way to make a new element from its code: of the code's class, with
// the style of its kind, appended on these parents in this order (see
// Construction::appendOn). nullptr, and the construction unchanged, when the code
// names no element or the parents do not fit its row. The class's own data (a
// point's position, a regular polygon's sides …) is the caller's to set.
Element* appendElement(Construction& construction, TypeCode typeCode, std::span<Element* const> parents,
                       const KindStyle& style);
// The same check without appending: the parents' number, kinds and order fit
// the row, but they may belong to no construction yet (a tool's elements go
// into a copy of the construction together with its temporary points).
ElementPtr makeElement(TypeCode typeCode, std::span<Element* const> parents, const KindStyle& style);
Element* appendElement(Construction& construction, TypeCode typeCode, std::initializer_list<Element*> parents,
                       const KindStyle& style);
