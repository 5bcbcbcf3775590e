#pragma once

#include <array>
#include <cstdint>

// A font as the files store it: the 60-byte logical-font record (height, width,
// escapement, orientation, weight as 32-bit integers; italic, underline,
// strike-out, character set, output/clip precision, quality, pitch-and-family as
// single bytes; a 32-byte face name), kept byte for byte so files round-trip.
struct FontRecord {
    std::array<std::uint8_t, 60> bytes{};

    friend bool operator==(const FontRecord&, const FontRecord&) = default;
};
