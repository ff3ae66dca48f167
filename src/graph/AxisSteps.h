#pragma once

#include <cmath>

namespace quorvel::graph {

// How far off the sheet a grid position may lie and still be visited: a label that starts there can
// still reach into the sheet.
constexpr double kOffSheetMargin = 512;

enum class StepDirection { Forward, Backward };

// Visits the grid positions origin + i * spacing / divisor along one axis, as the sheet drawing walks
// them: forwards i = first, first + 1, ... while the position is <= limit, backwards i = first,
// first - 1, ... while it is >= 0. Positions further than kOffSheetMargin outside [0, limit] are skipped
// without being visited, so a distant origin costs no more than a near one, and the walk never takes
// more steps than fit across the sheet. visit(i, position) gets the untruncated position.
template <class Visit>
void forEachStep(double origin, double spacing, double divisor, StepDirection direction, double first,
                 double limit, Visit&& visit) {
    const double pitch = spacing / divisor;
    if (!(pitch > 0) || !std::isfinite(pitch) || !std::isfinite(origin)) return;
    double i = first;
    if (direction == StepDirection::Forward) {
        const double skipTo = std::floor((-kOffSheetMargin - origin) / pitch);
        if (skipTo > i) i = skipTo;
    } else {
        const double skipTo = -std::floor((origin - limit - kOffSheetMargin) / pitch);
        if (skipTo < i) i = skipTo;
    }
    const double maxSteps = std::ceil((limit + 2 * kOffSheetMargin) / pitch) + 4;
    const double step = direction == StepDirection::Forward ? 1 : -1;
    for (double n = 0; n < maxSteps; ++n, i += step) {
        const double position = origin + i * spacing / divisor;
        if (direction == StepDirection::Forward ? !(position <= limit) : !(position >= 0)) return;
        visit(i, position);
    }
}

} // namespace quorvel::graph
