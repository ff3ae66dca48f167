#pragma once

#include <string>

namespace quorvel::graph {

// How many decimals a coordinate shown at unit pixels per unit can honestly hold: one pixel is 1/unit,
// so ceil(log10(unit)) decimals, never fewer than the two the status bar has always shown (and at most 12).
[[nodiscard]] int meaningfulDecimals(double unit);

// value rounded to decimals, without trailing zeros ("2", "-0.5", "1.4142"); "?" when not finite.
[[nodiscard]] std::string roundedCoordinate(double value, int decimals);

// "(x, y)" of an exact point, each rounded to what the view's units make meaningful.
[[nodiscard]] std::string pointText(double x, double y, double unitX, double unitY);

} // namespace quorvel::graph
