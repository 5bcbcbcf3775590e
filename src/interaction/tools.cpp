#include <algorithm>

#include "elements/regular_solids.h"
#include "interaction/iteration_dialog.h"
#include "interaction/tool_steps.h"
#include "interaction/view_session.h"
#include "lang/composed_texts.h"

// The tool state machine: choosing a tool, what it lets picking see, counting
// the picks of a click and handing them to the tool's step.

namespace {

// Tools that never put a point on the element under the cursor.
bool refusesPointsOnElements(int tool) {
    switch (tool) {
        case 2:
        case 3:
        case 4:
        case 25:
        case 32:
        case 37:
        case 38:
        case 39:
        case 42:
        case 49:
            return true;
        default:
            return false;
    }
}

// Transformations stop taking the selection at this many objects.
constexpr std::size_t kMaxTakenObjects = 9998;
constexpr int kPolygonTool = 19;
constexpr int kFreePointTool = 5;
constexpr int kRedefineTool = 7;

bool isRegularFigure(const Element& e) {
    return e.kind() == ElementKind::RegularPolygon || e.kind() == ElementKind::RegularPolyhedron;
}

std::span<Element* const> figureParts(const Element& e) {
    if (e.kind() == ElementKind::RegularPolygon) return static_cast<const RegularPolygon&>(e).parts();
    if (e.kind() == ElementKind::RegularPolyhedron) return static_cast<const RegularPolyhedron&>(e).parts();
    return {};
}

}  // namespace

const ToolRow& ViewSession::currentTool() const {
    const ToolRow* row = toolRow(toolNumber_);
    return row ? *row : *toolRow(kSelectionTool);
}

void ViewSession::setAccepted(KindSet kinds) {
    for (int k = 0; k <= kKindCount; ++k)
        acceptTable_[static_cast<std::size_t>(k)] = hasKind(kinds, static_cast<ElementKind>(k));
}

bool ViewSession::acceptsKind(const Element& element) const {
    const int k = static_cast<int>(element.kind());
    return k >= 1 && k <= kKindCount && acceptTable_[static_cast<std::size_t>(k)];
}

void ViewSession::setTool(int toolNumber, bool fromCommand) {
    const ToolRow* row = toolRow(toolNumber);
    if (row == nullptr) return;
    clearTemporaries();
    // The 3-D mouse position starts again; a tool chosen afresh also leaves
    // the height a vertical move gave it.
    mousePoint_.x = 0.0;
    mousePoint_.y = 0.0;
    if (fromCommand) mousePoint_.z = 0.0;
    mousePointValid_ = false;
    toolNumber_ = toolNumber;
    pickCount_ = 0;
    pickList_.clear();
    sourceCount_ = 0;
    hover_.reset();
    setAccepted(row->acceptedAtStart);
    pickCoordinateParts_ = row->coordinateParts;
    pickFigureParts_ = row->figureParts;
    if (row->action == ToolAction::Transformation)
        takeOverSelection();
    else
        document_.construction().setSelectedAll(0, false);
    if (toolNumber != kSelectionTool) document_.view.autoRotate = 0;
    redraw_ = true;
    keepCalculatorWithTool();
    keepIterationDialogWithTool(fromCommand);
    keepMacroPicksWithTool(fromCommand);
    host_.toolChanged(toolNumber);
}

void ViewSession::takeOverSelection() {
    Construction& c = document_.construction();
    std::vector<Element*> taken;
    // A selected regular figure hands its selection to the parts after it.
    int figureEnd = 0;
    for (int i = 0; i < c.count(); ++i) {
        Element& e = *c.at(i);
        const bool inSelectedFigure = i < figureEnd;
        if (e.selected && isRegularFigure(e)) figureEnd = std::max(figureEnd, c.groupEnd(i));
        if ((e.selected || inSelectedFigure) && acceptsKind(e) && taken.size() < kMaxTakenObjects)
            taken.push_back(&e);
    }
    c.setSelectedAll(0, false);
    if (taken.empty()) return;
    pickList_ = std::move(taken);
    sourceCount_ = static_cast<int>(pickList_.size());
    pickCount_ = 1;
    setAccepted(currentTool().after[0]);
}

void ViewSession::restartTool() {
    setTool(toolNumber_, false);
}

bool ViewSession::canMakePoints() const {
    const int t = toolNumber_;
    if (t == kFreePointTool) return true;
    if (t == kRedefineTool) return pickCount_ >= 1;
    if (t == kApplyMacroTool) return acceptTable_[static_cast<std::size_t>(ElementKind::Point)];
    const bool pointTool = (t >= 10 && t <= 16) || (t >= 18 && t <= 24) || t == 26 || (t >= 28 && t <= 31);
    return pointTool && acceptTable_[static_cast<std::size_t>(ElementKind::Point)];
}

bool ViewSession::acceptsPointOnElement(const Element& element) const {
    const int t = toolNumber_;
    if (refusesPointsOnElements(t) || (t == kRedefineTool && pickCount_ == 0)) return false;
    if (!hasKind(kPointCarriers, element.kind())) return false;
    if (t == kFreePointTool) return true;
    // A tool that takes points but not this element itself takes a point on it
    // (which covers the tools that take points and nothing else).
    return acceptTable_[static_cast<std::size_t>(ElementKind::Point)] && !acceptsKind(element);
}

PickRules ViewSession::pickRules() const {
    PickRules rules;
    rules.toolNumber = toolNumber_;
    rules.acceptTable = acceptTable_;
    rules.pickCoordinateParts = pickCoordinateParts_;
    rules.pickFigureParts = pickFigureParts_;
    rules.canMakePoints = canMakePoints();
    rules.showHidden = showHidden_;
    rules.acceptsPointOnElement = [this](const Element& e) { return acceptsPointOnElement(e); };
    if (toolNumber_ == kPolygonTool && pickCount_ > 2) rules.closingPicks = pickList_;
    return rules;
}

std::string ViewSession::statusText(const TextTable& texts) const {
    std::string text = composeToolPrompt(texts, toolNumber_);
    if (const auto* iteration = dynamic_cast<const IterationDialog*>(dialog_.get());
        iteration && !iteration->closed())
        text = iteration->prompt(texts);
    if (hover_.hovered && hover_.hoveredElement)
        text += " : [" + composeDescription(texts, hover_.hoveredElement->typeCode()) + "]";
    else if (toolNumber_ == kApplyMacroTool && macros_.applying)
        text = macroStatus(texts);
    return text;
}

ToolCursor ViewSession::cursor() const {
    if (dragging_) return ToolCursor::Drag;
    // A camera gesture shows its own cursor while it runs, whatever the tool.
    if (gestureRan_ && mouse_.buttonsHeld()) {
        switch (mouse_.gesture()) {
            case kGesturePan:
                return ToolCursor::Pan;
            case kGestureZoom:
                return ToolCursor::Zoom;
            case kGestureRotate:
                return ToolCursor::Rotate;
            default:
                break;
        }
    }
    if (toolNumber_ == kApplyMacroTool && macros_.applying) return ToolCursor::Drawing;
    return currentTool().cursor;
}

std::vector<Element*> ViewSession::highlighted() const {
    std::vector<Element*> shown(pickList_.begin(), pickList_.end());
    for (const ElementPtr& t : temporaries_)
        if (std::find(shown.begin(), shown.end(), t.get()) == shown.end()) shown.push_back(t.get());
    for (const Element* pick : pickList_) {
        const std::span<Element* const> parts = figureParts(*pick);
        shown.insert(shown.end(), parts.begin(), parts.end());
    }
    return shown;
}

void ViewSession::clearTemporaries() {
    temporaries_.clear();
}

void ViewSession::click(int x, int y, SessionKeys keys) {
    const ToolRow& row = currentTool();
    ToolSteps steps(*this);
    switch (row.action) {
        case ToolAction::None:
        case ToolAction::Later:
            return;
        case ToolAction::FreePoint:
            steps.freePoint(x, y);
            return;
        case ToolAction::Calculator:
            calculatorClick();
            return;
        case ToolAction::Text:
            openTextDialog(x, y, nullptr);
            return;
        case ToolAction::Coordinates:
        case ToolAction::Edit:
        case ToolAction::Delete:
        case ToolAction::HideShow:
            steps.oneElement(row.action, x, y);
            return;
        case ToolAction::Animate:
            animateClick();
            return;
        case ToolAction::MacroInitial:
        case ToolAction::MacroFinal:
            macroToggle();
            return;
        case ToolAction::Iterate:
            iterationClick();
            return;
        case ToolAction::Redefine:
            if (pickCount_ >= 1) {
                steps.redefine(x, y);
                return;
            }
            break;
        default:
            break;
    }

    Element* picked = nullptr;
    if (canMakePoints() && toolNumber_ != kFreePointTool && toolNumber_ != kRedefineTool)
        picked = makeImplicitPoint(x, y);
    if (picked == nullptr && hover_.hovered && hover_.hoveredElement && acceptsKind(*hover_.hoveredElement))
        picked = hover_.hoveredElement;
    if (picked == nullptr) return;
    if (std::find(pickList_.begin(), pickList_.end(), picked) != pickList_.end()) {
        if (toolNumber_ == kPolygonTool && pickCount_ > 2) steps.closePolygon();
        return;
    }
    pickList_.push_back(picked);
    ++pickCount_;
    redraw_ = true;
    if (row.action == ToolAction::MacroApply) {
        macroPicked();
        return;
    }
    steps.afterPick(picked, x, y, keys);
}
