#include "view/gl/tube_impostors.h"

#include <cmath>
#include <vector>

namespace {

// Texels along t (across the band), a (from 0 to 1) and b (from -1 to 1),
// filtered linearly; a band is a few pixels wide.
constexpr int kAcross = 32;
constexpr int kFacing = 32;
constexpr int kAside = 32;

// Layer by b, row by a, column by t.
void makeTexels(const LightTerms& lighting, std::vector<std::uint8_t>& texels) {
    std::size_t at = 0;
    for (int layer = 0; layer < kAside; ++layer) {
        const double b = (layer + 0.5) * 2.0 / kAside - 1.0;
        for (int row = 0; row < kFacing; ++row) {
            const double a = (row + 0.5) / kFacing;
            for (int column = 0; column < kAcross; ++column, at += 4) {
                const double t = (column + 0.5) * 2.0 / kAcross - 1.0;
                putShine(lighting, std::sqrt(1.0 - t * t) * a + t * b, &texels[at]);
            }
        }
    }
}

}  // namespace

TubeImpostors::TubeImpostors() : quads_(4, {kAcross, kFacing, kAside, true}, makeTexels) {}

bool TubeImpostors::add(Vec3 a, Vec3 b, double radius, std::uint32_t colour) {
    const double length = norm(b - a);
    if (!quads_.usable() || !(length > 0.0) || !(radius > 0.0)) return false;
    const Vec3 eyeAxis = quads_.eye().towards;
    const Vec3 along = (b - a) * (1.0 / length);
    const Vec3 ends[2] = {a, b};
    Vec3 front[2], across[2];
    for (int i = 0; i < 2; ++i) {
        Vec3 e = eyeAxis;
        if (quads_.central()) {
            e = quads_.eye().position - ends[i];
            const double d = norm(e);
            if (!(d > radius) || !std::isfinite(d)) return false;
            e = e * (1.0 / d);
        }
        // The part of the eye's direction across the tube faces the eye.
        const Vec3 f = e - along * dotProduct(e, along);
        const double n = norm(f);
        if (!(n > 1e-6)) return false;
        front[i] = f * (1.0 / n);
        across[i] = crossProduct(along, front[i]);
    }
    // Corners: a's side -s, a's +s, b's +s, b's -s.
    for (const auto& [end, side] : {std::pair{0, -1}, std::pair{0, 1}, std::pair{1, 1}, std::pair{1, -1}}) {
        const std::array<float, 3> texel{side < 0 ? 0.0f : 1.0f,
                                         static_cast<float>(dotProduct(front[end], eyeAxis)),
                                         static_cast<float>(0.5 * (dotProduct(across[end], eyeAxis) + 1.0))};
        quads_.corner(ends[end] + (front[end] + across[end] * side) * radius, texel, colour);
    }
    return true;
}
