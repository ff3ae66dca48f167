// evaluate, nodeValue, collectVariables: the numeric rules of every keyword.
#include "expr/Evaluator.h"

#include "base/NumberFormat.h"
#include "base/UiText.h"
#include "expr/Engine.h"
#include "expr/EvaluationPlan.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace quorvel::expr {

namespace {

constexpr double kPi = std::numbers::pi;
// The leaf π is always kPi; its table entry is only shown and stored, as files have carried it.
constexpr double kTablePi = 3.1415926;
constexpr double kQuarterTurn = std::numbers::pi / 2;
constexpr int kIntegralSteps = 1000;
constexpr double kExponentTolerance = 1e-9;
constexpr double kDegreeTolerance = 1e-8;
constexpr double kIntegerTest = 0.00001;
constexpr double kResultBound = 1e10;
constexpr double kSmallestMagnitude = 1e-9;

// pow and exp report overflow, underflow and domain errors through a false result instead of a signal.
// An underflow is a result that lost all or part of its precision below the normal range although the
// exact result is not zero.
bool checkedPow(double base, double exponent, double& out) {
    // A square is exactly what pow gives, at a fraction of the cost (the quadratic template).
    const double r = exponent == 2 ? base * base : std::pow(base, exponent);
    if (!std::isfinite(r)) return false;
    if (base != 0 && std::fabs(r) < DBL_MIN) return false;
    out = r;
    return true;
}

bool checkedExp(double a, double& out) {
    const double r = std::exp(a);
    if (!std::isfinite(r) || r < DBL_MIN) return false;
    out = r;
    return true;
}

// True when the value's general decimal text (15 significant digits) holds digits only: no sign, no
// point, no exponent. Decided on the digits of the conversion, without building the text.
bool showsAsNatural(double v) {
    if (v == 0) return true;
    if (v < 0 || !std::isfinite(v)) return false;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);
    int significant = 0; // digits up to the last non-zero one
    int count = 0;
    for (char c : sci.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            ++count;
            if (c != '0') significant = count;
        }
    }
    return exponent >= 0 && exponent < 15 && significant <= exponent + 1;
}

using Op = EvaluationPlan::Op;
using Step = EvaluationPlan::Step;

Op operationOf(const ExprNode& node) {
    if (!node.first) {
        switch (node.leafKind) {
        case ExprNode::LeafKind::X:
            return Op::LeafX;
        case ExprNode::LeafKind::Pi:
            return Op::LeafPi;
        case ExprNode::LeafKind::Degrees:
            return Op::LeafDegrees;
        default:
            return Op::LeafName;
        }
    }
    const bool hasSecond = node.second != nullptr;
    const auto twoOperands = [hasSecond](Op op) { return hasSecond ? op : Op::Undefined; };
    switch (node.kind) {
    case Keyword::Paren:
    case Keyword::Bracket:
    case Keyword::Brace:
    case Keyword::Pos:
        return Op::Copy;
    case Keyword::Sqrt:
        return Op::Sqrt;
    case Keyword::Sin:
        return Op::Sin;
    case Keyword::Cos:
        return Op::Cos;
    case Keyword::Tg:
        return Op::Tg;
    case Keyword::Ctg:
        return Op::Ctg;
    case Keyword::Abs:
        return Op::Abs;
    case Keyword::Mus:
        return Op::Negate;
    case Keyword::Arcsin:
        return Op::Arcsin;
    case Keyword::Arccos:
        return Op::Arccos;
    case Keyword::Arctg:
        return Op::Arctg;
    case Keyword::Arcctg:
        return Op::Arcctg;
    case Keyword::Sec:
        return Op::Sec;
    case Keyword::Csc:
        return Op::Csc;
    case Keyword::Sgn:
        return Op::Sgn;
    case Keyword::Sh:
        return Op::Sh;
    case Keyword::Ch:
        return Op::Ch;
    case Keyword::Th:
        return Op::Th;
    case Keyword::Exp:
        return Op::Exp;
    case Keyword::Ln:
        return Op::Ln;
    case Keyword::Lg:
        return Op::Lg;
    case Keyword::Fac:
        return Op::Fac;
    case Keyword::Pd:
        return Op::Pd;
    case Keyword::Ing1:
        return Op::Integral;
    case Keyword::Add:
        return twoOperands(Op::Add);
    case Keyword::Sub:
        return twoOperands(Op::Sub);
    case Keyword::Mul:
    case Keyword::Muw:
    case Keyword::Mud:
        return twoOperands(Op::Mul);
    case Keyword::Div:
        return twoOperands(Op::Div);
    case Keyword::Log:
        return twoOperands(Op::Log);
    case Keyword::Les:
        return twoOperands(Op::Les);
    case Keyword::Ges:
        return twoOperands(Op::Ges);
    case Keyword::Lts:
        return twoOperands(Op::Lts);
    case Keyword::Gts:
        return twoOperands(Op::Gts);
    case Keyword::Eql:
        return twoOperands(Op::Eql);
    case Keyword::Nes:
        return twoOperands(Op::Nes);
    case Keyword::C:
        return twoOperands(Op::Combinations);
    case Keyword::P:
        return twoOperands(Op::Permutations);
    case Keyword::Cub:
    case Keyword::Ind:
        return twoOperands(Op::Power);
    case Keyword::Ext:
        return twoOperands(Op::Root);
    case Keyword::Pom:
    case Keyword::Aoc:
    case Keyword::Usu:
    case Keyword::Inc:
    case Keyword::App:
    case Keyword::Derive:
    case Keyword::Pderive:
    case Keyword::Sum:
    case Keyword::Matrix:
    case Keyword::Range:
    case Keyword::Prod:
    case Keyword::Lim:
        return Op::Undefined;
    default:
        return Op::NoRule; // vec, f, mod, upr, tab, lak, con, unknown names: the value stays as it is
    }
}

void addStep(ExprNode* node, std::vector<Step>& steps) {
    steps.push_back({node, node->first ? &node->first->value : nullptr,
                     node->second ? &node->second->value : nullptr, operationOf(*node), -1});
}

void addChildren(ExprNode* node, std::vector<Step>& steps);

// The order in which the rules run: a node's children (first, second, third) before the node; for the
// items of a list, the children of every item before the items' own rules.
void addSubtree(ExprNode* node, std::vector<Step>& steps) {
    if (!node) return;
    if (!node->next) {
        addChildren(node, steps);
        addStep(node, steps);
        return;
    }
    for (ExprNode* item = node; item; item = item->next.get())
        addChildren(item, steps);
    for (ExprNode* item = node; item; item = item->next.get())
        addStep(item, steps);
}

void addChildren(ExprNode* node, std::vector<Step>& steps) {
    addSubtree(node->first.get(), steps);
    addSubtree(node->second.get(), steps);
    addSubtree(node->third.get(), steps);
}

// An integral bound: a plain number, which a typed sign has turned into mus(number) or pos(number).
std::optional<double> boundValue(const ExprNode* bound) {
    if (!bound) return std::nullopt;
    // A literal beyond the doubles is read as infinite: no bound.
    if (!bound->first)
        return bound->leafKind == ExprNode::LeafKind::Number && std::isfinite(bound->leafNumber)
                   ? std::optional(bound->leafNumber)
                   : std::nullopt;
    const ExprNode* number = bound->first.get();
    if ((bound->kind != Keyword::Mus && bound->kind != Keyword::Pos) || bound->second || number->first ||
        number->leafKind != ExprNode::LeafKind::Number || !std::isfinite(number->leafNumber))
        return std::nullopt;
    return bound->kind == Keyword::Mus ? -number->leafNumber : number->leafNumber;
}

class Evaluation {
public:
    explicit Evaluation(Engine& engine) : engine_(engine), table_(engine.variables) {}

    // Runs the steps in order; the first step without a value leaves every later one (all its
    // ancestors among them) unevaluated.
    bool run(ExprNode* node, double x) {
        if (!node->plan) {
            node->plan = std::make_unique<EvaluationPlan>();
            addSubtree(node, node->plan->steps);
        }
        EvaluationPlan& plan = *node->plan;
        if (plan.table != &table_ || plan.generation != table_.generation()) lookUpNames(plan);
        for (const Step& s : plan.steps)
            if (!step(s, x)) return false;
        return true;
    }

private:
    void lookUpNames(EvaluationPlan& plan) {
        for (Step& s : plan.steps)
            if (s.op == Op::LeafName) s.slot = table_.find(s.node->text);
        plan.table = &table_;
        plan.generation = table_.generation();
    }

    // Writes r as the node's value unless it is no finite number (an overflow or invalid operation).
    static bool store(ExprNode* node, double r) {
        if (!std::isfinite(r)) return false;
        node->value = r;
        return true;
    }

    // Inlined into the loop of run, so that a step costs no call of its own; the rare rules with loops or
    // messages stay out of line.
    [[gnu::always_inline]] bool step(const Step& s, double x) {
        ExprNode* node = s.node;
        switch (s.op) {
        case Op::LeafX:
            node->value = x;
            return true;
        case Op::LeafPi:
            node->value = kPi;
            return true;
        case Op::LeafName:
            if (s.slot >= 0) {
                node->value = table_.value(s.slot);
                return true;
            }
            // A literal beyond the doubles ("1e400") was read as infinite and has no value.
            return node->leafKind == ExprNode::LeafKind::Number && store(node, node->leafNumber);
        case Op::LeafDegrees:
            return store(node, node->leafNumber);
        case Op::Copy:
            return store(node, *s.a);
        case Op::Sqrt:
            return *s.a >= 0 && store(node, std::sqrt(*s.a));
        case Op::Sin:
            return store(node, std::sin(*s.a));
        case Op::Cos:
            return store(node, std::cos(*s.a));
        case Op::Tg:
            return store(node, std::tan(*s.a));
        case Op::Ctg: {
            const double t = std::tan(*s.a);
            return t != 0 && store(node, 1 / t);
        }
        case Op::Abs:
            return store(node, std::fabs(*s.a));
        case Op::Negate:
            return store(node, -*s.a);
        case Op::Arcsin:
            return *s.a >= -1 && *s.a <= 1 && store(node, std::asin(*s.a));
        case Op::Arccos:
            return *s.a >= -1 && *s.a <= 1 && store(node, std::acos(*s.a));
        case Op::Arctg:
            return store(node, std::atan(*s.a));
        case Op::Arcctg:
            return store(node, kQuarterTurn - std::atan(*s.a));
        case Op::Sec: {
            const double c = std::cos(*s.a);
            return c != 0 && store(node, 1 / c);
        }
        case Op::Csc: {
            const double c = std::sin(*s.a);
            return c != 0 && store(node, 1 / c);
        }
        case Op::Sgn:
            return store(node, *s.a > 0 ? 1 : *s.a < 0 ? -1 : 0);
        case Op::Sh:
            return store(node, std::sinh(*s.a));
        case Op::Ch:
            return store(node, std::cosh(*s.a));
        case Op::Th:
            return store(node, std::tanh(*s.a));
        case Op::Exp: {
            double v = 0;
            return checkedExp(*s.a, v) && store(node, v);
        }
        case Op::Ln:
            return *s.a > 0 && store(node, std::log(*s.a));
        case Op::Lg:
            return *s.a > 0 && store(node, std::log10(*s.a));
        case Op::Fac:
            return factorial(node, *s.a);
        case Op::Pd:
            return store(node, *s.a == 1 ? 1 : 0);
        case Op::Integral:
            return integral(node);
        case Op::Add:
            return store(node, *s.a + *s.b);
        case Op::Sub:
            return store(node, *s.a - *s.b);
        case Op::Mul:
            return store(node, *s.a * *s.b);
        case Op::Div:
            return *s.b != 0 && store(node, *s.a / *s.b);
        case Op::Log:
            return *s.a > 0 && *s.b > 0 && store(node, std::log10(*s.b) / std::log10(*s.a));
        case Op::Les:
            return store(node, *s.a <= *s.b ? 1 : 0);
        case Op::Ges:
            return store(node, *s.a >= *s.b ? 1 : 0);
        case Op::Lts:
            return store(node, *s.a < *s.b ? 1 : 0);
        case Op::Gts:
            return store(node, *s.a > *s.b ? 1 : 0);
        case Op::Eql:
            return store(node, *s.a == *s.b ? 1 : 0);
        case Op::Nes:
            return store(node, *s.a != *s.b ? 1 : 0);
        case Op::Combinations:
            return combinatorial(node, *s.a, *s.b, true);
        case Op::Permutations:
            return combinatorial(node, *s.a, *s.b, false);
        case Op::Power:
            return power(node, *s.a, *s.b);
        case Op::Root:
            return root(node, *s.a, *s.b);
        case Op::Undefined:
            return false;
        case Op::NoRule:
            return true;
        }
        return false;
    }

    [[gnu::noinline]] bool natural(double v) {
        if (showsAsNatural(v)) return true;
        engine_.undefinedReason = UndefinedReason::NotNatural;
        return false;
    }

    // The rest of a power or root once pow has run: its fault, the result bound and the reciprocal of a
    // negative exponent.
    [[gnu::noinline]] bool finishPower(ExprNode* node, bool powOk, double v, bool negativeExponent) {
        if (!powOk || std::fabs(v) >= kResultBound) return false;
        if (negativeExponent) {
            if (v == 0) return false;
            if (v > 0 && v < kSmallestMagnitude)
                v = kSmallestMagnitude;
            else if (v < 0 && v > -kSmallestMagnitude)
                v = -kSmallestMagnitude;
            v = 1 / v;
        }
        return store(node, v);
    }

    [[gnu::noinline]] bool power(ExprNode* node, double exponent, double base) {
        const bool negative = exponent < 0;
        if (negative) exponent = -exponent;
        const double whole = std::trunc(exponent + kExponentTolerance);
        double v = 0;
        const bool ok = checkedPow(base, std::fabs(exponent - whole) >= kIntegerTest ? exponent : whole, v);
        return finishPower(node, ok, v, negative);
    }

    [[gnu::noinline]] bool root(ExprNode* node, double degree, double radicand) {
        if (degree == 0) return false; // 1/0
        double q = 1 / degree;
        const bool negative = q < 0;
        if (negative) q = -q;
        const double t = negative ? degree - kDegreeTolerance : degree + kDegreeTolerance;
        const double m = std::trunc(t);
        double v = 0;
        bool ok = false;
        if (std::fabs(t - m) < kIntegerTest && radicand < 0 && m > 0 && std::fmod(m, 2) == 1) {
            ok = checkedPow(-radicand, q, v); // odd root of a negative number
            v = -v;
        } else {
            ok = checkedPow(radicand, q, v);
        }
        return finishPower(node, ok, v, negative);
    }

    [[gnu::noinline]] bool factorial(ExprNode* node, double a) {
        if (a < 0 || !natural(a)) return false;
        // The text shows a whole number, so that is the number meant (2.9999999999999996 shows as 3).
        const double n = std::round(a);
        double product = 1;
        for (double f = 1; f <= n; f += 1) {
            product *= f;
            if (std::isinf(product)) return false; // beyond 170!: stops at once however large the argument
        }
        return store(node, product);
    }

    // c(n,k) and p(n,k) with k = a, n = b, multiplied out term by term so that large n with small k
    // stay exact instead of overflowing through n!.
    [[gnu::noinline]] bool combinatorial(ExprNode* node, double a, double b, bool combinations) {
        if (a < 0 || !natural(a) || b < 0 || !natural(b) || a > b) return false;
        const double k = std::round(a);
        const double n = std::round(b);
        if (k > n) return false;
        double r = 1;
        if (combinations) {
            const double kk = std::min(k, n - k);
            for (double i = 1; i <= kk; i += 1) {
                r = r * (n - kk + i) / i;
                if (std::isinf(r)) return false;
            }
        } else {
            for (double i = 0; i < k; i += 1) {
                r *= n - i;
                if (std::isinf(r)) return false;
            }
        }
        return store(node, r);
    }

    [[gnu::noinline]] bool integral(ExprNode* node) {
        // The value does not depend on x: once a non-zero value is known it is kept.
        if (node->value != 0) return true;
        const auto a = boundValue(node->first.get());
        const auto b = boundValue(node->first->next.get());
        ExprNode* f = node->second.get();
        if (!a || !b || !f) return false;
        // An integral inside the integrand of another one would otherwise be computed again for each of
        // its 1001 points (a freeze when nested a few deep, when its value is 0 or when it fails).
        if (f->plan && f->plan->integralPass == engine_.evaluationPass)
            return f->plan->integralDefined && store(node, f->plan->integralValue);
        const double h = (*a - *b) / kIntegralSteps;
        run(f, *a);
        double sum = f->value;
        run(f, *b);
        sum += f->value;
        bool ok = true;
        for (int i = 1; i < kIntegralSteps && ok; ++i) {
            if (run(f, *b + i * h))
                sum += 2 * f->value;
            else
                ok = false; // no value whatever the other points give
        }
        EvaluationPlan& memo = *f->plan;
        memo.integralPass = engine_.evaluationPass;
        memo.integralDefined = ok && std::isfinite(h * 0.5 * sum);
        memo.integralValue = memo.integralDefined ? h * 0.5 * sum : 0;
        // A failed integral keeps no value, so that a later evaluation does not take it as known.
        return memo.integralDefined && store(node, memo.integralValue);
    }

    Engine& engine_;
    const VariableTable& table_;
};

double namedStartValue(const std::string& name) {
    if (name == "e" || name == "E") return std::numbers::e;
    if (name == "π") return kTablePi;
    return 0;
}

class Collector {
public:
    Collector(Engine& engine, PlottingVariable x) : engine_(engine), x_(x) {}

    // Children before the node, and the rest of a list before its first item, as a post-order walk over
    // first, second, third and next visits them.
    void walk(const ExprNode* node) {
        std::vector<const ExprNode*> items;
        for (const ExprNode* item = node; item; item = item->next.get())
            items.push_back(item);
        for (const ExprNode* item : items)
            for (const ExprNode* child : {item->first.get(), item->second.get(), item->third.get()})
                if (child) walk(child);
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if (!(*it)->first) consider(**it);
    }

private:
    void consider(const ExprNode& leaf) {
        const std::string& name = leaf.text;
        // An empty operand (as in a*-b) is no variable; neither are numbers, angles in degrees and, unless
        // asked for, the plotting variable.
        if (name.empty() || leaf.leafKind == ExprNode::LeafKind::Number ||
            leaf.leafKind == ExprNode::LeafKind::Degrees ||
            (leaf.leafKind == ExprNode::LeafKind::X && x_ == PlottingVariable::Skip))
            return;
        VariableTable& table = engine_.variables;
        if (table.find(name) >= 0) return;
        if (table.full()) {
            if (!warned_)
                engine_.sink().show(UI_TEXT("变量数目超过了100，不能在添加变量！"), kCaptionWarning,
                                    MessageIcon::Warning);
            warned_ = true;
            return;
        }
        table.append(name, namedStartValue(name));
    }

    Engine& engine_;
    PlottingVariable x_;
    bool warned_ = false;
};

} // namespace

bool evaluate(Engine& engine, ExprNode* node, double x) {
    engine.undefinedReason = UndefinedReason::None;
    if (!node) return true;
    ++engine.evaluationPass;
    return Evaluation(engine).run(node, x);
}

double nodeValue(const ExprNode* node) {
    return node ? node->value : 0;
}

void collectVariables(Engine& engine, const ExprNode* root, PlottingVariable x) {
    if (root) Collector(engine, x).walk(root);
}

ExprNode* evaluatedNode(ExprNode* root) {
    if (root && root->exactKind == Keyword::Eql && root->second) return root->second.get();
    return root;
}

const ExprNode* evaluatedNode(const ExprNode* root) {
    if (root && root->exactKind == Keyword::Eql && root->second) return root->second.get();
    return root;
}

} // namespace quorvel::expr
