#include <array>
#include <string>

#include "expr/coordinates.h"
#include "expr/number_element.h"
#include "interaction/view_session.h"
#include "model/selection_commands.h"
#include "view/camera_controls.h"

namespace {

constexpr int kCommandErase = 57632;
constexpr int kCommandCopy = 57634;
constexpr int kCommandCut = 57635;
constexpr int kCommandPaste = 57637;
constexpr int kCommandSelectAll = 57642;
constexpr int kCommandUndo = 57643;
constexpr int kCommandRedo = 57644;
constexpr int kCommandDeleteElement = 5940;
constexpr int kCommandHideShow = 5945;
constexpr int kCommandRepresentPoints = 5011;
constexpr int kCommandCentralProjection = 32809;
constexpr int kCommandParallelProjection = 32810;
constexpr int kCommandColour = 32828;
constexpr int kCommandSizeFirst = 32830;  // "t1" … "t5": size index 0 … 4
constexpr int kCommandSizeLast = 32834;
constexpr int kCommandShapeSolid = 32835;  // "f1": shape 0
constexpr int kCommandShapeFlat = 32836;   // "f2": shape 1
constexpr int kCommandStepByStep = 32818;
constexpr int kCommandAnimation = 5095;
constexpr int kCommandMacroOptions = 5300;

constexpr int kToolDeleteElement = 51;
constexpr int kToolHideShow = 52;

struct SelectGroupItem {
    int command;
    ElementKind kind;
};

// The SelectGroup sub-menu in its order.
constexpr std::array<SelectGroupItem, 21> kSelectGroupItems = {{
    {32839, ElementKind::Point},
    {32840, ElementKind::Segment},
    {32841, ElementKind::Vector},
    {32842, ElementKind::Line},
    {32843, ElementKind::Ray},
    {32844, ElementKind::Circle},
    {32845, ElementKind::Arc},
    {32856, ElementKind::Conic},
    {32852, ElementKind::Plane},
    {32846, ElementKind::Polygon},
    {32853, ElementKind::RegularPolygon},
    {32854, ElementKind::RegularPolyhedron},
    {32847, ElementKind::Sphere},
    {32857, ElementKind::Cylinder},
    {32858, ElementKind::Cone},
    {32848, ElementKind::Curve},
    {32849, ElementKind::Surface},
    {32855, ElementKind::Iteration},
    {32850, ElementKind::Number},
    {32851, ElementKind::Coordinates},
    {32859, ElementKind::Text},
}};

const SelectGroupItem* selectGroupItem(int command) {
    for (const SelectGroupItem& item : kSelectGroupItems)
        if (item.command == command) return &item;
    return nullptr;
}

bool isStyleCommand(int command) {
    return command == kCommandColour || (command >= kCommandSizeFirst && command <= kCommandShapeFlat);
}

// The system clipboard's text on Copy: one line per selected, defined number
// (its value with its decimals) or coordinates element (its three values
// separated by two blanks), each ended by a carriage return.
std::string numbersText(const Construction& c, const std::string& undefinedText) {
    std::string text;
    c.forEachTopLevel([&text, &undefinedText](const Element& e) {
        if (!e.selected || !e.defined) return;
        if (e.kind() == ElementKind::Number) {
            text += static_cast<const NumberElement&>(e).valueText(undefinedText);
            text += '\r';
        } else if (e.kind() == ElementKind::Coordinates) {
            const auto parts = static_cast<const Coordinates&>(e).parts();
            if (parts.size() != 3) return;
            for (std::size_t i = 0; i < parts.size(); ++i) {
                if (i > 0) text += "  ";
                text += parts[i]->valueText(undefinedText);
            }
            text += '\r';
        }
    });
    return text;
}

}  // namespace

bool ViewSession::command(int commandId) {
    Construction& c = document_.construction();
    if (const SelectGroupItem* item = selectGroupItem(commandId)) {
        setTool(0);
        c.setSelectedAll(0, false);
        c.forEachTopLevel([&](Element& e) {
            if (e.kind() == item->kind && c.isListed(e, showHidden_)) e.selected = 1;
        });
        redraw_ = true;
        host_.constructionChanged();
        return true;
    }
    if (isStyleCommand(commandId)) {
        if (c.selectedCount() == 0) return true;
        bool changed = false;
        if (commandId == kCommandColour) {
            const std::optional<std::uint32_t> colour = host_.askColour(c.firstSelected()->colour);
            changed = colour && setColourOfSelected(document_, *colour);
        } else if (commandId <= kCommandSizeLast) {
            changed = setSizeOfSelected(document_, commandId - kCommandSizeFirst);
        } else {
            changed = setShapeOfSelected(document_, commandId == kCommandShapeSolid ? 0 : 1);
        }
        if (changed) constructionReplaced();
        return true;
    }
    if (commandId == kCommandRepresentPoints) {
        openCoordinatesDialog(nullptr);
        return true;
    }
    switch (commandId) {
        case kCommandSelectAll:
            setTool(0);
            c.setSelectedAll(1, false);
            redraw_ = true;
            host_.constructionChanged();
            return true;
        case kCommandErase:
            if (eraseSelected(document_)) constructionReplaced();
            return true;
        case kCommandDeleteElement:
            setTool(kToolDeleteElement);
            return true;
        case kCommandHideShow:
            if (c.selectedCount() == 0)
                setTool(kToolHideShow);
            else if (toggleVisibleOfSelected(document_))
                constructionReplaced();
            return true;
        case kCommandCopy:
        case kCommandCut: {
            const std::string text = numbersText(c, screenTexts_.undefinedValueText);
            if (!text.empty()) host_.setClipboardText(text);
            if (commandId == kCommandCopy)
                clipboard_.copyFrom(document_);
            else if (clipboard_.cutFrom(document_))
                constructionReplaced();
            return true;
        }
        case kCommandPaste:
            if (clipboard_.pasteInto(document_)) constructionReplaced();
            return true;
        case kCommandUndo:
        case kCommandRedo: {
            if (toolNumber_ != 0) {
                const bool hadPicks = pickCount_ > 0;
                setTool(0);
                if (hadPicks) return true;
            }
            if (!(commandId == kCommandUndo ? document_.undo() : document_.redo())) return true;
            // The selection is not part of a recorded state: the state returned
            // to shows none, whatever was selected when it was left.
            document_.construction().setSelectedAll(0, false);
            constructionReplaced();
            return true;
        }
        case kCommandStepByStep:
            openStepDisplay(stepDisplayStartsAtLast_);
            return true;
        case kCommandAnimation:
            openAnimationWindow();
            return true;
        case kCommandMacroOptions:
            openMacroDialog();
            return true;
        case kCommandCentralProjection:
        case kCommandParallelProjection:
            document_.view.projection = commandId == kCommandParallelProjection ? 1 : 0;
            document_.modified = true;
            redraw_ = true;
            host_.constructionChanged();
            return true;
        default:
            break;
    }
    if (applyStandardView(document_, commandId)) {
        redraw_ = true;
        host_.constructionChanged();
        return true;
    }
    return false;
}

bool ViewSession::commandEnabled(int commandId) const {
    const Construction& c = document_.construction();
    if (const SelectGroupItem* item = selectGroupItem(commandId))
        return c.hasSelectableOfKind(item->kind, showHidden_);
    if (isStyleCommand(commandId)) return c.selectedCount() > 0;
    switch (commandId) {
        case kCommandSelectAll:
            return !c.empty();
        case kCommandErase:
        case kCommandCopy:
        case kCommandCut:
            return c.selectedCount() > 0;
        case kCommandPaste:
            return !clipboard_.empty();
        case kCommandUndo:
            return document_.canUndo();
        case kCommandRedo:
            return document_.canRedo();
        case kCommandDeleteElement:
        case kCommandHideShow:
        case kCommandRepresentPoints:
        case kCommandStepByStep:
        case kCommandAnimation:
        case kCommandMacroOptions:
        case kCommandCentralProjection:
        case kCommandParallelProjection:
            return true;
        default:
            return commandId >= kCommandCentreView && commandId <= kCommandYzDown;
    }
}

bool ViewSession::selectListed(std::span<Element* const> elements) {
    if (toolNumber_ != kSelectionTool) return false;
    Construction& construction = document_.construction();
    construction.forEach([](Element& e) { e.selected = 0; });
    for (Element* e : elements)
        if (construction.indexOf(e) >= 0) e->selected = 1;
    redraw_ = true;
    return true;
}
