// Drawing: walks a measured tree left to right with the pen (penX, penAxis), handing every node to the
// box of its class (src/typeset/boxes).
#include "boxes/Box.h"
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

#include <unordered_map>

namespace quorvel::typeset {

using detail::th;
using detail::tw;
using expr::ExprNode;

void Typesetter::drawFormula(ExprNode* node, Canvas& canvas) {
    // The levels hold only while this tree is drawn: a later tree may reuse the same addresses.
    std::unordered_map<const ExprNode*, int> levels;
    levelMemo_ = &levels;
    struct Forget {
        std::unordered_map<const ExprNode*, int>*& memo;
        ~Forget() { memo = nullptr; }
    } forget{levelMemo_};
    draw(node, canvas, 0);
}

void Typesetter::drawText(Canvas& canvas, std::string_view text) {
    canvas.setBrush(kWhite, BrushStyle::Clear);
    canvas.setFontColor(style.colors.variableColor);
    canvas.textOut(penX, penAxis - half(th(canvas, text)), text);
    penX += tw(canvas, text);
}

void Typesetter::drawSign(Canvas& canvas, std::string_view sign, Color color) {
    const Color saved = style.colors.variableColor;
    style.colors.variableColor = color;
    drawText(canvas, sign);
    style.colors.variableColor = saved;
}

void Typesetter::drawSymbol(Canvas& canvas, std::string_view sign, Color color) {
    const int advance = tw(canvas, sign);
    if (sign == "-") {
        // The minus is the rule of "+" (its rows and thickness) over the hyphen's advance, which the
        // layout measured; a hyphen would be shorter, thicker and lower.
        const Rect bar = canvas.plusBar();
        const double top = penAxis - half(th(canvas, sign));
        const double left = penX, right = penX + advance;
        canvas.setPenColor(color);
        canvas.fillShape({{left, top + bar.top},
                          {right, top + bar.top},
                          {right, top + bar.bottom},
                          {left, top + bar.bottom}});
        canvas.setPenColor(style.colors.variableColor);
        penX += advance;
        return;
    }
    const std::string_view glyph = drawnSign(sign);
    if (glyph == sign) {
        drawSign(canvas, sign, color);
        return;
    }
    const int start = penX;
    penX += half(advance - tw(canvas, glyph));
    drawSign(canvas, glyph, color);
    penX = start + advance;
}

void Typesetter::drawScript(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return;
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    draw(node, canvas, depth);
    canvas.setFontSize(size);
}

void Typesetter::drawBracketed(ExprNode* node, Canvas& canvas, int depth) {
    openAutomaticBracket(node, canvas);
    const int savedAxis = penAxis;
    draw(node, canvas, depth);
    penAxis = savedAxis;
    closeAutomaticBracket(node, canvas);
}

void Typesetter::draw(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return;
    // Every node starts at the pen, even one that places nothing itself (a conditional, a keyword
    // without a rule, a node below the depth limit): parents read its place, and a place left over
    // from an earlier drawing elsewhere would misplace them.
    node->left = penX;
    node->axis = penAxis;
    if (depth > kMaxDepth) return;
    detail::Walk walk(*this, canvas, depth + 1);
    detail::boxFor(classify(*node)).draw(walk, *node);
}

} // namespace quorvel::typeset
