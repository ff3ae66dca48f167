// Leaves: plain names and numbers, and labelled names (x_1) with their superscript and subscript labels.
#include "Box.h"

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;

void heightPlainLeaf(Walk& walk, ExprNode& n) {
    const int t = th(walk.canvas, n.text);
    setHeights(n, t, t);
}

void widthPlainLeaf(Walk& walk, ExprNode& n) {
    const int t = tw(walk.canvas, n.text);
    setWidths(n, t, t);
}

void drawPlainLeaf(Walk& walk, ExprNode& n) {
    walk.text(n.text);
}

void heightLabelledName(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const LabelledName parts = splitLabelledName(n.text);
    const int base = th(canvas, parts.base);
    const int labels = atScriptSize(
        canvas, [&] { return half(th(canvas, parts.superscript)) + half(th(canvas, parts.subscript)); });
    setHeights(n, base, static_cast<long long>(base) + labels);
}

void widthLabelledName(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const LabelledName parts = splitLabelledName(n.text);
    const int base = tw(canvas, parts.base);
    const int labels = atScriptSize(
        canvas, [&] { return std::max(tw(canvas, parts.superscript), tw(canvas, parts.subscript)); });
    setWidths(n, base, static_cast<long long>(base) + labels);
}

void drawLabelledName(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    const LabelledName parts = splitLabelledName(n.text);
    walk.text(parts.base);
    t.drawSuperscriptLabel(n, canvas, parts.superscript);
    t.drawSubscriptLabel(n, canvas, parts.subscript);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

const Box kPlainLeafBox{heightPlainLeaf, widthPlainLeaf, drawPlainLeaf};
const Box kLabelledNameBox{heightLabelledName, widthLabelledName, drawLabelledName};

} // namespace detail

using expr::ExprNode;

using detail::th;
using detail::tw;

void Typesetter::drawSuperscriptLabel(const ExprNode& n, Canvas& canvas, std::string_view label) {
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int x = n.left + n.headWidth;
    const int centre = n.axis - half(n.headHeight);
    const int h = th(canvas, label);
    const Rect rect{x, centre - half(h), x + tw(canvas, label), centre + half(h)};
    if (!label.empty()) {
        canvas.setBrush(kWhite, BrushStyle::Clear);
        canvas.setFontColor(style.colors.labelColor);
        canvas.textRect(rect, rect.left, rect.top, label);
    }
    labelRect = rect;
    canvas.setFontSize(size);
}

void Typesetter::drawSubscriptLabel(const ExprNode& n, Canvas& canvas, std::string_view label) {
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int x = n.left + n.headWidth;
    const int y = n.axis;
    const Rect rect{x, y, x + tw(canvas, label), penAxis + th(canvas, label)};
    if (!label.empty()) {
        canvas.setBrush(kWhite, BrushStyle::Clear);
        canvas.setFontColor(style.colors.labelColor);
        canvas.textRect(rect, x, y, label);
    }
    labelRect = rect;
    canvas.setFontSize(size);
}

} // namespace quorvel::typeset
