#include "interaction/element_dialog.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "elements/iteration.h"
#include "expr/calculation.h"
#include "expr/coordinates.h"
#include "expr/expression_eval.h"
#include "expr/format_number.h"
#include "expr/parameter.h"
#include "lang/text_encoding.h"

namespace {

// An iteration whose typed depth is not positive runs this many steps.
constexpr int kDepthInsteadOfNonPositive = 3;
constexpr long long kMaxColour = 0xFFFFFF;
constexpr long long kMaxSize = 4;
constexpr long long kMaxShape = 1;

// Regular figures, loci and iterations draw no label.
bool drawsLabel(ElementKind kind) {
    switch (kind) {
        case ElementKind::RegularPolygon:
        case ElementKind::RegularPolyhedron:
        case ElementKind::Curve:
        case ElementKind::Surface:
        case ElementKind::Iteration:
            return false;
        default:
            return true;
    }
}

bool isRegularFigure(ElementKind kind) {
    return kind == ElementKind::RegularPolygon || kind == ElementKind::RegularPolyhedron;
}

// The number whose decimals the dialog shows: a number itself, the x part of coordinates.
NumberElement* decimalsHolder(Element& element) {
    if (element.kind() == ElementKind::Number) return static_cast<NumberElement*>(&element);
    if (element.kind() == ElementKind::Coordinates) {
        const auto parts = static_cast<Coordinates&>(element).parts();
        if (!parts.empty()) return parts[0];
    }
    return nullptr;
}

const Iteration* asIteration(const Element& element) {
    return element.typeCode() == TypeCode::Iteration ? static_cast<const Iteration*>(&element) : nullptr;
}

std::string flagText(std::int32_t flag) {
    return flag ? "1" : "0";
}

}  // namespace

ElementLook lookOf(const Element& element) {
    ElementLook look;
    look.colour = element.colour;
    look.visible = element.visible;
    look.name = element.name();
    look.showLabel = element.showLabel;
    look.size = element.size;
    look.shape = element.shape;
    if (element.kind() == ElementKind::Number) look.decimals = asNumber(&element).decimals;
    if (element.kind() == ElementKind::Coordinates) {
        const auto parts = static_cast<const Coordinates&>(element).parts();
        if (!parts.empty()) look.decimals = parts[0]->decimals;
    }
    if (element.typeCode() == TypeCode::Parameter)
        look.step = static_cast<const ParameterNumber&>(element).step;
    if (const Iteration* iteration = asIteration(element)) {
        look.depth = iteration->depth;
        look.lastOnly = iteration->lastOnly;
        look.drawPoints = iteration->drawPoints;
        look.iterationColour = iteration->useIterationColour;
    }
    return look;
}

ElementDialog::ElementDialog(Document& document, const Element& element, const TextTable& texts)
    : ConstructionDialog(document), element_(counterpart(&element)) {
    if (element_ == nullptr) {  // not an element of the document: nothing to edit
        restore();
        return;
    }
    title_ = composeDescription(texts, element_->typeCode());
    if (element_->typeCode() == TypeCode::Calculation)
        title_ += ": " + windows1252ToUtf8(static_cast<const Calculation&>(*element_).expression);
    opening_ = lookOf(*element_);
    typed_ = opening_;
    if (element_->typeCode() == TypeCode::Parameter)
        stepText_ = static_cast<const ParameterNumber&>(*element_).stepText();
    depthText_ = std::to_string(opening_.depth);
    // The view shows what is edited, and for a measure what it measures.
    element_->selected = 1;
    if (isMeasureCode(element_->typeCode()))
        for (Element* parent : element_->parents)
            if (parent) parent->selected = 1;
}

std::vector<std::string> ElementDialog::fieldNames() const {
    std::vector<std::string> names = {"colour", "visible", "name"};
    if (element_ == nullptr) return names;
    const ElementKind kind = element_->kind();
    if (drawsLabel(kind)) names.emplace_back("label");
    if (hasSize(kind)) names.emplace_back("size");
    if (hasShape(kind)) names.emplace_back("shape");
    if (hasFont(kind)) names.emplace_back("decimals");
    if (element_->typeCode() == TypeCode::Parameter) names.emplace_back("step");
    if (const Iteration* iteration = asIteration(*element_)) {
        if (!iteration->useDepthNumber) names.emplace_back("depth");
        names.insert(names.end(), {"lastonly", "points", "iterationcolour"});
    }
    return names;
}

bool ElementDialog::hasField(std::string_view name) const {
    const std::vector<std::string> names = fieldNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool ElementDialog::field(std::string_view name, std::string& text) const {
    if (!hasField(name)) return false;
    const ElementLook& t = typed_;
    if (name == "colour") text = std::to_string(t.colour);
    if (name == "visible") text = flagText(t.visible);
    if (name == "name") text = t.name ? windows1252ToUtf8(*t.name) : std::string();
    if (name == "label") text = flagText(t.showLabel);
    if (name == "size") text = std::to_string(t.size);
    if (name == "shape") text = std::to_string(t.shape);
    if (name == "decimals") text = std::to_string(t.decimals);
    if (name == "step") text = stepText_;
    if (name == "depth") text = depthText_;
    if (name == "lastonly") text = flagText(t.lastOnly);
    if (name == "points") text = flagText(t.drawPoints);
    if (name == "iterationcolour") text = flagText(t.iterationColour);
    return true;
}

bool ElementDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    if (!hasField(name)) {
        error = "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    ElementLook t = typed_;
    long long number = 0;
    bool ok = true;
    if (name == "colour") {
        ok = parseWholeNumber(text, 0, kMaxColour, number);
        t.colour = static_cast<std::uint32_t>(number);
    } else if (name == "visible") {
        ok = parseFlag(text, t.visible);
    } else if (name == "label") {
        ok = parseFlag(text, t.showLabel);
    } else if (name == "lastonly") {
        ok = parseFlag(text, t.lastOnly);
    } else if (name == "points") {
        ok = parseFlag(text, t.drawPoints);
    } else if (name == "iterationcolour") {
        ok = parseFlag(text, t.iterationColour);
    } else if (name == "size" || name == "shape" || name == "decimals") {
        const long long high = name == "size" ? kMaxSize : name == "shape" ? kMaxShape : kMaxDecimals;
        ok = parseWholeNumber(text, 0, high, number);
        (name == "size"    ? t.size
         : name == "shape" ? t.shape
                           : t.decimals) = static_cast<std::int32_t>(number);
    } else if (name == "name") {
        Windows1252Text stored = utf8ToWindows1252(text);
        ok = stored.ok() && stored.bytes.size() <= kMaxNameLength;
        if (ok && stored.bytes.empty())
            t.name.reset();
        else if (ok)
            t.name = std::move(stored.bytes);
    } else {
        // The step and the depth take expressions; a text that does not
        // evaluate (yet) is kept and leaves the value as it was.
        (name == "step" ? stepText_ : depthText_) = std::string(text);
        double value = 0.0;
        if (evaluateText(text, document().angleUnit, value) == 1) {
            if (name == "step") {
                t.step = value;
                stepTyped_ = true;
            } else {
                const double whole = std::trunc(value);
                t.depth = whole > 0.0 ? static_cast<std::int32_t>(
                                            std::min<double>(whole, std::numeric_limits<std::int32_t>::max()))
                                      : kDepthInsteadOfNonPositive;
            }
        }
    }
    if (!ok) {
        error = "the field '" + std::string(name) + "' does not take '" + std::string(text) + "'";
        return false;
    }
    typed_ = std::move(t);
    preview();
    return true;
}

void ElementDialog::preview() {
    Element& e = *element_;
    const ElementLook& t = typed_;
    e.colour = t.colour;
    e.visible = t.visible;
    e.showLabel = t.showLabel;
    if (t.name)
        e.setName(*t.name);
    else
        e.clearName();
    if (hasSize(e.kind())) e.size = t.size;
    if (hasShape(e.kind())) e.shape = t.shape;
    if (NumberElement* number = decimalsHolder(e)) number->decimals = t.decimals;
    if (e.typeCode() == TypeCode::Parameter) {
        auto& parameter = static_cast<ParameterNumber&>(e);
        parameter.step = opening_.step;
        if (stepTyped_) parameter.setStepFromEdit(t.step);
    }
    if (e.typeCode() == TypeCode::Iteration) {
        auto& iteration = static_cast<Iteration&>(e);
        if (!iteration.useDepthNumber) iteration.depth = t.depth;
        iteration.lastOnly = t.lastOnly;
        iteration.drawPoints = t.drawPoints;
        iteration.useIterationColour = t.iterationColour;
    }
    // A regular polygon or polyhedron shows or hides with everything it generates.
    if (isRegularFigure(e.kind())) {
        const int index = working().indexOf(&e);
        for (int i = index + 1; i < working().groupEnd(index); ++i) working().at(i)->visible = t.visible;
    }
    changed();
}

bool ElementDialog::pressButton(std::string_view button, std::string& error) {
    if (button == "ok") {
        if (lookOf(*element_) != opening_)
            commit();
        else
            restore();
        return true;
    }
    return noSuchButton(button, error);
}
