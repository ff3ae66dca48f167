// Piecewise definitions and systems (lak) with their brace, and conditional items (con): a value
// followed by its conditions.
#include "Box.h"

namespace quorvel::typeset::detail {

namespace {

using expr::ExprNode;

// The piecewise brace is drawn in the Song face, whatever the formula's face.
constexpr const char* kBraceFace = "宋体";

void heightPiecewise(Walk& walk, ExprNode& n) {
    long long total = 0;
    const int items = forItems(n.second.get(), readCount(n.first.get(), kMaxListItems),
                               [&](ExprNode& item) { total += walk.h(&item); });
    if (items > 0) total += 5LL * (items - 1);
    setHeights(n, total, total);
}

void widthPiecewise(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    long long widest = 0;
    forItems(n.second.get(), readCount(n.first.get(), kMaxListItems),
             [&](ExprNode& item) { widest = std::max(widest, walk.w(&item)); });
    const int size = canvas.fontSize();
    canvas.setFontPixelHeight(n.height);
    const long long brace = tw(canvas, "{");
    canvas.setFontSize(size);
    setWidths(n, widest + brace + 5, widest + brace + 5);
}

void drawPiecewise(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    t.penX -= 5;
    n.left = t.penX;
    n.axis = t.penAxis;
    {
        // The brace's advance is the Song face's at the brace's height, whether the font's glyph is drawn
        // (a single line) or a brace drawn to the height of the items, narrower and with a small gap.
        const std::string face = canvas.fontName();
        const int size = canvas.fontSize();
        const int em = canvas.fontPixelHeight();
        const int stroke = strokeWidth(canvas);
        const bool oneLine = n.height <= th(canvas, "{");
        canvas.setFontName(kBraceFace);
        canvas.setFontPixelHeight(n.height);
        if (oneLine) {
            walk.sign("{", t.style.colors.bracketColor);
        } else {
            const int advance = tw(canvas, "{");
            const int gap = em / 10;
            const int width = std::clamp(em / 2 + n.height / 25, 1, std::max(1, advance - gap));
            const int right = t.penX + advance - gap;
            const int top = t.penAxis - half(n.height);
            canvas.setPenColor(t.style.colors.bracketColor);
            canvas.fillShape(bracketOutline("{", {right - width, top, right, top + n.height}, stroke));
            canvas.setPenColor(t.style.colors.variableColor);
            t.penX += advance;
        }
        canvas.setFontName(face);
        canvas.setFontSize(size);
    }
    const int top = canvas.inkRow("{", n.headWidth, n.headHeight, +1);
    const int count = readCount(n.first.get(), kMaxListItems);
    ExprNode* item = n.second.get();
    if (item) t.penAxis = n.axis + top + half(item->height) - half(n.headHeight);
    const int x0 = t.penX;
    for (int k = 0; item && k < count; ++k, item = item->next.get()) {
        walk.draw(item);
        t.penX = x0;
        if (item->next && k + 1 < count) t.penAxis += half(item->height + item->next->height);
    }
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
void heightConditional(Walk& walk, ExprNode& n) {
    long long tallest = walk.h(n.second.get());
    forItems(n.third.get(), readCount(n.first.get(), kMaxListItems),
             [&](ExprNode& item) { tallest = std::max(tallest, walk.h(&item)); });
    setHeights(n, tallest, tallest);
}

void widthConditional(Walk& walk, ExprNode& n) {
    long long total = walk.w(n.second.get());
    const int conditions = forItems(n.third.get(), readCount(n.first.get(), kMaxListItems),
                                    [&](ExprNode& item) { total += walk.w(&item); });
    total += 5LL * conditions;
    setWidths(n, total, total);
}

void drawConditional(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    walk.draw(n.second.get());
    const int count = readCount(n.first.get(), kMaxListItems);
    int conditions = 0;
    for (ExprNode* item = n.third.get(); item && conditions < count; item = item->next.get())
        ++conditions;
    // Everything inside the conditions, operators and labels too, takes the condition colour.
    const TokenColors saved = t.style.colors;
    const Color condition = t.style.colors.conditionColor;
    t.style.colors = TokenColors{condition, condition, condition, condition, condition, condition};
    // The width the layout gives the conditions' gaps goes after each comma: "x+1, x>0, x<3".
    ExprNode* item = n.third.get();
    for (int k = 0; k < conditions; ++k, item = item->next.get()) {
        walk.text(",");
        t.penX += 5;
        walk.draw(item);
    }
    t.style.colors = saved;
}
} // namespace

const Box kPiecewiseBox{heightPiecewise, widthPiecewise, drawPiecewise};
const Box kConditionalBox{heightConditional, widthConditional, drawConditional};

} // namespace quorvel::typeset::detail
