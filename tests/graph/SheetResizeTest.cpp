#include "graph/SheetResize.h"
#include "graph/GridCommands.h"
#include "graph/SegmentClip.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel;
using document::ViewSettings;
using graph::SheetExtent;

TEST(SheetResize, OriginKeepsItsRelativePlace) {
    struct Case {
        double originX, originY, newW, newH, wantX, wantY;
    };
    const Case cases[] = {
        {400, 300, 400, 300, 200, 150},   // halving
        {400, 300, 1600, 1200, 800, 600}, // doubling
        {-101, 75, 400, 300, -50, 37},    // truncation toward zero, also below zero
        {1000, -10, 800, 600, 1000, -10}, // unchanged size
    };
    for (const Case& c : cases) {
        ViewSettings view = ViewSettings::forSheet(800, 600);
        view.originX = c.originX;
        view.originY = c.originY;
        view.unitX = 150;
        SheetExtent extent{800, 600};
        graph::keepOriginOnResize(view, extent, c.newW, c.newH);
        EXPECT_EQ(view.originX, c.wantX);
        EXPECT_EQ(view.originY, c.wantY);
        EXPECT_EQ(extent.width, c.newW);
        EXPECT_EQ(extent.height, c.newH);
        EXPECT_EQ(view.unitX, 150); // units never change on resize
    }
}

TEST(SheetResize, ShrinkingToNothingAndBackKeepsTheOrigin) {
    ViewSettings view = ViewSettings::forSheet(800, 600);
    SheetExtent extent{800, 600};
    graph::keepOriginOnResize(view, extent, 800, 0);
    EXPECT_EQ(view.originY, 300);
    EXPECT_EQ(extent.height, 600);
    graph::keepOriginOnResize(view, extent, 800, 300);
    EXPECT_EQ(view.originY, 150);

    SheetExtent none{0, 0}; // a panel never laid out yet
    graph::keepOriginOnResize(view, none, 400, 300);
    EXPECT_EQ(view.originX, 400);
    EXPECT_TRUE(std::isfinite(view.originY));
}

TEST(GridCommands, SquareGridGivesBothAxesTheXUnit) {
    ViewSettings view;
    view.gridKind = document::GridRectangular;
    view.unitX = 150;
    view.unitY = 60;
    view.unitCommon = 100;
    EXPECT_EQ(graph::selectSquareGrid(view), graph::change::kViewEdit); // the y unit changed
    EXPECT_EQ(view.gridKind, document::GridSquare);
    EXPECT_EQ(view.unitX, 150);
    EXPECT_EQ(view.unitY, 150);
    EXPECT_EQ(view.unitCommon, 150);

    view.unitY = 60;
    EXPECT_EQ(graph::selectPolarGrid(view), graph::change::kEdit);
    EXPECT_EQ(view.gridKind, document::GridPolar);
    EXPECT_EQ(view.unitY, 60);
    EXPECT_EQ(graph::selectRectangularGrid(view), graph::change::kEdit);
    EXPECT_EQ(view.gridKind, document::GridRectangular);
    EXPECT_EQ(view.unitY, 60);
}

TEST(SegmentClip, CutsToTheBoxOrRejects) {
    const graph::ClipBox box{0, 0, 800, 600};
    double x1 = -1e12, y1 = 300, x2 = 1e12, y2 = 300;
    ASSERT_TRUE(graph::clipSegment(x1, y1, x2, y2, box));
    EXPECT_DOUBLE_EQ(x1, 0);
    EXPECT_DOUBLE_EQ(x2, 800);
    double a = -10, b = -10, c = -5, d = 700;
    EXPECT_FALSE(graph::clipSegment(a, b, c, d, box));
    double p = 400, q = 300, r = 400, s = 300; // a point inside stays
    EXPECT_TRUE(graph::clipSegment(p, q, r, s, box));
    double n = std::nan(""), m = 0, o = 1, t = 1;
    EXPECT_FALSE(graph::clipSegment(n, m, o, t, box));
}
