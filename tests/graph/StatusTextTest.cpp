#include "graph/StatusText.h"
#include "graph/CoordinateText.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace quorvel;

TEST(StatusText, CoordinatesCutTowardZeroToTwoDecimals) {
    document::ViewSettings view = document::ViewSettings::forSheet(800, 600);
    struct Case {
        double x, y;
        const char* text;
    };
    const Case cases[] = {
        {400, 300, "当前鼠标的坐标为：(0,0)"},
        {523.456, 349.99, "当前鼠标的坐标为：(1.23,-0.49)"},
        {350, 299.9, "当前鼠标的坐标为：(-0.5,0)"}, // -0.001 cuts to zero, never "-0"
        {399.5, 300, "当前鼠标的坐标为：(0,0)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(graph::mouseCoordinateText(view, c.x, c.y), c.text) << c.x << "," << c.y;
    view.unitX = 0;
    EXPECT_EQ(graph::mouseCoordinateText(view, 500, 300), "当前鼠标的坐标为：(?,0)");
}

// Zoomed in, the status bar and the labels hold as many decimals as one pixel is worth, never fewer than two.
TEST(StatusText, DecimalsFollowTheZoom) {
    document::ViewSettings view = document::ViewSettings::forSheet(800, 600);
    view.unitX = 5000;
    view.unitY = 20;
    EXPECT_EQ(graph::mouseCoordinateText(view, 400 + 1234.5678, 300 - 7), "当前鼠标的坐标为：(0.2469,0.35)");
    EXPECT_EQ(graph::meaningfulDecimals(100), 2);
    EXPECT_EQ(graph::meaningfulDecimals(101), 3);
    EXPECT_EQ(graph::meaningfulDecimals(1e9), 9);
    EXPECT_EQ(graph::pointText(1.99999999867, -1.0000000001, 100, 100), "(2, -1)");
    EXPECT_EQ(graph::pointText(std::sqrt(2.0), -0.0001, 5000, 100), "(1.4142, 0)");
}
