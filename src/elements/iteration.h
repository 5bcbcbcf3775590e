#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/construction.h"
#include "model/element.h"

// Images per input and step.
inline constexpr int kMaxIterationBranches = 100;
// Steps (recomputes of the private copy) one drawing may take. The drawing grows
// as branchCount^depth, so a large depth would otherwise freeze the program: the
// depth drawn is cut to the largest one whose whole tree fits in this budget.
inline constexpr std::int64_t kMaxIterationSteps = std::int64_t{1} << 20;

// Iterations: a part of the construction repeated depth
// times, the positions of each step's image points becoming the input points of
// the next. The parents are the inputCount input points, then the further
// elements the iteration refers to (those are what is drawn), and last the depth
// number when useDepthNumber is set. imageTable[i][b] is the index, in the parent
// list, of the point whose position becomes input i along branch b.
class Iteration : public Element {
  public:
    Iteration(const KindStyle& style, int parentCount);

    std::unique_ptr<Element> clone() const override;
    // Reads the depth and rebuilds the private copy of the construction.
    void recompute(Construction& construction, const RecomputeContext& context) override;
    // Draws the copies of every step after the first (the document shows that one).
    void draw(std::uint32_t colour, int projection, Canvas& canvas) override;
    // An iteration is not picked in space.
    int hitTest(int x, int y, const PickRay& ray, int projection, Vec3& hitPoint) override;
    int write(OutputStream& out) const override;
    int read(InputStream& in, int fileVersion) override;
    std::size_t memoryBytes() const override;

    // The depth drawn for a depth and branch count: depth itself, or less when the
    // whole tree of steps would exceed kMaxIterationSteps. 0 for a negative depth.
    static int drawnDepth(int depth, int branchCount);

    std::int32_t depth = 1;
    std::int32_t useDepthNumber = 0;
    std::int32_t branchCount = 1;
    std::int32_t lastOnly = 0;
    std::int32_t drawPoints = 1;
    std::int32_t useIterationColour = 1;
    std::int32_t inputCount = 0;
    std::vector<std::vector<std::int32_t>> imageTable;

    // The private copy as the last recompute built it; nullptr before (and on copies).
    const Construction* privateCopy() const { return copy_.get(); }

  protected:
    // The private copy is not shared: a copied iteration builds its own on recompute.
    Iteration(const Iteration& other);

  private:
    // Whether the fields describe an iteration that can be run on these parents.
    bool consistent() const;
    bool buildCopy(Construction& document);
    // Moves the copy's input points to the given positions and recomputes the copy.
    void runStep(const std::vector<Vec3>& inputs);
    void drawCopy(std::uint32_t colour, int projection, Canvas& canvas);

    // Per input: the copy's input point, and its image points per branch.
    struct CopyRow {
        Element* input = nullptr;
        std::vector<Element*> images;
    };

    std::unique_ptr<Construction> copy_;
    std::vector<CopyRow> rows_;
    RecomputeContext context_;
};
