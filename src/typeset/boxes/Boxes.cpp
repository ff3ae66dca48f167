// The table of boxes, one per node class.
#include "Box.h"

#include <array>
#include <cstddef>

namespace quorvel::typeset::detail {

namespace {

void noHeight(Walk&, expr::ExprNode& n) {
    setHeights(n, 0, 0);
}
void noWidth(Walk&, expr::ExprNode& n) {
    setWidths(n, 0, 0);
}
void noDrawing(Walk&, expr::ExprNode&) {}

struct Entry {
    NodeClass kind;
    const Box* box;
};

// clang-format off
constexpr std::array<Entry, 26> kBoxes{{
    {NodeClass::None, &kNoBox},
    {NodeClass::PlainLeaf, &kPlainLeafBox},
    {NodeClass::LabelledName, &kLabelledNameBox},
    {NodeClass::Piecewise, &kPiecewiseBox},
    {NodeClass::Conditional, &kConditionalBox},
    {NodeClass::Infix, &kInfixBox},
    {NodeClass::PrefixSign, &kPrefixSignBox},
    {NodeClass::Limit, &kLimitBox},
    {NodeClass::GenericCall, &kGenericCallBox},
    {NodeClass::Vector, &kVectorBox},
    {NodeClass::Power, &kPowerBox},
    {NodeClass::Exponential, &kExponentialBox},
    {NodeClass::Logarithm, &kLogarithmBox},
    {NodeClass::NamedFunction, &kNamedFunctionBox},
    {NodeClass::Factorial, &kFactorialBox},
    {NodeClass::Fraction, &kFractionBox},
    {NodeClass::Derivative, &kDerivativeBox},
    {NodeClass::Integral, &kIntegralBox},
    {NodeClass::LiteralBracket, &kLiteralBracketBox},
    {NodeClass::AbsoluteValue, &kAbsoluteValueBox},
    {NodeClass::SquareRoot, &kSquareRootBox},
    {NodeClass::NthRoot, &kNthRootBox},
    {NodeClass::BigOperator, &kBigOperatorBox},
    {NodeClass::MatrixLike, &kMatrixBox},
    {NodeClass::Arrangement, &kArrangementBox},
    {NodeClass::LabelledTerm, &kLabelledTermBox},
}};
// clang-format on

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        if (static_cast<std::size_t>(kBoxes[i].kind) != i) return false;
    return true;
}
static_assert(inEnumOrder(), "one box per node class, in the order of the classes");

} // namespace

const Box kNoBox{noHeight, noWidth, noDrawing};

const Box& boxFor(NodeClass kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kBoxes.size() ? *kBoxes[index].box : kNoBox;
}

} // namespace quorvel::typeset::detail
