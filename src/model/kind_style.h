#pragma once

#include <cstdint>

// Default appearance of new elements of one kind: five 32-bit words, stored as
// such in construction files and settings. The reserved words are carried, never read.
struct KindStyle {
    std::int32_t reserved0 = 0;
    std::int32_t size = 0;
    std::int32_t shape = 0;
    std::int32_t reserved1 = 0;
    std::uint32_t colour = 0;

    friend bool operator==(const KindStyle&, const KindStyle&) = default;
};
