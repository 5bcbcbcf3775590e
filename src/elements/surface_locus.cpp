#include <algorithm>

#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "geometry/predicates.h"
#include "geometry/tolerances.h"
#include "geometry/vectors.h"
#include "model/byte_stream.h"
#include "model/construction.h"

namespace {

bool rangeOfParameter(const Element* number, double& minimum, double& maximum) {
    return number != nullptr && number->typeCode() == TypeCode::Parameter &&
           number->parameterRange(minimum, maximum);
}

// The four vertices of a polygon that is a parallelogram V0 V1 V2 V3 with
// non-parallel sides, or false.
bool parallelogramOf(const Element& object, std::array<Vec3, 4>& v) {
    if (object.typeCode() != TypeCode::PolygonVertices || !object.defined) return false;
    const Polygon& polygon = static_cast<const Polygon&>(object);
    if (polygon.vertices.size() != 4) return false;
    std::copy(polygon.vertices.begin(), polygon.vertices.end(), v.begin());
    const Vec3 fourth = v[0] + (v[1] - v[0]) + (v[3] - v[0]);
    return distance(fourth, v[2]) <= kSnapEps && isTriangle(v[0], v[1], v[3]);
}

}  // namespace

SurfaceLocus::SurfaceLocus(TypeCode typeCode, const KindStyle& style)
    : Element(typeCode, style), grid(static_cast<std::size_t>(kSurfaceGridCount * kSurfaceGridCount)) {}

std::size_t SurfaceLocus::memoryBytes() const {
    return Element::memoryBytes() + grid.capacity() * sizeof(GridCell);
}

std::unique_ptr<Element> SurfaceLocus::clone() const {
    return std::unique_ptr<Element>(new SurfaceLocus(*this));
}

void SurfaceLocus::recompute(Construction& construction, const RecomputeContext& context) {
    const bool sized =
        rowCount >= 2 && columnCount >= 2 &&
        grid.size() == static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(columnCount);
    if (!sized || parents[0] == nullptr) {
        defined = 0;
        return;
    }
    bool computed = false;
    if (typeCode() == TypeCode::ParameterSurfaceLocus)
        computed = recomputeOverParameters(construction, context);
    else if (typeCode() == TypeCode::PolygonSurfaceLocus)
        computed = recomputeOverParallelogram(construction, context);
    defined = computed ? 1 : 0;
}

namespace {

void storeCell(GridCell& cell, const Element& traced) {
    cell.defined = traced.defined ? 1 : 0;
    if (cell.defined) cell.position = positionOf(&traced);
}

}  // namespace

bool SurfaceLocus::recomputeOverParameters(Construction& construction, const RecomputeContext& context) {
    Element* first = parents[1];
    Element* second = parents[2];
    double min1 = 0.0, max1 = 0.0, min2 = 0.0, max2 = 0.0, saved1 = 0.0, saved2 = 0.0;
    if (!rangeOfParameter(first, min1, max1) || !rangeOfParameter(second, min2, max2) ||
        !first->currentValue(saved1) || !second->currentValue(saved2))
        return false;
    const double step1 = (max1 - min1) / (rowCount - 1);
    const double step2 = (max2 - min2) / (columnCount - 1);
    LocusTrace trace(construction, context, {first, second});
    for (int i = 0; i < rowCount; ++i) {
        first->setParameterValue(min1 + i * step1);
        for (int j = 0; j < columnCount; ++j) {
            second->setParameterValue(min2 + j * step2);
            trace.step();
            storeCell(grid[static_cast<std::size_t>(i * columnCount + j)], *parents[0]);
        }
    }
    first->setParameterValue(saved1);
    second->setParameterValue(saved2);
    trace.finish();
    return true;
}

bool SurfaceLocus::recomputeOverParallelogram(Construction& construction, const RecomputeContext& context) {
    Element* driver = parents[1];
    if (driver->typeCode() != TypeCode::PointOnObject || driver->parents.empty() ||
        driver->parents[0] == nullptr)
        return false;
    const Element& object = *driver->parents[0];
    std::array<Vec3, 4> v;
    if (!parallelogramOf(object, v)) return false;
    PointOnObject& point = static_cast<PointOnObject&>(*driver);
    const double saved1 = point.param1;
    const double saved2 = point.param2;
    const Vec3 along1 = unitVector(v[0], v[1]).end * (distance(v[0], v[1]) / (rowCount - 1));
    const Vec3 along3 = unitVector(v[0], v[3]).end * (distance(v[0], v[3]) / (columnCount - 1));
    LocusTrace trace(construction, context, {driver});
    for (int i = 0; i < rowCount; ++i) {
        for (int j = 0; j < columnCount; ++j) {
            GridCell& cell = grid[static_cast<std::size_t>(i * columnCount + j)];
            // The point is moved through its own parameters, which its recompute reads.
            const Vec3 target = v[0] + along1 * i + along3 * j;
            if (!object.parameterOf(target, point.param1, point.param2)) {
                cell.defined = 0;
                continue;
            }
            trace.step();
            storeCell(cell, *parents[0]);
        }
    }
    point.param1 = saved1;
    point.param2 = saved2;
    trace.finish();
    return true;
}

LocusMesh SurfaceLocus::gridMesh() const {
    LocusMesh mesh(rowCount, columnCount, false);
    if (mesh.points.size() != grid.size()) {
        std::fill(mesh.pointDefined.begin(), mesh.pointDefined.end(), 0);
        return mesh;
    }
    for (std::size_t k = 0; k < grid.size(); ++k) {
        mesh.points[k] = grid[k].position;
        mesh.pointDefined[k] = grid[k].defined ? 1 : 0;
    }
    std::fill(mesh.rowsJoined.begin(), mesh.rowsJoined.end(), 1);
    return mesh;
}

void SurfaceLocus::draw(std::uint32_t colour, int, Canvas& canvas) {
    gridMesh().draw(colour, canvas);
}

int SurfaceLocus::hitTest(int, int, const PickRay& ray, int, Vec3& hitPoint) {
    return gridMesh().hitTest(ray, hitPoint);
}

int SurfaceLocus::write(OutputStream& out) const {
    return writeBase(out) && writeU32(out, static_cast<std::uint32_t>(rowCount)) &&
                   writeU32(out, static_cast<std::uint32_t>(columnCount))
               ? 1
               : 0;
}

int SurfaceLocus::read(InputStream& in, int fileVersion) {
    std::uint32_t rows = 0, columns = 0;
    if (!readBase(in, fileVersion) || !readU32(in, rows) || !readU32(in, columns)) return 0;
    // The grid is made at creation; a file cannot ask for another size.
    if (rows != static_cast<std::uint32_t>(kSurfaceGridCount) ||
        columns != static_cast<std::uint32_t>(kSurfaceGridCount)) {
        in.fail("a surface locus has a grid size other than 90 by 90");
        return 0;
    }
    return 1;
}
