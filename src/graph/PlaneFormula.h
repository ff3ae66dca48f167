#pragma once

#include "document/Records.h"
#include "expr/ExprNode.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::graph {

// Which kind of curve a formula's shape asks for (read from its stored markup):
// - a system of two equations x = f(t), y = g(t): parametric;
// - r = f(θ) without x and y: polar;
// - an inequality in x and y, or a system (lak) of them: a region;
// - y = f(x) without y on the right, or an expression without "=": a function curve (kind 2);
// - any other equation: implicit.
// Any other system is a piecewise function. Nothing when the markup does not parse.
[[nodiscard]] std::optional<int> curveKindOfMarkup(std::string_view markup);
// The same for a formula's tree (its function form); a function curve when root is null.
[[nodiscard]] int curveKindOfTree(const expr::ExprNode* root);
// True when name is a variable that curves of kind are drawn over (y of an implicit curve, t of a
// parametric one, r and θ of a polar one), so it needs no value of its own.
[[nodiscard]] bool isCurveVariable(std::string_view name, int kind);

// The kind markup is drawn as when the user asks for requested: requested itself when the formula has its
// shape; for an implicit curve or region (one choice for the user) the one of the two it is, an equation
// y = f(x) included. Otherwise the message saying the shape requested wants.
struct KindFit {
    std::optional<int> kind;
    std::string problem;
};
[[nodiscard]] KindFit fitCurveKind(std::string_view markup, int requested);

// A curve of the plane's formula with an engine of its own (its tree and variables), so evaluating reads and
// changes nothing of the program's. The parameter of a parametric or polar curve is t or θ; the item's
// parameters (A, B, C, …) have their values; other names are 0.
class PlaneFormula {
public:
    // The formula of item (kinds 5 … 8); nothing when it does not parse or does not fit its kind.
    [[nodiscard]] static std::unique_ptr<PlaneFormula> fromItem(const document::DEFINEFUN& item);
    ~PlaneFormula();
    PlaneFormula(const PlaneFormula&) = delete;
    PlaneFormula& operator=(const PlaneFormula&) = delete;

    int kind() const { return kind_; }

    // Implicit: F(x, y) − G(x, y); NaN where either side is undefined.
    [[nodiscard]] double implicitValue(double x, double y);
    // Region: each inequality as a margin, positive inside (NaN where undefined), strict for < and >.
    [[nodiscard]] std::size_t constraintCount() const { return relations_.size(); }
    [[nodiscard]] double margin(std::size_t constraint, double x, double y);
    [[nodiscard]] bool strict(std::size_t constraint) const;
    // Parametric and polar: the point of the plane for parameter t; nothing where undefined.
    [[nodiscard]] std::optional<std::pair<double, double>> pointAt(double t);

private:
    struct State;
    // lhs ◦ rhs: an equation (x = …, y = …, r = …, F = G) or an inequality.
    struct Relation {
        expr::ExprNode* lhs = nullptr;
        expr::ExprNode* rhs = nullptr;
        expr::Keyword sign = expr::Keyword::Eql;
    };
    PlaneFormula();
    // The value of node at (x, y) with the parameter; NaN where undefined.
    double valueOf(expr::ExprNode* node, double x, double y, double parameter);

    int kind_ = 0;
    std::unique_ptr<State> state_;
    std::vector<Relation> relations_;
};

} // namespace quorvel::graph
