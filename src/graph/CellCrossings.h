#pragma once

#include "graph/PlaneGrid.h"

#include <span>
#include <vector>

namespace quorvel::graph {

// Where a vertex of a cell lies: on the positive side of a function (its value ≥ 0, or inside a
// region), on the other side, or where the function has no value.
enum class Side : unsigned char { Positive, Negative, Undefined };

// Edge e of a cell's boundary cycle runs from vertex e to vertex e + 1 (the last back to the first).
[[nodiscard]] bool crossesAt(std::span<const Side> cycle, std::size_t edge);
[[nodiscard]] int crossingCount(std::span<const Side> cycle);

// Two crossings joined by a chord through the cell: the arc of the cycle from edge enter to edge leave
// (in cycle order) is cut off from the rest of the cell.
struct CrossingPair {
    std::size_t enter;
    std::size_t leave;
};

// The chords of a cell whose centre lies on side joined: every arc of vertices on the other side that
// lies between two crossings is cut off by a chord between them, so the joined side stays connected
// through the centre (which settles saddle cells). An arc that meets an undefined vertex is not cut: the
// line ends where the function does.
void pairCrossings(std::span<const Side> cycle, Side joined, std::vector<CrossingPair>& out);

// Calls visit(cell, cycle, sides) for every leaf of grid, with its boundary cycle and the side that
// sideOf(vertex) tells for each of its vertices.
template <class SideOf, class Visit> void visitLeaves(const PlaneGrid& grid, SideOf sideOf, Visit visit) {
    std::vector<int> cycle;
    std::vector<Side> sides;
    for (const GridCell& cell : grid.leaves()) {
        grid.boundaryCycle(cell, cycle);
        sides.clear();
        for (const int v : cycle)
            sides.push_back(sideOf(v));
        visit(cell, std::span<const int>(cycle), std::span<const Side>(sides));
    }
}

} // namespace quorvel::graph
