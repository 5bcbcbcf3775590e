#include "view/gl/live_tiles.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels added on every side: a pixel is drawn when its centre is covered.
constexpr double kMargin = 1.0;

}  // namespace

void LiveTiles::begin(const Matrix4& clipFromModel, const std::array<int, 4>& viewport) {
    clip_ = clipFromModel;
    viewport_ = viewport;
    columns_ = std::max(0, (viewport[2] + kTile - 1) / kTile);
    rows_ = std::max(0, (viewport[3] + kTile - 1) / kTile);
    marked_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0);
    all_ = false;
}

bool LiveTiles::windowBox(Vec3 centre, double half, Box& box) const {
    box = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const double* m = clip_.m;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{centre.x + ((corner & 1) ? half : -half), centre.y + ((corner & 2) ? half : -half),
                     centre.z + ((corner & 4) ? half : -half)};
        const double x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
        const double y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
        const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
        if (!(w > 1e-9)) return false;
        const double wx = (x / w + 1.0) * 0.5 * viewport_[2];
        const double wy = (y / w + 1.0) * 0.5 * viewport_[3];
        if (!std::isfinite(wx) || !std::isfinite(wy)) return false;
        box = {std::min(box.x0, wx), std::min(box.y0, wy), std::max(box.x1, wx), std::max(box.y1, wy)};
    }
    box = {box.x0 - kMargin, box.y0 - kMargin, box.x1 + kMargin, box.y1 + kMargin};
    return true;
}

// Every shape drawn of a tube lies within twice its radius of its axis (a flat
// form's corners within the square root of two), so within the hull of the
// cubes about its ends of that half side; its pixels lie within the hull of the
// two cubes' window boxes. Row by row of tiles, that hull holds the boxes
// between them, (1 - t) A + t B for t from 0 to 1: those that reach the row
// take t from an interval, and their columns span from their ends.
void LiveTiles::markTube(Vec3 a, Vec3 b, double radius) {
    if (all_) return;
    Box A{}, B{};
    const bool boxes = radius >= 0.0 && windowBox(a, 2.0 * radius, A) &&
                       (a == b ? (B = A, true) : windowBox(b, 2.0 * radius, B));  // a ball: one box
    if (!boxes) {
        all_ = true;
        return;
    }
    const auto lerp = [](double p, double q, double t) { return p + (q - p) * t; };
    const int firstRow = std::max(0, static_cast<int>(std::floor(std::min(A.y0, B.y0) / kTile)));
    const int lastRow = std::min(rows_ - 1, static_cast<int>(std::floor(std::max(A.y1, B.y1) / kTile)));
    for (int row = firstRow; row <= lastRow; ++row) {
        const double low = row * kTile, high = low + kTile;
        // The boxes whose bottom lies below the row's top and whose top above its bottom.
        double t0 = 0.0, t1 = 1.0;
        const auto keep = [&](double p, double q, double bound, bool below) {
            // lerp(p, q, t) <= bound (below) or >= bound.
            const double d = q - p;
            if (d == 0.0) {
                if (below ? p > bound : p < bound) t0 = 1.0, t1 = 0.0;
                return;
            }
            const double t = (bound - p) / d;
            if ((d > 0.0) == below)
                t1 = std::min(t1, t);
            else
                t0 = std::max(t0, t);
        };
        keep(A.y0, B.y0, high, true);
        keep(A.y1, B.y1, low, false);
        if (!(t0 <= t1)) continue;
        const double left = std::min(lerp(A.x0, B.x0, t0), lerp(A.x0, B.x0, t1));
        const double right = std::max(lerp(A.x1, B.x1, t0), lerp(A.x1, B.x1, t1));
        const int first = std::max(0, static_cast<int>(std::floor(left / kTile)));
        const int last = std::min(columns_ - 1, static_cast<int>(std::floor(right / kTile)));
        if (first <= last)
            std::fill_n(marked_.begin() + static_cast<std::ptrdiff_t>(row) * columns_ + first,
                        last - first + 1, 1);
    }
}

std::vector<std::array<float, 4>> LiveTiles::rectangles() const {
    if (all_) return {{-1.0f, -1.0f, 1.0f, 1.0f}};
    std::vector<std::array<float, 4>> out;
    const auto ndc = [](int pixels, int size) {
        return std::min(1.0f, static_cast<float>(2.0 * pixels / size - 1.0));
    };
    for (int row = 0; row < rows_; ++row) {
        const unsigned char* line = &marked_[static_cast<std::size_t>(row) * columns_];
        for (int column = 0; column < columns_;) {
            if (!line[column]) {
                ++column;
                continue;
            }
            int end = column;
            while (end < columns_ && line[end]) ++end;
            out.push_back({ndc(column * kTile, viewport_[2]), ndc(row * kTile, viewport_[3]),
                           ndc(end * kTile, viewport_[2]), ndc((row + 1) * kTile, viewport_[3])});
            column = end;
        }
    }
    return out;
}

double LiveTiles::share() const {
    if (all_) return 1.0;
    if (marked_.empty()) return 0.0;
    return static_cast<double>(std::count(marked_.begin(), marked_.end(), 1)) /
           static_cast<double>(marked_.size());
}
