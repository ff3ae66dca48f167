#pragma once

#include <cstddef>

namespace quorvel::expr {

// Bounds that keep the parser and evaluator safe on any text, including texts read from files that never
// passed validation. Texts beyond them are refused with a message instead of exhausting the stack,
// memory or time.

// The limits are applied in one order on every road (checks, rewriting, expansion, tree building), so
// that a text gets the same answer wherever it enters:
//   1. the bytes of the text as typed;
//   2. its bracket nesting;
//   3. the nesting of its operations, the depth of its tree: every bracket and every operator rewritten
//      into a call is one level, so "x/x/x" is three levels deep;
//   4. the nodes of its tree;
//   5. the same two for the tree of its piecewise expansion (lak and con become operator chains).
// A text exactly at a limit is accepted by every step.

// Bytes (UTF-8) of a text as typed. The editor typesets its text at every keystroke; at this length every
// step (checks, tree, value, layout, picture) still answers within a frame or two, while a formula a
// person writes, a thousand-line system included, stays far below it.
inline constexpr std::size_t kMaxTextBytes = 65536;
// Bytes of a text derived from an accepted one (its function form, its expansion). Operators become
// keyword calls and missing lak lines become terms, so these grow beyond kMaxTextBytes; the bound only
// stops texts that never passed the limits (files, direct calls).
inline constexpr std::size_t kMaxFormBytes = 16 * 1048576;
// Bracket nesting of a text, and depth of a tree. Every recursive walk over a tree stays within it.
inline constexpr int kMaxNesting = 1000;
// Lines of a "lak", conditions of a "con".
inline constexpr long long kMaxListItems = 1000;
// Rows and columns of a "matrix" or "range".
inline constexpr long long kMaxMatrixSide = 100;
// Nodes of one tree. Missing lines and cells are built as empty leaves, so a short text such as
// "matrix(100,100,x)" stands for ten thousand nodes; a list of such calls must not exhaust memory. A
// formula written out needs a few bytes per node, so only such texts meet this bound: the checks refuse
// them (after this limit), files and direct calls bring them past the checks.
inline constexpr long long kMaxTreeNodes = 100'000;

} // namespace quorvel::expr
