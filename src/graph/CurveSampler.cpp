#include "graph/CurveSampler.h"

#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "graph/BranchEnds.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <string>

namespace quorvel::graph {

using document::DEFINEFUN;
using document::ViewSettings;

namespace {

void loadParameters(expr::Engine& engine, const DEFINEFUN& item) {
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    engine.variables.load(std::span(item.paramNames.data(), n), std::span(item.paramValues.data(), n));
}

// The tree a curve is evaluated with: the expanded formula (piecewise constructs become arithmetic).
// Null when the parser refuses the text.
expr::ExprTree buildCurveTree(expr::Engine& engine, const DEFINEFUN& item) {
    std::string refusal;
    const std::string text = expr::expandPiecewise(engine, item.expression, &refusal);
    if (!refusal.empty()) return nullptr;
    expr::ExprTree tree = expr::buildTree(text, &refusal);
    if (!refusal.empty()) return nullptr;
    expr::linkParents(tree.get());
    return tree;
}

// Columns first … last (inclusive, within the buffers). A column has a value only where x is a real
// number inside the domain and the formula gives a finite value: an infinite or NaN value would put a
// point nowhere on the sheet.
void sampleColumns(expr::Engine& engine, DEFINEFUN& item, expr::ExprNode* node, const ViewSettings& view,
                   int first, int last) {
    // The evaluator only records why a column has no value; the curve says it once, not per column.
    auto reason = expr::UndefinedReason::None;
    engine.undefinedReason = reason;
    for (int j = first; j <= last; ++j) {
        const auto u = static_cast<std::size_t>(j);
        const double x = (j - view.originX) / view.unitX;
        item.xs[u] = x;
        item.defined[u] = 0;
        item.ys[u] = 0;
        double y = 0;
        if (!curveValueAt(engine, item, node, x, y)) {
            if (engine.undefinedReason != expr::UndefinedReason::None) reason = engine.undefinedReason;
            continue;
        }
        item.defined[u] = 1;
        item.ys[u] = y;
    }
    if (const std::string_view why = expr::undefinedMessage(reason); !why.empty())
        engine.sink().show(std::string(why), kCaptionError, MessageIcon::Error);
}

// The right-hand side of an equation such as Y=…, else the root; null without a tree.
expr::ExprNode* evaluatedRoot(const expr::ExprTree& tree) {
    return tree ? expr::evaluatedNode(tree.get()) : nullptr;
}

int columnsFor(int sheetWidth) {
    return std::max(sheetWidth, 0) + 1;
}

} // namespace

void confirm_funvalue(expr::Engine& engine, DEFINEFUN& item, const ViewSettings& view, int sheetWidth) {
    loadParameters(engine, item);
    item.resizeSamples(columnsFor(sheetWidth));
    // Calculation objects and formula pictures are no curves: evaluating them would only cost time and
    // could bring up messages about a formula nobody plots.
    if (!item.isCurve()) {
        std::string ignored;
        expr::expandPiecewise(engine, item.expression, &ignored); // leaves its domain text, as for curves
        return;
    }
    expr::ExprTree tree = buildCurveTree(engine, item);
    expr::ExprNode* root = evaluatedRoot(tree);
    sampleColumns(engine, item, root, view, 0, item.sampleColumns() - 1);
    refineBranchEnds(engine, item, root, view, 0, item.sampleColumns() - 2);
}

void resampleAll(expr::Engine& engine, document::Document& doc, int sheetWidth) {
    for (int i = 0; i < doc.curveCount(); ++i)
        confirm_funvalue(engine, doc.curve(i), doc.view, sheetWidth);
}

void shiftSamples(expr::Engine& engine, DEFINEFUN& item, const ViewSettings& view, int sheetWidth, int dx) {
    const int columns = columnsFor(sheetWidth);
    if (!item.isCurve()) return;
    if (item.sampleColumns() != columns || dx >= columns || dx <= -columns) {
        confirm_funvalue(engine, item, view, sheetWidth);
        return;
    }
    if (dx == 0) return;
    int first = 0;
    int last = 0;
    auto move = [dx](auto& buffer) {
        if (dx > 0)
            std::move_backward(buffer.begin(), buffer.end() - dx, buffer.end());
        else
            std::move(buffer.begin() - dx, buffer.end(), buffer.begin());
    };
    move(item.defined);
    move(item.xs);
    move(item.ys);
    if (dx > 0) {
        first = 0;
        last = dx - 1;
    } else {
        first = columns + dx;
        last = columns - 1;
    }
    loadParameters(engine, item);
    expr::ExprTree tree = buildCurveTree(engine, item);
    expr::collectVariables(engine, tree.get());
    expr::ExprNode* root = evaluatedRoot(tree);
    sampleColumns(engine, item, root, view, first, last);
    shiftBranchEnds(item, dx, first, last);
    refineBranchEnds(engine, item, root, view, first - 1, last);
}

document::ResampleHook resampleHook(expr::Engine& engine, const ViewSettings& view, int sheetWidth) {
    return
        [&engine, &view, sheetWidth](DEFINEFUN& item) { confirm_funvalue(engine, item, view, sheetWidth); };
}

} // namespace quorvel::graph
