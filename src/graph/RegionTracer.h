#pragma once

#include "document/ViewSettings.h"
#include "graph/PlaneFunction.h"
#include "graph/SheetPath.h"

#include <span>
#include <vector>

namespace quorvel::graph {

// One inequality of a region: inside where margin > 0 (strict) or margin ≥ 0; where margin has no
// value the point is outside.
struct RegionConstraint {
    PlaneFunction margin;
    bool strict = false;
};

struct RegionShape {
    // Closed polygons in sheet pixels (each ends on its first point), all wound the same way (clockwise
    // on the sheet): filled as one path, nonzero or even-odd alike, their union is the region within the
    // sheet, without seams.
    std::vector<SheetPath> fill;
    // Per constraint, the whole line where its margin is zero, as the implicit tracer draws it (drawn
    // solid for ≥ and ≤, dashed for the strict ones).
    std::vector<std::vector<SheetPath>> boundaries;
    bool budgetExhausted = false;
};

// Whether constraint c holds where its margin has this value.
[[nodiscard]] bool constraintHolds(const RegionConstraint& c, double margin);

// Whether a point with these margins (one per constraint of system) lies inside the region.
[[nodiscard]] bool regionHolds(std::span<const RegionConstraint> system, std::span<const double> margins);

// Traces the region where every constraint of system holds over the sheet [0, width] × [0, height] of
// view: cells wholly inside are merged into rectangles, cells on the edge are cut along the line of the
// smallest margin, solved to full precision and refined where two constraints meet so corners are within
// half a pixel. An empty system holds everywhere. Work is bounded by budget (all constraints together).
[[nodiscard]] RegionShape traceRegion(std::span<const RegionConstraint> system,
                                      const document::ViewSettings& view, int width, int height,
                                      TraceBudget budget = {});

} // namespace quorvel::graph
