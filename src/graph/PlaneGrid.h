#pragma once

#include "graph/KeyIndex.h"
#include "graph/PlaneFunction.h"
#include "graph/SheetEvaluator.h"
#include "typeset/Canvas.h"

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace quorvel::graph {

// A cell of the plane grid: its top-left vertex on the lattice, its side in lattice steps, and its
// corners' vertices clockwise on the sheet from the top-left one.
struct GridCell {
    int i;
    int j;
    int span;
    std::array<int, 4> corners;
};

// How finely the plane grid is refined (sizes and distances in sheet pixels).
struct GridRefinement {
    // A cell where a function changes sign is split until it is no larger…
    double lineSize = 4;
    // …and further, down to this size, where its line bends away from a chord across the cell by more
    // than bendTolerance or ends because the function has no value.
    double fineSize = 1;
    double bendTolerance = 0.2;
    // A cell where a function keeps its sign but bends enough to reach zero inside may hide a small closed
    // part; it is split until it is no larger.
    double detectSize = 1;
    // A cell where lines meet is split until it is no larger: where the region's edge turns from one
    // function's line to another's, so the corner is found within half a pixel, and where a function's
    // line crosses the cell more than once, so the centre that settles a saddle lies near it.
    double meetingSize = 0.25;
    // Evaluations left to the crossings on the cells' sides: refinement stops short of them.
    long reserve = 0;
    // Whether a vertex with these function values lies inside the region; empty when only lines count.
    std::function<bool(std::span<const double>)> inside;
};

// Samples of some plane functions at the vertices of a quadtree of cells covering the sheet
// [0, width] × [0, height]: a coarse grid, split breadth-first where a function changes sign or bends
// enough to hide a small closed part, and where the region's edge passes, until the cells are small
// enough or the budget runs short (then the evaluator is marked exhausted). Vertices lie on a lattice fine
// enough for the deepest split, so cells that share a side share its vertices exactly.
class PlaneGrid {
public:
    PlaneGrid(std::span<const PlaneFunction* const> functions, SheetEvaluator& evaluator, int width,
              int height, const GridRefinement& refinement);

    [[nodiscard]] int functionCount() const { return static_cast<int>(functions_.size()); }
    [[nodiscard]] const PlaneFunction& function(int k) const {
        return *functions_[static_cast<std::size_t>(k)];
    }
    [[nodiscard]] int vertexCount() const { return static_cast<int>(positions_.size()); }
    [[nodiscard]] typeset::PointF position(int vertex) const {
        return positions_[static_cast<std::size_t>(vertex)];
    }
    // The functions' values at a vertex, NaN where one has none.
    [[nodiscard]] std::span<const double> values(int vertex) const {
        const std::size_t k = functions_.size();
        return std::span(values_).subspan(static_cast<std::size_t>(vertex) * k, k);
    }
    [[nodiscard]] double value(int vertex, int k) const {
        return values(vertex)[static_cast<std::size_t>(k)];
    }

    [[nodiscard]] const std::vector<GridCell>& leaves() const { return leaves_; }
    [[nodiscard]] typeset::PointF latticePoint(int i, int j) const;
    [[nodiscard]] typeset::PointF centre(const GridCell& cell) const;

    // The vertices on the boundary of cell, in order clockwise on the sheet from its top-left corner,
    // with those that finer neighbours put on its sides: where the neighbours see a sign change, the
    // cell sees it too, so lines cross from cell to cell without cracks.
    void boundaryCycle(const GridCell& cell, std::vector<int>& out) const;

private:
    int addVertex(int i, int j);
    int middleOf(int a, int ai, int aj, int b, int bi, int bj);
    int existingMiddle(int a, int ai, int aj, int b, int bi, int bj) const;
    void appendSide(int a, int ai, int aj, int b, int bi, int bj, std::vector<int>& out) const;
    double cellSize(int span, bool across) const;
    double bowing(const GridCell& cell, int k, double bend) const;
    bool insideAt(int vertex);
    bool needsSplit(const GridCell& cell, std::span<const double> bend);

    std::vector<const PlaneFunction*> functions_;
    SheetEvaluator& evaluator_;
    GridRefinement refinement_;
    double width_;
    double height_;
    int latticeColumns_ = 1; // lattice steps across the sheet
    int latticeRows_ = 1;
    KeyIndex vertexIndex_; // the vertices in the middle of sides, by lattice point
    std::vector<typeset::PointF> positions_;
    std::vector<double> values_;
    std::vector<signed char> inside_; // per vertex: -1 not yet known
    // Per vertex, the sides starting there (rightwards or downwards, by length) that a split cell had:
    // only those have a vertex in their middle.
    std::vector<std::uint32_t> splitSides_;
    std::vector<GridCell> leaves_;
    std::vector<int> cycle_; // scratch
};

} // namespace quorvel::graph
