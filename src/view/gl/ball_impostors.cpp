#include "view/gl/ball_impostors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Texels across one tile; a ball drawn this way is a few pixels across, so a
// texel is a small part of a pixel. A tile spans a little more than the disc,
// so that its edges, which everything beyond it takes, cut everything away.
constexpr int kTileTexels = 64;
constexpr double kTileReach = kTileTexels / (kTileTexels - 2.0);
// Tiles by the angle between the eye axis and the line to the ball, from 0 in
// steps of this many degrees; a ball further off the axis (outside any view)
// takes the last.
constexpr int kTiles = 32;
constexpr double kTileDegrees = 2.0;

// Tile k (a layer of the texture) shows a ball seen at (k + 1/2) tile steps off
// the eye axis. In the tile, u runs towards the eye axis as seen from the ball
// and v across; the ball's normal at (u, v) is u p + v q + w e (e towards the
// eye, p the eye axis' part across e), and its eye-space z is u sin t + w cos t.
void makeTexels(const LightTerms& lighting, std::vector<std::uint8_t>& texels) {
    std::size_t at = 0;
    for (int tile = 0; tile < kTiles; ++tile) {
        const double angle = (tile + 0.5) * kTileDegrees * std::numbers::pi / 180.0;
        for (int row = 0; row < kTileTexels; ++row) {
            const double v = ((row + 0.5) * 2.0 / kTileTexels - 1.0) * kTileReach;
            for (int column = 0; column < kTileTexels; ++column, at += 4) {
                const double u = ((column + 0.5) * 2.0 / kTileTexels - 1.0) * kTileReach;
                const double inside = 1.0 - u * u - v * v;
                if (!(inside > 0.0)) {
                    std::fill_n(texels.begin() + static_cast<std::ptrdiff_t>(at), 4, std::uint8_t{0});
                    continue;
                }
                const double z = u * std::sin(angle) + std::sqrt(inside) * std::cos(angle);
                putShine(lighting, z, &texels[at]);
            }
        }
    }
}

}  // namespace

BallImpostors::BallImpostors() : triangles_(3, {kTileTexels, kTileTexels, kTiles, false}, makeTexels) {}

bool BallImpostors::add(Vec3 centre, double radius, std::uint32_t colour) {
    if (!triangles_.usable() || !(radius > 0.0)) return false;
    const Vec3 eyeAxis = triangles_.eye().towards;
    // e: from the ball towards the eye; the disc shrinks as it comes nearer.
    Vec3 e = eyeAxis;
    double shrink = 1.0;
    if (triangles_.central()) {
        const Vec3 towards = triangles_.eye().position - centre;
        const double distance = norm(towards);
        if (!(distance > radius) || !std::isfinite(distance)) return false;
        e = towards * (1.0 / distance);
        shrink = (distance - radius) / distance;
    }
    const double cosine = std::clamp(dotProduct(e, eyeAxis), -1.0, 1.0);
    Vec3 p = eyeAxis - e * cosine;
    double across = norm(p);
    if (!(across > 1e-9)) {
        // On the axis: any direction across it.
        p = crossProduct(e, std::fabs(e.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0});
        across = norm(p);
    }
    p = p * (radius * shrink / across);
    const Vec3 q = crossProduct(e, p);
    const Vec3 front = centre + e * radius;
    const double degrees = std::acos(cosine) * 180.0 / std::numbers::pi;
    const int tile = std::min(kTiles - 1, static_cast<int>(degrees / kTileDegrees));
    const auto layer = static_cast<float>((tile + 0.5) / kTiles);
    // The triangle about the unit disc, its corners twice as far from the centre.
    const double half = std::sqrt(3.0);
    for (const auto& [u, v] : {std::pair{0.0, 2.0}, std::pair{-half, -1.0}, std::pair{half, -1.0}}) {
        const std::array<float, 3> texel{static_cast<float>(0.5 + 0.5 * u / kTileReach),
                                         static_cast<float>(0.5 + 0.5 * v / kTileReach), layer};
        triangles_.corner(front + p * u + q * v, texel, colour);
    }
    return true;
}
