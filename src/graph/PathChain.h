#pragma once

#include "graph/SheetPath.h"

#include <span>
#include <utility>
#include <vector>

namespace quorvel::graph {

// Joins segments between numbered points end to end into as few paths as it can, so a dash pattern runs
// on along a line: a path starts at a point where an odd number of segments meet (a line's end), and
// what is left are loops, closed by repeating their first point at the end. Points that repeat one after
// the other are kept once.
[[nodiscard]] std::vector<SheetPath> chainSegments(std::span<const typeset::PointF> points,
                                                   std::span<const std::pair<int, int>> segments);

} // namespace quorvel::graph
