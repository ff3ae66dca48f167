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

// How a keyword's construct is set in a formula picture: the typesetter has one layout and drawing rule
// per notation. Leaves are set as plain or labelled names; a keyword without a rule has None.
enum class Notation : std::uint8_t {
    None, PlainLeaf, LabelledName, Piecewise, Conditional, Infix, PrefixSign, Limit, GenericCall, Vector,
    Power, Exponential, Logarithm, NamedFunction, Factorial, Fraction, Derivative, Integral, LiteralBracket,
    AbsoluteValue, SquareRoot, NthRoot, BigOperator, MatrixLike, Arrangement, LabelledTerm,
};
// clang-format on

// Properties of a keyword that layout and drawing consult.
enum class Trait : std::uint8_t {
    None = 0,
    // As the operand of a function, power, logarithm, factorial, derivative, limit, sum, product or
    // integral it gets an automatic bracket allowance.
    BracketedOperand = 1,
    // Trigonometric and inverse trigonometric names: a power of these draws its exponent after the name.
    Trigonometric = 2,
    // A function that draws no automatic brackets of its own as the body of a BodyOperator.
    BareUnderBodyOperator = 4,
    // Sum, product, limit, derivative and integral.
    BodyOperator = 8,
};
constexpr Trait operator|(Trait a, Trait b) {
    return static_cast<Trait>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}

// How tightly an operator written between or before its operands binds, loosest first: a written formula
// brackets an operand that binds less tightly than the operator around it (a sum inside a product).
enum class Binding : std::uint8_t { None, Relation, Sum, Product, Sign };

struct KeywordInfo {
    std::string_view name; // as typed in the markup
    Keyword keyword;
    Notation notation;
    // The visible sign ("+" for add, "Σ" for sum, "" for the invisible product), or null when the
    // construct shows its name or has no sign of its own.
    const char* sign;
    // Where automatic bracket levels start: -1 when the kind takes no part, 0 for the operations and
    // functions that pass their operands' level on, 1, 2 and 3 for typed "(", "[" and "{".
    int bracketLevel;
    Trait traits;
    Binding binding = Binding::None;

    constexpr bool has(Trait t) const {
        return (static_cast<std::uint8_t>(traits) & static_cast<std::uint8_t>(t)) != 0;
    }
};
// The row of the keyword table for kw (None has an empty name and no notation).
const KeywordInfo& keywordInfo(Keyword kw);

// True when a power draws a compound base of this kind set off by itself: in brackets of its own (an
// operation, a typed bracket, a fraction), between its bars (|x|²) or with the exponent after the name
// (sin²x). Brackets typed around such a base only group it and would be drawn twice.
[[nodiscard]] bool powerSetsOffBase(Keyword kw);

// The keyword whose name is exactly text (lower case), or None. "(", "[" and "{" give the bracket kinds.
Keyword keywordOf(std::string_view text);

// The keyword's name as typed in the markup ("(" for Paren).
std::string_view keywordName(Keyword kw);

// Searches the keyword lists of one, two and three arguments in this order and returns the argument
// count of the first list that holds name (lower case), or 0 when none does. "f" stands in all three
// lists and is found in the first.
int findKeyword(std::string_view name);

} // namespace quorvel::expr
