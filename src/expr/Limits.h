#pragma once

#include <cstddef>

namespace quorvel::expr {

// Bounds that keep the parser and evaluator safe on any text, including texts read from files that never
// passed validation. Texts beyond them are refused with a message instead of exhausting the stack,
// memory or time.

// Bytes (UTF-8) of any text that validation, rewriting or tree building accepts, function forms included.
inline constexpr std::size_t kMaxTextBytes = 1048576;
// Bracket nesting of a text, and so depth of a tree. Every recursive walk over a tree stays within it.
inline constexpr int kMaxNesting = 1000;
// Lines of a "lak", conditions of a "con".
inline constexpr long long kMaxListItems = 1000;
// Rows and columns of a "matrix" or "range".
inline constexpr long long kMaxMatrixSide = 100;
// Nodes of one tree. Missing lines and cells are built as empty leaves, so a short text such as
// "matrix(100,100,x)" stands for ten thousand nodes; a list of such calls must not exhaust memory.
inline constexpr long long kMaxTreeNodes = 1'000'000;

} // namespace quorvel::expr
