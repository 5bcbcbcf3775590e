#include "view/model_export.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "elements/regular_solids.h"
#include "elements/style_tables.h"
#include "lang/text_encoding.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

// Printed bodies are cut finely enough that their volume is within a few
// thousandths of the true one; models for viewing more coarsely.
constexpr int kPrintSlices = 96;
constexpr int kViewSlices = 48;
constexpr int kTubeSides = 12;
constexpr int kBallSlices = 16;
constexpr double kHeadRadius = 0.1;
constexpr double kHeadLength = 0.3;
constexpr double kSurfaceOpacity = 0.8;
constexpr double kPolygonOpacity = 0.98;
constexpr double kPlaneOpacity = 240.0 / 255.0;
// Vertices of one element's faces closer than this are the same vertex.
constexpr double kWeldTolerance = 1e-7;
constexpr int kMaxRingSegments = 1999;

// A canvas that makes the meshes of one element at a time.
class ModelCanvas : public Canvas {
  public:
    explicit ModelCanvas(const ModelOptions& options) : options_(options) {}

    void begin() {
        part_ = ModelPart{};
        polygons_.clear();
        hasKind_ = false;
    }
    // The part of the element drawn since begin(); an empty mesh when it drew nothing for the target.
    ModelPart finish();

    void dot(Vec3 position, std::uint32_t, int size, int) override {
        if (viewing()) line(sphereMesh(position, pointRadius(size), kBallSlices, kBallSlices / 2));
    }
    void segment(Vec3 a, Vec3 b, std::uint32_t, int size, int, int, bool) override {
        if (viewing()) tube(a, b, lineRadius(size), lineRadius(size));
    }
    void arrow(Vec3 start, Vec3 end, std::uint32_t, int size, int, int) override;
    void flatPolygon(std::span<const Vec3> vertices, std::uint32_t) override;
    void tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t) override {
        if (vertices.size() < 3) return;
        setKind(ModelPartKind::Plate, kPolygonOpacity);
        polygons_.push_back({{vertices.begin(), vertices.end()}, normal});
    }
    void ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t, int size, int) override {
        if (!viewing() || !(radius > 0.0) || !std::isfinite(radius) || !(norm(normal) > 0.0)) return;
        line(torusMesh(centre, normal, radius, lineRadius(size), std::clamp(segments, 3, kMaxRingSegments),
                       kTubeSides));
    }
    void sphere(Vec3 centre, double radius, std::uint32_t) override {
        if (!(radius > 0.0) || !std::isfinite(radius)) return;
        setKind(ModelPartKind::Solid, kSurfaceOpacity);
        part_.mesh.append(sphereMesh(centre, radius, slices(), slices() / 2));
    }
    void cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                  std::uint32_t) override {
        if (!(height > 0.0) || !std::isfinite(height) || !(norm(axis) > 0.0) || !(baseRadius > 0.0)) return;
        setKind(ModelPartKind::Solid, kSurfaceOpacity);
        part_.mesh.append(frustumMesh(baseCentre, axis, baseRadius, topRadius, height, slices()));
    }
    void triangles(std::span<const Vec3> vertices, std::span<const Vec3>, std::uint32_t) override {
        setKind(ModelPartKind::Surface, kSurfaceOpacity);
        part_.mesh.append(weldTriangles(vertices, kWeldTolerance));
    }
    // Texts and labels are no part of a model.
    void screenText(int, int, std::string_view, const FontRecord&, std::uint32_t) override {}
    void richText(int, int, int, int, std::string_view, std::uint32_t,
                  std::optional<std::uint32_t>) override {}
    void label(Vec3, std::string_view, std::uint32_t) override {}
    void guideLine(Vec3, Vec3, std::uint32_t, bool) override {}
    void guideDot(Vec3, std::uint32_t, int) override {}

    int projection() const override { return 0; }
    Vec3 unproject(double, double, double) const override { return {}; }
    Vec3 towardsViewer(Vec3 point, double) const override { return point; }
    const ScreenTextContext& screenTexts() const override { return texts_; }

  private:
    struct Outline {
        std::vector<Vec3> vertices;
        Vec3 normal;
    };
    bool viewing() const { return options_.target == ModelTarget::Viewing; }
    int slices() const { return viewing() ? kViewSlices : kPrintSlices; }
    void setKind(ModelPartKind kind, double opacity) {
        if (hasKind_) return;
        part_.kind = kind;
        part_.opacity = opacity;
        hasKind_ = true;
    }
    void line(const IndexedMesh& mesh) {
        setKind(ModelPartKind::Line, 1.0);
        part_.mesh.append(mesh);
    }
    void tube(Vec3 a, Vec3 b, double baseRadius, double topRadius) {
        const double length = norm(b - a);
        if (!(length > 0.0) || !std::isfinite(length)) return;
        line(frustumMesh(a, b - a, baseRadius, topRadius, length, kTubeSides));
    }

    const ModelOptions& options_;
    ModelPart part_;
    std::vector<Outline> polygons_;
    bool hasKind_ = false;
    ScreenTextContext texts_;
};

void ModelCanvas::arrow(Vec3 start, Vec3 end, std::uint32_t, int size, int, int) {
    if (!viewing()) return;
    const Vec3 direction = end - start;
    const double length = norm(direction);
    if (!(length > 0.0) || !std::isfinite(length)) return;
    const Vec3 headBase = end - direction * (kHeadLength / length);
    if (length > kHeadLength) tube(start, headBase, lineRadius(size), lineRadius(size));
    tube(length > kHeadLength ? headBase : start, end, kHeadRadius, 0.0);
}

void ModelCanvas::flatPolygon(std::span<const Vec3> vertices, std::uint32_t) {
    if (!viewing() || vertices.size() < 3) return;
    setKind(ModelPartKind::Sheet, kPlaneOpacity);
    IndexedMesh sheet;
    sheet.positions.assign(vertices.begin(), vertices.end());
    sheet.triangles = triangulatePolygon(vertices, {});
    part_.mesh.append(sheet);
}

ModelPart ModelCanvas::finish() {
    if (!polygons_.empty()) {
        // Faces that together close a body (a polyhedron) are that body; else each is a plate.
        std::vector<Vec3> soup;
        for (const Outline& p : polygons_)
            for (const auto& t : triangulatePolygon(p.vertices, p.normal))
                for (const std::uint32_t k : t) soup.push_back(p.vertices[k]);
        IndexedMesh body = weldTriangles(soup, kWeldTolerance);
        if (polygons_.size() >= 4 && orientClosedMesh(body)) {
            part_.kind = ModelPartKind::Solid;
            part_.mesh = std::move(body);
        } else if (viewing()) {
            part_.mesh = std::move(body);
        } else {
            for (const Outline& p : polygons_)
                part_.mesh.append(plateMesh(p.vertices, p.normal, options_.thickness));
        }
    } else if (part_.kind == ModelPartKind::Surface && !viewing()) {
        part_.mesh = thickenSurface(part_.mesh, options_.thickness);
    }
    if (part_.kind != ModelPartKind::Surface || !viewing()) {
        IndexedMesh check = part_.mesh;
        part_.closed = orientClosedMesh(check);
        if (part_.closed) part_.mesh = std::move(check);
    }
    return std::move(part_);
}

bool shown(const Element& e) {
    return e.defined && !e.macroIntermediate && e.visible;
}

}  // namespace

std::vector<ModelPart> collectModel(Construction& construction, const ModelOptions& options) {
    ModelCanvas canvas(options);
    std::vector<ModelPart> parts;
    // Faces of a regular polyhedron go into the polyhedron's part.
    std::set<const Element*> faces;
    int number = 0;
    construction.forEach([&](Element& e) {
        ++number;
        if (faces.contains(&e)) return;
        canvas.begin();
        if (e.kind() == ElementKind::RegularPolyhedron) {
            for (Element* part : static_cast<RegularPolyhedron&>(e).parts()) {
                if (part->kind() != ElementKind::Polygon) continue;
                faces.insert(part);
                if (shown(*part)) part->draw(part->colour, 0, canvas);
            }
        } else if (shown(e)) {
            e.draw(e.colour, 0, canvas);
        }
        ModelPart part = canvas.finish();
        if (part.mesh.triangles.empty()) return;
        part.colour = e.colour;
        part.name = e.hasName() ? windows1252ToUtf8(*e.name()) : "element " + std::to_string(number);
        parts.push_back(std::move(part));
    });
    return parts;
}
