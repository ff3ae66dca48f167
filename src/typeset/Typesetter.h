#pragma once

#include "expr/ExprNode.h"
#include "expr/Limits.h"
#include "typeset/Canvas.h"
#include "typeset/FormulaStyle.h"

#include <climits>
#include <string_view>
#include <unordered_map>

namespace quorvel::typeset {

namespace detail {
class Walk;
}

// Measured text widths and heights, and node sizes while typesetting, stay within 0..2^24 pixels: a canvas
// that reports more (or a negative, wrapped-around width) is clamped, so sums over a tree never overflow.
inline constexpr int kMaxTextExtent = 1 << 24;

// Sizes that come out of the typesetting sequence for one tree.
struct FormulaLayout {
    bool empty = true;    // no tree: a 0 by 0 picture
    int width = 0;        // the root's width
    int height = 0;       // the root's height
    int bracketCount = 0; // automatic bracket allowances counted while measuring
    int parenWidth = 0;   // TW("(") in the formula's font

    // The picture (and the label box on the sheet): two "(" per counted pair absorb brackets that
    // drawing adds beyond the measured allowances, plus 5 pixels of margin on every side.
    int boxWidth() const { return empty ? 0 : parenWidth * bracketCount * 2 + width + 10; }
    int boxHeight() const { return empty ? 0 : height + 10; }
    // Where drawing starts inside such a box.
    int startPenX() const { return 5; }
    int startPenAxis() const { return height / 2 + 5; }
};

// The typesetting state and its two jobs: layout gives every node of a tree its size (measureHeight, then
// measureWidth), drawing walks the measured tree left to right with a moving pen. Both measure with the
// metrics of the canvas they are handed, so a tree must be measured with the same font metrics as the
// canvas it is drawn on.
class Typesetter {
public:
    // Walks stop below this depth: nodes further down get no size and are not drawn, so a tree that
    // never passed the parser's checks cannot exhaust the stack.
    static constexpr int kMaxDepth = 2 * expr::kMaxNesting;

    // Output style. While a tree is drawn its six colours are the colour slots: `variableColor` is the
    // current text colour, and conditions temporarily put `conditionColor` into all six.
    FormulaStyle style;
    int penX = 0;
    int penAxis = 0;
    int bracketCount = 0;
    Rect labelRect; // the label (superscript or subscript of a labelled name) drawn last
    // While a radicand is drawn: the highest row where the overbar of a radical inside it may start, below
    // the overbar around it and a clearance, so that nested overbars never merge.
    int overbarFloor = INT_MIN;

    // Layout. Each sets the sizes of the node and of the nodes below it that its rule visits and returns
    // the node's height or width; null gives 0. measureWidth reads the heights, so it runs second.
    int measureHeight(expr::ExprNode* node, Canvas& canvas);
    int measureWidth(expr::ExprNode* node, Canvas& canvas);
    // True for an operand kind that gets a bracket allowance (lower-case text); counts each true answer.
    bool needsBrackets(std::string_view lowerText);

    // Drawing from (penX, penAxis); afterwards penX is at the node's right end and penAxis is back on
    // its line (an n-th root leaves it 2 pixels lower). Writes each node's `left` and `axis`.
    void drawFormula(expr::ExprNode* node, Canvas& canvas);
    // Text in the variableColor slot, vertically centred on penAxis; advances penX.
    void drawText(Canvas& canvas, std::string_view text);
    // The bracket that belongs to the node: a literal bracket node's own, otherwise the automatic pair.
    void openBracket(const expr::ExprNode* node, Canvas& canvas);
    void closeBracket(const expr::ExprNode* node, Canvas& canvas);
    // The automatic pair around an operand, chosen by bracketLevel even when the operand is a literal
    // bracket node: sin((x+1)) shows [(x+1)].
    void openAutomaticBracket(const expr::ExprNode* node, Canvas& canvas);
    void closeAutomaticBracket(const expr::ExprNode* node, Canvas& canvas);
    // -1 (no automatic brackets), 0 "( )", 1 "[ ]", 2 or 3 "{ }".
    static int bracketLevel(const expr::ExprNode* node);
    // Ink row of the node's own sign in a box of its head size, in the canvas's current font.
    int inkRow(const expr::ExprNode* node, int direction, Canvas& canvas) const;

    // Primitive painters; they leave the pen colour on the variableColor slot. The drawn signs (radical,
    // arrow, bars) keep their ink inside the node's box.
    void drawFractionBar(const expr::ExprNode& node, Canvas& canvas);
    // The radical sign of a root whose left, axis and sizes are set, with its overbar at overbarTop.
    void drawRadical(const expr::ExprNode& node, Canvas& canvas, int overbarTop);
    // The row where the overbar of the root's radical starts: a little below the top of the root's head,
    // or lower when overbarFloor asks for it.
    int radicalOverbarTop(const expr::ExprNode& node, const Canvas& canvas) const;
    void drawVectorArrow(const expr::ExprNode& node, Canvas& canvas);
    void drawMatrixBrackets(const expr::ExprNode& node, Canvas& canvas);
    void drawDeterminantBars(const expr::ExprNode& node, Canvas& canvas);
    void drawSuperscriptLabel(const expr::ExprNode& node, Canvas& canvas, std::string_view label);
    void drawSubscriptLabel(const expr::ExprNode& node, Canvas& canvas, std::string_view label);

    // The typesetting sequence shared by every caller: puts the style's font (regular) on the canvas,
    // resets bracketCount and measures the tree. A null root gives an empty layout (a 0 by 0 picture).
    FormulaLayout layout(expr::ExprNode* root, Canvas& canvas);
    // Draws a laid-out tree with the pen starting at (x, axis), in the style's font, regular; the canvas
    // gets its font name and size back afterwards.
    void drawAt(expr::ExprNode* root, Canvas& canvas, int x, int axis);

private:
    // The boxes of the node classes measure and draw children through these.
    friend class detail::Walk;

    int heightOf(expr::ExprNode* node, Canvas& canvas, int depth);
    int widthOf(expr::ExprNode* node, Canvas& canvas, int depth);
    int scriptHeightOf(expr::ExprNode* node, Canvas& canvas, int depth);
    int scriptWidthOf(expr::ExprNode* node, Canvas& canvas, int depth);
    int allowance(const expr::ExprNode* node, Canvas& canvas); // B(n) of the layout rules

    void draw(expr::ExprNode* node, Canvas& canvas, int depth);
    void drawScript(expr::ExprNode* node, Canvas& canvas, int depth);
    void drawBracketed(expr::ExprNode* node, Canvas& canvas, int depth);
    void drawSign(Canvas& canvas, std::string_view sign, Color color);
    // A keyword's sign in the advance of the sign as the layout measured it: "-" as a true minus (the
    // rule of "+"), the look-alikes of drawnSign as the right glyphs centred in it, others as text.
    void drawSymbol(Canvas& canvas, std::string_view sign, Color color);
    // A bracket of the pair around content of the given height, at the pen; advances the pen by the
    // glyph's width.
    void drawBracketGlyph(Canvas& canvas, std::string_view glyph, int contentHeight);

    // While a tree is drawn: the automatic bracket level of each operand, worked out once. Without it
    // every bracketed operand would walk its whole subtree again, quadratic in the nesting depth.
    std::unordered_map<const expr::ExprNode*, int>* levelMemo_ = nullptr;
};

// Integer helpers of the layout rules: half() truncates toward zero, the script size is 0.6 of the size.
constexpr int half(int v) {
    return v / 2;
}
constexpr int scriptSize(int size) {
    return size * 6 / 10;
}

} // namespace quorvel::typeset
