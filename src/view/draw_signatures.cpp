#include "view/draw_signatures.h"

#include <bit>
#include <cstring>
#include <string_view>

#include "model/element.h"
#include "view/label_placement.h"

// Eight bytes at a time in the rounds of xxHash64 (multiply, rotate,
// multiply), the last few one by one: about eight times faster than a byte at
// a time, and every frame hashes what every element draws.
std::uint64_t hashBytes(std::uint64_t hash, const void* data, std::size_t size) {
    constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
    constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
    constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
    constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + i, 8);
        hash ^= std::rotl(word * kPrime2, 31) * kPrime1;
        hash = std::rotl(hash, 27) * kPrime1 + kPrime4;
    }
    for (; i < size; ++i) {
        hash ^= bytes[i] * kPrime5;
        hash = std::rotl(hash, 11) * kPrime1;
    }
    return hash;
}

namespace {

// Each argument by its bytes; texts and lists by their contents.
struct Bytes {
    const void* data;
    std::size_t size;
};

template <typename T>
Bytes bytesOf(const T& value) {
    return {&value, sizeof value};
}
Bytes bytesOf(std::string_view s) {
    return {s.data(), s.size()};
}
Bytes bytesOf(std::span<const Vec3> list) {
    return {list.data(), list.size_bytes()};
}

}  // namespace

SignatureCanvas::SignatureCanvas(const ViewState& view, Viewport viewport, const ScreenTextContext& texts)
    : view_(view), viewport_(viewport), texts_(texts) {}

void SignatureCanvas::mixBytes(const void* data, std::size_t size) {
    // The length first, so that lists and texts cannot run into each other.
    const std::uint64_t length = size;
    *current_ = hashBytes(*current_, &length, sizeof length);
    *current_ = hashBytes(*current_, data, size);
}

template <typename... Values>
void SignatureCanvas::mix(int call, const Values&... values) {
    *current_ = hashBytes(*current_, &call, sizeof call);
    (
        [&] {
            const Bytes b = bytesOf(values);
            mixBytes(b.data, b.size);
        }(),
        ...);
}

void SignatureCanvas::dot(Vec3 position, std::uint32_t colour, int size, int shape) {
    mix(1, position, colour, size, shape);
}

void SignatureCanvas::segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                              bool extend) {
    mix(2, a, b, colour, size, shape, projection, extend);
}

void SignatureCanvas::arrow(Vec3 start, Vec3 end, std::uint32_t colour, int size, int shape, int projection) {
    mix(3, start, end, colour, size, shape, projection);
}

void SignatureCanvas::flatPolygon(std::span<const Vec3> vertices, std::uint32_t colour) {
    mix(4, vertices, colour);
}

void SignatureCanvas::tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t colour) {
    mix(5, vertices, normal, colour);
}

void SignatureCanvas::ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour,
                           int size, int shape) {
    mix(6, centre, normal, radius, segments, colour, size, shape);
}

void SignatureCanvas::sphere(Vec3 centre, double radius, std::uint32_t colour) {
    mix(7, centre, radius, colour);
}

void SignatureCanvas::cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                               std::uint32_t colour) {
    mix(8, baseCentre, axis, baseRadius, topRadius, height, colour);
}

void SignatureCanvas::triangles(std::span<const Vec3> vertices, std::span<const Vec3> normals,
                                std::uint32_t colour) {
    mix(9, vertices, normals, colour);
}

void SignatureCanvas::screenText(int x, int y, std::string_view text, const FontRecord& font,
                                 std::uint32_t colour) {
    mix(10, x, y, text, font, colour);
}

void SignatureCanvas::richText(int x, int y, int width, int height, std::string_view rtf,
                               std::uint32_t textColour, std::optional<std::uint32_t> frameColour) {
    const std::int64_t frame = frameColour ? std::int64_t{*frameColour} : -1;
    mix(11, x, y, width, height, rtf, textColour, frame);
}

void SignatureCanvas::label(Vec3 anchor, std::string_view text, std::uint32_t colour) {
    mix(12, anchor, text, colour);
}

void SignatureCanvas::guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) {
    mix(13, a, b, colour, dashed);
}

void SignatureCanvas::guideDot(Vec3 position, std::uint32_t colour, int pixels) {
    mix(14, position, colour, pixels);
}

Vec3 SignatureCanvas::unproject(double windowX, double windowY, double depth) const {
    return unprojectPoint(view_, viewport_, windowX, windowY, depth);
}

Vec3 SignatureCanvas::towardsViewer(Vec3 point, double distance) const {
    return ::towardsViewer(view_, viewport_, point, distance);
}

DrawSignatures drawSignatures(Construction& construction, const DrawSettings& settings, const ViewState& view,
                              Viewport viewport, const ScreenTextContext& texts) {
    DrawSignatures out;
    const auto n = static_cast<std::size_t>(construction.count());
    out.byElement.assign(n, kEmptySignature);
    out.surface.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        out.surface[i] = isSurfaceKind(construction.at(static_cast<int>(i))->kind()) ? 1 : 0;
    SignatureCanvas canvas(view, viewport, texts);
    for (const bool surfaces : {false, true}) {
        construction.drawPass(canvas, settings, surfaces, [&](int index) {
            canvas.beginElement(out.byElement[static_cast<std::size_t>(index)]);
            return true;
        });
    }
    return out;
}
