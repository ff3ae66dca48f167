// Powers (cub, ind) with their raised exponent, and labelled terms (tab) with labels above and below.
#include "Box.h"

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;

void heightPower(Walk& walk, ExprNode& n) {
    const long long base = walk.h(n.second.get());
    setHeights(n, base, base + half(clampExtent(walk.hs(n.first.get()))));
}

void widthPower(Walk& walk, ExprNode& n) {
    const long long base = walk.w(n.second.get());
    const long long raised = walk.ws(n.first.get());
    setWidths(n, base, base + raised + walk.b(n.second.get()));
}

void drawPower(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* base = n.second.get();
    ExprNode* raised = n.first.get();
    if (!base) {
        n.left = t.penX;
        n.axis = t.penAxis;
        walk.drawScript(raised);
        t.penAxis = n.axis;
        return;
    }
    if (!isCompound(base)) {
        walk.draw(base);
        n.left = base->left;
        n.axis = base->axis;
        // An italic base may reach past its advance at the top (f): the exponent starts after its ink.
        t.penX = base->left + n.headWidth + italicOverhang(t, canvas, base);
        t.penAxis = n.axis - base->headHeight / 3;
        walk.drawScript(raised);
        t.penAxis = n.axis;
    } else if (isTrigonometric(base->kind)) {
        // The name leaves room for the exponent, which goes between the name and the argument.
        walk.draw(base);
        n.left = base->left;
        n.axis = base->axis;
        t.penX = base->left + base->headWidth;
        t.penAxis = n.axis - base->headHeight / 3;
        walk.drawScript(raised);
        t.penAxis = n.axis;
        t.penX = base->left + measuredWidth(raised) + base->width;
    } else {
        t.openAutomaticBracket(base, canvas);
        walk.draw(base);
        t.closeAutomaticBracket(base, canvas);
        n.left = base->left;
        n.axis = base->axis;
        t.penAxis = n.axis - base->height / 3;
        walk.drawScript(raised);
        t.penAxis = n.axis;
        t.penX += 5;
    }
}
void heightLabelledTerm(Walk& walk, ExprNode& n) {
    const long long upper = half(clampExtent(walk.hs(n.first.get())));
    const long long lower = half(clampExtent(walk.hs(n.second.get())));
    const long long term = walk.h(n.third.get());
    setHeights(n, term, lower + term + upper);
}

void widthLabelledTerm(Walk& walk, ExprNode& n) {
    const long long labels = std::max(walk.ws(n.first.get()), walk.ws(n.second.get()));
    const long long term = walk.w(n.third.get());
    setWidths(n, term, labels + term);
}

void drawLabelledTerm(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    ExprNode* term = n.third.get();
    walk.draw(term);
    n.left = term ? term->left : t.penX;
    n.axis = term ? term->axis : t.penAxis;
    const int x1 = t.penX;
    int inkTop = 0;
    int inkBottom = 0;
    if (term) {
        const std::string symbol = symbolOf(*term);
        inkTop = canvas.inkRow(symbol, term->headWidth, term->headHeight, +1);
        inkBottom = canvas.inkRow(symbol, term->headWidth, term->headHeight, -1);
    }
    const int termHeight = measuredHeight(term);
    ExprNode* upper = n.first.get();
    ExprNode* lower = n.second.get();
    const int size = canvas.fontSize();
    // The upper label starts after an italic term's ink, as an exponent does.
    const int overhang = italicOverhang(t, canvas, term);
    const Color savedSlot = t.style.colors.variableColor;
    canvas.setFontSize(scriptSize(size));
    t.style.colors.variableColor = t.style.colors.labelColor;
    t.penAxis = n.axis - half(termHeight) + inkTop - half(measuredHeight(upper));
    t.penX = x1 + overhang;
    walk.draw(upper);
    const int upperEnd = t.penX;
    t.penX = x1;
    t.penAxis = n.axis + inkBottom - half(termHeight);
    walk.draw(lower);
    t.style.colors.variableColor = savedSlot;
    canvas.setFontSize(size);
    t.penAxis = n.axis;
    t.penX = std::max(t.penX, upperEnd);
}
} // namespace

const Box kPowerBox{heightPower, widthPower, drawPower};
const Box kLabelledTermBox{heightLabelledTerm, widthLabelledTerm, drawLabelledTerm};

} // namespace quorvel::typeset::detail
