#include "graph/PlaneGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace quorvel::graph {

using typeset::PointF;

namespace {

// Side of the coarse cells in pixels: small enough that the bending of a function between their corners
// tells where a small closed part may hide (a pattern repeating every 32 pixels is still seen), large
// enough to cost little on a blank sheet.
constexpr int kCoarseSize = 16;
// Splits a coarse cell may go through: a 16-pixel cell reaches a sixteenth of a pixel.
constexpr int kDepth = 8;
// A function that keeps its sign on a cell's corners has a closed part inside only if its bending
// brings it from the nearest corner (under 0.71 sides away) to zero: |f| < ½·f''·(0.71·side)² ≈
// 0.25·f''·side². Twice that, as the bending is estimated from samples.
constexpr double kHiddenReach = 0.5;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kMostReserved = std::size_t{1} << 18;

// |a - 2b + c| / step², 0 where a value is missing.
double secondDifference(double a, double b, double c, double step) {
    const double d = std::abs(a - 2 * b + c) / (step * step);
    return std::isnan(d) ? 0 : d;
}

// |(a - b - c + d)| / (4·stepX·stepY) for the corners around a point, 0 where a value is missing.
double crossDifference(double a, double b, double c, double d, double stepX, double stepY) {
    const double v = std::abs(a - b - c + d) / (4 * stepX * stepY);
    return std::isnan(v) ? 0 : v;
}

} // namespace

PlaneGrid::PlaneGrid(std::span<const PlaneFunction* const> functions, SheetEvaluator& evaluator, int width,
                     int height, const GridRefinement& refinement)
    : functions_(functions.begin(), functions.end()), evaluator_(evaluator), refinement_(refinement),
      width_(width), height_(height) {
    const int columns = std::max(1, (width + kCoarseSize - 1) / kCoarseSize);
    const int rows = std::max(1, (height + kCoarseSize - 1) / kCoarseSize);
    const int span = 1 << kDepth;
    latticeColumns_ = columns * span;
    latticeRows_ = rows * span;
    vertexIndex_ = KeyIndex(static_cast<std::size_t>((columns + 1) * (rows + 1)) / 2);
    const std::size_t k = functions_.size();
    // Room for as many vertices as the budget can evaluate (up to a bound), so the arrays do not move while
    // they grow: pages that are reserved but never touched cost nothing.
    const std::size_t most =
        std::min<std::size_t>(kMostReserved, static_cast<std::size_t>((columns + 1) * (rows + 1)) +
                                                 static_cast<std::size_t>(std::max(0L, evaluator.left())) /
                                                     std::max<std::size_t>(k, 1));
    positions_.reserve(most);
    values_.reserve(most * k);
    inside_.reserve(most);
    splitSides_.reserve(most);

    std::vector<int> coarse;
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c)
            coarse.push_back(addVertex(c * span, r * span));
    auto coarseVertex = [&](int c, int r) { return coarse[static_cast<std::size_t>(r * (columns + 1) + c)]; };
    std::vector<GridCell> level;
    level.reserve(static_cast<std::size_t>(columns * rows));
    leaves_.reserve(most);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            level.push_back({c * span,
                             r * span,
                             span,
                             {coarseVertex(c, r), coarseVertex(c + 1, r), coarseVertex(c + 1, r + 1),
                              coarseVertex(c, r + 1)}});

    // How much each function bends around a coarse cell: the largest second difference at its corners and
    // those of its neighbours, so that a minimum in the middle of a cell, where its corners agree, is seen.
    const double stepX = width_ / columns;
    const double stepY = height_ / rows;
    auto at = [&](int c, int r, std::size_t f) { return value(coarseVertex(c, r), static_cast<int>(f)); };
    std::vector<double> vertexBend(coarse.size() * k, 0.0);
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c)
            for (std::size_t f = 0; f < k; ++f) {
                double b = 0;
                if (c > 0 && c < columns)
                    b = secondDifference(at(c - 1, r, f), at(c, r, f), at(c + 1, r, f), stepX);
                if (r > 0 && r < rows)
                    b = std::max(b, secondDifference(at(c, r - 1, f), at(c, r, f), at(c, r + 1, f), stepY));
                if (c > 0 && c < columns && r > 0 && r < rows)
                    b = std::max(b, crossDifference(at(c + 1, r + 1, f), at(c + 1, r - 1, f),
                                                    at(c - 1, r + 1, f), at(c - 1, r - 1, f), stepX, stepY));
                vertexBend[static_cast<std::size_t>(r * (columns + 1) + c) * k + f] = b;
            }
    // The largest over the 4 x 4 vertices around each cell, one direction at a time.
    std::vector<double> rowBend(static_cast<std::size_t>((rows + 1) * columns) * k, 0.0);
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c < columns; ++c)
            for (int vc = std::max(0, c - 1); vc <= std::min(columns, c + 2); ++vc)
                for (std::size_t f = 0; f < k; ++f) {
                    double& b = rowBend[static_cast<std::size_t>(r * columns + c) * k + f];
                    b = std::max(b, vertexBend[static_cast<std::size_t>(r * (columns + 1) + vc) * k + f]);
                }
    std::vector<double> bend(level.size() * k, 0.0);
    for (int r = 0; r < rows; ++r)
        for (int vr = std::max(0, r - 1); vr <= std::min(rows, r + 2); ++vr)
            for (std::size_t n = 0; n < static_cast<std::size_t>(columns) * k; ++n) {
                double& b = bend[static_cast<std::size_t>(r * columns) * k + n];
                b = std::max(b, rowBend[static_cast<std::size_t>(vr * columns) * k + n]);
            }

    bool stopped = false;
    while (!level.empty()) {
        std::vector<GridCell> next;
        std::vector<double> nextBend;
        for (std::size_t n = 0; n < level.size(); ++n) {
            const GridCell cell = level[n];
            if (stopped || cell.span < 2 || !needsSplit(cell, std::span(bend).subspan(n * k, k))) {
                leaves_.push_back(cell);
                continue;
            }
            if (!evaluator_.affords(static_cast<long>(5 * k) + refinement_.reserve)) {
                stopped = true;
                evaluator_.markExhausted();
                leaves_.push_back(cell);
                continue;
            }
            const int h = cell.span / 2;
            const int i1 = cell.i + cell.span;
            const int j1 = cell.j + cell.span;
            // The cell's nine vertices, row by row; the middles of its sides may be a split neighbour's.
            const auto& c = cell.corners;
            const int v[9] = {c[0],
                              middleOf(c[0], cell.i, cell.j, c[1], i1, cell.j),
                              c[1],
                              middleOf(c[0], cell.i, cell.j, c[3], cell.i, j1),
                              addVertex(cell.i + h, cell.j + h),
                              middleOf(c[1], i1, cell.j, c[2], i1, j1),
                              c[3],
                              middleOf(c[3], cell.i, j1, c[2], i1, j1),
                              c[2]};
            next.push_back({cell.i, cell.j, h, {v[0], v[1], v[4], v[3]}});
            next.push_back({cell.i + h, cell.j, h, {v[1], v[2], v[5], v[4]}});
            next.push_back({cell.i, cell.j + h, h, {v[3], v[4], v[7], v[6]}});
            next.push_back({cell.i + h, cell.j + h, h, {v[4], v[5], v[8], v[7]}});
            // The children bend as the nine samples do; a coarser estimate would let a pole nearby split
            // a wide band.
            const double hx = cellSize(h, true);
            const double hy = cellSize(h, false);
            for (std::size_t f = 0; f < k; ++f) {
                auto s = [&](int index) { return value(v[index], static_cast<int>(f)); };
                double b = crossDifference(s(8), s(2), s(6), s(0), hx, hy);
                for (int row = 0; row < 3; ++row)
                    b = std::max(b, secondDifference(s(3 * row), s(3 * row + 1), s(3 * row + 2), hx));
                for (int col = 0; col < 3; ++col)
                    b = std::max(b, secondDifference(s(col), s(col + 3), s(col + 6), hy));
                nextBend.push_back(b);
            }
            for (int child = 1; child < 4; ++child)
                for (std::size_t f = 0; f < k; ++f)
                    nextBend.push_back(nextBend[nextBend.size() - k]);
        }
        level.swap(next);
        bend.swap(nextBend);
    }
}

PointF PlaneGrid::latticePoint(int i, int j) const {
    return {i * width_ / latticeColumns_, j * height_ / latticeRows_};
}

PointF PlaneGrid::centre(const GridCell& cell) const {
    const PointF a = latticePoint(cell.i, cell.j);
    const PointF b = latticePoint(cell.i + cell.span, cell.j + cell.span);
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

void PlaneGrid::boundaryCycle(const GridCell& cell, std::vector<int>& out) const {
    out.clear();
    const int i1 = cell.i + cell.span;
    const int j1 = cell.j + cell.span;
    const std::pair<int, int> at[] = {{cell.i, cell.j}, {i1, cell.j}, {i1, j1}, {cell.i, j1}};
    for (std::size_t c = 0; c < 4; ++c) {
        const std::size_t d = (c + 1) % 4;
        out.push_back(cell.corners[c]);
        appendSide(cell.corners[c], at[c].first, at[c].second, cell.corners[d], at[d].first, at[d].second,
                   out);
    }
}

namespace {

// The bit of a side in PlaneGrid::splitSides_: by its length (a power of two) and direction.
std::uint32_t sideBit(int span, bool horizontal) {
    return std::uint32_t{1} << (2 * std::countr_zero(static_cast<unsigned>(span)) + (horizontal ? 0 : 1));
}

} // namespace

// The vertices strictly between vertices a and b of a side, in order: a vertex inside a side is always the
// middle of a side that a split cell had, and its left or top end remembers that split.
void PlaneGrid::appendSide(int a, int ai, int aj, int b, int bi, int bj, std::vector<int>& out) const {
    const int m = existingMiddle(a, ai, aj, b, bi, bj);
    if (m < 0) return;
    const int mi = (ai + bi) / 2;
    const int mj = (aj + bj) / 2;
    appendSide(a, ai, aj, m, mi, mj, out);
    out.push_back(m);
    appendSide(m, mi, mj, b, bi, bj, out);
}

int PlaneGrid::existingMiddle(int a, int ai, int aj, int b, int bi, int bj) const {
    const bool horizontal = aj == bj;
    const int span = std::abs(bi - ai) + std::abs(bj - aj);
    if (span < 2) return -1;
    const int start = (horizontal ? ai < bi : aj < bj) ? a : b;
    if ((splitSides_[static_cast<std::size_t>(start)] & sideBit(span, horizontal)) == 0) return -1;
    return vertexIndex_.find(
        KeyIndex::pair(static_cast<std::uint32_t>((ai + bi) / 2), static_cast<std::uint32_t>((aj + bj) / 2)));
}

int PlaneGrid::middleOf(int a, int ai, int aj, int b, int bi, int bj) {
    if (const int m = existingMiddle(a, ai, aj, b, bi, bj); m >= 0) return m;
    const bool horizontal = aj == bj;
    const int span = std::abs(bi - ai) + std::abs(bj - aj);
    splitSides_[static_cast<std::size_t>((horizontal ? ai < bi : aj < bj) ? a : b)] |=
        sideBit(span, horizontal);
    const int mi = (ai + bi) / 2;
    const int mj = (aj + bj) / 2;
    const int m = addVertex(mi, mj);
    vertexIndex_.insert(KeyIndex::pair(static_cast<std::uint32_t>(mi), static_cast<std::uint32_t>(mj)), m);
    return m;
}

int PlaneGrid::addVertex(int i, int j) {
    const int index = vertexCount();
    const PointF p = latticePoint(i, j);
    positions_.push_back(p);
    for (const PlaneFunction* f : functions_) {
        if (evaluator_.affords(1)) {
            values_.push_back(evaluator_.at(*f, p));
        } else {
            evaluator_.markExhausted();
            values_.push_back(kNaN);
        }
    }
    inside_.push_back(-1);
    splitSides_.push_back(0);
    return index;
}

double PlaneGrid::cellSize(int span, bool across) const {
    return span * (across ? width_ / latticeColumns_ : height_ / latticeRows_);
}

// How far function k's line strays from a chord across cell, estimated from its bending and from its
// steepest change along a side (per pixel): the chord's sagitta, bend·diagonal² / (8·steepness).
double PlaneGrid::bowing(const GridCell& cell, int k, double bend) const {
    double v[4];
    for (std::size_t c = 0; c < 4; ++c)
        v[c] = value(cell.corners[c], k);
    const double w = cellSize(cell.span, true);
    const double h = cellSize(cell.span, false);
    const double steepest = std::max({std::abs(v[1] - v[0]) / w, std::abs(v[2] - v[3]) / w,
                                      std::abs(v[3] - v[0]) / h, std::abs(v[2] - v[1]) / h});
    if (!(steepest > 0)) return std::numeric_limits<double>::infinity();
    return bend * (w * w + h * h) / (8 * steepest);
}

bool PlaneGrid::insideAt(int vertex) {
    signed char& known = inside_[static_cast<std::size_t>(vertex)];
    if (known < 0) known = refinement_.inside(values(vertex)) ? 1 : 0;
    return known == 1;
}

bool PlaneGrid::needsSplit(const GridCell& cell, std::span<const double> bend) {
    const double size = std::max(cellSize(cell.span, true), cellSize(cell.span, false));
    boundaryCycle(cell, cycle_);
    int lines = 0;
    for (int f = 0; f < functionCount(); ++f) {
        bool positive = false;
        bool negative = false;
        bool undefined = false;
        int changes = 0;
        double nearest = std::numeric_limits<double>::infinity(); // a zero vertex is on a line already
        for (std::size_t e = 0; e < cycle_.size(); ++e) {
            const double x = value(cycle_[e], f);
            const double next = value(cycle_[(e + 1) % cycle_.size()], f);
            if (std::isnan(x)) {
                undefined = true;
                continue;
            }
            (x >= 0 ? positive : negative) = true;
            if (x != 0) nearest = std::min(nearest, std::abs(x));
            if ((x >= 0 && next < 0) || (x < 0 && next >= 0)) ++changes;
        }
        const double b = bend[static_cast<std::size_t>(f)];
        if (positive && negative) {
            ++lines;
            if (size > refinement_.lineSize || (changes > 2 && size > refinement_.meetingSize)) return true;
            if (size > refinement_.fineSize && (undefined || bowing(cell, f, b) > refinement_.bendTolerance))
                return true;
        } else if (size > refinement_.detectSize && nearest < kHiddenReach * b * size * size) {
            return true;
        }
    }
    if (!refinement_.inside) return false;
    bool in = false;
    bool out = false;
    for (const int v : cycle_)
        (insideAt(v) ? in : out) = true;
    if (!in || !out) return false;
    if (size > refinement_.lineSize) return true;
    if (lines >= 2) return size > refinement_.meetingSize;
    // The edge without a line: where a margin has no value, or a strict margin is exactly zero.
    return lines == 0 && size > refinement_.fineSize;
}

} // namespace quorvel::graph
