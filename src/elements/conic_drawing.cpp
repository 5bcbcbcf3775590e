// How a conic is drawn and picked: an adaptive polyline through points of the
// curve for ellipses, hyperbolas and parabolas, two long segments for line pairs.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "elements/conic.h"
#include "elements/style_tables.h"
#include "geometry/conic_point.h"
#include "geometry/containment.h"
#include "geometry/geometry2d.h"
#include "geometry/intersections_lines_planes.h"
#include "geometry/planes_frames.h"
#include "geometry/projections.h"
#include "geometry/vectors.h"
#include "model/canvas.h"

namespace {

// Pieces of the polyline: more for bigger conics, between these bounds.
constexpr int kMinPieces = 199;
constexpr int kMaxPieces = 499;
constexpr double kPiecesPerUnit = 10.0;
// Uniform start before refining, per parameter range.
constexpr int kStartPieces = 32;
// Bisection steps that bring a cut curve up to the edge of its reach.
constexpr int kEdgeSteps = 40;
// Half-length of a drawn line, and how far open curves reach, by projection.
constexpr double kReachCentral = 99.0;
constexpr double kReachParallel = 499.0;

double reachOf(int projection) {
    return projection == 1 ? kReachParallel : kReachCentral;
}

struct Sample {
    double t = 0.0;
    Vec2 point;
    bool inside = false;  // evaluated, and within the reach
};

// One connected parameter range of the curve and the disc it is cut to.
struct Range {
    double from = 0.0;
    double to = 1.0;
    bool closed = false;  // the ends are curve points (the ellipse)
};

class Sampler {
  public:
    Sampler(const ConicCurve& curve, Vec2 hub, double reach) : curve_(curve), hub_(hub), reach_(reach) {}

    Sample at(double t) const {
        Sample s;
        s.t = t;
        s.inside = conicPoint2d(curve_, t, s.point) == 1 && distance2d(s.point, hub_) <= reach_ &&
                   std::isfinite(s.point.x) && std::isfinite(s.point.y) && onSameBranch(t, s.point);
        return s;
    }

    // Uniform samples of a range, then, wherever the curve leaves the reach between
    // two samples, the last point inside found by bisection. An open range is bounded
    // by unevaluated outside samples at its ends, where the curve runs off to infinity.
    void start(const Range& range, std::vector<Sample>& out) const {
        std::vector<Sample> grid;
        if (!range.closed) grid.push_back(Sample{range.from, {}, false});
        const double step = (range.to - range.from) / kStartPieces;
        for (int i = range.closed ? 0 : 1; i <= (range.closed ? kStartPieces : kStartPieces - 1); ++i) {
            grid.push_back(at(i == kStartPieces ? range.to : range.from + step * i));
        }
        if (!range.closed) grid.push_back(Sample{range.to, {}, false});
        for (std::size_t i = 0; i < grid.size(); ++i) {
            if (i > 0 && grid[i - 1].inside != grid[i].inside) {
                const Sample edge = edgeBetween(grid[i - 1], grid[i]);
                if (edge.t != grid[i - 1].t && edge.t != grid[i].t) out.push_back(edge);
            }
            out.push_back(grid[i]);
        }
    }

  private:
    // The evaluation nudges a parameter that finds no point; near t = 0.5 that could
    // carry a hyperbola's sample over to the other branch, which must not be joined.
    bool onSameBranch(double t, Vec2 point) const {
        if (curve_.type != ConicType::kHyperbola) return true;
        double back = 0.0;
        return conicParameter2d(curve_, point, back) == 1 && (back <= 0.5) == (t <= 0.5);
    }

    Sample edgeBetween(const Sample& a, const Sample& b) const {
        Sample in = a.inside ? a : b;
        double outT = a.inside ? b.t : a.t;
        for (int i = 0; i < kEdgeSteps; ++i) {
            const Sample mid = at(0.5 * (in.t + outT));
            if (mid.inside) {
                in = mid;
            } else {
                outT = mid.t;
            }
        }
        return in;
    }

    const ConicCurve& curve_;
    Vec2 hub_;
    double reach_;
};

// Deviation of the curve from a piece, measured at the middle parameter.
double bulge(const Sample& a, const Sample& mid, const Sample& b) {
    if (!mid.inside) return 0.0;
    return distance2d(mid.point, 0.5 * (a.point + b.point));
}

int pieceBudget(const ConicCurve& curve) {
    if (curve.type != ConicType::kEllipse) return kMaxPieces;  // open curves fill their reach
    const double extra = curve.measures.size * kPiecesPerUnit;
    if (!(extra < kMaxPieces - kMinPieces)) return kMaxPieces;
    return kMinPieces + static_cast<int>(extra);
}

// The range samples refined: the piece that strays furthest from its chord is split
// until the budget is spent. Thin conics so get their samples where they turn.
void refine(const Sampler& sampler, std::vector<Sample>& samples, int budget) {
    struct Piece {
        Sample mid;
        double score = 0.0;
    };
    std::vector<Piece> pieces(samples.empty() ? 0 : samples.size() - 1);
    auto measure = [&](std::size_t i) {
        Piece& p = pieces[i];
        const Sample& a = samples[i];
        const Sample& b = samples[i + 1];
        if (!a.inside || !b.inside) {
            p.score = -1.0;
            return;
        }
        p.mid = sampler.at(0.5 * (a.t + b.t));
        p.score = bulge(a, p.mid, b);
    };
    int drawn = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        measure(i);
        if (pieces[i].score >= 0.0) ++drawn;
    }
    while (drawn < budget) {
        std::size_t best = pieces.size();
        double bestScore = 0.0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].score > bestScore && pieces[i].mid.inside) {
                best = i;
                bestScore = pieces[i].score;
            }
        }
        if (best == pieces.size()) break;  // nothing left that bends
        samples.insert(samples.begin() + static_cast<std::ptrdiff_t>(best + 1), pieces[best].mid);
        pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(best + 1), Piece{});
        measure(best);
        measure(best + 1);
        ++drawn;
    }
}

}  // namespace

std::vector<std::vector<Vec3>> Conic::polylines(int projection) const {
    std::vector<std::vector<Vec3>> runs;
    Range ranges[2];
    int rangeCount = 1;
    Vec2 hub;
    double reach = reachOf(projection);
    switch (curve.type) {
        case ConicType::kEllipse:
            ranges[0] = {0.0, 1.0, true};
            hub = curve.centre;
            reach = std::numeric_limits<double>::infinity();  // drawn whole
            break;
        case ConicType::kHyperbola:
            // t = 0.5 separates the branches.
            ranges[0] = {0.0, 0.5, false};
            ranges[1] = {0.5, 1.0, false};
            rangeCount = 2;
            hub = curve.centre;
            reach += distance2d(curve.axes.vertices[0], curve.centre);
            break;
        case ConicType::kParabola:
            ranges[0] = {0.0, 1.0, false};
            hub = curve.vertex;
            break;
        default:
            return runs;
    }
    const Sampler sampler(curve, hub, reach);
    const int budget = pieceBudget(curve) / rangeCount;
    for (int r = 0; r < rangeCount; ++r) {
        std::vector<Sample> samples;
        sampler.start(ranges[r], samples);
        refine(sampler, samples, budget);
        std::vector<Vec3> run;
        for (const Sample& s : samples) {
            if (s.inside) {
                run.push_back(fromFrameCoordinates(curve.frame, {s.point.x, s.point.y, curve.level}));
                continue;
            }
            if (run.size() >= 2) runs.push_back(std::move(run));
            run.clear();
        }
        if (run.size() >= 2) runs.push_back(std::move(run));
    }
    return runs;
}

namespace {

// The stretch of a line drawn for the view: R ± E·unit(B − A), R the point of the
// line nearest the view ray through the window's corner.
bool viewStretch(Vec3 a, Vec3 b, int projection, const Canvas& canvas, Vec3& from, Vec3& to) {
    const Vec3 nearPoint = canvas.unproject(0, 0, 0.0003);
    const Vec3 farPoint = canvas.unproject(0, 0, 0.9999);
    Vec3 r;
    if (projection == 1) {
        Vec3 onView;
        double gap = 0.0;
        if (!closestPointsOfLines(a, b, nearPoint, farPoint, r, onView, gap)) return false;
    } else {
        double d = 0.0;
        if (!footOnLine(nearPoint, a, b, r, d)) return false;
    }
    const double reach = reachOf(projection);
    from = pointTowards(r, r + (b - a), -reach);
    to = pointTowards(r, r + (b - a), reach);
    return true;
}

// Distance from a point to the pick ray's line (infinite when it cannot be measured).
double offRay(Vec3 p, const PickRay& ray) {
    Vec3 foot;
    double d = 0.0;
    return footOnLine(p, ray.nearPoint, ray.farPoint, foot, d) ? d : std::numeric_limits<double>::infinity();
}

// Steps of the search for the curve point nearest the ray within one drawn piece.
constexpr int kNearestSteps = 60;

}  // namespace

// The point of the curve nearest the pick ray's line, searched between the
// parameters of a drawn piece's ends, so that a hit lands on the curve itself and
// not on its polyline. `fallback` when the parameters cannot be found.
Vec3 Conic::nearestToRay(Vec3 a, Vec3 b, const PickRay& ray, Vec3 fallback) const {
    double ta = 0.0, tb = 0.0, unused = 0.0;
    if (!parameterOf(a, ta, unused) || !parameterOf(b, tb, unused)) return fallback;
    // A piece of an ellipse across t = 0 runs on past 1.
    if (curve.type == ConicType::kEllipse && std::fabs(tb - ta) > 0.5) (ta < tb ? ta : tb) += 1.0;
    if (ta > tb) std::swap(ta, tb);
    auto gap = [&](double t) {
        Vec3 p;
        return pointAt(t, 0.0, p) ? offRay(p, ray) : std::numeric_limits<double>::infinity();
    };
    for (int i = 0; i < kNearestSteps; ++i) {
        const double m1 = ta + (tb - ta) / 3.0;
        const double m2 = tb - (tb - ta) / 3.0;
        if (gap(m1) < gap(m2)) {
            tb = m2;
        } else {
            ta = m1;
        }
    }
    Vec3 p;
    if (!pointAt(0.5 * (ta + tb), 0.0, p) || !(offRay(p, ray) <= offRay(fallback, ray))) return fallback;
    return p;
}

void Conic::draw(std::uint32_t colour, int projection, Canvas& canvas) {
    if (curve.type == ConicType::kLinePair || curve.type == ConicType::kDegenerate) {
        const std::array<Vec3, 4> lines = linePoints();
        for (std::size_t i = 0; i < 4; i += 2) {
            Vec3 from, to;
            if (viewStretch(lines[i], lines[i + 1], projection, canvas, from, to)) {
                canvas.segment(from, to, colour, size, shape, projection, false);
            }
        }
        return;
    }
    for (const std::vector<Vec3>& run : polylines(projection)) {
        for (std::size_t i = 1; i < run.size(); ++i) {
            canvas.segment(run[i - 1], run[i], colour, size, shape, projection, i + 1 < run.size());
        }
    }
}

// Each drawn piece is tested like a chord of a circle, with the curves' depth factor;
// the first piece within reach of the ray decides. Line pairs test their two lines
// whole. A hit on a piece is moved onto the curve.
int Conic::hitTest(int, int, const PickRay& ray, int projection, Vec3& hitPoint) {
    const double tube = lineRadius(size);
    // Whether the candidate decides the test; verdict is then whether it is hit.
    auto decides = [&](Vec3 candidate, int& verdict) {
        const double depth = distance(ray.nearPoint, candidate);
        if (!(offRay(candidate, ray) < tube * curveDepthFactor(depth, projection))) return false;
        Vec3 unused;
        verdict = isOnRay(candidate, ray.nearPoint, ray.farPoint, unused);
        return true;
    };
    int verdict = 0;
    if (curve.type == ConicType::kLinePair || curve.type == ConicType::kDegenerate) {
        const std::array<Vec3, 4> lines = linePoints();
        for (std::size_t i = 0; i < 4; i += 2) {
            Vec3 onLine, onRay;
            double gap = 0.0;
            if (!closestPointsOfLines(lines[i], lines[i + 1], ray.nearPoint, ray.farPoint, onLine, onRay,
                                      gap)) {
                continue;
            }
            if (decides(onLine, verdict)) {
                if (verdict) hitPoint = onLine;
                return verdict;
            }
        }
        return 0;
    }
    for (const std::vector<Vec3>& run : polylines(projection)) {
        for (std::size_t i = 1; i < run.size(); ++i) {
            Vec3 onPiece, onRay;
            double gap = 0.0;
            if (!closestPointsOfLines(run[i - 1], run[i], ray.nearPoint, ray.farPoint, onPiece, onRay, gap)) {
                continue;
            }
            Vec3 end;
            if (!isOnSegment(onPiece, run[i - 1], run[i], end)) onPiece = end;
            if (decides(onPiece, verdict)) {
                if (verdict) hitPoint = nearestToRay(run[i - 1], run[i], ray, onPiece);
                return verdict;
            }
        }
    }
    return 0;
}
