#pragma once

#include "expr/ExprNode.h"
#include "typeset/Canvas.h"
#include "typeset/FormulaStyle.h"
#include "typeset/Typesetter.h"

#include <string>
#include <string_view>

namespace quorvel::typeset {

// A typeset formula picture: a tree measured once in a style, then drawn as often as needed, at any pen
// position, on any canvas with the same font metrics. The editor's preview and export, formula objects
// and curve labels on the sheet and the clipboard all use it.
class TypesetFormula {
public:
    TypesetFormula() = default; // empty: a 0 by 0 picture
    // Takes the tree (parents are linked here) and lays it out in style with measuring's metrics.
    TypesetFormula(expr::ExprTree tree, const FormulaStyle& style, Canvas& measuring);
    // Builds the tree of markup (blanks removed, function form, tree) and lays it out. A text that the
    // parser refuses gives an empty formula and, if refusal is given, the parser's message.
    static TypesetFormula fromMarkup(std::string_view markup, const FormulaStyle& style, Canvas& measuring,
                                     std::string* refusal = nullptr);

    TypesetFormula(TypesetFormula&&) noexcept = default;
    TypesetFormula& operator=(TypesetFormula&&) noexcept = default;

    bool empty() const { return !tree_; }
    const FormulaStyle& style() const { return typesetter_.style; }
    // Colours may change between drawings (the sheet draws every formula in the colours in force);
    // the sizes stay valid because colours do not affect them.
    void setColors(const TokenColors& colors) { typesetter_.style.colors = colors; }
    const FormulaLayout& layout() const { return layout_; }
    const expr::ExprNode* root() const { return tree_.get(); }

    // The picture: the box of the typesetting sequence (FormulaLayout::boxWidth/boxHeight), grown
    // where the drawing reaches beyond it, so that nothing drawn falls outside.
    int pictureWidth() const { return pictureWidth_; }
    int pictureHeight() const { return pictureHeight_; }
    // Where the pen starts inside the picture.
    Point penStart() const { return penStart_; }

    // Draws with the pen starting at (x, axis), as labels on the sheet do.
    void drawAt(Canvas& canvas, int x, int axis);
    // Draws the picture with its top-left corner at (x, y); the background is the caller's.
    void drawPicture(Canvas& canvas, int x = 0, int y = 0);

private:
    expr::ExprTree tree_;
    Typesetter typesetter_;
    FormulaLayout layout_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    Point penStart_;
};

} // namespace quorvel::typeset
