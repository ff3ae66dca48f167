// Typed brackets ( ), [ ], { } around their content, and absolute values between bars.
#include "Box.h"

#include <cmath>
#include <vector>

namespace quorvel::typeset {

namespace detail {

namespace {

using expr::ExprNode;
using expr::Keyword;

void heightLiteralBracket(Walk& walk, ExprNode& n) {
    const long long total = std::max<long long>(walk.h(n.first.get()), th(walk.canvas, n.text));
    setHeights(n, total, total);
}

void widthLiteralBracket(Walk& walk, ExprNode& n) {
    // Under a fraction the bar already groups the content, and drawing leaves such brackets out.
    const bool underFraction = ownerIs(&n, Keyword::Div);
    const long long head = underFraction ? 0 : tw(walk.canvas, "()");
    setWidths(n, head, walk.w(n.first.get()) + head);
}

void drawLiteralBracket(Walk& walk, ExprNode& n) {
    walk.ts.openBracket(&n, walk.canvas);
    walk.draw(n.first.get());
    walk.ts.closeBracket(&n, walk.canvas);
}

void heightAbsoluteValue(Walk& walk, ExprNode& n) {
    const long long total = walk.h(n.first.get());
    setHeights(n, total, total);
}

void widthAbsoluteValue(Walk& walk, ExprNode& n) {
    const long long head = tw(walk.canvas, "()");
    setWidths(n, head, walk.w(n.first.get()) + head);
}

// Outline of a round bracket: two arcs that meet thin at the ends and are thickest at the middle.
std::vector<Point> roundBracket(const Rect& box, int stroke) {
    const double w = box.right - box.left;
    const double middle = (box.top + box.bottom) / 2.0;
    const double halfHeight = (box.bottom - box.top) / 2.0;
    const double tip = box.left + 0.8 * w;
    const double belly = box.left + 0.15 * w;
    const double thickMiddle = std::max(1.6 * stroke, 0.12 * w);
    const double thickEnd = 0.6 * stroke;
    constexpr int kSteps = 32;
    std::vector<Point> outer, inner;
    for (int i = 0; i <= kSteps; ++i) {
        const double u = -1.0 + 2.0 * i / kSteps;
        const double bulge = 1.0 - u * u;
        const double x = tip - (tip - belly) * bulge;
        const int y = static_cast<int>(std::lround(middle + u * halfHeight));
        outer.push_back({static_cast<int>(std::lround(x)), y});
        inner.push_back({static_cast<int>(std::lround(x + thickEnd + (thickMiddle - thickEnd) * bulge)), y});
    }
    outer.insert(outer.end(), inner.rbegin(), inner.rend());
    return outer;
}

// Outline of a square bracket: a stem with a serif at each end.
std::vector<Point> squareBracket(const Rect& box, int stroke) {
    const int w = box.right - box.left;
    const int stem = box.left + static_cast<int>(0.3 * w);
    const int stemWidth = std::max(1, stroke + stroke / 2);
    const int end = box.left + static_cast<int>(std::lround(0.85 * w));
    return {{stem, box.top},
            {end, box.top},
            {end, box.top + stroke},
            {stem + stemWidth, box.top + stroke},
            {stem + stemWidth, box.bottom - stroke},
            {end, box.bottom - stroke},
            {end, box.bottom},
            {stem, box.bottom}};
}

// Outline of a curly brace: two arms with hooked ends that meet in a point at the middle, pointing left.
std::vector<Point> curlyBrace(const Rect& box, int stroke) {
    const double w = box.right - box.left;
    const double h = box.bottom - box.top;
    const double stem = box.left + 0.5 * w;
    const double point = box.left + 0.1 * w;
    const double hook = box.left + 0.9 * w;
    const double thickMiddle = std::max(1.6 * stroke, 0.15 * w);
    const double thickEnd = 0.6 * stroke;
    constexpr int kSteps = 48; // over the whole height
    std::vector<Point> left, right;
    for (int i = 0; i <= kSteps; ++i) {
        const double v = static_cast<double>(i) / kSteps;  // 0 at the top, 1 at the bottom
        const double u = v < 0.5 ? 2 * v : 2 * (1 - v);    // 0 at an end, 1 at the middle
        const double toEnd = std::max(0.0, 1.0 - u / 0.3); // near an end: the hook
        const double toPoint = std::max(0.0, 1.0 - (1.0 - u) / 0.3);
        const double x = stem + (hook - stem) * toEnd * toEnd - (stem - point) * toPoint * toPoint;
        const double thick = thickEnd + (thickMiddle - thickEnd) * std::sin(3.14159265358979 * u);
        const int y = static_cast<int>(std::lround(box.top + v * h));
        left.push_back({static_cast<int>(std::lround(x - thick / 2)), y});
        right.push_back({static_cast<int>(std::lround(x + thick / 2)), y});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return left;
}

void drawAbsoluteValue(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    auto bar = [&](int x) {
        const StrokePen pen(canvas);
        canvas.setPenColor(t.style.colors.operatorColor);
        canvas.line(x, n.axis - half(n.headHeight), x, n.axis + half(n.headHeight));
        canvas.setPenColor(t.style.colors.variableColor);
    };
    bar(n.left);
    t.penX += 5;
    walk.draw(n.first.get());
    t.penX += 5;
    bar(t.penX);
    t.penX += 5;
}
} // namespace

std::vector<Point> bracketOutline(std::string_view glyph, const Rect& box, int stroke) {
    const bool closing = glyph == ")" || glyph == "]" || glyph == "}";
    std::vector<Point> shape;
    if (glyph == "(" || glyph == ")")
        shape = roundBracket(box, stroke);
    else if (glyph == "[" || glyph == "]")
        shape = squareBracket(box, stroke);
    else if (glyph == "{" || glyph == "}")
        shape = curlyBrace(box, stroke);
    if (closing)
        for (Point& p : shape)
            p.x = box.left + box.right - p.x;
    return shape;
}

const Box kLiteralBracketBox{heightLiteralBracket, widthLiteralBracket, drawLiteralBracket};
const Box kAbsoluteValueBox{heightAbsoluteValue, widthAbsoluteValue, drawAbsoluteValue};

} // namespace detail

void Typesetter::drawBracketGlyph(Canvas& canvas, std::string_view glyph, int contentHeight) {
    if (glyph.empty()) return;
    // Content no taller than the glyph (a one-line formula) keeps the font's bracket; taller content
    // gets a bracket drawn to its height in the glyph's advance, so no position changes.
    if (contentHeight <= detail::th(canvas, glyph)) {
        drawSign(canvas, glyph, style.colors.bracketColor);
        return;
    }
    const int advance = detail::tw(canvas, glyph);
    const int top = penAxis - half(contentHeight);
    const Rect box{penX, top, penX + advance, top + contentHeight};
    const std::vector<Point> shape = detail::bracketOutline(glyph, box, detail::strokeWidth(canvas));
    if (!shape.empty()) {
        canvas.setPenColor(style.colors.bracketColor);
        canvas.fillPolygon(shape);
        canvas.setPenColor(style.colors.variableColor);
    }
    penX += advance;
}

} // namespace quorvel::typeset
