#pragma once

#include <initializer_list>
#include <span>

#include "model/construction.h"
#include "model/element.h"

// Makes an empty element of the class the code's row names, with a zero style,
// ready for its file record to be read. Group leaders are made without their
// generated elements. nullptr when no class serves the code.
ElementPtr createElementForRecord(TypeCode typeCode, int parentCount);

// The one checked way to make a new element: of the code's class, with the
// style of its kind and these parents in this order. nullptr, and nothing made,
// when the code names no element or the parents do not fit its row — their
// number, a missing one, or one of a kind its position does not accept. The
// class's own data (a point's position, a polygon's sides …) is the caller's.
ElementPtr makeElement(TypeCode typeCode, std::span<Element* const> parents, const KindStyle& style);

// makeElement, appended to the construction, whose elements the parents must
// be; nullptr, and the construction unchanged, when it cannot be made.
Element* appendElement(Construction& construction, TypeCode typeCode, std::span<Element* const> parents,
                       const KindStyle& style);
Element* appendElement(Construction& construction, TypeCode typeCode, std::initializer_list<Element*> parents,
                       const KindStyle& style);
