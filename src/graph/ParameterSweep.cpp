#include "graph/ParameterSweep.h"

#include "base/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

std::optional<double> parseSweepStep(std::string_view text) {
    const std::optional<double> step = parseDecimal(text);
    if (!step || !std::isfinite(*step) || *step == 0) return std::nullopt;
    return step;
}

std::optional<double> sweptValue(double value, double step, int distance) {
    if (!std::isfinite(step) || step == 0) return std::nullopt;
    const double v = step * distance + value;
    if (!std::isfinite(v)) return std::nullopt;
    if (v == 0) return 0.0;
    const double size = std::abs(step);
    const double steps = v > 0 ? (v + 0.1 * size) / size : (v - 0.1 * size) / size;
    // 2^63: the count of steps must be a whole number an int64 can hold.
    if (!(std::abs(steps) < 0x1p63)) return std::nullopt;
    const double snapped = size * std::trunc(steps);
    if (!std::isfinite(snapped)) return std::nullopt;
    return snapped == 0 ? 0.0 : snapped; // no "-0"
}

int ParameterSweep::shownRows(int paramCount) {
    return std::clamp(paramCount, 0, kRows);
}

void ParameterSweep::activate(const document::DEFINEFUN& item, const std::array<int, kRows>& positions) {
    lastPosition = positions;
    rows_ = shownRows(item.paramCount);
    for (std::size_t k = 0; k < static_cast<std::size_t>(rows_); ++k)
        savedValues[k] = item.paramValues[k];
    active = 1;
}

SweepChange ParameterSweep::slide(document::DEFINEFUN& item, int row, int position,
                                  std::string_view stepText) {
    if (active != 1 || row < 0 || row >= rows_) return SweepChange::Ignored;
    const auto k = static_cast<std::size_t>(row);
    const std::optional<double> step = parseSweepStep(stepText);
    if (!step) return SweepChange::Refused;
    const std::optional<double> v = sweptValue(item.paramValues[k], *step, position - lastPosition[k]);
    if (!v) return SweepChange::Refused;
    item.paramValues[k] = *v;
    lastPosition[k] = position;
    return SweepChange::Applied;
}

void ParameterSweep::restore(document::DEFINEFUN& item) const {
    for (std::size_t k = 0; k < static_cast<std::size_t>(rows_); ++k)
        item.paramValues[k] = savedValues[k];
}

} // namespace quorvel::graph
