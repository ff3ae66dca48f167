#include "graph/ParameterRange.h"

#include "base/NumberFormat.h"
#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/UnassignedNames.h"
#include "graph/CurveDrawing.h"

#include <cmath>
#include <numbers>
#include <numeric>

namespace quorvel::graph {

namespace {

// The value a document gives back after storing value.
double asStored(double value) {
    return parseDecimal(formatGeneral(value)).value_or(value);
}

} // namespace

std::optional<double> parameterBound(std::string_view text) {
    if (const std::optional<double> number = parseDecimal(text))
        return std::isfinite(*number) ? std::optional<double>(asStored(*number)) : std::nullopt;
    expr::Conversion c = expr::convertText(text, expr::Road::Value);
    if (!c.ok()) return std::nullopt;
    if (!expr::namesTakenAsZero(c.functionForm, {}, expr::PlottingVariable::Collect).empty())
        return std::nullopt;
    QuietSink quiet;
    expr::Engine engine(quiet);
    expr::ExprNode* node = expr::evaluatedNode(c.tree.get());
    if (!node || !expr::evaluate(engine, node, 0)) return std::nullopt;
    const double value = expr::nodeValue(node);
    return std::isfinite(value) ? std::optional<double>(asStored(value)) : std::nullopt;
}

std::string parameterBoundText(double value) {
    constexpr int kParts = 12;
    const double twelfths = value / std::numbers::pi * kParts;
    const double whole = std::round(twelfths);
    if (value == 0 || !std::isfinite(value) ||
        std::abs(twelfths - whole) > 1e-9 * std::max(1.0, std::abs(whole)) || std::abs(whole) > 1e6)
        return formatGeneral(value);
    const long long n = static_cast<long long>(whole);
    const long long common = std::gcd(n < 0 ? -n : n, static_cast<long long>(kParts));
    const long long numerator = n / common;
    const long long denominator = kParts / common;
    std::string text = numerator == 1 ? "" : numerator == -1 ? "-" : std::to_string(numerator);
    text += "π";
    if (denominator != 1) text += "/" + std::to_string(denominator);
    return text;
}

} // namespace quorvel::graph
