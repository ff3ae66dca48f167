#pragma once

#include "graph/PlaneGrid.h"
#include "graph/SheetEvaluator.h"
#include "graph/SheetPath.h"

#include <vector>

namespace quorvel::graph {

// The line where function k of the grid is zero, as joined paths in sheet pixels. Each leaf's boundary
// cycle is marched: the crossings on its sides are solved on the function itself (exact on the line,
// not interpolated), poles and jumps dropped, and joined inside the cell as its centre's side says where
// the sides alternate more than once.
[[nodiscard]] std::vector<SheetPath> traceContour(const PlaneGrid& grid, int k, SheetEvaluator& evaluator);

} // namespace quorvel::graph
