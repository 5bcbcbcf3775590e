#pragma once

#include "model/element.h"

// Makes an empty element of the class the type-code table gives for the code,
// with a zero style, ready for its file record to be read. Group leaders are
// made without their generated elements. nullptr when no class serves the code.
ElementPtr createElementForRecord(int typeCode, int parentCount);
