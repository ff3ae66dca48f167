#pragma once

#include "document/ViewSettings.h"
#include "graph/PlaneFunction.h"
#include "typeset/Canvas.h"

#include <cmath>
#include <limits>

namespace quorvel::graph {

// Evaluates plane functions at sheet points (pixels, y down) and counts the evaluations against a
// budget, so that a tracer's work stays bounded whatever the function.
class SheetEvaluator {
public:
    SheetEvaluator(const document::ViewSettings& view, long maxEvaluations)
        : view_(view), left_(maxEvaluations) {}

    [[nodiscard]] bool affords(long evaluations) const { return evaluations <= left_; }
    [[nodiscard]] long left() const { return left_; }

    // f at the sheet point p; NaN where f has no finite value. Spends one evaluation.
    [[nodiscard]] double at(const PlaneFunction& f, typeset::PointF p) {
        --left_;
        const double v = f(view_.mathX(p.x), view_.mathY(p.y));
        return std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
    }

    // The budget ran short somewhere: the result is coarser than asked for.
    void markExhausted() { exhausted_ = true; }
    [[nodiscard]] bool exhausted() const { return exhausted_; }

private:
    document::ViewSettings view_;
    long left_;
    bool exhausted_ = false;
};

} // namespace quorvel::graph
