#include "interaction/iteration_dialog.h"

#include <algorithm>
#include <limits>

#include "elements/iteration.h"
#include "elements/point.h"
#include "interaction/construction_dialog.h"
#include "interaction/view_session.h"
#include "lang/composed_texts.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"
#include "view/label_placement.h"

namespace {

constexpr int kIterationTool = 4;
// Identifiers one set holds at most.
constexpr std::size_t kMaxSetSize = 99;
// The ordinal's corner from its point's window position.
constexpr int kOrdinalDx = 6;
constexpr int kOrdinalDy = -18;

// What each step may draw: every geometric kind but iterations.
constexpr KindSet kDrawable = kindRange(1, 17);

bool isPoint(const Element* e) {
    return e != nullptr && e->kind() == ElementKind::Point;
}

// Puts an element into a set, or takes it out when it is there already.
void toggle(std::vector<Element*>& set, Element* e) {
    const auto it = std::find(set.begin(), set.end(), e);
    if (it != set.end())
        set.erase(it);
    else if (set.size() < kMaxSetSize)
        set.push_back(e);
}

// The position of an element in a parent list, added at the end when new.
std::int32_t parentIndex(std::vector<Element*>& parents, Element* e) {
    const auto it = std::find(parents.begin(), parents.end(), e);
    if (it != parents.end()) return static_cast<std::int32_t>(it - parents.begin());
    parents.push_back(e);
    return static_cast<std::int32_t>(parents.size() - 1);
}

}  // namespace

int* IterationDialog::flag(std::string_view name) {
    if (name == "lastonly") return &lastOnly_;
    if (name == "points") return &drawPoints_;
    if (name == "iterationcolour") return &iterationColour_;
    return nullptr;
}

IterationDialog::IterationDialog(ViewSession& session)
    : session_(session), pickedIn_(session.document().sharedConstruction()) {
    sync();
}

std::string IterationDialog::title() const {
    return session_.texts().text(textid::kNounIteration);
}

std::vector<std::string> IterationDialog::fieldNames() const {
    return {"depth", "number", "lastonly", "points", "iterationcolour", "inputs", "branches", "elements"};
}

bool IterationDialog::field(std::string_view name, std::string& text) const {
    followDocument();
    if (const int* value = const_cast<IterationDialog*>(this)->flag(name))
        text = *value ? "1" : "0";
    else if (name == "depth")
        text = std::to_string(depth_);
    else if (name == "number")
        text = depthNumber_ == nullptr   ? std::string()
               : depthNumber_->hasName() ? windows1252ToUtf8(*depthNumber_->name())
                                         : composeDescription(session_.texts(), depthNumber_->typeCode());
    else if (name == "inputs")
        text = std::to_string(inputs_.size());
    else if (name == "branches")
        text = std::to_string(branches_.size());
    else if (name == "elements")
        text = std::to_string(drawn_.size());
    else
        return false;
    return true;
}

bool IterationDialog::setField(std::string_view name, std::string_view text, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    if (int* value = flag(name)) {
        if (!parseFlag(text, *value)) {
            error = "a flag is 0 or 1";
            return false;
        }
        changed();
        return true;
    }
    if (name != "depth") {
        error = name == "number" || name == "inputs" || name == "branches" || name == "elements"
                    ? "the field '" + std::string(name) + "' is chosen in the view"
                    : "the dialog has no field '" + std::string(name) + "'";
        return false;
    }
    long long value = 0;
    if (!parseWholeNumber(text, std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max(), value)) {
        error = "the number of iterations is a whole number";
        return false;
    }
    // A typed depth replaces a depth number; below 1 counts as 1.
    depth_ = static_cast<int>(std::max(1LL, value));
    depthNumber_ = nullptr;
    depthQuestion_ = false;
    sync();
    changed();
    return true;
}

bool IterationDialog::press(std::string_view button, std::string& error) {
    if (refuseWhenClosed(*this, error)) return false;
    followDocument();
    if (button == "inputs") {
        setStage(IterationStage::Inputs);
    } else if (button == "branch") {
        if (inputs_.empty()) {
            error = "the initial points come first";
            return false;
        }
        // An empty branch is the one still to be chosen.
        if (stage_ != IterationStage::Branch || !branches_.back().empty()) {
            if (branches_.size() >= static_cast<std::size_t>(kMaxIterationBranches)) {
                error = "an iteration has at most 100 branches";
                return false;
            }
            branches_.emplace_back();
        }
        setStage(IterationStage::Branch);
    } else if (button == "depth") {
        setStage(IterationStage::Elements);
    } else if (button == "ok") {
        confirm();
    } else if (button == "cancel") {
        close();
        if (session_.toolNumber() == kIterationTool) session_.setTool(kSelectionTool);
    } else {
        error = "the dialog has no button '" + std::string(button) + "'";
        return false;
    }
    return true;
}

void IterationDialog::click(Element* element) {
    if (closed_) return;
    followDocument();
    switch (stage_) {
        case IterationStage::Inputs:
            if (!isPoint(element)) return;
            toggle(inputs_, element);
            break;
        case IterationStage::Branch: {
            std::vector<Element*>& images = branches_.back();
            if (!isPoint(element)) return;
            // Each initial point has one image; a click on an image takes it back.
            if (std::find(images.begin(), images.end(), element) == images.end() &&
                images.size() >= inputs_.size())
                return;
            toggle(images, element);
            break;
        }
        case IterationStage::Elements:
            if (element == nullptr) {
                depthQuestion_ = true;
            } else if (element->kind() == ElementKind::Number) {
                depthNumber_ = depthNumber_ == element ? nullptr : element;
            } else if (kDrawable.contains(element->kind())) {
                toggle(drawn_, element);
            } else {
                return;
            }
            break;
    }
    sync();
    changed();
}

bool IterationDialog::takeDepthQuestion() {
    const bool asked = depthQuestion_;
    depthQuestion_ = false;
    return asked;
}

std::string IterationDialog::prompt(const TextTable& texts) const {
    followDocument();
    std::string hint;
    switch (stage_) {
        case IterationStage::Inputs:
            hint = texts.text(textid::kIterationInputsHint);
            break;
        case IterationStage::Branch: {
            const std::string branch =
                texts.text(textid::kIterationBranch) + " " + std::to_string(branches_.size());
            const std::size_t chosen = branches_.back().size();
            hint = chosen < inputs_.size() ? texts.text(textid::kIterationImageOf) + " " +
                                                 std::to_string(chosen + 1) + ", " + branch
                                           : branch;
            break;
        }
        case IterationStage::Elements:
            hint = texts.text(textid::kIterationElementsHint);
            break;
    }
    return texts.text(textid::kNounIteration) + " (" + hint + ")";
}

std::vector<IterationOrdinal> IterationDialog::ordinals() const {
    std::vector<IterationOrdinal> shown;
    followDocument();
    const std::vector<Element*>* set = currentSet();
    if (closed_ || stage_ == IterationStage::Elements || set == nullptr) return shown;
    const std::string mark = stage_ == IterationStage::Branch ? "'" : "";
    const Document& document = session_.document();
    for (std::size_t k = 0; k < set->size(); ++k) {
        const Element* point = (*set)[k];
        if (!isDefined(point)) continue;
        const LabelPlacement at = placeLabel(document.view, session_.viewport(), positionOf(point));
        if (!at.visible) continue;
        shown.push_back({{static_cast<std::int32_t>(at.windowX) + kOrdinalDx,
                          static_cast<std::int32_t>(at.windowY) + kOrdinalDy},
                         std::to_string(k + 1) + mark});
    }
    return shown;
}

void IterationDialog::abandon() {
    if (!closed_) close();
}

void IterationDialog::followDocument() const {
    const std::shared_ptr<Construction>& shown = session_.document().sharedConstruction();
    if (shown == pickedIn_) return;
    pickedIn_ = shown;
    inputs_.clear();
    for (std::vector<Element*>& images : branches_) images.clear();
    drawn_.clear();
    depthNumber_ = nullptr;
}

void IterationDialog::setStage(IterationStage stage) {
    stage_ = stage;
    sync();
    changed();
}

std::vector<Element*>* IterationDialog::currentSet() {
    switch (stage_) {
        case IterationStage::Inputs:
            return &inputs_;
        case IterationStage::Branch:
            return branches_.empty() ? nullptr : &branches_.back();
        case IterationStage::Elements:
            return &drawn_;
    }
    return nullptr;
}

const std::vector<Element*>* IterationDialog::currentSet() const {
    return const_cast<IterationDialog*>(this)->currentSet();
}

void IterationDialog::sync() {
    if (closed_ || session_.toolNumber() != kIterationTool) return;
    const std::vector<Element*>* set = currentSet();
    session_.pickList_ = set ? *set : std::vector<Element*>{};
    if (stage_ == IterationStage::Elements && depthNumber_ != nullptr)
        session_.pickList_.push_back(depthNumber_);
    session_.pickCount_ = static_cast<int>(session_.pickList_.size());
    const bool elements = stage_ == IterationStage::Elements;
    session_.setAccepted(elements ? kDrawable | kNumbers : kPoints);
    session_.pickFigureParts_ = elements;
    session_.pickCoordinateParts_ = elements;
    session_.redraw_ = true;
}

void IterationDialog::changed() {
    session_.redraw_ = true;
    if (onChange) onChange();
}

void IterationDialog::close() {
    closed_ = true;
    changed();
}

void IterationDialog::confirm() {
    const bool complete =
        !inputs_.empty() && !branches_.empty() &&
        std::all_of(branches_.begin(), branches_.end(),
                    [this](const std::vector<Element*>& images) { return images.size() == inputs_.size(); });
    if (!complete) {
        session_.host_.message(textid::kIterationIncomplete, MessageIcon::Warning);
        return;
    }
    // The initial points, then each branch's images (an image may be an initial
    // point), then what each step draws, and the depth number last.
    std::vector<Element*> parents = inputs_;
    std::vector<std::vector<std::int32_t>> table(inputs_.size());
    for (const std::vector<Element*>& images : branches_)
        for (std::size_t i = 0; i < images.size(); ++i) table[i].push_back(parentIndex(parents, images[i]));
    for (Element* e : drawn_) parentIndex(parents, e);
    if (depthNumber_ != nullptr) parents.push_back(depthNumber_);

    ElementPtr made = session_.makeToolElement(TypeCode::Iteration, parents);
    closed_ = true;
    if (made) {
        auto& iteration = static_cast<Iteration&>(*made);
        iteration.depth = std::max(1, depth_);
        iteration.useDepthNumber = depthNumber_ != nullptr ? 1 : 0;
        iteration.lastOnly = lastOnly_;
        iteration.drawPoints = drawPoints_;
        iteration.useIterationColour = iterationColour_;
        iteration.branchCount = static_cast<std::int32_t>(branches_.size());
        iteration.inputCount = static_cast<std::int32_t>(inputs_.size());
        iteration.imageTable = std::move(table);
        std::vector<ElementPtr> all;
        all.push_back(std::move(made));
        session_.commitAll(std::move(all));
    }
    session_.setTool(kSelectionTool);
    changed();
}

IterationDialog* openIterationDialog(ViewSession& session) {
    return dynamic_cast<IterationDialog*>(session.openDialog());
}

// ---- the iteration tool of the view

void ViewSession::keepIterationDialogWithTool(bool fromCommand) {
    auto* open = dialog_ && !dialog_->closed() ? dynamic_cast<IterationDialog*>(dialog_.get()) : nullptr;
    if (toolNumber_ != kIterationTool) {
        if (open) open->abandon();
        return;
    }
    if (!fromCommand) return;
    // Chosen afresh, the tool starts with empty sets.
    if (open) open->abandon();
    openDialog(std::make_unique<IterationDialog>(*this));
}

void ViewSession::iterationClick() {
    IterationDialog* open = openIterationDialog(*this);
    if (open == nullptr) return;
    const bool onElement = hover_.hovered && hover_.hoveredElement && !hover_.isCandidate();
    open->click(onElement ? hover_.hoveredElement : nullptr);
}
