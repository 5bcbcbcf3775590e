#include "model/byte_stream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

void InputStream::fail(std::string_view reason) {
    if (!failed_) failure_ = reason;
    failed_ = true;
}

bool MemoryOutputStream::write(const void* data, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
    return true;
}

bool MemoryInputStream::read(void* data, std::size_t count) {
    if (failed()) return false;
    if (count > remaining()) {
        offset_ = bytes_.size();
        fail("the file ends in the middle of a record");
        return false;
    }
    if (count > 0) std::memcpy(data, bytes_.data() + offset_, count);
    offset_ += count;
    return true;
}

namespace {

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);

template <typename T>
bool writeLittle(OutputStream& out, T value) {
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
    return out.write(bytes, sizeof(T));
}

template <typename T>
bool readLittle(InputStream& in, T& value) {
    std::uint8_t bytes[sizeof(T)];
    if (!in.read(bytes, sizeof(T))) return false;
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(&value, bytes, sizeof(T));
    return true;
}

}  // namespace

bool writeI32(OutputStream& out, std::int32_t value) {
    return writeLittle(out, value);
}
bool writeU32(OutputStream& out, std::uint32_t value) {
    return writeLittle(out, value);
}
// Files never hold NaN or infinities (readers refuse them), so a value that
// went wrong in memory is written as 0.
bool writeF32(OutputStream& out, float value) {
    return writeLittle(out, std::isfinite(value) ? value : 0.0f);
}
bool writeF64(OutputStream& out, double value) {
    return writeLittle(out, std::isfinite(value) ? value : 0.0);
}
bool writeVec3(OutputStream& out, const Vec3& value) {
    return writeF64(out, value.x) && writeF64(out, value.y) && writeF64(out, value.z);
}

bool writeString(OutputStream& out, const std::optional<std::string>& text) {
    if (!text) return writeU32(out, 0);
    const std::uint32_t length = static_cast<std::uint32_t>(text->size() + 1);
    const char nul = 0;
    return writeU32(out, length) && out.write(text->data(), text->size()) && out.write(&nul, 1);
}

bool readI32(InputStream& in, std::int32_t& value) {
    return readLittle(in, value);
}
bool readU32(InputStream& in, std::uint32_t& value) {
    return readLittle(in, value);
}
namespace {

template <typename T>
bool readFinite(InputStream& in, T& value) {
    T read{};
    if (!readLittle(in, read)) return false;
    if (!std::isfinite(read)) {
        in.fail("the file holds a number that is not finite");
        return false;
    }
    value = read;
    return true;
}

}  // namespace

bool readF32(InputStream& in, float& value) {
    return readFinite(in, value);
}
bool readF64(InputStream& in, double& value) {
    return readFinite(in, value);
}
bool readVec3(InputStream& in, Vec3& value) {
    return readF64(in, value.x) && readF64(in, value.y) && readF64(in, value.z);
}

bool readString(InputStream& in, std::optional<std::string>& text, std::uint32_t maxLength) {
    std::uint32_t length = 0;
    if (!readU32(in, length)) return false;
    if (length == 0) {
        text.reset();
        return true;
    }
    if (length > maxLength) {
        in.fail("a text is longer than the file format allows");
        return false;
    }
    if (length > in.remaining()) {
        in.fail("the file ends in the middle of a text");
        return false;
    }
    std::string bytes(length, '\0');
    if (!in.read(bytes.data(), length)) return false;
    bytes.resize(std::strlen(bytes.c_str()));
    text = std::move(bytes);
    return true;
}

bool writeFontRecord(OutputStream& out, const FontRecord& font, std::uint32_t colour) {
    return out.write(font.bytes.data(), font.bytes.size()) && writeU32(out, colour);
}

bool readFontRecord(InputStream& in, FontRecord& font, std::uint32_t& colour) {
    FontRecord read;
    std::uint32_t readColour = 0;
    if (!in.read(read.bytes.data(), read.bytes.size()) || !readU32(in, readColour)) return false;
    font = read;
    colour = readColour;
    return true;
}
