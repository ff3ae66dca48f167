#include "CurveTestSupport.h"

#include "graph/CurveClipPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quorvel::graph {
namespace {

using curvetest::curveItem;
using curvetest::kSheetWidth;
using curvetest::standardView;
using document::DEFINEFUN;

class ClipPicture : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    document::ViewSettings view = standardView();

    CurveClipPicture of(const std::string& expression) {
        DEFINEFUN item = curveItem(expression);
        confirm_funvalue(engine, item, view, kSheetWidth);
        return curveClipPicture(item, view, kSheetWidth);
    }
};

// Every point lies inside the picture, and no line joins two columns more than kJumpPixels apart.
void expectWellFormed(const CurveClipPicture& p) {
    ASSERT_GE(p.height, 1);
    for (const auto& run : p.polylines) {
        ASSERT_FALSE(run.empty());
        for (std::size_t i = 0; i < run.size(); ++i) {
            EXPECT_GE(run[i].x, 0);
            EXPECT_LT(run[i].x, p.width);
            EXPECT_GE(run[i].y, 0);
            EXPECT_LT(run[i].y, p.height);
            if (i > 0) {
                EXPECT_EQ(run[i].x, run[i - 1].x + 1);
                EXPECT_LE(std::abs(run[i].y - run[i - 1].y), kJumpPixels + 1);
            }
        }
    }
}

TEST_F(ClipPicture, HeightIsBoundedByTheRowsTheSheetDraws) {
    struct Row {
        const char* expression;
        int minHeight;
        int maxHeight;
    };
    const Row rows[] = {
        {"Y=tg(X)", 2000, 4202},    // poles: the band, not 251,153 rows
        {"Y=exp(exp(X))", 1, 4202}, // values of 1e23 and more lie outside the band
        {"Y=0", 1, 1},              // flat: one row, never an empty picture
        {"Y=X", 799, 799},          // columns 0 … 799: rows 699 up to -99, both included
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        const CurveClipPicture p = of(row.expression);
        EXPECT_EQ(p.width, kSheetWidth);
        EXPECT_GE(p.height, row.minHeight);
        EXPECT_LE(p.height, row.maxHeight);
        EXPECT_FALSE(p.polylines.empty());
        expectWellFormed(p);
    }
}

TEST_F(ClipPicture, PenIsLiftedAtEachPole) {
    // tan has poles at x = ±pi/2 (columns 243 and 557) inside -4 … 4: three branches at least, none
    // joined across a pole.
    const CurveClipPicture p = of("Y=tg(X)");
    ASSERT_GE(p.polylines.size(), 3u);
    for (const auto& run : p.polylines)
        EXPECT_FALSE(run.front().x < 243 && run.back().x > 243) << "joined across the pole at -pi/2";
}

TEST_F(ClipPicture, ColumnsOutsideAPiecewiseDomainAreLeftOut) {
    const CurveClipPicture p = of("Y=con(1,X+1,X>0)");
    ASSERT_FALSE(p.polylines.empty());
    for (const auto& run : p.polylines)
        EXPECT_GT(run.front().x, 400);
}

TEST_F(ClipPicture, ValuesNoRowCanHoldGiveAOnePixelPictureWithoutPoints) {
    DEFINEFUN item = curveItem("");
    item.resizeSamples(4);
    std::fill(item.defined.begin(), item.defined.end(), 1);
    item.ys = {5.14843556263456e23, std::numeric_limits<double>::infinity(),
               std::numeric_limits<double>::quiet_NaN(), -1e300};
    for (const int width : {kSheetWidth, 0, -5}) {
        const CurveClipPicture p = curveClipPicture(item, view, width);
        EXPECT_GE(p.width, 1);
        EXPECT_EQ(p.height, 1);
        EXPECT_TRUE(p.polylines.empty());
    }
    view.unitY = 0;
    EXPECT_TRUE(curveClipPicture(item, view, kSheetWidth).polylines.empty());
}

} // namespace
} // namespace quorvel::graph
