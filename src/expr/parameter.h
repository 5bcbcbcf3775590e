#pragma once

#include <string>

#include "expr/number_element.h"

// The step of a new parameter, of one read from a file that has none, and of
// one whose step is edited to 0.
inline constexpr double kDefaultParameterStep = 0.01;

class Construction;

// Parameters: a free number the user changes with the
// keyboard, the parameter dialog or an animation, with the range the slider
// and the animation run over and the step of the + and - keys.
class ParameterNumber : public NumberElement {
  public:
    explicit ParameterNumber(const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    // Nothing to compute: the value is the parameter's own.
    void recompute(Construction& construction, const RecomputeContext& context) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    // Loci run a parameter through its range (the limits as stored, in either order).
    bool parameterRange(double& low, double& high) const override;
    void setParameterValue(double newValue) override { value = newValue; }

    // The + and - keys: one step up or down, not limited to the range.
    void stepUp() { value += step; }
    void stepDown() { value -= step; }

    // The step as the edit dialog takes it: its absolute value, 0 giving 0.01.
    void setStepFromEdit(double typed);
    // The step as the edit dialog shows it: 5 decimals, trailing zeros trimmed.
    std::string stepText() const;

    double minimum = 0.0;
    double maximum = 0.0;
    double step = kDefaultParameterStep;

  protected:
    ParameterNumber(const ParameterNumber&) = default;
};

// The + (direction 1) or - (direction -1) keys on the view: every selected
// parameter of the construction moves by its step. Returns how many moved; the
// caller recomputes and redraws when any did.
int stepSelectedParameters(Construction& construction, int direction);
