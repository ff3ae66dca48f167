#include "graph/PolarGrid.h"
#include "RecordingCanvas.h"
#include "graph/SheetPainter.h"
#include "graph/SheetStyle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>

using namespace quorvel;
using document::ViewSettings;
using fakes::RecordingCanvas;
using graph::SheetGeometry;
using Op = RecordingCanvas::Op;

namespace {

ViewSettings polar(int gridShown) {
    ViewSettings view = ViewSettings::forSheet(800, 600);
    view.gridKind = document::GridPolar;
    view.gridShown = gridShown;
    return view;
}

RecordingCanvas drawGrid(const ViewSettings& view) {
    RecordingCanvas canvas;
    graph::Draw_zuobiao(canvas, view, SheetGeometry::plain(800, 600));
    return canvas;
}

std::vector<RecordingCanvas::Call> raysFrom(const RecordingCanvas& canvas, int x, int y) {
    std::vector<RecordingCanvas::Call> rays;
    for (const auto& c : canvas.of(Op::Line))
        if (c.pen.color == graph::kGridGrey && c.x1 == x && c.y1 == y) rays.push_back(c);
    return rays;
}

} // namespace

TEST(PolarGrid, CirclesHalfAStepApartUpToTheFarthestCorner) {
    const auto canvas = drawGrid(polar(0));
    const auto circles = canvas.of(Op::Ellipse);
    // The farthest corner is 500 pixels away; circles every 50 pixels up to it.
    ASSERT_EQ(circles.size(), 10u);
    for (size_t k = 0; k < circles.size(); ++k) {
        const int r = 50 * static_cast<int>(k + 1);
        EXPECT_EQ(circles[k].x1, 400 - r);
        EXPECT_EQ(circles[k].y1, 300 - r);
        EXPECT_EQ(circles[k].x2, 400 + r);
        EXPECT_EQ(circles[k].y2, 300 + r);
        EXPECT_EQ(circles[k].pen.color, graph::kGridGrey);
        EXPECT_EQ(circles[k].brush.style, typeset::BrushStyle::Clear);
    }
}

TEST(PolarGrid, CirclesStayRoundWhenTheYUnitDiffers) {
    ViewSettings view = polar(0);
    view.unitY = 30; // y step 2 units = 60 px; only the x step spaces the circles
    for (const auto& c : drawGrid(view).of(Op::Ellipse)) {
        EXPECT_EQ(c.x2 - c.x1, c.y2 - c.y1);
        EXPECT_EQ((c.x2 - c.x1) / 2 % 50, 0);
    }
}

TEST(PolarGrid, RaysOnlyWithTheGridShown) {
    EXPECT_TRUE(raysFrom(drawGrid(polar(0)), 400, 300).empty());
    const auto rays = raysFrom(drawGrid(polar(1)), 400, 300);
    ASSERT_EQ(rays.size(), 23u); // 15 ... 345 degrees; none along the polar axis
}

TEST(PolarGrid, RaysEndWhereTheyLeaveTheSheet) {
    const ViewSettings view = polar(1);
    struct Case {
        int degrees;
        int x, y;
    };
    // Corner angles from (400, 300) on 800 x 600: 36.87, 143.13, 216.87, 323.13 degrees.
    const Case cases[] = {{15, 800, 192}, {45, 700, 0},  {90, 400, 0},
                          {135, 100, 0},  {180, 0, 299}, {330, 800, 530}};
    for (const Case& c : cases) {
        const typeset::Point end = graph::polarRayEnd(view, 800, 600, c.degrees);
        EXPECT_NEAR(end.x, c.x, 1) << c.degrees;
        EXPECT_NEAR(end.y, c.y, 1) << c.degrees;
    }
    // The side is decided by the corner angles.
    EXPECT_EQ(graph::polarRayEnd(view, 800, 600, 30).x, 800);
    EXPECT_EQ(graph::polarRayEnd(view, 800, 600, 45).y, 0);
    EXPECT_EQ(graph::polarRayEnd(view, 800, 600, 150).x, 0);
    EXPECT_EQ(graph::polarRayEnd(view, 800, 600, 225).y, 600);
    EXPECT_EQ(graph::polarRayEnd(view, 800, 600, 345).x, 800);
}

TEST(PolarGrid, AxisLabelsMarkerAndLetter) {
    ViewSettings view = polar(0);
    view.unitY = 60; // a rectangular y unit must not bring the (0, 1) marker
    const auto canvas = drawGrid(view);
    const auto rects = canvas.of(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x1, 497);
    EXPECT_EQ(rects[0].y1, 297);
    const auto* zero = canvas.textAt("0");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->x1, 402);
    EXPECT_EQ(zero->y1, 308);
    EXPECT_NE(canvas.textAt("4"), nullptr);
    EXPECT_EQ(canvas.textAt("-1"), nullptr); // nothing left of the pole
    const auto* r = canvas.textAt("R");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->x1, 782);
    EXPECT_EQ(r->y1, 280);
    EXPECT_EQ(r->fontSize, 14);
    // The polar axis runs from the pole to the right edge; there is no vertical axis.
    int axisLines = 0;
    for (const auto& c : canvas.of(Op::Line))
        if (c.pen.color == graph::kAxisColor) {
            ++axisLines;
            EXPECT_NE(c.x1, c.x2);
        }
    EXPECT_EQ(axisLines, 3);
}

TEST(PolarGrid, OriginInACornerDrawsTheRaysThatEnterTheSheet) {
    ViewSettings view = polar(1);
    view.originX = 0;
    view.originY = 0;
    const auto canvas = drawGrid(view);
    int rays = 0;
    for (const auto& c : canvas.of(Op::Line)) {
        if (c.pen.color != graph::kGridGrey) continue;
        ++rays;
        for (int v : {c.x1, c.x2})
            EXPECT_TRUE(v >= 0 && v <= 800) << v;
        for (int v : {c.y1, c.y2})
            EXPECT_TRUE(v >= 0 && v <= 600) << v;
    }
    // 270 (along the left edge) and 285 ... 345 point into the sheet; 15 ... 90 run along or off the top.
    EXPECT_GE(rays, 5);
    EXPECT_LE(rays, 8);
}

TEST(PolarGrid, DistantOriginDrawsNearbyArcsInShortChordsQuickly) {
    ViewSettings view = polar(1);
    view.originY = 1e8;
    const auto start = std::chrono::steady_clock::now();
    const auto canvas = drawGrid(view);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(canvas.of(Op::Ellipse).empty());
    size_t chords = 0;
    for (const auto& c : canvas.of(Op::Line)) {
        if (c.pen.color != graph::kGridGrey) continue;
        ++chords;
        for (int v : {c.x1, c.x2})
            EXPECT_TRUE(v >= -2 && v <= 802) << v;
        for (int v : {c.y1, c.y2})
            EXPECT_TRUE(v >= -2 && v <= 602) << v;
    }
    // Twelve arcs (every 50 px across 600 px of height) of a few hundred chords each.
    EXPECT_GT(chords, 100u);
    EXPECT_LT(chords, 20000u);
}

TEST(PolarGrid, OriginsTooFarForWholeNumbersStillFinish) {
    // Beyond 2^53 pixels a circle index no longer grows by one; the walk must end all the same.
    for (const auto& [x, y] : {std::pair{1e20, 300.0}, std::pair{400.0, -1e30}, std::pair{-1e300, 1e300}}) {
        ViewSettings view = polar(1);
        view.originX = x;
        view.originY = y;
        const auto start = std::chrono::steady_clock::now();
        const auto canvas = drawGrid(view);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << x << "," << y;
        EXPECT_FALSE(canvas.of(Op::FillRect).empty());
    }
}
