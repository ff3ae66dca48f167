#include "document/ObjectExtent.h"
#include "DocTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quorvel::document;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

TEST(ObjectExtent, BoxesWithAreaCountAndTheOnesOffTheSheetAreFound) {
    Document doc;
    EXPECT_EQ(objectsExtent(doc), std::nullopt);
    doc.addCurve(itemWithBox(40, 50, 40, 50)); // a curve without a label takes no room
    EXPECT_EQ(objectsExtent(doc), std::nullopt);
    doc.addCurve(itemWithBox(100, 20, 300, 60));
    doc.addRemark(remarkWith("note", 770, 590)); // 30 x 12: reaches (800, 602)
    EXPECT_EQ(objectsExtent(doc), (PixelBox{100, 20, 800, 602}));
    EXPECT_EQ(objectsOutside(doc, 800, 602), 0);
    EXPECT_EQ(objectsOutside(doc, 800, 600), 1);
    EXPECT_EQ(objectsOutside(doc, 299, 600), 2);
    moveDrawing(doc, -200, 10);
    EXPECT_EQ(objectsExtent(doc), (PixelBox{-100, 30, 600, 612}));
    EXPECT_EQ(doc.view.originX, -200);
    EXPECT_EQ(objectsOutside(doc, 800, 700), 1);
}

TEST(ObjectExtent, TheCoveringFrameHoldsEveryObjectAndAtLeastTheDefaultSheet) {
    const struct {
        std::optional<PixelBox> extent;
        SheetFrame frame;
    } cases[] = {
        {std::nullopt, {0, 0, 800, 600}},
        {PixelBox{5, 5, 700, 500}, {0, 0, 800, 600}},        // inside: the default sheet
        {PixelBox{5, 5, 1500, 900}, {0, 0, 1510, 910}},      // beyond: the margin is kept
        {PixelBox{-40, -3, 100, 100}, {-50, -13, 850, 613}}, // left of and above the corner
        {PixelBox{0, 0, 20000, 100}, {0, 0, 16384, 600}},    // too wide: cut at the limit
        {PixelBox{-20000, 0, 700, 100}, {0, 0, 800, 600}},   // too wide towards the left
        {PixelBox{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 16384, 16384}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(coveringFrame(c.extent, 800, 600, 10, 16384), c.frame)
            << (c.extent ? c.extent->left : 0) << "," << (c.extent ? c.extent->right : 0);
}
