#include "graph/StatusText.h"

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
