#include "model/element.h"

#include "model/byte_stream.h"
#include "model/type_codes.h"

namespace {

// A name that the file reader accepts: 99 bytes and the terminating NUL.
constexpr std::uint32_t kMaxStoredNameLength = kMaxNameLength + 1;

}  // namespace

Element::Element(TypeCode typeCode, const KindStyle& style, int parentCountGiven)
    : size(style.size),
      shape(style.shape),
      colour(style.colour),
      typeCode_(typeCode),
      kind_(kindOfTypeCode(typeCode)) {
    int count = parentCountOfTypeCode(typeCode);
    if (count == kVariableParentCount) count = parentCountGiven;
    if (count > 0) {
        parents.assign(static_cast<std::size_t>(count), nullptr);
        parentKeys.assign(static_cast<std::size_t>(count), -1);
    }
}

Element::~Element() = default;

Element::Element(const Element& other)
    : key(other.key),
      mark(other.mark),
      savedSelection(other.savedSelection),
      parents(other.parents),
      parentKeys(other.parentKeys),
      size(other.size),
      shape(other.shape),
      colour(other.colour),
      defined(other.defined),
      visible(other.visible),
      macroIntermediate(other.macroIntermediate),
      selected(0),
      iterationMember(other.iterationMember),
      showLabel(other.showLabel),
      typeCode_(other.typeCode_),
      kind_(other.kind_),
      name_(other.name_) {}

void Element::setName(std::string_view text) {
    if (text.empty()) {
        name_.reset();
        return;
    }
    // Names are stored 8-bit text, one byte a character.
    if (text.size() > kMaxNameLength) text = text.substr(0, kMaxNameLength);
    name_ = std::string(text);
}

void Element::drawLabel(Canvas&, std::uint32_t) {}

int Element::write(OutputStream& out) const {
    return writeBase(out);
}

int Element::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}

std::array<Vec3, 3> Element::supportPlane() const {
    return {};
}

int Element::parameterOf(const Vec3&, double&, double&) const {
    return 0;
}

int Element::pointAt(double, double, Vec3&) const {
    return 0;
}

bool Element::currentValue(double&) const {
    return false;
}

bool Element::parameterRange(double&, double&) const {
    return false;
}

void Element::setParameterValue(double) {}

int Element::writeBase(OutputStream& out) const {
    bool ok = writeI32(out, codeValue(typeCode_)) && writeI32(out, parentCount()) && writeI32(out, size) &&
              writeI32(out, shape) && writeU32(out, colour) && writeI32(out, savedSelection) &&
              writeI32(out, visible) && writeI32(out, macroIntermediate) && writeI32(out, key) &&
              writeString(out, name_) && writeI32(out, showLabel);
    for (std::int32_t parentKey : parentKeys) ok = ok && writeI32(out, parentKey);
    return ok ? 1 : 0;
}

int Element::readBase(InputStream& in, int fileVersion) {
    const int major = fileVersion / 1000;
    bool ok = readI32(in, size) && readI32(in, shape) && readU32(in, colour) && readI32(in, savedSelection) &&
              readI32(in, visible);
    macroIntermediate = 0;
    if (major >= 3) ok = ok && readI32(in, macroIntermediate);
    ok = ok && readI32(in, key) && readString(in, name_, kMaxStoredNameLength);
    if (ok && name_ && name_->size() > kMaxNameLength) {
        in.fail("an element name is longer than 99 characters");
        ok = false;
    }
    ok = ok && readI32(in, showLabel);
    for (std::int32_t& parentKey : parentKeys) ok = ok && readI32(in, parentKey);
    return ok ? 1 : 0;
}

std::size_t Element::memoryBytes() const {
    // A typical element class with its allocation overhead.
    constexpr std::size_t kRecordBytes = 256;
    return kRecordBytes + parents.capacity() * sizeof(Element*) +
           parentKeys.capacity() * sizeof(std::int32_t) + (name_ ? name_->capacity() : 0);
}
