#pragma once

#include "expr/CheckFailure.h"

#include <optional>
#include <string_view>

namespace quorvel::expr {

// Checks for the roads that compute a value (curves, calculations), run on blank-free markup that passed
// findCheckFailure. A formula picture may show an empty box while it is typed; a value road would read
// the empty operand as nothing and compute another formula than the one written.

// The first empty operand, by position: an operator that the function form leaves without its operand
// before or behind it ("x+", "=x" at the start of a side, "y==x", "x*-1"), placed at the operator; an
// empty argument, list item or bracket group ("cub(x,)", "lak(2,a;)"), placed at the "(", "," or ";"
// in front of it. The indices of tab ("tab(i,,x)", "tab(,j,x)") may be empty. Nothing when there is none.
[[nodiscard]] std::optional<CheckFailure> findEmptyOperand(std::string_view markup);

} // namespace quorvel::expr
