#include "graph/CurveFunction.h"

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/NoiseBound.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace quorvel::graph {

namespace {

// A value within this many times its noise bound is shown as 0 (as expr::shownValue decides).
constexpr double kNoiseFactor = 4;

// The rounding of a correctly rounded result: half a unit in the last place.
double ownRounding(double y) {
    return std::numeric_limits<double>::epsilon() / 2 * std::fabs(y);
}

// Analysis shows no messages: a curve with no value somewhere simply has none there.
class QuietSink : public MessageSink {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    Answer ask(const std::string&, const std::string&) override { return Answer::Cancel; }
};

// A formula with an engine of its own: its tree (with the evaluator's plan inside) and its variables.
struct FormulaCurve {
    QuietSink sink;
    expr::Engine engine{sink};
    expr::ExprTree tree;
    expr::ExprNode* node = nullptr;
    double domainStart = 0;
    double domainEnd = 0;

    // Leaves the value in node when there is one.
    bool evaluateAt(double x) {
        if (!(x >= domainStart && x <= domainEnd)) return false;
        return expr::evaluate(engine, node, x) && std::isfinite(expr::nodeValue(node));
    }
};

enum class Names { AsGiven, Collected };

std::optional<CurveFunction> formulaCurve(std::string_view text, expr::TextKind kind,
                                          std::span<const NamedValue> values, Names names,
                                          std::string* refusal, double domainStart, double domainEnd) {
    auto curve = std::make_shared<FormulaCurve>();
    curve->domainStart = domainStart;
    curve->domainEnd = domainEnd;
    std::string why;
    const std::string expanded = expr::expandPiecewise(curve->engine, text, &why, kind);
    if (why.empty()) curve->tree = expr::buildTree(expanded, &why);
    if (!why.empty()) {
        if (refusal) *refusal = std::move(why);
        return std::nullopt;
    }
    expr::linkParents(curve->tree.get());
    curve->node = expr::evaluatedNode(curve->tree.get());
    if (names == Names::Collected) {
        expr::collectVariables(curve->engine, curve->tree.get());
        for (const NamedValue& named : values)
            curve->engine.variables.assign(named.name, named.value);
    } else {
        // As the sampler loads a curve's parameters: the table holds them and nothing else.
        std::vector<std::string> tableNames;
        std::vector<double> tableValues;
        for (const NamedValue& named : values) {
            tableNames.push_back(named.name);
            tableValues.push_back(named.value);
        }
        curve->engine.variables.load(tableNames, tableValues);
    }
    auto valueAt = [curve](double x) -> std::optional<double> {
        if (!curve->evaluateAt(x)) return std::nullopt;
        return expr::nodeValue(curve->node);
    };
    auto noiseAt = [curve](double x) -> double {
        if (!curve->evaluateAt(x)) return 0;
        return expr::noiseBound(curve->node).value_or(0);
    };
    return CurveFunction(std::move(valueAt), std::move(noiseAt));
}

} // namespace

CurveFunction::CurveFunction(Values values, Noise noise)
    : values_(std::move(values)), noise_(std::move(noise)) {}

CurveFunction CurveFunction::fromItem(const document::DEFINEFUN& item) {
    if (!item.isCurve()) return {};
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    std::vector<NamedValue> values;
    values.reserve(n);
    for (std::size_t k = 0; k < n; ++k)
        values.push_back({item.paramNames[k], item.paramValues[k]});
    std::optional<CurveFunction> curve =
        formulaCurve(item.expression, expr::TextKind::Markup, values, Names::AsGiven, nullptr,
                     item.domainStart, item.domainEnd);
    return curve ? std::move(*curve) : CurveFunction();
}

std::optional<CurveFunction> CurveFunction::fromText(std::string_view text, expr::TextKind kind,
                                                     std::span<const NamedValue> values, std::string* refusal,
                                                     double domainStart, double domainEnd) {
    return formulaCurve(text, kind, values, Names::Collected, refusal, domainStart, domainEnd);
}

double CurveFunction::noise(double x) const {
    const std::optional<double> y = (*this)(x);
    if (!y) return 0;
    return ownRounding(*y) + (noise_ ? noise_(x) : 0);
}

std::optional<double> CurveFunction::shownValue(double x) const {
    const std::optional<double> y = (*this)(x);
    if (!y) return std::nullopt;
    const double bound = noise_ ? noise_(x) : 0;
    return std::fabs(*y) <= kNoiseFactor * bound ? 0 : *y;
}

} // namespace quorvel::graph
