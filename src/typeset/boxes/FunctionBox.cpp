// Functions: generic calls f(x, y, z), named functions (sin x, ln x), logarithms to a base and the
// exponential e^x.
#include "Box.h"

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;
using expr::Keyword;

// "f()", "f(,)" or "f(,,)" for a generic call with one, two or three arguments.
std::string callTemplate(const ExprNode& node) {
    std::string t = node.text + "(";
    if (node.second) t += ",";
    if (node.third) t += ",";
    return t + ")";
}

void heightGenericCall(Walk& walk, ExprNode& n) {
    long long tallest = th(walk.canvas, callTemplate(n));
    for (ExprNode* arg : {n.first.get(), n.second.get(), n.third.get()})
        tallest = std::max(tallest, walk.h(arg));
    setHeights(n, tallest, tallest);
}

void widthGenericCall(Walk& walk, ExprNode& n) {
    long long total = tw(walk.canvas, callTemplate(n));
    for (ExprNode* arg : {n.first.get(), n.second.get(), n.third.get()})
        total += walk.w(arg);
    setWidths(n, total, total);
}

void drawGenericCall(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.sign(n.text, t.style.colors.functionColor);
    t.openBracket(&n, canvas);
    const int savedAxis = t.penAxis;
    walk.draw(n.first.get());
    if (n.second || n.third) {
        walk.text(",");
        walk.draw(n.second.get());
    }
    if (n.third) {
        walk.text(",");
        walk.draw(n.third.get());
    }
    t.penAxis = savedAxis;
    t.closeBracket(&n, canvas);
}
void heightNamedFunction(Walk& walk, ExprNode& n) {
    setHeights(n, th(walk.canvas, n.text), walk.h(n.first.get()));
}

void widthNamedFunction(Walk& walk, ExprNode& n) {
    const long long name = tw(walk.canvas, n.text);
    ExprNode* argument = n.first.get();
    const long long inner = walk.w(argument);
    setWidths(n, name, name + inner + (isCompound(argument) ? walk.b(argument) : 5));
}

void drawNamedFunction(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.sign(n.text, t.style.colors.functionColor);
    // As the base of a power, leave room for the exponent that the power draws right after the name.
    const ExprNode* parent = n.parent;
    if (parent && (parent->kind == Keyword::Cub || parent->kind == Keyword::Ind) &&
        parent->second.get() == &n)
        t.penX += measuredWidth(parent->first.get());
    ExprNode* argument = n.first.get();
    if (isCompound(argument)) {
        walk.drawBracketed(argument);
    } else {
        t.penX += 5;
        walk.draw(argument);
    }
}
void heightLogarithm(Walk& walk, ExprNode& n) {
    setHeights(n, th(walk.canvas, n.text),
               walk.h(n.second.get()) + half(clampExtent(walk.hs(n.first.get()))));
}

void widthLogarithm(Walk& walk, ExprNode& n) {
    const long long name = tw(walk.canvas, n.text);
    const long long argument = walk.w(n.second.get());
    const long long base = walk.ws(n.first.get());
    setWidths(n, name, name + argument + base + walk.b(n.second.get()));
}

void drawLogarithm(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    walk.sign(n.text, t.style.colors.operatorColor);
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    t.penX = n.left + n.headWidth;
    t.penAxis = n.axis + half(n.headHeight);
    walk.draw(n.first.get());
    canvas.setFontSize(size);
    t.penX = n.left + n.headWidth + measuredWidth(n.first.get());
    t.penAxis = n.axis;
    ExprNode* argument = n.second.get();
    if (isCompound(argument) && argument->kind != Keyword::Div)
        walk.drawBracketed(argument);
    else
        walk.draw(argument);
}
void heightExponential(Walk& walk, ExprNode& n) {
    const long long e = th(walk.canvas, "e");
    setHeights(n, e, e + half(clampExtent(walk.hs(n.first.get()))));
}

void widthExponential(Walk& walk, ExprNode& n) {
    const long long e = tw(walk.canvas, "e");
    setWidths(n, e, e + walk.ws(n.first.get()));
}

void drawExponential(Walk& walk, ExprNode& n) {
    Typesetter& t = walk.ts;
    walk.sign("e", t.style.colors.operatorColor);
    t.penX = n.left + n.headWidth;
    t.penAxis = n.axis - n.headHeight / 3;
    walk.drawScript(n.first.get());
    t.penAxis = n.axis;
}

} // namespace

const Box kGenericCallBox{heightGenericCall, widthGenericCall, drawGenericCall};
const Box kNamedFunctionBox{heightNamedFunction, widthNamedFunction, drawNamedFunction};
const Box kLogarithmBox{heightLogarithm, widthLogarithm, drawLogarithm};
const Box kExponentialBox{heightExponential, widthExponential, drawExponential};

} // namespace quorvel::typeset::detail
