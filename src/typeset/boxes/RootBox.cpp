// Square roots and n-th roots under a radical sign, and vectors under an arrow.
#include "Box.h"

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;

void heightUnderStroke(Walk& walk, ExprNode& n) {
    const long long head = walk.h(n.first.get()) + 5;
    setHeights(n, head, head);
}

void widthVector(Walk& walk, ExprNode& n) {
    const long long inner = walk.w(n.first.get());
    setWidths(n, inner, inner);
}

void drawVector(Walk& walk, ExprNode& n) {
    walk.draw(n.first.get());
    walk.ts.drawVectorArrow(n, walk.canvas);
    walk.ts.penX = n.left + n.width;
    walk.ts.penAxis = n.axis;
}

void widthSquareRoot(Walk& walk, ExprNode& n) {
    const long long head = static_cast<int>(0.4 * n.headHeight);
    setWidths(n, head, walk.w(n.first.get()) + head);
}

void drawSquareRoot(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    t.penX = static_cast<int>(n.left + 0.4 * n.headHeight);
    t.penAxis = n.axis + 2;
    walk.draw(n.first.get());
    t.drawRadical(n, walk.canvas);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}

void heightNthRoot(Walk& walk, ExprNode& n) {
    const long long head = walk.h(n.second.get()) + 5;
    setHeights(n, head, head + walk.hs(n.first.get()));
}

void widthNthRoot(Walk& walk, ExprNode& n) {
    const long long radicand = walk.w(n.second.get());
    const long long head = std::max<long long>(static_cast<int>(0.4 * n.headHeight), walk.ws(n.first.get()));
    setWidths(n, head, radicand + head);
}

void drawNthRoot(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* degree = n.first.get();
    const double u = 0.4 * n.headHeight;
    const double excess = measuredWidth(degree) - u;
    const double e = excess > 0 ? excess : 0;
    n.left = static_cast<int>(t.penX + e);
    n.axis = t.penAxis + 2;
    t.penX = static_cast<int>(n.left + u);
    t.penAxis = n.axis;
    walk.draw(n.second.get());
    t.drawRadical(n, canvas);
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    t.penX = static_cast<int>(n.left + u - measuredWidth(degree)) - 2;
    t.penAxis = n.axis - half(n.headHeight);
    walk.draw(degree);
    canvas.setFontSize(size);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

const Box kVectorBox{heightUnderStroke, widthVector, drawVector};
const Box kSquareRootBox{heightUnderStroke, widthSquareRoot, drawSquareRoot};
const Box kNthRootBox{heightNthRoot, widthNthRoot, drawNthRoot};

} // namespace detail

using expr::ExprNode;

void Typesetter::drawRadical(const ExprNode& n, Canvas& canvas) {
    const int h = n.headHeight;
    const int top = n.axis - half(h);
    const int bottom = n.axis + half(h);
    const int tick = top + static_cast<int>(0.75 * h);
    const int stem = n.left + static_cast<int>(0.4 * h);
    const detail::StrokePen pen(canvas);
    const int s = pen.width();
    // A wider overline grows upward, away from the radicand; its overhang grows with it.
    const int bar = top + 2 - (s - 1) / 2;
    canvas.setPenColor(style.colors.operatorColor);
    canvas.polyline({{n.left, tick},
                     {n.left + static_cast<int>(0.125 * h), tick},
                     {n.left + static_cast<int>(0.2 * h), bottom},
                     {stem, bar},
                     {stem + n.width - n.headWidth + 2 * s, bar}});
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawVectorArrow(const ExprNode& n, Canvas& canvas) {
    const int y = n.axis - half(n.height) + 2;
    const int right = n.left + n.width;
    const detail::StrokePen pen(canvas);
    const int s = pen.width();
    canvas.setPenColor(style.colors.operatorColor);
    canvas.polyline({{n.left, y}, {right, y}, {right - 10 * s, y - 4 * s}});
    canvas.setPenColor(style.colors.variableColor);
}

} // namespace quorvel::typeset
