#include "document/HistoryRing.h"
#include "DocTestUtil.h"
#include "document/DocumentText.h"

#include <gtest/gtest.h>

using namespace quorvel::document;
using quorvel::document::testing::remarkWith;

namespace {

// A ring after start: the first state recorded.
HistoryRing started() {
    HistoryRing ring;
    ring.record("state 0");
    return ring;
}

} // namespace

TEST(HistoryRing, EnabledStatesFollowChangesUndoAndRedo) {
    HistoryRing ring;
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.changed());
    EXPECT_EQ(ring.states(), 0);
    EXPECT_EQ(ring.undo(), nullptr);

    ring.record("state 0");
    EXPECT_EQ(ring.historyCur(), 1); // the first state goes to slot 1
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.changed());

    ring.record("state 1");
    EXPECT_TRUE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    EXPECT_TRUE(ring.changed());

    const std::string* back = ring.undo();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(*back, "state 0");
    EXPECT_FALSE(ring.canUndo());
    EXPECT_TRUE(ring.canRedo());
    EXPECT_FALSE(ring.changed()); // undoing back to the first state counts as unchanged
    EXPECT_EQ(ring.undo(), nullptr);
    EXPECT_EQ(ring.current(), "state 0");

    const std::string* forward = ring.redo();
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(*forward, "state 1");
    EXPECT_FALSE(ring.canRedo());
    EXPECT_EQ(ring.redo(), nullptr);
    EXPECT_TRUE(ring.canUndo());
}

TEST(HistoryRing, ANewChangeAfterUndoDiscardsTheRedoStates) {
    HistoryRing ring = started();
    ring.record("a");
    ring.record("b");
    ring.undo();
    ring.undo();
    ring.record("c");
    EXPECT_FALSE(ring.canRedo());
    EXPECT_EQ(ring.redo(), nullptr);
    EXPECT_EQ(ring.states(), 2);
    EXPECT_EQ(*ring.undo(), "state 0");
    EXPECT_EQ(*ring.redo(), "c");
}

TEST(HistoryRing, OldestStatesAreDroppedAfter1030Changes) {
    HistoryRing ring = started();
    for (int i = 1; i <= 1030; ++i)
        ring.record("state " + std::to_string(i));
    EXPECT_EQ(ring.states(), 1022);
    int undos = 0;
    std::string last;
    while (const std::string* text = ring.undo()) {
        last = *text;
        ++undos;
    }
    EXPECT_EQ(undos, 1021);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_EQ(last, "state 9");
    // The oldest kept state is not the state after start, so the document still counts as changed.
    EXPECT_TRUE(ring.changed());
    int redos = 0;
    while (ring.redo())
        ++redos;
    EXPECT_EQ(redos, 1021);
    EXPECT_EQ(ring.current(), "state 1030");
}

TEST(HistoryRing, SlotCountersWrapWithoutStoppingUndoOrRedo) {
    HistoryRing ring = started();
    for (int i = 1; i <= 1023; ++i)
        ring.record(std::to_string(i));
    EXPECT_EQ(ring.historyCur(), 0); // slot 1023 was followed by slot 0
    ring.record("1024");
    EXPECT_EQ(ring.historyCur(), 1);
    EXPECT_EQ(*ring.undo(), "1023");
    EXPECT_EQ(ring.historyCur(), 0);
    EXPECT_EQ(*ring.undo(), "1022");
    EXPECT_EQ(ring.historyCur(), 1023);
    EXPECT_EQ(*ring.redo(), "1023");
    EXPECT_EQ(*ring.redo(), "1024");
    EXPECT_FALSE(ring.canRedo());
    EXPECT_TRUE(ring.changed());
}

TEST(HistoryRing, ResetEmptiesTheRing) {
    HistoryRing ring = started();
    ring.record("x");
    ring.reset();
    EXPECT_EQ(ring.states(), 0);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_EQ(ring.historyStart(), 0);
    EXPECT_EQ(ring.historyEnd(), 0);
    ring.record("after new");
    EXPECT_FALSE(ring.changed());
    EXPECT_FALSE(ring.canUndo());
}

TEST(HistoryRing, UndoRebuildsTheDocumentAndArrowMovesWaitForTheNextRecord) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    HistoryRing ring;
    record_history(doc, ring);
    doc.addRemark(remarkWith("note", 10, 10));
    record_history(doc, ring);

    doc.selection.selectOnly(0);
    doc.moveSelected(2, 0); // a nudge records nothing
    EXPECT_TRUE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    doc.view.gridShown = 1;
    record_history(doc, ring);
    ASSERT_TRUE(doc.open(*ring.undo(), {}));
    EXPECT_EQ(doc.remark(0).left, 10);
    EXPECT_EQ(doc.view.gridShown, 0);
    ASSERT_TRUE(doc.open(*ring.redo(), {}));
    EXPECT_EQ(doc.remark(0).left, 12); // the recorded change includes the move
    EXPECT_EQ(doc.view.gridShown, 1);

    ASSERT_TRUE(doc.open(*ring.undo(), {}));
    ASSERT_TRUE(doc.open(*ring.undo(), {}));
    EXPECT_EQ(doc.remarkCount(), 0);
    EXPECT_TRUE(doc.selection.empty()); // the entry named an object that is gone
    EXPECT_FALSE(ring.changed());
}

// A save marks the clean state; undoing past it, or discarding it by a new change after undo, makes the
// document changed again, and a nudge that records nothing counts until a held state is back.
TEST(HistoryRing, CleanMarkFollowsSavesAndUnrecordedChanges) {
    HistoryRing ring = started();
    ring.record("edited");
    ring.markClean();
    EXPECT_FALSE(ring.changed());
    ring.noteUnrecordedChange();
    EXPECT_TRUE(ring.changed());
    ring.markClean();
    EXPECT_FALSE(ring.changed());

    ASSERT_NE(ring.undo(), nullptr);
    EXPECT_TRUE(ring.changed()); // the start state is not what was saved
    ASSERT_NE(ring.redo(), nullptr);
    EXPECT_FALSE(ring.changed());

    ring.noteUnrecordedChange();
    ASSERT_NE(ring.undo(), nullptr); // undo rebuilds a held state: the nudge is gone with it
    ring.record("other");            // takes the saved state's slot
    ring.undo();
    ASSERT_NE(ring.redo(), nullptr);
    EXPECT_TRUE(ring.changed());
}
