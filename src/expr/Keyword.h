#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel::expr {

// Every keyword of the markup, plus the three bracket groups. A node's keyword is resolved once when
// it is built, so later stages switch on this value instead of comparing strings.
// The names stay grouped by how many arguments they take.
// clang-format off
enum class Keyword : std::uint8_t {
    None, // a leaf, or a call whose name is no keyword
    // one argument
    Sqrt, Abs, Sin, Cos, Vec, Tg, Mus, Pos, Pom, Ctg, Arcsin, Arccos, Arctg, Arcctg, Sec, Csc, Sgn, Sh, Ch,
    Th, Exp, Ln, Lg, Fac, F, Pd,
    // two arguments
    Add, Cub, Ind, Aoc, Sup, Suf, Les, Ges, Lts, Gts, P, C, Eql, Nes, Usu, App, Inc, Div, Mul, Mud, Muw,
    Sub, Mod, Ext, Log, Derive, Pderive, Upr, Par, Res, Gru, Lak,
    // three arguments
    Con, Ing1, Ing2, Tab, Sum, Matrix, Range, Prod, Lim,
    // bracket groups
    Paren, Bracket, Brace,
};
// clang-format on

// The keyword whose name is exactly text (lower case), or None. "(", "[" and "{" give the bracket kinds.
Keyword keywordOf(std::string_view text);

// The keyword's name as typed in the markup ("(" for Paren).
std::string_view keywordName(Keyword kw);

// Searches the keyword lists of one, two and three arguments in this order and returns the argument
// count of the first list that holds name (lower case), or 0 when none does. "f" stands in all three
// lists and is found in the first.
int findKeyword(std::string_view name);

} // namespace quorvel::expr
