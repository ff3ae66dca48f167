#include "expr/Calculation.h"

#include "base/NumberFormat.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"

namespace quorvel::expr {

std::string calculationText(Engine& engine, std::string_view input, bool reopened, bool* defined) {
    std::string refusal;
    std::string form = toFunctionForm(input, &refusal);
    if (refusal.empty()) form = expandPiecewise(engine, form, &refusal);
    bool hasValue = false;
    double value = 0;
    if (refusal.empty()) {
        bool built = false;
        ExprNode* root = engine.rebuildCurrentTree(form, true, &built);
        if (built) {
            hasValue = evaluate(engine, root, 1.0);
            value = nodeValue(root);
        }
    }
    // A text the parser refuses is reported like any other calculation without value.
    std::string result;
    if (defined) *defined = hasValue;
    if (hasValue) {
        result = formatGeneral(value);
    } else {
        const std::string_view message = reopened ? kRecalculationFailed : kCalculationFailed;
        engine.sink().show(std::string(message), "错误", MessageIcon::Error);
        result = std::string(kCalculationError);
    }
    return std::string(input) + "=" + result;
}

} // namespace quorvel::expr
