#pragma once

// The boxes of the typesetter: one per node class, each with its height rule, width rule and drawing
// side by side in one source file. Not part of the typesetter's interface.

#include "expr/ExprNode.h"
#include "typeset/Canvas.h"
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::typeset::detail {

// One step of a walk over a tree: the typesetter and canvas, and the depth of the node's children. The
// helpers measure and draw a child one level down; null children measure 0 and draw nothing.
class Walk {
public:
    Walk(Typesetter& typesetter, Canvas& c, int childDepth) : ts(typesetter), canvas(c), depth_(childDepth) {}

    Typesetter& ts;
    Canvas& canvas;

    long long h(expr::ExprNode* child) { return ts.heightOf(child, canvas, depth_); }
    long long w(expr::ExprNode* child) { return ts.widthOf(child, canvas, depth_); }
    // The same at script size.
    long long hs(expr::ExprNode* child) { return ts.scriptHeightOf(child, canvas, depth_); }
    long long ws(expr::ExprNode* child) { return ts.scriptWidthOf(child, canvas, depth_); }
    // B(n): the automatic bracket allowance of an operand (counted in bracketCount when paid).
    long long b(const expr::ExprNode* child) { return ts.allowance(child, canvas); }

    void draw(expr::ExprNode* child) { ts.draw(child, canvas, depth_); }
    void drawScript(expr::ExprNode* child) { ts.drawScript(child, canvas, depth_); }
    // The child between its automatic pair of brackets.
    void drawBracketed(expr::ExprNode* child) { ts.drawBracketed(child, canvas, depth_); }
    // Text in the variable colour slot, or in color, centred on the pen's axis; advances the pen.
    void text(std::string_view s) { ts.drawText(canvas, s); }
    void sign(std::string_view s, Color color) { ts.drawSign(canvas, s, color); }
    // A keyword's sign (see Typesetter::drawSymbol).
    void symbol(std::string_view s, Color color) { ts.drawSymbol(canvas, s, color); }

private:
    int depth_;
};

// True for a name made of Latin letters only: a letter variable such as x, A or ab.
bool isLetterVariable(std::string_view text);

// Puts the canvas in the italic of the face while it lives, when the style asks for italic letter
// variables and text is one; measuring and drawing under it use the same glyphs.
class VariableFace {
public:
    VariableFace(const Typesetter& ts, Canvas& canvas, std::string_view text)
        : canvas_(canvas), italic_(ts.style.italicVariables && isLetterVariable(text)) {
        if (italic_) canvas_.setFontStyle(false, true, false, false);
    }
    ~VariableFace() {
        if (italic_) canvas_.setFontStyle(false, false, false, false);
    }
    VariableFace(const VariableFace&) = delete;
    VariableFace& operator=(const VariableFace&) = delete;

private:
    Canvas& canvas_;
    bool italic_;
};

// How far the ink of a leaf drawn in italic reaches right of its advance (the hook of an italic f); 0 for
// anything drawn upright. What follows the leaf's top right (an exponent, an upper label) starts there.
int italicOverhang(const Typesetter& ts, Canvas& canvas, const expr::ExprNode* leaf);

// A node class's rules. height and width set the node's head and total sizes (width reads the heights,
// so it runs second); draw places the node at the pen and leaves the pen at its right end.
struct Box {
    void (*height)(Walk&, expr::ExprNode&);
    void (*width)(Walk&, expr::ExprNode&);
    void (*draw)(Walk&, expr::ExprNode&);
};

const Box& boxFor(NodeClass kind);

// The boxes, one per node class, defined next to their rules.
extern const Box kNoBox;
extern const Box kPlainLeafBox, kLabelledNameBox;
extern const Box kPiecewiseBox, kConditionalBox;
extern const Box kInfixBox, kPrefixSignBox, kFactorialBox, kArrangementBox;
extern const Box kGenericCallBox, kNamedFunctionBox, kLogarithmBox, kExponentialBox;
extern const Box kPowerBox, kLabelledTermBox;
extern const Box kFractionBox, kDerivativeBox;
extern const Box kLimitBox, kIntegralBox, kBigOperatorBox;
extern const Box kLiteralBracketBox, kAbsoluteValueBox;
extern const Box kVectorBox, kSquareRootBox, kNthRootBox;
extern const Box kMatrixBox;

// Sizes are sums of clamped, non-negative metrics; they are clamped again so none exceeds the limit.
inline int clampSize(long long v) {
    return clampExtent(std::max(v, 0LL));
}
inline void setHeights(expr::ExprNode& node, long long head, long long total) {
    node.headHeight = clampSize(head);
    node.height = clampSize(total);
}
inline void setWidths(expr::ExprNode& node, long long head, long long total) {
    node.headWidth = clampSize(head);
    node.width = clampSize(total);
}

inline std::string signOf(const expr::ExprNode& node) {
    return displaySymbol(expr::keywordName(node.kind));
}

constexpr int kMaxListItems = static_cast<int>(expr::kMaxListItems);
constexpr int kMaxMatrixSide = static_cast<int>(expr::kMaxMatrixSide);

// Calls fn for at most count items of the list that starts at item; returns how many there were.
template <typename Fn> int forItems(expr::ExprNode* item, int count, Fn fn) {
    int done = 0;
    for (; item && done < count; item = item->next.get(), ++done)
        fn(*item);
    return done;
}

// Runs fn with the canvas at script size, then restores the size.
template <typename Fn> auto atScriptSize(Canvas& canvas, Fn fn) {
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    auto result = fn();
    canvas.setFontSize(size);
    return result;
}

// The width of strokes (fraction bars, radicals, rules, arrows, stretched brackets) at the canvas's
// current size: 1 pixel at the default size, growing in proportion.
inline int strokeWidth(const Canvas& canvas) {
    return std::max(1, (canvas.fontSize() + FormulaStyle::kDefaultFontSize / 2) /
                           FormulaStyle::kDefaultFontSize);
}

// The outline of a bracket glyph ("(", ")", "[", "]", "{", "}") drawn to fill box, for fillShape; empty
// for any other glyph.
std::vector<PointF> bracketOutline(std::string_view glyph, const Rect& box, int stroke);

// While it lives, the pen has the stroke width of the canvas's current size; the width before comes back.
class StrokePen {
public:
    explicit StrokePen(Canvas& canvas)
        : canvas_(canvas), saved_(canvas.penWidth()), width_(strokeWidth(canvas)) {
        canvas.setPenWidth(width_);
    }
    ~StrokePen() { canvas_.setPenWidth(saved_); }
    StrokePen(const StrokePen&) = delete;
    StrokePen& operator=(const StrokePen&) = delete;
    int width() const { return width_; }

private:
    Canvas& canvas_;
    int saved_;
    int width_;
};

} // namespace quorvel::typeset::detail
