#include "model/macro.h"

#include <algorithm>

#include "model/document.h"

Macro copyMacro(const Macro& macro) {
    Macro copy;
    copy.construction = macro.construction->copy(true);
    // The raw copy still points at the source's parents; a macro's parents live in its keys only.
    copy.construction->forEach([](Element& e) { std::fill(e.parents.begin(), e.parents.end(), nullptr); });
    copy.initialKinds = macro.initialKinds;
    copy.name = macro.name;
    copy.description = macro.description;
    return copy;
}

Macro makeMacro(Construction& source, std::span<Element* const> initial, std::span<Element* const> finals,
                std::string name) {
    // Everything built from the initial elements alone (marked) …
    std::vector<Element*> derived(initial.begin(), initial.end());
    source.derivedFrom(derived);
    // … and, with the key as visit flag, whatever the final elements need.
    source.clearKeys();
    for (Element* f : finals) source.markAncestorsByKeyExcept(f, initial);
    const auto isFinal = [&](const Element* e) {
        return std::find(finals.begin(), finals.end(), e) != finals.end();
    };

    // A derived element that no final element needs leaves the macro; generated
    // elements follow their leader in or out.
    for (int i = 0; i < source.count();) {
        Element* leader = source.at(i);
        const int end = source.groupEnd(i);
        if (leader->mark && leader->key != 1 && !isFinal(leader)) leader->mark = 0;
        for (int j = i + 1; j < end; ++j) source.at(j)->mark = leader->mark;
        i = end;
    }

    const int n = static_cast<int>(initial.size());
    for (int i = 0; i < n; ++i) initial[static_cast<std::size_t>(i)]->key = i;
    int nextKey = n;
    source.forEach([&](Element& e) {
        if (e.mark) e.key = nextKey++;
    });

    Macro macro;
    macro.name = std::move(name);
    for (Element* e : initial) macro.initialKinds.push_back(e->kind());
    std::int32_t leaderIntermediate = 0;
    int groupEnd = 0;
    for (int i = 0; i < source.count(); ++i) {
        Element* e = source.at(i);
        if (i >= groupEnd) {
            groupEnd = source.groupEnd(i);
            leaderIntermediate = isFinal(e) ? 0 : 1;
        }
        if (!e->mark) continue;
        for (std::size_t p = 0; p < e->parents.size(); ++p)
            e->parentKeys[p] = e->parents[p] ? e->parents[p]->key : -1;
        ElementPtr copy = e->clone();
        copy->macroIntermediate = leaderIntermediate;
        copy->mark = 0;
        std::fill(copy->parents.begin(), copy->parents.end(), nullptr);
        macro.construction->append(std::move(copy));
    }
    source.clearMarks();
    return macro;
}

bool applyMacro(Document& document, const Macro& macro, std::span<Element* const> picked,
                std::vector<ElementPtr> pending, bool hideIntermediates) {
    if (picked.size() != macro.initialKinds.size()) return false;
    Construction& current = document.construction();
    const auto isPending = [&](const Element* e) {
        return std::any_of(pending.begin(), pending.end(), [e](const ElementPtr& p) { return p.get() == e; });
    };
    // Every pick is an element of the construction or one made while picking,
    // wherever it stands in the pick order.
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const Element* e = picked[i];
        if (e == nullptr || (current.indexOf(e) < 0 && !isPending(e))) return false;
        if (e->kind() != macro.initialKinds[i]) return false;
    }
    std::unique_ptr<Construction> result = current.copy();

    // Picks that exist already are replaced by their copies; elements made while
    // picking may stand on existing elements, which must be the copies too.
    std::vector<Element*> external(picked.size());
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const int index = current.indexOf(picked[i]);
        external[i] = index >= 0 ? result->at(index) : picked[i];
    }
    for (ElementPtr& made : pending) {
        for (Element*& p : made->parents) {
            const int index = current.indexOf(p);
            if (index >= 0) p = result->at(index);
        }
        result->append(std::move(made));
    }

    std::unique_ptr<Construction> added = macro.construction->copy(true);
    if (!hideIntermediates) added->clearMacroIntermediate();
    // A key that names neither a pick nor an earlier element of the macro leaves it unapplied.
    if (added->resolveParentKeys(external) != 1) return false;
    result->appendAll(*added);
    document.commit(std::move(result));
    return true;
}

bool addMacro(Document& document, Macro macro) {
    if (static_cast<int>(document.macros.size()) >= kMaxMacros) return false;
    document.macros.push_back(std::move(macro));
    document.modified = true;
    return true;
}

void removeMacro(Document& document, int index) {
    if (index < 0 || index >= static_cast<int>(document.macros.size())) return;
    document.macros.erase(document.macros.begin() + index);
    document.modified = true;
}
