// Operators that take a body: limits, integrals with their bounds, sums and products with their
// bounds above and below the sign.
#include "Box.h"

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;
using expr::Keyword;

void heightLimit(Walk& walk, ExprNode& n) {
    const long long head = th(walk.canvas, n.text);
    const long long l = head + std::max(walk.hs(n.first.get()), walk.hs(n.second.get()));
    const long long body = walk.h(n.third.get());
    setHeights(n, head, body >= l + 1 ? body : l + 1);
}

void widthLimit(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const long long name = tw(canvas, n.text);
    long long r = atScriptSize(canvas, [&] { return tw(canvas, "→"); });
    r += walk.ws(n.first.get()) + walk.ws(n.second.get());
    ExprNode* body = n.third.get();
    const long long bodyWidth = walk.w(body);
    const long long extra = isCompound(body) ? walk.b(body) : (body ? 2 : 0);
    setWidths(n, name, std::max(name, r) + bodyWidth + extra);
}

void drawLimit(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* variable = n.first.get();
    ExprNode* target = n.second.get();
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int r = tw(canvas, "→") + measuredWidth(variable) + measuredWidth(target);
    canvas.setFontSize(size);
    n.left = n.headWidth < r ? t.penX + half(r - n.headWidth) : t.penX;
    n.axis = t.penAxis;
    const int bottom = t.inkRow(&n, -1, canvas);
    t.penAxis = n.axis + bottom + half(std::max(measuredHeight(variable), measuredHeight(target))) -
                half(n.headHeight);
    t.penX = n.left + half(n.headWidth - r);
    canvas.setFontSize(scriptSize(size));
    walk.draw(variable);
    walk.text("→");
    walk.draw(target);
    const int end = std::max(t.penX, n.left + n.headWidth);
    canvas.setFontSize(size);
    t.penX = n.left;
    t.penAxis = n.axis;
    walk.sign(n.text, t.style.colors.operatorColor);
    t.penX = end + 2;
    t.penAxis = n.axis;
    ExprNode* function = n.third.get();
    if (isCompound(function) && function->kind != Keyword::F)
        walk.drawBracketed(function);
    else
        walk.draw(function);
}
void heightIntegral(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const int size = canvas.fontSize();
    canvas.setFontPixelHeight(canvas.fontPixelHeight() * 2);
    const long long head = th(canvas, "∫");
    canvas.setFontSize(size);
    // The bounds are measured at script size for drawing but do not count in the height.
    walk.hs(n.first.get());
    walk.hs(n.first->next.get());
    setHeights(n, head, std::max({head, walk.h(n.second.get()), walk.h(n.third.get())}));
}

void widthIntegral(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const long long sign = tw(canvas, "∫");
    const long long bounds = std::max(walk.ws(n.first.get()), walk.ws(n.first->next.get()));
    const long long head = 2 * sign + bounds;
    ExprNode* integrand = n.second.get();
    const long long inner = walk.w(integrand);
    const long long variable = walk.w(n.third.get());
    const long long extra = isCompound(integrand) ? walk.b(integrand) : (integrand ? 2 : 0);
    setWidths(n, head, tw(canvas, "d") + inner + variable + head + extra);
}

void drawIntegral(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    const int size = canvas.fontSize();
    canvas.setFontPixelHeight(canvas.fontPixelHeight() * 2);
    walk.sign("∫", t.style.colors.operatorColor);
    canvas.setFontSize(size);

    ExprNode* upper = n.first.get();
    ExprNode* lower = upper ? upper->next.get() : nullptr;
    canvas.setFontSize(scriptSize(size));
    t.penAxis = n.axis + half(measuredHeight(upper)) - half(n.headHeight);
    const int x1 = t.penX;
    walk.draw(upper);
    t.penAxis = n.axis + half(n.headHeight) - half(measuredHeight(lower));
    t.penX = x1;
    walk.draw(lower);
    canvas.setFontSize(size);

    t.penX = n.left + n.headWidth;
    t.penAxis = n.axis;
    ExprNode* integrand = n.second.get();
    if (isCompound(integrand)) {
        walk.drawBracketed(integrand);
    } else if (integrand) {
        t.penX += 2;
        walk.draw(integrand);
    }
    walk.sign("d", t.style.colors.operatorColor);
    walk.draw(n.third.get());
}
void heightBigOperator(Walk& walk, ExprNode& n) {
    const long long sign = th(walk.canvas, signOf(n));
    const long long l = walk.hs(n.first.get()) + walk.hs(n.second.get()) + sign;
    const long long body = walk.h(n.third.get());
    setHeights(n, sign, body >= l + 2 ? body : l);
}

void widthBigOperator(Walk& walk, ExprNode& n) {
    const long long sign = tw(walk.canvas, signOf(n));
    const long long column = std::max({sign, walk.ws(n.first.get()), walk.ws(n.second.get())});
    const long long body = walk.w(n.third.get());
    setWidths(n, sign, column + body + walk.b(n.third.get()));
}

void drawBigOperator(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* lower = n.first.get();
    ExprNode* upper = n.second.get();
    ExprNode* body = n.third.get();
    const int column = n.width - measuredWidth(body);
    n.left = n.headWidth < column ? t.penX + half(column - n.headWidth) : t.penX;
    n.axis = t.penAxis;

    t.penX = n.left + half(n.headWidth - measuredWidth(lower));
    const int inkBottom = t.inkRow(&n, -1, canvas);
    t.penAxis = n.axis + inkBottom + half(measuredHeight(lower)) - half(n.headHeight);
    walk.drawScript(lower);
    const int lowerEnd = t.penX;

    const int inkTop = t.inkRow(&n, +1, canvas);
    t.penAxis = n.axis - half(n.headHeight) + inkTop - half(measuredHeight(upper));
    t.penX = n.left + half(n.headWidth - measuredWidth(upper));
    walk.drawScript(upper);
    const int upperEnd = t.penX;

    t.penX = n.left;
    t.penAxis = n.axis;
    walk.sign(signOf(n), t.style.colors.operatorColor);
    t.penX = std::max({lowerEnd, upperEnd, n.left + n.headWidth});
    t.penAxis = n.axis;
    if (isCompound(body))
        walk.drawBracketed(body);
    else
        walk.draw(body);
}
} // namespace

const Box kLimitBox{heightLimit, widthLimit, drawLimit};
const Box kIntegralBox{heightIntegral, widthIntegral, drawIntegral};
const Box kBigOperatorBox{heightBigOperator, widthBigOperator, drawBigOperator};

} // namespace quorvel::typeset::detail
