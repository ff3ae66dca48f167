#include "graph/EdgeCrossing.h"

#include "graph/BrentSolver.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

namespace {

// Brent stops when the bracket is this narrow (pixels) or at the double's precision, whichever is wider.
constexpr double kRootTolerance = 1e-9;
// Near a pole f grows without bound as the bracket shrinks; a smooth function on a side a pixel long
// stays within a few times its values at the ends. The search gives up at this growth.
constexpr double kPoleGrowth = 1e3;
// At a zero f ends at least this much smaller than at the nearer end of the side…
constexpr double kZeroShrink = 0.5;
// …or negligible beside the larger end (the zero lies on top of a vertex).
constexpr double kZeroNoise = 1e-6;

} // namespace

std::optional<typeset::PointF> curveCrossing(const PlaneFunction& f, SheetEvaluator& evaluator,
                                             const GridSide& side, double fa, double fb) {
    const double larger = std::max(std::abs(fa), std::abs(fb));
    const double smaller = std::min(std::abs(fa), std::abs(fb));
    bool budgetOut = false;
    const PartialFunction along = [&](double t) -> std::optional<double> {
        if (!evaluator.affords(1)) {
            budgetOut = true;
            return std::nullopt;
        }
        const double v = evaluator.at(f, side.at(t));
        if (std::isnan(v) || std::abs(v) > kPoleGrowth * larger) return std::nullopt;
        return v;
    };
    const std::optional<RootBracket> root =
        brentRoot(along, side.start(), fa, side.end(), fb, kRootTolerance);
    if (!root) {
        if (!budgetOut) return std::nullopt;
        evaluator.markExhausted();
        return side.interpolated(fa, fb);
    }
    const double left = std::abs(root->fx);
    if (left > kZeroShrink * smaller && left > kZeroNoise * larger) return std::nullopt;
    return side.at(root->x);
}

} // namespace quorvel::graph
