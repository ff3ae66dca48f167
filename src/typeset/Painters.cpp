// Brackets, ink rows, the primitive painters and the typesetting sequence.
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

#include <algorithm>
#include <unordered_map>

namespace quorvel::typeset {

using detail::th;
using detail::tw;
using expr::ExprNode;
using expr::Keyword;

namespace {

struct GlyphPair {
    std::string_view open;
    std::string_view close;
};

using LevelMemo = std::unordered_map<const ExprNode*, int>;

// cut is set when the walk reached the depth limit below node: such an answer depends on where the walk
// began, so it is not remembered.
int levelOf(const ExprNode* node, int depth, LevelMemo* memo, bool& cut) {
    if (!node) return -1;
    if (depth > Typesetter::kMaxDepth) {
        cut = true;
        return -1;
    }
    if (memo) {
        if (const auto it = memo->find(node); it != memo->end()) return it->second;
    }
    const expr::KeywordInfo& info = expr::keywordInfo(node->kind);
    if (info.bracketLevel < 0) return -1;
    // Functions under a big operator, a limit, a derivative or an integral get no brackets of their own.
    if (info.has(expr::Trait::BareUnderBodyOperator)) {
        const ExprNode* owner = node->parent ? detail::ownerOf(node) : nullptr;
        if (owner && expr::keywordInfo(owner->kind).has(expr::Trait::BodyOperator)) return -1;
    }
    const int start = info.bracketLevel;
    int level = start;
    bool childCut = false;
    for (const ExprNode* child : {node->first.get(), node->second.get(), node->third.get()})
        if (child) level = std::max(level, levelOf(child, depth + 1, memo, childCut));
    if (memo && !childCut) memo->emplace(node, level);
    cut = cut || childCut;
    return level;
}

// A literal bracket node draws its own typed bracket; an operand that gets automatic brackets (which
// may itself be a literal bracket node) gets the pair one step above what was typed inside it.
GlyphPair glyphsFor(const ExprNode* node, bool automatic, LevelMemo* memo) {
    if (!node) return {};
    if (node->first && !automatic) {
        switch (node->kind) {
        case Keyword::Paren:
            return {"(", ")"};
        case Keyword::Bracket:
            return {"[", "]"};
        case Keyword::Brace:
            return {"{", "}"};
        default:
            break;
        }
    }
    if (node->kind == Keyword::Div && detail::ownerIs(node, Keyword::Cub)) return {"(", ")"};
    bool cut = false;
    switch (levelOf(node, 0, memo, cut)) {
    case 0:
        return {"(", ")"};
    case 1:
        return {"[", "]"};
    case 2:
    case 3:
        return {"{", "}"};
    default:
        return {};
    }
}

} // namespace

int Typesetter::bracketLevel(const ExprNode* node) {
    bool cut = false;
    return levelOf(node, 0, nullptr, cut);
}

void Typesetter::openBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, false, levelMemo_).open, detail::measuredHeight(node));
}

void Typesetter::closeBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, false, levelMemo_).close, detail::measuredHeight(node));
}

void Typesetter::openAutomaticBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, true, levelMemo_).open, detail::measuredHeight(node));
}

void Typesetter::closeAutomaticBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, true, levelMemo_).close, detail::measuredHeight(node));
}

int Typesetter::inkRow(const ExprNode* node, int direction, Canvas& canvas) const {
    if (!node) return 0;
    // The sign as drawn: ∑ reaches lower than the Σ the layout measures.
    const std::string symbol = symbolOf(*node);
    return canvas.inkRow(drawnSign(symbol), node->headWidth, node->headHeight, direction);
}

FormulaLayout Typesetter::layout(ExprNode* root, Canvas& canvas) {
    canvas.setFontName(style.fontName);
    canvas.setFontSize(style.fontSize);
    canvas.setFontStyle(false, false, false, false);
    bracketCount = 0;
    FormulaLayout result;
    if (!root) return result;
    measureHeight(root, canvas);
    measureWidth(root, canvas);
    result.empty = false;
    result.width = root->width;
    result.height = root->height;
    result.bracketCount = bracketCount;
    result.parenWidth = tw(canvas, "(");
    return result;
}

void Typesetter::drawAt(ExprNode* root, Canvas& canvas, int x, int axis) {
    const std::string face = canvas.fontName();
    const int size = canvas.fontSize();
    canvas.setFontName(style.fontName);
    canvas.setFontSize(style.fontSize);
    canvas.setFontStyle(false, false, false, false);
    // A label position from a file may sit near the int range; the pen walks right from it, so the
    // start stays far enough inside that no sum of node sizes wraps round.
    penX = std::clamp(x, -detail::kMaxPenStart, detail::kMaxPenStart);
    penAxis = std::clamp(axis, -detail::kMaxPenStart, detail::kMaxPenStart);
    drawFormula(root, canvas);
    canvas.setFontName(face);
    canvas.setFontSize(size);
}

} // namespace quorvel::typeset
