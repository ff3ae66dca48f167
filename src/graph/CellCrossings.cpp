#include "graph/CellCrossings.h"

namespace quorvel::graph {

bool crossesAt(std::span<const Side> cycle, std::size_t edge) {
    const Side a = cycle[edge];
    const Side b = cycle[(edge + 1) % cycle.size()];
    return a != b && a != Side::Undefined && b != Side::Undefined;
}

int crossingCount(std::span<const Side> cycle) {
    int count = 0;
    for (std::size_t e = 0; e < cycle.size(); ++e)
        count += crossesAt(cycle, e) ? 1 : 0;
    return count;
}

void pairCrossings(std::span<const Side> cycle, Side joined, std::vector<CrossingPair>& out) {
    out.clear();
    const std::size_t n = cycle.size();
    const Side cut = joined == Side::Positive ? Side::Negative : Side::Positive;
    // Start the walk on a vertex that is not cut, so that no arc wraps around the start.
    std::size_t start = 0;
    while (start < n && cycle[start] == cut)
        ++start;
    if (start == n) return;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t before = (start + step) % n;
        const std::size_t first = (before + 1) % n;
        if (cycle[first] != cut || cycle[before] == cut) continue;
        std::size_t last = first;
        while (cycle[(last + 1) % n] == cut)
            last = (last + 1) % n;
        if (cycle[before] == joined && cycle[(last + 1) % n] == joined) out.push_back({before, last});
    }
}

} // namespace quorvel::graph
