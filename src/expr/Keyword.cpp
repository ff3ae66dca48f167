#include "expr/Keyword.h"

#include <array>
#include <cstddef>

namespace quorvel::expr {

namespace {

// One row per keyword, in the order of the enumeration, so a keyword's row is found by its value.
// clang-format off
constexpr std::array<KeywordInfo, 71> kTable{{
    {"", Keyword::None, Notation::None, nullptr, -1, Trait::None},
    {"sqrt", Keyword::Sqrt, Notation::SquareRoot, nullptr, -1, Trait::None},
    {"abs", Keyword::Abs, Notation::AbsoluteValue, "|", -1, Trait::None},
    {"sin", Keyword::Sin, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"cos", Keyword::Cos, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"vec", Keyword::Vec, Notation::Vector, nullptr, -1, Trait::None},
    {"tg", Keyword::Tg, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"mus", Keyword::Mus, Notation::PrefixSign, "-", 0, Trait::BracketedOperand, Binding::Sign},
    {"pos", Keyword::Pos, Notation::PrefixSign, "+", 0, Trait::BracketedOperand, Binding::Sign},
    {"pom", Keyword::Pom, Notation::PrefixSign, "±", 0, Trait::BracketedOperand, Binding::Sign},
    {"ctg", Keyword::Ctg, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"arcsin", Keyword::Arcsin, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"arccos", Keyword::Arccos, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"arctg", Keyword::Arctg, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"arcctg", Keyword::Arcctg, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::Trigonometric | Trait::BareUnderBodyOperator},
    {"sec", Keyword::Sec, Notation::NamedFunction, nullptr, -1, Trait::None},
    {"csc", Keyword::Csc, Notation::NamedFunction, nullptr, -1, Trait::None},
    {"sgn", Keyword::Sgn, Notation::NamedFunction, nullptr, -1, Trait::None},
    {"sh", Keyword::Sh, Notation::NamedFunction, nullptr, 0, Trait::BareUnderBodyOperator},
    {"ch", Keyword::Ch, Notation::NamedFunction, nullptr, 0, Trait::BareUnderBodyOperator},
    {"th", Keyword::Th, Notation::NamedFunction, nullptr, 0, Trait::BareUnderBodyOperator},
    {"exp", Keyword::Exp, Notation::Exponential, "e", -1, Trait::None},
    {"ln", Keyword::Ln, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::BareUnderBodyOperator},
    {"lg", Keyword::Lg, Notation::NamedFunction, nullptr, 0, Trait::BracketedOperand | Trait::BareUnderBodyOperator},
    {"fac", Keyword::Fac, Notation::Factorial, "!", -1, Trait::None},
    {"f", Keyword::F, Notation::GenericCall, nullptr, 0, Trait::None},
    {"pd", Keyword::Pd, Notation::None, nullptr, -1, Trait::None},
    {"add", Keyword::Add, Notation::Infix, "+", 0, Trait::BracketedOperand, Binding::Sum},
    {"cub", Keyword::Cub, Notation::Power, nullptr, 0, Trait::BareUnderBodyOperator},
    {"ind", Keyword::Ind, Notation::Power, nullptr, -1, Trait::None},
    {"aoc", Keyword::Aoc, Notation::Infix, "±", 0, Trait::BracketedOperand, Binding::Sum},
    {"sup", Keyword::Sup, Notation::None, nullptr, -1, Trait::None},
    {"suf", Keyword::Suf, Notation::None, nullptr, -1, Trait::None},
    {"les", Keyword::Les, Notation::Infix, "≤", -1, Trait::None, Binding::Relation},
    {"ges", Keyword::Ges, Notation::Infix, "≥", -1, Trait::None, Binding::Relation},
    {"lts", Keyword::Lts, Notation::Infix, "<", -1, Trait::None, Binding::Relation},
    {"gts", Keyword::Gts, Notation::Infix, ">", -1, Trait::None, Binding::Relation},
    {"p", Keyword::P, Notation::Arrangement, "P", -1, Trait::None},
    {"c", Keyword::C, Notation::Arrangement, "C", -1, Trait::None},
    {"eql", Keyword::Eql, Notation::Infix, "=", -1, Trait::None, Binding::Relation},
    {"nes", Keyword::Nes, Notation::Infix, "≠", -1, Trait::None, Binding::Relation},
    {"usu", Keyword::Usu, Notation::Infix, "≡", -1, Trait::None, Binding::Relation},
    {"app", Keyword::App, Notation::Infix, "≈", -1, Trait::None, Binding::Relation},
    {"inc", Keyword::Inc, Notation::Infix, "→", -1, Trait::None, Binding::Relation},
    {"div", Keyword::Div, Notation::Fraction, nullptr, -1, Trait::None},
    {"mul", Keyword::Mul, Notation::Infix, "×", 0, Trait::BracketedOperand, Binding::Product},
    {"mud", Keyword::Mud, Notation::Infix, "·", 0, Trait::BracketedOperand, Binding::Product},
    {"muw", Keyword::Muw, Notation::Infix, "", 0, Trait::BracketedOperand, Binding::Product},
    {"sub", Keyword::Sub, Notation::Infix, "-", 0, Trait::BracketedOperand, Binding::Sum},
    {"mod", Keyword::Mod, Notation::Infix, "%", -1, Trait::None, Binding::Product},
    {"ext", Keyword::Ext, Notation::NthRoot, nullptr, -1, Trait::None},
    {"log", Keyword::Log, Notation::Logarithm, nullptr, 0, Trait::BracketedOperand | Trait::BareUnderBodyOperator},
    {"derive", Keyword::Derive, Notation::Derivative, "d", -1, Trait::BodyOperator},
    {"pderive", Keyword::Pderive, Notation::Derivative, "δ", -1, Trait::BodyOperator},
    {"upr", Keyword::Upr, Notation::Infix, "⊥", -1, Trait::BracketedOperand, Binding::Relation},
    {"par", Keyword::Par, Notation::Infix, "∥", -1, Trait::BracketedOperand, Binding::Relation},
    {"res", Keyword::Res, Notation::Infix, "≌", -1, Trait::BracketedOperand, Binding::Relation},
    {"gru", Keyword::Gru, Notation::Infix, "∽", -1, Trait::BracketedOperand, Binding::Relation},
    {"lak", Keyword::Lak, Notation::Piecewise, nullptr, -1, Trait::BracketedOperand},
    {"con", Keyword::Con, Notation::Conditional, nullptr, -1, Trait::BracketedOperand},
    {"ing1", Keyword::Ing1, Notation::Integral, "∫", -1, Trait::BodyOperator},
    {"ing2", Keyword::Ing2, Notation::None, nullptr, -1, Trait::None},
    {"tab", Keyword::Tab, Notation::LabelledTerm, nullptr, -1, Trait::None},
    {"sum", Keyword::Sum, Notation::BigOperator, "Σ", -1, Trait::BodyOperator},
    {"matrix", Keyword::Matrix, Notation::MatrixLike, nullptr, -1, Trait::None},
    {"range", Keyword::Range, Notation::MatrixLike, nullptr, -1, Trait::None},
    {"prod", Keyword::Prod, Notation::BigOperator, "П", -1, Trait::BodyOperator},
    {"lim", Keyword::Lim, Notation::Limit, nullptr, -1, Trait::BodyOperator},
    {"(", Keyword::Paren, Notation::LiteralBracket, nullptr, 1, Trait::BracketedOperand},
    {"[", Keyword::Bracket, Notation::LiteralBracket, nullptr, 2, Trait::BracketedOperand},
    {"{", Keyword::Brace, Notation::LiteralBracket, nullptr, 3, Trait::BracketedOperand},
}};
// clang-format on

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (static_cast<std::size_t>(kTable[i].keyword) != i) return false;
    return kTable.back().keyword == Keyword::Brace;
}
static_assert(inEnumOrder());

} // namespace

const KeywordInfo& keywordInfo(Keyword kw) {
    const auto index = static_cast<std::size_t>(kw);
    return index < kTable.size() ? kTable[index] : kTable[0];
}

bool powerSetsOffBase(Keyword kw) {
    const KeywordInfo& info = keywordInfo(kw);
    return info.bracketLevel >= 0 || info.has(Trait::Trigonometric) || kw == Keyword::Div ||
           kw == Keyword::Abs;
}

Keyword keywordOf(std::string_view text) {
    if (text.empty() || text.size() > 7) return Keyword::None;
    for (const KeywordInfo& row : kTable)
        if (row.name == text) return row.keyword;
    return Keyword::None;
}

std::string_view keywordName(Keyword kw) {
    return keywordInfo(kw).name;
}

int findKeyword(std::string_view name) {
    const Keyword kw = keywordOf(name);
    if (kw >= Keyword::Sqrt && kw <= Keyword::Pd) return 1;
    if (kw >= Keyword::Add && kw <= Keyword::Lak) return 2;
    if (kw >= Keyword::Con && kw <= Keyword::Lim) return 3;
    return 0;
}

} // namespace quorvel::expr
