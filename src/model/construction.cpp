#include "model/construction.h"

#include <algorithm>

#include "lang/text_encoding.h"
#include "model/canvas.h"

Construction::Construction() = default;
Construction::~Construction() = default;

// ---- the list

Element* Construction::append(ElementPtr element) {
    Element* raw = element.get();
    raw->listIndex_ = count();
    elements_.push_back(std::move(element));
    return raw;
}

Element* Construction::appendOn(ElementPtr element, std::span<Element* const> parents) {
    const TypeCodeInfo* row = element ? typeCodeInfo(element->typeCode()) : nullptr;
    if (row == nullptr || element->parents.size() != parents.size()) return nullptr;
    std::vector<ElementKind> kinds;
    kinds.reserve(parents.size());
    for (const Element* p : parents) {
        if (indexOf(p) < 0) return nullptr;
        kinds.push_back(p->kind());
    }
    if (!acceptsParents(*row, kinds)) return nullptr;
    std::copy(parents.begin(), parents.end(), element->parents.begin());
    return append(std::move(element));
}

Element* Construction::appendOn(ElementPtr element, std::initializer_list<Element*> parents) {
    return appendOn(std::move(element), std::span<Element* const>(parents.begin(), parents.size()));
}

void Construction::appendAll(Construction& other) {
    const std::size_t start = elements_.size();
    for (ElementPtr& e : other.elements_) elements_.push_back(std::move(e));
    other.elements_.clear();
    other.animations_.clear();
    reindexFrom(start);
}

Element* Construction::first() const {
    return elements_.empty() ? nullptr : elements_.front().get();
}

Element* Construction::last() const {
    return elements_.empty() ? nullptr : elements_.back().get();
}

Element* Construction::at(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return elements_[static_cast<std::size_t>(index)].get();
}

int Construction::indexOf(const Element* element) const {
    if (element == nullptr) return -1;
    const int i = element->listIndex_;
    return (i >= 0 && i < count() && elements_[static_cast<std::size_t>(i)].get() == element) ? i : -1;
}

Element* Construction::next(const Element* element) const {
    const int i = indexOf(element);
    return i < 0 ? nullptr : at(i + 1);
}

Element* Construction::predecessor(const Element* element) const {
    const int i = indexOf(element);
    return i <= 0 ? nullptr : at(i - 1);
}

void Construction::moveToEnd(Element* element) {
    const int i = indexOf(element);
    if (i < 0 || i == count() - 1) return;
    std::rotate(elements_.begin() + i, elements_.begin() + i + 1, elements_.end());
    reindexFrom(static_cast<std::size_t>(i));
}

void Construction::moveMarkedToEnd() {
    std::stable_partition(elements_.begin(), elements_.end(),
                          [](const ElementPtr& e) { return e->mark == 0; });
    for (ElementPtr& e : elements_) e->mark = 0;
    reindexFrom(0);
}

Element* Construction::findByKey(int key, bool renumberFirst) {
    if (renumberFirst) renumber();
    for (const ElementPtr& e : elements_)
        if (e->key == key) return e.get();
    return nullptr;
}

void Construction::renumber() {
    for (std::size_t i = 0; i < elements_.size(); ++i) elements_[i]->key = static_cast<std::int32_t>(i);
}

void Construction::storeParentKeys() {
    renumber();
    for (const ElementPtr& e : elements_)
        for (std::size_t i = 0; i < e->parents.size(); ++i)
            e->parentKeys[i] = e->parents[i] ? e->parents[i]->key : -1;
}

int Construction::resolveParentKeys(std::span<Element* const> external) {
    const std::size_t externalCount = external.size();
    const std::size_t tableSize = externalCount + elements_.size();
    int result = 1;
    for (const ElementPtr& e : elements_) {
        for (std::size_t i = 0; i < e->parents.size(); ++i) {
            const std::int32_t k = e->parentKeys[i];
            if (k < 0 || static_cast<std::size_t>(k) >= tableSize) {
                e->parents[i] = nullptr;
                result = 0;
                continue;
            }
            const std::size_t slot = static_cast<std::size_t>(k);
            e->parents[i] = slot < externalCount ? external[slot] : elements_[slot - externalCount].get();
        }
    }
    return result;
}

void Construction::replaceParent(const Element* oldParent, Element* newParent) {
    for (const ElementPtr& e : elements_) {
        if (e->mark != 1) continue;
        for (Element*& p : e->parents)
            if (p == oldParent) p = newParent;
    }
}

std::size_t Construction::topLevelStep(std::size_t index) const {
    const int sub = std::max(0, elements_[index]->subElementCount());
    return std::min(elements_.size(), index + 1 + static_cast<std::size_t>(sub));
}

Element* Construction::nextTopLevel(const Element* element) const {
    const int i = indexOf(element);
    if (i < 0) return nullptr;
    const std::size_t j = topLevelStep(static_cast<std::size_t>(i));
    return j < elements_.size() ? elements_[j].get() : nullptr;
}

void Construction::reindexFrom(std::size_t index) {
    for (std::size_t i = index; i < elements_.size(); ++i) elements_[i]->listIndex_ = static_cast<int>(i);
}

// ---- flags

void Construction::clearMarks() {
    for (ElementPtr& e : elements_) e->mark = 0;
}
void Construction::clearSavedSelection() {
    for (ElementPtr& e : elements_) e->savedSelection = 0;
}
void Construction::clearKeys() {
    for (ElementPtr& e : elements_) e->key = 0;
}
void Construction::clearMacroIntermediate() {
    for (ElementPtr& e : elements_) e->macroIntermediate = 0;
}

void Construction::setSelectedAll(int value, bool topLevelOnly) {
    if (topLevelOnly)
        forEachTopLevel([value](Element& e) { e.selected = value; });
    else
        forEach([value](Element& e) { e.selected = value; });
}

void Construction::markSelected() {
    for (ElementPtr& e : elements_) e->mark = e->selected ? 1 : 0;
}
void Construction::saveSelection() {
    for (ElementPtr& e : elements_) e->savedSelection = e->selected;
}
void Construction::restoreSelection() {
    for (ElementPtr& e : elements_) e->selected = e->savedSelection ? 1 : 0;
}

// ---- queries

int Construction::selectedCount() const {
    return static_cast<int>(std::count_if(elements_.begin(), elements_.end(),
                                          [](const ElementPtr& e) { return e->selected != 0; }));
}

Element* Construction::firstSelected() const {
    for (const ElementPtr& e : elements_)
        if (e->selected) return e.get();
    return nullptr;
}

namespace {

template <typename Predicate>
bool anySelected(const std::vector<ElementPtr>& elements, Predicate predicate) {
    return std::any_of(elements.begin(), elements.end(),
                       [&](const ElementPtr& e) { return e->selected && predicate(*e); });
}

}  // namespace

bool Construction::anySelectedOfCode(TypeCode typeCode) const {
    return anySelected(elements_, [typeCode](const Element& e) { return e.typeCode() == typeCode; });
}
bool Construction::anySelectedNumeric() const {
    return anySelected(elements_, [](const Element& e) { return isNumericKind(e.kind()); });
}
bool Construction::anySelectedNotText() const {
    return anySelected(elements_, [](const Element& e) { return e.kind() != ElementKind::Text; });
}
bool Construction::anySelectedWithFont() const {
    return anySelected(elements_, [](const Element& e) { return hasFont(e.kind()); });
}
bool Construction::anySelectedWithSize() const {
    return anySelected(elements_, [](const Element& e) { return hasSize(e.kind()); });
}
bool Construction::anySelectedWithShape() const {
    return anySelected(elements_, [](const Element& e) { return hasShape(e.kind()); });
}

bool Construction::isListed(const Element& e, bool showHidden) const {
    return e.defined && !e.macroIntermediate && (e.visible || showHidden);
}

bool Construction::hasSelectableOfKind(ElementKind kind, bool showHidden) const {
    bool found = false;
    forEachTopLevel([&](const Element& e) {
        if (e.kind() == kind && !e.selected && isListed(e, showHidden)) found = true;
    });
    return found;
}

int Construction::listedCount(bool showHidden) const {
    int n = 0;
    forEachTopLevel([&](const Element& e) { n += isListed(e, showHidden) ? 1 : 0; });
    return n;
}

Element* Construction::nthListed(int n, bool showHidden) const {
    for (std::size_t i = 0; i < elements_.size(); i = topLevelStep(i)) {
        if (isListed(*elements_[i], showHidden) && --n == 0) return elements_[i].get();
    }
    return nullptr;
}

// ---- dependency marking

void Construction::markDescendants(Element* element, bool clearFirst) {
    if (clearFirst) clearMarks();
    const int start = indexOf(element);
    if (start < 0) return;
    element->mark = 1;
    for (std::size_t i = static_cast<std::size_t>(start) + 1; i < elements_.size(); ++i) {
        Element& e = *elements_[i];
        if (std::any_of(e.parents.begin(), e.parents.end(), [](const Element* p) { return p && p->mark; }))
            e.mark = 1;
    }
}

void Construction::markDescendantsOfMarked() {
    for (const ElementPtr& e : elements_) {
        if (!e->mark &&
            std::any_of(e->parents.begin(), e->parents.end(), [](const Element* p) { return p && p->mark; }))
            e->mark = 1;
    }
}

bool Construction::dependsOn(const Element* a, Element* b) {
    markDescendants(b, true);
    return a != nullptr && a->mark != 0;
}

namespace {

// Visits every ancestor of start once, with an explicit stack so that long
// chains cannot exhaust the call stack. visit returns false for an element
// that must not be entered.
template <typename Visit>
void walkAncestors(Element* start, Visit visit) {
    std::vector<Element*> pending(start->parents.begin(), start->parents.end());
    while (!pending.empty()) {
        Element* p = pending.back();
        pending.pop_back();
        if (p == nullptr || !visit(*p)) continue;
        pending.insert(pending.end(), p->parents.begin(), p->parents.end());
    }
}

}  // namespace

void Construction::markAncestors(Element* element, bool clearFirst) {
    if (clearFirst) clearMarks();
    walkAncestors(element, [](Element& p) {
        if (p.mark) return false;
        p.mark = 1;
        return true;
    });
}

void Construction::markAncestorsByKey(Element* element) {
    markAncestorsByKeyExcept(element, {});
}

void Construction::markAncestorsByKeyExcept(Element* element, std::span<Element* const> external) {
    element->key = 1;
    walkAncestors(element, [external](Element& p) {
        if (p.key == 1 || std::find(external.begin(), external.end(), &p) != external.end()) return false;
        p.key = 1;
        return true;
    });
}

void Construction::derivedFrom(std::vector<Element*>& list) {
    clearMarks();
    const std::size_t initial = list.size();
    for (Element* e : list) e->mark = 1;
    for (const ElementPtr& e : elements_) {
        if (e->mark || e->parents.empty()) continue;
        if (std::all_of(e->parents.begin(), e->parents.end(),
                        [](const Element* p) { return p && p->mark; })) {
            e->mark = 1;
            list.push_back(e.get());
        }
    }
    for (std::size_t i = 0; i < initial; ++i) list[i]->mark = 0;
    list.resize(initial);
}

// ---- deletion

void Construction::eraseWhere(const std::vector<bool>& remove) {
    std::erase_if(animations_, [&](const AnimationEntry& a) {
        const int i = indexOf(a.element);
        return i >= 0 && remove[static_cast<std::size_t>(i)];
    });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < elements_.size(); ++i)
        if (!remove[i]) elements_[kept++] = std::move(elements_[i]);
    elements_.resize(kept);
    reindexFrom(0);
}

void Construction::deleteElement(Element* element, bool withSubElements) {
    const int i = indexOf(element);
    if (i < 0) return;
    std::vector<bool> remove(elements_.size(), false);
    const std::size_t end = withSubElements ? topLevelStep(static_cast<std::size_t>(i)) : i + 1;
    for (std::size_t j = static_cast<std::size_t>(i); j < end; ++j) remove[j] = true;
    eraseWhere(remove);
}

void Construction::deleteWithDependants(Element* element) {
    markDescendants(element, true);
    deleteMarked();
}

void Construction::truncate(int count) {
    if (count < 0 || count >= this->count()) return;
    std::vector<bool> remove(elements_.size(), false);
    std::fill(remove.begin() + count, remove.end(), true);
    eraseWhere(remove);
}

void Construction::deleteMarked() {
    std::vector<bool> remove(elements_.size());
    for (std::size_t i = 0; i < elements_.size(); ++i) remove[i] = elements_[i]->mark == 1;
    eraseWhere(remove);
}

// ---- copies

std::unique_ptr<Construction> Construction::copy(bool raw) {
    if (!raw) storeParentKeys();
    auto result = std::make_unique<Construction>();
    result->elements_.reserve(elements_.size());
    for (const ElementPtr& e : elements_) result->append(e->clone());
    if (raw) return result;
    result->resolveParentKeys();
    for (const AnimationEntry& a : animations_) {
        const int i = indexOf(a.element);
        if (i < 0) continue;
        result->animations_.push_back({result->at(i), a.forward, a.speed});
    }
    return result;
}

// ---- animation list

int Construction::animationIndexOf(const Element* element) const {
    for (std::size_t i = 0; i < animations_.size(); ++i)
        if (animations_[i].element == element) return static_cast<int>(i);
    return -1;
}

void Construction::animationRemove(const Element* element) {
    const int i = animationIndexOf(element);
    if (i >= 0) animations_.erase(animations_.begin() + i);
}

bool Construction::animationAdd(Element* element) {
    return animationAddEntry({element, 1, 15});
}

bool Construction::animationAddEntry(const AnimationEntry& entry) {
    if (animationCount() >= kMaxAnimationEntries) return false;
    animations_.push_back(entry);
    return true;
}

// ---- recompute and draw

namespace {

bool parentsAllowRecompute(const Element& e, bool locusException) {
    const auto& p = e.parents;
    if (std::all_of(p.begin(), p.end(), [](const Element* q) { return isDefined(q); })) return true;
    // A locus's traced element may be undefined where its driver currently stands.
    return locusException && isLocusKind(e.kind()) && p.size() >= 2 && !isDefined(p[0]) && isDefined(p[1]);
}

}  // namespace

void Construction::recomputeAll(const RecomputeContext& context, bool iterationOnly,
                                const std::function<void()>& afterGroupLeader) {
    for (std::size_t i = 0; i < elements_.size();) {
        const std::size_t nextIndex = topLevelStep(i);
        Element& e = *elements_[i];
        if (!iterationOnly || e.iterationMember) {
            if (parentsAllowRecompute(e, true)) {
                e.recompute(*this, context);
                if (iterationOnly && afterGroupLeader && e.subElementCount() > 0) afterGroupLeader();
            } else {
                for (std::size_t j = i; j < nextIndex; ++j) elements_[j]->defined = 0;
            }
        }
        i = nextIndex;
    }
}

void Construction::recomputeMarked(const RecomputeContext& context) {
    for (std::size_t i = 0; i < elements_.size();) {
        const std::size_t nextIndex = topLevelStep(i);
        Element& e = *elements_[i];
        const ElementKind k = e.kind();
        if (e.mark == 1 && k != ElementKind::Curve && k != ElementKind::Surface &&
            k != ElementKind::Iteration) {
            if (parentsAllowRecompute(e, false)) {
                e.recompute(*this, context);
            } else {
                for (std::size_t j = i; j < nextIndex; ++j) elements_[j]->defined = 0;
            }
        }
        i = nextIndex;
    }
}

void Construction::drawPass(Canvas& canvas, const DrawSettings& settings, bool surfaces,
                            const std::function<bool(int index)>& filter) {
    // A selected regular polygon or polyhedron shows its generated parts selected too.
    std::size_t highlightEnd = 0;
    for (std::size_t i = 0; i < elements_.size();) {
        Element& e = *elements_[i];
        const std::size_t index = i;
        // The three numbers of a coordinates element are shown by the element itself.
        i = e.kind() == ElementKind::Coordinates ? topLevelStep(i) : i + 1;
        if (e.selected &&
            (e.kind() == ElementKind::RegularPolygon || e.kind() == ElementKind::RegularPolyhedron))
            highlightEnd = std::max(highlightEnd, topLevelStep(index));
        if (isSurfaceKind(e.kind()) != surfaces) continue;
        if (!e.defined || e.macroIntermediate || !(e.visible || settings.showHidden)) continue;
        if (filter && !filter(static_cast<int>(index))) continue;
        const bool highlighted = e.selected || index < highlightEnd;
        const std::uint32_t colour =
            highlighted ? settings.selectedColour : (e.visible ? e.colour : settings.hiddenColour);
        e.draw(colour, settings.projection, canvas);
        if (e.showLabel == 1 && e.hasName()) e.drawLabel(canvas, settings.labelColour);
    }
}

void Construction::drawAll(Canvas& canvas, const DrawSettings& settings) {
    drawPass(canvas, settings, false);
    drawPass(canvas, settings, true);
}

void Construction::layoutScreenTexts(const ScreenTextContext& screenTexts) {
    // The parts of a coordinates element are laid out by the element itself.
    forEachTopLevel([&](Element& e) { e.layoutScreenText(screenTexts); });
}

std::vector<ListLine> Construction::listLines(const TextLookup& text, bool showHidden) const {
    std::vector<ListLine> lines;
    int number = 0;
    forEachTopLevel([&](Element& e) {
        if (!e.defined || e.macroIntermediate) return;
        ++number;
        if (!e.visible && !showHidden) return;
        std::string line = " " + std::to_string(number) + ". " + text(codeValue(e.typeCode()));
        if (e.hasName()) line += " " + windows1252ToUtf8(*e.name());
        if (e.typeCode() != TypeCode::Iteration && !e.parents.empty()) {
            line += " [ ";
            for (std::size_t i = 0; i < e.parents.size(); ++i) {
                if (i > 0) line += ",";
                const Element* p = e.parents[i];
                line += (p && p->hasName()) ? windows1252ToUtf8(*p->name()) : "_";
            }
            line += " ]";
        }
        const std::string suffix = e.listSuffix();
        if (!suffix.empty()) line += " " + suffix;
        lines.push_back({std::move(line), &e, !e.visible});
    });
    return lines;
}

std::size_t Construction::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + elements_.capacity() * sizeof(ElementPtr) +
                        animations_.capacity() * sizeof(AnimationEntry);
    for (const ElementPtr& e : elements_) bytes += e->memoryBytes();
    return bytes;
}
