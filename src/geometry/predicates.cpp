#include "geometry/predicates.h"

#include <cmath>

#include "geometry/tolerances.h"
#include "geometry/vectors.h"

namespace {

// The cosine of the angle between B − A and D − C; 0 with ok = false for a zero-length segment.
double cosineOf(Vec3 a, Vec3 b, Vec3 c, Vec3 d, bool& ok) {
    const double lengths = norm(b - a) * norm(d - c);
    ok = lengths > 0.0;
    return ok ? dot(a, b, c, d) / lengths : 0.0;
}

}  // namespace

int isDistinct(Vec3 a, Vec3 b) {
    return distance(a, b) > kPointEps ? 1 : 0;
}

int isTriangle(Vec3 a, Vec3 b, Vec3 c) {
    if (!isDistinct(a, b) || !isDistinct(b, c) || !isDistinct(a, c)) return 0;
    return areParallel(a, b, a, c, ParallelTest::kStrict) ? 0 : 1;
}

int areParallel(Vec3 a, Vec3 b, Vec3 c, Vec3 d, ParallelTest test) {
    if (test == ParallelTest::kStrict) {
        const double lengths = norm(b - a) * norm(d - c);
        return lengths > 0.0 && norm(crossProduct(b - a, d - c)) < kParallelEps * lengths ? 1 : 0;
    }
    bool ok = false;
    const double cosine = std::fabs(cosineOf(a, b, c, d, ok));
    return ok && 1.0 - kSnapEps < cosine && cosine < 1.0 + kSnapEps ? 1 : 0;
}

int arePerpendicular(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
    bool ok = false;
    const double cosine = std::fabs(cosineOf(a, b, c, d, ok));
    return ok && cosine < kPointEps ? 1 : 0;
}
