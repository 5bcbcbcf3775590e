#include "io/construction_io.h"

#include <string>
#include <vector>

#include "elements/regular_solids.h"
#include "io/element_factory.h"
#include "model/byte_stream.h"
#include "model/type_codes.h"

namespace {

// The smallest element record: eleven 32-bit words and an empty name.
constexpr std::size_t kMinimumRecordBytes = 12 * 4;
// A calculation has at most one operand per variable letter A … W.
constexpr int kMaxCalculationOperands = 23;

bool refuse(InputStream& in, std::size_t index, const std::string& reason) {
    in.fail("element " + std::to_string(index + 1) + ": " + reason);
    return false;
}

ElementPtr readRecord(InputStream& in, int fileVersion, std::size_t index) {
    std::int32_t typeCode = 0;
    std::int32_t parentCount = 0;
    if (!readI32(in, typeCode) || !readI32(in, parentCount)) return nullptr;
    const TypeCodeInfo* info = typeCodeInfo(typeCode);
    if (!info) {
        refuse(in, index, "unknown element type " + std::to_string(typeCode));
        return nullptr;
    }
    if (info->parentCount == kVariableParentCount) {
        if (parentCount < 0 || static_cast<std::size_t>(parentCount) > in.remaining() / 4) {
            refuse(in, index, "impossible number of parents");
            return nullptr;
        }
        if ((typeCode == 10055 && parentCount < 3) ||
            (typeCode == 10555 && parentCount > kMaxCalculationOperands)) {
            refuse(in, index, "impossible number of parents for its type");
            return nullptr;
        }
    }
    ElementPtr element = createElementForRecord(typeCode, parentCount);
    if (!element) {
        refuse(in, index, "element type " + std::to_string(typeCode) + " cannot be read by this version");
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

// The generated elements that must follow a group leader, checked one by one.
bool checkGroup(InputStream& in, const Construction& c, int leaderIndex, std::size_t externalCount) {
    const Element& leader = *c.at(leaderIndex);
    const int count = leader.subElementCount();
    const auto part = [&](int j) { return c.at(leaderIndex + 1 + j); };
    const auto isOwnPart = [&](const Element* e, int code) {
        return e && e->typeCode() == code && e->parentCount() == 1 &&
               e->parentKeys[0] == static_cast<std::int32_t>(externalCount) + leaderIndex;
    };
    const std::size_t index = static_cast<std::size_t>(leaderIndex);
    if (count < 0 || leaderIndex + count >= c.count())
        return refuse(in, index, "its generated elements are missing");
    bool ok = true;
    switch (leader.kind()) {
        case ElementKind::Coordinates:
            ok = count == 3 && isOwnPart(part(0), 10305) && isOwnPart(part(1), 10310) &&
                 isOwnPart(part(2), 10315);
            break;
        case ElementKind::RegularPolygon: {
            ok = count >= 3;
            for (int j = 0; ok && j < count - 1; ++j) ok = isOwnPart(part(j), 10605);
            ok = ok && part(count - 1)->typeCode() == 10055 && part(count - 1)->parentCount() == count;
            break;
        }
        case ElementKind::RegularPolyhedron: {
            const auto& solid = static_cast<const RegularPolyhedron&>(leader);
            const int vertices = solid.generatedVertexCount;
            ok = vertices >= 0 && vertices + solid.faceCount == count;
            for (int j = 0; ok && j < vertices; ++j) ok = isOwnPart(part(j), 10610);
            for (int j = vertices; ok && j < count; ++j)
                ok = part(j)->typeCode() == 10055 && part(j)->parentCount() == solid.verticesPerFace;
            break;
        }
        default:
            ok = count == 0;
            break;
    }
    return ok || refuse(in, index, "it is not followed by exactly the elements it generates");
}

bool isGeneratedCode(int code) {
    return code == 10605 || code == 10610 || code == 10305 || code == 10310 || code == 10315;
}

bool checkGroups(InputStream& in, const Construction& c, std::size_t externalCount) {
    for (int i = 0; i < c.count();) {
        const Element& e = *c.at(i);
        if (isGeneratedCode(e.typeCode()))
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
