#include "graph/SheetMouse.h"
#include "graph/SheetEdit.h"

#include "CurveTestSupport.h"

#include <gtest/gtest.h>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;
using document::ObjectRef;

// An 800 x 600 sheet, origin (400, 300), units 100. Box A is item 0, box B item 1, the curve y = x item 2
// (its line passes (450, 250)), and the annotation R is combined index 3.
struct SheetMouseTest : ::testing::Test {
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    SheetMouse mouse{doc, engine, 800, 600};

    SheetMouseTest() {
        doc.view = curvetest::standardView();
        addBox(100, 100, 200, 150);
        addBox(250, 100, 350, 150);
        DEFINEFUN line = curvetest::curveItem("Y=X");
        confirm_funvalue(engine, line, doc.view, 800);
        doc.addCurve(std::move(line));
        document::REMARK r;
        r.left = 600, r.top = 400, r.right = 700, r.bottom = 450;
        doc.addRemark(r);
    }
    void addBox(int l, int t, int r, int b) {
        DEFINEFUN box;
        box.labelLeft = l, box.labelTop = t, box.labelRight = r, box.labelBottom = b;
        doc.addCurve(std::move(box));
    }
    void click(double x, double y) {
        (void)mouse.press(x, y, MouseButton::Left);
        (void)mouse.release(x, y, MouseButton::Left);
    }
    MouseOutcome drag(double x0, double y0, double x1, double y1) {
        (void)mouse.press(x0, y0, MouseButton::Left);
        EXPECT_FALSE(mouse.move(x1, y1).change.record);
        return mouse.release(x1, y1, MouseButton::Left);
    }
    std::array<int, 4> box(int slot) const {
        const DEFINEFUN& c = doc.curve(slot);
        return {c.labelLeft, c.labelTop, c.labelRight, c.labelBottom};
    }
};

TEST_F(SheetMouseTest, TheKeyboardChoosesOneObjectAfterAnotherGoingRound) {
    const struct {
        int step;
        int combined;
        HitKind hit;
    } keys[] = {{-1, 3, HitKind::Annotation}, {1, 0, HitKind::ItemBox},    {1, 1, HitKind::ItemBox},
                {1, 2, HitKind::ItemBox},     {1, 3, HitKind::Annotation}, {-1, 2, HitKind::ItemBox}};
    for (const auto& key : keys) {
        EXPECT_TRUE(mouse.selectNext(key.step).change.redraw);
        EXPECT_EQ(doc.selection.entries(), std::vector<int>{key.combined});
        EXPECT_EQ(mouse.lastPress().kind, key.hit);
    }
    // After a press the keys go on from the object pressed.
    click(620, 420);
    (void)mouse.selectNext(1);
    EXPECT_EQ(doc.selection.entries(), std::vector<int>{0});
}

TEST_F(SheetMouseTest, StatusTextShowsCoordinatesCutToHundredths) {
    EXPECT_EQ(mouse.move(523, 177).status, "当前鼠标的坐标为：(1.23,1.23)");
    EXPECT_EQ(mouse.move(350, 300).status, "当前鼠标的坐标为：(-0.5,0)");
}

TEST_F(SheetMouseTest, LeftPressesChooseTheSelection) {
    struct Press {
        double x, y;
    };
    const struct {
        std::vector<Press> presses;
        std::vector<int> selected;
    } rows[] = {
        {{{150, 125}}, {0}},
        {{{150, 125}, {300, 125}}, {0, 1}},             // a press adds
        {{{150, 125}, {300, 125}, {150, 125}}, {1, 0}}, // a selected one becomes last
        {{{150, 125}, {300, 125}, {50, 500}}, {}},      // empty sheet clears
        {{{450, 250}}, {2}},                            // curve line
        {{{650, 425}}, {3}},                            // annotation
        {{{150, 125}, {500, 300}}, {}},                 // the x-unit marker clears
    };
    for (const auto& row : rows) {
        doc.selection.clear();
        for (const Press& p : row.presses)
            click(p.x, p.y);
        EXPECT_EQ(doc.selection.entries(), row.selected) << row.presses.back().x;
    }
}

TEST_F(SheetMouseTest, DraggingMovesTheWholeSelectionAndRecordsOnceAtRelease) {
    click(150, 125);
    click(300, 125);
    (void)mouse.press(300, 125, MouseButton::Left);
    EXPECT_EQ(mouse.dragKind(), DragKind::Objects);
    EXPECT_FALSE(mouse.move(310.5, 140).change.record);
    EXPECT_FALSE(mouse.move(320.5, 150).change.record);
    EXPECT_TRUE(mouse.release(320, 150, MouseButton::Left).change.record);
    EXPECT_EQ(box(0), (std::array{120, 125, 220, 175}));
    EXPECT_EQ(box(1), (std::array{270, 125, 370, 175}));
    // Press and release in place: nothing moved, no history.
    EXPECT_FALSE(drag(150, 150, 150, 150).change.record);
    EXPECT_EQ(box(1), (std::array{270, 125, 370, 175}));
}

TEST_F(SheetMouseTest, ACurveLineIsSelectedButNotDragged) {
    const double originX = doc.view.originX;
    EXPECT_FALSE(drag(450, 250, 480, 290).change.record);
    EXPECT_EQ(doc.selection.entries(), std::vector{2});
    EXPECT_EQ(doc.view.originX, originX);
    EXPECT_FALSE(mouse.dragging());
}

TEST_F(SheetMouseTest, PanMovesTheOriginAndEvaluatesOnlyExposedColumns) {
    DEFINEFUN& line = doc.curve(2);
    line.ys[100] = 777; // a sentinel: a shifted sample keeps it, a recomputed one would not
    (void)mouse.press(50, 500, MouseButton::Left);
    EXPECT_EQ(mouse.dragKind(), DragKind::Pan);
    (void)mouse.move(60, 500);
    EXPECT_TRUE(mouse.release(60, 500, MouseButton::Left).change.record);
    EXPECT_EQ(doc.view.originX, 410);
    EXPECT_EQ(doc.view.originY, 300);
    EXPECT_EQ(line.ys[110], 777);
    for (int j : {0, 9, 10, 500, 800}) {
        if (j == 110) continue;
        EXPECT_TRUE(line.hasValueAt(j)) << j;
        EXPECT_NEAR(line.ys[static_cast<std::size_t>(j)], (j - 410) / 100.0, 1e-12) << j;
    }
}

TEST_F(SheetMouseTest, PositionsFarOffTheSheetOrPastTheBuffersNeverHit) {
    (void)mouse.press(50, 500, MouseButton::Left);
    (void)mouse.move(-100000, 500);
    EXPECT_TRUE(mouse.release(-100000, 500, MouseButton::Left).change.record);
    EXPECT_EQ(doc.view.originX, 400 - 100050);
    EXPECT_EQ(mouse.pastePosition().x, 0);
    (void)mouse.doubleClick(-100000, 500);
    // A sheet grown wider than the curve's buffers: the columns past them are no hit.
    doc.view.originX = 400;
    confirm_funvalue(engine, doc.curve(2), doc.view, 800);
    mouse.setSheetSize(3000, 600);
    EXPECT_EQ(mouse.press(2000, -1300, MouseButton::Right).cursor, SheetCursor::Arrow);
    EXPECT_EQ(mouse.release(2000, -1300, MouseButton::Right).popup.value().kind, HitKind::Nothing);
    EXPECT_FALSE(curveLineHitAt(doc, doc.curve(2), 801, -101, 3000));
    EXPECT_FALSE(curveLineHitAt(doc, doc.curve(2), 450, 250, 400)); // column past the sheet
    EXPECT_TRUE(curveLineHitAt(doc, doc.curve(2), 450, 250, 800));
}

TEST_F(SheetMouseTest, DoubleClickReopensAndTheNextPressStillSelects) {
    click(150, 125);
    const MouseOutcome dbl = mouse.doubleClick(150, 125);
    ASSERT_TRUE(dbl.reopen);
    EXPECT_EQ(dbl.reopen->type, ObjectRef::Curve);
    EXPECT_EQ(dbl.reopen->slot, 0);
    EXPECT_FALSE(mouse.release(150, 125, MouseButton::Left).change.record);
    (void)mouse.press(300, 125, MouseButton::Left); // not swallowed: it adds to the selection
    EXPECT_EQ(doc.selection.entries(), (std::vector{0, 1}));
    EXPECT_EQ(mouse.dragKind(), DragKind::Objects);
    (void)mouse.release(300, 125, MouseButton::Left);
    // An annotation over an item's box: the double click edits the item.
    doc.remark(0) = {{}, "", 90, 90, 160, 160};
    EXPECT_EQ(mouse.doubleClick(150, 125).reopen->slot, 0);
    EXPECT_EQ(mouse.doubleClick(95, 95).reopen->type, ObjectRef::Remark);
    EXPECT_FALSE(mouse.doubleClick(50, 500).reopen);
}

TEST_F(SheetMouseTest, RightReleaseRequestsThePopupForWhatWasHit) {
    const struct {
        double x, y;
        HitKind kind;
        int slot;
        std::vector<int> selected;
    } rows[] = {
        {50, 500, HitKind::Nothing, -1, {}},
        {150, 125, HitKind::ItemBox, 0, {0}},
        {450, 250, HitKind::CurveLine, 2, {2}},
        {650, 425, HitKind::Annotation, 0, {3}},
    };
    for (const auto& row : rows) {
        doc.selection.assign({0, 1});
        EXPECT_FALSE(mouse.press(row.x, row.y, MouseButton::Right).popup);
        const MouseOutcome out = mouse.release(row.x, row.y, MouseButton::Right);
        ASSERT_TRUE(out.popup) << row.x;
        EXPECT_EQ(out.popup->kind, row.kind) << row.x;
        EXPECT_EQ(out.popup->slot, row.slot) << row.x;
        EXPECT_EQ(doc.selection.entries(), row.selected) << row.x;
        EXPECT_FALSE(out.change.record);
    }
    // A right press during a left drag changes nothing, and the left release opens no menu.
    doc.selection.clear();
    (void)mouse.press(150, 125, MouseButton::Left);
    (void)mouse.press(650, 425, MouseButton::Right);
    EXPECT_FALSE(mouse.release(650, 425, MouseButton::Left).popup);
    EXPECT_FALSE(mouse.release(650, 425, MouseButton::Right).popup);
    EXPECT_EQ(doc.selection.entries(), std::vector{0});
}

TEST_F(SheetMouseTest, PopupTableEnablesTheItemsForEachHit) {
    std::vector<std::string_view> onForNothing;
    for (const PopupRow& row : kPopupTable)
        if (*popupItemEnabled(row.name, HitKind::Nothing, false)) onForNothing.push_back(row.name);
    EXPECT_EQ(onForNothing, (std::vector<std::string_view>{"N22", "N36", "N37", "N28", "N32", "N49"}));
    EXPECT_TRUE(*popupItemEnabled("N34", HitKind::Annotation, false));
    EXPECT_FALSE(*popupItemEnabled("N48", HitKind::ItemBox, false));
    EXPECT_TRUE(*popupItemEnabled("N43", HitKind::CurveLine, false));
    EXPECT_FALSE(*popupItemEnabled("N43", HitKind::ItemBox, true));
    EXPECT_FALSE(*popupItemEnabled("N43", HitKind::Annotation, false));
    EXPECT_FALSE(popupItemEnabled("N24", HitKind::Nothing, false));
}

// Where a curve leaves the sheet at the top or bottom depends on the y origin and unit: a vertical pan
// and a y-unit drag leave the same branch ends as sampling afresh.
TEST_F(SheetMouseTest, VerticalPanAndYUnitDragResampleTheBranchEnds) {
    doc.view.gridKind = document::GridRectangular;
    DEFINEFUN pole = curvetest::curveItem("Y=1/X");
    confirm_funvalue(engine, pole, doc.view, 800);
    doc.addCurve(std::move(pole));
    const int slot = doc.curveCount() - 1;
    const auto endsAfresh = [&] {
        DEFINEFUN copy = doc.curve(slot);
        confirm_funvalue(engine, copy, doc.view, 800);
        return copy.branchEnds;
    };
    const auto same = [](const std::vector<document::BranchEnd>& a,
                         const std::vector<document::BranchEnd>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].column != b[i].column || a[i].path != b[i].path) return false;
        return true;
    };
    EXPECT_TRUE(drag(700, 500, 700, 380).change.record); // a vertical pan on empty sheet
    EXPECT_TRUE(same(doc.curve(slot).branchEnds, endsAfresh()));
    const double markerY = doc.view.originY - doc.view.unitY;
    EXPECT_TRUE(drag(doc.view.originX, markerY, doc.view.originX, markerY - 60).change.record);
    EXPECT_EQ(doc.view.unitY, 160);
    EXPECT_TRUE(same(doc.curve(slot).branchEnds, endsAfresh()));
}

TEST_F(SheetMouseTest, UnitMarkersChangeTheUnitsWithinTheirClamps) {
    EXPECT_TRUE(drag(500, 300, 550, 300).change.record); // square grid: both units follow
    EXPECT_EQ(doc.view.unitX, 150);
    EXPECT_EQ(doc.view.unitY, 150);
    EXPECT_EQ(doc.view.originX, 400);
    EXPECT_NEAR(doc.curve(2).xs[550], 1, 1e-12); // resampled for the new unit
    (void)drag(550, 300, 0, 300);                // past the origin
    EXPECT_EQ(doc.view.unitX, 1);
    EXPECT_FALSE(drag(401, 300, 300, 300).change.record); // already at the clamp: nothing changed
    // The square grid has no y marker: a press there pans.
    doc.view.unitX = doc.view.unitY = doc.view.unitCommon = 100;
    (void)mouse.press(400, 200, MouseButton::Left);
    EXPECT_EQ(mouse.dragKind(), DragKind::Pan);
    (void)mouse.release(400, 200, MouseButton::Left);
    doc.view.gridKind = document::GridRectangular;
    EXPECT_TRUE(drag(400, 200, 400, 180).change.record); // upwards enlarges
    EXPECT_EQ(doc.view.unitY, 120);
    EXPECT_EQ(doc.view.unitX, 100);
}

TEST_F(SheetMouseTest, CursorFollowsThePressPrecedence) {
    const struct {
        double x, y;
        SheetCursor cursor;
    } rows[] = {
        {50, 500, SheetCursor::Arrow},   {150, 125, SheetCursor::DragMove}, {452, 249, SheetCursor::Hand},
        {500, 300, SheetCursor::SplitH}, {650, 425, SheetCursor::DragMove}, {452, 244, SheetCursor::Arrow},
    };
    for (const auto& row : rows)
        EXPECT_EQ(mouse.move(row.x, row.y).cursor, row.cursor) << row.x;
    doc.remark(0) = {{}, "", 440, 240, 460, 260}; // an annotation over the curve line wins
    EXPECT_EQ(mouse.move(450, 250).cursor, SheetCursor::DragMove);
    doc.view.gridKind = document::GridRectangular;
    EXPECT_EQ(mouse.move(400, 200).cursor, SheetCursor::SplitV);
}

// Cut removes exactly what copy took, in the press's order: an annotation lying over a box wins, and a
// press on empty sheet cuts nothing even with everything selected.
TEST_F(SheetMouseTest, CutRemovesExactlyWhatItCopied) {
    document::REMARK over;
    over.left = 120, over.top = 110, over.right = 180, over.bottom = 140; // over box A
    doc.addRemark(over);
    click(150, 125);
    const ObjectRef cut = cutObject(doc, mouse.pressHit(mouse.anchor().x, mouse.anchor().y));
    EXPECT_EQ(cut.type, ObjectRef::Remark);
    EXPECT_EQ(doc.remarkCount(), 1);
    EXPECT_EQ(doc.curveCount(), 3);
    EXPECT_EQ(doc.clipKind(), document::ClipRemark);
    EXPECT_TRUE(doc.selection.empty());

    click(20, 580); // empty sheet
    doc.selection.selectAll(doc.objectCount());
    EXPECT_EQ(cutObject(doc, mouse.pressHit(20, 580)).type, ObjectRef::None);
    EXPECT_EQ(doc.objectCount(), 4);
    EXPECT_EQ(doc.clipKind(), document::ClipRemark);         // the earlier copy stays for paste
    EXPECT_EQ(doc.selection.entries(), std::vector<int>{3}); // copy keeps the last entry only

    // Paste twice gives two objects at the same place; a paste position far off the sheet is kept on it.
    (void)mouse.press(650, 420, MouseButton::Right);
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(doc.pasteAt(mouse.pastePosition().x, mouse.pastePosition().y, {}), 0);
    EXPECT_EQ(doc.remark(1).left, doc.remark(2).left);
    EXPECT_EQ(doc.remark(2).top, 420);
    (void)mouse.press(20, 580, MouseButton::Left);
    (void)mouse.move(-5000, 9000);
    (void)mouse.release(-5000, 9000, MouseButton::Left);
    EXPECT_EQ(mouse.pastePosition().x, 0);
    EXPECT_EQ(mouse.pastePosition().y, 599);
}

// The wheel zooms about the pointer: the mathematical point under it stays within half a pixel, on every
// grid, at every step, and the units stay within their clamps.
TEST_F(SheetMouseTest, TheWheelZoomsAboutThePointerWithinTheClamps) {
    for (const int grid : {document::GridSquare, document::GridRectangular}) {
        doc.view = curvetest::standardView();
        doc.view.gridKind = grid;
        doc.view.unitY = grid == document::GridSquare ? 100 : 50;
        for (const double steps : {1.0, 3.0, -2.0, 0.5, 120.0, -400.0}) {
            const double x = 523, y = 177;
            const double mx = doc.view.mathX(x), my = doc.view.mathY(y);
            const double ratio = doc.view.unitX / doc.view.unitY;
            (void)mouse.wheel(x, y, steps);
            EXPECT_LE(std::abs(doc.view.sheetX(mx) - x), 0.5) << steps;
            EXPECT_LE(std::abs(doc.view.sheetY(my) - y), 0.5) << steps;
            EXPECT_NEAR(doc.view.unitX / doc.view.unitY, ratio, 1e-9);
            EXPECT_GE(std::min(doc.view.unitX, doc.view.unitY), 1 - 1e-9);
            EXPECT_LE(std::max(doc.view.unitX, doc.view.unitY), 5000 + 1e-9);
            if (grid == document::GridSquare) {
                EXPECT_EQ(doc.view.unitCommon, doc.view.unitX);
            }
        }
    }
    // The curve follows: y = x is sampled again for the new units.
    EXPECT_TRUE(doc.curve(2).hasValueAt(450));
    EXPECT_NEAR(doc.curve(2).ys[450], doc.view.mathX(450), 1e-9);
}

} // namespace
} // namespace quorvel::graph
