#pragma once

#include "model/element.h"

// The value of a parent that is a number (kind 18): true with the value when the
// number is defined and holds a value, false otherwise.
bool numberValue(const Element* number, double& value);
