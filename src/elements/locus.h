#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "model/element.h"

// Consecutive samples this far apart or farther are not joined: the traced
// element jumped (an intersection changed branch, a point went to infinity).
inline constexpr double kLocusJumpGap = 19.0;
// Points of a traced circle's ring, and the ring with its closing copy.
inline constexpr int kRingSteps = 50;
inline constexpr int kRingPoints = kRingSteps + 1;
// Rows and columns of a surface locus's grid.
inline constexpr int kSurfaceGridCount = 90;

// Samples of a curve or swept locus, fixed by its code; 0 for other codes.
int locusSampleCount(TypeCode typeCode);

// The values a locus driver runs through for n samples: a parameter number
// over its range, a point on an object over the object's parameter. False for a
// driver that cannot drive a locus (a point on a plane, say, or a number that is
// not a parameter).
bool locusDriverValues(const Element& driver, int n, std::vector<double>& values);
// The mirrored quarters of an ellipse (h = 0) or hyperbola (h = 1e-8): n values
// crowding towards the parameters 0, 0.5 and 1. n is a multiple of 4, at least 8.
void mirroredQuarterValues(int n, double h, std::vector<double>& values);

// A grid of points drawn as a translucent mesh: rows × columns points in row
// order. The quad between rows r, r + 1 and columns c, c + 1 is a facet when its
// four corners are defined and the two rows are joined. closed tells that the
// last column repeats the first (a ring), so normals wrap around.
struct LocusMesh {
    int rows = 0;
    int columns = 0;
    bool closed = false;
    std::vector<Vec3> points;
    std::vector<std::uint8_t> pointDefined;
    std::vector<std::uint8_t> rowsJoined;  // rows − 1 entries

    LocusMesh(int rowCount, int columnCount, bool closedRing);
    const Vec3& at(int r, int c) const { return points[index(r, c)]; }
    bool isFacet(int r, int c) const;
    // Two triangles per facet, with a normal per vertex.
    void triangles(std::vector<Vec3>& vertices, std::vector<Vec3>& normals) const;
    void draw(std::uint32_t colour, Canvas& canvas) const;
    // The facet hit nearest the ray's origin, in front of it.
    int hitTest(const PickRay& ray, Vec3& hitPoint) const;

  private:
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c);
    }
    bool usable(int r, int c) const { return pointDefined[index(r, c)] != 0; }
    Vec3 vertexNormal(int r, int c, Vec3 faceNormal) const;
};

// One stored state of the traced element.
struct LocusSample {
    double driverValue = 0.0;
    Vec3 first;   // a point's position, a segment's A, a circle's centre
    Vec3 second;  // a segment's B, a circle's reference point
    Vec3 axisA;   // a circle's axis
    Vec3 axisB;
    std::int32_t defined = 0;
};

// Curve loci (PointLocus) and the surfaces swept by a segment or vector
// (SegmentLocus) or a circle (CircleLocus): the traced element (parent 0) sampled while the driver (parent
// 1, a point on an object or a parameter number) runs through its range.
class Locus : public Element {
  public:
    Locus(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::size_t memoryBytes() const override;

    std::int32_t sampleCount = 0;
    std::vector<LocusSample> samples;
    // CircleLocus only: per sample, the traced circle as kRingSteps points and the first again.
    std::vector<std::array<Vec3, kRingPoints>> rings;

  protected:
    Locus(const Locus&) = default;

  private:
    void storeSample(LocusSample& sample, double driverValue) const;
    void buildRings();
    // Whether samples i and i + 1 are joined in the drawing and the pick test.
    bool joined(std::size_t i) const;
    // The swept surface of SegmentLocus and CircleLocus as a mesh.
    LocusMesh sweptMesh() const;
};

// One cell of a surface locus's grid.
struct GridCell {
    Vec3 position;
    std::int32_t defined = 0;
};

// Surface loci traced by a point: PolygonSurfaceLocus with the driving point
// run over a parallelogram, ParameterSurfaceLocus with two parameter numbers run over their ranges. Cell
// (i, j) is at index i · columnCount + j.
class SurfaceLocus : public Element {
  public:
    SurfaceLocus(TypeCode typeCode, const KindStyle& style);

    std::unique_ptr<Element> clone() const override;
    void recompute(Construction& construction, const RecomputeContext& context) override;
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::size_t memoryBytes() const override;

    std::int32_t rowCount = kSurfaceGridCount;
    std::int32_t columnCount = kSurfaceGridCount;
    std::vector<GridCell> grid;

  protected:
    SurfaceLocus(const SurfaceLocus&) = default;

  private:
    bool recomputeOverParameters(Construction& construction, const RecomputeContext& context);
    bool recomputeOverParallelogram(Construction& construction, const RecomputeContext& context);
    LocusMesh gridMesh() const;
};

// ---- shared by the locus classes

// Runs the chain from the drivers to the traced element while the caller moves
// the drivers. It marks the drivers' descendants on creation; step() recomputes
// the marked elements; finish() (after the caller has put the drivers back)
// recomputes them once more and gives every element its mark from before, so a
// locus leaves the construction exactly as it found it.
class LocusTrace {
  public:
    LocusTrace(Construction& construction, const RecomputeContext& context,
               std::initializer_list<Element*> drivers);
    LocusTrace(const LocusTrace&) = delete;
    LocusTrace& operator=(const LocusTrace&) = delete;

    void step();
    void finish();

  private:
    Construction& construction_;
    RecomputeContext context_;
    std::vector<std::int32_t> savedMarks_;
};
