#pragma once

#include "expr/ExprNode.h"

#include <optional>

namespace quorvel::expr {

// A bound on the rounding error of an evaluated node's value, carried forward from its leaves: a number
// literal and π are off by half a unit in the last place, x and table values are exact, every rule adds
// the error of its operands carried through it and the rounding of its own result. Nothing for a node
// whose rule has no bound here (or whose bound is no finite number). Reads the values that evaluate
// stored; call it only for a node evaluate gave a value.
[[nodiscard]] std::optional<double> noiseBound(const ExprNode* evaluated);

// The value to show for a node evaluate gave a value: 0 when it lies within a small multiple of its
// noise bound (sin(π), 0.1+0.2-0.3), else the value itself. Only the callers that show a number call it;
// plotting never does.
[[nodiscard]] double shownValue(const ExprNode* evaluatedRoot);

} // namespace quorvel::expr
