#pragma once

#include "base/MessageSink.h"
#include "expr/CheckFailure.h"

#include <optional>
#include <string_view>

namespace quorvel::expr {

// The checks that run on blank-free markup before it is converted. Each shows at most one message
// (caption "错误") unless quiet, and returns true for pass. Positions in messages are GBK byte
// positions counted from 1 (a Chinese or special character counts two).

// Full-width brackets, empty pairs, brackets without an operator between them, unbalanced and
// mismatched brackets.
bool checkBrackets(MessageSink& sink, std::string_view text, bool quiet);
// Names in front of "(" must be keywords, with the right number of arguments.
bool checkArguments(MessageSink& sink, std::string_view text, bool quiet);
// Commas at the start, at the end or outside every bracket.
bool checkCommas(MessageSink& sink, std::string_view text, bool quiet);
// What may stand behind a closing bracket.
bool checkAfterBrackets(MessageSink& sink, std::string_view text, bool quiet);
// Rows and columns of matrix/range and the counts of lak/con must be natural numbers within the limits.
// A count that is no natural number shows two messages: "输入有误", then that of its construct.
bool checkCounts(MessageSink& sink, std::string_view text, bool quiet);
// The limits of Limits.h in their order: length, bracket nesting, then the depth and nodes of the
// text's tree and of its piecewise expansion.
bool checkLimits(MessageSink& sink, std::string_view text, bool quiet);

// checkLimits, then the five checks in their order (brackets, arguments, commas, after brackets,
// counts); stops at the first failure.
bool validate(MessageSink& sink, std::string_view text, bool quiet);

// One check without messages: its first fault, or nothing when the text passes it. EmptyOperand, the
// check of the value roads, runs only when asked for by name.
[[nodiscard]] std::optional<CheckFailure> findCheckFailure(CheckKind check, std::string_view text);
// The checks in the order of validate, without messages: the first fault, or nothing when all pass.
[[nodiscard]] std::optional<CheckFailure> findCheckFailure(std::string_view text);
// Shows the messages of a fault as the loud checks do (caption "错误", error icon).
void report(MessageSink& sink, const CheckFailure& failure);

// True when every character is a digit 0-9 (the empty text passes). Otherwise shows "输入有误" unless
// quiet, and returns false.
bool naturalNumberText(MessageSink& sink, std::string_view text, bool quiet);

} // namespace quorvel::expr
