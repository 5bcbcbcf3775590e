#include "view/gl/gl_canvas.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "elements/style_tables.h"
#include "expr/screen_text.h"
#include "lang/text_encoding.h"
#include "view/gl/diagnostic_trace.h"
#include "view/gl/label_charset.h"
#include "view/gl/rich_text_image.h"
#include "view/gl/screen_text_drawing.h"
#include "view/label_placement.h"

namespace {

// The full meshes; small or distant quadrics get coarser ones (level_of_detail.h).
constexpr MeshCounts kBallMesh = {10, 10};
constexpr MeshCounts kTubeMesh = {18, 1};
constexpr MeshCounts kHeadMesh = {15, 1};
constexpr MeshCounts kSphereMesh = {49, 49};
constexpr MeshCounts kCylinderMesh = {199, 19};
// Balls of a smaller radius in pixels are drawn flat (ball_impostors.h).
constexpr double kFlatBallPixels = 4.0;
// Tubes of a smaller radius in pixels are drawn flat (tube_impostors.h).
constexpr double kThinTubePixels = 2.0;
// Gathered shapes are drawn at least every this many vertices.
constexpr std::size_t kBatchVertices = 16384;
constexpr double kHeadRadius = 0.1;
constexpr double kHeadLength = 0.3;
constexpr int kRingSides = 8;
constexpr int kMaxRingSegments = 1999;
constexpr GLubyte kSurfaceAlpha = 240;
constexpr GLfloat kSurfaceDiffuseAlpha = 0.8f;
constexpr GLfloat kPolygonDiffuseAlpha = 0.98f;
constexpr double kFogStart = 10.0;
constexpr double kFogEnd = 100.0;
constexpr double kFogDensity = 0.01;
// At most this many pixels of laid-out text elements are kept (about 48 MB;
// each image is no larger than the window).
constexpr std::int64_t kCachedTextPixels = 16 << 20;

GLubyte red(std::uint32_t c) {
    return static_cast<GLubyte>(c & 0xFF);
}
GLubyte green(std::uint32_t c) {
    return static_cast<GLubyte>((c >> 8) & 0xFF);
}
GLubyte blue(std::uint32_t c) {
    return static_cast<GLubyte>((c >> 16) & 0xFF);
}

void colour3(std::uint32_t c) {
    glColor3ub(red(c), green(c), blue(c));
}

void diffuse(GLfloat alpha) {
    const GLfloat d[] = {1.0f, 1.0f, 1.0f, alpha};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, d);
}

double flatPointSize(int size) {
    return kPointPixels[static_cast<std::size_t>(clampSizeIndex(size))];
}

double flatLineWidth(int size) {
    return kLinePixels[static_cast<std::size_t>(clampSizeIndex(size))];
}

// Turns the z axis, along which GLU quadrics extend, onto the direction.
void rotateZOnto(Vec3 direction) {
    const double length = norm(direction);
    if (!(length > 0.0)) return;
    const double c = std::clamp(direction.z / length, -1.0, 1.0);
    const double degrees = std::acos(c) * 180.0 / std::numbers::pi;
    const double axisX = -direction.y;
    const double axisY = direction.x;
    if (std::hypot(axisX, axisY) > 1e-12 * length)
        glRotated(degrees, axisX, axisY, 0.0);
    else if (c < 0.0)
        glRotated(180.0, 1.0, 0.0, 0.0);
}

// Restores the blending switch as it was before a translucent primitive.
class BlendScope {
  public:
    BlendScope() : wasOn_(glIsEnabled(GL_BLEND)) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    ~BlendScope() {
        if (!wasOn_) glDisable(GL_BLEND);
    }
    BlendScope(const BlendScope&) = delete;
    BlendScope& operator=(const BlendScope&) = delete;

  private:
    GLboolean wasOn_;
};

}  // namespace

GlCanvas::GlCanvas() {
    // Until the window shows them, tessellation errors go to the diagnostic trace.
    tessellator_.setErrorHandler([](const std::string& message) { traceDiagnostic(message); });
}

void GlCanvas::beginFrame(const ViewState& view, Viewport viewport) {
    view_ = view;
    viewport_ = viewport;
    detail_ = levelOfDetail_ ? DetailScale(view, viewport) : DetailScale();
    for (MeshBatch& batch : batches_) batch.clear();
    flatBalls_.beginFrame(view);
    thinTubes_.beginFrame(view);
    roundBalls_.beginFrame();
    surfaceSpheres_.beginFrame();
    triangles_ = 0;
}

double GlCanvas::pixelRadius(Vec3 centre, double reach, double radius) const {
    return detail_.pixelRadius(centre, reach, radius);
}

void GlCanvas::setWarningHandler(WarningHandler handler) {
    tessellator_.setErrorHandler(std::move(handler));
}

void GlCanvas::fogOn(int projection) const {
    if (projection != 0) return;
    const std::uint32_t c = view_.backgroundColour;
    const GLfloat colour[] = {red(c) / 255.0f, green(c) / 255.0f, blue(c) / 255.0f, 1.0f};
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_START, static_cast<GLfloat>(kFogStart));
    glFogf(GL_FOG_END, static_cast<GLfloat>(kFogEnd));
    glFogf(GL_FOG_DENSITY, static_cast<GLfloat>(kFogDensity));
    glFogfv(GL_FOG_COLOR, colour);
}

double GlCanvas::cylinderPixels(const Tube& c) const {
    const double n = norm(c.direction);
    const double widest = std::max(c.baseRadius, c.topRadius);
    const Vec3 middle = n > 0.0 ? c.start + c.direction * (0.5 * c.length / n) : c.start;
    return pixelRadius(middle, std::hypot(widest, 0.5 * c.length), widest);
}

void GlCanvas::drawCylinder(const Tube& c, MeshCounts counts) {
    glPushMatrix();
    glTranslated(c.start.x, c.start.y, c.start.z);
    rotateZOnto(c.direction);
    meshes_.cylinder(c.baseRadius, c.topRadius, c.length, counts.slices, counts.stacks);
    glPopMatrix();
}

void GlCanvas::applyStyle(OpaqueStyle style) const {
    if (style.cullBack) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    }
    if (style.fog) fogOn(0);
    if (!style.twoSided) glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void GlCanvas::restoreStyle(OpaqueStyle style) const {
    if (!style.twoSided) glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    if (style.fog) glDisable(GL_FOG);
    if (style.cullBack) glDisable(GL_CULL_FACE);
}

void GlCanvas::drawBatch(OpaqueStyle style) {
    MeshBatch& batch = batches_[style.index()];
    if (batch.empty()) return;
    notKept();
    applyStyle(style);
    batch.draw();
    restoreStyle(style);
}

void GlCanvas::flush() {
    for (std::size_t i = 0; i < kOpaqueStyles; ++i) drawBatch({(i & 1) != 0, (i & 2) != 0, (i & 4) != 0});
    drawThinTubes();
    flatBalls_.draw();
    roundBalls_.draw();
}

MeshBatch& GlCanvas::batchFor(OpaqueStyle style) {
    if (batches_[style.index()].vertexCount() >= kBatchVertices) drawBatch(style);
    return batches_[style.index()];
}

bool GlCanvas::gathering(double pixels) const {
    return meshes_.caching() && std::isfinite(pixels);
}

void GlCanvas::ball(Vec3 centre, double radius, std::uint32_t colour) {
    if (live_) live_->markBall(centre, radius);
    const double pixels = pixelRadius(centre, radius, radius);
    // Level of detail, not mesh caching: the smallest balls are drawn flat
    // whether meshes are cached or not.
    if (pixels < kFlatBallPixels) {
        if (flatBalls_.vertexCount() >= kBatchVertices) flatBalls_.draw();
        if (flatBalls_.add(centre, radius, colour)) {
            triangles_ += 2;
            return;
        }
    }
    if (std::isfinite(pixels)) {
        if (roundBalls_.vertexCount() >= kBatchVertices) roundBalls_.draw();
        if (roundBalls_.add(centre, radius, colour, false)) {
            triangles_ += 2;
            return;
        }
    }
    const MeshCounts counts = sphereCounts(pixels, kBallMesh);
    triangles_ += meshTriangles(QuadricShape::Sphere, counts);
    if (gathering(pixels)) {
        gather({false, true, true}, meshes_.unitMesh(QuadricShape::Sphere, counts),
               turnedOnto(centre, {0, 0, 1}, {radius, radius, radius}), colour);
        return;
    }
    const OpaqueStyle style{false, true, false};
    flush();
    applyStyle(style);
    colour3(colour);
    glPushMatrix();
    glTranslated(centre.x, centre.y, centre.z);
    meshes_.sphere(radius, counts.slices, counts.stacks);
    glPopMatrix();
    restoreStyle(style);
}

void GlCanvas::solidCylinder(const Tube& c, MeshCounts full, int projection, std::uint32_t colour) {
    if (live_) {
        const double n = norm(c.direction);
        live_->markTube(c.start, n > 0.0 ? c.start + c.direction * (c.length / n) : c.start,
                        std::max(c.baseRadius, c.topRadius));
    }
    const double pixels = cylinderPixels(c);
    const MeshCounts counts = roundCounts(pixels, full);
    const OpaqueStyle style{projection == 0, false, false};
    // GLU makes truncated cones only at their size: they are drawn at once.
    const bool scalable = c.topRadius == 0.0 || c.topRadius == c.baseRadius;
    // Level of detail, not mesh caching, as for the smallest balls.
    if (pixels < kThinTubePixels && c.topRadius == c.baseRadius && thinTube(c, style, colour)) return;
    triangles_ += meshTriangles(QuadricShape::Cylinder, counts);
    if (gathering(pixels) && scalable) {
        const QuadricShape shape = c.topRadius == 0.0 ? QuadricShape::Cone : QuadricShape::Cylinder;
        gather(style, meshes_.unitMesh(shape, counts),
               turnedOnto(c.start, c.direction, {c.baseRadius, c.baseRadius, c.length}), colour);
        return;
    }
    flush();
    applyStyle(style);
    colour3(colour);
    drawCylinder(c, counts);
    restoreStyle(style);
}

bool GlCanvas::thinTube(const Tube& c, OpaqueStyle style, std::uint32_t colour) {
    if (!thinTubes_.empty() && style.fog != thinTubesFogged_) drawThinTubes();
    if (thinTubes_.vertexCount() >= kBatchVertices) drawThinTubes();
    const double length = norm(c.direction);
    if (!(length > 0.0)) return false;
    if (!thinTubes_.add(c.start, c.start + c.direction * (c.length / length), c.baseRadius, colour))
        return false;
    thinTubesFogged_ = style.fog;
    triangles_ += 2;
    return true;
}

void GlCanvas::drawThinTubes() {
    if (thinTubes_.empty()) return;
    notKept();
    if (thinTubesFogged_) fogOn(0);
    thinTubes_.draw(thinTubesFogged_);
    if (thinTubesFogged_) glDisable(GL_FOG);
}

void GlCanvas::gather(OpaqueStyle style, const UnitMesh& mesh, const MeshPlacement& where,
                      std::uint32_t colour) {
    batchFor(style).add(mesh, where, colour);
}

void GlCanvas::dot(Vec3 position, std::uint32_t colour, int size, int shape) {
    notKept();
    if (shape != 1) {
        ball(position, pointRadius(size), colour);
        return;
    }
    drawnAnywhere();
    flush();
    colour3(colour);
    glPointSize(static_cast<GLfloat>(flatPointSize(size)));
    glBegin(GL_POINTS);
    glVertex3d(position.x, position.y, position.z);
    glEnd();
}

void GlCanvas::segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                       bool extend) {
    notKept();
    if (shape != 1) {
        const double length = norm(b - a);
        const double radius = lineRadius(size);
        solidCylinder({a, b - a, extend ? length + std::min(0.05 * length, 0.02) : length, radius, radius},
                      kTubeMesh, projection, colour);
        return;
    }
    flatLine(a, b, colour, size, projection);
}

// A flat line of the style's pixel width, fogged in central projection, unlit.
void GlCanvas::flatLine(Vec3 a, Vec3 b, std::uint32_t colour, int size, int projection) {
    drawnAnywhere();
    flush();
    fogOn(projection);
    colour3(colour);
    glDisable(GL_LIGHTING);
    glLineWidth(static_cast<GLfloat>(flatLineWidth(size)));
    glBegin(GL_LINES);
    glVertex3d(a.x, a.y, a.z);
    glVertex3d(b.x, b.y, b.z);
    glEnd();
    glEnable(GL_LIGHTING);
    glDisable(GL_FOG);
}

void GlCanvas::arrow(Vec3 start, Vec3 end, std::uint32_t colour, int size, int shape, int projection) {
    notKept();
    const Vec3 direction = end - start;
    const double length = norm(direction);
    if (!(length > 0.0)) return;
    const Vec3 unit = direction * (1.0 / length);
    // The coordinate axes (size -1) scale the whole arrow with their length.
    const bool axis = size == -1;
    const double headLength = axis ? length / 7.0 : kHeadLength;
    const double headRadius = axis ? headLength / 2.0 : kHeadRadius;
    const double shaftLength = std::max(0.0, length - headLength);
    const Vec3 headBase = end - unit * headLength;

    if (shape == 1 && !axis) {
        flatLine(start, headBase, colour, size, projection);
    } else {
        const double shaftRadius = axis ? 0.02 * length : lineRadius(size);
        solidCylinder({start, direction, shaftLength, shaftRadius, shaftRadius}, kTubeMesh, projection,
                      colour);
    }
    solidCylinder({headBase, direction, headLength, headRadius, 0.0}, kHeadMesh, projection, colour);
}

void GlCanvas::flatPolygon(std::span<const Vec3> vertices, std::uint32_t colour) {
    drawnAnywhere();
    flush();
    if (vertices.size() < 3) return;
    glDisable(GL_LIGHTING);
    {
        BlendScope blend;
        glColor4ub(red(colour), green(colour), blue(colour), kSurfaceAlpha);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        if (kept_) kept_->bindForSurface();
        glBegin(GL_POLYGON);
        for (const Vec3& v : vertices) glVertex3d(v.x, v.y, v.z);
        glEnd();
        if (kept_) kept_->unbind();
    }
    glEnable(GL_LIGHTING);
}

void GlCanvas::tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t colour) {
    drawnAnywhere();
    flush();
    if (vertices.size() < 3) return;
    BlendScope blend;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    diffuse(kPolygonDiffuseAlpha);
    colour3(colour);
    glNormal3d(normal.x, normal.y, normal.z);
    if (kept_) kept_->bindForSurface();
    tessellator_.fill(vertices, normal);
    if (kept_) kept_->unbind();
    diffuse(1.0f);
}

void GlCanvas::ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour, int size,
                    int shape) {
    drawnAnywhere();
    notKept();
    const double n = norm(normal);
    if (!(n > 0.0) || !(radius > 0.0) || !std::isfinite(radius)) return;
    const double tubeRadius = shape == 1 ? 0.0 : lineRadius(size);
    const double reach = radius + tubeRadius;
    const double pixels = pixelRadius(centre, reach, reach);
    const int count = circleSides(pixels, std::clamp(segments, 3, kMaxRingSegments));
    // A frame (u, v) of the circle's plane.
    const Vec3 w = normal * (1.0 / n);
    const Vec3 helper = std::fabs(w.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 u = crossProduct(w, helper);
    u = u * (1.0 / norm(u));
    const Vec3 v = crossProduct(w, u);
    std::vector<Vec3> around(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = 2.0 * std::numbers::pi * i / count;
        around[static_cast<std::size_t>(i)] = u * std::cos(t) + v * std::sin(t);
    }

    if (shape == 1) {
        // A torus of no thickness and one side: the circle as a line loop.
        flush();
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
        colour3(colour);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glLineWidth(static_cast<GLfloat>(flatLineWidth(size)));
        glBegin(GL_LINE_LOOP);
        for (const Vec3& d : around) {
            const Vec3 p = centre + d * radius;
            glNormal3d(d.x, d.y, d.z);
            glVertex3d(p.x, p.y, p.z);
        }
        glEnd();
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
        return;
    }
    // A tube of kRingSides sides: quad strips between rings of vertices about
    // the circle, gathered with the other small opaque shapes.
    triangles_ += 2L * kRingSides * count;
    const bool gathered = gathering(pixels);
    const OpaqueStyle style{false, false, gathered};
    if (!gathered) flush();
    MeshBatch& batch = batchFor(style);
    const auto perRing = static_cast<std::uint32_t>(count);
    const auto first = static_cast<std::uint32_t>(batch.vertexCount());
    for (int j = 0; j <= kRingSides; ++j) {
        const double phi = 2.0 * std::numbers::pi * j / kRingSides;
        for (const Vec3& d : around) {
            const Vec3 out = d * std::cos(phi) + w * std::sin(phi);
            batch.vertex(centre + d * radius + out * tubeRadius, out, colour);
        }
    }
    const auto at = [&](int j, int i) {
        return first + static_cast<std::uint32_t>(j) * perRing + static_cast<std::uint32_t>(i % count);
    };
    for (int side = 0; side < kRingSides; ++side) {
        for (int i = 0; i < count; ++i)
            batch.stripQuad(at(side + 1, i), at(side, i), at(side + 1, i + 1), at(side, i + 1));
    }
    if (!gathered) drawBatch(style);  // a large ring is drawn at once
}

void GlCanvas::surfacePasses(const std::function<void()>& draw, std::uint32_t colour, bool twoPasses) {
    BlendScope blend;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor4ub(red(colour), green(colour), blue(colour), kSurfaceAlpha);
    diffuse(kSurfaceDiffuseAlpha);
    if (kept_) kept_->bindForSurface();
    if (!twoPasses) {
        draw();
        if (kept_) kept_->unbind();
        diffuse(1.0f);
        return;
    }
    // The far side first, then the near side, so the near one blends over it.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    draw();
    glCullFace(GL_BACK);
    if (kept_) kept_->bindForSurface();  // the near side after the far one
    draw();
    glDisable(GL_CULL_FACE);
    if (kept_) kept_->unbind();
    diffuse(1.0f);
}

void GlCanvas::sphere(Vec3 centre, double radius, std::uint32_t colour) {
    drawnAnywhere();
    flush();
    if (!(radius > 0.0) || !std::isfinite(radius)) return;
    const double pixels = pixelRadius(centre, radius, radius);
    if (std::isfinite(pixels) && surfaceSpheres_.add(centre, radius, colour, true)) {
        triangles_ += 4;
        surfacePasses([&] { surfaceSpheres_.draw(kept_); }, colour, false);
        return;
    }
    const MeshCounts counts = sphereCounts(pixels, kSphereMesh);
    glPushMatrix();
    glTranslated(centre.x, centre.y, centre.z);
    triangles_ += 2 * meshTriangles(QuadricShape::Sphere, counts);
    surfacePasses([&] { meshes_.sphere(radius, counts.slices, counts.stacks); }, colour, true);
    glPopMatrix();
}

void GlCanvas::cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                        std::uint32_t colour) {
    drawnAnywhere();
    flush();
    if (!(height > 0.0) || !std::isfinite(height) || !(norm(axis) > 0.0)) return;
    const Tube c{baseCentre, axis, height, baseRadius, topRadius};
    const MeshCounts counts = roundCounts(cylinderPixels(c), kCylinderMesh);
    triangles_ += 2 * meshTriangles(QuadricShape::Cylinder, counts);
    surfacePasses([&] { drawCylinder(c, counts); }, colour, true);
}

void GlCanvas::triangles(std::span<const Vec3> vertices, std::span<const Vec3> normals,
                         std::uint32_t colour) {
    drawnAnywhere();
    flush();
    // Meshes come in no guaranteed winding, so they are drawn once, unculled.
    const std::size_t count = std::min(vertices.size(), normals.size()) / 3 * 3;
    if (count == 0) return;
    triangles_ += static_cast<long>(count / 3);
    BlendScope blend;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor4ub(red(colour), green(colour), blue(colour), kSurfaceAlpha);
    diffuse(kSurfaceDiffuseAlpha);
    if (kept_) kept_->bindForSurface();
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i < count; ++i) {
        glNormal3d(normals[i].x, normals[i].y, normals[i].z);
        glVertex3d(vertices[i].x, vertices[i].y, vertices[i].z);
    }
    glEnd();
    if (kept_) kept_->unbind();
    diffuse(1.0f);
}

void GlCanvas::screenText(int x, int y, std::string_view text, const FontRecord& font, std::uint32_t colour) {
    drawnAnywhere();
    notKept();
    flush();
    drawScreenText(x, y, colour, view_.backgroundColour, text, font, viewport_.width, viewport_.height);
}

void GlCanvas::richText(int x, int y, int width, int height, std::string_view rtf, std::uint32_t textColour,
                        std::optional<std::uint32_t> frameColour) {
    drawnAnywhere();
    notKept();
    flush();
    // Only the part of the box inside the window is laid into the scene.
    const std::int64_t left = std::max(x, 0), top = std::max(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + width, viewport_.width);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + height, viewport_.height);
    if (width < 1 || height < 1 || right <= left || bottom <= top) return;
    const QRect part(static_cast<int>(left - x), static_cast<int>(top - y), static_cast<int>(right - left),
                     static_cast<int>(bottom - top));

    const int pixelsPerInch = screenTexts_->pixelsPerInch;
    std::string key(rtf);
    for (const std::int64_t v :
         {std::int64_t{width}, std::int64_t{height}, std::int64_t{part.x()}, std::int64_t{part.y()},
          std::int64_t{part.width()}, std::int64_t{part.height()}, std::int64_t{view_.backgroundColour},
          std::int64_t{textColour}, frameColour ? std::int64_t{*frameColour} : -1,
          std::int64_t{pixelsPerInch}})
        key += "\x1F" + std::to_string(v);
    auto found = richTextImages_.find(key);
    if (found == richTextImages_.end()) {
        const std::int64_t pixels = std::int64_t{part.width()} * part.height();
        if (cachedTextPixels_ + pixels > kCachedTextPixels) {
            richTextImages_.clear();
            cachedTextPixels_ = 0;
        }
        cachedTextPixels_ += pixels;
        found = richTextImages_
                    .emplace(std::move(key),
                             richTextImage(readRichText(rtf), QSize(width, height), view_.backgroundColour,
                                           textColour, frameColour, pixelsPerInch, part))
                    .first;
    }
    drawWindowImage(found->second, static_cast<int>(left), static_cast<int>(top), viewport_.width,
                    viewport_.height);
}

void GlCanvas::label(Vec3 anchor, std::string_view text, std::uint32_t colour) {
    drawnAnywhere();
    notKept();
    flush();
    if (text.empty()) return;
    const LabelPlacement place = placeLabel(view_, viewport_, anchor);
    if (!place.visible) return;
    if (labelPath_ == LabelPath::ScreenText) {
        // Far outside the window the text is not drawn anyway; the bound keeps the conversion defined.
        const auto pixel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); };
        drawScreenText(pixel(place.windowX), pixel(place.windowY), colour, view_.backgroundColour,
                       windows1252ToUtf8(text), labelFont_, viewport_.width, viewport_.height);
        return;
    }
    if (charset_) charset_->drawText(colour, place.raster, text);
}

// Lighting and smoothing are switched off around the guides and put back as they were.
void GlCanvas::guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) {
    drawnAnywhere();
    notKept();
    flush();
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);
    if (dashed) {
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(5, 0x5555);
    }
    glLineWidth(1.0f);
    colour3(colour);
    glBegin(GL_LINES);
    glVertex3d(a.x, a.y, a.z);
    glVertex3d(b.x, b.y, b.z);
    glEnd();
    glPopAttrib();
}

void GlCanvas::guideDot(Vec3 position, std::uint32_t colour, int pixels) {
    drawnAnywhere();
    notKept();
    flush();
    glPushAttrib(GL_ENABLE_BIT | GL_POINT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_POINT_SMOOTH);
    glPointSize(static_cast<GLfloat>(std::max(pixels, 1)));
    colour3(colour);
    glBegin(GL_POINTS);
    glVertex3d(position.x, position.y, position.z);
    glEnd();
    glPopAttrib();
}

Vec3 GlCanvas::unproject(double windowX, double windowY, double depth) const {
    return unprojectPoint(view_, viewport_, windowX, windowY, depth);
}

Vec3 GlCanvas::towardsViewer(Vec3 point, double distance) const {
    return ::towardsViewer(view_, viewport_, point, distance);
}
