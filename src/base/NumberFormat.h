#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The one number format the program shows and stores: at most 15 significant digits, no trailing
// zeros, fixed notation for magnitudes in [0.00001, 1e15), otherwise "E" notation (1E20, 1E-6).
// Independent of the process locale.
std::string formatGeneral(double value);

// Reads a decimal number with "." as the decimal point: optional sign, digits with an optional
// fraction, optional exponent ("1E20", "-0.5", ".5", "5."). Leading and trailing blanks are allowed,
// anything else (names, "inf", "nan", hex) is refused.
std::optional<double> parseDecimal(std::string_view text);

// The same decimal text read as a literal of a formula: a magnitude beyond the doubles gives an infinity
// (the caller treats it as undefined), one below the smallest double gives 0; anything else as parseDecimal.
std::optional<double> parseDecimalLiteral(std::string_view text);

// Reads a whole decimal integer (optional sign, digits only, blanks around allowed) that fits in a long long.
std::optional<long long> parseInteger(std::string_view text);

} // namespace quorvel
