#include "expr/format_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kExponentThreshold = 10'000'000.0;
constexpr double kTinyMagnitude = 1e-9;

// The decimal digits of `magnitude` (not negative, finite) rounded to `decimals` places, halves away
// from zero, as fixed-point text ("0.05", "123", "0.50").
std::string fixedText(double magnitude, int decimals) {
    // A tie (a fractional part of exactly one half in the last place) happens only for values
    // j / 2^(decimals + 1) with j odd; those are below 2^52 and scale exactly by powers of two.
    const double scaled = std::ldexp(magnitude, decimals + 1);
    if (magnitude < 0x1p52 && std::trunc(scaled) == scaled && std::fmod(scaled, 2.0) == 1.0) {
        std::uint64_t units = static_cast<std::uint64_t>(scaled);  // becomes 2 · magnitude · 10^d
        for (int i = 0; i < decimals; ++i) units *= 5;
        std::string digits = std::to_string((units + 1) / 2);
        if (decimals == 0) return digits;
        if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        }
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
        return digits;
    }
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    return std::string(buffer.data(), end);
}

std::string exponentText(double magnitude) {
    const std::string digits = fixedText(magnitude, 0);
    std::string text;
    text += digits[0];
    text += '.';
    text += digits.substr(1, 2);
    text += 'E';
    text += std::to_string(digits.size() - 1);
    return text;
}

}  // namespace

std::string formatNumber(double x, int decimals, bool trimZeros, bool snapTiny) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x < 0.0 ? "-inf" : "inf";
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const double magnitude = std::fabs(x);
    std::string text;
    if (magnitude > kExponentThreshold) {
        text = exponentText(magnitude);
    } else {
        if (snapTiny && magnitude < kTinyMagnitude) x = 0.0;
        text = fixedText(std::fabs(x), decimals);
        if (trimZeros && decimals > 0) {
            while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
        }
    }
    if (x < 0.0) text.insert(text.begin(), '-');
    return text;
}
