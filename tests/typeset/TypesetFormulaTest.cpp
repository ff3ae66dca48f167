#include "typeset/TypesetFormula.h"
#include "FakeCanvas.h"
#include "TreeHelpers.h"
#include "typeset/BoundsCanvas.h"

#include <gtest/gtest.h>

namespace quorvel::typeset {
namespace {

using testing::DrawOp;
using testing::FakeCanvas;
using testing::parse;

// Everything a drawing put on the canvas, as one rectangle (texts by their cells at their size).
Rect reach(const FakeCanvas& canvas) {
    Rect r{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    auto add = [&](int l, int t, int rr, int b) {
        r.left = std::min(r.left, l);
        r.top = std::min(r.top, t);
        r.right = std::max(r.right, rr);
        r.bottom = std::max(r.bottom, b);
    };
    for (const DrawOp& op : canvas.ops) {
        if (op.kind == DrawOp::Text && !op.text.empty()) {
            const int w = static_cast<int>(toCodePoints(op.text).size()) * (op.size / 2);
            add(op.x, op.y, op.x + w, op.y + op.size + 4);
        } else if (op.kind == DrawOp::ClippedText && !op.text.empty()) {
            add(op.clip.left, op.clip.top, op.clip.right, op.clip.bottom);
        }
        for (const Point& p : op.points)
            add(p.x, p.y, p.x + 1, p.y + 1);
    }
    return r;
}

const char* const kKeypadExamples[] = {
    "sin(x)", "cos(x)", "tg(x)", "ctg(x)", "arcsin(x)", "arccos(x)", "arctg(x)", "arcctg(x)", "ext(x,n)",
    "cub(x,n)", "sqrt(x)", "cub(x,2)", "exp(x)", "ln(x)", "ind(a,x)", "log(a,b)", "ind(10,x)", "lg(x)", "()",
    "[]", "abs(x)", "{}", "7!", "P(n,k)", "C(n,k)", "50%", "a⊥b", "a≌b", "a∥b", "a∽b", "ing1(a;b,x,x)",
    "lim(x,∞,f(x))", "vec(AB)", "sum(i=0,n,x_ _i)", "prod(i=0,n,x_ _i)", "derive(y,x)", "pderive(y,x)",
    "f(x)=con(1,x,x>0)", "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
    "lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)", "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
    "range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
    // Formulas whose drawing reaches past the measured box.
    "cub(a/b,2)", "con(3,x,a;b;c)", "cub(cub(cub(x,2),2),2)", "lak(2,con(3,x,a>0;b>0;c>0);y)", "a/b/c/d",
    "ext(x,123456789)", "lim(abcdefghij,k,x)", "sin((((x))))"};

TEST(TypesetFormulaTest, NothingDrawnFallsOutsideThePicture) {
    for (const char* markup : kKeypadExamples) {
        FakeCanvas measuring;
        TypesetFormula formula(parse(markup), FormulaStyle{}, measuring);
        FakeCanvas canvas;
        formula.drawPicture(canvas);
        const Rect r = reach(canvas);
        if (canvas.ops.empty()) continue;
        EXPECT_GE(r.left, 0) << markup;
        EXPECT_GE(r.top, 0) << markup;
        EXPECT_LE(r.right, formula.pictureWidth()) << markup;
        EXPECT_LE(r.bottom, formula.pictureHeight()) << markup;
    }
}

TEST(TypesetFormulaTest, PictureIsTheBoxWhenTheDrawingFits) {
    FakeCanvas measuring;
    TypesetFormula formula(parse("cub(a+b,2)+sin(x+1)"), FormulaStyle{}, measuring);
    EXPECT_EQ(formula.pictureWidth(), formula.layout().boxWidth());
    EXPECT_EQ(formula.pictureHeight(), formula.layout().boxHeight());
    EXPECT_EQ(formula.penStart().x, 5);
    EXPECT_EQ(formula.penStart().y, formula.root()->height / 2 + 5);
}

TEST(TypesetFormulaTest, PictureGrowsWhereTheDrawingReachesBeyondTheBox) {
    FakeCanvas measuring;
    // Three commas that the conditional's width leaves out.
    TypesetFormula formula(parse("con(3,x,a;b;c)"), FormulaStyle{}, measuring);
    EXPECT_GT(formula.pictureWidth(), formula.layout().boxWidth());
}

TEST(TypesetFormulaTest, AGrownPictureKeepsItsMarginBeyondTheDrawing) {
    // Drawings that pass the box on the right: commas the width leaves out, an exponent after
    // brackets no allowance paid for.
    for (const char* markup : {"con(3,x,a;b;c)", "cub(a/b,2)"}) {
        FakeCanvas measuring;
        TypesetFormula formula(parse(markup), FormulaStyle{}, measuring);
        FakeCanvas canvas;
        formula.drawPicture(canvas);
        const Rect r = reach(canvas);
        EXPECT_GT(formula.pictureWidth(), formula.layout().boxWidth()) << markup;
        EXPECT_EQ(r.right + 5, formula.pictureWidth()) << markup;
        EXPECT_GE(r.left, 5) << markup;
    }
}

TEST(TypesetFormulaTest, DrawsAtAPenPositionInItsOwnFontAndRestoresTheCanvasFont) {
    FakeCanvas measuring;
    FormulaStyle style;
    style.fontSize = 20;
    style.fontName = "宋体";
    TypesetFormula formula(parse("x+1"), style, measuring);
    EXPECT_EQ(measuring.fontSize(), 16) << "the measuring canvas gets its font back";
    FakeCanvas sheet;
    sheet.setFontSize(8);
    sheet.setFontName("Arial");
    formula.drawAt(sheet, 100, 50);
    const DrawOp x = sheet.texts("x").at(0);
    EXPECT_EQ(x.x, 100);
    EXPECT_EQ(x.size, 20);
    EXPECT_EQ(x.face, "宋体");
    EXPECT_EQ(x.y, 50 - 12);
    EXPECT_EQ(sheet.fontSize(), 8);
    EXPECT_EQ(sheet.fontName(), "Arial");
}

TEST(TypesetFormulaTest, ColoursCanChangeBetweenDrawings) {
    FakeCanvas measuring;
    TypesetFormula formula(parse("x+1"), FormulaStyle{}, measuring);
    formula.setColors({7, 7, 7, 9, 7, 7});
    FakeCanvas canvas;
    formula.drawPicture(canvas);
    EXPECT_EQ(canvas.texts("x").at(0).color, 7);
    EXPECT_EQ(canvas.texts("+").at(0).color, 9);
}

// Italic letter variables: only names of Latin letters (a labelled name's parts each on their own) are
// measured and drawn in italic, and the layout follows the italic widths.
TEST(TypesetFormulaTest, ItalicLetterVariablesAreMeasuredAndDrawnInItalic) {
    const struct {
        const char* markup;
        std::vector<std::string> italic;
        std::vector<std::string> upright;
    } rows[] = {
        {"x+2*ab", {"x", "ab"}, {"+", "2"}},
        {"sin(y)", {"y"}, {"sin"}},
        {"x_1+n_k", {"x", "n", "k"}, {"1"}},
        {"ind(x,2)+3.5", {"x"}, {"2", "3.5"}},
    };
    for (const auto& row : rows) {
        for (const bool italic : {false, true}) {
            FormulaStyle style;
            style.italicVariables = italic;
            FakeCanvas measuring, plainMeasuring;
            measuring.italicExtraWidth = plainMeasuring.italicExtraWidth = 2;
            TypesetFormula formula(parse(row.markup), style, measuring);
            TypesetFormula plain(parse(row.markup), FormulaStyle{}, plainMeasuring);
            FakeCanvas canvas;
            canvas.italicExtraWidth = 2;
            formula.drawPicture(canvas);
            for (const std::string& t : row.italic) {
                ASSERT_FALSE(canvas.texts(t).empty()) << row.markup << " " << t;
                EXPECT_EQ(canvas.texts(t).at(0).italic, italic) << row.markup << " " << t;
            }
            for (const std::string& t : row.upright) {
                ASSERT_FALSE(canvas.texts(t).empty()) << row.markup << " " << t;
                EXPECT_FALSE(canvas.texts(t).at(0).italic) << row.markup << " " << t;
            }
            canvas.textOut(0, 0, "after");
            EXPECT_FALSE(canvas.ops.back().italic) << "the canvas is left upright";
            if (italic) {
                EXPECT_GT(formula.layout().width, plain.layout().width) << row.markup;
            } else {
                EXPECT_EQ(formula.layout().width, plain.layout().width) << row.markup;
            }
        }
    }
}

TEST(TypesetFormulaTest, EmptyFormulaIsAZeroPicture) {
    TypesetFormula none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.pictureWidth(), 0);
    FakeCanvas canvas;
    none.drawPicture(canvas);
    EXPECT_TRUE(canvas.ops.empty());
    FakeCanvas measuring;
    TypesetFormula nullTree(nullptr, FormulaStyle{}, measuring);
    EXPECT_TRUE(nullTree.empty());
    EXPECT_EQ(nullTree.pictureHeight(), 0);
}

TEST(TypesetFormulaTest, FromMarkupReportsWhatTheParserRefuses) {
    FakeCanvas measuring;
    std::string refusal;
    TypesetFormula ok = TypesetFormula::fromMarkup("x + 1", FormulaStyle{}, measuring, &refusal);
    EXPECT_FALSE(ok.empty());
    EXPECT_TRUE(refusal.empty());
    const std::string deep(3000, '(');
    TypesetFormula refused =
        TypesetFormula::fromMarkup(deep + "x" + std::string(3000, ')'), FormulaStyle{}, measuring, &refusal);
    EXPECT_TRUE(refused.empty());
    EXPECT_FALSE(refusal.empty());
}

TEST(BoundsCanvasTest, CollectsTextCellsLinesAndClips) {
    FakeCanvas metrics;
    BoundsCanvas bounds(metrics);
    EXPECT_TRUE(bounds.empty());
    bounds.textOut(10, 10, "");
    EXPECT_TRUE(bounds.empty()) << "an empty text inks nothing";
    bounds.textOut(10, 10, "ab");
    EXPECT_EQ(bounds.bounds().right, 26);
    EXPECT_EQ(bounds.bounds().bottom, 30);
    bounds.line(-5, 0, 0, 40);
    EXPECT_EQ(bounds.bounds().left, -5);
    EXPECT_EQ(bounds.bounds().top, 0);
    EXPECT_EQ(bounds.bounds().bottom, 41);
    bounds.textRect(Rect{100, 0, 104, 5}, 100, 0, "wide text");
    EXPECT_EQ(bounds.bounds().right, 104) << "clipped text reaches no further than its clip";
    EXPECT_TRUE(metrics.ops.empty()) << "nothing is drawn on the metrics canvas";
}

} // namespace
} // namespace quorvel::typeset
