#include "graph/TickTable.h"

#include <array>
#include <cmath>

namespace quorvel::graph {

namespace {

struct Row {
    double upTo; // the row holds units in (previous upTo, upTo]
    double step;
};

constexpr std::array<Row, 11> kTable{{
    {1, 100},
    {5, 20},
    {10, 10},
    {20, 5},
    {50, 2},
    {100, 1},
    {200, 0.5},
    {500, 0.2},
    {1000, 0.1},
    {2000, 0.05},
    {5000, 0.01},
}};

constexpr std::array<double, 3> kMantissas{5, 2, 1};

// Below the table: the smallest of 200, 500, 1000, 2000, ... that keeps the spacing at 20 pixels or more.
double stepForTinyUnit(double unit) {
    for (int exponent = 2; exponent < 330; ++exponent) {
        const double scale = std::pow(10.0, exponent);
        for (auto it = kMantissas.rbegin(); it != kMantissas.rend(); ++it) {
            const double step = *it * scale;
            if (step <= 100) continue;
            if (unit * step >= 20) return step;
        }
    }
    return 0;
}

// Above the table: the largest of 0.005, 0.002, 0.001, 0.0005, ... that keeps the spacing at 100 pixels
// or less.
double stepForHugeUnit(double unit) {
    for (int exponent = 3; exponent < 330; ++exponent) {
        const double scale = std::pow(10.0, exponent);
        for (double mantissa : kMantissas) {
            const double step = mantissa / scale;
            if (unit * step <= 100) return step;
        }
    }
    return 0;
}

} // namespace

std::optional<TickStep> tickStep(double unit) {
    if (!std::isfinite(unit) || unit <= 0) return std::nullopt;
    double step = 0;
    if (unit < 0.2) {
        step = stepForTinyUnit(unit);
    } else if (unit > kTable.back().upTo) {
        step = stepForHugeUnit(unit);
    } else {
        for (const Row& row : kTable) {
            if (unit <= row.upTo) {
                step = row.step;
                break;
            }
        }
    }
    const double spacing = unit * step;
    // A step that underflowed or overflowed would make the grid loops useless: leave the axis unticked.
    if (!(step > 0) || !std::isfinite(step) || !(spacing >= 1) || !std::isfinite(spacing))
        return std::nullopt;
    return TickStep{step, spacing};
}

} // namespace quorvel::graph
