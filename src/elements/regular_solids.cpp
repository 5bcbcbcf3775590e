#include "elements/regular_solids.h"

#include <algorithm>
#include <numbers>

#include "elements/plane.h"
#include "elements/point.h"
#include "elements/polyhedron_tables.h"
#include "elements/straight_element.h"
#include "geometry/projections.h"
#include "geometry/tolerances.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/construction.h"

namespace {

constexpr int kMinSideCount = 3;

// Appends to parts the `count` elements after `from` that are vertices generated
// by `leader` (code vertexCode, the leader as their only parent). False when an
// element is missing or is something else.
bool collectVertices(const Construction& construction, const Element*& from, const Element* leader,
                     TypeCode vertexCode, int count, std::vector<Element*>& parts) {
    for (int i = 0; i < count; ++i) {
        Element* e = construction.next(from);
        if (e == nullptr || e->typeCode() != vertexCode || e->parents.size() != 1 || e->parents[0] != leader)
            return false;
        parts.push_back(e);
        from = e;
    }
    return true;
}

// The same for `count` polygons (code faceCode) of `vertexCount` vertices.
bool collectPolygons(const Construction& construction, const Element*& from, TypeCode faceCode,
                     int vertexCount, int count, std::vector<Element*>& parts) {
    for (int i = 0; i < count; ++i) {
        Element* e = construction.next(from);
        if (e == nullptr || e->typeCode() != faceCode || static_cast<Polygon*>(e)->vertexCount != vertexCount)
            return false;
        parts.push_back(e);
        from = e;
    }
    return true;
}

// A generated polygon follows its vertices: it is recomputed when they all are defined.
void recomputeOwnedPolygon(Element& polygon, Construction& construction, const RecomputeContext& context) {
    if (std::all_of(polygon.parents.begin(), polygon.parents.end(), isDefined))
        polygon.recompute(construction, context);
    else
        polygon.defined = 0;
}

// The construction's walk draws the parts of a selected leader in the selected
// colour itself; a leader drawn in another colour than its own outside that
// walk (the picks of a tool) draws its parts in that colour.
bool passesHighlight(const Element& leader, std::uint32_t colour) {
    return leader.selected == 0 && leader.visible != 0 && colour != leader.colour;
}

void drawParts(std::span<Element* const> parts, std::uint32_t colour, int projection, Canvas& canvas) {
    for (Element* part : parts) {
        if (part->defined) part->draw(colour, projection, canvas);
    }
}

}  // namespace

// ---------------------------------------------------------------- RegularPolygon

RegularPolygon::RegularPolygon(const KindStyle& style, int sides)
    : Element(TypeCode::RegularPolygon, style), sideCount(sides) {}

// A copy finds its parts again in its own construction on recompute.
RegularPolygon::RegularPolygon(const RegularPolygon& other) : Element(other), sideCount(other.sideCount) {}

std::unique_ptr<Element> RegularPolygon::clone() const {
    return std::unique_ptr<Element>(new RegularPolygon(*this));
}

GroupLayout RegularPolygon::groupLayout() const {
    if (sideCount <= 0) return {};
    return {.vertices = sideCount - 1, .faces = 1, .verticesPerFace = sideCount};
}

std::vector<ElementPtr> RegularPolygon::makeParts(const KindStyle& vertexStyle,
                                                  const KindStyle& polygonStyle) {
    std::vector<ElementPtr> made;
    if (sideCount < kMinSideCount) return made;
    const GeneratedParts& generated = generatedPartsOf(typeCode());
    auto polygon = std::make_unique<Polygon>(generated.face, polygonStyle, sideCount);
    polygon->parents[0] = parents[0];
    for (int i = 1; i < sideCount; ++i) {
        auto vertex = std::make_unique<Point>(generated.vertex, vertexStyle);
        vertex->parents[0] = this;
        polygon->parents[static_cast<std::size_t>(i)] = vertex.get();
        made.push_back(std::move(vertex));
    }
    made.push_back(std::move(polygon));
    return made;
}

Polygon* RegularPolygon::polygon() const {
    return parts_.empty() ? nullptr : static_cast<Polygon*>(parts_.back());
}

void RegularPolygon::recompute(Construction& construction, const RecomputeContext& context) {
    parts_.clear();
    const Element* from = this;
    const GeneratedParts& generated = generatedPartsOf(typeCode());
    if (sideCount < kMinSideCount ||
        !collectVertices(construction, from, this, generated.vertex, sideCount - 1, parts_) ||
        !collectPolygons(construction, from, generated.face, sideCount, 1, parts_)) {
        parts_.clear();
        defined = 0;
        return;
    }
    const Vec3 v0 = positionOf(parents[0]);
    const StraightElement& axis = asStraight(parents[1]);
    for (int i = 1; i < sideCount; ++i) {
        Point& vertex = *static_cast<Point*>(parts_[static_cast<std::size_t>(i - 1)]);
        const double angle = i * 2.0 * std::numbers::pi / sideCount;
        vertex.defined = rotateAboutAxis(v0, axis.pointA, axis.pointB, angle, vertex.position);
    }
    recomputeOwnedPolygon(*parts_.back(), construction, context);
    defined = 1;
}

void RegularPolygon::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    if (passesHighlight(*this, colour)) drawParts(parts_, colour, projection, canvas);
}

int RegularPolygon::hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) {
    Polygon* owned = polygon();
    if (owned == nullptr || !owned->defined) return 0;
    return owned->hitTest(x, y, ray, projection, hitPoint);
}

int RegularPolygon::write(OutputStream& out) const {
    return writeBase(out) && writeI32(out, sideCount) && writeI32(out, 0) ? 1 : 0;
}

int RegularPolygon::read(InputStream& in, int fileVersion) {
    std::int32_t sides = 0;
    std::int32_t unused = 0;
    if (!readBase(in, fileVersion) || !readI32(in, sides) || !readI32(in, unused)) return 0;
    if (sides < kMinSideCount) {
        in.fail("a regular polygon has fewer than three sides");
        return 0;
    }
    sideCount = sides;
    return 1;
}

// ---------------------------------------------------------------- RegularPolyhedron

RegularPolyhedron::RegularPolyhedron(TypeCode typeCode, const KindStyle& style) : Element(typeCode, style) {
    if (const SolidTable* solid = solidTableOf(typeCode)) {
        generatedVertexCount = solid->generatedVertexCount;
        faceCount = solid->faceCount;
        verticesPerFace = solid->verticesPerFace;
    }
}

// A copy finds its parts again in its own construction on recompute.
RegularPolyhedron::RegularPolyhedron(const RegularPolyhedron& other)
    : Element(other),
      generatedVertexCount(other.generatedVertexCount),
      faceCount(other.faceCount),
      verticesPerFace(other.verticesPerFace) {}

std::unique_ptr<Element> RegularPolyhedron::clone() const {
    return std::unique_ptr<Element>(new RegularPolyhedron(*this));
}

GroupLayout RegularPolyhedron::groupLayout() const {
    return {.vertices = std::max(0, generatedVertexCount),
            .faces = std::max(0, faceCount),
            .verticesPerFace = verticesPerFace};
}

std::vector<ElementPtr> RegularPolyhedron::makeParts(const KindStyle& vertexStyle,
                                                     const KindStyle& faceStyle) {
    std::vector<ElementPtr> made;
    const SolidTable* solid = solidTableOf(typeCode());
    if (solid == nullptr) return made;
    const GeneratedParts& generated = generatedPartsOf(typeCode());
    std::vector<Element*> vertices = {parents[0]};
    for (int i = 0; i < solid->generatedVertexCount; ++i) {
        auto vertex = std::make_unique<Point>(generated.vertex, vertexStyle);
        vertex->parents[0] = this;
        vertices.push_back(vertex.get());
        made.push_back(std::move(vertex));
    }
    const auto perFace = static_cast<std::size_t>(solid->verticesPerFace);
    for (std::size_t f = 0; f < static_cast<std::size_t>(solid->faceCount); ++f) {
        auto face = std::make_unique<Polygon>(generated.face, faceStyle, solid->verticesPerFace);
        for (std::size_t k = 0; k < perFace; ++k)
            face->parents[k] = vertices[static_cast<std::size_t>(solid->faces[f * perFace + k])];
        face->colour = colour;
        made.push_back(std::move(face));
    }
    return made;
}

void RegularPolyhedron::colourFaces() {
    for (std::size_t i = static_cast<std::size_t>(std::max(0, generatedVertexCount)); i < parts_.size(); ++i)
        parts_[i]->colour = colour;
}

void RegularPolyhedron::recompute(Construction& construction, const RecomputeContext& context) {
    parts_.clear();
    const SolidTable* solid = solidTableOf(typeCode());
    const Element* from = this;
    const GeneratedParts& generated = generatedPartsOf(typeCode());
    if (solid == nullptr || generatedVertexCount != solid->generatedVertexCount ||
        faceCount != solid->faceCount || verticesPerFace != solid->verticesPerFace ||
        !collectVertices(construction, from, this, generated.vertex, generatedVertexCount, parts_) ||
        !collectPolygons(construction, from, generated.face, verticesPerFace, faceCount, parts_)) {
        parts_.clear();
        defined = 0;
        return;
    }
    const Vec3 v0 = positionOf(parents[0]);
    const StraightElement& axis = asStraight(parents[1]);
    Vec3 foot;
    double offAxis = 0.0;
    if (!footOnLine(v0, axis.pointA, axis.pointB, foot, offAxis)) {
        for (Element* part : parts_) part->defined = 0;
        defined = 0;
        return;
    }
    // Vertex 0 is the defining point; a V0 on the axis gives a solid shrunk to it.
    std::vector<Vec3> at(static_cast<std::size_t>(generatedVertexCount) + 1, v0);
    std::vector<int> made(at.size(), 1);
    if (offAxis >= kPointEps) {
        for (const FoldStep& step : solid->steps) {
            const bool aboutAxis = step.axisFrom == kSolidAxis;
            const Vec3 a = aboutAxis ? axis.pointA : at[static_cast<std::size_t>(step.axisFrom)];
            const Vec3 b = aboutAxis ? axis.pointB : at[static_cast<std::size_t>(step.axisTo)];
            const auto target = static_cast<std::size_t>(step.target);
            made[target] =
                rotateAboutAxis(at[static_cast<std::size_t>(step.source)], a, b, step.angle, at[target]);
        }
    }
    for (std::size_t k = 1; k < at.size(); ++k) {
        Point& vertex = *static_cast<Point*>(parts_[k - 1]);
        vertex.position = at[k];
        vertex.defined = made[k];
    }
    for (std::size_t i = at.size() - 1; i < parts_.size(); ++i)
        recomputeOwnedPolygon(*parts_[i], construction, context);
    defined = 1;
}

void RegularPolyhedron::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    if (passesHighlight(*this, colour)) drawParts(parts_, colour, projection, canvas);
}

int RegularPolyhedron::hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) {
    int hit = 0;
    double nearest = 0.0;
    for (std::size_t i = static_cast<std::size_t>(std::max(0, generatedVertexCount)); i < parts_.size();
         ++i) {
        Element& face = *parts_[i];
        Vec3 point;
        if (!face.defined || !face.hitTest(x, y, ray, projection, point)) continue;
        const double depth = distance(ray.nearPoint, point);
        if (!hit || depth < nearest) {
            hit = 1;
            nearest = depth;
            hitPoint = point;
        }
    }
    return hit;
}

// The three counts are written as overlapping 8-byte windows: G F, F P, P 0.
int RegularPolyhedron::write(OutputStream& out) const {
    return writeBase(out) && writeI32(out, generatedVertexCount) && writeI32(out, faceCount) &&
                   writeI32(out, faceCount) && writeI32(out, verticesPerFace) &&
                   writeI32(out, verticesPerFace) && writeI32(out, 0)
               ? 1
               : 0;
}

int RegularPolyhedron::read(InputStream& in, int fileVersion) {
    std::int32_t words[6] = {};
    if (!readBase(in, fileVersion)) return 0;
    for (std::int32_t& word : words) {
        if (!readI32(in, word)) return 0;
    }
    const SolidTable* solid = solidTableOf(typeCode());
    // The counts decide how many of the following records belong to the solid, so
    // counts that do not fit its kind would swallow or orphan other elements.
    if (solid == nullptr || words[0] != solid->generatedVertexCount || words[2] != solid->faceCount ||
        words[4] != solid->verticesPerFace) {
        in.fail("a regular polyhedron's counts do not fit its solid");
        return 0;
    }
    generatedVertexCount = words[0];
    faceCount = words[2];
    verticesPerFace = words[4];
    return 1;
}
