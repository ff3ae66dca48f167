#pragma once

#include "expr/CheckFailure.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::expr {

// School notation as people type it, rewritten into the markup the checks, the parser and the files know:
//   x^2 → cub(x,2) (right-associative, tighter than a sign: -x^2 is -(x²)), x², x³, x**2, e^x → exp(x);
//   2x → 2*x, 3(x+1), 2π, 2sin(x), (x+1)(x-1): a product is implied after a number or a closed operand;
//   sin x, sinx, sin 2x, √x, √(x+1): a function without brackets takes the product that follows it, up to
//     the next operator, comma, closing bracket or function name (sin x^2 = sin(x²), sin x cos x =
//     sin(x)·cos(x)); a run of letters is a function applied to a letter only when it is a function name
//     followed by exactly one letter (sinx, cosa), any other run is one name (shape, ab);
//   tan cot arctan arccot → tg ctg arctg arcctg, pi → π, |x| → abs(x), ≤ ≥ ÷ − → <= >= / -,
//   x*-1 → x*(-1).
// Text that is already markup passes through unchanged, blanks included.
struct TypedRewrite {
    std::string markup; // UTF-8
    // For each code point of markup, the 0-based code point index in the typed text it comes from; one
    // more entry maps the end of markup to the end of the typed text.
    std::vector<int> origin;
    // Set when the typed text cannot be understood (a "|" without its partner, "^" without exponent);
    // its positions are in the typed text.
    std::optional<CheckFailure> failure;
};

// Lines separated by ";" outside brackets become a system, lak(n,…).
[[nodiscard]] TypedRewrite rewriteTypedNotation(std::string_view typed);
// One line: the rewriting without joining lines.
[[nodiscard]] TypedRewrite rewriteTypedLine(std::string_view typed);

// Text taken as markup exactly as it is, each character its own origin.
[[nodiscard]] TypedRewrite unchangedRewrite(std::string_view text);

} // namespace quorvel::expr
