#include "expr/Limits.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::expr {
namespace {

struct Rewrite {
    const char* input;
    const char* functionForm;
};

void PrintTo(const Rewrite& r, std::ostream* os) {
    *os << r.input;
}

class FunctionFormCases : public ::testing::TestWithParam<Rewrite> {};

TEST_P(FunctionFormCases, RewritesOperatorsIntoKeywordCalls) {
    std::string refusal = "stale";
    EXPECT_EQ(toFunctionForm(GetParam().input, &refusal), GetParam().functionForm);
    EXPECT_EQ(refusal, "");
}

INSTANTIATE_TEST_SUITE_P(
    OperatorClasses, FunctionFormCases,
    ::testing::Values(
        // each class with its keywords
        Rewrite{"n!", "fac(n)"}, Rewrite{"2n!", "fac(2n)"}, Rewrite{"a+b!", "add(a,fac(b))"},
        Rewrite{"a*b", "muw(a,b)"}, Rewrite{"a·b", "mud(a,b)"}, Rewrite{"a×b", "mul(a,b)"},
        Rewrite{"a/b", "div(a,b)"}, Rewrite{"a%b", "mod(a,b)"}, Rewrite{"-a", "mus(a)"},
        Rewrite{"+a", "pos(a)"}, Rewrite{"±a", "pom(a)"}, Rewrite{"a+b", "add(a,b)"},
        Rewrite{"a-b", "sub(a,b)"}, Rewrite{"a±b", "aoc(a,b)"}, Rewrite{"a>b", "gts(a,b)"},
        Rewrite{"a<b", "lts(a,b)"}, Rewrite{"a>=b", "ges(a,b)"}, Rewrite{"a<=b", "les(a,b)"},
        Rewrite{"a=b", "eql(a,b)"}, Rewrite{"a≠b", "nes(a,b)"}, Rewrite{"a≡b", "usu(a,b)"},
        Rewrite{"a≈b", "app(a,b)"}, Rewrite{"x→0", "inc(x,0)"}, Rewrite{"a⊥b", "upr(a,b)"},
        Rewrite{"a∥b", "par(a,b)"}, Rewrite{"a≌b", "res(a,b)"}, Rewrite{"a∽b", "gru(a,b)"}));

INSTANTIATE_TEST_SUITE_P(
    PrecedenceAndDelimiters, FunctionFormCases,
    ::testing::Values(Rewrite{"-a+b", "add(mus(a),b)"}, Rewrite{"-2*x", "muw(mus(2),x)"},
                      Rewrite{"(a+b)*c", "muw((add(a,b)),c)"},
                      Rewrite{"Y=A*cub(X,2)+B*X+C", "eql(Y,add(add(muw(A,cub(X,2)),muw(B,X)),C))"},
                      Rewrite{"0<x<3", "lts(0,lts(x,3))"}, Rewrite{"a/b*c", "muw(div(a,b),c)"},
                      Rewrite{"a*b/c", "div(muw(a,b),c)"}, Rewrite{"a=b>c", "gts(eql(a,b),c)"},
                      Rewrite{"a=b=c", "eql(a,eql(b,c))"}, Rewrite{"sin(x+1)", "sin(add(x,1))"},
                      Rewrite{"a-b-c", "sub(sub(a,b),c)"}, Rewrite{"a+b*c", "add(a,muw(b,c))"},
                      Rewrite{"a*b%c", "muw(a,mod(b,c))"}, Rewrite{"a×b*c", "muw(mul(a,b),c)"},
                      Rewrite{"(a+b)!", "fac((add(a,b)))"}, Rewrite{"x^2", "x^2"},
                      Rewrite{"f(x,y)=x+y", "eql(f(x,y),add(x,y))"},
                      // a bracket that closes another bracket kind still bounds the operands
                      Rewrite{"[a+b)", "[add(a,b))"},
                      // signs behind the characters that allow them, and nowhere else
                      Rewrite{"a=-b", "eql(a,mus(b))"}, Rewrite{"(-b)", "(mus(b))"},
                      Rewrite{"a,-b", "a,mus(b)"}, Rewrite{"a≠-b", "nes(a,mus(b))"},
                      Rewrite{"[-2*x]", "[mus(muw(2,x))]"}, Rewrite{"--a", "sub(mus(),a)"},
                      Rewrite{"a>=-1", "ges(a,mus(1))"}));

// The sign of a number's exponent belongs to the number in every operand scan; a sign behind an "e" that
// ends no number literal (a name, the constant e, a missing digit) stays an operator.
INSTANTIATE_TEST_SUITE_P(
    ExponentSigns, FunctionFormCases,
    ::testing::Values(Rewrite{"1e-5", "1e-5"}, Rewrite{"1E+5", "1E+5"}, Rewrite{".5e-3", ".5e-3"},
                      Rewrite{"2*1e-5+1", "add(muw(2,1e-5),1)"}, Rewrite{"1e-5*2", "muw(1e-5,2)"},
                      Rewrite{"x-1e-5", "sub(x,1e-5)"}, Rewrite{"-2.5e-3", "mus(2.5e-3)"},
                      Rewrite{"1e-5-1e+5", "sub(1e-5,1e+5)"}, Rewrite{"1e-5!", "fac(1e-5)"},
                      Rewrite{"a/1e-5%b", "div(a,mod(1e-5,b))"}, Rewrite{"sin(1e-5)", "sin(1e-5)"},
                      Rewrite{"y=1e-5", "eql(y,1e-5)"}, Rewrite{"x-5", "sub(x,5)"},
                      Rewrite{"e-5", "sub(e,5)"}, Rewrite{"2e", "2e"}, Rewrite{"2e-x", "sub(2e,x)"},
                      Rewrite{"x2e-5", "sub(x2e,5)"}, Rewrite{"a_1e-5", "sub(a_1e,5)"},
                      Rewrite{"2e-5x", "sub(2e,5x)"}, Rewrite{"e+1", "add(e,1)"}));

INSTANTIATE_TEST_SUITE_P(EmptyOperands, FunctionFormCases,
                         ::testing::Values(Rewrite{"", ""}, Rewrite{"a*-b", "sub(muw(a,),b)"},
                                           Rewrite{"a*(-b)", "muw(a,(mus(b)))"}, Rewrite{"*", "muw(,)"},
                                           Rewrite{"a+", "add(a,)"}, Rewrite{"=b", "eql(,b)"},
                                           Rewrite{"!", "fac()"}, Rewrite{"-", "mus()"}));

// A "-" right behind "_" is part of a subscripted name, in every operator class.
INSTANTIATE_TEST_SUITE_P(MinusInSubscript, FunctionFormCases,
                         ::testing::Values(Rewrite{"x__-1", "x__-1"}, Rewrite{"x__-1+2", "add(x__-1,2)"},
                                           Rewrite{"2*x__-1", "muw(2,x__-1)"},
                                           Rewrite{"x__-1*2", "muw(x__-1,2)"},
                                           Rewrite{"x__-1!", "fac(x__-1)"}, Rewrite{"-x__-1", "mus(x__-1)"},
                                           Rewrite{"a=x__-1", "eql(a,x__-1)"},
                                           Rewrite{"a-x__-1", "sub(a,x__-1)"}));

INSTANTIATE_TEST_SUITE_P(UnbalancedText, FunctionFormCases,
                         ::testing::Values(Rewrite{"a)+b", "add(a),b)"}, Rewrite{"(a+b", "(add(a,b)"},
                                           Rewrite{"a)*b*c", "muw(muw(a),b),c)"},
                                           Rewrite{"(a*(b", "(muw(a,(b)"}, Rewrite{")(", ")("}));

TEST(FunctionForm, KeepsCharactersThatAreNoOperators) {
    EXPECT_EQ(toFunctionForm("α+π×∞"), "add(α,mul(π,∞))");
    EXPECT_EQ(toFunctionForm("中文*x"), "muw(中文,x)");
}

TEST(FunctionForm, BlanksDelimitOperandsWhenTheyWereNotStripped) {
    EXPECT_EQ(toFunctionForm("a b*c"), "a muw(b,c)");
    EXPECT_EQ(stripBlanks(" x_ _i + 1 "), "x__i+1");
    EXPECT_EQ(toFunctionForm(stripBlanks("Y =A/X+B")), "eql(Y,add(div(A,X),B))");
}

TEST(FunctionForm, RefusesTextsBeyondTheLengthLimit) {
    std::string refusal;
    EXPECT_EQ(toFunctionForm(std::string(kMaxTextBytes + 1, 'a'), &refusal), "");
    EXPECT_NE(refusal.find("长度"), std::string::npos);
    EXPECT_EQ(toFunctionForm(std::string(kMaxTextBytes, 'a'), &refusal), std::string(kMaxTextBytes, 'a'));
    EXPECT_EQ(refusal, "");
}

TEST(FunctionForm, LongChainsStayFast) {
    // 64 KiB of operators: every operand scan jumps over the groups built before it. The chain is far
    // deeper than a tree may be, so the rewriting is timed without the limits.
    std::string text = "a";
    while (text.size() + 4 <= kMaxTextBytes)
        text += "*a+b";
    std::string refusal;
    EXPECT_EQ(toFunctionForm(text, &refusal), "");
    EXPECT_EQ(refusal, "表达式中运算的嵌套超过了1000层，请修改！");
    const std::string form = detail::rewriteOperators(text, refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(form.rfind("add(add(", 0), 0u);
    EXPECT_EQ(form.find_first_of("*+"), std::string::npos);
}

TEST(FunctionForm, PathologicalTextIsRefusedInsteadOfFreezing) {
    // Each "=" takes the whole rest of the text as its right operand; a huge chain of them is refused.
    std::string text = "a";
    for (int i = 0; i < 200000; ++i)
        text += "=a";
    // Far longer than a typed text may be: the rewriting alone, as a file's text could reach it.
    std::string refusal;
    EXPECT_EQ(detail::rewriteOperators(text, refusal), "");
    EXPECT_NE(refusal.find("复杂"), std::string::npos);
}

} // namespace
} // namespace quorvel::expr
