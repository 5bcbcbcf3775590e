#include "lang/composed_texts.h"

#include <algorithm>
#include <string_view>

#include "lang/text_ids.h"

namespace {

using namespace textid;

constexpr Composition single(int key, int text) {
    return {key, composeSingle(text)};
}
constexpr Composition paren(int key, int text, int detail) {
    return {key, composeParenthesised(text, detail)};
}

// The prompt of each tool: its name and, in parentheses, what it waits for.
constexpr Composition kToolPrompts[] = {
    single(0, kToolSelect),
    paren(1, kNounMacro, kHintApplyMacro),
    paren(2, kNounMacro, kHintInitialElements),
    paren(3, kNounMacro, kHintFinalElements),
    paren(4, kNounIteration, kHintIterate),
    paren(5, kToolFreePoint, kHintFreePoint),
    paren(6, kToolIntersectionPoint, kHintTwoObjects),
    paren(7, kToolRedefinePoint, kHintRedefine),
    single(8, kToolRepresentPoints),
    paren(9, kToolPointByCoordinates, kHintThreeNumbers),
    paren(10, kToolVector, kHintStartEnd),
    paren(11, kToolSegment, kHintTwoPoints),
    paren(12, kToolLine, kHintTwoPoints),
    paren(13, kToolRay, kHintOriginThrough),
    paren(14, kToolCircle, kHintCircle),
    paren(15, kToolArc, kHintThreePoints),
    paren(16, kToolConic, kHintFivePoints),
    paren(17, kToolIntersectionLine, kHintIntersectionLine),
    paren(18, kToolPlane, kHintThreePoints),
    paren(19, kToolPolygon, kHintPolygon),
    paren(20, kToolRegularPolygon, kHintPointAxis),
    paren(21, kToolSphere, kHintCentrePoint),
    paren(22, kToolCylinder, kHintPointAxis),
    paren(23, kToolCone, kHintCone),
    paren(24, kToolRegularPolyhedron, kHintPointAxis),
    paren(25, kToolLocus, kHintLocus),
    paren(26, kToolMidpoint, kHintTwoPoints),
    paren(27, kToolCentre, kHintCentre),
    paren(28, kToolMediatorPlane, kHintTwoPoints),
    paren(29, kToolParallel, kHintReferencePoint),
    paren(30, kToolPerpendicular, kHintReferencePoint),
    paren(31, kToolSumVector, kHintSum),
    paren(32, kToolCentralSymmetry, kHintObjectCentre),
    paren(33, kToolAxialSymmetry, kHintObjectAxis),
    paren(34, kToolPlaneSymmetry, kHintObjectPlane),
    paren(35, kToolTranslation, kHintObjectVector),
    paren(36, kToolRotation, kHintObjectAxisAngle),
    paren(37, kToolDisplacedPoint, kHintDisplaced),
    paren(38, kToolLength, kHintLength),
    paren(39, kToolAngle, kHintAngle),
    paren(40, kToolArea, kHintArea),
    paren(41, kToolVolume, kHintVolume),
    paren(42, kToolCoordinates, kHintOnePoint),
    paren(43, kToolCalculate, kHintNumbers),
    paren(44, kToolParameter, kHintNumbers),
    paren(45, kToolText, kHintPosition),
    single(46, kItemMoveScreen),
    single(47, kItemZoom),
    single(48, kItemRotateView),
    paren(49, kItemAnimation, kHintAnimation),
    paren(50, kToolEditElement, kHintOneElement),
    paren(51, kToolDeleteElement, kHintOneElement),
    paren(52, kToolHideShow, kHintOneElement),
};

// Kind 0 names nothing.
constexpr int kKindNames[] = {0,
                              kKindPoint,
                              kKindVector,
                              kKindSegment,
                              kKindLine,
                              kKindRay,
                              kKindCircle,
                              kKindArc,
                              kKindConic,
                              kKindPlane,
                              kKindPolygon,
                              kKindRegularPolygon,
                              kKindRegularPolyhedron,
                              kKindSphere,
                              kKindCylinder,
                              kKindCone,
                              kKindCurve,
                              kKindSurface,
                              kKindNumber,
                              kKindCoordinates,
                              kKindIteration,
                              kKindText};

std::string_view punctuation(int part) {
    switch (part) {
        case kPartOpen:
            return " (";
        case kPartClose:
            return ")";
        case kPartColon:
            return ": ";
        default:
            return {};
    }
}

}  // namespace

std::span<const Composition> toolPromptCompositions() {
    return kToolPrompts;
}

const Composition* findComposition(std::span<const Composition> rows, int key) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [key](const Composition& row) { return row.key == key; });
    return it == rows.end() ? nullptr : &*it;
}

std::string compose(const TextTable& texts, const CompositionParts& parts) {
    std::string out;
    for (const int part : parts) {
        if (part == 0) break;
        if (part > 0) {
            out += texts.text(part);
        } else {
            out += punctuation(part);
        }
    }
    return out;
}

std::string composeToolPrompt(const TextTable& texts, int toolNumber) {
    const Composition* row = findComposition(kToolPrompts, toolNumber);
    return row ? compose(texts, row->parts) : std::string();
}

int kindNameTextId(int kind) {
    if (kind < 1 || kind >= static_cast<int>(std::size(kKindNames))) return 0;
    return kKindNames[kind];
}
