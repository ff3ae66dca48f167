#include "CurveTestSupport.h"

#include "document/Messages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::graph {
namespace {

using curvetest::CurveWorld;
using curvetest::FakeDialog;
using curvetest::kSheetWidth;
using document::DEFINEFUN;

// ---------------------------------------------------------------- the dialog's OK

FunctionDialogInput goodInput() {
    FunctionDialogInput in;
    in.name = "f";
    in.pickedColour = typeset::rgb(1, 2, 3);
    in.domainStart = "-2";
    in.domainEnd = "3.5";
    in.fontSize = "18";
    in.fontName = "宋体";
    in.params = {std::string("1.5"), std::string("-2"), std::nullopt};
    return in;
}

TEST(FunctionDialogOk, WritesEveryFieldOfAnAcceptedInput) {
    DEFINEFUN item;
    item.paramValues[2] = 7;
    ASSERT_EQ(applyFunctionDialog(goodInput(), item), "");
    EXPECT_EQ(item.name, "f");
    EXPECT_EQ(item.colour, typeset::rgb(1, 2, 3));
    EXPECT_EQ(item.domainStart, -2);
    EXPECT_EQ(item.domainEnd, 3.5);
    EXPECT_EQ(item.labelFontSize, 18);
    EXPECT_EQ(item.labelFontName, "宋体");
    EXPECT_EQ(item.paramValues[0], 1.5);
    EXPECT_EQ(item.paramValues[1], -2);
    EXPECT_EQ(item.paramValues[2], 7); // hidden row: kept, not read

    // Numbers are decimals with an optional exponent; the size is truncated; the ends are not compared.
    FunctionDialogInput in = goodInput();
    in.domainStart = "1e2";
    in.fontSize = "2.7";
    ASSERT_EQ(applyFunctionDialog(in, item), "");
    EXPECT_EQ(item.domainStart, 100);
    EXPECT_EQ(item.domainEnd, 3.5);
    EXPECT_EQ(item.labelFontSize, 2);
}

TEST(FunctionDialogOk, RefusalsNameTheFirstProblemAndWriteNothing) {
    struct Case {
        const char* what;
        void (*spoil)(FunctionDialogInput&);
        const char* message;
    };
    const Case cases[] = {
        {"domain start", [](FunctionDialogInput& in) { in.domainStart = "abc"; }, kDomainNotNumberMessage},
        {"domain before font",
         [](FunctionDialogInput& in) {
             in.domainEnd = "1..2";
             in.fontName.reset();
         },
         kDomainNotNumberMessage},
        {"no font", [](FunctionDialogInput& in) { in.fontName.reset(); }, kNoFontMessage},
        {"font before numbers",
         [](FunctionDialogInput& in) {
             in.fontName = "";
             in.fontSize = "x";
         },
         kNoFontMessage},
        {"parameter", [](FunctionDialogInput& in) { in.params[1] = "2a"; }, kNotNumericMessage},
        {"infinite parameter", [](FunctionDialogInput& in) { in.params[0] = "1e999"; }, kNotNumericMessage},
        {"size zero", [](FunctionDialogInput& in) { in.fontSize = "0.9"; }, kFontSizeRangeMessage},
        {"size too large for an int", [](FunctionDialogInput& in) { in.fontSize = "1e20"; },
         kFontSizeRangeMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FunctionDialogInput in = goodInput();
        c.spoil(in);
        DEFINEFUN item;
        item.name = "old";
        item.colour = 5;
        const DEFINEFUN before = item;
        EXPECT_EQ(applyFunctionDialog(in, item), c.message);
        EXPECT_TRUE(item.sameStoredFields(before));
    }
}

// ---------------------------------------------------------------- creating template curves

TEST(TemplateCommand, LinearTemplateWithOkMakesALineThroughTheOriginBoxedAtTheCorner) {
    CurveWorld w;
    FakeDialog dialog;
    ASSERT_EQ(templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton1")), CurveOutcome::Created);
    ASSERT_EQ(w.doc.curveCount(), 1);
    const DEFINEFUN& c = w.doc.curve(0);
    EXPECT_EQ(c.expression, "Y=A*X+B");
    EXPECT_EQ(c.kind, document::KindTemplateFunction);
    EXPECT_EQ(c.name, "正比例函数");
    EXPECT_EQ(c.paramNames[0] + c.paramNames[1] + c.paramNames[2], "AB");
    EXPECT_EQ(c.domainStart, -9999);
    EXPECT_EQ(c.domainEnd, 9999);
    EXPECT_EQ(c.labelFontName, "Times New Roman");
    EXPECT_EQ(c.labelFontSize, 16);
    EXPECT_EQ(c.colour, document::kBlue);
    EXPECT_EQ(std::pair(c.labelLeft, c.labelTop), std::pair(0, 0));
    EXPECT_GT(c.labelRight, 10);
    EXPECT_GT(c.labelBottom, 10);
    ASSERT_EQ(c.sampleColumns(), kSheetWidth + 1);
    for (int j : {0, 400, 800})
        EXPECT_DOUBLE_EQ(c.ys[static_cast<std::size_t>(j)], (j - 400) / 100.0);
    EXPECT_EQ(w.doc.currentCurve, 0);
    EXPECT_TRUE(w.doc.selection.empty());
    EXPECT_EQ(dialog.captionWhileShown, kNewCurveCaption);
    EXPECT_EQ(dialog.rowVisible, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(dialog.domainStartText + " " + dialog.domainEndText, "-9999 9999");
    EXPECT_EQ(dialog.fontSelected, "Times New Roman");
}

TEST(TemplateCommand, PreviewIsTypesetInTheDefaultFontWithoutChangingTheOutputStyle) {
    CurveWorld w;
    w.style.fontSize = 30;
    w.style.fontName = "宋体";
    w.style.colors.operatorColor = typeset::rgb(9, 9, 9);
    FakeDialog dialog;
    templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton3"));
    EXPECT_EQ(dialog.previewMarkup, "Y =A*cub(X,2)+B*X+C");
    EXPECT_EQ(dialog.previewStyle.fontName, "Times New Roman");
    EXPECT_EQ(dialog.previewStyle.fontSize, 16);
    EXPECT_EQ(dialog.previewStyle.colors.operatorColor, typeset::rgb(9, 9, 9));
    EXPECT_EQ(w.style.fontSize, 30);
    EXPECT_EQ(w.style.fontName, "宋体");
    // The label takes the output style's colours.
    EXPECT_EQ(w.doc.curve(0).labelColours[3], typeset::rgb(9, 9, 9));
}

TEST(TemplateCommand, EveryTemplateCreatesItsCurveWithItsStartingValues) {
    for (const TemplateFunction& t : templateFunctions()) {
        SCOPED_TRACE(t.buttonName);
        CurveWorld w;
        FakeDialog dialog;
        ASSERT_EQ(templateButtonClick(w.ctx, dialog, t), CurveOutcome::Created);
        const DEFINEFUN& c = w.doc.curve(0);
        EXPECT_EQ(c.expression, t.expression);
        EXPECT_EQ(c.name, t.name);
        EXPECT_EQ(c.paramCount, t.paramCount);
        for (int k = 0; k < 3; ++k) {
            // Rows a template lacks are hidden and their parameters stay 0.
            const double want = k < t.paramCount ? t.startValues[static_cast<std::size_t>(k)] : 0;
            EXPECT_EQ(c.paramValues[static_cast<std::size_t>(k)], want) << k;
        }
        int points = 0;
        for (auto d : c.defined)
            points += d;
        EXPECT_GT(points, 50) << "the curve has points on the sheet";
    }
}

TEST(TemplateCommand, NewBoxesStackBelowTheLowestAlignedWithTheLastItem) {
    CurveWorld w;
    FakeDialog dialog;
    templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton1"));
    const DEFINEFUN& first = w.doc.curve(0);
    templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton7"));
    const DEFINEFUN& second = w.doc.curve(1);
    EXPECT_EQ(second.labelLeft, first.labelLeft);
    EXPECT_EQ(second.labelTop, first.labelBottom);

    // Moved boxes: the left edge comes from the last item, the top from the lowest box.
    w.doc.curve(0).labelTop += 500;
    w.doc.curve(0).labelBottom += 500;
    w.doc.curve(1).labelLeft += 40;
    w.doc.curve(1).labelRight += 40;
    templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton11"));
    EXPECT_EQ(w.doc.curve(2).labelLeft, w.doc.curve(1).labelLeft);
    EXPECT_EQ(w.doc.curve(2).labelTop, w.doc.curve(0).labelBottom);
    EXPECT_EQ(w.doc.currentCurve, 2);
}

TEST(TemplateCommand, CancelLeavesNoRecordAndNoHistory) {
    CurveWorld w;
    FakeDialog dialog;
    dialog.onExec = [](FakeDialog&, DEFINEFUN&) { return false; };
    EXPECT_EQ(templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton2")), CurveOutcome::Cancelled);
    EXPECT_EQ(w.doc.curveCount(), 0);
    EXPECT_EQ(w.doc.newCurve(), nullptr);
}

TEST(TemplateCommand, FullListIsReportedAndNoDialogIsShown) {
    CurveWorld w;
    for (int i = 0; i < document::kMaxObjects; ++i)
        w.doc.addCurve(curvetest::curveItem("Y=X"));
    FakeDialog dialog;
    EXPECT_EQ(templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton1")), CurveOutcome::ListFull);
    EXPECT_EQ(dialog.execCount, 0);
    EXPECT_EQ(w.doc.curveCount(), document::kMaxObjects);
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].text, document::kListFullMessage);
}

// ---------------------------------------------------------------- reopening

class Reopen : public ::testing::Test {
protected:
    CurveWorld w;
    FakeDialog dialog;

    void SetUp() override {
        templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton1"));
        templateButtonClick(w.ctx, dialog, *findTemplate("SpeedButton7"));
        // Leave the dialog as another use would: other texts, another colour.
        dialog.input.params = {std::string("x"), std::string("y"), std::string("z")};
        dialog.input.name = "other";
        dialog.input.pickedColour = 77;
    }
};

TEST_F(Reopen, ShowsTheCurveInModifyModeAndOkChangesIt) {
    w.doc.curve(1).colour = typeset::rgb(200, 10, 10); // changed with the colour command meanwhile
    w.doc.curve(1).paramValues[0] = 0.1 + 0.2;
    FunctionDialogInput seen;
    dialog.onExec = [&seen](FakeDialog& d, DEFINEFUN& target) {
        seen = d.input;
        d.input.params[1] = std::string("2");
        return d.pressOk(target);
    };
    ASSERT_EQ(reopenTemplateCurve(w.ctx, dialog, 1), CurveOutcome::Changed);
    EXPECT_EQ(dialog.captionWhileShown, kEditCurveCaption);
    EXPECT_EQ(dialog.caption, kNewCurveCaption);
    EXPECT_EQ(seen.name, "正弦函数");
    EXPECT_EQ(*seen.params[0] + " " + *seen.params[1] + " " + *seen.params[2], "0.3 1 0");
    EXPECT_EQ(seen.pickedColour, typeset::rgb(200, 10, 10));
    EXPECT_EQ(seen.fontSize, "16");
    EXPECT_EQ(dialog.fontSelected, "Times New Roman");
    EXPECT_EQ(dialog.rowVisible, (std::array<bool, 3>{true, true, true}));

    const DEFINEFUN& c = w.doc.curve(1);
    EXPECT_EQ(w.doc.curveCount(), 2);
    EXPECT_EQ(c.colour, typeset::rgb(200, 10, 10));
    EXPECT_NEAR(c.ys[500], 0.3 * std::sin(2.0), 1e-12); // resampled with B = 2
    EXPECT_EQ(w.doc.currentCurve, 1);
}

TEST_F(Reopen, CancelAfterARefusedOkChangesNothing) {
    dialog.onExec = [](FakeDialog& d, DEFINEFUN& target) {
        d.input.name = "renamed";
        d.input.pickedColour = 123;
        d.input.domainStart = "abc";
        EXPECT_FALSE(d.pressOk(target));
        return false; // then cancel
    };
    const DEFINEFUN before = w.doc.curve(0);
    EXPECT_EQ(reopenTemplateCurve(w.ctx, dialog, 0), CurveOutcome::Cancelled);
    EXPECT_EQ(dialog.messages, std::vector<std::string>{kDomainNotNumberMessage});
    EXPECT_TRUE(w.doc.curve(0).sameStoredFields(before));
    EXPECT_EQ(dialog.caption, kNewCurveCaption);
}

TEST_F(Reopen, OnlyTemplateCurvesAreReopenedHere) {
    w.doc.addCurve(curvetest::curveItem("Y=X", document::KindCustomFunction));
    for (int slot : {2, 3, -1}) {
        EXPECT_EQ(reopenTemplateCurve(w.ctx, dialog, slot), CurveOutcome::Cancelled) << slot;
    }
    EXPECT_EQ(dialog.execCount, 2); // only the two creations of SetUp
}

} // namespace
} // namespace quorvel::graph
