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
std::vector<PointF> roundBracket(const Rect& box, int stroke) {
    const double w = box.right - box.left;
    const double middle = (box.top + box.bottom) / 2.0;
    const double halfHeight = (box.bottom - box.top) / 2.0;
    const double tip = box.left + 0.8 * w;
    const double belly = box.left + 0.15 * w;
    const double thickMiddle = std::max(1.6 * stroke, 0.12 * w);
    const double thickEnd = 0.6 * stroke;
    constexpr int kSteps = 32;
    std::vector<PointF> outer, inner;
    for (int i = 0; i <= kSteps; ++i) {
        const double u = -1.0 + 2.0 * i / kSteps;
        const double bulge = 1.0 - u * u;
        const double x = tip - (tip - belly) * bulge;
        const double y = middle + u * halfHeight;
        outer.push_back({x, y});
        inner.push_back({x + thickEnd + (thickMiddle - thickEnd) * bulge, y});
    }
    outer.insert(outer.end(), inner.rbegin(), inner.rend());
    return outer;
}

// Outline of a square bracket: a stem with a serif at each end, on whole pixels.
std::vector<PointF> squareBracket(const Rect& box, int stroke) {
    const int w = box.right - box.left;
    const double stem = box.left + static_cast<int>(0.3 * w);
    const double stemWidth = std::max(1, stroke + stroke / 2);
    const double end = box.left + static_cast<int>(std::lround(0.85 * w));
    const double top = box.top, bottom = box.bottom;
    return {{stem, top},
            {end, top},
            {end, top + stroke},
            {stem + stemWidth, top + stroke},
            {stem + stemWidth, bottom - stroke},
            {end, bottom - stroke},
            {end, bottom},
            {stem, bottom}};
}

// Outline of a curly brace: two arms with hooked ends that meet in a point at the middle, pointing left.
// The arms are at least one and a half strokes thick over most of their length, the hooked ends and
// the point at least one stroke.
std::vector<PointF> curlyBrace(const Rect& box, int stroke) {
    const double w = box.right - box.left;
    const double h = box.bottom - box.top;
    const double thickArm = std::max({1.5 * stroke, 0.2 * w, 1.5});
    const double thickEnd = std::max(1.0, static_cast<double>(stroke));
    // The centre line keeps half the thickest stroke inside the box on either side.
    const double inside = std::min(thickArm / 2, w / 4);
    const double stem = box.left + 0.5 * w;
    const double point = box.left + std::max(0.1 * w, inside);
    const double hook = box.right - std::max(0.1 * w, inside);
    constexpr int kSteps = 96; // over the whole height
    std::vector<PointF> left, right;
    for (int i = 0; i <= kSteps; ++i) {
        const double v = static_cast<double>(i) / kSteps;  // 0 at the top, 1 at the bottom
        const double u = v < 0.5 ? 2 * v : 2 * (1 - v);    // 0 at an end, 1 at the middle
        const double toEnd = std::max(0.0, 1.0 - u / 0.3); // near an end: the hook
        const double toPoint = std::max(0.0, 1.0 - (1.0 - u) / 0.3);
        const double x = stem + (hook - stem) * toEnd * toEnd - (stem - point) * toPoint * toPoint;
        // Full thickness along the arms, tapering to the ends' and the point's within their curves.
        const double arm = std::sqrt(std::max(0.0, std::sin(3.14159265358979 * u)));
        const double thick = thickEnd + (thickArm - thickEnd) * arm;
        const double y = box.top + v * h;
        left.push_back({x - thick / 2, y});
        right.push_back({x + thick / 2, y});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return left;
}

void drawAbsoluteValue(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    // The width reserved for the bars is shared evenly: half before the content, half after, each bar
    // in the middle of its half. The bars end flat, inset from the top and bottom, so that a fraction
    // bar or an overbar next to them keeps a white row.
    const int before = half(n.headWidth);
    const int after = n.headWidth - before;
    const int content = std::max(0, n.width - n.headWidth);
    const int s = strokeWidth(canvas);
    const int inset = s / 2 + 1;
    const double top = std::max(n.axis - half(n.headHeight) + inset, t.overbarFloor);
    const double bottom = n.axis + half(n.headHeight) - inset;
    auto bar = [&](double middle) {
        const double left = std::round(middle - s / 2.0);
        canvas.setPenColor(t.style.colors.operatorColor);
        if (bottom > top)
            canvas.fillShape({{left, top}, {left + s, top}, {left + s, bottom}, {left, bottom}});
        canvas.setPenColor(t.style.colors.variableColor);
    };
    bar(n.left + before / 2.0);
    t.penX = n.left + before;
    walk.draw(n.first.get());
    bar(n.left + before + content + after / 2.0);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

std::vector<PointF> bracketOutline(std::string_view glyph, const Rect& box, int stroke) {
    const bool closing = glyph == ")" || glyph == "]" || glyph == "}";
    std::vector<PointF> shape;
    if (glyph == "(" || glyph == ")")
        shape = roundBracket(box, stroke);
    else if (glyph == "[" || glyph == "]")
        shape = squareBracket(box, stroke);
    else if (glyph == "{" || glyph == "}")
        shape = curlyBrace(box, stroke);
    if (closing)
        for (PointF& p : shape)
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
    const std::vector<PointF> shape = detail::bracketOutline(glyph, box, detail::strokeWidth(canvas));
    if (!shape.empty()) {
        canvas.setPenColor(style.colors.bracketColor);
        canvas.fillShape(shape);
        canvas.setPenColor(style.colors.variableColor);
    }
    penX += advance;
}

} // namespace quorvel::typeset
