#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/element.h"

class Canvas;
struct ScreenTextContext;

// One entry of the animation list.
struct AnimationEntry {
    Element* element = nullptr;
    std::int32_t forward = 1;  // 1 the animated value increases, 0 it decreases
    std::int32_t speed = 15;
};

inline constexpr int kMaxAnimationEntries = 99;

// What the draw walk needs from the document and the view.
struct DrawSettings {
    std::uint32_t selectedColour = 0;
    std::uint32_t hiddenColour = 0;
    std::uint32_t labelColour = 0;
    bool showHidden = false;  // "Ver lo oculto"
    int projection = 0;
};

// One line of the construction list.
struct ListLine {
    std::string text;
    Element* element = nullptr;
    bool hidden = false;  // shown in the list's style for hidden entries
};

using TextLookup = std::function<std::string(int textId)>;

// The ordered elements of one document. Every element comes after all its
// parents, so one forward walk suffices for recomputing, marking descendants,
// saving and copying. The construction owns its elements; parents are plain
// pointers between them, and keys (positions after renumbering) in files and copies.
class Construction {
  public:
    Construction();
    ~Construction();
    Construction(const Construction&) = delete;
    Construction& operator=(const Construction&) = delete;

    // ---- the list
    Element* append(ElementPtr element);
    // The checked way to add a new element: sets its parents and appends it when
    // they fit its type code's row — their number, each one's kind in its
    // position — and are elements of this construction. nullptr, and nothing
    // appended, otherwise.
    Element* appendOn(ElementPtr element, std::span<Element* const> parents);
    Element* appendOn(ElementPtr element, std::initializer_list<Element*> parents);
    // Links the other construction's elements after the last one; the other is left empty.
    void appendAll(Construction& other);
    int count() const { return static_cast<int>(elements_.size()); }
    bool empty() const { return elements_.empty(); }
    Element* first() const;
    Element* last() const;
    Element* at(int index) const;
    // Position of an element of this construction, -1 for any other.
    int indexOf(const Element* element) const;
    Element* next(const Element* element) const;
    Element* predecessor(const Element* element) const;
    void moveToEnd(Element* element);
    // Moves every marked element to the end in their relative order, clearing their marks.
    void moveMarkedToEnd();
    Element* findByKey(int key, bool renumberFirst);
    void renumber();
    void storeParentKeys();
    // Sets every parent from its key through the table external…, own elements….
    // Returns 0 when some key names no element; such parents are left empty.
    int resolveParentKeys(std::span<Element* const> external = {});
    // In every marked element, every parent reference to oldParent becomes newParent.
    void replaceParent(const Element* oldParent, Element* newParent);

    // The element after a group leader's generated elements (nullptr at the end).
    Element* nextTopLevel(const Element* element) const;
    // The position just past the group that the element at index leads
    // (index + 1 for an element that generates nothing).
    int groupEnd(int index) const { return static_cast<int>(topLevelStep(static_cast<std::size_t>(index))); }
    template <typename F>
    void forEachTopLevel(F&& visit) const {
        for (std::size_t i = 0; i < elements_.size(); i = topLevelStep(i)) visit(*elements_[i]);
    }
    template <typename F>
    void forEach(F&& visit) const {
        for (const ElementPtr& e : elements_) visit(*e);
    }

    // ---- flags over the list
    void clearMarks();
    void clearSavedSelection();
    void clearKeys();
    void clearMacroIntermediate();
    void setSelectedAll(int value, bool topLevelOnly);
    void markSelected();
    void saveSelection();
    void restoreSelection();

    // ---- queries that enable commands
    int selectedCount() const;
    Element* firstSelected() const;
    bool anySelectedOfCode(TypeCode typeCode) const;
    bool anySelectedNumeric() const;
    bool anySelectedNotText() const;
    bool anySelectedWithFont() const;
    bool anySelectedWithSize() const;
    bool anySelectedWithShape() const;
    // Whether a listed, unselected top-level element of the kind exists.
    bool hasSelectableOfKind(ElementKind kind, bool showHidden) const;
    bool isListed(const Element& element, bool showHidden) const;
    int listedCount(bool showHidden) const;
    // The n-th listed element, counting from 1; nullptr past the end.
    Element* nthListed(int n, bool showHidden) const;

    // ---- dependency marking
    void markDescendants(Element* element, bool clearFirst);
    // Extends the current marks to everything built on a marked element.
    void markDescendantsOfMarked();
    // Whether a is built, directly or not, from b (or is b). Leaves b's descendants marked.
    bool dependsOn(const Element* a, Element* b);
    // Marks every ancestor of element (not the element itself).
    void markAncestors(Element* element, bool clearFirst);
    // Uses `key` as the visit flag (set to 1) and marks the element too.
    // The keys need a renumbering afterwards.
    void markAncestorsByKey(Element* element);
    // As markAncestorsByKey, without entering the given external elements.
    void markAncestorsByKeyExcept(Element* element, std::span<Element* const> external);
    // Appends to list every element all of whose parents are in it (chains
    // included), then cuts the list back; the result is the set of marked elements.
    void derivedFrom(std::vector<Element*>& list);

    // ---- deletion
    void deleteElement(Element* element, bool withSubElements);
    void deleteWithDependants(Element* element);
    void deleteMarked();
    // Keeps the first `count` elements and deletes the rest with their animation entries.
    void truncate(int count);

    // ---- copies
    // A full copy resolves the copy's parents through the keys and copies the
    // animation list; a raw copy leaves keys and parents for the caller.
    std::unique_ptr<Construction> copy(bool raw = false);
    // An estimate of the memory the construction holds (its elements and lists).
    std::size_t memoryBytes() const;

    // ---- animation list
    int animationIndexOf(const Element* element) const;
    void animationRemove(const Element* element);
    // Appends an entry (forward, speed 15); false when 99 entries exist already.
    bool animationAdd(Element* element);
    // Appends an entry as read or copied; false when the list is full.
    bool animationAddEntry(const AnimationEntry& entry);
    int animationCount() const { return static_cast<int>(animations_.size()); }
    AnimationEntry& animation(int index) { return animations_[static_cast<std::size_t>(index)]; }
    const AnimationEntry& animation(int index) const { return animations_[static_cast<std::size_t>(index)]; }

    // ---- recompute and draw
    // afterGroupLeader runs, in iteration-only mode, after each group leader is
    // recomputed, so that an iteration can put its input points back.
    void recomputeAll(const RecomputeContext& context, bool iterationOnly = false,
                      const std::function<void()>& afterGroupLeader = {});
    void recomputeMarked(const RecomputeContext& context);
    void drawAll(Canvas& canvas, const DrawSettings& settings);
    // One of the two passes of drawAll: the elements that are not surfaces, or
    // the surfaces. With a filter, only the elements for whose index it returns
    // true are drawn; it is asked, in order, for each element the pass would draw.
    void drawPass(Canvas& canvas, const DrawSettings& settings, bool surfaces,
                  const std::function<bool(int index)>& filter = {});
    // Lays out the boxes of every number, coordinates and text element for the
    // screen described, as drawing would; picking needs no drawing before it.
    void layoutScreenTexts(const ScreenTextContext& screenTexts);

    // The construction list's lines, with texts looked up by id.
    std::vector<ListLine> listLines(const TextLookup& text, bool showHidden) const;

  private:
    std::size_t topLevelStep(std::size_t index) const;
    void reindexFrom(std::size_t index);
    // Removes the elements for which remove[i] is set, in one pass, fixing the animation list.
    void eraseWhere(const std::vector<bool>& remove);

    std::vector<ElementPtr> elements_;
    std::vector<AnimationEntry> animations_;
};
