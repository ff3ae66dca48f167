#include "typeset/Symbols.h"

#include "base/NumberFormat.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorvel::typeset {

using expr::Keyword;

std::string displaySymbol(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 33> kSigns{{
        {"add", "+"}, {"pos", "+"}, {"sub", "-"},  {"mus", "-"}, {"pom", "±"},    {"aoc", "±"},
        {"mul", "×"}, {"mud", "·"}, {"muw", ""},   {"mod", "%"}, {"derive", "d"}, {"pderive", "δ"},
        {"abs", "|"}, {"usu", "≡"}, {"app", "≈"},  {"inc", "→"}, {"exp", "e"},    {"fac", "!"},
        {"les", "≤"}, {"ges", "≥"}, {"lts", "<"},  {"gts", ">"}, {"nes", "≠"},    {"eql", "="},
        {"upr", "⊥"}, {"par", "∥"}, {"res", "≌"},  {"gru", "∽"}, {"sum", "Σ"},    {"prod", "П"},
        {"p", "P"},   {"c", "C"},   {"ing1", "∫"},
    }};
    for (const auto& [name, sign] : kSigns)
        if (name == text) return std::string(sign);
    return std::string(text);
}

bool isBracketedOperandKind(Keyword kind) {
    switch (kind) {
    case Keyword::Add:
    case Keyword::Sub:
    case Keyword::Mul:
    case Keyword::Mus:
    case Keyword::Pom:
    case Keyword::Pos:
    case Keyword::Paren:
    case Keyword::Bracket:
    case Keyword::Brace:
    case Keyword::Aoc:
    case Keyword::Muw:
    case Keyword::Mud:
    case Keyword::Upr:
    case Keyword::Par:
    case Keyword::Res:
    case Keyword::Gru:
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Log:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
    case Keyword::Ln:
    case Keyword::Lg:
    case Keyword::Lak:
    case Keyword::Con:
        return true;
    default:
        return false;
    }
}

bool isTrigonometric(Keyword kind) {
    switch (kind) {
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
        return true;
    default:
        return false;
    }
}

NodeClass classify(const expr::ExprNode& node) {
    if (!node.first)
        return node.text.find('_') == std::string::npos ? NodeClass::PlainLeaf : NodeClass::LabelledName;
    switch (node.kind) {
    case Keyword::Lak:
        return NodeClass::Piecewise;
    case Keyword::Con:
        return NodeClass::Conditional;
    case Keyword::Add:
    case Keyword::Sub:
    case Keyword::Mul:
    case Keyword::Mod:
    case Keyword::Les:
    case Keyword::Ges:
    case Keyword::Lts:
    case Keyword::Gts:
    case Keyword::Nes:
    case Keyword::Eql:
    case Keyword::Upr:
    case Keyword::Res:
    case Keyword::Par:
    case Keyword::Gru:
    case Keyword::Usu:
    case Keyword::App:
    case Keyword::Inc:
    case Keyword::Aoc:
    case Keyword::Mud:
    case Keyword::Muw:
        return NodeClass::Infix;
    case Keyword::Mus:
    case Keyword::Pom:
    case Keyword::Pos:
        return NodeClass::PrefixSign;
    case Keyword::Lim:
        return NodeClass::Limit;
    case Keyword::F:
        return NodeClass::GenericCall;
    case Keyword::Vec:
        return NodeClass::Vector;
    case Keyword::Cub:
    case Keyword::Ind:
        return NodeClass::Power;
    case Keyword::Exp:
        return NodeClass::Exponential;
    case Keyword::Log:
        return NodeClass::Logarithm;
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
    case Keyword::Ln:
    case Keyword::Lg:
    case Keyword::Sec:
    case Keyword::Csc:
    case Keyword::Sgn:
    case Keyword::Sh:
    case Keyword::Ch:
    case Keyword::Th:
        return NodeClass::NamedFunction;
    case Keyword::Fac:
        return NodeClass::Factorial;
    case Keyword::Div:
        return NodeClass::Fraction;
    case Keyword::Derive:
    case Keyword::Pderive:
        return NodeClass::Derivative;
    case Keyword::Ing1:
        return NodeClass::Integral;
    case Keyword::Paren:
    case Keyword::Bracket:
    case Keyword::Brace:
        return NodeClass::LiteralBracket;
    case Keyword::Abs:
        return NodeClass::AbsoluteValue;
    case Keyword::Sqrt:
        return NodeClass::SquareRoot;
    case Keyword::Ext:
        return NodeClass::NthRoot;
    case Keyword::Sum:
    case Keyword::Prod:
        return NodeClass::BigOperator;
    case Keyword::Matrix:
    case Keyword::Range:
        return NodeClass::MatrixLike;
    case Keyword::P:
    case Keyword::C:
        return NodeClass::Arrangement;
    case Keyword::Tab:
        return NodeClass::LabelledTerm;
    default:
        return NodeClass::None;
    }
}

LabelledName splitLabelledName(std::string_view text) {
    LabelledName parts;
    const auto first = text.find('_');
    if (first == std::string_view::npos) {
        parts.base = text;
        return parts;
    }
    parts.base = text.substr(0, first);
    const std::string_view rest = text.substr(first + 1);
    const auto second = rest.find('_');
    if (second == std::string_view::npos) {
        parts.subscript = rest;
    } else {
        parts.superscript = rest.substr(0, second);
        parts.subscript = rest.substr(second + 1);
    }
    return parts;
}

int readCount(const expr::ExprNode* node, int limit) {
    if (!node) return 0;
    const auto value = parseInteger(node->text);
    if (!value) {
        // A decimal count too long for any integer type still names more items than the limit.
        const bool digits = !node->text.empty() && std::all_of(node->text.begin(), node->text.end(),
                                                               [](char c) { return c >= '0' && c <= '9'; });
        return digits ? limit : 0;
    }
    if (*value <= 0) return 0;
    return static_cast<int>(std::min<long long>(*value, limit));
}

std::string symbolOf(const expr::ExprNode& node) {
    if (!node.first || node.kind == Keyword::None) return node.text;
    return displaySymbol(expr::keywordName(node.kind));
}

} // namespace quorvel::typeset
