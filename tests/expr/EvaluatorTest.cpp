#include "TreeShape.h"

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>

namespace quorvel::expr {
namespace {

constexpr double kUndefined = NAN; // marks a case without value

struct Rule {
    const char* markup; // evaluated as a whole (not through the right side of an equation)
    double x;
    double expected; // kUndefined: no value
};

void PrintTo(const Rule& r, std::ostream* os) {
    *os << r.markup << " at x=" << r.x;
}

class EvaluatorTest : public ::testing::Test {
protected:
    std::optional<double> valueOf(std::string_view markup, double x = 1) {
        tree = test::treeOf(markup);
        if (!evaluate(engine, tree.get(), x)) return std::nullopt;
        return nodeValue(tree.get());
    }

    RecordingSink sink;
    Engine engine{sink};
    ExprTree tree;
};

class Rules : public EvaluatorTest, public ::testing::WithParamInterface<Rule> {};

TEST_P(Rules, GiveTheirValueOrNone) {
    const Rule& r = GetParam();
    const auto value = valueOf(r.markup, r.x);
    if (std::isnan(r.expected)) {
        EXPECT_FALSE(value.has_value()) << *value;
    } else {
        ASSERT_TRUE(value.has_value());
        EXPECT_NEAR(*value, r.expected, 1e-9 * std::max(1.0, std::fabs(r.expected)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Rules,
    ::testing::Values(Rule{"x", 2.5, 2.5}, Rule{"X", -1, -1}, Rule{"π", 0, 3.141592653589793},
                      Rule{"1.5E2", 0, 150}, Rule{".5", 0, 0.5}, Rule{"y", 0, kUndefined},
                      Rule{"", 0, kUndefined}, Rule{"e", 0, kUndefined}, Rule{"2+x", 3, 5},
                      Rule{"2-x", 3, -1}, Rule{"2*x", 3, 6}, Rule{"2·x", 3, 6}, Rule{"2×x", 3, 6},
                      Rule{"1/x", 4, 0.25}, Rule{"1/x", 0, kUndefined}, Rule{"div(1,0)", 0, kUndefined},
                      Rule{"-x", 2, -2}, Rule{"+x", 2, 2}, Rule{"±x", 2, kUndefined},
                      Rule{"1±x", 2, kUndefined}, Rule{"(x+1)*[2]", 1, 4}, Rule{"{x}", 7, 7},
                      Rule{"(x,5)", 7, 7}, Rule{"1E308*10", 0, kUndefined}, Rule{"a*-b", 0, kUndefined},
                      Rule{"add(x)", 1, kUndefined}));

// A number followed by "°" is an angle in degrees; anything else with "°" is a name.
INSTANTIATE_TEST_SUITE_P(Degrees, Rules,
                         ::testing::Values(Rule{"sin(30°)", 0, 0.5}, Rule{"30°", 0, std::numbers::pi / 6},
                                           Rule{"-90°", 0, -std::numbers::pi / 2},
                                           Rule{"1.5E2°", 0, 5 * std::numbers::pi / 6},
                                           Rule{"1e400°", 0, kUndefined}, Rule{"30°°", 0, kUndefined},
                                           Rule{"a°", 0, kUndefined}, Rule{"°", 0, kUndefined}));

// A literal beyond the doubles has no value (it is no name either); one below the smallest is 0.
INSTANTIATE_TEST_SUITE_P(NumberLiterals, Rules,
                         ::testing::Values(Rule{"1e400", 0, kUndefined}, Rule{"-1E400", 0, kUndefined},
                                           Rule{"1e400*0", 0, kUndefined}, Rule{"0.001e312", 0, kUndefined},
                                           Rule{"1e-400", 0, 0}, Rule{"1000e-330", 0, 0},
                                           Rule{"1e-5", 0, 1e-5}, Rule{"2*1e-5+1", 0, 1.00002},
                                           Rule{"x-1e-5", 1, 0.99999}, Rule{"1E+5", 0, 1e5},
                                           Rule{"1e308", 0, 1e308}));

INSTANTIATE_TEST_SUITE_P(
    Functions, Rules,
    ::testing::Values(
        Rule{"sqrt(x)", 9, 3}, Rule{"sqrt(x)", -1, kUndefined}, Rule{"abs(x)", -3, 3},
        Rule{"sin(x)", 1, std::sin(1)}, Rule{"SIN(x)", 1, std::sin(1)}, Rule{"cos(x)", 1, std::cos(1)},
        Rule{"tg(x)", 1, std::tan(1)}, Rule{"ctg(x)", 1, 1 / std::tan(1)}, Rule{"ctg(0)", 0, kUndefined},
        Rule{"arcsin(x)", 0.5, std::asin(0.5)}, Rule{"arcsin(2)", 0, kUndefined},
        Rule{"arccos(x)", -1, std::acos(-1)}, Rule{"arccos(x)", 1.0000001, kUndefined},
        Rule{"arctg(x)", 1, std::atan(1)}, Rule{"arcctg(x)", 1, std::numbers::pi / 2 - std::atan(1)},
        Rule{"sec(x)", 0, 1}, Rule{"csc(x)", 0, kUndefined}, Rule{"csc(x)", 1, 1 / std::sin(1)},
        Rule{"sgn(x)", -4, -1}, Rule{"sgn(x)", 0, 0}, Rule{"sgn(x)", 4, 1}, Rule{"sh(x)", 1, std::sinh(1)},
        Rule{"ch(x)", 1, std::cosh(1)}, Rule{"th(x)", 1, std::tanh(1)}, Rule{"sh(x)", 1000, kUndefined},
        Rule{"exp(x)", 1, std::exp(1)}, Rule{"exp(x)", 710, kUndefined}, Rule{"exp(x)", -746, kUndefined},
        Rule{"ln(x)", 1, 0}, Rule{"ln(0)", 0, kUndefined}, Rule{"lg(x)", 1000, 3},
        Rule{"lg(-1)", 0, kUndefined}, Rule{"log(2,x)", 8, 3}, Rule{"log(1,5)", 0, kUndefined},
        Rule{"log(0,5)", 0, kUndefined}, Rule{"log(2,0)", 0, kUndefined}, Rule{"pd(x>0)", 2, 1},
        Rule{"pd(x>0)", -2, 0}, Rule{"pd(x)", 1, 1}, Rule{"pd(x)", 1.5, 0}));

INSTANTIATE_TEST_SUITE_P(Relations, Rules,
                         ::testing::Values(Rule{"x<=1", 1, 1}, Rule{"x>=2", 1, 0}, Rule{"x<1", 1, 0},
                                           Rule{"x>0", 1, 1}, Rule{"x=1", 1, 1}, Rule{"x≠1", 1, 0},
                                           Rule{"0<x<3", 1, 1}, Rule{"0<x<3", 5, 0},
                                           Rule{"x≡1", 1, kUndefined}, Rule{"x≈1", 1, kUndefined},
                                           Rule{"x→1", 1, kUndefined}));

INSTANTIATE_TEST_SUITE_P(
    PowersAndRoots, Rules,
    ::testing::Values(
        Rule{"cub(x,2)", -3, 9}, Rule{"cub(x,0.5)", -4, kUndefined}, Rule{"cub(x,0.5)", 4, 2},
        Rule{"cub(x,-1)", 0, kUndefined}, Rule{"cub(x,-1)", 1e-12, 1e9}, Rule{"cub(x,-1)", -1e-12, -1e9},
        Rule{"cub(x,-2)", 2, 0.25}, Rule{"cub(10,11)", 0, kUndefined}, Rule{"cub(10,-11)", 0, kUndefined},
        Rule{"cub(-10,11)", 0, kUndefined}, Rule{"cub(10,9.99)", 0, std::pow(10, 9.99)},
        Rule{"cub(x,3.000001)", -2, -8}, Rule{"cub(x,2.99999)", -2, kUndefined}, Rule{"cub(x,0)", 0, 1},
        Rule{"cub(1E-200,2)", 0, kUndefined}, Rule{"ind(2,x)", 10, 1024}, Rule{"IND(10,x)", -2, 0.01},
        Rule{"ext(-8,3)", 0, -2}, Rule{"ext(-8,2)", 0, kUndefined}, Rule{"ext(-8,-3)", 0, kUndefined},
        Rule{"ext(8,-3)", 0, 0.5}, Rule{"ext(x,2)", 16, 4}, Rule{"ext(x,0)", 16, kUndefined},
        Rule{"ext(-32,5)", 0, -2}, Rule{"EXT(27,3)", 0, 3}, Rule{"ext(1E30,0.2)", 0, kUndefined}));

INSTANTIATE_TEST_SUITE_P(
    Counting, Rules,
    ::testing::Values(Rule{"fac(5)", 0, 120}, Rule{"5!", 0, 120}, Rule{"fac(0)", 0, 1},
                      Rule{"fac(-1)", 0, kUndefined}, Rule{"fac(170)", 0, 7.257415615307994e306},
                      Rule{"fac(171)", 0, kUndefined}, Rule{"fac(1000000000)", 0, kUndefined},
                      Rule{"c(5,2)", 0, 10}, Rule{"C(5,2)", 0, 10}, Rule{"p(5,2)", 0, 20},
                      Rule{"P(5,2)", 0, 20}, Rule{"c(2,5)", 0, kUndefined}, Rule{"c(5,0)", 0, 1},
                      Rule{"p(5,0)", 0, 1}, Rule{"c(-5,2)", 0, kUndefined}, Rule{"c(200,2)", 0, 19900},
                      Rule{"c(60,30)", 0, 118264581564861424.0},
                      Rule{"p(1000000000,1000000000)", 0, kUndefined},
                      Rule{"c(100000,50000)", 0, kUndefined}));

INSTANTIATE_TEST_SUITE_P(
    WithoutValue, Rules,
    ::testing::Values(Rule{"sum(i=0,n,x)", 0, kUndefined}, Rule{"lim(x,∞,x)", 0, kUndefined},
                      Rule{"matrix(1,1,x)", 0, kUndefined}, Rule{"range(1,1,x)", 0, kUndefined},
                      Rule{"prod(i,n,x)", 0, kUndefined}, Rule{"derive(y,x)", 0, kUndefined},
                      Rule{"pderive(y,x)", 0, kUndefined},
                      // a valueless list item makes its list (and all above) valueless
                      Rule{"lak(2,1;y)", 0, kUndefined}));

TEST_F(EvaluatorTest, NamesWithoutRulesKeepTheirValue) {
    for (const char* markup : {"vec(x)", "f(x)", "x%2", "x⊥2", "upr(1,2)", "sup(1,2)", "ing2(1,2,3)",
                               "tab(1,2,x)", "lak(2,1;2)", "con(1,x,x>0)", "unknown(x)"}) {
        const auto value = valueOf(markup, 3);
        ASSERT_TRUE(value.has_value()) << markup;
        EXPECT_EQ(*value, 0) << markup;
    }
    tree = test::treeOf("f(x)");
    tree->value = 42;
    EXPECT_TRUE(evaluate(engine, tree.get(), 1));
    EXPECT_EQ(nodeValue(tree.get()), 42);
}

TEST_F(EvaluatorTest, NullHasStatusOne) {
    EXPECT_TRUE(evaluate(engine, nullptr, 0));
}

TEST_F(EvaluatorTest, UndefinedLeavesTheValueAsItWas) {
    tree = test::treeOf("1/x");
    ASSERT_TRUE(evaluate(engine, tree.get(), 2));
    EXPECT_FALSE(evaluate(engine, tree.get(), 0));
    EXPECT_EQ(nodeValue(tree.get()), 0.5);
}

// The evaluator records the reason and shows nothing; the next evaluation starts without one.
TEST_F(EvaluatorTest, NaturalNumberTestRecordsItsReason) {
    const struct {
        const char* markup;
        UndefinedReason reason;
    } cases[] = {{"fac(2.5)", UndefinedReason::NotNatural}, {"fac(-1)", UndefinedReason::None},
                 {"c(2,5)", UndefinedReason::None},         {"fac(1E20)", UndefinedReason::NotNatural},
                 {"p(5,1.5)", UndefinedReason::NotNatural}, {"1/0", UndefinedReason::None}};
    for (const auto& c : cases) {
        EXPECT_FALSE(valueOf(c.markup)) << c.markup;
        EXPECT_EQ(engine.undefinedReason, c.reason) << c.markup;
    }
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(undefinedMessage(UndefinedReason::NotNatural), "输入有误");
    // a value whose 15-digit text is whole counts as that whole number
    EXPECT_EQ(valueOf("fac(x)", 2.9999999999999996), 6);
    EXPECT_EQ(engine.undefinedReason, UndefinedReason::None);
}

TEST_F(EvaluatorTest, FactorialOfAHugeArgumentReturnsAtOnce) {
    // Would take a billion multiplications if the loop ran to the argument.
    EXPECT_FALSE(valueOf("fac(999999999999999)"));
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(EvaluatorTest, IntegralByTheTrapezoidalRule) {
    EXPECT_NEAR(valueOf("ing1(1;0,x,x)").value_or(NAN), 0.5, 1e-12);
    EXPECT_NEAR(valueOf("ing1(0;1,x,x)").value_or(NAN), -0.5, 1e-12);
    EXPECT_NEAR(valueOf("ing1(2;0,x*x,x)").value_or(NAN), 8.0 / 3, 1e-5);
    // a typed minus sign becomes mus(1): still a plain number as a bound
    EXPECT_NEAR(valueOf("ing1(3.5;-1,1,x)").value_or(NAN), 4.5, 1e-9);
    EXPECT_NEAR(valueOf("ing1(+1;-1,x*x,x)").value_or(NAN), 2.0 / 3, 1e-5);
    EXPECT_FALSE(valueOf("ing1(π;0,x,x)"));        // bounds must be plain numbers
    EXPECT_FALSE(valueOf("ing1(1,x,x)"));          // no lower bound
    EXPECT_FALSE(valueOf("ing1(1;0,x,t)"));        // the variable leaf has no value
    EXPECT_FALSE(valueOf("ing1(1;-1,sqrt(x),x)")); // no value on part of the range
}

TEST_F(EvaluatorTest, AKnownIntegralIsKeptButAFailedOneIsNot) {
    tree = test::treeOf("ing1(1;0,x*A,x)");
    engine.variables.append("A", 2);
    ASSERT_TRUE(evaluate(engine, tree.get(), 0.5));
    EXPECT_NEAR(nodeValue(tree.get()), 1, 1e-12);
    engine.variables.setValue(0, 4);
    ASSERT_TRUE(evaluate(engine, tree.get(), 0.5));
    EXPECT_NEAR(nodeValue(tree.get()), 1, 1e-12); // independent of x, so not computed again

    tree = test::treeOf("ing1(1;-1,sqrt(x),x)");
    EXPECT_FALSE(evaluate(engine, tree.get(), 0.5));
    EXPECT_FALSE(evaluate(engine, tree.get(), 0.5)); // not taken as known afterwards
}

TEST_F(EvaluatorTest, NestedIntegralsAreComputedOnceEach) {
    // An inner integral with the value 0 is not kept between evaluations; computed again for every point
    // of the integrals around it, three levels took about a billion evaluations of the integrand.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(valueOf("ing1(1;1,ing1(1;1,ing1(1;1,x,x),x),x)"), 0);
    EXPECT_NEAR(valueOf("ing1(1;0,1+ing1(1;0,ing1(2;2,x,x)+x,x),x)").value_or(NAN), 1.5, 1e-9);
    EXPECT_FALSE(valueOf("ing1(1;0,ing1(1;0,ing1(1;-1,sqrt(x),x),x),x)"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(EvaluatorTest, VariablesComeFromTheTableByExactName) {
    engine.variables.append("A", 2);
    engine.variables.append("a", 3);
    engine.variables.append("2", 7); // a table entry wins over reading the text as a number
    EXPECT_EQ(valueOf("A*x+a"), 5);
    EXPECT_EQ(valueOf("2"), 7);
    engine.variables.append("π", 3); // the leaf π is always the exact constant
    EXPECT_EQ(valueOf("π"), 3.141592653589793);
    engine.variables.append("x", 100); // and x is always the plotting variable
    EXPECT_EQ(valueOf("x", 4), 4);
}

TEST_F(EvaluatorTest, FollowsChangesOfTheTable) {
    tree = test::treeOf("A*x+B");
    EXPECT_FALSE(evaluate(engine, tree.get(), 1));
    engine.variables.append("A", 2);
    engine.variables.append("B", 1);
    ASSERT_TRUE(evaluate(engine, tree.get(), 3));
    EXPECT_EQ(nodeValue(tree.get()), 7);
    engine.variables.setValue(1, 10);
    ASSERT_TRUE(evaluate(engine, tree.get(), 3));
    EXPECT_EQ(nodeValue(tree.get()), 16);
    const std::vector<std::string> names{"B", "A"};
    const std::vector<double> values{5, 1};
    engine.variables.load(names, values);
    ASSERT_TRUE(evaluate(engine, tree.get(), 3));
    EXPECT_EQ(nodeValue(tree.get()), 8);
    engine.variables.clear();
    EXPECT_FALSE(evaluate(engine, tree.get(), 3));

    // The same tree evaluated with another engine's table.
    RecordingSink otherSink;
    Engine other(otherSink);
    other.variables.append("B", -1);
    other.variables.append("A", 1);
    ASSERT_TRUE(evaluate(other, tree.get(), 3));
    EXPECT_EQ(nodeValue(tree.get()), 2);
}

TEST_F(EvaluatorTest, SubtreesOfOneTreeEvaluateOnTheirOwn) {
    tree = test::treeOf("Y=2*x+1");
    ExprNode* right = evaluatedNode(tree.get());
    ASSERT_EQ(right, tree->second.get());
    ASSERT_TRUE(evaluate(engine, right, 2));
    EXPECT_EQ(nodeValue(right), 5);
    ASSERT_TRUE(evaluate(engine, tree->second->first.get(), 3));
    EXPECT_EQ(nodeValue(tree->second->first.get()), 6);
    EXPECT_FALSE(evaluate(engine, tree.get(), 2)); // Y has no value
    EXPECT_EQ(evaluatedNode(test::treeOf("EQL(y,1)").get())->text, "EQL");
}

TEST_F(EvaluatorTest, StoresEveryNodesValue) {
    tree = test::treeOf("cub(x,2)+1");
    ASSERT_TRUE(evaluate(engine, tree.get(), 3));
    EXPECT_EQ(tree->value, 10);
    EXPECT_EQ(tree->first->value, 9);
    EXPECT_EQ(tree->first->first->value, 2); // the exponent keeps its value
    EXPECT_EQ(tree->first->second->value, 3);
}

TEST_F(EvaluatorTest, LongListsEvaluateWithoutDeepRecursion) {
    std::string cells;
    for (int i = 0; i < 10000; ++i)
        cells += (i ? ";" : "") + std::string("x");
    // the cells of a 100 by 100 matrix have values; the matrix itself has none
    tree = test::treeOf("matrix(100,100," + cells + ")");
    EXPECT_FALSE(evaluate(engine, tree.get(), 2));
    EXPECT_TRUE(evaluate(engine, tree->third.get(), 2));
    EXPECT_EQ(tree->third->next->next->value, 2);
}

class CollectVariables : public EvaluatorTest {
protected:
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int i = 0; i < engine.variables.count(); ++i)
            out.push_back(engine.variables.name(i) + "=" + std::to_string(engine.variables.value(i)));
        return out;
    }
};

TEST_F(CollectVariables, EntersEachNewNameOnceWithItsStartValue) {
    tree = test::treeOf("A*x+B*X+A+e*E+π+2.5+c");
    collectVariables(engine, tree.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"A=0.000000", "B=0.000000", "e=2.718282", "E=2.718282",
                                                 "π=3.141593", "c=0.000000"}));
    EXPECT_EQ(engine.variables.value(4), 3.1415926);
    EXPECT_EQ(valueOf("e"), std::numbers::e);
    EXPECT_EQ(valueOf("ln(e)"), 1);
}

TEST_F(CollectVariables, SkipsAnglesAndTakesXOnlyWhenAsked) {
    tree = test::treeOf("a*x+X+30°+b°");
    collectVariables(engine, tree.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"a=0.000000", "b°=0.000000"}));
    engine.variables.clear();
    collectVariables(engine, tree.get(), PlottingVariable::Collect);
    EXPECT_EQ(names(), (std::vector<std::string>{"a=0.000000", "x=0.000000", "X=0.000000", "b°=0.000000"}));
}

TEST_F(CollectVariables, FollowsTheOrderOfTheWalk) {
    // children before the node, and the rest of a list before its first item
    tree = test::treeOf("cub(a,b)+matrix(1,3,p;q;r)");
    collectVariables(engine, tree.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"b=0.000000", "a=0.000000", "r=0.000000", "q=0.000000",
                                                 "p=0.000000"}));
}

TEST_F(CollectVariables, NumberLiteralsOutOfRangeAreNoNames) {
    tree = test::treeOf("1e400+1e-400+1e-5+y");
    collectVariables(engine, tree.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"y=0.000000"}));
    EXPECT_FALSE(evaluate(engine, tree.get(), 1));
}

TEST_F(CollectVariables, SkipsEmptyOperands) {
    tree = test::treeOf("a*-b");
    collectVariables(engine, tree.get());
    EXPECT_EQ(names(), (std::vector<std::string>{"a=0.000000", "b=0.000000"}));
    EXPECT_FALSE(evaluate(engine, tree.get(), 1)); // the empty operand has no value
}

TEST_F(CollectVariables, AFullTableWarnsOnceAndKeepsItsNames) {
    for (int i = 0; i < 99; ++i)
        engine.variables.append("v" + std::to_string(i), i);
    tree = test::treeOf("v1+x+new1+new2+new3");
    collectVariables(engine, tree.get());
    EXPECT_EQ(engine.variables.count(), 100);
    EXPECT_EQ(engine.variables.name(99), "new1");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "变量数目超过了100，不能在添加变量！");
    EXPECT_EQ(sink.shown[0].caption, "警告");
    sink.shown.clear();
    tree = test::treeOf("v1+new1+x"); // nothing new: no message
    collectVariables(engine, tree.get());
    EXPECT_TRUE(sink.shown.empty());
}

TEST(VariableTable, AssignLoadAndClear) {
    VariableTable table;
    EXPECT_TRUE(table.assign("A", 1));
    EXPECT_TRUE(table.assign("A", 2));
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.value(0), 2);
    const std::vector<std::string> names(150, "n");
    const std::vector<double> values(150, 1.0);
    table.load(names, values);
    EXPECT_EQ(table.count(), VariableTable::kCapacity);
    EXPECT_TRUE(table.full());
    EXPECT_FALSE(table.append("more", 0));
    EXPECT_FALSE(table.assign("more", 0));
    const auto before = table.generation();
    table.setValue(0, 5);
    EXPECT_EQ(table.generation(), before);
    table.clear();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.name(0), "");
    EXPECT_EQ(table.value(0), 0);
    EXPECT_NE(table.generation(), before);
    EXPECT_EQ(table.find("n"), -1);
}

} // namespace
} // namespace quorvel::expr
