#include "elements/number_parent.h"

bool numberValue(const Element* number, double& value) {
    return isDefined(number) && number->currentValue(value);
}
