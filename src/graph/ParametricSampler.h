#pragma once

#include "document/ViewSettings.h"
#include "graph/SheetPath.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel::graph {

// The point (x, y) of the plane a curve passes at parameter value t; nothing where the curve is undefined
// there (no value, a fault of the formula, a value that is not a finite number).
using PlaneCurve = std::function<std::optional<std::pair<double, double>>(double t)>;

struct SampleBudget {
    // Evaluations of the curve, the first even grid included. Enough for ordinary curves on a large
    // sheet; a curve wilder than that is drawn coarser instead of stalling the sheet.
    int maxPoints = 20000;
};

struct SampledCurve {
    // The strokes on the sheet, in the order of the parameter. A stroke ends where the curve is undefined,
    // jumps, or leaves the sheet; its points lie on the sheet or just beyond its border.
    std::vector<SheetPath> paths;
    // The budget ran out with work left: parts of the curve may be coarser than two pixels.
    bool budgetExhausted = false;
};

// Samples curve for t from tStart to tEnd (backwards when tStart > tEnd) on a width x height sheet: an even
// grid, refined where neighbouring points lie more than two pixels apart or the curve turns sharply. The
// ends of an undefined part and of a jump are found by bisection, so a stroke reaches them and never
// crosses them. Only what can reach the sheet is refined. A curve that returns exactly to its start
// closes exactly. An empty or non-finite range, an empty sheet or an unusable view give no strokes.
[[nodiscard]] SampledCurve sampleParametric(const PlaneCurve& curve, double tStart, double tEnd,
                                            const document::ViewSettings& view, int width, int height,
                                            SampleBudget budget = {});

// The polar curve r(theta) as a plane curve: x = r cos theta, y = r sin theta, so a negative r lies on the
// opposite ray.
[[nodiscard]] PlaneCurve polarCurve(std::function<std::optional<double>(double theta)> r);

} // namespace quorvel::graph
