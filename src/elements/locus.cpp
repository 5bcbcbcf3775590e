#include "elements/locus.h"

#include <algorithm>
#include <numbers>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "elements/style_tables.h"
#include "geometry/containment.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/predicates.h"
#include "geometry/transformations.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/canvas.h"
#include "model/construction.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A point on a line or ray runs this far from the line's first point.
constexpr double kLineReach = 99.0;
// Keeps a point on a hyperbola off the parameters where it goes to infinity.
constexpr double kHyperbolaNudge = 1e-8;

void evenValues(int n, double from, double step, std::vector<double>& values) {
    for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = from + i * step;
}

// The driver's current value: a parameter's value, or a point's first parameter.
bool driverValue(const Element& driver, double& value) {
    if (driver.kind() == ElementKind::Number) return driver.currentValue(value);
    value = static_cast<const PointOnObject&>(driver).param1;
    return true;
}

void setDriverValue(Element& driver, double value) {
    if (driver.kind() == ElementKind::Number)
        driver.setParameterValue(value);
    else
        static_cast<PointOnObject&>(driver).param1 = value;
}

// The point on the circle around centre (axis direction `axis`, radius r) nearest
// to `near`; `fallback` when near lies on the axis.
Vec3 nearestOnCircle(Vec3 near, Vec3 centre, Vec3 axis, double r, Vec3 fallback) {
    Vec3 offset = near - centre;
    offset = offset - axis * dotProduct(offset, axis);
    const Vec3 inPlane = centre + offset;
    return isDistinct(centre, inPlane) ? pointTowards(centre, inPlane, r) : fallback;
}

}  // namespace

// ---------------------------------------------------------------- driver values

int locusSampleCount(TypeCode typeCode) {
    switch (typeCode) {
        case TypeCode::PointLocus:
            return 500;
        case TypeCode::SegmentLocus:
            return 200;
        case TypeCode::CircleLocus:
            return 100;
        default:
            return 0;
    }
}

void mirroredQuarterValues(int n, double h, std::vector<double>& values) {
    values.assign(static_cast<std::size_t>(std::max(n, 0)), 0.0);
    const int q = n / 4;
    if (q < 2) return;
    const double span = static_cast<double>(q - 1) * static_cast<double>(q - 1);
    const auto at = [&](int i) -> double& { return values[static_cast<std::size_t>(i)]; };
    for (int w = 0; w < q; ++w) {
        const double value = 0.25 * w * w / span + h;
        at(w) = value;
        at(2 * q - 1 - w) = 0.5 - value;
        at(2 * q + w) = 1.0 - at(2 * q - 1 - w);
        at(n - 1 - w) = 1.0 - value;
    }
}

bool locusDriverValues(const Element& driver, int n, std::vector<double>& values) {
    if (n < 2) return false;
    values.assign(static_cast<std::size_t>(n), 0.0);
    const double last = n - 1;
    if (driver.kind() == ElementKind::Number) {
        double minimum = 0.0, maximum = 0.0;
        if (driver.typeCode() != TypeCode::Parameter || !driver.parameterRange(minimum, maximum))
            return false;
        evenValues(n, minimum, (maximum - minimum) / last, values);
        return true;
    }
    if (driver.typeCode() != TypeCode::PointOnObject || driver.parents.empty() ||
        driver.parents[0] == nullptr)
        return false;
    const Element& object = *driver.parents[0];
    switch (object.kind()) {
        case ElementKind::Vector:
        case ElementKind::Segment:
        case ElementKind::Arc:
            evenValues(n, 0.0, 1.0 / last, values);
            return true;
        case ElementKind::Line:
        case ElementKind::Ray: {
            const StraightElement& line = asStraight(&object);
            const double length = distance(line.pointA, line.pointB);
            if (length == 0.0) return false;
            const double g = kLineReach / length;
            if (object.kind() == ElementKind::Line)
                evenValues(n, -g, 2.0 * g / last, values);
            else
                evenValues(n, 0.0, g / last, values);
            return true;
        }
        case ElementKind::Circle:
            evenValues(n, 0.0, kTwoPi / last, values);
            return true;
        case ElementKind::Conic: {
            const ConicType type = static_cast<const Conic&>(object).conicType();
            if (type == ConicType::kEllipse || type == ConicType::kHyperbola) {
                if (n % 4 != 0 || n < 8) return false;
                mirroredQuarterValues(n, type == ConicType::kHyperbola ? kHyperbolaNudge : 0.0, values);
                return true;
            }
            if (type == ConicType::kParabola || type == ConicType::kLinePair ||
                type == ConicType::kDegenerate) {
                evenValues(n, 0.0, 1.0 / last, values);
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

// ---------------------------------------------------------------- LocusTrace

LocusTrace::LocusTrace(Construction& construction, const RecomputeContext& context,
                       std::initializer_list<Element*> drivers)
    : construction_(construction), context_(context) {
    savedMarks_.reserve(static_cast<std::size_t>(construction_.count()));
    construction_.forEach([this](const Element& e) { savedMarks_.push_back(e.mark); });
    bool clearFirst = true;
    for (Element* driver : drivers) {
        construction_.markDescendants(driver, clearFirst);
        clearFirst = false;
    }
}

void LocusTrace::step() {
    construction_.recomputeMarked(context_);
}

void LocusTrace::finish() {
    step();
    std::size_t i = 0;
    construction_.forEach([this, &i](Element& e) { e.mark = savedMarks_[i++]; });
}

// ---------------------------------------------------------------- LocusMesh

LocusMesh::LocusMesh(int rowCount, int columnCount, bool closedRing)
    : rows(std::max(rowCount, 0)),
      columns(std::max(columnCount, 0)),
      closed(closedRing),
      points(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns)),
      pointDefined(points.size(), 0),
      rowsJoined(static_cast<std::size_t>(std::max(rows - 1, 0)), 0) {}

bool LocusMesh::isFacet(int r, int c) const {
    return rowsJoined[static_cast<std::size_t>(r)] && usable(r, c) && usable(r + 1, c) && usable(r, c + 1) &&
           usable(r + 1, c + 1);
}

// Differences across the neighbours that the mesh joins, so the shading runs
// smoothly over the surface; the facet's own normal where they give none.
Vec3 LocusMesh::vertexNormal(int r, int c, Vec3 faceNormal) const {
    const auto rowLinked = [&](int from, int to) {
        return rowsJoined[static_cast<std::size_t>(std::min(from, to))] && usable(to, c);
    };
    const int rPrev = (r > 0 && rowLinked(r, r - 1)) ? r - 1 : r;
    const int rNext = (r + 1 < rows && rowLinked(r, r + 1)) ? r + 1 : r;
    int cPrev = c;
    int cNext = c;
    if (c > 0 && usable(r, c - 1))
        cPrev = c - 1;
    else if (closed && c == 0 && columns > 2 && usable(r, columns - 2))
        cPrev = columns - 2;
    if (c + 1 < columns && usable(r, c + 1))
        cNext = c + 1;
    else if (closed && c == columns - 1 && columns > 2 && usable(r, 1))
        cNext = 1;
    const Vec3 across = crossProduct(at(rNext, c) - at(rPrev, c), at(r, cNext) - at(r, cPrev));
    const Vec3 n = unitVector(Vec3{}, across).end;
    return n == Vec3{} ? faceNormal : n;
}

void LocusMesh::triangles(std::vector<Vec3>& vertices, std::vector<Vec3>& normals) const {
    vertices.clear();
    normals.clear();
    for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < columns; ++c) {
            if (!isFacet(r, c)) continue;
            const Vec3 p00 = at(r, c), p10 = at(r + 1, c), p11 = at(r + 1, c + 1), p01 = at(r, c + 1);
            // The diagonals give a normal even when one triangle of the quad is degenerate.
            Vec3 face = unitVector(Vec3{}, crossProduct(p11 - p00, p01 - p10)).end;
            if (face == Vec3{}) face = {0.0, 0.0, 1.0};
            const Vec3 n00 = vertexNormal(r, c, face), n10 = vertexNormal(r + 1, c, face);
            const Vec3 n11 = vertexNormal(r + 1, c + 1, face), n01 = vertexNormal(r, c + 1, face);
            vertices.insert(vertices.end(), {p00, p10, p11, p00, p11, p01});
            normals.insert(normals.end(), {n00, n10, n11, n00, n11, n01});
        }
    }
}

void LocusMesh::draw(std::uint32_t colour, Canvas& canvas) const {
    std::vector<Vec3> vertices, normals;
    triangles(vertices, normals);
    if (!vertices.empty()) canvas.triangles(vertices, normals, colour);
}

int LocusMesh::hitTest(const PickRay& ray, Vec3& hitPoint) const {
    int hit = 0;
    double nearest = 0.0;
    const auto tryTriangle = [&](Vec3 a, Vec3 b, Vec3 c) {
        Vec3 meet, unused;
        if (!intersectLinePlane(ray.nearPoint, ray.farPoint, a, b, c, meet)) return;
        if (!isOnRay(meet, ray.nearPoint, ray.farPoint, unused)) return;
        const Vec3 corners[3] = {a, b, c};
        if (!pointInPolygon(meet, 3, corners, a, b, c)) return;
        const double depth = distance(ray.nearPoint, meet);
        if (!hit || depth < nearest) {
            hit = 1;
            nearest = depth;
            hitPoint = meet;
        }
    };
    for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c + 1 < columns; ++c) {
            if (!isFacet(r, c)) continue;
            tryTriangle(at(r, c), at(r + 1, c), at(r + 1, c + 1));
            tryTriangle(at(r, c), at(r + 1, c + 1), at(r, c + 1));
        }
    }
    return hit;
}

// ---------------------------------------------------------------- Locus

Locus::Locus(TypeCode typeCode, const KindStyle& style)
    : Element(typeCode, style),
      sampleCount(locusSampleCount(typeCode)),
      samples(static_cast<std::size_t>(sampleCount)) {
    if (typeCode == TypeCode::CircleLocus) rings.resize(static_cast<std::size_t>(sampleCount));
}

std::size_t Locus::memoryBytes() const {
    return Element::memoryBytes() + samples.capacity() * sizeof(LocusSample) +
           rings.capacity() * sizeof(rings[0]);
}

std::unique_ptr<Element> Locus::clone() const {
    return std::unique_ptr<Element>(new Locus(*this));
}

void Locus::recompute(Construction& construction, const RecomputeContext& context) {
    // The traced element may be undefined here (the construction allows it), but it must exist.
    Element* driver = parents[1];
    std::vector<double> values;
    double saved = 0.0;
    if (parents[0] == nullptr || samples.size() != static_cast<std::size_t>(sampleCount) ||
        !locusDriverValues(*driver, sampleCount, values) || !driverValue(*driver, saved)) {
        defined = 0;
        return;
    }
    LocusTrace trace(construction, context, {driver});
    for (std::size_t i = 0; i < samples.size(); ++i) {
        setDriverValue(*driver, values[i]);
        trace.step();
        storeSample(samples[i], values[i]);
    }
    setDriverValue(*driver, saved);
    trace.finish();
    if (typeCode() == TypeCode::CircleLocus) buildRings();
    defined = 1;
}

void Locus::storeSample(LocusSample& sample, double value) const {
    const Element* traced = parents[0];
    sample.driverValue = value;
    sample.defined = traced->defined ? 1 : 0;
    if (!sample.defined) return;
    switch (typeCode()) {
        case TypeCode::PointLocus:
            sample.first = positionOf(traced);
            break;
        case TypeCode::SegmentLocus:
            sample.first = asStraight(traced).pointA;
            sample.second = asStraight(traced).pointB;
            break;
        case TypeCode::CircleLocus: {
            const Circle& circle = *static_cast<const Circle*>(traced);
            sample.first = circle.centre;
            sample.second = circle.refPoint;
            sample.axisA = circle.axisA;
            sample.axisB = circle.axisB;
            break;
        }
        default:
            break;
    }
}

// Each ring turns the same way as the one before (the axis is reversed when it
// turned by more than a right angle) and starts at the point of its circle
// nearest to where the ring before started, so column k of one ring lies beside
// column k of the next and the mesh between them does not twist.
void Locus::buildRings() {
    bool havePrevious = false;
    Vec3 previousAxis;
    Vec3 previousStart;
    for (std::size_t i = 0; i < samples.size() && i < rings.size(); ++i) {
        const LocusSample& s = samples[i];
        if (!s.defined) continue;
        Vec3 axis = unitVector(s.axisA, s.axisB).end;
        if (havePrevious && dotProduct(axis, previousAxis) < 0.0) axis = -axis;
        const double radius = distance(s.first, s.second);
        const Vec3 start =
            havePrevious ? nearestOnCircle(previousStart, s.first, axis, radius, s.second) : s.second;
        std::array<Vec3, kRingPoints>& ring = rings[i];
        if (!regularPolygonPoints(kRingSteps, s.first, Vec3{}, axis, start, ring.data()))
            ring.fill(s.first);  // a circle without an axis: nothing to sweep
        ring[kRingSteps] = ring[0];
        previousAxis = axis;
        previousStart = start;
        havePrevious = true;
    }
}

bool Locus::joined(std::size_t i) const {
    const LocusSample& a = samples[i];
    const LocusSample& b = samples[i + 1];
    if (!a.defined || !b.defined) return false;
    switch (typeCode()) {
        case TypeCode::PointLocus:
            return distance(a.first, b.first) < kLocusJumpGap;
        case TypeCode::SegmentLocus:
            return distance(a.first, b.first) < kLocusJumpGap && distance(a.second, b.second) < kLocusJumpGap;
        default:
            return true;
    }
}

LocusMesh Locus::sweptMesh() const {
    const bool ringed = typeCode() == TypeCode::CircleLocus;
    const int rowCount = static_cast<int>(samples.size());
    LocusMesh mesh(rowCount, ringed ? kRingPoints : 2, ringed);
    if (ringed && rings.size() != samples.size()) return mesh;
    for (int r = 0; r < rowCount; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        for (int c = 0; c < mesh.columns; ++c) {
            const std::size_t k = i * static_cast<std::size_t>(mesh.columns) + static_cast<std::size_t>(c);
            mesh.points[k] = ringed ? rings[i][static_cast<std::size_t>(c)]
                                    : (c == 0 ? samples[i].first : samples[i].second);
            mesh.pointDefined[k] = samples[i].defined ? 1 : 0;
        }
        if (r + 1 < rowCount) mesh.rowsJoined[i] = joined(i) ? 1 : 0;
    }
    return mesh;
}

void Locus::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    if (typeCode() != TypeCode::PointLocus) {
        sweptMesh().draw(colour, canvas);
        return;
    }
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
        if (joined(i))
            canvas.segment(samples[i].first, samples[i + 1].first, colour, size, shape, projection, true);
    }
}

int Locus::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    if (typeCode() != TypeCode::PointLocus) return sweptMesh().hitTest(ray, hitPoint);
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
        if (!joined(i)) continue;
        const Vec3 a = samples[i].first;
        const Vec3 b = samples[i + 1].first;
        Vec3 onCurve, onRay, unused;
        double gap = 0.0;
        if (!closestPointsOfLines(a, b, ray.nearPoint, ray.farPoint, onCurve, onRay, gap)) continue;
        if (!isOnRay(onCurve, ray.nearPoint, ray.farPoint, unused) || !isOnSegment(onCurve, a, b, unused))
            continue;
        const double k = curveDepthFactor(distance(ray.nearPoint, onCurve), projection);
        if (lineRadius(size) * k > gap) {
            hitPoint = onCurve;
            return 1;
        }
    }
    return 0;
}

int Locus::write(OutputStream& out) const {
    return writeBase(out) && writeU32(out, static_cast<std::uint32_t>(sampleCount)) ? 1 : 0;
}

int Locus::read(InputStream& in, int fileVersion) {
    std::uint32_t count = 0;
    if (!readBase(in, fileVersion) || !readU32(in, count)) return 0;
    // The samples are recomputed; the count only has to be the one this locus is made with.
    if (count != static_cast<std::uint32_t>(locusSampleCount(typeCode()))) {
        in.fail("a locus has a sample count other than its type's");
        return 0;
    }
    return 1;
}
