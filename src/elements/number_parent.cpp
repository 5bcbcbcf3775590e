#include "elements/number_parent.h"

// The number classes live with the model; until their header is there no value
// can be read and every point built on a number stays undefined.
#if __has_include("model/number_element.h")
#include "model/number_element.h"

bool numberValue(const Element* number, double& value) {
    const auto* n = static_cast<const NumberElement*>(number);
    if (!isDefined(number) || n->valueDefined == 0) return false;
    value = n->value;
    return true;
}
#else
bool numberValue(const Element*, double&) {
    return false;
}
#endif
