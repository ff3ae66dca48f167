#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::graph {

// The default range of t and θ: one full turn, as a document stores it.
inline constexpr double kDefaultParameterStart = 0;
inline constexpr double kDefaultParameterEnd = 6.28318530717959;

// A bound of a parameter range as typed: a number or a formula of numbers and π ("2π", "-π/2", "4*pi"),
// rounded as a document stores numbers, so a curve is drawn the same before and after saving. Nothing for a
// text that does not convert, names another variable or has no finite value.
[[nodiscard]] std::optional<double> parameterBound(std::string_view text);

// A bound as the range box shows it: a multiple of π/12 written with π ("0", "2π", "-π/2", "3π/4"),
// any other value as a number.
[[nodiscard]] std::string parameterBoundText(double value);

} // namespace quorvel::graph
