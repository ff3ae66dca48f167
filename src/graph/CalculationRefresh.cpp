#include "graph/CalculationRefresh.h"

#include "expr/Calculation.h"
#include "expr/Parser.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>

namespace quorvel::graph {

namespace {

// The formula part of a calculation object's text, in function form: the left side of its "=".
std::optional<std::string> formulaPart(expr::Engine& engine, const std::string& expression) {
    std::string refusal;
    std::string form = expr::toFunctionForm(expr::stripBlanks(expression), &refusal);
    if (refusal.empty()) form = expr::expandPiecewise(engine, form, &refusal);
    if (!refusal.empty()) return std::nullopt;
    expr::ExprTree tree = expr::buildTree(form, &refusal);
    if (!refusal.empty() || !tree) return std::nullopt;
    expr::linkParents(tree.get());
    const expr::ExprNode* formula = tree.get();
    if (formula->exactKind == expr::Keyword::Eql && formula->first) formula = formula->first.get();
    std::string text = expr::treeToText(formula);
    if (text.empty()) return std::nullopt;
    return text;
}

} // namespace

bool changecal(expr::Engine& engine, document::Document& doc, int index, GraphItemPainter& painter,
               typeset::Canvas& measuring) {
    if (index < 0 || index >= doc.curveCount()) return false;
    document::DEFINEFUN& item = doc.curve(index);
    if (item.kind != document::KindCalculation) return false;

    const std::optional<std::string> formula = formulaPart(engine, item.expression);
    if (!formula) {
        // Without a formula there is nothing to put a new result behind; the text stays as it was.
        engine.sink().show(std::string(expr::kRecalculationFailed), "错误", MessageIcon::Error);
        return false;
    }

    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    engine.variables.load(std::span(item.paramNames.data(), n), std::span(item.paramValues.data(), n));
    bool defined = false;
    item.expression = expr::calculationText(engine, *formula, true, &defined);
    engine.freeTree(engine.currentTree);

    painter.sizeLabelBox(item, measuring);
    return defined;
}

} // namespace quorvel::graph
