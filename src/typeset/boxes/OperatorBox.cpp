// Operators with a sign of their own: infix operations and relations, prefix signs, the factorial and
// arrangements and combinations (P and C with their indices).
#include "Box.h"

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;
using expr::Keyword;

void heightInfix(Walk& walk, ExprNode& n) {
    setHeights(n, th(walk.canvas, signOf(n)), std::max(walk.h(n.first.get()), walk.h(n.second.get())));
}

void widthInfix(Walk& walk, ExprNode& n) {
    const long long sign = tw(walk.canvas, signOf(n));
    setWidths(n, sign, walk.w(n.first.get()) + walk.w(n.second.get()) + sign + 5);
}

void drawInfix(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    walk.draw(n.first.get());
    t.penX += 2;
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.symbol(signOf(n), t.style.colors.operatorColor);
    t.penX += 2;
    walk.draw(n.second.get());
}

void heightPrefixSign(Walk& walk, ExprNode& n) {
    setHeights(n, th(walk.canvas, signOf(n)), walk.h(n.first.get()));
}

void widthPrefixSign(Walk& walk, ExprNode& n) {
    const long long sign = tw(walk.canvas, signOf(n));
    setWidths(n, sign, walk.w(n.first.get()) + sign + 2);
}

void drawPrefixSign(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    walk.symbol(signOf(n), t.style.colors.operatorColor);
    t.penX += 2;
    walk.draw(n.first.get());
}

void heightFactorial(Walk& walk, ExprNode& n) {
    setHeights(n, th(walk.canvas, "!"), walk.h(n.first.get()));
}

void widthFactorial(Walk& walk, ExprNode& n) {
    const long long inner = walk.w(n.first.get());
    setWidths(n, tw(walk.canvas, n.text), tw(walk.canvas, "!") + inner + walk.b(n.first.get()));
}

void drawFactorial(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    if (isCompound(n.first.get()) && n.first->kind != Keyword::Paren)
        walk.drawBracketed(n.first.get());
    else
        walk.draw(n.first.get());
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.sign("!", t.style.colors.operatorColor);
}

void heightArrangement(Walk& walk, ExprNode& n) {
    const long long upper = half(clampExtent(walk.hs(n.first.get())));
    const long long lower = half(clampExtent(walk.hs(n.second.get())));
    const long long sign = th(walk.canvas, signOf(n));
    setHeights(n, sign, upper + sign + lower);
}

void widthArrangement(Walk& walk, ExprNode& n) {
    const long long sign = tw(walk.canvas, signOf(n));
    setWidths(n, sign, std::max(walk.ws(n.first.get()), walk.ws(n.second.get())) + sign);
}

void drawArrangement(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.symbol(signOf(n), t.style.colors.operatorColor);
    const int x1 = t.penX;
    // Indices sit against the visible ink of the sign as drawn, at the formula's size.
    const int inkTop = t.inkRow(&n, +1, canvas);
    const int inkBottom = t.inkRow(&n, -1, canvas);
    ExprNode* upper = n.first.get();
    ExprNode* lower = n.second.get();
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    t.penAxis = n.axis - half(n.headHeight) + inkTop - half(measuredHeight(upper));
    walk.draw(upper);
    const int upperEnd = t.penX;
    t.penX = x1;
    t.penAxis = n.axis + inkBottom - half(n.headHeight);
    walk.draw(lower);
    canvas.setFontSize(size);
    t.penAxis = n.axis;
    t.penX = std::max(t.penX, upperEnd);
}
} // namespace

const Box kInfixBox{heightInfix, widthInfix, drawInfix};
const Box kPrefixSignBox{heightPrefixSign, widthPrefixSign, drawPrefixSign};
const Box kFactorialBox{heightFactorial, widthFactorial, drawFactorial};
const Box kArrangementBox{heightArrangement, widthArrangement, drawArrangement};

} // namespace quorvel::typeset::detail
