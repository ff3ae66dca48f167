// Layout: the height pass and the width pass over an expression tree.
#include "typeset/Symbols.h"
#include "typeset/TypesetDetail.h"
#include "typeset/Typesetter.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvel::typeset {

using detail::clampExtent;
using detail::isCompound;
using detail::th;
using detail::tw;
using expr::ExprNode;
using expr::Keyword;

namespace {

constexpr int kMaxListItems = static_cast<int>(expr::kMaxListItems);
constexpr int kMaxMatrixSide = static_cast<int>(expr::kMaxMatrixSide);

std::string signOf(const ExprNode& node) {
    return displaySymbol(expr::keywordName(node.kind));
}

// "f()", "f(,)" or "f(,,)" for a generic call with one, two or three arguments.
std::string callTemplate(const ExprNode& node) {
    std::string t = node.text + "(";
    if (node.second) t += ",";
    if (node.third) t += ",";
    return t + ")";
}

// Sizes are sums of clamped, non-negative metrics; they are clamped again so none exceeds the limit.
int clampSize(long long v) {
    return clampExtent(std::max(v, 0LL));
}
static_assert(detail::kMaxExtent == kMaxTextExtent);

void setHeights(ExprNode& node, long long head, long long total) {
    node.headHeight = clampSize(head);
    node.height = clampSize(total);
}

void setWidths(ExprNode& node, long long head, long long total) {
    node.headWidth = clampSize(head);
    node.width = clampSize(total);
}

// Calls fn for at most count items of the list that starts at item; returns how many there were.
template <typename Fn> int forItems(ExprNode* item, int count, Fn fn) {
    int done = 0;
    for (; item && done < count; item = item->next.get(), ++done)
        fn(*item);
    return done;
}

// Row and column counts of a matrix or determinant, bounded by the engine's limits.
struct MatrixShape {
    int rows;
    int columns;
};
MatrixShape shapeOf(const ExprNode& node) {
    return {readCount(node.first.get(), kMaxMatrixSide), readCount(node.second.get(), kMaxMatrixSide)};
}

// The cell sizes of a matrix laid out on its grid: the walk starts at `third` and follows `next`; when the
// chain runs out early, the last cell stands in for every remaining position.
template <typename MeasureFn>
void gridMaxima(ExprNode& node, MatrixShape shape, MeasureFn measure, std::vector<int>& rowMax,
                std::vector<int>& columnMax) {
    rowMax.assign(static_cast<std::size_t>(shape.rows), 0);
    columnMax.assign(static_cast<std::size_t>(shape.columns), 0);
    const long long positions = static_cast<long long>(shape.rows) * shape.columns;
    long long k = 0;
    int last = 0;
    bool any = false;
    for (ExprNode* cell = node.third.get(); cell && k < positions; cell = cell->next.get(), ++k) {
        last = measure(*cell);
        any = true;
        auto& r = rowMax[static_cast<std::size_t>(k / shape.columns)];
        auto& c = columnMax[static_cast<std::size_t>(k % shape.columns)];
        r = std::max(r, last);
        c = std::max(c, last);
    }
    if (!any || k >= positions) return;
    for (long long row = k / shape.columns; row < shape.rows; ++row)
        rowMax[static_cast<std::size_t>(row)] = std::max(rowMax[static_cast<std::size_t>(row)], last);
    const long long remaining = std::min<long long>(positions - k, shape.columns);
    for (long long i = k; i < k + remaining; ++i) {
        auto& c = columnMax[static_cast<std::size_t>(i % shape.columns)];
        c = std::max(c, last);
    }
}

long long sum(const std::vector<int>& values) {
    long long total = 0;
    for (int v : values)
        total += v;
    return total;
}

} // namespace

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
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int h = heightOf(node, canvas, depth);
    canvas.setFontSize(size);
    return h;
}

int Typesetter::scriptWidthOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    const int size = canvas.fontSize();
    canvas.setFontSize(scriptSize(size));
    const int w = widthOf(node, canvas, depth);
    canvas.setFontSize(size);
    return w;
}

int Typesetter::heightOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    ExprNode& n = *node;
    if (depth > kMaxDepth) {
        setHeights(n, 0, 0);
        return 0;
    }
    const int d = depth + 1;
    auto h = [&](ExprNode* child) -> long long { return heightOf(child, canvas, d); };
    auto hs = [&](ExprNode* child) -> long long { return scriptHeightOf(child, canvas, d); };

    switch (classify(n)) {
    case NodeClass::PlainLeaf: {
        const int t = th(canvas, n.text);
        setHeights(n, t, t);
        break;
    }
    case NodeClass::LabelledName: {
        const LabelledName parts = splitLabelledName(n.text);
        const int base = th(canvas, parts.base);
        const int size = canvas.fontSize();
        canvas.setFontSize(scriptSize(size));
        const int labels = half(th(canvas, parts.superscript)) + half(th(canvas, parts.subscript));
        canvas.setFontSize(size);
        setHeights(n, base, static_cast<long long>(base) + labels);
        break;
    }
    case NodeClass::Piecewise: {
        long long total = 0;
        const int items = forItems(n.second.get(), readCount(n.first.get(), kMaxListItems),
                                   [&](ExprNode& item) { total += h(&item); });
        if (items > 0) total += 5LL * (items - 1);
        setHeights(n, total, total);
        break;
    }
    case NodeClass::Conditional: {
        long long tallest = h(n.second.get());
        forItems(n.third.get(), readCount(n.first.get(), kMaxListItems),
                 [&](ExprNode& item) { tallest = std::max(tallest, h(&item)); });
        setHeights(n, tallest, tallest);
        break;
    }
    case NodeClass::Infix:
        setHeights(n, th(canvas, signOf(n)), std::max(h(n.first.get()), h(n.second.get())));
        break;
    case NodeClass::PrefixSign:
        setHeights(n, th(canvas, signOf(n)), h(n.first.get()));
        break;
    case NodeClass::Limit: {
        const long long head = th(canvas, n.text);
        const long long l = head + std::max(hs(n.first.get()), hs(n.second.get()));
        const long long body = h(n.third.get());
        setHeights(n, head, body >= l + 1 ? body : l + 1);
        break;
    }
    case NodeClass::GenericCall: {
        long long tallest = th(canvas, callTemplate(n));
        for (ExprNode* arg : {n.first.get(), n.second.get(), n.third.get()})
            tallest = std::max(tallest, h(arg));
        setHeights(n, tallest, tallest);
        break;
    }
    case NodeClass::Vector: {
        const long long head = h(n.first.get()) + 5;
        setHeights(n, head, head);
        break;
    }
    case NodeClass::Power: {
        const long long base = h(n.second.get());
        setHeights(n, base, base + half(clampExtent(hs(n.first.get()))));
        break;
    }
    case NodeClass::Exponential: {
        const long long e = th(canvas, "e");
        setHeights(n, e, e + half(clampExtent(hs(n.first.get()))));
        break;
    }
    case NodeClass::Logarithm:
        setHeights(n, th(canvas, n.text), h(n.second.get()) + half(clampExtent(hs(n.first.get()))));
        break;
    case NodeClass::NamedFunction:
        setHeights(n, th(canvas, n.text), h(n.first.get()));
        break;
    case NodeClass::Factorial:
        setHeights(n, th(canvas, "!"), h(n.first.get()));
        break;
    case NodeClass::Fraction:
    case NodeClass::Derivative:
        setHeights(n, 1, h(n.first.get()) + h(n.second.get()) + 6);
        break;
    case NodeClass::Integral: {
        const int size = canvas.fontSize();
        canvas.setFontPixelHeight(canvas.fontPixelHeight() * 2);
        const long long head = th(canvas, "∫");
        canvas.setFontSize(size);
        // The bounds are measured at script size for drawing but do not count in the height.
        hs(n.first.get());
        hs(n.first->next.get());
        setHeights(n, head, std::max({head, h(n.second.get()), h(n.third.get())}));
        break;
    }
    case NodeClass::LiteralBracket: {
        const long long total = std::max<long long>(h(n.first.get()), th(canvas, n.text));
        setHeights(n, total, total);
        break;
    }
    case NodeClass::AbsoluteValue: {
        const long long total = h(n.first.get());
        setHeights(n, total, total);
        break;
    }
    case NodeClass::SquareRoot: {
        const long long head = h(n.first.get()) + 5;
        setHeights(n, head, head);
        break;
    }
    case NodeClass::NthRoot: {
        const long long head = h(n.second.get()) + 5;
        setHeights(n, head, head + hs(n.first.get()));
        break;
    }
    case NodeClass::BigOperator: {
        const long long sign = th(canvas, signOf(n));
        const long long l = hs(n.first.get()) + hs(n.second.get()) + sign;
        const long long body = h(n.third.get());
        setHeights(n, sign, body >= l + 2 ? body : l);
        break;
    }
    case NodeClass::MatrixLike:
        measureMatrixHeight(n, canvas, d);
        break;
    case NodeClass::Arrangement: {
        const long long upper = half(clampExtent(hs(n.first.get())));
        const long long lower = half(clampExtent(hs(n.second.get())));
        const long long sign = th(canvas, signOf(n));
        setHeights(n, sign, upper + sign + lower);
        break;
    }
    case NodeClass::LabelledTerm: {
        const long long upper = half(clampExtent(hs(n.first.get())));
        const long long lower = half(clampExtent(hs(n.second.get())));
        const long long term = h(n.third.get());
        setHeights(n, term, lower + term + upper);
        break;
    }
    case NodeClass::None:
        setHeights(n, 0, 0);
        break;
    }
    return n.height;
}

int Typesetter::widthOf(ExprNode* node, Canvas& canvas, int depth) {
    if (!node) return 0;
    ExprNode& n = *node;
    if (depth > kMaxDepth) {
        setWidths(n, 0, 0);
        return 0;
    }
    const int d = depth + 1;
    auto w = [&](ExprNode* child) -> long long { return widthOf(child, canvas, d); };
    auto ws = [&](ExprNode* child) -> long long { return scriptWidthOf(child, canvas, d); };
    auto b = [&](ExprNode* child) -> long long { return allowance(child, canvas); };

    switch (classify(n)) {
    case NodeClass::PlainLeaf: {
        const int t = tw(canvas, n.text);
        setWidths(n, t, t);
        break;
    }
    case NodeClass::LabelledName: {
        const LabelledName parts = splitLabelledName(n.text);
        const int base = tw(canvas, parts.base);
        const int size = canvas.fontSize();
        canvas.setFontSize(scriptSize(size));
        const int labels = std::max(tw(canvas, parts.superscript), tw(canvas, parts.subscript));
        canvas.setFontSize(size);
        setWidths(n, base, static_cast<long long>(base) + labels);
        break;
    }
    case NodeClass::Piecewise: {
        long long widest = 0;
        forItems(n.second.get(), readCount(n.first.get(), kMaxListItems),
                 [&](ExprNode& item) { widest = std::max(widest, w(&item)); });
        const int size = canvas.fontSize();
        canvas.setFontPixelHeight(n.height);
        const long long brace = tw(canvas, "{");
        canvas.setFontSize(size);
        setWidths(n, widest + brace + 5, widest + brace + 5);
        break;
    }
    case NodeClass::Conditional: {
        long long total = w(n.second.get());
        const int conditions = forItems(n.third.get(), readCount(n.first.get(), kMaxListItems),
                                        [&](ExprNode& item) { total += w(&item); });
        total += 5LL * conditions;
        setWidths(n, total, total);
        break;
    }
    case NodeClass::Infix: {
        const long long sign = tw(canvas, signOf(n));
        setWidths(n, sign, w(n.first.get()) + w(n.second.get()) + sign + 5);
        break;
    }
    case NodeClass::PrefixSign: {
        const long long sign = tw(canvas, signOf(n));
        setWidths(n, sign, w(n.first.get()) + sign + 2);
        break;
    }
    case NodeClass::Limit: {
        const long long name = tw(canvas, n.text);
        const int size = canvas.fontSize();
        canvas.setFontSize(scriptSize(size));
        long long r = tw(canvas, "→");
        canvas.setFontSize(size);
        r += ws(n.first.get()) + ws(n.second.get());
        ExprNode* body = n.third.get();
        const long long bodyWidth = w(body);
        const long long extra = isCompound(body) ? b(body) : (body ? 2 : 0);
        setWidths(n, name, std::max(name, r) + bodyWidth + extra);
        break;
    }
    case NodeClass::GenericCall: {
        long long total = tw(canvas, callTemplate(n));
        for (ExprNode* arg : {n.first.get(), n.second.get(), n.third.get()})
            total += w(arg);
        setWidths(n, total, total);
        break;
    }
    case NodeClass::Vector: {
        const long long inner = w(n.first.get());
        setWidths(n, inner, inner);
        break;
    }
    case NodeClass::Power: {
        const long long base = w(n.second.get());
        const long long raised = ws(n.first.get());
        setWidths(n, base, base + raised + b(n.second.get()));
        break;
    }
    case NodeClass::Exponential: {
        const long long e = tw(canvas, "e");
        setWidths(n, e, e + ws(n.first.get()));
        break;
    }
    case NodeClass::Logarithm: {
        const long long name = tw(canvas, n.text);
        const long long argument = w(n.second.get());
        const long long base = ws(n.first.get());
        setWidths(n, name, name + argument + base + b(n.second.get()));
        break;
    }
    case NodeClass::NamedFunction: {
        const long long name = tw(canvas, n.text);
        ExprNode* argument = n.first.get();
        const long long inner = w(argument);
        setWidths(n, name, name + inner + (isCompound(argument) ? b(argument) : 5));
        break;
    }
    case NodeClass::Factorial: {
        const long long inner = w(n.first.get());
        setWidths(n, tw(canvas, n.text), tw(canvas, "!") + inner + b(n.first.get()));
        break;
    }
    case NodeClass::Fraction: {
        const long long widest = std::max(w(n.first.get()), w(n.second.get()));
        // The allowances count in bracketCount here too, but a fraction adds none.
        b(n.first.get());
        b(n.second.get());
        setWidths(n, widest + 10, widest + 10);
        break;
    }
    case NodeClass::Derivative: {
        ExprNode* function = n.first.get();
        ExprNode* variable = n.second.get();
        const long long widest = std::max(w(function), w(variable));
        const long long b1 = b(function);
        const long long b2 = b(variable);
        for (auto [child, extra] : {std::pair{function, b1}, std::pair{variable, b2}}) {
            if (child && extra) setWidths(*child, child->headWidth + extra, child->width + extra);
        }
        const long long total = widest + tw(canvas, signOf(n)) + std::max(b1, b2) + 10;
        setWidths(n, total, total);
        break;
    }
    case NodeClass::Integral: {
        const long long sign = tw(canvas, "∫");
        const long long bounds = std::max(ws(n.first.get()), ws(n.first->next.get()));
        const long long head = 2 * sign + bounds;
        ExprNode* integrand = n.second.get();
        const long long inner = w(integrand);
        const long long variable = w(n.third.get());
        const long long extra = isCompound(integrand) ? b(integrand) : (integrand ? 2 : 0);
        setWidths(n, head, tw(canvas, "d") + inner + variable + head + extra);
        break;
    }
    case NodeClass::LiteralBracket: {
        // Under a fraction the bar already groups the content, and drawing leaves such brackets out.
        const bool underFraction = detail::ownerIs(&n, Keyword::Div);
        const long long head = underFraction ? 0 : tw(canvas, "()");
        setWidths(n, head, w(n.first.get()) + head);
        break;
    }
    case NodeClass::AbsoluteValue: {
        const long long head = tw(canvas, "()");
        setWidths(n, head, w(n.first.get()) + head);
        break;
    }
    case NodeClass::SquareRoot: {
        const long long head = static_cast<int>(0.4 * n.headHeight);
        setWidths(n, head, w(n.first.get()) + head);
        break;
    }
    case NodeClass::NthRoot: {
        const long long radicand = w(n.second.get());
        const long long head = std::max<long long>(static_cast<int>(0.4 * n.headHeight), ws(n.first.get()));
        setWidths(n, head, radicand + head);
        break;
    }
    case NodeClass::BigOperator: {
        const long long sign = tw(canvas, signOf(n));
        const long long column = std::max({sign, ws(n.first.get()), ws(n.second.get())});
        const long long body = w(n.third.get());
        setWidths(n, sign, column + body + b(n.third.get()));
        break;
    }
    case NodeClass::MatrixLike:
        measureMatrixWidth(n, canvas, d);
        break;
    case NodeClass::Arrangement: {
        const long long sign = tw(canvas, signOf(n));
        setWidths(n, sign, std::max(ws(n.first.get()), ws(n.second.get())) + sign);
        break;
    }
    case NodeClass::LabelledTerm: {
        const long long labels = std::max(ws(n.first.get()), ws(n.second.get()));
        const long long term = w(n.third.get());
        setWidths(n, term, labels + term);
        break;
    }
    case NodeClass::None:
        setWidths(n, 0, 0);
        break;
    }
    return n.width;
}

void Typesetter::measureMatrixHeight(ExprNode& n, Canvas& canvas, int depth) {
    std::vector<int> rows, columns;
    gridMaxima(
        n, shapeOf(n), [&](ExprNode& cell) { return heightOf(&cell, canvas, depth); }, rows, columns);
    const long long total = sum(rows) + 5;
    setHeights(n, total, total);
}

void Typesetter::measureMatrixWidth(ExprNode& n, Canvas& canvas, int depth) {
    const MatrixShape shape = shapeOf(n);
    std::vector<int> rows, columns;
    gridMaxima(
        n, shape, [&](ExprNode& cell) { return widthOf(&cell, canvas, depth); }, rows, columns);
    const long long total = sum(columns) + 10LL * shape.columns + 12;
    setWidths(n, total - 2, total);
}

} // namespace quorvel::typeset
