#include "expr/Calculation.h"

#include "base/NumberFormat.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/NoiseBound.h"
#include "expr/Parser.h"

#include <utility>

namespace quorvel::expr {

namespace {

// x is a name like any other here: its value from the table (x before X, as they come), else 0.
double tableX(const VariableTable& table) {
    for (int i = 0; i < table.count(); ++i)
        if (table.name(i) == "x" || table.name(i) == "X") return table.value(i);
    return 0;
}

} // namespace

std::string calculationText(Engine& engine, std::string_view input, bool reopened, bool* defined) {
    std::string refusal;
    std::string form = toFunctionForm(input, &refusal);
    if (refusal.empty()) form = expandPiecewise(engine, form, &refusal, TextKind::FunctionForm);
    bool hasValue = false;
    double value = 0;
    engine.undefinedReason = UndefinedReason::None; // a refused text is never evaluated
    if (refusal.empty()) {
        bool built = false;
        // An equation's value is that of its right side, as on the plotting road.
        ExprNode* node = evaluatedNode(engine.rebuildCurrentTree(form, true, &built));
        if (built) {
            hasValue = evaluate(engine, node, tableX(engine.variables));
            if (hasValue) value = shownValue(node);
        }
    }
    // A text the parser refuses is reported like any other calculation without value.
    std::string result;
    if (defined) *defined = hasValue;
    if (hasValue) {
        result = formatGeneral(value);
    } else {
        const std::string_view message = reopened ? kRecalculationFailed : kCalculationFailed;
        if (const std::string_view why = undefinedMessage(engine.undefinedReason); !why.empty())
            engine.sink().show(std::string(why), kCaptionError, MessageIcon::Error);
        engine.sink().show(std::string(message), kCaptionError, MessageIcon::Error);
        result = std::string(kCalculationError);
    }
    return std::string(input) + "=" + result;
}

std::optional<std::string> calculationFormula(Engine& engine, std::string_view text) {
    std::string refusal;
    std::string form = toFunctionForm(stripBlanks(text), &refusal);
    if (refusal.empty()) form = expandPiecewise(engine, form, &refusal, TextKind::FunctionForm);
    if (!refusal.empty()) return std::nullopt;
    ExprTree tree = buildTree(form, &refusal);
    if (!refusal.empty() || !tree) return std::nullopt;
    // "=" groups to the right, so the last one is the innermost equation down the right sides; the
    // formula is the tree with that equation replaced by its left side.
    ExprTree* last = nullptr;
    for (ExprTree* at = &tree; *at && (*at)->exactKind == Keyword::Eql && (*at)->first; at = &(*at)->second)
        last = at;
    if (last) {
        ExprTree left = std::move((*last)->first);
        *last = std::move(left);
    }
    linkParents(tree.get());
    std::string formula = treeToText(tree.get());
    if (formula.empty()) return std::nullopt;
    return formula;
}

} // namespace quorvel::expr
