#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/vec3.h"
#include "model/font_record.h"

// Byte sinks and sources for construction and macro files. All numbers are
// little-endian, whatever the machine. A source never reads past its end: a
// short read fails and leaves the source failed, with a reason for the user.

class OutputStream {
  public:
    virtual ~OutputStream() = default;
    // Writes count bytes; false when they could not be written.
    virtual bool write(const void* data, std::size_t count) = 0;
};

class InputStream {
  public:
    virtual ~InputStream() = default;
    // Reads exactly count bytes; false (and failed) when fewer remain.
    virtual bool read(void* data, std::size_t count) = 0;
    // Bytes not yet read, so that counts read from a file can be checked
    // against what the file can still hold before anything is allocated.
    virtual std::size_t remaining() const = 0;

    bool failed() const { return failed_; }
    const std::string& failure() const { return failure_; }
    // Marks the stream failed; the first reason given is kept.
    void fail(std::string_view reason);

  private:
    bool failed_ = false;
    std::string failure_;
};

class MemoryOutputStream : public OutputStream {
  public:
    bool write(const void* data, std::size_t count) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Reads from bytes owned by someone else; they must outlive the stream.
class MemoryInputStream : public InputStream {
  public:
    explicit MemoryInputStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool read(void* data, std::size_t count) override;
    std::size_t remaining() const override { return bytes_.size() - offset_; }
    std::size_t offset() const { return offset_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

// Little-endian helpers. Each returns false when the stream refused the bytes.
bool writeI32(OutputStream& out, std::int32_t value);
bool writeU32(OutputStream& out, std::uint32_t value);
bool writeF32(OutputStream& out, float value);
bool writeF64(OutputStream& out, double value);
bool writeVec3(OutputStream& out, const Vec3& value);
// A string as its length counting the terminating NUL, then the bytes and the
// NUL. An absent string is the single length 0.
bool writeString(OutputStream& out, const std::optional<std::string>& text);

// Floating-point readers refuse NaN and infinities; floating-point writers put 0 for them.
bool readI32(InputStream& in, std::int32_t& value);
bool readU32(InputStream& in, std::uint32_t& value);
bool readF32(InputStream& in, float& value);
bool readF64(InputStream& in, double& value);
bool readVec3(InputStream& in, Vec3& value);
// Reads a string written by writeString. A length above maxLength (which
// counts the NUL) fails the stream before anything is allocated; the text is
// what precedes the first NUL. Length 0 gives no string.
bool readString(InputStream& in, std::optional<std::string>& text, std::uint32_t maxLength);

// The 64-byte font record of the files: the 60-byte logical font, then the
// colour kept with it. On a failed read both outputs are left as they were.
bool writeFontRecord(OutputStream& out, const FontRecord& font, std::uint32_t colour);
bool readFontRecord(InputStream& in, FontRecord& font, std::uint32_t& colour);
