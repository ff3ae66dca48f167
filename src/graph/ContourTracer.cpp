#include "graph/ContourTracer.h"

#include "graph/CellCrossings.h"
#include "graph/EdgeCrossing.h"
#include "graph/PathChain.h"

#include <cmath>
#include <optional>

namespace quorvel::graph {

using typeset::PointF;

namespace {

Side sideOf(double v) {
    if (std::isnan(v)) return Side::Undefined;
    return v >= 0 ? Side::Positive : Side::Negative;
}

// The crossings of one function's line with the grid's sides, each solved once for the two cells that
// share it. A line through a vertex where the function is exactly zero crosses at the vertex itself,
// one point for all the sides that meet there.
class Crossings {
public:
    Crossings(const PlaneGrid& grid, int k, SheetEvaluator& evaluator)
        : grid_(grid), k_(k), evaluator_(evaluator),
          atVertex_(static_cast<std::size_t>(grid.vertexCount()), -1) {}

    // The crossing between vertices a and b, on opposite sides; -1 where the sign change is no zero.
    int between(int a, int b) {
        const double fa = grid_.value(a, k_);
        const double fb = grid_.value(b, k_);
        const int onLine = fa == 0 ? a : fb == 0 ? b : -1;
        if (onLine >= 0) return atVertex(onLine);
        const std::uint64_t key = KeyIndex::side(a, b);
        if (const int found = onSide_.find(key); found != kUnsolved) return found;
        const std::optional<PointF> p =
            curveCrossing(grid_.function(k_), evaluator_, {grid_.position(a), grid_.position(b)}, fa, fb);
        const int id = p ? add(*p) : kNoZero;
        onSide_.insert(key, id);
        return id;
    }

    // The crossing at a vertex where the function is exactly zero.
    int atVertex(int vertex) {
        int& id = atVertex_[static_cast<std::size_t>(vertex)];
        if (id < 0) id = add(grid_.position(vertex));
        return id;
    }

    [[nodiscard]] const std::vector<PointF>& points() const { return points_; }

private:
    static constexpr int kUnsolved = -1;
    static constexpr int kNoZero = -2;

    int add(PointF p) {
        points_.push_back(p);
        return static_cast<int>(points_.size()) - 1;
    }

    const PlaneGrid& grid_;
    int k_;
    SheetEvaluator& evaluator_;
    std::vector<int> atVertex_;
    KeyIndex onSide_;
    std::vector<PointF> points_;
};

// The side the cell's centre lies on, which joins the crossings of a saddle cell. Without budget, the
// mean of the cycle's values stands in for the centre's.
Side centreSide(const PlaneGrid& grid, int k, const GridCell& cell, std::span<const int> cycle,
                SheetEvaluator& evaluator) {
    if (evaluator.affords(1)) {
        const Side side = sideOf(evaluator.at(grid.function(k), grid.centre(cell)));
        return side == Side::Undefined ? Side::Positive : side;
    }
    evaluator.markExhausted();
    double sum = 0;
    for (const int v : cycle)
        if (const double x = grid.value(v, k); !std::isnan(x)) sum += x;
    return sideOf(sum);
}

// Whether function k is exactly zero at the cycle's vertices first … last (cyclically).
bool zeroBetween(const PlaneGrid& grid, int k, std::span<const int> cycle, std::size_t first,
                 std::size_t last) {
    for (std::size_t v = first;; ++v) {
        if (grid.value(cycle[v % cycle.size()], k) != 0) return false;
        if (v % cycle.size() == last) return true;
    }
}

} // namespace

std::vector<SheetPath> traceContour(const PlaneGrid& grid, int k, SheetEvaluator& evaluator) {
    Crossings crossings(grid, k, evaluator);
    std::vector<std::pair<int, int>> segments;
    std::vector<CrossingPair> pairs;
    const auto side = [&](int v) { return sideOf(grid.value(v, k)); };
    visitLeaves(
        grid, side, [&](const GridCell& cell, std::span<const int> cycle, std::span<const Side> sides) {
            const int count = crossingCount(sides);
            if (count == 0) return;
            const Side joined = count <= 2 ? Side::Positive : centreSide(grid, k, cell, cycle, evaluator);
            pairCrossings(sides, joined, pairs);
            const std::size_t n = cycle.size();
            if (count == 2 && pairs.size() == 1 &&
                zeroBetween(grid, k, cycle, pairs[0].leave + 1, pairs[0].enter)) {
                // The function is zero all along the positive side of the cell (a line along the grid): the
                // line follows it, where a chord would cut the corner.
                for (std::size_t v = pairs[0].leave + 1; v % n != pairs[0].enter; ++v)
                    segments.emplace_back(crossings.atVertex(cycle[v % n]),
                                          crossings.atVertex(cycle[(v + 1) % n]));
                return;
            }
            for (const CrossingPair& pair : pairs) {
                const int a = crossings.between(cycle[pair.enter], cycle[(pair.enter + 1) % n]);
                const int b = crossings.between(cycle[pair.leave], cycle[(pair.leave + 1) % n]);
                if (a >= 0 && b >= 0 && a != b) segments.emplace_back(a, b);
            }
        });
    return chainSegments(crossings.points(), segments);
}

} // namespace quorvel::graph
