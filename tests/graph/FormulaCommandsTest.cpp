#include "CurveTestSupport.h"

#include "document/Messages.h"
#include "expr/Calculation.h"
#include "graph/FormulaCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quorvel::graph {
namespace {

using curvetest::CurveWorld;
using document::DEFINEFUN;

// The formula editor as a script: it keeps every request and answers with onExec (by default: OK with
// the expression set in typed, or cancel when it is empty).
class FakeEditor : public FormulaEditorDialog {
public:
    std::string typed;
    bool ok = true;
    std::vector<EditorRequest> requests;
    std::vector<DEFINEFUN> seen; // the target as it was handed over
    std::function<void(DEFINEFUN&)> alsoWrite;

    bool execFor(const EditorRequest& request, DEFINEFUN& target) override {
        requests.push_back(request);
        seen.push_back(target);
        if (!ok) return false;
        target.expression = typed;
        if (alsoWrite) alsoWrite(target);
        return true;
    }
};

using Command = CurveOutcome (*)(CurveCommandContext&, FormulaEditorDialog&);
struct CommandRow {
    const char* name;
    Command run;
    EditorMode mode;
    const char* caption;
    const char* ok;
};
const CommandRow kCommands[] = {
    {"formula", &formulaEditCommand, EditorMode::FormulaPicture, "公式编辑器", "确定"},
    {"calculation", &calculationCommand, EditorMode::Calculation, "计算表达式", "计算"},
    {"custom", &customFunctionCommand, EditorMode::CustomFunction, "绘制自定义函数", "确定"},
};

DEFINEFUN boxAt(int left, int top, int bottom) {
    DEFINEFUN item = curvetest::curveItem("a", document::KindFormulaPicture);
    item.labelLeft = left;
    item.labelTop = top;
    item.labelRight = left + 50;
    item.labelBottom = bottom;
    return item;
}

TEST(FormulaCommands, CaptionsFollowModeAndEditing) {
    for (const CommandRow& row : kCommands) {
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(windowCaption(row.mode), row.caption);
        EXPECT_STREQ(okCaption(row.mode, false), row.ok);
        EXPECT_STREQ(okCaption(row.mode, true), "修改");
    }
}

TEST(FormulaCommands, EachCommandOpensANewItemInItsModeAndSelectsItAlone) {
    for (const CommandRow& row : kCommands) {
        SCOPED_TRACE(row.name);
        CurveWorld w;
        FakeEditor editor;
        editor.typed = "y=x*x";
        ASSERT_EQ(row.run(w.ctx, editor), CurveOutcome::Created);
        ASSERT_EQ(editor.requests.size(), 1u);
        const EditorRequest& r = editor.requests[0];
        EXPECT_EQ(r.mode, row.mode);
        EXPECT_FALSE(r.editing);
        EXPECT_EQ(r.input, "");
        if (row.mode == EditorMode::CustomFunction) {
            EXPECT_EQ(r.domainStart + " " + r.domainEnd, "-9999 9999");
        }

        ASSERT_EQ(w.doc.curveCount(), 1);
        EXPECT_EQ(w.doc.selection.entries(), std::vector<int>{0});
        EXPECT_EQ(w.doc.currentCurve, 0);
        EXPECT_EQ(w.doc.newCurve(), nullptr);
        const DEFINEFUN& c = w.doc.curve(0);
        EXPECT_EQ(std::pair(c.labelLeft, c.labelTop), std::pair(0, 0));
        EXPECT_GT(c.labelRight, 10);
        EXPECT_GT(c.labelBottom, 10);
    }
}

TEST(FormulaCommands, CancelOrEmptyExpressionLeavesNoRecordAndNoHistory) {
    for (const CommandRow& row : kCommands) {
        for (const bool ok : {false, true}) { // cancel, and OK without an expression
            SCOPED_TRACE(std::string(row.name) + (ok ? " empty" : " cancel"));
            CurveWorld w;
            w.doc.addCurve(boxAt(0, 0, 40));
            w.doc.selection.selectOnly(0);
            FakeEditor editor;
            editor.ok = ok;
            EXPECT_EQ(row.run(w.ctx, editor), CurveOutcome::Cancelled);
            EXPECT_EQ(editor.requests.size(), 1u);
            EXPECT_EQ(w.doc.curveCount(), 1);
            EXPECT_EQ(w.doc.newCurve(), nullptr);
            EXPECT_EQ(w.doc.currentCurve, 0);
            EXPECT_EQ(w.doc.selection.entries(), std::vector<int>{0});
            EXPECT_TRUE(w.sink.shown.empty());
        }
    }
}

TEST(FormulaCommands, NewBoxGoesBelowTheLowestBoxAtTheLastItemsLeftEdge) {
    CurveWorld w;
    w.doc.addCurve(boxAt(0, 0, 120));
    w.doc.addCurve(boxAt(30, 0, 40)); // the last item is not the lowest
    FakeEditor editor;
    editor.typed = "a+b";
    // The editor's own box does not count: the box is the one the sheet draws.
    editor.alsoWrite = [](DEFINEFUN& t) { t.labelRight = t.labelLeft + 1; };
    ASSERT_EQ(formulaEditCommand(w.ctx, editor), CurveOutcome::Created);
    ASSERT_EQ(w.doc.curveCount(), 3);
    const DEFINEFUN& c = w.doc.curve(2);
    EXPECT_EQ(c.kind, document::KindFormulaPicture);
    EXPECT_EQ(std::pair(c.labelLeft, c.labelTop), std::pair(30, 120));
    EXPECT_EQ(std::pair(editor.seen[0].labelLeft, editor.seen[0].labelTop), std::pair(30, 120));

    DEFINEFUN fresh = c;
    GraphItemPainter painter;
    painter.sizeLabelBox(fresh, w.canvas);
    EXPECT_EQ(std::pair(c.labelRight, c.labelBottom), std::pair(fresh.labelRight, fresh.labelBottom));
    EXPECT_EQ(w.doc.selection.entries(), std::vector<int>{2});
}

TEST(FormulaCommands, CalculationAppendsTheResultOrTheErrorText) {
    struct Row {
        const char* input;
        const char* expression;
        bool message;
    };
    const Row rows[] = {
        {"1+2", "1+2=3", false},
        {"a*b+1", "a*b+1=7", false}, // the values assigned in the editor, not the engine's leftovers
        {"1/0", "1/0=错误", true},
        {"ln(0-1)", "ln(0-1)=错误", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        CurveWorld w;
        w.engine.variables.load(std::vector<std::string>{"a", "b"}, std::vector<double>{100, 100});
        FakeEditor editor;
        editor.typed = row.input;
        editor.alsoWrite = [](DEFINEFUN& t) {
            t.paramCount = 2;
            t.paramNames[0] = "a";
            t.paramNames[1] = "b";
            t.paramValues[0] = 2;
            t.paramValues[1] = 3;
            t.thickLine = 1;
        };
        ASSERT_EQ(calculationCommand(w.ctx, editor), CurveOutcome::Created);
        const DEFINEFUN& c = w.doc.curve(0);
        EXPECT_EQ(c.expression, row.expression);
        EXPECT_EQ(c.kind, document::KindCalculation);
        EXPECT_EQ(c.thickLine, 0);
        EXPECT_FALSE(w.engine.currentTree);
        ASSERT_EQ(w.sink.shown.size(), row.message ? 1u : 0u);
        if (row.message) {
            EXPECT_EQ(w.sink.shown[0].text, expr::kCalculationFailed);
        }

        // The box is measured from the text with its result.
        DEFINEFUN bare = c;
        bare.expression = row.input;
        GraphItemPainter painter;
        painter.sizeLabelBox(bare, w.canvas);
        EXPECT_GT(c.labelRight, bare.labelRight);
    }
}

TEST(FormulaCommands, CustomFunctionIsABlueSampledCurveInItsDomain) {
    CurveWorld w;
    FakeEditor editor;
    editor.typed = "y=x*x";
    editor.alsoWrite = [](DEFINEFUN& t) {
        t.domainStart = -1;
        t.domainEnd = 1;
        t.colour = 7;
        t.thickLine = 1;
    };
    ASSERT_EQ(customFunctionCommand(w.ctx, editor), CurveOutcome::Created);
    const DEFINEFUN& c = w.doc.curve(0);
    EXPECT_EQ(c.kind, document::KindCustomFunction);
    EXPECT_EQ(c.colour, document::kBlue);
    EXPECT_EQ(c.thickLine, 0);
    EXPECT_EQ(w.doc.selection.entries(), std::vector<int>{0});
    ASSERT_EQ(c.sampleColumns(), curvetest::kSheetWidth + 1);
    // 100 pixels per unit, origin at column 400.
    EXPECT_TRUE(c.hasValueAt(500));
    EXPECT_DOUBLE_EQ(c.ys[500], 1.0);
    EXPECT_DOUBLE_EQ(c.ys[350], 0.25);
    EXPECT_FALSE(c.hasValueAt(600)); // x = 2 lies outside the domain the editor wrote
}

TEST(FormulaCommands, FullListRefusesBeforeOpeningTheEditor) {
    for (const CommandRow& row : kCommands) {
        SCOPED_TRACE(row.name);
        CurveWorld w;
        for (int i = 0; i < document::kMaxObjects; ++i)
            w.doc.addCurve(curvetest::curveItem("Y=X"));
        w.doc.copyCurveToClipboard(3);
        w.doc.currentCurve = 5;
        FakeEditor editor;
        editor.typed = "1+2";
        EXPECT_EQ(row.run(w.ctx, editor), CurveOutcome::ListFull);
        EXPECT_TRUE(editor.requests.empty());
        EXPECT_EQ(w.doc.curveCount(), document::kMaxObjects);
        EXPECT_EQ(w.doc.newCurve(), nullptr);
        ASSERT_NE(w.doc.clipboardCurve(), nullptr);
        EXPECT_EQ(w.doc.clipboardCurve()->expression, "Y=X");
        EXPECT_EQ(w.doc.clipKind(), document::ClipCurve);
        EXPECT_EQ(w.doc.currentCurve, 5);
        ASSERT_EQ(w.sink.shown.size(), 1u);
        EXPECT_EQ(w.sink.shown[0].text, document::kListFullMessage);
        EXPECT_EQ(w.sink.shown[0].caption, kCaptionHint);
        EXPECT_EQ(w.sink.shown[0].icon, MessageIcon::Warning);
    }
}

TEST(FormulaCommands, ReopenEditsTheItemInPlaceOrChangesNothing) {
    struct Row {
        int kind;
        const char* stored;
        const char* shownInput; // what the editor gets; nullptr: the editor is not opened
        const char* typed;      // nullptr: cancel
        const char* result;     // the expression afterwards
    };
    const Row rows[] = {
        {document::KindCalculation, "1<=2=1", "1<=2", "1+5", "1+5=6"}, // cut at the last "="
        {document::KindCalculation, "1+2=3", "1+2", nullptr, "1+2=3"},
        {document::KindCalculation, "1+2=3", "1+2", "1/0", "1/0=错误"},
        {document::KindFormulaPicture, "a+b", "a+b", "a/b", "a/b"},
        {document::KindCustomFunction, "y=x", "y=x", "y=x*x", "y=x*x"},
        {document::KindTemplateFunction, "Y=A*X", nullptr, "x",
         "Y=A*X"}, // template curves have their own dialog
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        CurveWorld w;
        w.doc.addCurve(boxAt(0, 0, 40));
        DEFINEFUN item = boxAt(0, 40, 80);
        item.kind = row.kind;
        item.expression = row.stored;
        item.domainStart = -1;
        item.domainEnd = 1;
        w.doc.addCurve(std::move(item));
        w.doc.selection.assign({0, 1});
        FakeEditor editor;
        editor.ok = row.typed != nullptr;
        editor.typed = row.typed ? row.typed : "";
        const CurveOutcome outcome = reopenFormulaItem(w.ctx, editor, 1);
        const DEFINEFUN& c = w.doc.curve(1);
        EXPECT_EQ(c.expression, row.result);
        EXPECT_EQ(c.kind, row.kind);
        EXPECT_EQ(w.doc.currentCurve, 0);
        if (!row.shownInput) {
            EXPECT_EQ(outcome, CurveOutcome::Cancelled);
            EXPECT_TRUE(editor.requests.empty());
            continue;
        }
        ASSERT_EQ(editor.requests.size(), 1u);
        EXPECT_TRUE(editor.requests[0].editing);
        EXPECT_EQ(editor.requests[0].input, row.shownInput);
        EXPECT_EQ(w.doc.selection.entries(), std::vector<int>{1});
        EXPECT_EQ(outcome, row.typed ? CurveOutcome::Changed : CurveOutcome::Cancelled);
        if (row.kind == document::KindCustomFunction) {
            EXPECT_EQ(editor.requests[0].domainStart, "-1");
            EXPECT_EQ(editor.requests[0].domainEnd, "1");
            ASSERT_TRUE(c.hasValueAt(450)); // resampled for the new formula: x = 0.5 gives 0.25
            EXPECT_DOUBLE_EQ(c.ys[450], 0.25);
        }
        if (std::string(row.result) == "1/0=错误") {
            ASSERT_EQ(w.sink.shown.size(), 1u);
            EXPECT_EQ(w.sink.shown[0].text, expr::kRecalculationFailed);
        }
    }
}

} // namespace
} // namespace quorvel::graph
