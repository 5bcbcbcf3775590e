#include "interaction/macro_tools.h"

#include <algorithm>

#include "interaction/macro_dialog.h"
#include "interaction/view_session.h"
#include "lang/composed_texts.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"

// The macro tools: picking the initial and final elements of a new macro,
// making it, and applying a macro to the elements clicked one by one.

namespace {

// Whether an element is built from the initial elements alone, which is what
// a macro can rebuild from them.
bool derivedFromInitials(Construction& c, std::span<Element* const> initial, const Element& element) {
    std::vector<Element*> derived(initial.begin(), initial.end());
    c.derivedFrom(derived);
    const bool derivedOne = element.mark != 0;
    c.clearMarks();
    return derivedOne;
}

}  // namespace

std::string storedMacroText(std::string_view utf8) {
    std::string stored;
    for (;;) {
        const Windows1252Text converted = utf8ToWindows1252(utf8);
        if (converted.ok()) return stored + converted.bytes;
        stored += utf8ToWindows1252(utf8.substr(0, converted.refusedAt)).bytes;
        stored += '?';
        std::size_t end = converted.refusedAt + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        utf8.remove_prefix(std::min(end, utf8.size()));
    }
}

void ViewSession::openMacroDialog() {
    // The picks of a macro being made or applied are kept; otherwise the
    // dialog opens over the apply tool with no macro to apply.
    const bool macroTool = toolNumber_ >= kApplyMacroTool && toolNumber_ <= kMacroFinalTool;
    if (!macroTool) {
        macros_.applying.reset();
        setTool(kApplyMacroTool);
    }
    if (auto* open = dynamic_cast<MacroDialog*>(openDialog())) {
        host_.showDialog(*open);
        return;
    }
    openDialog(std::make_unique<MacroDialog>(*this, host_));
}

std::span<Element* const> ViewSession::macroPicks(bool finals) {
    if (macros_.pickedIn != document_.sharedConstruction()) {
        macros_.pickedIn = document_.sharedConstruction();
        macros_.initial.clear();
        macros_.finals.clear();
    }
    return finals ? macros_.finals : macros_.initial;
}

void ViewSession::pickMacroElements(bool finals) {
    setTool(finals ? kMacroFinalTool : kMacroInitialTool);
}

void ViewSession::keepMacroPicksWithTool(bool fromCommand) {
    if (toolNumber_ == kMacroInitialTool || toolNumber_ == kMacroFinalTool) {
        const std::span<Element* const> picks = macroPicks(toolNumber_ == kMacroFinalTool);
        pickList_.assign(picks.begin(), picks.end());
        pickCount_ = static_cast<int>(pickList_.size());
        return;
    }
    if (toolNumber_ != kApplyMacroTool) {
        if (fromCommand) macros_.applying.reset();
        return;
    }
    const bool picking = macros_.applying && !macros_.applying->initialKinds.empty();
    setAccepted(picking ? kindBit(macros_.applying->initialKinds.front()) : kNoKinds);
}

void ViewSession::macroToggle() {
    Element* element = hover_.hovered && !hover_.isCandidate() ? hover_.hoveredElement : nullptr;
    if (element == nullptr || !acceptsKind(*element) || document_.construction().indexOf(element) < 0) return;
    const bool finals = toolNumber_ == kMacroFinalTool;
    macroPicks(finals);
    std::vector<Element*>& list = finals ? macros_.finals : macros_.initial;
    const auto found = std::find(list.begin(), list.end(), element);
    if (found != list.end()) {
        list.erase(found);
    } else if (finals && !derivedFromInitials(document_.construction(), macros_.initial, *element)) {
        host_.message(textid::kMacroFinalNotDependent, MessageIcon::Warning);
        return;
    } else {
        list.push_back(element);
    }
    pickList_ = list;
    pickCount_ = static_cast<int>(list.size());
    redraw_ = true;
}

MacroMade ViewSession::makeMacroFromPicks() {
    const std::span<Element* const> initial = macroPicks(false);
    const std::span<Element* const> finals = macroPicks(true);
    if (initial.empty() || finals.empty()) return MacroMade::NothingPicked;
    const std::optional<std::string> typed = host_.askText(textid::kMacroNamePrompt);
    if (!typed) return MacroMade::Cancelled;
    std::string name = storedMacroText(*typed);
    if (name.empty()) {
        host_.message(textid::kMacroNameEmpty, MessageIcon::Warning);
        return MacroMade::EmptyName;
    }
    Macro macro = makeMacro(document_.construction(), initial, finals, std::move(name));
    macros_.initial.clear();
    macros_.finals.clear();
    const bool added = addMacro(document_, std::move(macro));
    setTool(kApplyMacroTool);
    host_.constructionChanged();
    return added ? MacroMade::Made : MacroMade::ListFull;
}

bool ViewSession::applyMacroTool(int index) {
    if (index < 0 || index >= static_cast<int>(document_.macros.size())) return false;
    macros_.applying = copyMacro(document_.macros[static_cast<std::size_t>(index)]);
    setTool(kApplyMacroTool, false);
    // A macro that starts from nothing is applied at once.
    if (macros_.applying->initialKinds.empty()) macroPicked();
    return true;
}

void ViewSession::macroPicked() {
    if (!macros_.applying) return;
    const Macro& macro = *macros_.applying;
    const std::size_t needed = macro.initialKinds.size();
    if (static_cast<std::size_t>(pickCount_) < needed) {
        setAccepted(kindBit(macro.initialKinds[static_cast<std::size_t>(pickCount_)]));
        return;
    }
    const std::vector<Element*> picked = std::move(pickList_);
    pickList_.clear();
    std::vector<ElementPtr> pending = std::move(temporaries_);
    temporaries_.clear();
    hover_.reset();
    const bool applied = applyMacro(document_, macro, picked, std::move(pending), macros_.hideIntermediates);
    restartTool();
    if (applied) host_.constructionChanged();
}

std::string ViewSession::macroStatus(const TextTable& texts) const {
    const Macro& macro = *macros_.applying;
    const auto next = static_cast<std::size_t>(pickCount_);
    if (next >= macro.initialKinds.size()) return composeToolPrompt(texts, toolNumber_);
    const int kindText = kindNameTextId(static_cast<int>(macro.initialKinds[next]));
    return windows1252ToUtf8(macro.name) + " -> " + texts.text(kindText) + "?";
}
