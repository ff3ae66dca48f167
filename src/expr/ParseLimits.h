#pragma once

#include "expr/Limits.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::expr::detail {

// Steps of work (characters visited) that one rewriting or splitting of a text may take. Ordinary
// formulas need a tiny fraction; only pathological texts from files reach it, and they are refused
// rather than freezing the program.
inline constexpr long long kWorkBudget = 60'000'000;

// The refusal messages of the parser and validation.
std::string tooLongMessage();
// Brackets nested too deeply.
std::string tooDeepMessage();
// Operations nested too deeply (a chain such as "x/x/…/x" builds one level per operator).
std::string tooDeepOperationsMessage();
std::string tooComplexMessage();

// Limits 1 and 2 of Limits.h: the bytes and the bracket nesting of the text as typed.
[[nodiscard]] std::string textLimitRefusal(std::string_view markup);
// Limits 3 to 5 of Limits.h, for a text within limits 1 and 2. When form is given and the text passes,
// it receives the function form (so that the caller does not rewrite the text twice).
[[nodiscard]] std::string structureLimitRefusal(std::string_view markup, std::string* form = nullptr);
// All limits in their order: the refusal of the first one the text exceeds, or empty.
[[nodiscard]] std::string limitRefusal(std::string_view markup, std::string* form = nullptr);

// toFunctionForm without the limits on the text as typed: refuses only when the work budget runs out or
// the result exceeds kMaxFormBytes.
std::string rewriteOperators(std::string_view text, std::string& refusal);
// An operator that rewriting leaves with an empty operand, as "x+" becomes add(x,): the code point index
// of its character in the text, its length (2 for ">=" and "<="), and whether the operand before it is
// the empty one (else the one behind it).
struct MissingOperand {
    std::size_t index = 0;
    int length = 1;
    bool before = false;
};
// The operators of text that rewriting leaves with an empty operand, in the order they are rewritten; an
// operator with both operands empty is listed twice, the one before it first. Nothing when the text is
// beyond the rewriting's bounds.
[[nodiscard]] std::vector<MissingOperand> missingOperands(std::string_view text);
// The depth and node limits of the tree of a function form, found without building it.
[[nodiscard]] std::string treeLimitRefusal(std::string_view functionForm);
// The lak and con calls of text replaced (the function form not yet taken); the conditions are recorded
// in domain. A count that is no natural number or too large refuses with its message.
std::string expandCalls(std::string& domain, std::string_view text, std::string& refusal);

// The constructs whose counts (rows and columns, lines, conditions) are read from the text.
enum class Counted { Matrix, Range, Lak, Con };

// "您输入的矩阵的行数或列数不是自然数，请修改！" and its siblings.
std::string notNaturalMessage(Counted construct);
// A count beyond the limit of its construct.
std::string tooManyMessage(Counted construct);
long long countLimit(Counted construct);
// The items given (cells, lines, conditions) are not as many as the counts say.
std::string countMismatchMessage(Counted construct);

// A count written with the digits 0-9 only (at least one); huge values saturate far above every limit
// instead of overflowing.
std::optional<long long> readCount(std::string_view text);

} // namespace quorvel::expr::detail
