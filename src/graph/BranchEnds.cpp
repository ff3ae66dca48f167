#include "graph/BranchEnds.h"

#include "expr/Evaluator.h"
#include "graph/CurveDrawing.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

using document::BranchEnd;
using document::BranchSide;
using document::DEFINEFUN;
using document::ViewSettings;

bool curveValueAt(expr::Engine& engine, const DEFINEFUN& item, expr::ExprNode* node, double x, double& y) {
    if (!node || !(x >= item.domainStart && x <= item.domainEnd)) return false;
    if (!expr::evaluate(engine, node, x)) return false;
    y = expr::nodeValue(node);
    return std::isfinite(y);
}

namespace {

// Bounds the work per break: a march of at most this many evaluations, down to steps fine enough to
// follow 1/x to the band's edge.
constexpr int kMaxProbes = 160;
constexpr double kFinestStep = 1.0 / 65536;
// The probes a resample may spend on refinement, per column of the range.
constexpr int kProbesPerColumn = 16;

struct Band {
    double top;    // largest value drawn
    double bottom; // smallest value drawn
    double jump;   // largest change between joined points

    bool holds(double y) const { return y <= top && y >= bottom; }
};

Band bandOf(const ViewSettings& view) {
    return {(view.originY + kBandAbove) / view.unitY, (view.originY - kBandBelow) / view.unitY,
            kJumpPixels / view.unitY};
}

struct March {
    std::vector<double> path;
    double x; // where the walk ended
    double y;
};

// Walks from (x0, y0) towards x1 in steps that never change the value by more than the jump, halving a
// step that lands on a jump or on no value, and keeps each value reached. Stops at the band's edge (the
// last value clamped onto it), when the steps get too fine, or short of x1.
March march(expr::Engine& engine, const DEFINEFUN& item, expr::ExprNode* node, const Band& band, double x0,
            double y0, double x1, int& budget) {
    const double finest = std::abs(x1 - x0) * kFinestStep;
    March walk{{}, x0, y0};
    double step = (x1 - x0) / 2;
    for (int probe = 0; probe < kMaxProbes && budget > 0 && std::abs(step) >= finest; ++probe, --budget) {
        const double next = walk.x + step;
        double value = 0;
        if (std::abs(next - x0) >= std::abs(x1 - x0) || !curveValueAt(engine, item, node, next, value) ||
            std::abs(value - walk.y) > band.jump) {
            step /= 2;
            continue;
        }
        walk.x = next;
        walk.y = value;
        if (!band.holds(value)) {
            walk.path.push_back(std::clamp(value, band.bottom, band.top));
            break;
        }
        walk.path.push_back(value);
    }
    return walk;
}

bool joinable(const DEFINEFUN& item, const Band& band, int column) {
    const auto u = static_cast<std::size_t>(column);
    return item.defined[u] != 0 && band.holds(item.ys[u]);
}

bool endsBefore(const BranchEnd& a, const BranchEnd& b) {
    if (a.column != b.column) return a.column < b.column;
    return a.side == BranchSide::After && b.side == BranchSide::Before;
}

} // namespace

void refineBranchEnds(expr::Engine& engine, DEFINEFUN& item, expr::ExprNode* node, const ViewSettings& view,
                      int firstPair, int lastPair) {
    if (!node || !(view.unitY > 0) || !(view.unitX > 0)) return;
    const Band band = bandOf(view);
    firstPair = std::max(firstPair, 0);
    lastPair = std::min(lastPair, item.sampleColumns() - 2);
    const double columnWidth = 1 / view.unitX;
    // A curve that jumps at nearly every column (sin(1000x) seen from afar) must not stall the sheet.
    int budget = kProbesPerColumn * (lastPair - firstPair + 1);
    for (int j = firstPair; j <= lastPair && budget > 0; ++j) {
        const bool left = joinable(item, band, j);
        const bool right = joinable(item, band, j + 1);
        const auto u = static_cast<std::size_t>(j);
        const bool jump = std::abs(item.ys[u + 1] - item.ys[u]) > band.jump;
        if (!left && !right) continue;
        if (left && right && !jump) continue;
        if (left) {
            const double x1 = item.xs[u] + columnWidth;
            March walk = march(engine, item, node, band, item.xs[u], item.ys[u], x1, budget);
            // A steep stretch, not a jump: the walk came through to the next column's value.
            const bool joins = right && std::abs(x1 - walk.x) <= 2 * columnWidth * kFinestStep &&
                               std::abs(item.ys[u + 1] - walk.y) <= band.jump;
            if (!walk.path.empty())
                item.branchEnds.push_back({j, BranchSide::After, joins, std::move(walk.path)});
            if (joins) continue;
        }
        if (right) {
            March walk = march(engine, item, node, band, item.xs[u + 1], item.ys[u + 1],
                               item.xs[u + 1] - columnWidth, budget);
            if (!walk.path.empty())
                item.branchEnds.push_back({j + 1, BranchSide::Before, false, std::move(walk.path)});
        }
    }
    std::sort(item.branchEnds.begin(), item.branchEnds.end(), endsBefore);
}

void shiftBranchEnds(DEFINEFUN& item, int dx, int first, int last) {
    const int columns = item.sampleColumns();
    for (BranchEnd& end : item.branchEnds)
        end.column += dx;
    std::erase_if(item.branchEnds, [&](const BranchEnd& end) {
        // The pair an end belongs to: (column, column + 1) after it, (column - 1, column) before it.
        const int pairLeft = end.side == BranchSide::After ? end.column : end.column - 1;
        const bool outside = end.column < 0 || end.column >= columns;
        return outside || (pairLeft + 1 >= first && pairLeft <= last);
    });
}

} // namespace quorvel::graph
