#include "graph/CalculationRefresh.h"

#include "expr/Calculation.h"
#include "expr/Parser.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>

namespace quorvel::graph {

bool changecal(expr::Engine& engine, document::Document& doc, int index, GraphItemPainter& painter,
               typeset::Canvas& measuring) {
    if (index < 0 || index >= doc.curveCount()) return false;
    document::DEFINEFUN& item = doc.curve(index);
    if (item.kind != document::KindCalculation) return false;

    const std::optional<std::string> formula = expr::calculationFormula(engine, item.expression);
    if (!formula) {
        // Without a formula there is nothing to put a new result behind; the text stays as it was.
        engine.sink().show(std::string(expr::kRecalculationFailed), kCaptionError, MessageIcon::Error);
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
