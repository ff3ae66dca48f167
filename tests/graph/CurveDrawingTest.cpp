#include "CurveTestSupport.h"

#include "typeset/TypesetFormula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel::graph {
namespace {

using curvetest::curveItem;
using curvetest::kSheetWidth;
using curvetest::setParams;
using curvetest::standardView;
using document::DEFINEFUN;
using Op = fakes::RecordingCanvas::Op;
using Call = fakes::RecordingCanvas::Call;

class Drawing : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    GraphItemPainter painter;
    fakes::RecordingCanvas canvas;

    Drawing() { doc.view = standardView(); }

    DEFINEFUN& add(DEFINEFUN item) {
        confirm_funvalue(engine, item, doc.view, kSheetWidth);
        return *doc.addCurve(std::move(item));
    }
    void draw() {
        canvas.calls.clear();
        painter.Draw_definefun(canvas, doc, kSheetWidth, 300);
    }
    // Curve segments (lines and polyline pieces) drawn in colour.
    std::vector<Call> segments(typeset::Color colour) const {
        std::vector<Call> out;
        for (const Call& c : canvas.calls)
            if ((c.op == Op::Line || c.op == Op::Polyline) && c.pen.color == colour) out.push_back(c);
        return out;
    }
    // The row drawn at column, or -1 when no segment touches it.
    static int rowAt(const std::vector<Call>& segs, int column) {
        for (const Call& c : segs) {
            if (c.x1 == column) return c.y1;
            if (c.x2 == column) return c.y2;
        }
        return -1;
    }
};

TEST(CurveRows, RoundHalfPixelsUpTruncateTowardZeroAndKeepToTheBand) {
    const auto view = standardView(); // origin row 300, 100 pixels per unit
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double y;
        int row; // -1: no point
    };
    for (const Case& c : {Case{0.005, 299}, Case{-0.004, 300}, Case{-0.016, 301}, Case{21, -1800},
                          Case{21.01, -1}, Case{-21, 2399}, Case{-21.01, -1}, Case{nan, -1}, Case{inf, -1},
                          Case{-inf, -1}, Case{1e300, -1}, Case{-1e300, -1}}) {
        int row = 0;
        const bool point = curveRow(c.y, view, row);
        EXPECT_EQ(point, c.row != -1) << c.y;
        if (point) {
            EXPECT_EQ(row, c.row) << c.y;
        }
    }
}

TEST_F(Drawing, ReciprocalIsNotJoinedAcrossThePole) {
    DEFINEFUN item = curveItem("Y =A/X+B", document::KindTemplateFunction);
    setParams(item, {1, 0});
    add(item);
    draw();
    const auto segs = segments(item.colour);
    ASSERT_FALSE(segs.empty());
    for (const Call& c : segs) {
        EXPECT_FALSE(c.x1 < 400 && c.x2 > 400) << c.x1 << "-" << c.x2;
        EXPECT_FALSE(c.x1 == 400 || c.x2 == 400);
        EXPECT_LE(std::abs(c.y2 - c.y1), 101);
        EXPECT_GE(std::min(c.y1, c.y2), -1800);
        EXPECT_LE(std::max(c.y1, c.y2), 2400);
    }
    // Next to the pole the values leave the band; a little further out both branches are drawn.
    EXPECT_EQ(rowAt(segs, 399), -1);
    EXPECT_GT(rowAt(segs, 395), 2200);
    EXPECT_LT(rowAt(segs, 405), -1600);
}

TEST_F(Drawing, BrokenSamplesNeverDrawOutsideTheBand) {
    DEFINEFUN& item = add(curveItem("Y=X"));
    item.ys[100] = std::numeric_limits<double>::quiet_NaN();
    item.ys[101] = std::numeric_limits<double>::infinity();
    item.ys[102] = 1e308;
    item.ys[103] = -1e308;
    draw();
    for (const Call& c : segments(item.colour)) {
        EXPECT_FALSE(c.x1 >= 99 && c.x1 <= 103) << c.x1;
        EXPECT_GE(std::min(c.y1, c.y2), -1800);
        EXPECT_LE(std::max(c.y1, c.y2), 2400);
    }
}

TEST_F(Drawing, FarAwayOriginDoesNotOverflow) {
    doc.view.originY = 1e18;
    add(curveItem("Y=X"));
    draw(); // every point is outside the band
    EXPECT_TRUE(segments(doc.curve(0).colour).empty());
}

TEST_F(Drawing, SamplesShorterThanTheSheetDrawOnlyWhatTheyHold) {
    DEFINEFUN& item = add(curveItem("Y=X"));
    item.resizeSamples(10);
    std::fill(item.defined.begin(), item.defined.end(), 1);
    draw();
    for (const Call& c : segments(item.colour))
        EXPECT_LT(c.x2, 10);
}

// Between two columns the curve is refined, so a branch reaches the band's edge at a pole, a domain end
// or where the formula stops having values, instead of ending at the last column's sample.
TEST_F(Drawing, BranchesRunToTheirTrueEndBetweenColumns) {
    struct Case {
        const char* formula;
        double unit;
        double originX;
        int lowestRow;  // the largest row drawn reaches this
        int highestRow; // the smallest row drawn reaches this
    };
    const Case cases[] = {
        {"Y=1/X", 5, 400, 2399, -1800},          // at the pole the samples stop 50 px from the axis
        {"Y=sqrt(X)", 100, 400.5, 300, 100},     // starts on the axis, not 7 px above it
        {"Y=sqrt(1-X*X)", 100, 400.5, 300, 200}, // both ends of the half circle come down to the axis
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        doc = document::Document();
        doc.view = standardView();
        doc.view.unitX = doc.view.unitY = doc.view.unitCommon = c.unit;
        doc.view.originX = c.originX;
        DEFINEFUN& item = add(curveItem(c.formula));
        draw();
        int lowest = -100000;
        int highest = 100000;
        for (const Call& s : segments(item.colour)) {
            lowest = std::max({lowest, s.y1, s.y2});
            highest = std::min({highest, s.y1, s.y2});
            EXPECT_LE(std::abs(s.y2 - s.y1), 101) << "no line longer than the jump";
        }
        EXPECT_GE(lowest, c.lowestRow - 1);
        EXPECT_LE(highest, c.highestRow);
    }
}

TEST_F(Drawing, IsolatedPointsAreDrawnAsDots) {
    DEFINEFUN item = curveItem("Y=X");
    item.domainStart = item.domainEnd = 0; // only column 400
    add(item);
    draw();
    const auto segs = segments(item.colour);
    ASSERT_EQ(segs.size(), 1u);
    EXPECT_EQ(segs[0].op, Op::Line);
    EXPECT_EQ(segs[0].x1, 400);
    EXPECT_EQ(segs[0].x2, 400);
    EXPECT_EQ(segs[0].y1, 300);
}

TEST_F(Drawing, PiecewiseConditionHidesColumnsWhereNoPieceApplies) {
    DEFINEFUN& item = add(curveItem("Y=con(1,X+1,X>0)"));
    // Sampling sees (X+1)·pd(X>0): 0 on the left, so the columns have values there.
    ASSERT_TRUE(item.hasValueAt(300));
    draw();
    const auto segs = segments(item.colour);
    ASSERT_FALSE(segs.empty());
    for (const Call& c : segs)
        EXPECT_GT(c.x1, 400) << "x = 0 and left of it are hidden";
    EXPECT_EQ(rowAt(segs, 500), 100);
}

TEST_F(Drawing, SelectedItemGetsAPinkBoxUnderItsLabel) {
    DEFINEFUN item = curveItem("Y=X");
    item.labelLeft = 10;
    item.labelTop = 20;
    item.labelRight = 110;
    item.labelBottom = 60;
    add(item);
    draw();
    EXPECT_TRUE(canvas.of(Op::Rectangle).empty());

    doc.selection.press(0);
    draw();
    const auto boxes = canvas.of(Op::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 10);
    EXPECT_EQ(boxes[0].y1, 20);
    EXPECT_EQ(boxes[0].x2, 110);
    EXPECT_EQ(boxes[0].y2, 60);
    EXPECT_EQ(boxes[0].pen.color, kSelectedBoxColor);
    EXPECT_EQ(boxes[0].brush.color, kSelectedBoxColor);
    EXPECT_EQ(boxes[0].brush.style, typeset::BrushStyle::Solid);
    // The label is written afterwards, on top of the box, without a solid brush behind its text.
    const auto texts = canvas.of(Op::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().brush.style, typeset::BrushStyle::Clear);
    EXPECT_GE(texts.front().x1, 15);
}

TEST_F(Drawing, LabelsAreWrittenInTheirFontAndColoursInsideTheBox) {
    DEFINEFUN item = curveItem("Y=X", document::KindFormulaPicture);
    item.labelFontName = "宋体";
    item.labelFontSize = 20;
    item.labelColours.fill(typeset::rgb(1, 2, 3));
    item.labelLeft = 50;
    item.labelTop = 70;
    painter.sizeLabelBox(item, canvas);
    add(item);
    canvas.setFontName("Arial");
    canvas.setFontSize(9);
    draw();
    const auto texts = canvas.of(Op::Text);
    ASSERT_FALSE(texts.empty());
    for (const Call& t : texts) {
        EXPECT_EQ(t.fontName, "宋体");
        EXPECT_EQ(t.fontSize, 20);
        EXPECT_EQ(t.fontColor, typeset::rgb(1, 2, 3));
        EXPECT_GE(t.x1, 55);
        EXPECT_GE(t.y1, 70);
    }
    // The sheet's font is put back for whatever is drawn next; the pen is left black, the brush clear.
    EXPECT_EQ(canvas.fontName(), "Arial");
    EXPECT_EQ(canvas.fontSize(), 9);
    EXPECT_EQ(canvas.pen.color, typeset::kBlack);
    EXPECT_EQ(canvas.pen.width, 1);
    EXPECT_EQ(canvas.brush.style, typeset::BrushStyle::Clear);
}

TEST_F(Drawing, LabelBoxIsTheTypesetSizeWithBracketAllowanceAndMargins) {
    for (const char* text : {"Y=X", "Y=A*sin(B*X+C)", "Y =A*cub(X,2)+B*X+C", "Y=cub((X+1)/(X-1),2)"}) {
        SCOPED_TRACE(text);
        DEFINEFUN item = curveItem(text);
        item.labelLeft = -7;
        item.labelTop = 33;
        painter.sizeLabelBox(item, canvas);
        typeset::FormulaStyle style;
        const auto formula = typeset::TypesetFormula::fromMarkup(text, style, canvas);
        const auto& l = formula.layout();
        EXPECT_EQ(item.labelRight, -7 + l.width + 2 * l.bracketCount * l.parenWidth + 10);
        EXPECT_EQ(item.labelBottom, 33 + l.height + 10);
        EXPECT_GT(item.boxWidth(), 10);
    }
}

TEST_F(Drawing, EmptyNamesGetTheirDefaultNameAtTheFirstDrawing) {
    add(curveItem("Y=X", document::KindCustomFunction));
    add(curveItem("Y=X", document::KindTemplateFunction));
    add(curveItem("1+2=3", document::KindCalculation));
    add(curveItem("X", document::KindFormulaPicture));
    DEFINEFUN named = curveItem("Y=X", document::KindTemplateFunction);
    named.name = "我的函数";
    add(named);
    draw();
    EXPECT_EQ(doc.curve(0).name, "自定义函数0");
    EXPECT_EQ(doc.curve(1).name, "函数1");
    EXPECT_EQ(doc.curve(2).name, "自定义函数2");
    EXPECT_EQ(doc.curve(3).name, "自定义函数3");
    EXPECT_EQ(doc.curve(4).name, "我的函数");
    // Once given, a name stays with the item when it moves to another slot.
    doc.removeCurve(0);
    draw();
    EXPECT_EQ(doc.curve(0).name, "函数1");
}

TEST_F(Drawing, LabelsAreTypesetOnceAndAgainOnlyWhenTheirTextOrFontChanges) {
    add(curveItem("Y=A*sin(B*X+C)", document::KindTemplateFunction));
    add(curveItem("Y=X"));
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 2u);
    const std::size_t callsFirst = canvas.calls.size();
    draw();
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 2u);
    EXPECT_EQ(canvas.calls.size(), callsFirst);

    // New colours need no new layout, but are used at once.
    doc.curve(1).labelColours.fill(typeset::rgb(0, 0, 200));
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 2u);
    bool blue = false;
    for (const Call& t : canvas.of(Op::Text))
        blue = blue || t.fontColor == typeset::rgb(0, 0, 200);
    EXPECT_TRUE(blue);

    doc.curve(1).expression = "Y=X+1";
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 3u);
    doc.curve(1).labelFontSize = 30;
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 4u);
    doc.curve(1).labelFontName = "宋体";
    draw();
    EXPECT_EQ(painter.labels().typesetCount(), 5u);

    // Removed items leave the cache at the next drawing.
    doc.removeCurve(0);
    draw();
    EXPECT_EQ(painter.labels().size(), 1);
}

TEST_F(Drawing, DrawingTouchesNeitherTheEngineNorItsMessages) {
    add(curveItem("Y=con(1,fac(2.5)*X,X>fac(2.5))"));
    engine.variables.assign("A", 42);
    sink.shown.clear();
    draw();
    draw();
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(engine.variables.value(engine.variables.find("A")), 42);
}

} // namespace
} // namespace quorvel::graph
