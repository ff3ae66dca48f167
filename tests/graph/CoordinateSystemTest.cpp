#include "RecordingCanvas.h"
#include "graph/SheetPainter.h"
#include "graph/SheetStyle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

using namespace quorvel;
using document::ViewSettings;
using fakes::RecordingCanvas;
using graph::SheetGeometry;
using Op = RecordingCanvas::Op;

namespace {

ViewSettings centred() {
    return ViewSettings::forSheet(800, 600);
}

RecordingCanvas draw(const ViewSettings& view, SheetGeometry sheet = SheetGeometry::plain(800, 600)) {
    RecordingCanvas canvas;
    graph::Draw_zuobiao(canvas, view, sheet);
    return canvas;
}

bool isVertical(const RecordingCanvas::Call& c) {
    return c.x1 == c.x2;
}

std::set<int> verticalLinesAt(const RecordingCanvas& canvas, typeset::Color color, int y1, int y2) {
    std::set<int> xs;
    for (const auto& c : canvas.of(Op::Line))
        if (isVertical(c) && c.pen.color == color && c.y1 == y1 && c.y2 == y2) xs.insert(c.x1);
    return xs;
}

std::set<int> horizontalLinesAt(const RecordingCanvas& canvas, typeset::Color color, int x1, int x2) {
    std::set<int> ys;
    for (const auto& c : canvas.of(Op::Line))
        if (c.y1 == c.y2 && c.pen.color == color && c.x1 == x1 && c.x2 == x2) ys.insert(c.y1);
    return ys;
}

std::set<int> range(int from, int to, int step) {
    std::set<int> out;
    for (int v = from; v <= to; v += step)
        out.insert(v);
    return out;
}

} // namespace

TEST(CoordinateSystem, ClearsTheWholeBitmapFirst) {
    const auto canvas = draw(centred());
    ASSERT_FALSE(canvas.calls.empty());
    const auto& first = canvas.calls.front();
    EXPECT_EQ(first.op, Op::FillRect);
    EXPECT_EQ(first.x2, 800);
    EXPECT_EQ(first.y2, 600);
    EXPECT_EQ(first.brush.color, graph::kSheetBackground);
    EXPECT_EQ(first.brush.style, typeset::BrushStyle::Solid);
}

TEST(CoordinateSystem, TicksWithoutGridAtTenAndHundredPixels) {
    const auto canvas = draw(centred());
    // Minor ticks reach 3 pixels either side of the axis, major ones 10.
    std::set<int> minorX = verticalLinesAt(canvas, graph::kGridGrey, 297, 303);
    EXPECT_EQ(minorX, range(0, 800, 10));
    EXPECT_EQ(verticalLinesAt(canvas, graph::kGridGrey, 290, 310), range(0, 800, 100));
    EXPECT_EQ(horizontalLinesAt(canvas, graph::kGridGrey, 397, 403), range(0, 600, 10));
    EXPECT_EQ(horizontalLinesAt(canvas, graph::kGridGrey, 390, 410), range(0, 600, 100));
    // No line crosses the whole sheet.
    EXPECT_TRUE(verticalLinesAt(canvas, graph::kMinorGridGrey, 0, 600).empty());
}

TEST(CoordinateSystem, GridLinesCrossTheSheetMinorOnesLight) {
    ViewSettings view = centred();
    view.gridShown = 1;
    const auto canvas = draw(view);
    std::set<int> minorX = range(0, 800, 10);
    for (int x : range(0, 800, 100))
        minorX.erase(x);
    std::set<int> light = verticalLinesAt(canvas, graph::kMinorGridGrey, 0, 600);
    for (int x : minorX)
        EXPECT_TRUE(light.count(x)) << x;
    EXPECT_EQ(verticalLinesAt(canvas, graph::kGridGrey, 0, 600), range(0, 800, 100));
    EXPECT_EQ(horizontalLinesAt(canvas, graph::kGridGrey, 0, 800), range(0, 600, 100));
    EXPECT_TRUE(horizontalLinesAt(canvas, graph::kMinorGridGrey, 0, 800).count(310));
}

TEST(CoordinateSystem, AxesWithArrowHeadsInNearBlackWidthTwo) {
    const auto canvas = draw(centred());
    std::vector<std::array<int, 4>> axisLines;
    for (const auto& c : canvas.of(Op::Line))
        if (c.pen.color == graph::kAxisColor) {
            EXPECT_EQ(c.pen.width, 2);
            axisLines.push_back({c.x1, c.y1, c.x2, c.y2});
        }
    const std::vector<std::array<int, 4>> expected{
        {0, 300, 800, 300}, {800, 300, 788, 296}, {800, 300, 788, 304},
        {400, 0, 400, 600}, {400, 0, 396, 12},    {400, 0, 404, 12},
    };
    EXPECT_EQ(axisLines, expected);
}

TEST(CoordinateSystem, LabelsAtTheMajorTicks) {
    const auto canvas = draw(centred());
    struct Label {
        const char* text;
        int x, y;
    };
    // x labels right of each major tick, y labels right of the axis; "O" at the origin.
    const Label expected[] = {{"O", 404, 304}, {"1", 502, 308},  {"2", 602, 308}, {"3", 702, 308},
                              {"4", 802, 308}, {"-1", 302, 308}, {"-4", 2, 308},  {"-3", 410, 600},
                              {"3", 410, 0},   {"2", 410, 100}};
    for (const Label& l : expected) {
        bool found = false;
        for (const auto& c : canvas.of(Op::Text))
            found = found || (c.text == l.text && c.x1 == l.x && c.y1 == l.y);
        EXPECT_TRUE(found) << l.text << " at " << l.x << "," << l.y;
    }
    const auto* minusOne = canvas.textAt("-1");
    ASSERT_NE(minusOne, nullptr);
    EXPECT_EQ(minusOne->fontName, graph::kSheetFontName);
    EXPECT_EQ(minusOne->fontPixelHeight, 12);
    // Labels are drawn once each: rightwards 0..4, leftwards -1..-4, y 1..3 and -1..-3.
    EXPECT_EQ(canvas.of(Op::Text).size(), 5u + 4u + 6u + 2u);
}

TEST(CoordinateSystem, AxisLettersAtFourteenPointsThenFontRestored) {
    const auto canvas = draw(centred());
    const auto* y = canvas.textAt("Y");
    const auto* x = canvas.textAt("X");
    ASSERT_TRUE(y && x);
    EXPECT_EQ(y->fontSize, 14);
    EXPECT_EQ(y->x1, 385);
    EXPECT_EQ(y->y1, 2);
    EXPECT_EQ(x->x1, 782);
    EXPECT_EQ(x->y1, 277);
    RecordingCanvas after = canvas;
    EXPECT_EQ(after.fontPixelHeight(), 12);
}

TEST(CoordinateSystem, UnitMarkersDependOnTheGridKind) {
    ViewSettings view = centred();
    view.unitY = 60;
    for (int kind : {document::GridSquare, document::GridRectangular}) {
        view.gridKind = kind;
        const auto rects = draw(view).of(Op::Rectangle);
        std::vector<std::array<int, 4>> got;
        for (const auto& r : rects) {
            EXPECT_EQ(r.pen.color, graph::kMarkerColor);
            EXPECT_EQ(r.brush.style, typeset::BrushStyle::Clear);
            got.push_back({r.x1, r.y1, r.x2, r.y2});
        }
        std::vector<std::array<int, 4>> expected;
        if (kind == document::GridRectangular) expected.push_back({397, 237, 403, 243});
        expected.push_back({497, 297, 503, 303});
        EXPECT_EQ(got, expected) << "grid kind " << kind;
    }
}

TEST(CoordinateSystem, StepLabelsForFractionalSteps) {
    struct Case {
        double unit;
        const char* text;
        int x;
    };
    // 100.5 px/unit: step 0.5 at 50.25 px; 5000: 0.01 at 50 px; 1000: 0.1 at 100 px, 3 * 0.1 shows as 0.3.
    const Case cases[] = {{100.5, "0.5", 452}, {100.5, "1.5", 552}, {5000, "0.01", 452},
                          {5000, "0.03", 552}, {5000, "0.08", 802}, {1000, "0.3", 702}};
    for (const Case& c : cases) {
        ViewSettings view = centred();
        view.unitX = view.unitY = view.unitCommon = c.unit;
        const auto canvas = draw(view);
        const auto* label = canvas.textAt(c.text);
        ASSERT_NE(label, nullptr) << c.unit << " " << c.text;
        EXPECT_EQ(label->x1, c.x) << c.unit << " " << c.text;
    }
}

TEST(CoordinateSystem, HiddenAxesLeaveOnlyTheWhiteSheet) {
    for (int kind : {0, 1, 2})
        for (int grid : {0, 1}) {
            ViewSettings view = centred();
            view.axesShown = 0;
            view.gridKind = kind;
            view.gridShown = grid;
            const auto canvas = draw(view);
            ASSERT_EQ(canvas.calls.size(), 1u);
            EXPECT_EQ(canvas.calls[0].op, Op::FillRect);
            // Graph items then draw with the grey pen and the solid white brush of the clearing.
            EXPECT_EQ(canvas.pen.color, graph::kGridGrey);
            EXPECT_EQ(canvas.brush.style, typeset::BrushStyle::Solid);
        }
}

TEST(CoordinateSystem, GraphItemsAndAnnotationsDrawAfterwardsWithBlackPenClearBrush) {
    RecordingCanvas canvas;
    std::vector<std::string> order;
    graph::SheetLayers layers;
    layers.graphItems = [&](typeset::Canvas& c) {
        order.push_back("items");
        EXPECT_EQ(c.penColor(), graph::kMarkerColor);
        EXPECT_EQ(canvas.pen.width, 1);
        EXPECT_EQ(canvas.brush.style, typeset::BrushStyle::Clear);
    };
    layers.annotations = [&](typeset::Canvas&) { order.push_back("annotations"); };
    graph::Draw_zuobiao(canvas, centred(), SheetGeometry::plain(800, 600), layers);
    EXPECT_EQ(order, (std::vector<std::string>{"items", "annotations"}));
}

TEST(CoordinateSystem, OriginLeftOfTheSheetVisitsNoLeftwardPosition) {
    ViewSettings view = centred();
    view.originX = -250;
    const auto canvas = draw(view);
    const std::set<int> minor = verticalLinesAt(canvas, graph::kGridGrey, 297, 303);
    for (int x : range(0, 800, 10))
        EXPECT_TRUE(minor.count(x)) << x;
    EXPECT_EQ(*minor.begin(), -250);
    for (const auto& c : canvas.of(Op::Text))
        EXPECT_FALSE(c.text.size() > 1 && c.text[0] == '-' && c.y1 == 308) << c.text;
    const auto* ten = canvas.textAt("10");
    ASSERT_NE(ten, nullptr);
    EXPECT_EQ(ten->x1, 752);
}

TEST(CoordinateSystem, DistantOriginDrawsOnlyWhatFallsOnTheSheetAndStaysFast) {
    const double distances[] = {-1e12, 1e12, -1e15, 3e15};
    for (double far : distances) {
        ViewSettings view = centred();
        view.originX = far;
        view.originY = far;
        view.gridShown = 1;
        const auto start = std::chrono::steady_clock::now();
        const auto canvas = draw(view);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, std::chrono::seconds(1)) << far;
        EXPECT_LT(canvas.calls.size(), 2000u) << far;
        if (far < 0) {
            // The grid lines that do fall on the sheet are there, 10 pixels apart.
            const std::set<int> xs = verticalLinesAt(canvas, graph::kMinorGridGrey, 0, 600);
            EXPECT_GE(xs.size(), 60u) << far;
        }
    }
}

TEST(CoordinateSystem, UnitsOutsideTheDesignedRangeStillDraw) {
    const double units[] = {0, -50, 1e-9, 0.5, 1e9, 1e300};
    for (double unit : units) {
        ViewSettings view = centred();
        view.unitX = view.unitY = view.unitCommon = unit;
        view.gridShown = 1;
        const auto canvas = draw(view);
        // The axes are always there.
        EXPECT_NE(
            std::find_if(canvas.calls.begin(), canvas.calls.end(),
                         [](const auto& c) { return c.op == Op::Line && c.pen.color == graph::kAxisColor; }),
            canvas.calls.end())
            << unit;
        EXPECT_LT(canvas.calls.size(), 3000u) << unit;
    }
}

// Labels on one row (x) or one column (y) must not run into one another at any unit a file or the
// wheel can bring, while the default view keeps a label at every major tick.
TEST(CoordinateSystem, TickLabelsNeverOverlapFromTenThousandthsToBillions) {
    const double units[] = {1e-4,  3.3e-4, 0.0123, 0.2, 0.21, 0.5,  1,    1.01, 3,   5.01,  10.01, 20.01,
                            50.01, 100,    200.5,  512, 1001, 2001, 5000, 7e4,  1e6, 3.3e7, 1e9};
    for (int kind : {document::GridSquare, document::GridPolar}) {
        for (double unit : units) {
            ViewSettings view = centred();
            view.gridKind = kind;
            view.unitX = view.unitY = view.unitCommon = unit;
            view.originX = 123.4; // labels on both sides of the origin, long negative ones included
            const auto canvas = draw(view, SheetGeometry::plain(1920, 1080));
            std::vector<std::pair<int, int>> row; // x labels: left edge and right edge
            std::vector<int> column;              // y labels: top edges
            for (const auto& c : canvas.of(Op::Text)) {
                if (c.fontPixelHeight != graph::kSheetFontPixelHeight) continue; // the axis letters
                if (c.x1 == graph::toPixel(view.originX + 10) && c.text != "O")
                    column.push_back(c.y1);
                else
                    row.push_back({c.x1, c.x1 + 6 * static_cast<int>(c.text.size())});
            }
            std::sort(row.begin(), row.end());
            std::sort(column.begin(), column.end());
            ASSERT_GE(row.size(), 2u) << unit;
            for (size_t i = 1; i < row.size(); ++i)
                EXPECT_LT(row[i - 1].second, row[i].first) << "unit " << unit << " kind " << kind;
            for (size_t i = 1; i < column.size(); ++i)
                EXPECT_GE(column[i] - column[i - 1], 12) << "unit " << unit;
        }
    }
}
