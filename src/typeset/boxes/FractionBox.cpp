// Fractions and derivatives (dy/dx): two parts over and under a bar.
#include "Box.h"

#include <utility>

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;
using expr::Keyword;

bool isLiteralBracket(const ExprNode* node) {
    return node && node->first &&
           (node->kind == Keyword::Paren || node->kind == Keyword::Bracket || node->kind == Keyword::Brace);
}

void heightFraction(Walk& walk, ExprNode& n) {
    setHeights(n, 1, walk.h(n.first.get()) + walk.h(n.second.get()) + 6);
}

void widthFraction(Walk& walk, ExprNode& n) {
    const long long widest = std::max(walk.w(n.first.get()), walk.w(n.second.get()));
    // The allowances count in bracketCount here too, but a fraction adds none.
    walk.b(n.first.get());
    walk.b(n.second.get());
    setWidths(n, widest + 10, widest + 10);
}

void drawFraction(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    const int savedAxis = t.penAxis;
    ExprNode* numerator = n.first.get();
    ExprNode* denominator = n.second.get();
    t.penAxis += half(measuredHeight(numerator) - measuredHeight(denominator));
    n.left = t.penX;
    n.axis = t.penAxis;
    // The bar groups each part, so a literal bracket around a part is not drawn: its content stands in
    // its place.
    auto part = [&](ExprNode* child) {
        if (isLiteralBracket(child)) {
            child->left = t.penX;
            child->axis = t.penAxis;
            walk.draw(child->first.get());
        } else {
            walk.draw(child);
        }
    };
    t.penX = n.left + half(n.headWidth - measuredWidth(numerator));
    t.penAxis = n.axis - half(measuredHeight(numerator)) - 2;
    part(numerator);
    t.penX = n.left + half(n.headWidth - measuredWidth(denominator));
    t.penAxis = n.axis + half(measuredHeight(denominator)) + 2;
    part(denominator);
    t.drawFractionBar(n, canvas);
    t.penX = n.left + n.headWidth + 2;
    t.penAxis = savedAxis;
}
void widthDerivative(Walk& walk, ExprNode& n) {
    ExprNode* function = n.first.get();
    ExprNode* variable = n.second.get();
    const long long widest = std::max(walk.w(function), walk.w(variable));
    const long long b1 = walk.b(function);
    const long long b2 = walk.b(variable);
    for (auto [child, extra] : {std::pair{function, b1}, std::pair{variable, b2}}) {
        if (child && extra) setWidths(*child, child->headWidth + extra, child->width + extra);
    }
    const long long total = widest + tw(walk.canvas, signOf(n)) + std::max(b1, b2) + 10;
    setWidths(n, total, total);
}

void drawDerivative(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* function = n.first.get();
    ExprNode* variable = n.second.get();
    const bool hasVariable = variable && !variable->text.empty();
    if (hasVariable) t.penAxis += half(measuredHeight(function) - measuredHeight(variable));
    n.left = t.penX;
    n.axis = t.penAxis;
    const std::string sign = signOf(n);
    auto operand = [&](ExprNode* child) {
        walk.symbol(sign, t.style.colors.operatorColor);
        if (isCompound(child))
            walk.drawBracketed(child);
        else
            walk.draw(child);
    };
    if (hasVariable) {
        t.drawFractionBar(n, canvas);
        // Each part (the sign and its operand) centred over the bar, and as far from it as a fraction's
        // parts, or further under a thick bar, so that a descender (dy) keeps a white row above it.
        const int signWidth = tw(canvas, sign);
        const int clear = std::max(2, strokeWidth(canvas) / 2 + 2);
        t.penX = n.left + half(n.width - signWidth - measuredWidth(function));
        t.penAxis = n.axis - half(measuredHeight(function)) - clear;
        operand(function);
        t.penX = n.left + half(n.width - signWidth - measuredWidth(variable));
        t.penAxis = n.axis + half(measuredHeight(variable)) + clear;
        operand(variable);
    } else {
        operand(function);
    }
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

const Box kFractionBox{heightFraction, widthFraction, drawFraction};
// A derivative stacks like a fraction.
const Box kDerivativeBox{heightFraction, widthDerivative, drawDerivative};

} // namespace detail

using expr::ExprNode;

void Typesetter::drawFractionBar(const ExprNode& n, Canvas& canvas) {
    const detail::StrokePen pen(canvas);
    canvas.setPenColor(style.colors.operatorColor);
    canvas.line(n.left, n.axis, n.left + n.width, n.axis);
    canvas.setPenColor(style.colors.variableColor);
}

} // namespace quorvel::typeset
