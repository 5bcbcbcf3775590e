#include "io/construction_io.h"

#include <string>
#include <vector>

#include "io/element_factory.h"
#include "model/byte_stream.h"
#include "model/type_codes.h"

namespace {

// The smallest element record: eleven 32-bit words and an empty name.
constexpr std::size_t kMinimumRecordBytes = 12 * 4;

bool refuse(InputStream& in, std::size_t index, const std::string& reason) {
    in.fail("element " + std::to_string(index + 1) + ": " + reason);
    return false;
}

ElementPtr readRecord(InputStream& in, int fileVersion, std::size_t index) {
    std::int32_t storedCode = 0;
    std::int32_t parentCount = 0;
    if (!readI32(in, storedCode) || !readI32(in, parentCount)) return nullptr;
    const TypeCode typeCode = static_cast<TypeCode>(storedCode);
    const TypeCodeInfo* info = typeCodeInfo(typeCode);
    if (!info) {
        refuse(in, index, "unknown element type " + std::to_string(storedCode));
        return nullptr;
    }
    if (info->hasVariableParentCount()) {
        if (parentCount < 0 || static_cast<std::size_t>(parentCount) > in.remaining() / 4) {
            refuse(in, index, "impossible number of parents");
            return nullptr;
        }
        if (parentCount < info->minParents || parentCount > info->maxParents) {
            refuse(in, index, "impossible number of parents for its type");
            return nullptr;
        }
    }
    ElementPtr element = createElementForRecord(typeCode, parentCount);
    if (!element) {
        refuse(in, index, "element type " + std::to_string(storedCode) + " cannot be read by this version");
        return nullptr;
    }
    if (element->read(in, fileVersion) != 1 || in.failed()) {
        if (!in.failed()) refuse(in, index, "its record cannot be decoded");
        return nullptr;
    }
    return element;
}

// Keys must name an external element or an earlier element of a kind the code can use.
bool checkParents(InputStream& in, const Construction& c, std::span<const ElementKind> external,
                  const Element& e, std::size_t index) {
    const TypeCodeInfo& info = *typeCodeInfo(e.typeCode());
    for (int i = 0; i < e.parentCount(); ++i) {
        const std::int32_t key = e.parentKeys[static_cast<std::size_t>(i)];
        const std::size_t limit = external.size() + index;
        if (key < 0 || static_cast<std::size_t>(key) >= limit)
            return refuse(in, index, "a parent is missing or does not come before it");
        const std::size_t k = static_cast<std::size_t>(key);
        const ElementKind kind =
            k < external.size() ? external[k] : c.at(static_cast<int>(k - external.size()))->kind();
        if (!acceptsParentKind(info, i, kind))
            return refuse(in, index, "a parent is of a kind its type cannot use");
    }
    return true;
}

// The generated elements that must follow a group leader, checked one by one:
// the codes its row names, as many of each as the leader's layout says.
bool checkGroup(InputStream& in, const Construction& c, int leaderIndex, std::size_t externalCount) {
    const Element& leader = *c.at(leaderIndex);
    const GroupLayout layout = leader.groupLayout();
    const GeneratedParts& codes = generatedPartsOf(leader.typeCode());
    const int count = leader.subElementCount();
    const std::size_t index = static_cast<std::size_t>(leaderIndex);
    if (count < 0 || leaderIndex + count >= c.count())
        return refuse(in, index, "its generated elements are missing");
    int next = leaderIndex + 1;
    const auto isOwnPart = [&](TypeCode code) {
        const Element* e = c.at(next++);
        return code != TypeCode::None && e->typeCode() == code && e->parentCount() == 1 &&
               e->parentKeys[0] == static_cast<std::int32_t>(externalCount) + leaderIndex;
    };
    const auto isFace = [&] {
        const Element* e = c.at(next++);
        return codes.face != TypeCode::None && e->typeCode() == codes.face &&
               e->parentCount() == layout.verticesPerFace;
    };
    bool ok = layout.count() == count && layout.numbers >= 0 && layout.vertices >= 0 && layout.faces >= 0 &&
              layout.numbers <= static_cast<int>(codes.numbers.size());
    for (int j = 0; ok && j < layout.numbers; ++j) ok = isOwnPart(codes.numbers[static_cast<std::size_t>(j)]);
    for (int j = 0; ok && j < layout.vertices; ++j) ok = isOwnPart(codes.vertex);
    for (int j = 0; ok && j < layout.faces; ++j) ok = isFace();
    return ok || refuse(in, index, "it is not followed by exactly the elements it generates");
}

bool checkGroups(InputStream& in, const Construction& c, std::size_t externalCount) {
    for (int i = 0; i < c.count();) {
        const Element& e = *c.at(i);
        if (isGeneratedPartCode(e.typeCode()))
            return refuse(in, static_cast<std::size_t>(i), "a generated element stands outside its group");
        if (isGroupLeadingKind(e.kind()) && !checkGroup(in, c, i, externalCount)) return false;
        i += 1 + e.subElementCount();
    }
    return true;
}

bool readAnimation(InputStream& in, Construction& c) {
    std::uint32_t count = 0;
    if (!readU32(in, count)) return false;
    if (count > static_cast<std::uint32_t>(kMaxAnimationEntries)) {
        in.fail("more than 99 animation entries");
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t key = 0;
        AnimationEntry entry;
        if (!readI32(in, key) || !readI32(in, entry.forward) || !readI32(in, entry.speed)) return false;
        entry.element = c.at(key);
        if (!entry.element) {
            in.fail("an animation entry names no element");
            return false;
        }
        c.animationAddEntry(entry);
    }
    return true;
}

}  // namespace

int writeConstruction(Construction& construction, OutputStream& out, bool withAnimation, bool renumber) {
    if (renumber) construction.storeParentKeys();
    bool ok = writeU32(out, static_cast<std::uint32_t>(construction.count()));
    construction.forEach([&](const Element& e) { ok = ok && e.write(out) == 1; });
    if (withAnimation) {
        ok = ok && writeU32(out, static_cast<std::uint32_t>(construction.animationCount()));
        for (int i = 0; ok && i < construction.animationCount(); ++i) {
            const AnimationEntry& a = construction.animation(i);
            ok = writeI32(out, a.element->key) && writeI32(out, a.forward) && writeI32(out, a.speed);
        }
    }
    return ok ? 1 : 0;
}

int readConstruction(InputStream& in, int fileVersion, bool withAnimation,
                     std::span<const ElementKind> externalKinds, Construction& construction) {
    Construction result;
    std::uint32_t count = 0;
    bool ok = readU32(in, count);
    if (ok && count > in.remaining() / kMinimumRecordBytes) {
        in.fail("the element count is larger than the file can hold");
        ok = false;
    }
    for (std::uint32_t i = 0; ok && i < count; ++i) {
        ElementPtr element = readRecord(in, fileVersion, i);
        ok = element && checkParents(in, result, externalKinds, *element, i);
        if (ok) result.append(std::move(element));
    }
    ok = ok && checkGroups(in, result, externalKinds.size());
    if (ok && externalKinds.empty()) result.resolveParentKeys();
    ok = ok && (!withAnimation || readAnimation(in, result));
    if (!ok || in.failed()) {
        if (!in.failed()) in.fail("the construction cannot be read");
        return 0;
    }
    // appendAll leaves the animation list behind; carry it over.
    std::vector<AnimationEntry> animation;
    for (int i = 0; i < result.animationCount(); ++i) animation.push_back(result.animation(i));
    construction.appendAll(result);
    for (const AnimationEntry& entry : animation) construction.animationAddEntry(entry);
    return 1;
}
