#pragma once

#include "expr/Limits.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::expr::detail {

// Steps of work (characters visited) that one rewriting or splitting of a text may take. Ordinary
// formulas need a tiny fraction; only pathological texts from files reach it, and they are refused
// rather than freezing the program.
inline constexpr long long kWorkBudget = 60'000'000;

// The refusal messages of the parser and validation.
std::string tooLongMessage();
std::string tooDeepMessage();
std::string tooComplexMessage();

// The constructs whose counts (rows and columns, lines, conditions) are read from the text.
enum class Counted { Matrix, Range, Lak, Con };

// "您输入的矩阵的行数或列数不是自然数，请修改！" and its siblings.
std::string notNaturalMessage(Counted construct);
// A count beyond the limit of its construct.
std::string tooManyMessage(Counted construct);
long long countLimit(Counted construct);

// A count written with the digits 0-9 only (at least one); huge values saturate far above every limit
// instead of overflowing.
std::optional<long long> readCount(std::string_view text);

} // namespace quorvel::expr::detail
