#pragma once

#include <optional>

namespace quorvel::graph {

// Major step of an axis: `step` units between labelled ticks, `spacing` = unit * step pixels between them.
// The minor spacing is spacing / 10.
struct TickStep {
    double step;
    double spacing;
};

// Chooses the step for an axis with `unit` pixels per unit. Units from 1 to 5000 follow the fixed table
// (u <= 1 -> 100, ... 2000 < u <= 5000 -> 0.01). Only a document file can bring a unit outside that range;
// it continues in 1-2-5 steps so the spacing stays between 20 and 100 pixels and drawing never stalls.
// Returns nothing for a unit that cannot be drawn (zero, negative, not finite, or beyond double range).
std::optional<TickStep> tickStep(double unit);

} // namespace quorvel::graph
