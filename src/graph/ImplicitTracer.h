#pragma once

#include "document/ViewSettings.h"
#include "graph/PlaneFunction.h"
#include "graph/SheetPath.h"

#include <vector>

namespace quorvel::graph {

// The curve F(x, y) = 0 on the sheet: joined paths in sheet pixels (a closed part's path ends on its
// first point). budgetExhausted tells that the budget ran out; the paths are then what was found, coarser
// or incomplete.
struct ImplicitCurve {
    std::vector<SheetPath> paths;
    bool budgetExhausted = false;
};

// Traces f = 0 over the sheet [0, width] × [0, height] of view (write F = G as F - G). Points on the
// paths are zeros of f to full precision, the chords between them within half a pixel of the curve;
// a change of sign across a pole or a jump draws nothing, and closed parts a few pixels across are found
// at any zoom. Work is bounded by budget.
[[nodiscard]] ImplicitCurve traceImplicit(const PlaneFunction& f, const document::ViewSettings& view,
                                          int width, int height, TraceBudget budget = {});

} // namespace quorvel::graph
