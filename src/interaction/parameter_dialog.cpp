#include "interaction/parameter_dialog.h"

#include <algorithm>
#include <cmath>

#include "expr/expression_eval.h"
#include "expr/format_number.h"
#include "expr/parameter.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"

namespace {

// The fields show the stored values with up to this many decimals, zeros trimmed.
constexpr int kOpeningDecimals = 8;
// The value field while the slider moves.
constexpr int kSliderValueDecimals = 2;
constexpr std::array<const char*, 3> kFieldNames = {"value", "minimum", "maximum"};

}  // namespace

ParameterDialog::ParameterDialog(Document& document, const Element& parameter, const TextTable& texts)
    : ConstructionDialog(document) {
    Element* edited = counterpart(&parameter);
    if (edited == nullptr || edited->typeCode() != TypeCode::Parameter) {
        restore();  // nothing to edit
        return;
    }
    parameter_ = static_cast<ParameterNumber*>(edited);
    title_ = texts.text(textid::kParameterTitle) + " : " +
             (parameter_->hasName() ? windows1252ToUtf8(*parameter_->name()) : std::string());
    const ParameterNumber& p = *parameter_;
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = i == 0 ? p.value : i == 1 ? p.minimum : p.maximum;
        opening_[i] = formatNumber(v, kOpeningDecimals, true, false);
    }
    texts_ = opening_;
    // The slider shows where the value lies between the smaller and the larger
    // limit; a value outside the range puts it at the nearer end.
    const double width = std::fabs(p.maximum - p.minimum);
    if (width > 0.0 && std::isfinite(width)) {
        const double at = kSliderEnd * (p.value - std::min(p.minimum, p.maximum)) / width;
        slider_ = static_cast<int>(std::lround(std::clamp(at, 0.0, double{kSliderEnd})));
    }
}

int ParameterDialog::fieldIndex(std::string_view name) {
    for (int i = 0; i < 3; ++i)
        if (name == kFieldNames[static_cast<std::size_t>(i)]) return i;
    return -1;
}

bool ParameterDialog::field(std::string_view name, std::string& text) const {
    if (name == "slider") {
        text = std::to_string(slider_);
        return true;
    }
    const int i = fieldIndex(name);
    if (i < 0) return false;
    text = texts_[static_cast<std::size_t>(i)];
    return true;
}

void ParameterDialog::markEdited(std::string_view name) {
    const int i = fieldIndex(name);
    if (i >= 0) edited_[static_cast<std::size_t>(i)] = true;
}

bool ParameterDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    const int i = fieldIndex(name);
    if (i < 0) {
        error = name == "slider" ? "the slider moves with 'slider N'"
                                 : "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    texts_[static_cast<std::size_t>(i)] = std::string(text);
    edited_[static_cast<std::size_t>(i)] = true;
    return true;
}

double ParameterDialog::bound(int index, double stored) const {
    const auto i = static_cast<std::size_t>(index);
    double value = 0.0;
    if (edited_[i] && evaluateText(texts_[i], document().angleUnit, value) == 1) return value;
    return stored;
}

bool ParameterDialog::setSlider(int position, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    if (position < 0 || position > kSliderEnd) {
        error = "the slider runs from 0 to " + std::to_string(kSliderEnd);
        return false;
    }
    slider_ = position;
    const double minimum = bound(1, parameter_->minimum);
    const double maximum = bound(2, parameter_->maximum);
    const double value = std::min(minimum, maximum) + position * std::fabs(maximum - minimum) / kSliderEnd;
    texts_[0] = formatNumber(value, kSliderValueDecimals, false, false);
    parameter_->value = value;
    changed();
    return true;
}

bool ParameterDialog::pressButton(std::string_view button, std::string& error) {
    if (button == "ok") {
        double* targets[3] = {&parameter_->value, &parameter_->minimum, &parameter_->maximum};
        for (std::size_t i = 0; i < 3; ++i) {
            double value = 0.0;
            if (edited_[i] && texts_[i] != opening_[i] &&
                evaluateText(texts_[i], document().angleUnit, value) == 1)
                *targets[i] = value;
        }
        commit();
        return true;
    }
    return noSuchButton(button, error);
}
