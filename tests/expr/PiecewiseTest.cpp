#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <gtest/gtest.h>

namespace quorvel::expr {
namespace {

class Piecewise : public ::testing::Test {
protected:
    std::string expand(std::string_view text) {
        refusal = "stale";
        return expandPiecewise(engine, text, &refusal);
    }

    RecordingSink sink;
    Engine engine{sink};
    std::string refusal;
};

TEST_F(Piecewise, ExpandsLinesAndConditionsAndRecordsTheDomain) {
    const std::string form = expand("lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))");
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(form, toFunctionForm("(x+1)×pd(x>0)×pd(x<3)+(x-1)×pd(x>3)×pd(x<5)+(sqrt(x))×pd(x>6)"));
    EXPECT_EQ(engine.domainText, "pd(x>0)×pd(x<3)+pd(x>3)×pd(x<5)+pd(x>6)");
}

TEST_F(Piecewise, WithoutLakAndConEqualsTheFunctionFormAndClearsTheDomain) {
    engine.domainText = "left over";
    EXPECT_EQ(expand("Y=A*cub(X,2)+B*X+C"), toFunctionForm("Y=A*cub(X,2)+B*X+C"));
    EXPECT_EQ(engine.domainText, "");
    EXPECT_EQ(expand(""), "");
}

TEST_F(Piecewise, LinesJoinedWithPlus) {
    EXPECT_EQ(expand("lak(2,a;b)"), "add(a,b)");
    // fewer lines than counted: empty lines; the last counted line runs to the end
    EXPECT_EQ(expand("lak(3,a;b)"), "add(add(a,b),)");
    EXPECT_EQ(expand("lak(2,a;b;c)"), "add(a,b);c");
    EXPECT_EQ(expand("lak(0,a)"), "");
    // lines are joined as they stand, without brackets
    EXPECT_EQ(expand("2*lak(1,lak(2,a;b))"), "add(muw(2,a),b)");
    // a capitalised LAK is no multi-line construct
    EXPECT_EQ(expand("LAK(2,a;b)"), "LAK(2,a;b)");
    // a later line that starts with a sign keeps its operand: x+(-1), not x+ and -1
    EXPECT_EQ(expand("lak(3,x;-1;±y)"), toFunctionForm("x+(-1)+(±y)"));
    ExprTree tree = buildTree(expand("lak(2,x;-1)"));
    ASSERT_TRUE(evaluate(engine, tree.get(), 3));
    EXPECT_EQ(nodeValue(tree.get()), 2);
}

TEST_F(Piecewise, ExpressionOfConKeepsItsBracketedCommas) {
    // The expression starts with a bracket: its depth counts from the first character.
    EXPECT_EQ(expand("con(1,(x+1)*2,x>0)"), toFunctionForm("((x+1)*2)×pd(x>0)"));
    EXPECT_EQ(engine.domainText, "pd(x>0)");
    EXPECT_EQ(expand("con(1,f(a,b),x>0)"), toFunctionForm("(f(a,b))×pd(x>0)"));
}

TEST_F(Piecewise, DomainOfSeveralConditionsAndCalls) {
    expand("con(2,1,x>0;x<1)+con(1,2,x>5)");
    EXPECT_EQ(engine.domainText, "pd(x>0)×pd(x<1)+pd(x>5)");
}

TEST_F(Piecewise, TheDomainIsZeroOutsideEveryPiece) {
    expand("lak(2,con(1,x,x<0);con(1,x*x,x>1))");
    bool built = false;
    ExprNode* domain = engine.rebuildCurrentTree(toFunctionForm(engine.domainText), false, &built);
    ASSERT_TRUE(built);
    const auto domainAt = [&](double x) {
        EXPECT_TRUE(evaluate(engine, domain, x));
        return nodeValue(domain);
    };
    EXPECT_EQ(domainAt(-1), 1);
    EXPECT_EQ(domainAt(0.5), 0);
    EXPECT_EQ(domainAt(2), 1);
}

TEST_F(Piecewise, RefusesCountsThatAreNoNaturalNumbersOrTooLarge) {
    EXPECT_EQ(expand("lak(n,a;b)"), "");
    EXPECT_EQ(refusal, "您输入的多行表达式中的行数不是自然数，请修改！");
    EXPECT_EQ(expand("con(999999999,x,x>0)"), "");
    EXPECT_EQ(refusal, "您输入的条件表达式中的个数超过了1000，请修改！");
    EXPECT_EQ(engine.domainText, "");
    EXPECT_EQ(expand("lak(,a)"), "");
    EXPECT_FALSE(refusal.empty());
}

TEST_F(Piecewise, FindsAKeywordFormedByAReplacement) {
    // "la" in front of a call whose lines start with "k(" makes a new "lak(" call.
    EXPECT_EQ(expand("lalak(1,k(1,z))"), "z");
    EXPECT_EQ(expand("colak(1,n(1,y,x>0))"), toFunctionForm("(y)×pd(x>0)"));
}

TEST_F(Piecewise, ManyCallsInALongTextExpandQuickly) {
    std::string text;
    constexpr int kCalls = 2900; // as many as fit in a typed text
    for (int i = 0; i < kCalls; ++i)
        text += "lak(2,con(1,x,x>0);1)+";
    text += "0";
    // Added up, the pieces nest far deeper than a tree may; the expansion itself is timed alone.
    EXPECT_EQ(expand(text), "");
    EXPECT_EQ(refusal, "表达式中运算的嵌套超过了1000层，请修改！");
    (void)detail::expandCalls(engine.domainText, text, refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(engine.domainText.size(), kCalls * 8 - 1);
}

TEST_F(Piecewise, UnclosedCallRunsToTheEnd) {
    EXPECT_EQ(expand("lak(2,a;b"), "add(a,b)");
    EXPECT_EQ(refusal, "");
}

TEST_F(Piecewise, ManyEmptyLinesStayWithinTheLimits) {
    // Each call can add up to a thousand empty lines; nesting them must not grow without bound. Two hundred
    // calls stand for more empty lines than a tree may hold nodes.
    std::string text = "x";
    for (int i = 0; i < 200; ++i)
        text = "lak(1000," + text + ")";
    EXPECT_EQ(expand(text), "");
    EXPECT_EQ(refusal, "表达式过于复杂，无法转换，请修改！");
    EXPECT_EQ(engine.domainText, "");

    // Fewer of them still expand into additions nested far deeper than any tree may be: refused before
    // the expansion is handed on, with the message the tree would give.
    text = "x";
    for (int i = 0; i < 20; ++i)
        text = "lak(1000," + text + ")";
    EXPECT_EQ(expand(text), "");
    EXPECT_EQ(refusal, "表达式中运算的嵌套超过了1000层，请修改！");
}

} // namespace
} // namespace quorvel::expr
