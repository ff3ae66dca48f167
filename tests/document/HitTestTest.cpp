#include "document/HitTest.h"
#include "DocTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel::document;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

namespace {

// A curve y = 1 sampled on columns 0 … 9, with no value at column 5, plus a box and an annotation.
Document sheet() {
    Document doc;
    doc.view.originY = 300;
    doc.view.unitY = 100;
    DEFINEFUN curve = itemWithBox(500, 500, 600, 540);
    curve.resizeSamples(10);
    for (int j = 0; j < 10; ++j) {
        curve.defined[static_cast<std::size_t>(j)] = j == 5 ? 0 : 1;
        curve.ys[static_cast<std::size_t>(j)] = 1;
    }
    doc.addCurve(curve);
    doc.addCurve(itemWithBox(0, 195, 20, 205, "box"));
    doc.addRemark(remarkWith("note", 100, 100));
    return doc;
}

} // namespace

TEST(HitTest, BoxesAreHitStrictlyInside) {
    const Document doc = sheet();
    const struct {
        double x, y;
        int item, remark;
    } cases[] = {
        {501, 501, 0, -1},  {500, 520, -1, -1}, {600, 520, -1, -1},    {550, 540, -1, -1},
        {100, 105, -1, -1}, {101, 105, -1, 0},  {129.9, 111.9, -1, 0}, {130, 105, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(itemBoxAt(doc, c.x, c.y), c.item) << c.x << "," << c.y;
        EXPECT_EQ(remarkAt(doc, c.x, c.y), c.remark) << c.x << "," << c.y;
    }
}

TEST(HitTest, CurveLinesAreHitWithinFivePixels) {
    const Document doc = sheet();
    // The curve's point is at row trunc(300 - 1 * 100) = 200.
    const struct {
        double x, y;
        bool hit;
    } cases[] = {
        {3, 200, true},     {3.9, 204.9, true}, {3, 205, false},     {3, 195.1, true},
        {3, 195, false},    {5, 200, false}, // no value in that column
        {-0.5, 200, false}, {10, 200, false},   {1e300, 200, false}, {std::nan(""), 200, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(curveLineHit(doc, doc.curve(0), c.x, c.y), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(curveLineAt(doc, 3, 201), 0);
    // A box item is no curve, even with samples.
    EXPECT_FALSE(curveLineHit(doc, doc.curve(1), 3, 200));
}

TEST(HitTest, CopyTakesBoxesBeforeCurveLinesBeforeAnnotations) {
    Document doc = sheet();
    // Item 1's box contains (3, 200), where item 0's line also passes: the box wins for copy, while
    // the per-item test finds item 0 first.
    const ObjectRef target = copyTargetAt(doc, 3, 200);
    EXPECT_EQ(target.type, ObjectRef::Curve);
    EXPECT_EQ(target.slot, 1);
    EXPECT_EQ(itemAt(doc, 3, 200), 0);
    const ObjectRef note = copyTargetAt(doc, 110, 105);
    EXPECT_EQ(note.type, ObjectRef::Remark);
    EXPECT_EQ(note.slot, 0);
    EXPECT_EQ(copyTargetAt(doc, 700, 700).type, ObjectRef::None);
}
