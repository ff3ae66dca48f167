#pragma once

#include "graph/PlaneGrid.h"
#include "graph/RegionTracer.h"
#include "graph/SheetEvaluator.h"

#include <span>
#include <vector>

namespace quorvel::graph {

// The inside of the region that system describes, over a grid of its margins (one function per
// constraint), as the fill polygons of RegionShape.
[[nodiscard]] std::vector<SheetPath>
fillRegion(const PlaneGrid& grid, std::span<const RegionConstraint> system, SheetEvaluator& evaluator);

} // namespace quorvel::graph
