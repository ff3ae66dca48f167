// Reading curves on the sheet: the marks of the selected curve, the trace and the table's text.
#include "graph/CurveMarks.h"
#include "graph/CurveTrace.h"
#include "graph/ValueTableText.h"

#include "CurveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::graph {
namespace {

struct Reading : ::testing::Test {
    curvetest::CurveWorld w; // 800 px wide, origin (400, 300), 100 px per unit
    Reading() {
        w.doc.addCurve(curvetest::curveItem("Y=X*X-4*X+3"));
        w.doc.addCurve(curvetest::curveItem("Y=X-1"));
        w.doc.addCurve(document::DEFINEFUN{}); // a formula picture: never traced or marked
    }
};

TEST_F(Reading, TheMarksAreThoseOfTheCurveChosenLastWithItsIntersections) {
    CurveMarks marks;
    marks.update(w.doc, curvetest::kSheetWidth);
    EXPECT_TRUE(marks.marks().empty()); // nothing selected
    w.doc.selection.selectOnly(w.doc.combinedOfCurve(1));
    (void)w.doc.selection.press(w.doc.combinedOfCurve(0));
    marks.update(w.doc, curvetest::kSheetWidth);
    std::vector<std::string> seen;
    for (int i = 0; i < int(marks.marks().size()); ++i)
        seen.push_back(marks.describe(i, w.doc.view));
    EXPECT_EQ(seen, (std::vector<std::string>{"与y轴的交点 (0, 3)", "零点 (1, 0)", "交点 (1, 0)",
                                              "极小值 (2, -1)", "零点 (3, 0)", "交点 (4, 3)"}));
    const std::optional<int> atVertex = marks.markAt(w.doc.view, 603, 398); // (2, -1) is pixel (600, 400)
    ASSERT_TRUE(atVertex);
    EXPECT_EQ(marks.coordinates(*atVertex), "(2, -1)");
    EXPECT_FALSE(marks.markAt(w.doc.view, 620, 400));
    marks.setPinned(atVertex);
    w.doc.view.unitX = w.doc.view.unitY = 50; // a new view: new marks, no stale label
    marks.update(w.doc, curvetest::kSheetWidth);
    EXPECT_FALSE(marks.pinned());
}

TEST_F(Reading, TheTraceStepsByColumnsGoesRoundTheCurvesAndSaysWhereThereIsNoValue) {
    CurveTrace trace;
    ASSERT_TRUE(trace.start(w.doc, 600.4, 300)); // no selection: the first curve
    EXPECT_EQ(trace.slot(), 0);
    trace.step(w.doc, 1);
    EXPECT_DOUBLE_EQ(trace.x(), 2.01);
    EXPECT_EQ(trace.statusText(w.doc), "追踪 自定义函数0：x = 2.01, y = -1"); // -0.9999 at two decimals
    trace.nextCurve(w.doc, 1);
    EXPECT_EQ(trace.slot(), 1);
    trace.nextCurve(w.doc, 1); // past the picture, round to the first
    EXPECT_EQ(trace.slot(), 0);
    trace.toEdge(w.doc, curvetest::kSheetWidth, false);
    EXPECT_DOUBLE_EQ(trace.x(), -4);
    w.doc.curve(0).expression = "Y=sqrt(X)";
    EXPECT_FALSE(trace.value(w.doc));
    EXPECT_NE(trace.statusText(w.doc).find("y 无定义"), std::string::npos);
}

TEST_F(Reading, OnAParametricCurveTheTraceFollowsItsParameter) {
    document::DEFINEFUN circle;
    circle.kind = document::KindParametric;
    circle.expression = "lak(2,x=2*cos(t);y=2*sin(t))";
    circle.domainStart = 0;
    circle.domainEnd = 3;
    w.doc.addCurve(circle);
    w.doc.selection.selectOnly(w.doc.combinedOfCurve(3));
    CurveTrace trace;
    ASSERT_TRUE(trace.start(w.doc, 400, 120)); // near the point (0, 2)
    EXPECT_NEAR(trace.x(), std::acos(0.0), 1e-6);
    EXPECT_STREQ(trace.variableName(w.doc), "t");
    trace.step(w.doc, 10); // ten pixels along the circle of radius 200 px
    EXPECT_NEAR(trace.x(), std::acos(0.0) + 10.0 / 200, 1e-3);
    trace.follow(w.doc, 600, 300); // the pointer at (2, 0): t = 0
    EXPECT_NEAR(trace.x(), 0, 1e-6);
    trace.toEdge(w.doc, curvetest::kSheetWidth, true);
    EXPECT_DOUBLE_EQ(trace.x(), 3); // the end of the range, not of the sheet
    EXPECT_EQ(trace.statusText(w.doc), "追踪 参数方程3：t = 3, x = -1.98, y = 0.28");
    trace.moveTo(3.5); // outside the range: no point
    EXPECT_FALSE(trace.point(w.doc));
}

TEST(ValueTableText, SpreadsheetTextWithUndefinedCellsAndQuotedNames) {
    const std::vector<CurveFunction> curves{CurveFunction([](double x) { return std::optional(x * x); }),
                                            CurveFunction([](double x) -> std::optional<double> {
                                                if (x < 0) return std::nullopt;
                                                return std::sqrt(x);
                                            })};
    const ValueTable table = valueTable(curves, {"f", "g, \"root\""}, -1, 0.5, 3);
    EXPECT_EQ(tableTsv(table), "x\tf\tg, \"root\"\r\n-1\t1\t无定义\r\n-0.5\t0.25\t无定义\r\n0\t0\t0\r\n");
    EXPECT_EQ(tableCsv(table), "x,f,\"g, \"\"root\"\"\"\r\n-1,1,无定义\r\n-0.5,0.25,无定义\r\n0,0,0\r\n");
}

} // namespace
} // namespace quorvel::graph
