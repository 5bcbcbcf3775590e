#include "interaction/animation.h"

#include <cmath>
#include <numbers>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "expr/parameter.h"
#include "geometry/vectors.h"

namespace {

// A speed of 1 for a whole second moves a point 1/5 unit along its parent.
constexpr double kMillisecondsPerUnit = 5000.0;
// A parameter covers this fraction of its range per unit of speed and step.
constexpr double kParameterRate = 0.05;
// Rays and lines run this far from their first point.
constexpr double kStraightReach = 99.0;
constexpr double kConicChordStep = 1.0 / 98.0;
constexpr double kMaxConicLength = 19.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Clamps p into [low, high]; reaching past an end reverses the entry.
void clampAndFlip(double& p, double low, double high, AnimationEntry& entry) {
    if (p > high) {
        p = high;
        entry.forward = entry.forward ? 0 : 1;
    } else if (p < low) {
        p = low;
        entry.forward = entry.forward ? 0 : 1;
    }
}

bool moveParameter(ParameterNumber& parameter, double v, double s, AnimationEntry& entry) {
    const double lo = parameter.minimum;
    const double hi = parameter.maximum;
    const double span = hi - lo;
    if (span == 0.0 || !std::isfinite(span)) return false;
    double value = parameter.value + v * s * kParameterRate * span;
    clampAndFlip(value, std::min(lo, hi), std::max(lo, hi), entry);
    if (!std::isfinite(value) || value == parameter.value) return false;
    parameter.value = value;
    return true;
}

// How far p moves and in what range, by the kind of the point's parent.
bool movePointOnElement(PointOnObject& point, double v, double s, AnimationEntry& entry) {
    const Element* parent = point.parents.empty() ? nullptr : point.parents[0];
    if (parent == nullptr || !parent->defined) return false;
    double& p = point.param1;
    const double before = p;
    switch (parent->kind()) {
        case ElementKind::Vector:
        case ElementKind::Segment:
        case ElementKind::Ray:
        case ElementKind::Line: {
            const auto& straight = static_cast<const StraightElement&>(*parent);
            const double length = distance(straight.pointA, straight.pointB);
            if (length == 0.0 || !std::isfinite(length)) return false;
            p += v * s / length;
            const ElementKind kind = parent->kind();
            const double high =
                kind == ElementKind::Vector || kind == ElementKind::Segment ? 1.0 : kStraightReach / length;
            const double low = kind == ElementKind::Line ? -kStraightReach / length : 0.0;
            clampAndFlip(p, low, high, entry);
            break;
        }
        case ElementKind::Circle: {
            const double around = kTwoPi * static_cast<const Circle&>(*parent).radius;
            if (around == 0.0 || !std::isfinite(around)) return false;
            p += kTwoPi * v * s / around;
            if (p > kTwoPi) p = 0.0;
            if (p < 0.0) p = kTwoPi;
            break;
        }
        case ElementKind::Arc: {
            const auto& arc = static_cast<const Arc&>(*parent);
            const double length = arc.radius * arc.sweep;
            if (length == 0.0 || !std::isfinite(length)) return false;
            p += v * s / length;
            clampAndFlip(p, 0.0, 1.0, entry);
            break;
        }
        case ElementKind::Conic: {
            const double length = conicAnimationLength(static_cast<const Conic&>(*parent));
            if (length == 0.0 || !std::isfinite(length)) return false;
            p += v * s / length;
            if (p > 1.0) p = 0.0;
            if (p < 0.0) p = 1.0;
            break;
        }
        default:
            return false;
    }
    if (!std::isfinite(p)) p = before;
    return p != before;
}

}  // namespace

bool canAnimate(const Element& element) {
    if (element.typeCode() == TypeCode::Parameter) return true;
    if (element.typeCode() != TypeCode::PointOnObject || element.parents.empty() || !element.parents[0])
        return false;
    const ElementKind parent = element.parents[0]->kind();
    return parent >= ElementKind::Vector && parent <= ElementKind::Conic;
}

AnimationToggle toggleAnimation(Construction& construction, Element& element) {
    if (!canAnimate(element) || construction.indexOf(&element) < 0) return AnimationToggle::Refused;
    if (construction.animationIndexOf(&element) >= 0) {
        construction.animationRemove(&element);
        return AnimationToggle::Removed;
    }
    return construction.animationAdd(&element) ? AnimationToggle::Added : AnimationToggle::Full;
}

bool advanceAnimation(Construction& construction, double milliseconds) {
    const double s = milliseconds / kMillisecondsPerUnit;
    bool moved = false;
    for (int i = 0; i < construction.animationCount(); ++i) {
        AnimationEntry& entry = construction.animation(i);
        Element* e = entry.element;
        if (e == nullptr || !e->defined) continue;
        const double v = entry.forward ? entry.speed : -static_cast<double>(entry.speed);
        if (e->typeCode() == TypeCode::Parameter)
            moved = moveParameter(static_cast<ParameterNumber&>(*e), v, s, entry) || moved;
        else if (e->typeCode() == TypeCode::PointOnObject)
            moved = movePointOnElement(static_cast<PointOnObject&>(*e), v, s, entry) || moved;
    }
    return moved;
}

double conicAnimationLength(const Conic& conic) {
    double sum = 0.0;
    Vec3 a, b;
    for (double t = kConicChordStep; t < 0.5 - kConicChordStep; t += kConicChordStep) {
        if (conic.pointAt(t, 0.0, a) && conic.pointAt(t + kConicChordStep, 0.0, b)) sum += distance(a, b);
    }
    const double length = 2.0 * sum;
    return std::isfinite(length) ? std::min(length, kMaxConicLength) : kMaxConicLength;
}
