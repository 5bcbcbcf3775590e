#include "view/vector_canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "elements/style_tables.h"
#include "lang/text_encoding.h"
#include "view/label_placement.h"

namespace {

// The view's light (view/gl/gl_state.cpp): ambient 0.5 and the global 0.2 on
// the colour, a white diffuse 0.3 and a specular 0.1 of shininess 56, along
// the line of sight.
constexpr double kAmbient = 0.7;
constexpr double kDiffuse = 0.3;
constexpr double kSpecular = 0.1;
constexpr double kShininess = 56.0;
// The mean lighting across a ball's disc and a tube's width (the mean cosine).
constexpr double kBallLight = 2.0 / 3.0;
constexpr double kTubeLight = std::numbers::pi / 4.0;
constexpr double kSurfaceOpacity = 0.8;
constexpr double kPolygonOpacity = 0.98;
constexpr double kPlaneOpacity = 240.0 / 255.0;
constexpr double kFogDensity = 0.01;
constexpr double kHeadRadius = 0.1;
constexpr double kHeadLength = 0.3;
constexpr int kFewestSides = 8;
constexpr int kMostSides = 64;
constexpr int kMostSplits = 4;
// How far back in the painting order a piece looks for pieces of its polygon.
constexpr std::size_t kMostLookBack = 4096;
// Lines and discs lying on a face are painted after it.
constexpr double kOverFaceBias = 1e-3;

double at(const Matrix4& a, int row, int column) {
    return a.m[column * 4 + row];
}

std::uint8_t channel(std::uint32_t c, int shift) {
    return static_cast<std::uint8_t>((c >> shift) & 0xFF);
}

std::uint32_t rgb(double r, double g, double b) {
    const auto byte = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    return byte(r) | (byte(g) << 8) | (byte(b) << 16);
}

std::uint32_t litBy(std::uint32_t colour, double cosine) {
    const double d = std::clamp(std::fabs(cosine), 0.0, 1.0);
    const double add = kDiffuse * d + kSpecular * std::pow(d, kShininess);
    return rgb(channel(colour, 0) / 255.0 * kAmbient + add, channel(colour, 8) / 255.0 * kAmbient + add,
               channel(colour, 16) / 255.0 * kAmbient + add);
}

// A unit vector perpendicular to w (unit).
Vec3 perpendicular(Vec3 w) {
    const Vec3 helper = std::fabs(w.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 u = crossProduct(w, helper);
    return u * (1.0 / norm(u));
}

double length2d(Vec2 v) {
    return std::hypot(v.x, v.y);
}

// Clips a segment to the rectangle; false when nothing is left. t0 and t1 are
// the parameters of the kept part along a → b.
bool clipToRectangle(Vec2 a, Vec2 b, double left, double top, double right, double bottom, double& t0,
                     double& t1) {
    t0 = 0.0;
    t1 = 1.0;
    const Vec2 d = b - a;
    const double p[4] = {-d.x, d.x, -d.y, d.y};
    const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 < t1;
}

bool convex(const std::vector<Vec2>& p) {
    int sign = 0;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 a = p[(i + 1) % n] - p[i];
        const Vec2 b = p[(i + 2) % n] - p[(i + 1) % n];
        const double cross = a.x * b.y - a.y * b.x;
        if (std::fabs(cross) < 1e-9) continue;
        const int s = cross > 0.0 ? 1 : -1;
        if (sign != 0 && s != sign) return false;
        sign = s;
    }
    return true;
}

struct Box {
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    void add(Vec2 p, double margin) {
        left = std::min(left, p.x - margin), right = std::max(right, p.x + margin);
        top = std::min(top, p.y - margin), bottom = std::max(bottom, p.y + margin);
    }
    void add(const Box& b) {
        left = std::min(left, b.left), right = std::max(right, b.right);
        top = std::min(top, b.top), bottom = std::max(bottom, b.bottom);
    }
    bool overlaps(const Box& b) const {
        return left <= b.right && b.left <= right && top <= b.bottom && b.top <= bottom;
    }
};

Box boxOf(const VectorShape& s) {
    Box box;
    const double margin = s.kind == VectorShape::Kind::Fill ? 1.0 : 0.5 * s.width + 1.0;
    for (const Vec2& p : s.points) box.add(p, margin);
    return box;
}

}  // namespace

VectorCanvas::VectorCanvas(const ViewState& view, Viewport viewport, const ScreenTextContext& texts,
                           const FontRecord& labelFont)
    : view_(view),
      viewport_(viewport),
      modelView_(modelViewMatrix(view)),
      projection_(projectionMatrix(view, viewport)),
      texts_(texts),
      labelFont_(labelFont) {}

VectorPicture VectorCanvas::picture() const {
    VectorPicture p;
    p.width = viewport_.width;
    p.height = viewport_.height;
    p.background = view_.backgroundColour;
    std::vector<VectorShape> sorted = shapes_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const VectorShape& a, const VectorShape& b) { return a.depth > b.depth; });
    // A piece joins an earlier piece of its polygon when nothing painted in
    // between overlaps it, so the order of what is painted stays the same.
    std::vector<Box> boxes;
    std::map<int, std::size_t> lastOfSource;
    for (VectorShape& s : sorted) {
        const Box box = boxOf(s);
        if (s.kind == VectorShape::Kind::Fill) {
            const auto found = lastOfSource.find(s.source);
            if (found != lastOfSource.end() && p.shapes.size() - found->second <= kMostLookBack) {
                VectorShape& earlier = p.shapes[found->second];
                bool free = earlier.colour == s.colour && earlier.opacity == s.opacity;
                for (std::size_t i = found->second + 1; free && i < p.shapes.size(); ++i)
                    free = !boxes[i].overlaps(box);
                if (free) {
                    earlier.outlineStarts.push_back(earlier.points.size());
                    earlier.points.insert(earlier.points.end(), s.points.begin(), s.points.end());
                    boxes[found->second].add(box);
                    continue;
                }
            }
            lastOfSource[s.source] = p.shapes.size();
        }
        boxes.push_back(box);
        p.shapes.push_back(std::move(s));
    }
    p.shapes.insert(p.shapes.end(), texts2d_.begin(), texts2d_.end());
    return p;
}

Vec3 VectorCanvas::toEye(Vec3 p) const {
    const Matrix4& m = modelView_;
    return {at(m, 0, 0) * p.x + at(m, 0, 1) * p.y + at(m, 0, 2) * p.z + at(m, 0, 3),
            at(m, 1, 0) * p.x + at(m, 1, 1) * p.y + at(m, 1, 2) * p.z + at(m, 1, 3),
            at(m, 2, 0) * p.x + at(m, 2, 1) * p.y + at(m, 2, 2) * p.z + at(m, 2, 3)};
}

VectorCanvas::Projected VectorCanvas::project(Vec3 e) const {
    const Matrix4& m = projection_;
    double clip[4];
    for (int r = 0; r < 4; ++r)
        clip[r] = at(m, r, 0) * e.x + at(m, r, 1) * e.y + at(m, r, 2) * e.z + at(m, r, 3);
    const double w = clip[3] != 0.0 ? clip[3] : 1e-12;
    const double w2 = viewport_.width > 0 ? viewport_.width : 1;
    const double h2 = viewport_.height > 0 ? viewport_.height : 1;
    return {{(clip[0] / w + 1.0) * 0.5 * w2, (1.0 - clip[1] / w) * 0.5 * h2}, -e.z};
}

double VectorCanvas::pixelsPerUnit(Vec3 p) const {
    const double w = view_.projection == 0 ? std::max(-toEye(p).z, nearPlane(view_)) : 1.0;
    return std::fabs(projection_.m[5]) * 0.5 * std::max(viewport_.height, 1) / w;
}

std::uint32_t VectorCanvas::lit(std::uint32_t colour, Vec3 normal) const {
    const Matrix4& m = modelView_;
    const double z = at(m, 2, 0) * normal.x + at(m, 2, 1) * normal.y + at(m, 2, 2) * normal.z;
    const double n = norm(normal);
    return litBy(colour, n > 0.0 ? z / n : 0.0);
}

std::uint32_t VectorCanvas::fogged(std::uint32_t colour, double depth, int projection) const {
    if (projection != 0) return colour;
    const double f = std::exp(-kFogDensity * std::max(depth, 0.0));
    const std::uint32_t bg = view_.backgroundColour;
    const auto mix = [&](int shift) {
        return (f * channel(colour, shift) + (1.0 - f) * channel(bg, shift)) / 255.0;
    };
    return rgb(mix(0), mix(8), mix(16));
}

int VectorCanvas::sidesFor(Vec3 centre, double radius) const {
    // The polygon strays at most half a pixel from the circle.
    const double pixels = radius * pixelsPerUnit(centre);
    if (!(pixels > 0.5) || !std::isfinite(pixels)) return kFewestSides;
    const double sides = std::numbers::pi / std::acos(1.0 - 0.5 / pixels);
    return std::clamp(static_cast<int>(std::ceil(sides / 2.0)) * 2, kFewestSides, kMostSides);
}

void VectorCanvas::stroke(Vec3 a, Vec3 b, std::uint32_t colour, double width, bool dashed, bool fog) {
    // A tube passing by the eye would be wider than any window.
    width = std::min(width, 2.0 * std::max(viewport_.width, viewport_.height));
    Vec3 ea = toEye(a), eb = toEye(b);
    if (view_.projection == 0) {
        // Cut at (just beyond) the near plane.
        const double zn = -nearPlane(view_) * 1.01;
        const bool ina = ea.z <= zn, inb = eb.z <= zn;
        if (!ina && !inb) return;
        if (ina != inb) {
            const double t = (zn - ea.z) / (eb.z - ea.z);
            const Vec3 cut = ea + (eb - ea) * t;
            (ina ? eb : ea) = cut;
        }
    }
    const Projected pa = project(ea), pb = project(eb);
    const double margin = width + 2.0;
    double t0 = 0.0, t1 = 1.0;
    if (!clipToRectangle(pa.window, pb.window, -margin, -margin, viewport_.width + margin,
                         viewport_.height + margin, t0, t1))
        return;
    // Distances from the eye run harmonically along the screen in central projection.
    const auto depthAt = [&](double t) {
        if (view_.projection != 0) return pa.depth + (pb.depth - pa.depth) * t;
        return 1.0 / ((1.0 - t) / pa.depth + t / pb.depth);
    };
    const Vec2 d = pb.window - pa.window;
    const double pixels = length2d(d) * (t1 - t0);
    const int pieces = dashed ? 1 : std::max(1, static_cast<int>(std::ceil(pixels / kMaxPiecePixels)));
    // Pieces overlap by half a pixel, so that no seam shows between them.
    const double overlap = pixels > 0.0 ? 0.5 / length2d(d) : 0.0;
    for (int i = 0; i < pieces; ++i) {
        const double s0 = t0 + (t1 - t0) * i / pieces, s1 = t0 + (t1 - t0) * (i + 1) / pieces;
        VectorShape s;
        s.kind = VectorShape::Kind::Stroke;
        s.points = {pa.window + d * std::max(t0, s0 - overlap), pa.window + d * std::min(t1, s1 + overlap)};
        s.depth = depthAt(0.5 * (s0 + s1)) * (1.0 - kOverFaceBias);
        s.colour = fog ? fogged(colour, s.depth, view_.projection) : colour;
        s.width = width;
        s.dashed = dashed;
        shapes_.push_back(std::move(s));
    }
}

double VectorCanvas::largePixels() const {
    return std::max(viewport_.width, viewport_.height) / 3.0;
}

void VectorCanvas::fill(std::span<const Vec3> vertices, std::uint32_t colour, double opacity,
                        double splitPixels) {
    ++source_;
    std::vector<Vec3> eye;
    eye.reserve(vertices.size());
    for (const Vec3& v : vertices) eye.push_back(toEye(v));
    if (view_.projection == 0) {
        // Sutherland–Hodgman against the near plane.
        const double zn = -nearPlane(view_) * 1.01;
        std::vector<Vec3> kept;
        for (std::size_t i = 0; i < eye.size(); ++i) {
            const Vec3 p = eye[i], q = eye[(i + 1) % eye.size()];
            const bool inp = p.z <= zn, inq = q.z <= zn;
            if (inp) kept.push_back(p);
            if (inp != inq) kept.push_back(p + (q - p) * ((zn - p.z) / (q.z - p.z)));
        }
        eye = std::move(kept);
    }
    if (eye.size() < 3) return;
    std::vector<Vec2> window;
    for (const Vec3& e : eye) window.push_back(project(e).window);
    fillPiece(eye, colour, opacity, convex(window) ? 0 : kMostSplits, splitPixels);
}

// A convex piece (level < kMostSplits) too large on screen is cut into a fan
// of triangles and each triangle into four, until the pieces are small.
void VectorCanvas::fillPiece(const std::vector<Vec3>& eye, std::uint32_t colour, double opacity, int level,
                             double splitPixels) {
    VectorShape s;
    s.kind = VectorShape::Kind::Fill;
    double depth = 0.0, longest = 0.0;
    double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
    for (const Vec3& e : eye) {
        const Projected p = project(e);
        if (!s.points.empty()) longest = std::max(longest, length2d(p.window - s.points.back()));
        s.points.push_back(p.window);
        depth += p.depth;
        left = std::min(left, p.window.x), right = std::max(right, p.window.x);
        top = std::min(top, p.window.y), bottom = std::max(bottom, p.window.y);
    }
    longest = std::max(longest, length2d(s.points.front() - s.points.back()));
    if (right < 0.0 || bottom < 0.0 || left > viewport_.width || top > viewport_.height) return;
    if (level < kMostSplits && longest > splitPixels) {
        const auto mid = [](Vec3 a, Vec3 b) { return (a + b) * 0.5; };
        for (std::size_t i = 1; i + 1 < eye.size(); ++i) {
            const Vec3 a = eye[0], b = eye[i], c = eye[i + 1];
            const Vec3 ab = mid(a, b), bc = mid(b, c), ca = mid(c, a);
            for (const auto& t : {std::vector<Vec3>{a, ab, ca}, std::vector<Vec3>{ab, b, bc},
                                  std::vector<Vec3>{ca, bc, c}, std::vector<Vec3>{ab, bc, ca}})
                fillPiece(t, colour, opacity, level + 1, 2.0 * kMaxPiecePixels);
        }
        return;
    }
    s.depth = depth / static_cast<double>(eye.size());
    s.colour = colour;
    s.opacity = opacity;
    s.source = source_;
    shapes_.push_back(std::move(s));
}

void VectorCanvas::quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, std::uint32_t colour, double opacity) {
    const Vec3 normal = crossProduct(c - a, d - b);
    const Vec3 corners[] = {a, b, c, d};
    fill(corners, lit(colour, normal), opacity, largePixels());
}

void VectorCanvas::disc(Vec3 position, double width, std::uint32_t colour) {
    const Vec3 e = toEye(position);
    if (view_.projection == 0 && e.z > -nearPlane(view_)) return;
    const Projected p = project(e);
    if (p.window.x < -width || p.window.y < -width || p.window.x > viewport_.width + width ||
        p.window.y > viewport_.height + width)
        return;
    VectorShape s;
    s.kind = VectorShape::Kind::Disc;
    s.points = {p.window};
    s.depth = p.depth * (1.0 - kOverFaceBias);
    s.width = width;
    s.colour = colour;
    shapes_.push_back(std::move(s));
}

void VectorCanvas::dot(Vec3 position, std::uint32_t colour, int size, int shape) {
    if (shape == 1)
        disc(position, kPointPixels[static_cast<std::size_t>(clampSizeIndex(size))], colour);
    else
        disc(position, 2.0 * pointRadius(size) * pixelsPerUnit(position), litBy(colour, kBallLight));
}

void VectorCanvas::segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection, bool) {
    if (shape == 1) {
        stroke(a, b, colour, kLinePixels[static_cast<std::size_t>(clampSizeIndex(size))], false,
               projection == 0);
        return;
    }
    const double width = 2.0 * lineRadius(size) * pixelsPerUnit((a + b) * 0.5);
    stroke(a, b, litBy(colour, kTubeLight), std::max(width, 0.5), false, projection == 0);
}

void VectorCanvas::arrow(Vec3 start, Vec3 end, std::uint32_t colour, int size, int shape, int projection) {
    const Vec3 direction = end - start;
    const double length = norm(direction);
    if (!(length > 0.0)) return;
    const Vec3 unit = direction * (1.0 / length);
    const bool axis = size == -1;
    const double headLength = axis ? length / 7.0 : kHeadLength;
    const double headRadius = axis ? headLength / 2.0 : kHeadRadius;
    const Vec3 headBase = end - unit * headLength;
    const std::uint32_t tube = litBy(colour, kTubeLight);
    if (shape == 1 && !axis) {
        stroke(start, headBase, colour, kLinePixels[static_cast<std::size_t>(clampSizeIndex(size))], false,
               projection == 0);
    } else {
        const double radius = axis ? 0.02 * length : lineRadius(size);
        stroke(start, headBase, tube, std::max(2.0 * radius * pixelsPerUnit(start), 0.5), false,
               projection == 0);
    }
    // The head: the cone's outline, a triangle from its base's edges to the tip.
    const Vec3 eb = toEye(headBase), et = toEye(end);
    if (view_.projection == 0 && (eb.z > -nearPlane(view_) || et.z > -nearPlane(view_))) return;
    const Projected base = project(eb), tip = project(et);
    const double half = headRadius * pixelsPerUnit(headBase);
    const Vec2 d = tip.window - base.window;
    VectorShape s;
    s.depth = 0.5 * (base.depth + tip.depth) * (1.0 - kOverFaceBias);
    s.colour = projection == 0 ? fogged(tube, s.depth, 0) : tube;
    if (length2d(d) < half) {
        s.kind = VectorShape::Kind::Disc;
        s.points = {base.window};
        s.width = 2.0 * half;
    } else {
        const Vec2 across = Vec2{-d.y, d.x} * (half / length2d(d));
        s.kind = VectorShape::Kind::Fill;
        s.points = {tip.window, base.window + across, base.window - across};
    }
    shapes_.push_back(std::move(s));
}

void VectorCanvas::flatPolygon(std::span<const Vec3> vertices, std::uint32_t colour) {
    if (vertices.size() >= 3) fill(vertices, colour, kPlaneOpacity, 2.0 * kMaxPiecePixels);
}

void VectorCanvas::tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t colour) {
    if (vertices.size() >= 3) fill(vertices, lit(colour, normal), kPolygonOpacity, largePixels());
}

void VectorCanvas::ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour, int size,
                        int shape) {
    const double n = norm(normal);
    if (!(n > 0.0) || !(radius > 0.0) || !std::isfinite(radius)) return;
    const Vec3 w = normal * (1.0 / n);
    const Vec3 u = perpendicular(w);
    const Vec3 v = crossProduct(w, u);
    const int count = std::min(sidesFor(centre, radius), std::max(segments, 3));
    const double width = shape == 1 ? kLinePixels[static_cast<std::size_t>(clampSizeIndex(size))]
                                    : std::max(2.0 * lineRadius(size) * pixelsPerUnit(centre), 0.5);
    for (int i = 0; i < count; ++i) {
        const double t0 = 2.0 * std::numbers::pi * i / count, t1 = 2.0 * std::numbers::pi * (i + 1) / count;
        const Vec3 d0 = u * std::cos(t0) + v * std::sin(t0), d1 = u * std::cos(t1) + v * std::sin(t1);
        const std::uint32_t c = shape == 1 ? lit(colour, d0 + d1) : litBy(colour, kTubeLight);
        stroke(centre + d0 * radius, centre + d1 * radius, c, width, false, false);
    }
}

void VectorCanvas::sphere(Vec3 centre, double radius, std::uint32_t colour) {
    if (!(radius > 0.0) || !std::isfinite(radius)) return;
    const int slices = sidesFor(centre, radius);
    const int stacks = slices / 2;
    const auto at = [&](int i, int j) {
        const double theta = std::numbers::pi * j / stacks;
        const double phi = 2.0 * std::numbers::pi * i / slices;
        return centre +
               Vec3{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta)} *
                   radius;
    };
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i)
            quad(at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j), colour, kSurfaceOpacity);
}

void VectorCanvas::cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                            std::uint32_t colour) {
    const double n = norm(axis);
    if (!(height > 0.0) || !std::isfinite(height) || !(n > 0.0)) return;
    const Vec3 w = axis * (1.0 / n);
    const Vec3 u = perpendicular(w);
    const Vec3 v = crossProduct(w, u);
    const Vec3 topCentre = baseCentre + w * height;
    const int slices = sidesFor(baseCentre + w * (0.5 * height), std::max(baseRadius, topRadius));
    for (int i = 0; i < slices; ++i) {
        const double t0 = 2.0 * std::numbers::pi * i / slices, t1 = 2.0 * std::numbers::pi * (i + 1) / slices;
        const Vec3 d0 = u * std::cos(t0) + v * std::sin(t0), d1 = u * std::cos(t1) + v * std::sin(t1);
        const Vec3 a = baseCentre + d0 * baseRadius, b = baseCentre + d1 * baseRadius;
        const Vec3 c = topCentre + d1 * topRadius, d = topCentre + d0 * topRadius;
        // The side's normal leans by the cone's slope.
        const Vec3 out = (d0 + d1) * 0.5 * height + w * (baseRadius - topRadius);
        const Vec3 corners[] = {a, b, c, d};
        fill(corners, lit(colour, out), kSurfaceOpacity, largePixels());
    }
}

void VectorCanvas::triangles(std::span<const Vec3> vertices, std::span<const Vec3> normals,
                             std::uint32_t colour) {
    const std::size_t count = std::min(vertices.size(), normals.size()) / 3 * 3;
    for (std::size_t i = 0; i < count; i += 3) {
        Vec3 normal = normals[i] + normals[i + 1] + normals[i + 2];
        if (!(norm(normal) > 0.0))
            normal = crossProduct(vertices[i + 1] - vertices[i], vertices[i + 2] - vertices[i]);
        fill(vertices.subspan(i, 3), lit(colour, normal), kSurfaceOpacity, largePixels());
    }
}

void VectorCanvas::screenText(int x, int y, std::string_view text, const FontRecord& font,
                              std::uint32_t colour) {
    const TextExtent extent = texts_.measureText(text, font);
    VectorShape s;
    s.kind = VectorShape::Kind::Text;
    s.text = std::string(text);
    s.font = font;
    s.colour = colour;
    s.x = x;
    s.y = y;
    s.boxWidth = std::max(extent.width, 1);
    s.boxHeight = std::max(extent.height, 1);
    s.background = view_.backgroundColour;
    texts2d_.push_back(std::move(s));
}

void VectorCanvas::richText(int x, int y, int width, int height, std::string_view rtf,
                            std::uint32_t textColour, std::optional<std::uint32_t> frameColour) {
    if (width < 1 || height < 1) return;
    VectorShape s;
    s.kind = VectorShape::Kind::RichText;
    s.text = std::string(rtf);
    s.colour = textColour;
    s.x = x;
    s.y = y;
    s.boxWidth = width;
    s.boxHeight = height;
    s.background = view_.backgroundColour;
    s.frame = frameColour;
    texts2d_.push_back(std::move(s));
}

void VectorCanvas::label(Vec3 anchor, std::string_view text, std::uint32_t colour) {
    if (text.empty()) return;
    const LabelPlacement place = placeLabel(view_, viewport_, anchor);
    if (!place.visible || place.windowX < -1e6 || place.windowX > 1e6 || place.windowY < -1e6 ||
        place.windowY > 1e6)
        return;
    VectorShape s;
    s.kind = VectorShape::Kind::Text;
    s.text = windows1252ToUtf8(text);
    s.font = labelFont_;
    s.colour = colour;
    s.x = static_cast<int>(std::lround(place.windowX));
    s.y = static_cast<int>(std::lround(place.windowY));
    texts2d_.push_back(std::move(s));
}

void VectorCanvas::guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) {
    stroke(a, b, colour, 1.0, dashed, false);
}

void VectorCanvas::guideDot(Vec3 position, std::uint32_t colour, int pixels) {
    disc(position, std::max(pixels, 1), colour);
}

Vec3 VectorCanvas::unproject(double windowX, double windowY, double depth) const {
    return unprojectPoint(view_, viewport_, windowX, windowY, depth);
}

Vec3 VectorCanvas::towardsViewer(Vec3 point, double distance) const {
    return ::towardsViewer(view_, viewport_, point, distance);
}
