#pragma once

#include "document/Records.h"
#include "expr/Parser.h"

#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel::graph {

// A name of a formula with the value it is given (a template's A, B, C; a NAME=VALUE of the CLI).
struct NamedValue {
    std::string name;
    double value = 0;
};

// One curve y = f(x) as the analysis reads it: the value at any x, or nothing where the curve has none
// (outside its domain, a fault of the formula, an infinite or NaN result), and a bound on the rounding
// error of that value.
//
// Made from a curve item or a formula, it holds its own tree and variable table: it reads nothing of the
// program's engine and changes nothing there, and the item may change or go once it is made. Copies share
// that state: one thread at a time evaluates a function and its copies (a copy per worker thread is made
// by calling fromItem or fromText again). Evaluating is the evaluator's flat plan, built once, with no
// parsing and no allocation per call.
class CurveFunction {
public:
    using Values = std::function<std::optional<double>(double x)>;
    using Noise = std::function<double(double x)>;

    // No curve: no value anywhere.
    CurveFunction() = default;
    // Any function of x, for curves of other kinds and for tests; noise gives the bound on the rounding
    // error of the value at x (none: the rounding of the value itself only).
    explicit CurveFunction(Values values, Noise noise = {});

    // A curve item (kinds 2 and 3): its formula with its parameters (paramNames, paramValues) and its
    // domain [domainStart, domainEnd], exactly as the sampler draws it. A name of the formula that is no
    // parameter has no value, as in the drawing. Any other kind, or a formula the parser refuses, gives
    // no curve.
    [[nodiscard]] static CurveFunction fromItem(const document::DEFINEFUN& item);

    // A formula as typed text becomes it (the function form of expr::convertText, kind FunctionForm) or
    // as a file stores it (markup, kind Markup), on the plotting road of the CLI's eval: the names of the
    // formula other than x are collected (e and π with their constants, others 0), then given the values.
    // Defined on [domainStart, domainEnd]. Nothing, with the parser's refusal in refusal if given, when
    // the parser refuses the text.
    [[nodiscard]] static std::optional<CurveFunction>
    fromText(std::string_view text, expr::TextKind kind, std::span<const NamedValue> values = {},
             std::string* refusal = nullptr, double domainStart = -std::numeric_limits<double>::infinity(),
             double domainEnd = std::numeric_limits<double>::infinity());

    // True when there is no curve at all.
    [[nodiscard]] bool empty() const { return !values_; }

    // The value at x: a finite number, or nothing.
    std::optional<double> operator()(double x) const { return values_ ? values_(x) : std::nullopt; }

    // A bound on the rounding error of the value at x (expr::noiseBound for formulas), at least the
    // rounding of the value itself; 0 where there is no value.
    [[nodiscard]] double noise(double x) const;

    // The value at x as the program shows it: 0 when it lies within its rounding noise (sin π), as the
    // CLI's eval shows values.
    [[nodiscard]] std::optional<double> shownValue(double x) const;

private:
    Values values_;
    Noise noise_;
};

} // namespace quorvel::graph
