#include "graph/RegionTracer.h"

#include "graph/ContourTracer.h"
#include "graph/PlaneGrid.h"
#include "graph/RegionFill.h"
#include "graph/SheetEvaluator.h"

namespace quorvel::graph {

bool constraintHolds(const RegionConstraint& c, double margin) {
    return margin > 0 || (margin == 0 && !c.strict); // false for NaN
}

bool regionHolds(std::span<const RegionConstraint> system, std::span<const double> margins) {
    for (std::size_t k = 0; k < system.size(); ++k)
        if (!constraintHolds(system[k], margins[k])) return false;
    return true;
}

RegionShape traceRegion(std::span<const RegionConstraint> system, const document::ViewSettings& view,
                        int width, int height, TraceBudget budget) {
    RegionShape shape;
    shape.boundaries.resize(system.size());
    if (width <= 0 || height <= 0) return shape;
    SheetEvaluator evaluator(view, budget.maxEvaluations);
    std::vector<const PlaneFunction*> margins;
    for (const RegionConstraint& c : system)
        margins.push_back(&c.margin);
    GridRefinement refinement;
    refinement.reserve = budget.maxEvaluations / 4; // for the crossings, as for curves
    refinement.inside = [system](std::span<const double> values) { return regionHolds(system, values); };
    const PlaneGrid grid(margins, evaluator, width, height, refinement);
    shape.fill = fillRegion(grid, system, evaluator);
    for (std::size_t k = 0; k < system.size(); ++k)
        shape.boundaries[k] = traceContour(grid, static_cast<int>(k), evaluator);
    shape.budgetExhausted = evaluator.exhausted();
    return shape;
}

} // namespace quorvel::graph
