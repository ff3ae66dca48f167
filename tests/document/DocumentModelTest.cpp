#include "DocTestUtil.h"
#include "document/Document.h"
#include "document/DocumentText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel::document;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

namespace {

// Four graph items named by their expression ("0" … "3") and two annotations ("a", "b").
Document sampleDocument() {
    Document doc;
    for (int i = 0; i < 4; ++i)
        doc.addCurve(itemWithBox(0, i * 10, 50, i * 10 + 10, std::to_string(i)));
    doc.addRemark(remarkWith("a"));
    doc.addRemark(remarkWith("b"));
    return doc;
}

std::string curveNames(const Document& doc) {
    std::string out;
    for (int i = 0; i < doc.curveCount(); ++i)
        out += doc.curve(i).expression;
    return out;
}

std::string remarkTexts(const Document& doc) {
    std::string out;
    for (int j = 0; j < doc.remarkCount(); ++j)
        out += doc.remark(j).text;
    return out;
}

} // namespace

TEST(Selection, PressAppendsOrSwapsWithTheLastEntry) {
    Selection s;
    EXPECT_TRUE(s.press(1));
    EXPECT_TRUE(s.press(2));
    EXPECT_TRUE(s.press(3));
    EXPECT_EQ(s.incheck(2), 1);
    EXPECT_EQ(s.incheck(7), -1);
    // Pressing a selected object makes it the last; the former last takes its old place.
    EXPECT_TRUE(s.press(1));
    EXPECT_EQ(s.entries(), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(s.press(1));
    EXPECT_EQ(s.entries(), (std::vector<int>{3, 2, 1}));
    EXPECT_FALSE(s.press(-1));
    EXPECT_EQ(s.selCount(), 3);
}

TEST(Selection, CapacityIsNeverExceeded) {
    Selection s;
    for (int i = 0; i < kSelectionCapacity; ++i)
        ASSERT_TRUE(s.press(i));
    EXPECT_FALSE(s.press(500));
    EXPECT_EQ(s.selCount(), kSelectionCapacity);
    EXPECT_EQ(s.incheck(500), -1);
    // A selected object can still be made the most recent one.
    EXPECT_TRUE(s.press(0));
    EXPECT_EQ(s.last(), 0);

    s.selectAll(150);
    EXPECT_EQ(s.selCount(), kSelectionCapacity);
    EXPECT_EQ(s[99], 99);
    s.selectAll(-3);
    EXPECT_TRUE(s.empty());

    s.assign({4, 4, -1, 7, 4});
    EXPECT_EQ(s.entries(), (std::vector<int>{4, 7}));
}

TEST(Selection, DropInvalidAndKeepLast) {
    Selection s;
    s.assign({5, 0, 9, 2});
    s.dropInvalid(6);
    EXPECT_EQ(s.entries(), (std::vector<int>{5, 0, 2}));
    s.keepLast();
    EXPECT_EQ(s.entries(), (std::vector<int>{2}));
    s.selectOnly(-1);
    EXPECT_TRUE(s.empty());
}

TEST(DocumentModel, CombinedIndexPutsAnnotationsAfterGraphItems) {
    Document doc = sampleDocument();
    EXPECT_EQ(doc.combinedOfRemark(1), 5);
    const ObjectRef item = doc.resolve(3);
    EXPECT_EQ(item.type, ObjectRef::Curve);
    EXPECT_EQ(item.slot, 3);
    const ObjectRef note = doc.resolve(4);
    EXPECT_EQ(note.type, ObjectRef::Remark);
    EXPECT_EQ(note.slot, 0);
    EXPECT_EQ(doc.resolve(6).type, ObjectRef::None);
    EXPECT_EQ(doc.resolve(-1).type, ObjectRef::None);
    EXPECT_THROW(doc.curve(4), std::out_of_range);
    EXPECT_THROW(doc.remark(-1), std::out_of_range);
}

TEST(DocumentModel, DeletingSelectionInReverseOrderKeepsTheRightItems) {
    Document doc = sampleDocument();
    doc.selection.assign({3, 1});
    doc.removeSelected();
    EXPECT_EQ(curveNames(doc), "02");
    EXPECT_TRUE(doc.selection.empty());
}

TEST(DocumentModel, DeletingAGraphItemShiftsTheAnnotationEntryAfterIt) {
    Document doc = sampleDocument();
    // Item 1, then annotation "b" (combined 5): after the item goes, "b" is combined 4 and still deleted.
    doc.selection.assign({1, 5});
    doc.removeSelected();
    EXPECT_EQ(curveNames(doc), "023");
    EXPECT_EQ(remarkTexts(doc), "a");
}

TEST(DocumentModel, DeletingSkipsEntriesThatNameNothing) {
    Document doc = sampleDocument();
    doc.selection.assign({42, 0});
    doc.removeSelected();
    EXPECT_EQ(curveNames(doc), "123");
    EXPECT_EQ(remarkTexts(doc), "ab");

    Document all = sampleDocument();
    all.selection.selectAll(all.objectCount());
    all.removeSelected();
    EXPECT_EQ(all.objectCount(), 0);
}

TEST(DocumentModel, DelZhushiEmptiesObjectsAndClipboardOnly) {
    Document doc = sampleDocument();
    doc.view.gridKind = GridPolar;
    doc.selection.assign({1});
    doc.copyCurveToClipboard(0);
    doc.copyRemarkToClipboard(0);
    ASSERT_NE(doc.beginNewCurve(), nullptr);
    doc.Del_zhushi();
    EXPECT_EQ(doc.curveCount(), 0);
    EXPECT_EQ(doc.remarkCount(), 0);
    EXPECT_EQ(doc.clipboardCurve(), nullptr);
    EXPECT_EQ(doc.clipboardRemark(), nullptr);
    EXPECT_EQ(doc.clipKind(), ClipNone);
    EXPECT_EQ(doc.newCurve(), nullptr);
    EXPECT_EQ(doc.view.gridKind, GridPolar);
    EXPECT_EQ(doc.selection.selCount(), 1);
    // Nothing to paste any more, even at a press position.
    EXPECT_EQ(doc.pasteAt(5, 5, {}), -1);
}

TEST(DocumentModel, NewItemsStackBelowTheLowestBox) {
    Document doc;
    DEFINEFUN* first = doc.beginNewCurve();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->labelLeft, 0);
    EXPECT_EQ(first->labelTop, 0);
    EXPECT_EQ(doc.currentCurve, 0);
    EXPECT_EQ(doc.curveCount(), 0); // not counted while it is prepared
    EXPECT_EQ(doc.currentRecord(), first);
    doc.discardNewCurve();
    EXPECT_EQ(doc.currentRecord(), nullptr);

    doc.addCurve(itemWithBox(30, 0, 90, 120));
    doc.addCurve(itemWithBox(70, 0, 90, 40));
    DEFINEFUN* next = doc.beginNewCurve();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->labelTop, 120);
    EXPECT_EQ(next->labelLeft, 70);
    EXPECT_EQ(doc.currentCurve, 2);
    next->expression = "Y=X";
    EXPECT_EQ(doc.commitNewCurve(), 2);
    EXPECT_EQ(doc.curveCount(), 3);
    EXPECT_EQ(doc.commitNewCurve(), -1);
    EXPECT_EQ(&doc.curve(2), doc.currentRecord());

    // All boxes above the sheet's top: the new one starts at 0.
    Document high;
    high.addCurve(itemWithBox(5, -80, 20, -10));
    DEFINEFUN* item = high.beginNewCurve();
    EXPECT_EQ(item->labelTop, 0);
    EXPECT_EQ(item->labelLeft, 5);
}

TEST(DocumentModel, FullListsRefuseNewObjects) {
    Document doc;
    for (int i = 0; i < kMaxObjects; ++i) {
        ASSERT_NE(doc.addCurve(DEFINEFUN{}), nullptr);
        ASSERT_NE(doc.addRemark(REMARK{}), nullptr);
    }
    EXPECT_TRUE(doc.curvesFull());
    EXPECT_EQ(doc.addCurve(DEFINEFUN{}), nullptr);
    EXPECT_EQ(doc.addRemark(REMARK{}), nullptr);
    EXPECT_EQ(doc.beginNewCurve(), nullptr);
    EXPECT_EQ(doc.beginNewRemark(), nullptr);
    doc.copyCurveToClipboard(0);
    EXPECT_EQ(doc.pasteAt(1, 1, {}), -1);
    EXPECT_EQ(doc.curveCount(), kMaxObjects);
    EXPECT_EQ(doc.remarkCount(), kMaxObjects);
}

TEST(DocumentModel, NewAnnotationCountsOnlyWhenCommitted) {
    Document doc;
    REMARK* r = doc.beginNewRemark();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->font, FontSpec::annotationDefault());
    EXPECT_EQ(doc.remarkCount(), 0);
    r->text = "x";
    EXPECT_EQ(doc.commitNewRemark(), 0);
    EXPECT_EQ(doc.remark(0).text, "x");
    EXPECT_EQ(doc.commitNewRemark(), -1);
    doc.beginNewRemark();
    doc.discardNewRemark();
    EXPECT_EQ(doc.remarkCount(), 1);
}

TEST(DocumentModel, PasteTwiceGivesTwoObjectsAtThePressPosition) {
    Document doc;
    DEFINEFUN source = itemWithBox(10, 20, 110, 60, "Y=A*X");
    source.domainStart = -2;
    source.name = "f";
    source.paramCount = 1;
    source.paramNames[0] = "A";
    source.paramValues[0] = 3;
    source.resizeSamples(4);
    doc.addCurve(source);
    doc.copyCurveToClipboard(0);
    EXPECT_EQ(doc.clipKind(), ClipCurve);
    ASSERT_NE(doc.clipboardCurve(), nullptr);
    EXPECT_EQ(doc.clipboardCurve()->sampleColumns(), 0);

    int resampled = 0;
    const ResampleHook hook = [&](DEFINEFUN& c) {
        ++resampled;
        c.resizeSamples(8);
    };
    EXPECT_EQ(doc.pasteAt(300.9, 200.2, hook), 1);
    EXPECT_EQ(doc.pasteAt(300.9, 200.2, hook), 2);
    EXPECT_EQ(resampled, 2);
    for (int slot : {1, 2}) {
        const DEFINEFUN& c = doc.curve(slot);
        EXPECT_EQ(c.labelLeft, 300);
        EXPECT_EQ(c.labelTop, 200);
        EXPECT_EQ(c.labelRight, 400);
        EXPECT_EQ(c.labelBottom, 240);
        EXPECT_EQ(c.expression, "Y=A*X");
        EXPECT_EQ(c.paramValues[0], 3);
        EXPECT_EQ(c.domainStart, -2); // a copy keeps its domain and name
        EXPECT_EQ(c.name, "f");
        EXPECT_EQ(c.sampleColumns(), 8);
    }
    EXPECT_TRUE(doc.selection.empty());
}

TEST(DocumentModel, PastedAnnotationKeepsTextAndFontAtTheNewPosition) {
    Document doc;
    REMARK r = remarkWith("第一行\r\n second", 5, 6);
    r.font.name = "Liberation Serif";
    r.font.bold = true;
    doc.addRemark(r);
    doc.copyRemarkToClipboard(0);
    doc.remark(0).text = "changed later";
    EXPECT_EQ(doc.clipKind(), ClipRemark);
    EXPECT_EQ(doc.pasteAt(-40.7, 77, {}), doc.combinedOfRemark(1));
    const REMARK& pasted = doc.remark(1);
    EXPECT_EQ(pasted.text, "第一行\r\n second");
    EXPECT_EQ(pasted.font, r.font);
    EXPECT_EQ(pasted.left, -40);
    EXPECT_EQ(pasted.top, 77);
    EXPECT_EQ(pasted.right - pasted.left, 30);
}

TEST(DocumentModel, PasteAndCopyIgnoreBadInput) {
    Document doc;
    EXPECT_EQ(doc.pasteAt(1, 1, {}), -1);
    doc.copyCurveToClipboard(0);
    doc.copyRemarkToClipboard(3);
    EXPECT_EQ(doc.clipKind(), ClipNone);
    // A box as wide as the int range and a press far outside it stay inside the int range.
    DEFINEFUN wide = itemWithBox(-2147483647, 0, 2147483647, 10);
    doc.addCurve(wide);
    doc.copyCurveToClipboard(0);
    EXPECT_EQ(doc.pasteAt(1e300, std::nan(""), {}), 1);
    EXPECT_EQ(doc.curve(1).labelLeft, 2147483647);
    EXPECT_EQ(doc.curve(1).labelRight, 2147483647);
    EXPECT_EQ(doc.curve(1).labelTop, 0);
}

TEST(DocumentModel, ArrowNudgeMovesEverySelectedObject) {
    Document doc = sampleDocument();
    doc.selection.assign({1, 4});
    doc.moveSelected(2, 0);
    doc.moveSelected(0, -2);
    EXPECT_EQ(doc.curve(1).labelLeft, 2);
    EXPECT_EQ(doc.curve(1).labelRight, 52);
    EXPECT_EQ(doc.curve(1).labelTop, 8);
    EXPECT_EQ(doc.remark(0).left, 2);
    EXPECT_EQ(doc.remark(0).bottom, 10);
    EXPECT_EQ(doc.curve(0).labelLeft, 0);
    EXPECT_EQ(doc.remark(1).left, 0);
}

TEST(DocumentModel, ResetForOpenKeepsOnlyTheToggles) {
    Document doc = sampleDocument();
    doc.view.gridKind = GridRectangular;
    doc.view.unitX = 40;
    doc.view.axesShown = 0;
    doc.view.gridShown = 1;
    doc.currentCurve = 3;
    doc.selection.assign({0});
    doc.resetForOpen(801, 599);
    EXPECT_EQ(doc.objectCount(), 0);
    EXPECT_EQ(doc.view.originX, 400);
    EXPECT_EQ(doc.view.originY, 299);
    EXPECT_EQ(doc.view.unitX, 100);
    EXPECT_EQ(doc.view.gridKind, GridSquare);
    EXPECT_EQ(doc.view.axesShown, 0);
    EXPECT_EQ(doc.view.gridShown, 1);
    EXPECT_EQ(doc.currentCurve, 0);
    EXPECT_TRUE(doc.selection.empty());
    doc.resetForNew(800, 600);
    EXPECT_EQ(doc.view.axesShown, 1);
    EXPECT_EQ(doc.view.gridShown, 0);
}

TEST(DocumentModel, OpenDropsSelectionEntriesThatNameNothing) {
    Document doc = sampleDocument();
    const std::string smaller = [] {
        Document d;
        d.addCurve(itemWithBox(0, 0, 1, 1));
        d.addRemark(remarkWith("r"));
        return writeDocumentText(d);
    }();
    doc.copyRemarkToClipboard(1);
    doc.selection.assign({5, 1, 0, 3});
    ASSERT_TRUE(doc.open(smaller, {}));
    EXPECT_EQ(doc.selection.entries(), (std::vector<int>{1, 0}));
    EXPECT_EQ(doc.clipKind(), ClipRemark); // rebuilding from history keeps the clipboard
    ASSERT_NE(doc.clipboardRemark(), nullptr);
    EXPECT_EQ(doc.clipboardRemark()->text, "b");
}
