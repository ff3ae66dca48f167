// Layout: the height pass and the width pass over an expression tree. Each node class's rules sit in
// its box (src/typeset/boxes); this walks the tree and hands every node to its box.
#include "boxes/Box.h"
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

namespace quorvel::typeset {

using detail::isCompound;
using detail::tw;
using expr::ExprNode;

static_assert(detail::kMaxExtent == kMaxTextExtent);

bool Typesetter::needsBrackets(std::string_view lowerText) {
    if (!isBracketedOperandKind(expr::keywordOf(lowerText))) return false;
    ++bracketCount;
    return true;
}

int Typesetter::allowance(const ExprNode* node, Canvas& canvas) {
    if (!isCompound(node) || !needsBrackets(expr::keywordName(node->kind))) return 0;
    return tw(canvas, "()");
}

int Typesetter::measureHeight(ExprNode* node, Canvas& canvas) {
    return heightOf(node, canvas, 0);
}
int Typesetter::measureWidth(ExprNode* node, Canvas& canvas) {
    return widthOf(node, canvas, 0);
}

int Typesetter::scriptHeightOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    return detail::atScriptSize(canvas, [&] { return heightOf(node, canvas, depth); });
}

int Typesetter::scriptWidthOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    return detail::atScriptSize(canvas, [&] { return widthOf(node, canvas, depth); });
}

int Typesetter::heightOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    if (depth > kMaxDepth) {
        detail::setHeights(*node, 0, 0);
        return 0;
    }
    detail::Walk walk(*this, canvas, depth + 1);
    detail::boxFor(classify(*node)).height(walk, *node);
    return node->height;
}

int Typesetter::widthOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    if (depth > kMaxDepth) {
        detail::setWidths(*node, 0, 0);
        return 0;
    }
    detail::Walk walk(*this, canvas, depth + 1);
    detail::boxFor(classify(*node)).width(walk, *node);
    return node->width;
}

} // namespace quorvel::typeset
