// points, intersect and table: the CLI's reading of curves, as a script sees it.
#include "CliHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

using clitest::cli;
using clitest::CliRun;

struct Row {
    std::vector<std::string> args;
    int status;
    std::string out;
};

void expectRuns(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        std::string command;
        for (const std::string& a : row.args)
            command += a + " ";
        SCOPED_TRACE(command);
        const CliRun r = cli(row.args);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(r.out, row.out);
    }
}

TEST(CliAnalysis, PointsOneLinePerKindSortedByX) {
    expectRuns({
        {{"points", "y=x^2-4x+3"}, 0, "y-intercept\t0\t3\nzero\t1\t0\nminimum\t2\t-1\nzero\t3\t0\n"},
        // A point of several kinds: a line for each, zero before minimum before y-intercept.
        {{"points", "x^2"}, 0, "zero\t0\t0\nminimum\t0\t0\ny-intercept\t0\t0\n"},
        {{"points", "sqrt(4-x^2)"}, 0, "zero\t-2\t0\nmaximum\t0\t2\ny-intercept\t0\t2\nzero\t2\t0\n"},
        {{"points", "(x-1)^2(x+2)", "--from", "-3", "--to", "3"},
         0,
         "zero\t-2\t0\nmaximum\t-1\t4\ny-intercept\t0\t2\nzero\t1\t0\nminimum\t1\t0\n"},
        {{"points", "|x|-1", "--from", "-0.5"}, 0, "minimum\t0\t-1\ny-intercept\t0\t-1\nzero\t1\t0\n"},
        {{"points", "Y=A*X+B", "A=2", "B=-1"}, 0, "y-intercept\t0\t-1\nzero\t0.5\t0\n"},
        {{"points", "Y=cub(X,2)-1", "--literal", "--from", "0.5"}, 0, "zero\t1\t0\n"},
        // No point: no output and success; a pole is no zero.
        {{"points", "tan x", "--from", "1", "--to", "2"}, 0, ""},
        {{"points", "x/|x|"}, 0, ""},
    });
}

TEST(CliAnalysis, PointsToTheirPrecision) {
    // The general format's 15 digits hold the zeros' 1e-10 and the extreme values' 1e-12.
    const CliRun r = cli({"points", "x^3-2x", "--from", "-2", "--to", "2"});
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::vector<std::pair<std::string, std::pair<double, double>>> points;
    std::string kind;
    double x = 0;
    double y = 0;
    while (lines >> kind >> x >> y)
        points.push_back({kind, {x, y}});
    const double root = std::sqrt(2.0);
    const double turn = std::sqrt(2.0 / 3);
    ASSERT_EQ(points.size(), 6u) << r.out;
    EXPECT_EQ(points[0].first, "zero");
    EXPECT_NEAR(points[0].second.first, -root, 1e-10 * root);
    EXPECT_EQ(points[1].first, "maximum");
    EXPECT_NEAR(points[1].second.first, -turn, 1e-7);
    EXPECT_NEAR(points[1].second.second, 4 * turn / 3, 1e-12); // 2·turn - turn³
    EXPECT_EQ(points[4].first, "minimum");
    EXPECT_NEAR(points[4].second.second, -4 * turn / 3, 1e-12);
    EXPECT_NEAR(points[5].second.first, root, 1e-10 * root);
}

TEST(CliAnalysis, IntersectSortedByX) {
    expectRuns({
        {{"intersect", "x^2", "x+2"}, 0, "-1\t1\n2\t4\n"},
        {{"intersect", "e^x", "x+1"}, 0, "0\t1\n"}, // touching
        {{"intersect", "y=a*x", "y=1", "a=2", "--from", "0"}, 0, "0.5\t1\n"},
        {{"intersect", "x", "x+1"}, 0, ""},
        {{"intersect", "tan x", "1", "--from", "0", "--to", "3"}, 0, "0.785398163397448\t1\n"},
    });
}

TEST(CliAnalysis, TableWithUndefinedRows) {
    expectRuns({
        {{"table", "x^2", "--from", "-1", "--step", "0.5", "--rows", "5"},
         0,
         "-1\t1\n-0.5\t0.25\n0\t0\n0.5\t0.25\n1\t1\n"},
        {{"table", "ln x", "--from", "0.3", "--step", "-0.1", "--rows", "4"},
         0,
         "0.3\t-1.20397280432594\n0.2\t-1.6094379124341\n0.1\t-2.30258509299405\n0\t无定义\n"},
        {{"table", "k/x", "--from", "0", "--step", "1", "--rows", "2", "k=3"}, 0, "0\t无定义\n1\t3\n"},
    });
}

TEST(CliAnalysis, RefusalsAndUsage) {
    // A TEXT the checks refuse: exit 1 with the usual message.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"points", "x^2+"},
             {"intersect", "x", "x^2+"},
             {"table", "x^2+", "--from", "0", "--step", "1", "--rows", "1"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "表达式里第4位的'+'后面缺少运算对象，请修改！\n") << args[0];
    }
    const CliRun unknown = cli({"points", "foo(x)"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("foo"), std::string::npos);
    expectRuns({
        {{"points"}, 2, ""},
        {{"points", "x", "--from", "a"}, 2, ""},
        {{"points", "x", "--from", "3", "--to", "1"}, 2, ""},
        {{"points", "x", "k"}, 2, ""},
        {{"intersect", "x"}, 2, ""},
        {{"table", "x", "--from", "0", "--step", "1"}, 2, ""},
        {{"table", "x", "--from", "0", "--step", "1", "--rows", "0"}, 2, ""},
        {{"table", "x", "--step", "1", "--rows", "3"}, 2, ""},
    });
}

} // namespace
