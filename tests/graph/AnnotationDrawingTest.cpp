#include "graph/AnnotationDrawing.h"

#include "CurveTestSupport.h"
#include "graph/SheetMouse.h"

#include <gtest/gtest.h>

namespace quorvel::graph {
namespace {

using document::REMARK;
using fakes::RecordingCanvas;

// The default annotation font is 9 pt, 12 px high on the recording canvas; every character is 6 px wide.
REMARK remarkAt(int left, int top, std::string text) {
    REMARK r;
    r.left = left, r.top = top;
    r.text = std::move(text);
    return r;
}

TEST(AnnotationDrawing, BoxesFollowLinesAndTheLineHeight) {
    const struct {
        const char* text;
        int width, height;
    } rows[] = {
        {"a\r\nbb\r\nccc", 18, 36},
        {"a\r\nbb\r\nccc\r\n", 18, 48}, // a trailing break is one more, empty, line
        {"", 0, 12},
        {"中文", 36, 12}, // widths come from the canvas, byte by byte on this one
    };
    for (const auto& row : rows) {
        RecordingCanvas canvas;
        REMARK r = remarkAt(10, 20, row.text);
        EXPECT_EQ(measureRemark(canvas, r), 12);
        EXPECT_EQ(r.right - r.left, row.width) << row.text;
        EXPECT_EQ(r.bottom - r.top, row.height) << row.text;
    }
}

TEST(AnnotationDrawing, EachAnnotationIsMeasuredAndDrawnOnItsOwn) {
    document::Document doc;
    doc.addRemark(remarkAt(0, 0, "a wide annotation"));
    REMARK narrow = remarkAt(0, 100, "n\r\nm");
    narrow.font.colour = 0x0000FF;
    narrow.right = 9999; // stale from a file
    doc.addRemark(narrow);
    doc.selection.selectOnly(doc.combinedOfRemark(1));
    RecordingCanvas canvas;
    canvas.setFontName("Times New Roman");
    canvas.setFontSize(16);
    Draw_remark(canvas, doc);

    EXPECT_EQ(doc.remark(1).right, 6); // not the wide one's, not the stale one
    const auto fills = canvas.of(RecordingCanvas::Op::FillRect);
    ASSERT_EQ(fills.size(), 1u); // only the selected one is highlighted
    EXPECT_EQ(std::tie(fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2), std::make_tuple(0, 100, 6, 124));
    EXPECT_EQ(fills[0].brush.color, kSelectedBoxColor);
    const auto* m = canvas.textAt("m");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(std::make_pair(m->x1, m->y1), std::make_pair(0, 112));
    EXPECT_EQ(m->fontColor, 0x0000FF);
    EXPECT_EQ(canvas.fontName(), "Times New Roman"); // the sheet's font is back
    EXPECT_EQ(canvas.fontSize(), 16);
}

// The press tests the measured box with strict edges, whatever right and bottom the file held.
TEST(AnnotationDrawing, HitTestsSeeTheMeasuredBoxWithStrictEdges) {
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    doc.view = curvetest::standardView();
    REMARK r = remarkAt(100, 100, "abc");
    r.right = r.bottom = 0;
    doc.addRemark(r);
    SheetMouse mouse{doc, engine, 800, 600};
    RecordingCanvas canvas;
    mouse.setRemarkMeasure([&canvas](REMARK& remark) { (void)measureRemark(canvas, remark); });
    const struct {
        double x, y;
        bool hit;
    } rows[] = {{101, 101, true}, {100, 105, false}, {105, 100, false},
                {117, 111, true}, {118, 105, false}, {105, 112, false}};
    for (const auto& row : rows)
        EXPECT_EQ(mouse.pressHit(row.x, row.y).kind == HitKind::Annotation, row.hit) << row.x << "," << row.y;
}

} // namespace
} // namespace quorvel::graph
