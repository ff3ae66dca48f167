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
    int start = 0;
    switch (node->kind) {
    case Keyword::Paren:
        start = 1;
        break;
    case Keyword::Bracket:
        start = 2;
        break;
    case Keyword::Brace:
        start = 3;
        break;
    case Keyword::Add:
    case Keyword::Sub:
    case Keyword::Mul:
    case Keyword::Mud:
    case Keyword::Muw:
    case Keyword::F:
    case Keyword::Aoc:
    case Keyword::Pom:
    case Keyword::Mus:
    case Keyword::Pos:
    case Keyword::Log:
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
    case Keyword::Th:
    case Keyword::Ch:
    case Keyword::Sh:
    case Keyword::Lg:
    case Keyword::Ln:
    case Keyword::Cub:
        break;
    default:
        return -1;
    }
    // Functions under a big operator, a limit, a derivative or an integral get no brackets of their own.
    switch (node->kind) {
    case Keyword::Log:
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Ln:
    case Keyword::Cub:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
    case Keyword::Th:
    case Keyword::Ch:
    case Keyword::Sh:
    case Keyword::Lg:
        if (const ExprNode* owner = node->parent ? detail::ownerOf(node) : nullptr) {
            switch (owner->kind) {
            case Keyword::Sum:
            case Keyword::Lim:
            case Keyword::Prod:
            case Keyword::Derive:
            case Keyword::Pderive:
            case Keyword::Ing1:
                return -1;
            default:
                break;
            }
        }
        break;
    default:
        break;
    }
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

void Typesetter::drawBracketGlyph(Canvas& canvas, std::string_view glyph) {
    if (!glyph.empty()) drawSign(canvas, glyph, style.colors.bracketColor);
}

void Typesetter::openBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, false, levelMemo_).open);
}

void Typesetter::closeBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, false, levelMemo_).close);
}

void Typesetter::openAutomaticBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, true, levelMemo_).open);
}

void Typesetter::closeAutomaticBracket(const ExprNode* node, Canvas& canvas) {
    drawBracketGlyph(canvas, glyphsFor(node, true, levelMemo_).close);
}

int Typesetter::inkRow(const ExprNode* node, int direction, Canvas& canvas) const {
    if (!node) return 0;
    return canvas.inkRow(symbolOf(*node), node->headWidth, node->headHeight, direction);
}

void Typesetter::drawFractionBar(const ExprNode& n, Canvas& canvas) {
    canvas.setPenColor(style.colors.operatorColor);
    canvas.line(n.left, n.axis, n.left + n.width, n.axis);
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawRadical(const ExprNode& n, Canvas& canvas) {
    const int h = n.headHeight;
    const int top = n.axis - half(h);
    const int bottom = n.axis + half(h);
    const int tick = top + static_cast<int>(0.75 * h);
    const int stem = n.left + static_cast<int>(0.4 * h);
    canvas.setPenColor(style.colors.operatorColor);
    canvas.polyline({{n.left, tick},
                     {n.left + static_cast<int>(0.125 * h), tick},
                     {n.left + static_cast<int>(0.2 * h), bottom},
                     {stem, top + 2},
                     {stem + n.width - n.headWidth + 2, top + 2}});
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawVectorArrow(const ExprNode& n, Canvas& canvas) {
    const int y = n.axis - half(n.height) + 2;
    const int right = n.left + n.width;
    canvas.setPenColor(style.colors.operatorColor);
    canvas.polyline({{n.left, y}, {right, y}, {right - 10, y - 4}});
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawMatrixBrackets(const ExprNode& n, Canvas& canvas) {
    const int top = n.axis - half(n.headHeight);
    const int bottom = n.axis + half(n.headHeight);
    const int left = n.left;
    const int right = n.left + n.headWidth;
    const int leftSerif = static_cast<int>(left + 7.5);
    const int rightSerif = static_cast<int>(right - 7.5);
    canvas.polyline({{leftSerif, top}, {left, top}, {left, bottom}, {leftSerif, bottom}});
    canvas.polyline({{rightSerif, top}, {right, top}, {right, bottom}, {rightSerif, bottom}});
    canvas.setPenColor(style.colors.variableColor);
}

void Typesetter::drawDeterminantBars(const ExprNode& n, Canvas& canvas) {
    const int top = n.axis - half(n.headHeight);
    const int bottom = n.axis + half(n.headHeight);
    canvas.line(n.left, top, n.left, bottom);
    canvas.line(n.left + n.width, top, n.left + n.width, bottom);
    canvas.setPenColor(style.colors.variableColor);
}

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
