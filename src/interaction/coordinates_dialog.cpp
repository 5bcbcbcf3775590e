#include "interaction/coordinates_dialog.h"

#include "elements/point.h"
#include "expr/expression_eval.h"
#include "expr/format_number.h"
#include "io/element_factory.h"
#include "lang/text_ids.h"

namespace {

constexpr int kFieldDecimals = 4;
constexpr std::array<const char*, 3> kFieldNames = {"x", "y", "z"};

bool isFreeOrRepresented(const Element& e) {
    return e.typeCode() == TypeCode::FreePoint || e.typeCode() == TypeCode::RepresentedPoint;
}

}  // namespace

const Element* coordinatesDialogPoint(const Element& element) {
    if (isFreeOrRepresented(element)) return &element;
    if (element.typeCode() == TypeCode::Coordinates && !element.parents.empty()) {
        const Element* point = element.parents[0];
        if (point != nullptr && isFreeOrRepresented(*point)) return point;
    }
    return nullptr;
}

CoordinatesDialog::CoordinatesDialog(Document& document, const Element* point, const TextTable& texts,
                                     SessionHost& host)
    : ConstructionDialog(document), host_(host) {
    Element* edited = point ? counterpart(point) : nullptr;
    if (edited && isFreeOrRepresented(*edited)) point_ = static_cast<Point*>(edited);
    title_ = texts.text(editing() ? textid::kEditPointTitle : textid::kToolRepresentPoints);
    fieldLabel_ = texts.text(textid::kKindPoint);
    if (!editing()) return;
    const Vec3 p = point_->position;
    const double scale = document.unitScale;
    opening_ = {formatNumber(p.x * scale, kFieldDecimals, true, false),
                formatNumber(p.y * scale, kFieldDecimals, true, false),
                formatNumber(p.z * scale, kFieldDecimals, true, false)};
    texts_ = opening_;
}

int CoordinatesDialog::fieldIndex(std::string_view name) const {
    for (int i = 0; i < 3; ++i)
        if (name == kFieldNames[static_cast<std::size_t>(i)]) return i;
    return -1;
}

bool CoordinatesDialog::field(std::string_view name, std::string& text) const {
    if (name == "focus") {
        text = focusField_;
        return true;
    }
    const int i = fieldIndex(name);
    if (i < 0) return false;
    text = texts_[static_cast<std::size_t>(i)];
    return true;
}

bool CoordinatesDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    const int i = fieldIndex(name);
    if (i < 0) {
        error = "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    texts_[static_cast<std::size_t>(i)] = std::string(text);
    return true;
}

bool CoordinatesDialog::apply() {
    focusField_.clear();
    std::array<double, 3> values{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (evaluateText(texts_[i], document().angleUnit, values[i]) != 1) {
            focusField_ = kFieldNames[i];
            host_.message(textid::kInvalidFieldValue, MessageIcon::Error);
            return false;
        }
    }
    const double scale = document().unitScale;
    const Vec3 position{values[0] / scale, values[1] / scale, values[2] / scale};
    if (editing()) {
        point_->position = position;
        if (texts_ != opening_) changed_ = true;
    } else {
        const KindStyle& style = document().styles[static_cast<std::size_t>(ElementKind::Point)];
        Element* made = appendElement(working(), TypeCode::RepresentedPoint, {}, style);
        if (made == nullptr) return false;
        static_cast<Point&>(*made).position = position;
        changed_ = true;
    }
    okEnabled_ = true;
    changed();
    return true;
}

bool CoordinatesDialog::pressButton(std::string_view button, std::string& error) {
    if (button == "apply") {
        apply();  // a refused value is the user's to mend: the dialog stays as it is
        return true;
    }
    if (button == "ok") {
        if (!okEnabled_) {
            error = "the button 'ok' is disabled until a point is applied";
            return false;
        }
        if (changed_)
            commit();
        else
            restore();
        return true;
    }
    return noSuchButton(button, error);
}
