#include "graph/RegionFill.h"

#include "graph/BrentSolver.h"
#include "graph/CellCrossings.h"
#include "graph/EdgeCrossing.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

namespace quorvel::graph {

using typeset::PointF;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Brent's bracket at the end (pixels), as for curves.
constexpr double kRootTolerance = 1e-9;
// Where the region ends because a margin has no value, the edge is found by halving down to this width.
constexpr double kBisectTolerance = 1e-6;

// The smallest margin, NaN when one has no value: zero on the region's edge, as smooth as the margins.
double smallest(std::span<const double> margins) {
    double m = std::numeric_limits<double>::infinity();
    for (const double v : margins) {
        if (std::isnan(v)) return kNaN;
        m = std::min(m, v);
    }
    return m;
}

// A function along a side and whether the point lies inside; nothing once the budget is spent.
struct Probe {
    double value; // NaN where it has none
    bool inside;
};
using Prober = std::function<std::optional<Probe>(PointF)>;

// Where the inside ends on side, from its inside end a (value vIn) to its outside end b (vOut): at an end
// where the value is exactly zero, else a zero of the value found with Brent's method, else (there is no
// value at b or between, or the value is zero along the side) the end of the inside found by halving.
PointF solveEdge(const GridSide& side, double vIn, double vOut, const Prober& probe) {
    double in = side.start();
    double out = side.end();
    if (vIn == 0) {
        // The edge passes through a, unless the value stays zero along the side (an edge along the grid
        // that turns away from it inside the side).
        const double next = in + std::copysign(kBisectTolerance, out - in);
        const std::optional<Probe> p = probe(side.at(next));
        if (!p || !p->inside) return side.a;
        in = next;
    } else if (vOut == 0) {
        return side.b; // outside by a strict constraint
    } else if (!std::isnan(vOut)) {
        bool budgetOut = false;
        const PartialFunction along = [&](double t) -> std::optional<double> {
            const std::optional<Probe> p = probe(side.at(t));
            if (!p) budgetOut = true;
            if (!p || std::isnan(p->value)) return std::nullopt;
            return p->value;
        };
        if (const auto root = brentRoot(along, side.start(), vIn, side.end(), vOut, kRootTolerance))
            return side.at(root->x);
        if (budgetOut) return side.interpolated(vIn, vOut);
    }
    while (std::abs(out - in) > kBisectTolerance) {
        const double mid = (in + out) / 2;
        const std::optional<Probe> p = probe(side.at(mid));
        if (!p) break;
        (p->inside ? in : out) = mid;
    }
    return side.at((in + out) / 2);
}

// Which side of the line through p and q the point x lies on (positive: to the right on the sheet).
double sideOfLine(PointF p, PointF q, PointF x) {
    return (q.x - p.x) * (x.y - p.y) - (q.y - p.y) * (x.x - p.x);
}

// The part of polygon (open: the last point is not repeated) on the side of the line p-q where sign·side ≥ 0.
SheetPath clipByLine(const SheetPath& polygon, PointF p, PointF q, double sign) {
    SheetPath out;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PointF a = polygon[i];
        const PointF b = polygon[(i + 1) % polygon.size()];
        const double da = sign * sideOfLine(p, q, a);
        const double db = sign * sideOfLine(p, q, b);
        if (da >= 0) out.push_back(a);
        if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
            const double t = da / (da - db);
            out.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
        }
    }
    return out;
}

// Adds polygon (open) closed, unless it has no area.
void addClosed(SheetPath polygon, std::vector<SheetPath>& polygons) {
    polygon.erase(std::unique(polygon.begin(), polygon.end()), polygon.end());
    while (polygon.size() > 1 && polygon.front() == polygon.back())
        polygon.pop_back();
    double twiceArea = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PointF a = polygon[i];
        const PointF b = polygon[(i + 1) % polygon.size()];
        twiceArea += a.x * b.y - b.x * a.y;
    }
    if (polygon.size() < 3 || !(twiceArea > 0)) return;
    polygon.push_back(polygon.front());
    polygons.push_back(std::move(polygon));
}

// The inside of the region over the grid's leaves, built cell by cell.
class RegionCells {
public:
    RegionCells(const PlaneGrid& grid, std::span<const RegionConstraint> system, SheetEvaluator& evaluator)
        : grid_(grid), system_(system), evaluator_(evaluator),
          inside_(static_cast<std::size_t>(grid.vertexCount()), -1), margins_(system.size()),
          marginSolved_(system.size()) {}

    std::vector<SheetPath> fill() {
        std::vector<SheetPath> polygons;
        std::vector<GridCell> whole;
        const auto side = [this](int v) { return insideAt(v) ? Side::Positive : Side::Negative; };
        visitLeaves(grid_, side,
                    [&](const GridCell& cell, std::span<const int> cycle, std::span<const Side> sides) {
                        const bool anyIn = std::ranges::find(sides, Side::Positive) != sides.end();
                        const bool anyOut = std::ranges::find(sides, Side::Negative) != sides.end();
                        if (anyIn && !anyOut) whole.push_back(cell);
                        if (anyIn && anyOut && !clipCorner(cycle, polygons))
                            cut(cell, cycle, sides, polygons);
                    });
        mergeWhole(whole, polygons);
        return polygons;
    }

private:
    bool insideAt(int vertex) {
        signed char& known = inside_[static_cast<std::size_t>(vertex)];
        if (known < 0) known = regionHolds(system_, grid_.values(vertex)) ? 1 : 0;
        return known == 1;
    }
    bool holdsAt(int vertex, std::size_t k) const {
        return constraintHolds(system_[k], grid_.value(vertex, static_cast<int>(k)));
    }

    // Evaluates every margin at p into margins_; false when the budget does not allow it.
    bool marginsAt(PointF p) {
        if (!evaluator_.affords(static_cast<long>(system_.size()))) {
            evaluator_.markExhausted();
            return false;
        }
        for (std::size_t k = 0; k < system_.size(); ++k)
            margins_[k] = evaluator_.at(system_[k].margin, p);
        return true;
    }

    // A cell where the edge turns from one constraint's line to another's: the cell clipped by the chord of
    // each line that crosses it, so the corner where two lines meet is where their chords meet. False
    // (nothing added) where a line does not cross the cell as one chord.
    bool clipCorner(std::span<const int> cycle, std::vector<SheetPath>& polygons) {
        const std::size_t n = cycle.size();
        std::vector<std::size_t> crossing;
        std::vector<std::size_t> lines;
        for (std::size_t k = 0; k < system_.size(); ++k) {
            bool in = false;
            bool out = false;
            for (const int v : cycle)
                (holdsAt(v, k) ? in : out) = true;
            if (in && out) lines.push_back(k);
        }
        if (lines.size() < 2) return false;
        std::vector<std::pair<std::size_t, std::size_t>> chords; // per line, the edges it crosses
        for (const std::size_t k : lines) {
            crossing.clear();
            for (std::size_t e = 0; e < n; ++e) {
                if (std::isnan(grid_.value(cycle[e], static_cast<int>(k)))) return false;
                if (holdsAt(cycle[e], k) != holdsAt(cycle[(e + 1) % n], k)) crossing.push_back(e);
            }
            if (crossing.size() != 2) return false;
            chords.emplace_back(crossing[0], crossing[1]);
        }
        SheetPath polygon;
        for (const int v : cycle)
            polygon.push_back(grid_.position(v));
        for (std::size_t l = 0; l < lines.size(); ++l) {
            const std::size_t k = lines[l];
            const auto [e0, e1] = chords[l];
            const PointF p = marginEdgePoint(k, cycle[e0], cycle[(e0 + 1) % n]);
            const PointF q = marginEdgePoint(k, cycle[e1], cycle[(e1 + 1) % n]);
            // The side of the chord the constraint holds on, told by the inside vertex farthest from it.
            double sign = 0;
            for (const int v : cycle)
                if (const double d = sideOfLine(p, q, grid_.position(v));
                    holdsAt(v, k) && std::abs(d) > std::abs(sign))
                    sign = d;
            if (sign == 0) return true; // the constraint holds on a point or a side only: no area
            polygon = clipByLine(polygon, p, q, sign);
        }
        addClosed(std::move(polygon), polygons);
        return true;
    }

    // The part of a cell on the region's edge: with one inside arc, or a centre outside, each inside arc
    // closed by its chord; with the centre inside, one polygon that cuts off the outside arcs.
    void cut(const GridCell& cell, std::span<const int> cycle, std::span<const Side> sides,
             std::vector<SheetPath>& polygons) {
        const std::size_t n = cycle.size();
        bool centreInside = true;
        if (crossingCount(sides) > 2)
            centreInside = marginsAt(grid_.centre(cell)) ? regionHolds(system_, margins_) : false;
        auto crossing = [&](std::size_t e) { return edgePoint(cycle[e], cycle[(e + 1) % n]); };
        if (centreInside) {
            SheetPath polygon;
            for (std::size_t e = 0; e < n; ++e) {
                if (sides[e] == Side::Positive) polygon.push_back(grid_.position(cycle[e]));
                if (crossesAt(sides, e)) polygon.push_back(crossing(e));
            }
            addClosed(std::move(polygon), polygons);
            return;
        }
        for (std::size_t e = 0; e < n; ++e) {
            if (!(sides[e] == Side::Negative && sides[(e + 1) % n] == Side::Positive)) continue;
            SheetPath polygon{crossing(e)};
            std::size_t v = (e + 1) % n;
            for (; sides[v] == Side::Positive; v = (v + 1) % n)
                polygon.push_back(grid_.position(cycle[v]));
            polygon.push_back(crossing((v + n - 1) % n));
            addClosed(std::move(polygon), polygons);
        }
    }

    // Where the region's edge crosses the side between vertices a and b (one inside, one outside): a zero
    // of the smallest margin, solved once for both cells on the side.
    PointF edgePoint(int a, int b) {
        const std::uint64_t key = KeyIndex::side(a, b);
        if (const int found = solved_.find(key); found >= 0) return points_[static_cast<std::size_t>(found)];
        const int in = insideAt(a) ? a : b;
        const int out = in == a ? b : a;
        const Prober probe = [this](PointF p) -> std::optional<Probe> {
            if (!marginsAt(p)) return std::nullopt;
            return Probe{smallest(margins_), regionHolds(system_, margins_)};
        };
        const PointF p = solveEdge({grid_.position(in), grid_.position(out)}, smallest(grid_.values(in)),
                                   smallest(grid_.values(out)), probe);
        solved_.insert(key, static_cast<int>(points_.size()));
        points_.push_back(p);
        return p;
    }

    // Where constraint k's line crosses the side between vertices a and b (it holds at one only).
    PointF marginEdgePoint(std::size_t k, int a, int b) {
        const std::uint64_t key = KeyIndex::side(a, b);
        if (const int found = marginSolved_[k].find(key); found >= 0)
            return points_[static_cast<std::size_t>(found)];
        const int in = holdsAt(a, k) ? a : b;
        const int out = in == a ? b : a;
        const RegionConstraint& c = system_[k];
        const Prober probe = [&](PointF p) -> std::optional<Probe> {
            if (!evaluator_.affords(1)) {
                evaluator_.markExhausted();
                return std::nullopt;
            }
            const double m = evaluator_.at(c.margin, p);
            return Probe{m, constraintHolds(c, m)};
        };
        const int f = static_cast<int>(k);
        const PointF p = solveEdge({grid_.position(in), grid_.position(out)}, grid_.value(in, f),
                                   grid_.value(out, f), probe);
        marginSolved_[k].insert(key, static_cast<int>(points_.size()));
        points_.push_back(p);
        return p;
    }

    // Whole cells as rectangles, neighbours of one size in a row merged into one.
    void mergeWhole(std::vector<GridCell>& whole, std::vector<SheetPath>& polygons) const {
        std::ranges::sort(whole, {}, [](const GridCell& c) { return std::tuple(c.span, c.j, c.i); });
        for (std::size_t s = 0; s < whole.size();) {
            const GridCell& start = whole[s];
            std::size_t e = s + 1;
            while (e < whole.size() && whole[e].span == start.span && whole[e].j == start.j &&
                   whole[e].i == whole[e - 1].i + start.span)
                ++e;
            const int right = whole[e - 1].i + start.span;
            const int bottom = start.j + start.span;
            const PointF topLeft = grid_.latticePoint(start.i, start.j);
            polygons.push_back({topLeft, grid_.latticePoint(right, start.j),
                                grid_.latticePoint(right, bottom), grid_.latticePoint(start.i, bottom),
                                topLeft});
            s = e;
        }
    }

    const PlaneGrid& grid_;
    std::span<const RegionConstraint> system_;
    SheetEvaluator& evaluator_;
    std::vector<signed char> inside_;
    std::vector<double> margins_; // scratch
    KeyIndex solved_;
    std::vector<KeyIndex> marginSolved_;
    std::vector<PointF> points_;
};

} // namespace

std::vector<SheetPath> fillRegion(const PlaneGrid& grid, std::span<const RegionConstraint> system,
                                  SheetEvaluator& evaluator) {
    return RegionCells(grid, system, evaluator).fill();
}

} // namespace quorvel::graph
