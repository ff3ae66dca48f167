#include "graph/PlaneFormula.h"

#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "graph/CurveDrawing.h"
#include "graph/Messages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

namespace quorvel::graph {

using document::DEFINEFUN;
using expr::ExprNode;
using expr::Keyword;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Names = std::span<const std::string_view>;

bool isLeafNamed(const ExprNode* node, Names names) {
    if (!node || !node->isLeaf()) return false;
    return std::find(names.begin(), names.end(), node->text) != names.end();
}

// True when a leaf below node (node included, its own `next` siblings not) has one of the names.
bool mentions(const ExprNode* node, Names names) {
    if (!node) return false;
    if (isLeafNamed(node, names)) return true;
    for (const ExprNode* child : {node->first.get(), node->second.get(), node->third.get()})
        for (const ExprNode* c = child; c; c = c->next.get())
            if (mentions(c, names)) return true;
    return false;
}

constexpr std::array<std::string_view, 2> kX = {"x", "X"};
constexpr std::array<std::string_view, 2> kY = {"y", "Y"};
constexpr std::array<std::string_view, 4> kXY = {"x", "X", "y", "Y"};
constexpr std::array<std::string_view, 3> kR = {"r", "R", "ρ"};
constexpr std::array<std::string_view, 3> kParameters = {"t", "T", "θ"};

bool isInequality(const ExprNode* node) {
    if (!node || !node->first || !node->second) return false;
    const Keyword k = node->exactKind;
    return k == Keyword::Les || k == Keyword::Ges || k == Keyword::Lts || k == Keyword::Gts;
}

bool isEquation(const ExprNode* node) {
    return node && node->exactKind == Keyword::Eql && node->first && node->second;
}

// The value of a number leaf, as the tree resolved it; nothing for any other node.
std::optional<double> numberOf(const ExprNode* node) {
    if (!node || !node->isLeaf() || node->leafKind != ExprNode::LeafKind::Number) return std::nullopt;
    return node->leafNumber;
}

bool isZeroLeaf(const ExprNode* node) {
    return numberOf(node) == 0.0;
}

// For a side A of A = 0: the part of A that changes sign at A's zeros. Curves are traced where the value
// changes sign, and an even power, an absolute value or a root keeps its sign at a zero, so (x−y)² = 0,
// |x−y| = 0 and √(x−y) = 0 are traced as x − y = 0. Each step is 0 exactly where its operand is.
ExprNode* signChangingCore(ExprNode* side) {
    ExprNode* core = side;
    while (core) {
        ExprNode* inner = nullptr;
        switch (core->exactKind) {
        case Keyword::Paren:
        case Keyword::Abs:
        case Keyword::Mus:
        case Keyword::Sqrt:
            inner = core->first.get();
            break;
        case Keyword::Cub: { // an even power
            const std::optional<double> n = numberOf(core->first.get());
            if (n && *n > 0 && std::fmod(*n, 2) == 0) inner = core->second.get();
            break;
        }
        case Keyword::Ext: // a root of a positive degree (others have no value at 0)
            if (numberOf(core->first.get()) > 0.0) inner = core->second.get();
            break;
        default:
            break;
        }
        if (!inner) break;
        core = inner;
    }
    return core;
}

std::vector<ExprNode*> systemLines(ExprNode* lak) {
    std::vector<ExprNode*> lines;
    for (ExprNode* line = lak->second.get(); line; line = line->next.get())
        lines.push_back(line);
    return lines;
}

struct Shape {
    int kind = document::KindCustomFunction;
    std::vector<ExprNode*> relations; // parametric: the x line, then the y line
};

std::optional<Shape> shapeOf(ExprNode* root) {
    if (!root) return std::nullopt;
    if (root->exactKind == Keyword::Lak) {
        const std::vector<ExprNode*> lines = systemLines(root);
        if (lines.empty()) return std::nullopt;
        if (std::all_of(lines.begin(), lines.end(), isInequality)) return Shape{document::KindRegion, lines};
        if (lines.size() == 2 && isEquation(lines[0]) && isEquation(lines[1])) {
            ExprNode* xLine = isLeafNamed(lines[0]->first.get(), kX) ? lines[0] : lines[1];
            ExprNode* yLine = xLine == lines[0] ? lines[1] : lines[0];
            if (isLeafNamed(xLine->first.get(), kX) && isLeafNamed(yLine->first.get(), kY) &&
                !mentions(xLine->second.get(), kXY) && !mentions(yLine->second.get(), kXY))
                return Shape{document::KindParametric, {xLine, yLine}};
        }
        return Shape{}; // a piecewise function is a system of its pieces
    }
    if (isInequality(root)) return Shape{document::KindRegion, {root}};
    if (!isEquation(root)) return Shape{};
    ExprNode* lhs = root->first.get();
    ExprNode* rhs = root->second.get();
    if (isLeafNamed(lhs, kY) && !mentions(rhs, kY)) return Shape{};
    if (isLeafNamed(lhs, kR) && !mentions(rhs, kXY) && !mentions(rhs, kR))
        return Shape{document::KindPolar, {root}};
    return Shape{document::KindImplicit, {root}};
}

expr::Conversion converted(std::string_view markup) {
    return expr::convertText(markup, expr::Road::Value, expr::Reading::Literal);
}

} // namespace

int curveKindOfTree(const expr::ExprNode* root) {
    // Classifying only reads the tree.
    const std::optional<Shape> shape = shapeOf(const_cast<ExprNode*>(root));
    return shape ? shape->kind : document::KindCustomFunction;
}

bool isCurveVariable(std::string_view name, int kind) {
    const auto in = [name](Names names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    switch (kind) {
    case document::KindParametric:
        return in(kY) || in(kParameters);
    case document::KindPolar:
        return in(kR) || in(kParameters);
    case document::KindImplicit:
    case document::KindRegion:
        return in(kY);
    default:
        return false;
    }
}

std::optional<int> curveKindOfMarkup(std::string_view markup) {
    const expr::Conversion c = converted(markup);
    if (!c.ok()) return std::nullopt;
    const std::optional<Shape> shape = shapeOf(c.tree.get());
    return shape ? std::optional<int>(shape->kind) : std::nullopt;
}

KindFit fitCurveKind(std::string_view markup, int requested) {
    const expr::Conversion c = converted(markup);
    const std::optional<Shape> shape = c.ok() ? shapeOf(c.tree.get()) : std::nullopt;
    const bool either = requested == document::KindImplicit || requested == document::KindRegion;
    if (shape && shape->kind == requested) return {requested, {}};
    if (shape && either) {
        if (shape->kind == document::KindRegion || shape->kind == document::KindImplicit)
            return {shape->kind, {}};
        if (shape->kind == document::KindCustomFunction && isEquation(c.tree.get()))
            return {document::KindImplicit, {}};
    }
    switch (requested) {
    case document::KindParametric:
        return {std::nullopt, kParametricFormMessage};
    case document::KindPolar:
        return {std::nullopt, kPolarFormMessage};
    case document::KindImplicit:
    case document::KindRegion:
        return {std::nullopt, kImplicitFormMessage};
    default:
        return {std::nullopt, kFunctionFormMessage};
    }
}

struct PlaneFormula::State {
    QuietSink sink;
    expr::Engine engine{sink};
    expr::ExprTree tree;
    std::vector<int> yIndices;
    std::vector<int> parameterIndices;
};

PlaneFormula::PlaneFormula() : state_(std::make_unique<State>()) {}
PlaneFormula::~PlaneFormula() = default;

std::unique_ptr<PlaneFormula> PlaneFormula::fromItem(const DEFINEFUN& item) {
    if (!item.isPlaneCurve()) return nullptr;
    expr::Conversion c = converted(item.expression);
    if (!c.ok()) return nullptr;
    std::optional<Shape> shape = shapeOf(c.tree.get());
    // An equation y = f(x) may be drawn as an implicit curve.
    if (shape && shape->kind == document::KindCustomFunction && item.kind == document::KindImplicit &&
        isEquation(c.tree.get()))
        shape = Shape{document::KindImplicit, {c.tree.get()}};
    if (!shape || shape->kind != item.kind) return nullptr;

    std::unique_ptr<PlaneFormula> formula(new PlaneFormula());
    formula->kind_ = item.kind;
    for (ExprNode* relation : shape->relations)
        formula->relations_.push_back({relation->first.get(), relation->second.get(), relation->exactKind});
    if (item.kind == document::KindImplicit && !formula->relations_.empty()) {
        Relation& r = formula->relations_.front();
        if (isZeroLeaf(r.rhs)) r.lhs = signChangingCore(r.lhs);
        if (isZeroLeaf(r.lhs)) r.rhs = signChangingCore(r.rhs);
    }
    State& s = *formula->state_;
    s.tree = std::move(c.tree);
    expr::VariableTable& table = s.engine.variables;
    expr::collectVariables(s.engine, s.tree.get());
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    for (std::size_t k = 0; k < n; ++k)
        if (const int at = table.find(item.paramNames[k]); at >= 0) table.setValue(at, item.paramValues[k]);
    for (std::string_view name : kY)
        if (const int at = table.find(name); at >= 0) s.yIndices.push_back(at);
    for (std::string_view name : kParameters)
        if (const int at = table.find(name); at >= 0) s.parameterIndices.push_back(at);
    return formula;
}

double PlaneFormula::valueOf(ExprNode* node, double x, double y, double parameter) {
    State& s = *state_;
    for (int at : s.yIndices)
        s.engine.variables.setValue(at, y);
    for (int at : s.parameterIndices)
        s.engine.variables.setValue(at, parameter);
    if (!expr::evaluate(s.engine, node, x)) return kNaN;
    const double value = expr::nodeValue(node);
    return std::isfinite(value) ? value : kNaN;
}

double PlaneFormula::implicitValue(double x, double y) {
    if (relations_.empty()) return kNaN;
    const Relation& r = relations_.front();
    return valueOf(r.lhs, x, y, 0) - valueOf(r.rhs, x, y, 0);
}

double PlaneFormula::margin(std::size_t constraint, double x, double y) {
    if (constraint >= relations_.size()) return kNaN;
    const Relation& r = relations_[constraint];
    const double difference = valueOf(r.lhs, x, y, 0) - valueOf(r.rhs, x, y, 0);
    const bool below = r.sign == Keyword::Les || r.sign == Keyword::Lts;
    return below ? -difference : difference;
}

bool PlaneFormula::strict(std::size_t constraint) const {
    if (constraint >= relations_.size()) return false;
    const Keyword sign = relations_[constraint].sign;
    return sign == Keyword::Lts || sign == Keyword::Gts;
}

std::optional<std::pair<double, double>> PlaneFormula::pointAt(double t) {
    double x = kNaN;
    double y = kNaN;
    if (kind_ == document::KindParametric && relations_.size() == 2) {
        x = valueOf(relations_[0].rhs, 0, 0, t);
        y = valueOf(relations_[1].rhs, 0, 0, t);
    } else if (kind_ == document::KindPolar && relations_.size() == 1) {
        // A negative radius lies on the opposite ray, as the formulas give by themselves.
        const double r = valueOf(relations_[0].rhs, 0, 0, t);
        x = r * std::cos(t);
        y = r * std::sin(t);
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return std::pair{x, y};
}

} // namespace quorvel::graph
