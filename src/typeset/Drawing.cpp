// Drawing: walks a measured tree left to right with the pen (penX, penAxis).
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace quorvel::typeset {

using detail::isCompound;
using detail::measuredHeight;
using detail::measuredWidth;
using detail::th;
using detail::tw;
using expr::ExprNode;
using expr::Keyword;

namespace {

constexpr int kMaxListItems = static_cast<int>(expr::kMaxListItems);
constexpr int kMaxMatrixSide = static_cast<int>(expr::kMaxMatrixSide);
// The piecewise brace is drawn in the Song face, whatever the formula's face.
constexpr const char* kBraceFace = "宋体";

std::string signOf(const ExprNode& node) {
    return displaySymbol(expr::keywordName(node.kind));
}

bool isLiteralBracket(const ExprNode* node) {
    return node && node->first &&
           (node->kind == Keyword::Paren || node->kind == Keyword::Bracket || node->kind == Keyword::Brace);
}

} // namespace

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
    ExprNode& n = *node;
    // Every node starts at the pen, even one that places nothing itself (a conditional, a keyword
    // without a rule, a node below the depth limit): parents read its place, and a place left over
    // from an earlier drawing elsewhere would misplace them.
    n.left = penX;
    n.axis = penAxis;
    if (depth > kMaxDepth) return;
    const int d = depth + 1;
    auto place = [&] {
        n.left = penX;
        n.axis = penAxis;
    };
    auto finish = [&] {
        penX = n.left + n.width;
        penAxis = n.axis;
    };
    const Color operatorColor = style.colors.operatorColor;

    switch (classify(n)) {
    case NodeClass::PlainLeaf:
        place();
        drawText(canvas, n.text);
        break;
    case NodeClass::LabelledName:
        drawLabelledName(n, canvas);
        break;
    case NodeClass::Piecewise:
        drawPiecewise(n, canvas, d);
        break;
    case NodeClass::Conditional:
        drawConditional(n, canvas, d);
        break;
    case NodeClass::Infix:
        draw(n.first.get(), canvas, d);
        penX += 2;
        place();
        drawSign(canvas, signOf(n), operatorColor);
        penX += 2;
        draw(n.second.get(), canvas, d);
        break;
    case NodeClass::PrefixSign:
        place();
        drawSign(canvas, signOf(n), operatorColor);
        penX += 2;
        draw(n.first.get(), canvas, d);
        break;
    case NodeClass::Limit:
        drawLimit(n, canvas, d);
        break;
    case NodeClass::GenericCall:
        drawGenericCall(n, canvas, d);
        break;
    case NodeClass::Vector:
        place();
        draw(n.first.get(), canvas, d);
        drawVectorArrow(n, canvas);
        finish();
        break;
    case NodeClass::Power:
        drawPower(n, canvas, d);
        break;
    case NodeClass::Exponential:
        place();
        drawSign(canvas, "e", operatorColor);
        penX = n.left + n.headWidth;
        penAxis = n.axis - n.headHeight / 3;
        drawScript(n.first.get(), canvas, d);
        penAxis = n.axis;
        break;
    case NodeClass::Logarithm:
        drawLogarithm(n, canvas, d);
        break;
    case NodeClass::NamedFunction:
        drawNamedFunction(n, canvas, d);
        break;
    case NodeClass::Factorial:
        if (isCompound(n.first.get()) && n.first->kind != Keyword::Paren)
            drawBracketed(n.first.get(), canvas, d);
        else
            draw(n.first.get(), canvas, d);
        place();
        drawSign(canvas, "!", operatorColor);
        break;
    case NodeClass::Fraction:
        drawFraction(n, canvas, d);
        break;
    case NodeClass::Derivative:
        drawDerivative(n, canvas, d);
        break;
    case NodeClass::Integral:
        drawIntegral(n, canvas, d);
        break;
    case NodeClass::LiteralBracket:
        place();
        openBracket(&n, canvas);
        draw(n.first.get(), canvas, d);
        closeBracket(&n, canvas);
        break;
    case NodeClass::AbsoluteValue:
        drawAbsoluteValue(n, canvas, d);
        break;
    case NodeClass::SquareRoot:
        place();
        penX = static_cast<int>(n.left + 0.4 * n.headHeight);
        penAxis = n.axis + 2;
        draw(n.first.get(), canvas, d);
        drawRadical(n, canvas);
        finish();
        break;
    case NodeClass::NthRoot:
        drawNthRoot(n, canvas, d);
        break;
    case NodeClass::BigOperator:
        drawBigOperator(n, canvas, d);
        break;
    case NodeClass::MatrixLike:
        drawMatrix(n, canvas, d);
        break;
    case NodeClass::Arrangement:
        drawArrangement(n, canvas, d);
        break;
    case NodeClass::LabelledTerm:
        drawLabelledTerm(n, canvas, d);
        break;
    case NodeClass::None:
        break;
    }
}

void Typesetter::drawLabelledName(ExprNode& n, Canvas& canvas) {
    n.left = penX;
    n.axis = penAxis;
    const LabelledName parts = splitLabelledName(n.text);
    drawText(canvas, parts.base);
    drawSuperscriptLabel(n, canvas, parts.superscript);
    drawSubscriptLabel(n, canvas, parts.subscript);
    penX = n.left + n.width;
    penAxis = n.axis;
}

void Typesetter::drawPiecewise(ExprNode& n, Canvas& canvas, int depth) {
    penX -= 5;
    n.left = penX;
    n.axis = penAxis;
    {
        const std::string face = canvas.fontName();
        const int size = canvas.fontSize();
        canvas.setFontName(kBraceFace);
        canvas.setFontPixelHeight(n.height);
        drawSign(canvas, "{", style.colors.bracketColor);
        canvas.setFontName(face);
        canvas.setFontSize(size);
    }
    const int top = canvas.inkRow("{", n.headWidth, n.headHeight, +1);
    const int count = readCount(n.first.get(), kMaxListItems);
    ExprNode* item = n.second.get();
    if (item) penAxis = n.axis + top + half(item->height) - half(n.headHeight);
    const int x0 = penX;
    for (int k = 0; item && k < count; ++k, item = item->next.get()) {
        draw(item, canvas, depth);
        penX = x0;
        if (item->next && k + 1 < count) penAxis += half(item->height + item->next->height);
    }
    penX = n.left + n.width;
    penAxis = n.axis;
}

void Typesetter::drawConditional(ExprNode& n, Canvas& canvas, int depth) {
    draw(n.second.get(), canvas, depth);
    const int count = readCount(n.first.get(), kMaxListItems);
    int conditions = 0;
    for (ExprNode* item = n.third.get(); item && conditions < count; item = item->next.get())
        ++conditions;
    // Everything inside the conditions, operators and labels too, takes the condition colour.
    const TokenColors saved = style.colors;
    const Color condition = style.colors.conditionColor;
    style.colors = TokenColors{condition, condition, condition, condition, condition, condition};
    penX += 5 * conditions;
    ExprNode* item = n.third.get();
    for (int k = 0; k < conditions; ++k, item = item->next.get()) {
        drawText(canvas, ",");
        draw(item, canvas, depth);
    }
    style.colors = saved;
}

void Typesetter::drawDerivative(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* function = n.first.get();
    ExprNode* variable = n.second.get();
    const bool hasVariable = variable && !variable->text.empty();
    if (hasVariable) penAxis += half(measuredHeight(function) - measuredHeight(variable));
    n.left = penX;
    n.axis = penAxis;
    const std::string sign = signOf(n);
    auto operand = [&](ExprNode* child) {
        drawSign(canvas, sign, style.colors.operatorColor);
        if (isCompound(child))
            drawBracketed(child, canvas, depth);
        else
            draw(child, canvas, depth);
    };
    if (hasVariable) {
        drawFractionBar(n, canvas);
        penX = n.left + half(n.width) - half(measuredWidth(function));
        penAxis = n.axis - half(measuredHeight(function));
        operand(function);
        penX = n.left + half(n.width) - half(measuredWidth(variable));
        penAxis = n.axis + half(measuredHeight(variable));
        operand(variable);
    } else {
        operand(function);
    }
    penX = n.left + n.width;
    penAxis = n.axis;
}

void Typesetter::drawIntegral(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    const int size = canvas.fontSize();
    canvas.setFontPixelHeight(canvas.fontPixelHeight() * 2);
    drawSign(canvas, "∫", style.colors.operatorColor);
    canvas.setFontSize(size);

    ExprNode* upper = n.first.get();
    ExprNode* lower = upper ? upper->next.get() : nullptr;
    canvas.setFontSize(scriptSize(size));
    penAxis = n.axis + half(measuredHeight(upper)) - half(n.headHeight);
    const int x1 = penX;
    draw(upper, canvas, depth);
    penAxis = n.axis + half(n.headHeight) - half(measuredHeight(lower));
    penX = x1;
    draw(lower, canvas, depth);
    canvas.setFontSize(size);

    penX = n.left + n.headWidth;
    penAxis = n.axis;
    ExprNode* integrand = n.second.get();
    if (isCompound(integrand)) {
        drawBracketed(integrand, canvas, depth);
    } else if (integrand) {
        penX += 2;
        draw(integrand, canvas, depth);
    }
    drawSign(canvas, "d", style.colors.operatorColor);
    draw(n.third.get(), canvas, depth);
}

void Typesetter::drawFraction(ExprNode& n, Canvas& canvas, int depth) {
    const int savedAxis = penAxis;
    ExprNode* numerator = n.first.get();
    ExprNode* denominator = n.second.get();
    penAxis += half(measuredHeight(numerator) - measuredHeight(denominator));
    n.left = penX;
    n.axis = penAxis;
    // The bar groups each part, so a literal bracket around a part is not drawn: its content stands in
    // its place.
    auto part = [&](ExprNode* child) {
        if (isLiteralBracket(child)) {
            child->left = penX;
            child->axis = penAxis;
            draw(child->first.get(), canvas, depth);
        } else {
            draw(child, canvas, depth);
        }
    };
    penX = n.left + half(n.headWidth - measuredWidth(numerator));
    penAxis = n.axis - half(measuredHeight(numerator)) - 2;
    part(numerator);
    penX = n.left + half(n.headWidth - measuredWidth(denominator));
    penAxis = n.axis + half(measuredHeight(denominator)) + 2;
    part(denominator);
    drawFractionBar(n, canvas);
    penX = n.left + n.headWidth + 2;
    penAxis = savedAxis;
}

void Typesetter::drawNamedFunction(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    drawSign(canvas, n.text, style.colors.functionColor);
    // As the base of a power, leave room for the exponent that the power draws right after the name.
    const ExprNode* parent = n.parent;
    if (parent && (parent->kind == Keyword::Cub || parent->kind == Keyword::Ind) &&
        parent->second.get() == &n)
        penX += measuredWidth(parent->first.get());
    ExprNode* argument = n.first.get();
    if (isCompound(argument)) {
        drawBracketed(argument, canvas, depth);
    } else {
        penX += 5;
        draw(argument, canvas, depth);
    }
}

void Typesetter::drawLogarithm(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    drawSign(canvas, n.text, style.colors.operatorColor);
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    penX = n.left + n.headWidth;
    penAxis = n.axis + half(n.headHeight);
    draw(n.first.get(), canvas, depth);
    canvas.setFontSize(size);
    penX = n.left + n.headWidth + measuredWidth(n.first.get());
    penAxis = n.axis;
    ExprNode* argument = n.second.get();
    if (isCompound(argument) && argument->kind != Keyword::Div)
        drawBracketed(argument, canvas, depth);
    else
        draw(argument, canvas, depth);
}

void Typesetter::drawGenericCall(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    drawSign(canvas, n.text, style.colors.functionColor);
    openBracket(&n, canvas);
    const int savedAxis = penAxis;
    draw(n.first.get(), canvas, depth);
    if (n.second || n.third) {
        drawText(canvas, ",");
        draw(n.second.get(), canvas, depth);
    }
    if (n.third) {
        drawText(canvas, ",");
        draw(n.third.get(), canvas, depth);
    }
    penAxis = savedAxis;
    closeBracket(&n, canvas);
}

void Typesetter::drawNthRoot(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* degree = n.first.get();
    const double u = 0.4 * n.headHeight;
    const double excess = measuredWidth(degree) - u;
    const double e = excess > 0 ? excess : 0;
    n.left = static_cast<int>(penX + e);
    n.axis = penAxis + 2;
    penX = static_cast<int>(n.left + u);
    penAxis = n.axis;
    draw(n.second.get(), canvas, depth);
    drawRadical(n, canvas);
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    penX = static_cast<int>(n.left + u - measuredWidth(degree)) - 2;
    penAxis = n.axis - half(n.headHeight);
    draw(degree, canvas, depth);
    canvas.setFontSize(size);
    penX = n.left + n.width;
    penAxis = n.axis;
}

void Typesetter::drawLimit(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* variable = n.first.get();
    ExprNode* target = n.second.get();
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int r = tw(canvas, "→") + measuredWidth(variable) + measuredWidth(target);
    canvas.setFontSize(size);
    n.left = n.headWidth < r ? penX + half(r - n.headWidth) : penX;
    n.axis = penAxis;
    const int bottom = inkRow(&n, -1, canvas);
    penAxis = n.axis + bottom + half(std::max(measuredHeight(variable), measuredHeight(target))) -
              half(n.headHeight);
    penX = n.left + half(n.headWidth - r);
    canvas.setFontSize(scriptSize(size));
    draw(variable, canvas, depth);
    drawText(canvas, "→");
    draw(target, canvas, depth);
    const int end = std::max(penX, n.left + n.headWidth);
    canvas.setFontSize(size);
    penX = n.left;
    penAxis = n.axis;
    drawSign(canvas, n.text, style.colors.operatorColor);
    penX = end + 2;
    penAxis = n.axis;
    ExprNode* function = n.third.get();
    if (isCompound(function) && function->kind != Keyword::F)
        drawBracketed(function, canvas, depth);
    else
        draw(function, canvas, depth);
}

void Typesetter::drawBigOperator(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* lower = n.first.get();
    ExprNode* upper = n.second.get();
    ExprNode* body = n.third.get();
    const int column = n.width - measuredWidth(body);
    n.left = n.headWidth < column ? penX + half(column - n.headWidth) : penX;
    n.axis = penAxis;

    penX = n.left + half(n.headWidth - measuredWidth(lower));
    const int inkBottom = inkRow(&n, -1, canvas);
    penAxis = n.axis + inkBottom + half(measuredHeight(lower)) - half(n.headHeight);
    drawScript(lower, canvas, depth);
    const int lowerEnd = penX;

    const int inkTop = inkRow(&n, +1, canvas);
    penAxis = n.axis - half(n.headHeight) + inkTop - half(measuredHeight(upper));
    penX = n.left + half(n.headWidth - measuredWidth(upper));
    drawScript(upper, canvas, depth);
    const int upperEnd = penX;

    penX = n.left;
    penAxis = n.axis;
    drawSign(canvas, signOf(n), style.colors.operatorColor);
    penX = std::max({lowerEnd, upperEnd, n.left + n.headWidth});
    penAxis = n.axis;
    if (isCompound(body))
        drawBracketed(body, canvas, depth);
    else
        draw(body, canvas, depth);
}

void Typesetter::drawPower(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* base = n.second.get();
    ExprNode* raised = n.first.get();
    if (!base) {
        n.left = penX;
        n.axis = penAxis;
        drawScript(raised, canvas, depth);
        penAxis = n.axis;
        return;
    }
    if (!isCompound(base)) {
        draw(base, canvas, depth);
        n.left = base->left;
        n.axis = base->axis;
        penX = base->left + n.headWidth;
        penAxis = n.axis - base->headHeight / 3;
        drawScript(raised, canvas, depth);
        penAxis = n.axis;
    } else if (isTrigonometric(base->kind)) {
        // The name leaves room for the exponent, which goes between the name and the argument.
        draw(base, canvas, depth);
        n.left = base->left;
        n.axis = base->axis;
        penX = base->left + base->headWidth;
        penAxis = n.axis - base->headHeight / 3;
        drawScript(raised, canvas, depth);
        penAxis = n.axis;
        penX = base->left + measuredWidth(raised) + base->width;
    } else {
        openAutomaticBracket(base, canvas);
        draw(base, canvas, depth);
        closeAutomaticBracket(base, canvas);
        n.left = base->left;
        n.axis = base->axis;
        penAxis = n.axis - base->height / 3;
        drawScript(raised, canvas, depth);
        penAxis = n.axis;
        penX += 5;
    }
}

void Typesetter::drawAbsoluteValue(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    auto bar = [&](int x) {
        canvas.setPenColor(style.colors.operatorColor);
        canvas.line(x, n.axis - half(n.headHeight), x, n.axis + half(n.headHeight));
        canvas.setPenColor(style.colors.variableColor);
    };
    bar(n.left);
    penX += 5;
    draw(n.first.get(), canvas, depth);
    penX += 5;
    bar(penX);
    penX += 5;
}

void Typesetter::drawMatrix(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    canvas.setPenColor(style.colors.operatorColor);
    if (n.kind == Keyword::Matrix)
        drawMatrixBrackets(n, canvas);
    else
        drawDeterminantBars(n, canvas);

    const int rows = readCount(n.first.get(), kMaxMatrixSide);
    const int columns = readCount(n.second.get(), kMaxMatrixSide);
    const long long positions = static_cast<long long>(rows) * columns;
    std::vector<int> rowHeight(static_cast<std::size_t>(rows), 0);
    std::vector<int> columnWidth(static_cast<std::size_t>(columns), 0);
    long long k = 0;
    for (ExprNode* cell = n.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        auto& r = rowHeight[static_cast<std::size_t>(k / columns)];
        auto& c = columnWidth[static_cast<std::size_t>(k % columns)];
        r = std::max(r, cell->height);
        c = std::max(c, cell->width);
    }
    std::vector<int> above(static_cast<std::size_t>(rows), 0);
    std::vector<int> before(static_cast<std::size_t>(columns), 0);
    for (int i = 1; i < rows; ++i)
        above[i] = above[i - 1] + rowHeight[i - 1];
    for (int j = 1; j < columns; ++j)
        before[j] = before[j - 1] + columnWidth[j - 1];

    k = 0;
    for (ExprNode* cell = n.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        const auto i = static_cast<std::size_t>(k / columns);
        const auto j = static_cast<std::size_t>(k % columns);
        const int ri = rowHeight[i];
        penAxis = n.axis + above[i] + ri - half(ri + n.height);
        penX = n.left + 10 + 10 * static_cast<int>(j) + before[j] + half(columnWidth[j] - cell->width);
        draw(cell, canvas, depth);
    }
    penX = n.left + n.width;
    penAxis = n.axis;
}

void Typesetter::drawArrangement(ExprNode& n, Canvas& canvas, int depth) {
    n.left = penX;
    n.axis = penAxis;
    drawSign(canvas, signOf(n), style.colors.operatorColor);
    const int x1 = penX;
    // Indices sit against the visible ink of the sign as drawn, at the formula's size.
    const int inkTop = inkRow(&n, +1, canvas);
    const int inkBottom = inkRow(&n, -1, canvas);
    ExprNode* upper = n.first.get();
    ExprNode* lower = n.second.get();
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    penAxis = n.axis - half(n.headHeight) + inkTop - half(measuredHeight(upper));
    draw(upper, canvas, depth);
    const int upperEnd = penX;
    penX = x1;
    penAxis = n.axis + inkBottom - half(n.headHeight);
    draw(lower, canvas, depth);
    canvas.setFontSize(size);
    penAxis = n.axis;
    penX = std::max(penX, upperEnd);
}

void Typesetter::drawLabelledTerm(ExprNode& n, Canvas& canvas, int depth) {
    ExprNode* term = n.third.get();
    draw(term, canvas, depth);
    n.left = term ? term->left : penX;
    n.axis = term ? term->axis : penAxis;
    const int x1 = penX;
    int inkTop = 0;
    int inkBottom = 0;
    if (term) {
        const std::string symbol = symbolOf(*term);
        inkTop = canvas.inkRow(symbol, term->headWidth, term->headHeight, +1);
        inkBottom = canvas.inkRow(symbol, term->headWidth, term->headHeight, -1);
    }
    const int termHeight = measuredHeight(term);
    ExprNode* upper = n.first.get();
    ExprNode* lower = n.second.get();
    const int size = canvas.fontSize();
    const Color savedSlot = style.colors.variableColor;
    canvas.setFontSize(scriptSize(size));
    style.colors.variableColor = style.colors.labelColor;
    penAxis = n.axis - half(termHeight) + inkTop - half(measuredHeight(upper));
    draw(upper, canvas, depth);
    const int upperEnd = penX;
    penX = x1;
    penAxis = n.axis + inkBottom - half(termHeight);
    draw(lower, canvas, depth);
    style.colors.variableColor = savedSlot;
    canvas.setFontSize(size);
    penAxis = n.axis;
    penX = std::max(penX, upperEnd);
}

} // namespace quorvel::typeset
