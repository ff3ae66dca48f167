// noiseBound and shownValue: a forward bound on the rounding error of an evaluated tree.
#include "expr/NoiseBound.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvel::expr {

namespace {

using Bound = std::optional<double>;

// Half a unit in the last place, relative: the rounding of one correctly rounded operation.
constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;
// Half a unit in the 15th significant digit, relative: how far a value stored in a file may lie off.
constexpr double kStoredDigits = 5e-15;
// The bound is of the first order and library functions are off by up to one unit in the last place,
// so a value is taken as noise only within a few times its bound.
constexpr double kNoiseFactor = 4;

double rounding(double r) {
    return kUnit * std::fabs(r);
}
// A library function (sin, exp, pow, ...) is within one unit in the last place.
double libraryRounding(double r) {
    return 2 * kUnit * std::fabs(r);
}

Bound finite(double b) {
    return std::isfinite(b) ? Bound(b) : std::nullopt;
}

// The error of a decimal literal read into a double: none for a whole number a double holds.
double literalRounding(double v) {
    return std::fabs(v) < 0x1p53 && v == std::trunc(v) ? 0 : rounding(v);
}

Bound leafBound(const ExprNode& leaf) {
    switch (leaf.leafKind) {
    case ExprNode::LeafKind::X:
        return 0; // the plotting variable is taken as given
    case ExprNode::LeafKind::Pi:
        return rounding(leaf.value);
    case ExprNode::LeafKind::Degrees:
        return 3 * rounding(leaf.value); // the literal, π/180 and their product
    case ExprNode::LeafKind::Number:
        if (leaf.value == leaf.leafNumber) return literalRounding(leaf.value);
        break;
    case ExprNode::LeafKind::Other:
        break;
    }
    // A table value is taken as given, except the constant e as a file stores it (15 digits).
    const double offE = std::fabs(leaf.value - std::numbers::e);
    if ((leaf.text == "e" || leaf.text == "E") && offE <= kStoredDigits * std::numbers::e)
        return offE + rounding(std::numbers::e);
    return 0;
}

// f(a) with |f'(a)| = slope.
Bound throughFunction(double slope, double ea, double r) {
    return finite(std::fabs(slope) * ea + libraryRounding(r));
}

Bound oneOperand(const ExprNode& node, double a, double ea) {
    const double r = node.value;
    switch (node.kind) {
    case Keyword::Paren:
    case Keyword::Bracket:
    case Keyword::Brace:
    case Keyword::Pos:
    case Keyword::Mus:
    case Keyword::Abs:
        return ea;
    case Keyword::Sqrt: // √(a+e) - √a is at most √e, however close a is to 0
        return finite((a > 0 ? std::min(ea / (2 * std::sqrt(a)), std::sqrt(ea)) : std::sqrt(ea)) +
                      libraryRounding(r));
    case Keyword::Sin: // |sin''| ≤ 1: the second order counts where the slope vanishes
        return finite(std::fabs(std::cos(a)) * ea + ea * ea / 2 + libraryRounding(r));
    case Keyword::Cos:
        return finite(std::fabs(std::sin(a)) * ea + ea * ea / 2 + libraryRounding(r));
    case Keyword::Tg:
    case Keyword::Ctg:
        return throughFunction(1 + r * r, ea, r);
    case Keyword::Sec:
        return throughFunction(r * r * std::sin(a), ea, r);
    case Keyword::Csc:
        return throughFunction(r * r * std::cos(a), ea, r);
    case Keyword::Arcsin:
    case Keyword::Arccos:
        if (1 - a * a <= 0) return std::nullopt;
        return throughFunction(1 / std::sqrt(1 - a * a), ea, r);
    case Keyword::Arctg:
    case Keyword::Arcctg:
        return throughFunction(1 / (1 + a * a), ea, r);
    case Keyword::Sh:
        return throughFunction(std::cosh(a), ea, r);
    case Keyword::Ch:
        return throughFunction(std::sinh(a), ea, r);
    case Keyword::Th:
        return throughFunction(1 - r * r, ea, r);
    case Keyword::Exp:
        return throughFunction(r, ea, r);
    case Keyword::Ln:
        if (ea >= a) return std::nullopt;
        return throughFunction(1 / (a - ea), ea, r);
    case Keyword::Lg:
        if (ea >= a) return std::nullopt;
        return throughFunction(1 / ((a - ea) * std::numbers::ln10), ea, r);
    default:
        return std::nullopt;
    }
}

// A power r = base^exponent (a root is base^(1/degree)): relative errors add, scaled by the exponent and
// by ln|base|.
Bound power(double r, double exponent, double eExponent, double base, double eBase) {
    if (base == 0) return eBase == 0 && eExponent == 0 ? Bound(0) : std::nullopt;
    const double relative =
        std::fabs(exponent) * eBase / std::fabs(base) + std::fabs(std::log(std::fabs(base))) * eExponent;
    return finite(std::fabs(r) * relative + 2 * libraryRounding(r));
}

Bound twoOperands(const ExprNode& node, double a, double ea, double b, double eb) {
    const double r = node.value;
    switch (node.kind) {
    case Keyword::Add:
    case Keyword::Sub:
        return finite(ea + eb + rounding(r));
    case Keyword::Mul:
    case Keyword::Muw:
    case Keyword::Mud:
        return finite(std::fabs(b) * ea + std::fabs(a) * eb + ea * eb + rounding(r));
    case Keyword::Div: // (a+δa)/(b+δb) - a/b = (δa - r·δb)/(b+δb)
        if (eb >= std::fabs(b)) return std::nullopt;
        return finite((ea + std::fabs(r) * eb) / (std::fabs(b) - eb) + rounding(r));
    case Keyword::Cub:
    case Keyword::Ind: // first the exponent, second the base
        return power(r, a, ea, b, eb);
    case Keyword::Ext: { // first the degree d, second the radicand: the exponent 1/d
        if (a == 0 || ea >= std::fabs(a)) return std::nullopt;
        const double eExponent = ea / (std::fabs(a) * (std::fabs(a) - ea));
        return power(r, 1 / a, eExponent, b, eb);
    }
    case Keyword::Log: { // log(a,b) = ln b / ln a
        const double lnA = std::log(a);
        if (lnA == 0 || ea >= a || eb >= b) return std::nullopt;
        return finite(eb / ((b - eb) * std::fabs(lnA)) + std::fabs(r) * ea / ((a - ea) * std::fabs(lnA)) +
                      3 * libraryRounding(r));
    }
    default:
        return std::nullopt;
    }
}

bool takesTwoOperands(Keyword kind) {
    switch (kind) {
    case Keyword::Add:
    case Keyword::Sub:
    case Keyword::Mul:
    case Keyword::Muw:
    case Keyword::Mud:
    case Keyword::Div:
    case Keyword::Cub:
    case Keyword::Ind:
    case Keyword::Ext:
    case Keyword::Log:
        return true;
    default:
        return false;
    }
}

Bound boundOf(const ExprNode* node) {
    if (!node->first) return leafBound(*node);
    const Bound ea = boundOf(node->first.get());
    if (!ea) return std::nullopt;
    const double a = node->first->value;
    if (!takesTwoOperands(node->kind)) return oneOperand(*node, a, *ea);
    if (!node->second) return std::nullopt;
    const Bound eb = boundOf(node->second.get());
    if (!eb) return std::nullopt;
    return twoOperands(*node, a, *ea, node->second->value, *eb);
}

} // namespace

std::optional<double> noiseBound(const ExprNode* evaluated) {
    return evaluated ? boundOf(evaluated) : std::nullopt;
}

double shownValue(const ExprNode* evaluatedRoot) {
    if (!evaluatedRoot) return 0;
    const double value = evaluatedRoot->value;
    const Bound bound = noiseBound(evaluatedRoot);
    return bound && std::fabs(value) <= kNoiseFactor * *bound ? 0 : value;
}

} // namespace quorvel::expr
