#include "graph/ImplicitTracer.h"

#include "graph/ContourTracer.h"
#include "graph/PlaneGrid.h"
#include "graph/SheetEvaluator.h"

namespace quorvel::graph {

ImplicitCurve traceImplicit(const PlaneFunction& f, const document::ViewSettings& view, int width, int height,
                            TraceBudget budget) {
    ImplicitCurve curve;
    if (width <= 0 || height <= 0) return curve;
    SheetEvaluator evaluator(view, budget.maxEvaluations);
    GridRefinement refinement;
    // A quarter of the work is kept for solving the crossings, so a line is still drawn to full precision
    // where the budget stopped the refinement.
    refinement.reserve = budget.maxEvaluations / 4;
    const PlaneFunction* functions[] = {&f};
    const PlaneGrid grid(functions, evaluator, width, height, refinement);
    curve.paths = traceContour(grid, 0, evaluator);
    curve.budgetExhausted = evaluator.exhausted();
    return curve;
}

} // namespace quorvel::graph
