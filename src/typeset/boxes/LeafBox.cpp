// Leaves: plain names and numbers, and labelled names (x_1) with their superscript and subscript labels.
#include "Box.h"

namespace quorvel::typeset {

namespace detail {
namespace {

using expr::ExprNode;

// measure() with text in its face: italic when it is a letter variable and the style asks for that.
template <typename Measure> auto inFace(Walk& walk, std::string_view text, Measure measure) {
    const VariableFace face(walk.ts, walk.canvas, text);
    return measure();
}

void heightPlainLeaf(Walk& walk, ExprNode& n) {
    const VariableFace face(walk.ts, walk.canvas, n.text);
    const int t = th(walk.canvas, n.text);
    setHeights(n, t, t);
}

void widthPlainLeaf(Walk& walk, ExprNode& n) {
    const VariableFace face(walk.ts, walk.canvas, n.text);
    const int t = tw(walk.canvas, n.text);
    setWidths(n, t, t);
}

void drawPlainLeaf(Walk& walk, ExprNode& n) {
    const VariableFace face(walk.ts, walk.canvas, n.text);
    walk.text(n.text);
}

void heightLabelledName(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const LabelledName parts = splitLabelledName(n.text);
    const int base = inFace(walk, parts.base, [&] { return th(canvas, parts.base); });
    const int labels = atScriptSize(canvas, [&] {
        return half(inFace(walk, parts.superscript, [&] { return th(canvas, parts.superscript); })) +
               half(inFace(walk, parts.subscript, [&] { return th(canvas, parts.subscript); }));
    });
    setHeights(n, base, static_cast<long long>(base) + labels);
}

void widthLabelledName(Walk& walk, ExprNode& n) {
    Canvas& canvas = walk.canvas;
    const LabelledName parts = splitLabelledName(n.text);
    const int base = inFace(walk, parts.base, [&] { return tw(canvas, parts.base); });
    const int labels = atScriptSize(canvas, [&] {
        return std::max(inFace(walk, parts.superscript, [&] { return tw(canvas, parts.superscript); }),
                        inFace(walk, parts.subscript, [&] { return tw(canvas, parts.subscript); }));
    });
    setWidths(n, base, static_cast<long long>(base) + labels);
}

void drawLabelledName(Walk& walk, ExprNode& n) {
    [[maybe_unused]] Typesetter& t = walk.ts;
    [[maybe_unused]] Canvas& canvas = walk.canvas;
    n.left = t.penX;
    n.axis = t.penAxis;
    const LabelledName parts = splitLabelledName(n.text);
    inFace(walk, parts.base, [&] { walk.text(parts.base); });
    t.drawSuperscriptLabel(n, canvas, parts.superscript);
    t.drawSubscriptLabel(n, canvas, parts.subscript);
    t.penX = n.left + n.width;
    t.penAxis = n.axis;
}
} // namespace

int italicOverhang(const Typesetter& ts, Canvas& canvas, const ExprNode* leaf) {
    if (!leaf || leaf->first || !ts.style.italicVariables || !isLetterVariable(leaf->text)) return 0;
    const VariableFace face(ts, canvas, leaf->text);
    const Rect ink = canvas.textInk(leaf->text);
    return std::max(0, ink.right - tw(canvas, leaf->text));
}

bool isLetterVariable(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

const Box kPlainLeafBox{heightPlainLeaf, widthPlainLeaf, drawPlainLeaf};
const Box kLabelledNameBox{heightLabelledName, widthLabelledName, drawLabelledName};

} // namespace detail

using expr::ExprNode;

using detail::th;
using detail::tw;

namespace {

// The clip of a label drawn at (x, y): its cell, grown to hold the glyphs' ink, so an italic letter's
// slant and hooks are not cut off where they reach past the advance.
Rect labelClip(Canvas& canvas, const Rect& cell, int x, int y, std::string_view label) {
    const Rect ink = canvas.textInk(label);
    if (ink.right <= ink.left || ink.bottom <= ink.top) return cell;
    return {std::min(cell.left, x + ink.left), std::min(cell.top, y + ink.top),
            std::max(cell.right, x + ink.right), std::max(cell.bottom, y + ink.bottom)};
}

} // namespace

void Typesetter::drawSuperscriptLabel(const ExprNode& n, Canvas& canvas, std::string_view label) {
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const detail::VariableFace face(*this, canvas, label);
    const int x = n.left + n.headWidth;
    const int centre = n.axis - half(n.headHeight);
    const int h = th(canvas, label);
    const Rect rect{x, centre - half(h), x + tw(canvas, label), centre + half(h)};
    if (!label.empty()) {
        canvas.setBrush(kWhite, BrushStyle::Clear);
        canvas.setFontColor(style.colors.labelColor);
        canvas.textRect(labelClip(canvas, rect, rect.left, rect.top, label), rect.left, rect.top, label);
    }
    labelRect = rect;
    canvas.setFontSize(size);
}

void Typesetter::drawSubscriptLabel(const ExprNode& n, Canvas& canvas, std::string_view label) {
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const detail::VariableFace face(*this, canvas, label);
    const int x = n.left + n.headWidth;
    const int y = n.axis;
    const Rect rect{x, y, x + tw(canvas, label), penAxis + th(canvas, label)};
    if (!label.empty()) {
        canvas.setBrush(kWhite, BrushStyle::Clear);
        canvas.setFontColor(style.colors.labelColor);
        canvas.textRect(labelClip(canvas, rect, x, y, label), x, y, label);
    }
    labelRect = rect;
    canvas.setFontSize(size);
}

} // namespace quorvel::typeset
