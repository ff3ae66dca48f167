#include "typeset/TypesetFormula.h"

#include "expr/Parser.h"
#include "typeset/BoundsCanvas.h"

#include <algorithm>

namespace quorvel::typeset {

namespace {
// The blank border of a picture: the pen starts this far inside its top-left corner.
constexpr int kMargin = 5;
} // namespace

TypesetFormula::TypesetFormula(expr::ExprTree tree, const FormulaStyle& style, Canvas& measuring)
    : tree_(std::move(tree)) {
    typesetter_.style = style;
    if (!tree_) return;
    expr::linkParents(tree_.get());
    const std::string face = measuring.fontName();
    const int size = measuring.fontSize();
    layout_ = typesetter_.layout(tree_.get(), measuring);

    // Drawing can reach past the box the rules give (conditions add commas the width leaves out, a
    // fraction under a power gets brackets no allowance paid for): a dry run finds the real reach.
    BoundsCanvas bounds(measuring);
    typesetter_.drawAt(tree_.get(), bounds, layout_.startPenX(), layout_.startPenAxis());
    Rect picture{0, 0, layout_.boxWidth(), layout_.boxHeight()};
    if (!bounds.empty()) {
        // The reach holds every glyph's real ink besides its cell (a large integral sign's hook, an
        // italic exponent's overhang): the picture keeps the full margin beyond all of it.
        const Rect& reach = bounds.bounds();
        picture.left = std::min(picture.left, reach.left - kMargin);
        picture.top = std::min(picture.top, reach.top - kMargin);
        picture.right = std::max(picture.right, reach.right + kMargin);
        picture.bottom = std::max(picture.bottom, reach.bottom + kMargin);
    }
    pictureWidth_ = picture.right - picture.left;
    pictureHeight_ = picture.bottom - picture.top;
    penStart_ = {layout_.startPenX() - picture.left, layout_.startPenAxis() - picture.top};
    measuring.setFontName(face);
    measuring.setFontSize(size);
}

TypesetFormula TypesetFormula::fromMarkup(std::string_view markup, const FormulaStyle& style,
                                          Canvas& measuring, std::string* refusal) {
    std::string message;
    const std::string form = expr::toFunctionForm(expr::stripBlanks(markup), &message);
    if (message.empty()) {
        expr::ExprTree tree = expr::buildTree(form, &message);
        if (message.empty()) {
            if (refusal) refusal->clear();
            return TypesetFormula(std::move(tree), style, measuring);
        }
    }
    if (refusal) *refusal = message;
    TypesetFormula none;
    none.typesetter_.style = style;
    return none;
}

void TypesetFormula::drawAt(Canvas& canvas, int x, int axis) {
    if (tree_) typesetter_.drawAt(tree_.get(), canvas, x, axis);
}

void TypesetFormula::drawPicture(Canvas& canvas, int x, int y) {
    drawAt(canvas, x + penStart_.x, y + penStart_.y);
}

} // namespace quorvel::typeset
