#pragma once

#include "graph/PlaneFunction.h"
#include "graph/SheetEvaluator.h"
#include "typeset/Canvas.h"

#include <optional>

namespace quorvel::graph {

// A side between two grid vertices, parallel to an axis of the sheet, walked by the sheet coordinate
// that varies along it.
struct GridSide {
    typeset::PointF a;
    typeset::PointF b;

    [[nodiscard]] bool horizontal() const { return a.y == b.y; }
    [[nodiscard]] double start() const { return horizontal() ? a.x : a.y; }
    [[nodiscard]] double end() const { return horizontal() ? b.x : b.y; }
    [[nodiscard]] typeset::PointF at(double t) const {
        return horizontal() ? typeset::PointF{t, a.y} : typeset::PointF{a.x, t};
    }
    // The point where a line through the values fa at a and fb at b is zero.
    [[nodiscard]] typeset::PointF interpolated(double fa, double fb) const {
        return at(start() + (end() - start()) * (fa / (fa - fb)));
    }
};

// The point of side where f is zero, found with Brent's method to full precision; fa = f(a) and
// fb = f(b) are non-zero and of opposite signs. Nothing where the change of sign is no zero: at a pole
// or a jump f does not get small as the bracket closes in, and where f has no value between the ends
// no line passes. When the budget runs out, the point on the straight line between the values
// (the evaluator is then marked exhausted).
[[nodiscard]] std::optional<typeset::PointF> curveCrossing(const PlaneFunction& f, SheetEvaluator& evaluator,
                                                           const GridSide& side, double fa, double fb);

} // namespace quorvel::graph
