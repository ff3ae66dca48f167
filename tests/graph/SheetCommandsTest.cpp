// The annotation, curve style and edit commands on a document, with scripted dialogs: what each changes
// and what it tells the window to do, including the dialogs whose event loop ran other commands.
#include "graph/AnnotationCommands.h"
#include "graph/CurveStyleCommands.h"
#include "graph/SheetEdit.h"

#include "CurveTestSupport.h"

#include <gtest/gtest.h>

namespace quorvel::graph {
namespace {

using document::REMARK;

struct ScriptedAnnotationDialog : AnnotationDialog {
    std::function<std::optional<REMARK>()> answer;
    std::optional<REMARK> writeNew() override { return answer(); }
    std::optional<REMARK> edit(const REMARK&) override { return answer(); }
    document::FontSpec lastChosenFont() const override { return document::FontSpec::annotationDefault(); }
};

REMARK text(const char* t) {
    REMARK r;
    r.text = t;
    return r;
}

struct SheetCommands : ::testing::Test {
    curvetest::CurveWorld w;
    int drawn = 0;
    AnnotationContext ctx{w.doc, w.canvas, w.sink, [this] { ++drawn; }};
    ScriptedAnnotationDialog dialog;
};

TEST_F(SheetCommands, PlacingAnAnnotation) {
    dialog.answer = [] { return std::optional<REMARK>(); };
    EXPECT_EQ(placeAnnotation(ctx, dialog, {10.7, 20.2}), change::kRedraw); // cancelled
    dialog.answer = [] { return text("AB"); };
    w.doc.selection.selectOnly(0);
    EXPECT_EQ(placeAnnotation(ctx, dialog, {10.7, -20.2}), change::kEdit);
    ASSERT_EQ(w.doc.remarkCount(), 1);
    const REMARK& r = w.doc.remark(0);
    EXPECT_EQ(std::pair(r.left, r.top), std::pair(10, -20)); // whole pixels, toward zero
    EXPECT_GT(r.right, r.left);                              // measured
    EXPECT_TRUE(w.doc.selection.empty());

    while (!w.doc.remarksFull())
        (void)w.doc.addRemark(text("x"));
    EXPECT_EQ(placeAnnotation(ctx, dialog, {0, 0}), change::kNone);
    ASSERT_EQ(w.sink.shown.size(), 1u); // the full list is told, and nothing is asked
}

TEST_F(SheetCommands, EditingAnAnnotationDrawsItSelectedFirstAndRemovesAnEmptiedOne) {
    (void)w.doc.addRemark(text("old"));
    dialog.answer = [this] {
        EXPECT_EQ(drawn, 1); // the dialog opens over the annotation shown as selected
        return text("new text");
    };
    EXPECT_EQ(editAnnotation(ctx, dialog, 0), change::kEdit);
    EXPECT_EQ(w.doc.remark(0).text, "new text");
    dialog.answer = [] { return text(""); };
    EXPECT_EQ(editAnnotation(ctx, dialog, 0), change::kEdit);
    EXPECT_EQ(w.doc.remarkCount(), 0);
    EXPECT_EQ(editAnnotation(ctx, dialog, 0), change::kNone);

    (void)w.doc.addRemark(text("gone meanwhile"));
    dialog.answer = [this] {
        w.doc.removeRemark(0);
        return text("late");
    };
    EXPECT_EQ(editAnnotation(ctx, dialog, 0), change::kRedraw);
    EXPECT_EQ(w.doc.remarkCount(), 0);
}

TEST_F(SheetCommands, FontAndLabelCommandsActOnTheFirstSelectedObject) {
    (void)w.doc.addRemark(text("R"));
    document::FontSpec big = document::FontSpec::annotationDefault();
    big.size = 40;
    EXPECT_EQ(refontSelectedAnnotation(ctx, [&](const document::FontSpec&) { return big; }), change::kNone);
    w.doc.selection.selectOnly(w.doc.combinedOfRemark(0));
    const int smallRight = w.doc.remark(0).right;
    EXPECT_EQ(refontSelectedAnnotation(ctx, [](const document::FontSpec&) { return std::nullopt; }),
              change::kRedraw);
    EXPECT_EQ(refontSelectedAnnotation(ctx, [&](const document::FontSpec&) { return big; }), change::kEdit);
    EXPECT_EQ(w.doc.remark(0).font.size, 40);
    EXPECT_GT(w.doc.remark(0).right, smallRight); // measured again

    document::DEFINEFUN curve = curvetest::curveItem("Y=X");
    curve.colour = 0x0000FF;
    w.doc.addCurve(curve);
    w.doc.selection.selectOnly(w.doc.combinedOfRemark(0));
    EXPECT_EQ(labelSelectedCurve(ctx, big, {5, 6}), change::kNone); // an annotation is selected
    w.doc.selection.selectOnly(w.doc.combinedOfCurve(0));
    EXPECT_EQ(labelSelectedCurve(ctx, big, {5, 6}), change::kEdit);
    const REMARK& label = w.doc.remark(1);
    EXPECT_EQ(label.text, defaultItemName(document::KindCustomFunction, 0));
    EXPECT_EQ(label.font.colour, 0x0000FF);
    EXPECT_EQ(label.font.size, 40);
}

TEST_F(SheetCommands, CurveStyleCommandsLookTheCurveUpAgainAfterTheDialog) {
    w.doc.addCurve(curvetest::curveItem("Y=X"));
    EXPECT_EQ(toggleThickLine(w.doc), change::kNone); // nothing selected
    w.doc.selection.selectOnly(w.doc.combinedOfCurve(0));
    EXPECT_EQ(toggleThickLine(w.doc), change::kEdit);
    EXPECT_EQ(w.doc.curve(0).thickLine, 1);
    EXPECT_EQ(thickLineCaption(w.doc), "细线(&t)");
    EXPECT_EQ(recolourSelectedCurve(w.doc, [](int) { return std::optional<int>(0x00FF00); }), change::kEdit);
    EXPECT_EQ(w.doc.curve(0).colour, 0x00FF00);
    EXPECT_EQ(recolourSelectedCurve(w.doc,
                                    [this](int) {
                                        w.doc.removeSelected();
                                        return std::optional<int>(0xFF0000);
                                    }),
              change::kRedraw);
    EXPECT_EQ(w.doc.curveCount(), 0);
}

TEST_F(SheetCommands, EditCommandsWithNothingToActOnChangeNothing) {
    EXPECT_EQ(removeSelected(w.doc), change::kNone);
    EXPECT_EQ(pasteAt(w.doc, {1, 1}, {}), change::kNone); // empty clipboard
    EXPECT_EQ(nudgeSelected(w.doc, 2, 0), change::kNone);
    (void)w.doc.addRemark(text("R"));
    EXPECT_EQ(selectAll(w.doc), change::kRedraw);
    EXPECT_EQ(nudgeSelected(w.doc, 2, 0), change::kUnrecordedEdit);
    EXPECT_EQ(removeSelected(w.doc), change::kEdit);
    EXPECT_EQ(w.doc.remarkCount(), 0);
}

} // namespace
} // namespace quorvel::graph
