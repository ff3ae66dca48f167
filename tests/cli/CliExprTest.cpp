#include "CliHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using clitest::cli;
using clitest::CliRun;

TEST(CliExpr, FormRemovesBlanksAndRewrites) {
    const CliRun r = cli({"form", "Y =A*cub(X,2)+B*X+C"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "eql(Y,add(add(muw(A,cub(X,2)),muw(B,X)),C))\n");
}

TEST(CliExpr, ExpandPrintsTheDomainOnASecondLine) {
    CliRun r = cli({"expand", "con(2,x+1,x>0;x<3)"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "mul(mul((add(x,1)),pd(gts(x,0))),pd(lts(x,3)))\npd(x>0)×pd(x<3)\n");
    r = cli({"expand", "a+b"});
    EXPECT_EQ(r.out, "add(a,b)\n\n");
}

TEST(CliExpr, TreeWritesTheTreeBack) {
    const CliRun r = cli({"tree", "cub(x,2)+[0,1)"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "add(cub(x,2),[0,1])\n");
    const CliRun refused = cli({"tree", "lak(99999,x)"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "您输入的多行表达式中的行数超过了1000，请修改！\n");
}

TEST(CliExpr, CheckPrintsMessagesThenTheVerdict) {
    CliRun r = cli({"check", "matrix(2,x,a;b)"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "输入有误\n您输入的矩阵的行数或列数不是自然数，请修改！\nfail\n");
    r = cli({"check", "sin(x) + 1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ok\n");
}

TEST(CliExpr, EvalOnThePlottingRoad) {
    CliRun r = cli({"eval", "Y=A*sin(B*X+C)", "--x", "0.5", "A=2", "B=1", "C=0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0.958851077208406\n");
    r = cli({"eval", "x*x"});
    EXPECT_EQ(r.out, "1\n");
    r = cli({"eval", "fac(x)", "--x", "2.5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "undefined\n");
    EXPECT_EQ(r.err, "输入有误\n");
    r = cli({"eval", "e*1"}); // collected with its start value
    EXPECT_EQ(r.out, "2.71828182845905\n");
    r = cli({"eval", "sin(π)+0*x"}); // rounding noise shows as 0
    EXPECT_EQ(r.out, "0\n");
    r = cli({"form", "sin\xC0\xA8x\xC0\xA9"}); // overlong brackets are no brackets
    EXPECT_EQ(r.out.find("sin(x)"), std::string::npos);
    EXPECT_EQ(r.out.find('('), std::string::npos);
}

TEST(CliExpr, CalcCarriesInputAndResult) {
    CliRun r = cli({"calc", "1 + 2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1+2=3\n");
    r = cli({"calc", "r*r", "r=3"});
    EXPECT_EQ(r.out, "r*r=9\n");
    r = cli({"calc", "a*x+b", "a=2", "b=3", "x=4"}); // x is a name like any other
    EXPECT_EQ(r.out, "a*x+b=11\n");
    r = cli({"calc", "y = 1 + 2"}); // an equation: the value of its right side
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "y=1+2=3\n");
    r = cli({"calc", "1/0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "1/0=错误\n");
    EXPECT_NE(r.err.find("输入有误或表达式中含有不能计算的函数"), std::string::npos);
}

TEST(CliExpr, LatexAndMathmlPrintTheFormulaOrTheRefusal) {
    struct Row {
        const char* command;
        const char* text;
        int status;
        const char* out; // a part of the output
    };
    const Row rows[] = {
        {"latex", "a/b+sqrt(x)", 0, "\\frac{a}{b}+\\sqrt{x}\n"},
        {"mathml", "面积>0", 0, "<mtext>面积</mtext><mo>&gt;</mo><mn>0</mn>"},
        {"latex", "sqrt()", 1, ""},
        {"mathml", "unit(i=1,n,x)", 1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " " + row.text);
        const CliRun r = cli({row.command, row.text});
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.out.find(row.out), std::string::npos) << r.out;
        EXPECT_EQ(r.err.empty(), row.status == 0) << r.err;
    }
    EXPECT_EQ(cli({"latex"}).status, 2);
}

TEST(CliExpr, FromLatexPrintsTheMarkupOrTheRefusal) {
    CliRun r = cli({"fromlatex", "\\frac{-b\\pm\\sqrt{b^2-4ac}}{2a}"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "div(-b±sqrt(cub(b,2)-4*a*c),2*a)\n");
    EXPECT_EQ(r.err, "");
    r = cli({"fromlatex", "x+\\foo"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "LaTeX第3个字符处：无法识别的命令“\\foo”，请修改！\n");
    EXPECT_EQ(cli({"fromlatex"}).status, 2);
    EXPECT_EQ(cli({"fromlatex", "x", "y"}).status, 2);
}

TEST(CliExpr, UsageErrorsExitWithTwo) {
    EXPECT_EQ(cli({"form"}).status, 2);
    EXPECT_EQ(cli({"form", "a", "b"}).status, 2);
    EXPECT_EQ(cli({"eval", "x", "--x", "abc"}).status, 2);
    EXPECT_EQ(cli({"eval", "x", "--x"}).status, 2);
    EXPECT_EQ(cli({"eval", "x", "notAnAssignment"}).status, 2);
    EXPECT_EQ(cli({"calc"}).status, 2);
}

} // namespace
