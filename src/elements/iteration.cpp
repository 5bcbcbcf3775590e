#include "elements/iteration.h"

#include <cmath>
#include <limits>

#include "elements/point.h"
#include "model/byte_stream.h"
#include "model/canvas.h"

Iteration::Iteration(const KindStyle& style, int parentCount)
    : Element(TypeCode::Iteration, style, parentCount) {}

Iteration::Iteration(const Iteration& other)
    : Element(other),
      depth(other.depth),
      useDepthNumber(other.useDepthNumber),
      branchCount(other.branchCount),
      lastOnly(other.lastOnly),
      drawPoints(other.drawPoints),
      useIterationColour(other.useIterationColour),
      inputCount(other.inputCount),
      imageTable(other.imageTable),
      context_(other.context_) {}

std::size_t Iteration::memoryBytes() const {
    std::size_t bytes = Element::memoryBytes() + (copy_ ? copy_->memoryBytes() : 0);
    for (const auto& row : imageTable) bytes += sizeof(row) + row.capacity() * sizeof(std::int32_t);
    for (const CopyRow& row : rows_) bytes += sizeof(row) + row.images.capacity() * sizeof(Element*);
    return bytes;
}

std::unique_ptr<Element> Iteration::clone() const {
    return std::unique_ptr<Element>(new Iteration(*this));
}

int Iteration::drawnDepth(int depth, int branchCount) {
    if (depth <= 0) return 0;
    // With no branches only the first step runs; with one, every level is one step.
    if (branchCount <= 0) return depth;
    if (branchCount == 1) return static_cast<int>(std::min<std::int64_t>(depth, kMaxIterationSteps - 1));
    std::int64_t steps = 1;  // the first step, which draws nothing itself
    std::int64_t levelSteps = 1;
    int levels = 0;
    while (levels < depth) {
        levelSteps *= branchCount;
        if (steps + levelSteps > kMaxIterationSteps) break;
        steps += levelSteps;
        ++levels;
    }
    return levels;
}

bool Iteration::consistent() const {
    const int count = parentCount();
    const int numbers = useDepthNumber ? 1 : 0;
    if (inputCount < 1 || inputCount + numbers > count || branchCount < 1 ||
        branchCount > kMaxIterationBranches || imageTable.size() != static_cast<std::size_t>(inputCount))
        return false;
    for (const Element* p : parents)
        if (p == nullptr) return false;
    const auto isPointParent = [&](std::int32_t index) {
        return index >= 0 && index < count &&
               parents[static_cast<std::size_t>(index)]->kind() == ElementKind::Point;
    };
    for (int i = 0; i < inputCount; ++i) {
        const std::vector<std::int32_t>& row = imageTable[static_cast<std::size_t>(i)];
        if (!isPointParent(i) || row.size() < static_cast<std::size_t>(branchCount)) return false;
        for (int b = 0; b < branchCount; ++b)
            if (!isPointParent(row[static_cast<std::size_t>(b)])) return false;
    }
    return !numbers || parents.back()->kind() == ElementKind::Number;
}

void Iteration::recompute(Construction& construction, const RecomputeContext& context) {
    context_ = context;
    copy_.reset();
    rows_.clear();
    if (!consistent()) {
        defined = 0;
        return;
    }
    if (useDepthNumber) {
        double value = 0.0;
        if (!parents.back()->currentValue(value)) {
            defined = 0;
            return;
        }
        // Truncated towards zero, never negative; a huge value is held to what an
        // int can carry (the drawing cuts the depth much further).
        const double truncated = std::trunc(value);
        depth = !(truncated > 0.0) ? 0
                : truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max())
                    ? std::numeric_limits<std::int32_t>::max()
                    : static_cast<std::int32_t>(truncated);
    }
    // The copy is taken from the construction being recomputed (a full copy
    // renumbers it and stores its parent keys, leaving its elements as they were).
    defined = buildCopy(construction) ? 1 : 0;
}

bool Iteration::buildCopy(Construction& document) {
    copy_ = document.copy();
    Construction& c = *copy_;
    const auto inCopy = [&](const Element* e) { return c.at(document.indexOf(e)); };
    rows_.resize(static_cast<std::size_t>(inputCount));
    bool found = true;
    for (int i = 0; i < inputCount; ++i) {
        CopyRow& row = rows_[static_cast<std::size_t>(i)];
        row.input = inCopy(parents[static_cast<std::size_t>(i)]);
        found = found && row.input != nullptr;
        const std::vector<std::int32_t>& indices = imageTable[static_cast<std::size_t>(i)];
        for (int b = 0; b < branchCount; ++b) {
            row.images.push_back(
                inCopy(parents[static_cast<std::size_t>(indices[static_cast<std::size_t>(b)])]));
            found = found && row.images.back() != nullptr;
        }
    }
    if (!found) {
        copy_.reset();
        rows_.clear();
        return false;
    }

    // What each step recomputes: whatever is built on the inputs, and everything
    // that is built from, except the inputs themselves, which the steps place.
    c.clearMarks();
    for (const CopyRow& row : rows_) {
        c.markDescendants(row.input, false);
        row.input->mark = 0;
    }
    c.forEach([](Element& e) { e.visible = 0; });
    c.clearKeys();
    for (int k = 0; k < c.count(); ++k) {
        Element* e = c.at(k);
        if (e->mark) c.markAncestorsByKey(e);
    }
    // What each step draws: the further parents, except numbers, coordinates and texts.
    for (int k = inputCount; k < parentCount(); ++k) {
        Element* e = inCopy(parents[static_cast<std::size_t>(k)]);
        if (e != nullptr && !isNumericKind(e->kind())) e->visible = 1;
    }
    for (const CopyRow& row : rows_) row.input->key = 0;
    // Iterations never run inside a step, and a locus only when all it is built from does.
    c.forEach([](Element& e) {
        bool member = e.key == 1 && e.kind() != ElementKind::Iteration;
        if (member && isLocusKind(e.kind())) {
            for (const Element* p : e.parents) member = member && p != nullptr && p->iterationMember;
        }
        e.iterationMember = member ? 1 : 0;
    });
    c.renumber();
    return true;
}

void Iteration::runStep(const std::vector<Vec3>& inputs) {
    // A group leader positions its generated points, which may be inputs: they are
    // put back after each leader.
    const auto place = [&] {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            Point& input = *static_cast<Point*>(rows_[i].input);
            input.position = inputs[i];
            input.defined = 1;
        }
    };
    place();
    copy_->recomputeAll(context_, true, place);
}

void Iteration::drawCopy(std::uint32_t colour, int projection, Canvas& canvas) {
    const bool ownColours = !useIterationColour && !selected;
    for (const bool surfaces : {false, true}) {
        copy_->forEach([&](Element& e) {
            if (isSurfaceKind(e.kind()) != surfaces || !e.defined || !e.visible || e.macroIntermediate)
                return;
            // A copied iteration has no copy of its own to draw.
            if (e.kind() == ElementKind::Iteration || (e.kind() == ElementKind::Point && !drawPoints)) return;
            const std::int32_t ownSize = e.size;
            const std::int32_t ownShape = e.shape;
            e.size = size;
            e.shape = shape;
            e.draw(ownColours ? e.colour : colour, projection, canvas);
            e.size = ownSize;
            e.shape = ownShape;
        });
    }
}

// Depth first, with an explicit stack so that a deep chain cannot exhaust the
// call stack; the images of every branch are read before any branch runs, since
// running one changes the copy.
void Iteration::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    if (!copy_ || rows_.size() != static_cast<std::size_t>(inputCount) || inputCount < 1) return;
    const std::size_t n = rows_.size();
    const int top = drawnDepth(depth, branchCount);
    std::vector<int> levels{top};
    std::vector<Vec3> pending;
    pending.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!isDefined(parents[i])) return;
        pending.push_back(positionOf(parents[i]));
    }
    std::vector<Vec3> current(n);
    while (!levels.empty()) {
        const int level = levels.back();
        levels.pop_back();
        std::copy(pending.end() - static_cast<std::ptrdiff_t>(n), pending.end(), current.begin());
        pending.resize(pending.size() - n);
        runStep(current);
        if (level < top && (!lastOnly || level == 0)) drawCopy(colour, projection, canvas);
        if (level == 0) continue;
        // Pushed last branch first, so the first branch is drawn first.
        for (int b = branchCount - 1; b >= 0; --b) {
            bool allDefined = true;
            for (const CopyRow& row : rows_)
                allDefined = allDefined && row.images[static_cast<std::size_t>(b)]->defined;
            if (!allDefined) continue;  // this branch stops here
            for (const CopyRow& row : rows_)
                pending.push_back(positionOf(row.images[static_cast<std::size_t>(b)]));
            levels.push_back(level - 1);
        }
    }
}

int Iteration::hitTest(int, int, const PickRay&, int, Vec3&) {
    return 0;
}

int Iteration::write(OutputStream& out) const {
    bool ok = writeBase(out) && writeI32(out, depth) && writeI32(out, useDepthNumber) &&
              writeI32(out, branchCount) && writeI32(out, lastOnly) && writeI32(out, drawPoints) &&
              writeI32(out, useIterationColour) && writeI32(out, inputCount);
    for (int i = 0; ok && i < inputCount; ++i) {
        const std::vector<std::int32_t>* row = static_cast<std::size_t>(i) < imageTable.size()
                                                   ? &imageTable[static_cast<std::size_t>(i)]
                                                   : nullptr;
        for (int b = 0; ok && b < branchCount; ++b) {
            const bool present = row != nullptr && static_cast<std::size_t>(b) < row->size();
            ok = writeI32(out, present ? (*row)[static_cast<std::size_t>(b)] : 0);
        }
    }
    return ok ? 1 : 0;
}

int Iteration::read(InputStream& in, int fileVersion) {
    std::int32_t fields[7] = {};
    if (!readBase(in, fileVersion)) return 0;
    for (std::int32_t& field : fields)
        if (!readI32(in, field)) return 0;
    const auto [readDepth, readUseNumber, branches, readLastOnly, readDrawPoints, readColour, inputs] =
        fields;
    if (branches < 1 || branches > kMaxIterationBranches) {
        in.fail("an iteration has more than 100 branches or none");
        return 0;
    }
    if (inputs < 1 || inputs + (readUseNumber ? 1 : 0) > parentCount()) {
        in.fail("an iteration's inputs do not fit its elements");
        return 0;
    }
    const std::size_t entries = static_cast<std::size_t>(inputs) * static_cast<std::size_t>(branches);
    if (entries > in.remaining() / 4) {
        in.fail("an iteration's image table is cut short");
        return 0;
    }
    std::vector<std::vector<std::int32_t>> table(static_cast<std::size_t>(inputs));
    for (std::vector<std::int32_t>& row : table) {
        row.resize(static_cast<std::size_t>(branches));
        for (std::int32_t& image : row) {
            if (!readI32(in, image)) return 0;
            if (image < 0 || image >= parentCount()) {
                in.fail("an iteration's image is not one of its elements");
                return 0;
            }
        }
    }
    depth = readDepth;
    useDepthNumber = readUseNumber;
    branchCount = branches;
    lastOnly = readLastOnly;
    drawPoints = readDrawPoints;
    useIterationColour = readColour;
    inputCount = inputs;
    imageTable = std::move(table);
    return 1;
}
