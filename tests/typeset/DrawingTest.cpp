// Drawing order, positions and colours, recorded on a canvas with fixed metrics (see FakeCanvas.h).
#include "FakeCanvas.h"
#include "TreeHelpers.h"
#include "expr/Conversion.h"
#include "typeset/Typesetter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace quorvel::typeset {
namespace {

using testing::DrawOp;
using testing::FakeCanvas;
using testing::find;
using testing::parse;

constexpr Color kVariable = 1, kBracket = 2, kCondition = 3, kOperator = 4, kFunction = 5, kLabel = 6;

struct Drawing {
    FakeCanvas canvas;
    Typesetter typesetter;
    expr::ExprTree tree;
    FormulaLayout layout;
    int startAxis = 0;

    explicit Drawing(std::string_view markup) : tree(parse(markup)) { run(); }
    void run() {
        typesetter.style.colors = {kVariable, kBracket, kCondition, kOperator, kFunction, kLabel};
        layout = typesetter.layout(tree.get(), canvas);
        startAxis = layout.startPenAxis();
        typesetter.penX = layout.startPenX();
        typesetter.penAxis = startAxis;
        typesetter.drawFormula(tree.get(), canvas);
    }
    DrawOp text(std::string_view t, std::size_t occurrence = 0) const {
        const auto found = canvas.texts(t);
        EXPECT_GT(found.size(), occurrence) << "no text " << t;
        return found.size() > occurrence ? found[occurrence] : DrawOp{};
    }
    std::vector<std::string> textOrder() const {
        std::vector<std::string> order;
        for (const DrawOp& op : canvas.ops)
            if ((op.kind == DrawOp::Text || op.kind == DrawOp::ClippedText) && !op.text.empty())
                order.push_back(op.text);
        return order;
    }
};

// Vertical centre of a text drawn at 16 pt (20 high) or at 9 pt (13 high).
int centre(const DrawOp& op) {
    return op.y + (op.size + 4) / 2;
}

TEST(DrawingTest, TextIsCentredOnThePenLineAndAdvancesThePen) {
    Drawing d("xy");
    const DrawOp op = d.text("xy");
    EXPECT_EQ(op.x, 5);
    EXPECT_EQ(op.y, d.startAxis - 10);
    EXPECT_EQ(op.color, kVariable);
    EXPECT_EQ(d.typesetter.penX, 5 + 16);
    EXPECT_EQ(d.typesetter.penAxis, d.startAxis);
}

TEST(DrawingTest, PowerInATemplateFunction) {
    Drawing d("Y =A*cub(X,2)+B*X+C");
    const DrawOp y = d.text("Y"), eq = d.text("="), a = d.text("A"), x = d.text("X"), two = d.text("2");
    EXPECT_EQ(eq.x, y.x + 8 + 2) << "2 px before an operator sign";
    EXPECT_EQ(a.x, eq.x + 8 + 2) << "2 px after it";
    EXPECT_EQ(eq.color, kOperator);
    EXPECT_EQ(d.text("+").color, kOperator);
    EXPECT_EQ(x.x, a.x + 8 + 4) << "implicit multiplication: no sign, only the 4 px gap";
    EXPECT_EQ(two.size, 9);
    EXPECT_EQ(two.x, x.x + 8) << "the exponent follows the base";
    EXPECT_EQ(centre(two), centre(x) - 20 / 3) << "a third of the base's head height above its line";
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"Y", "=", "A", "X", "2", "+", "B", "X", "+", "C"}));
    EXPECT_EQ(d.typesetter.penAxis, d.startAxis);
}

// Vertical extent of the points of a drawn shape.
std::pair<int, int> verticalSpan(const DrawOp& op) {
    int top = op.points.empty() ? 0 : op.points[0].y, bottom = top;
    for (const Point& p : op.points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {top, bottom};
}

TEST(DrawingTest, PowerOfAFractionIsBracketedToItsHeight) {
    Drawing d("cub(a/b,2)");
    // The fraction is taller than a bracket glyph: the pair is drawn as shapes as high as the fraction.
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"a", "b", "2"}));
    const auto shapes = d.canvas.shapes();
    const expr::ExprNode& fraction = *d.tree->second;
    int brackets = 0;
    for (const DrawOp& op : shapes) {
        if (op.color != kBracket) continue;
        ++brackets;
        EXPECT_EQ(verticalSpan(op), std::pair(fraction.axis - fraction.height / 2,
                                              fraction.axis - fraction.height / 2 + fraction.height));
    }
    EXPECT_EQ(brackets, 2);
}

TEST(DrawingTest, FunctionArgumentsGetAGapOrAutomaticBrackets) {
    {
        Drawing d("sin(x)");
        EXPECT_EQ(d.text("sin").color, kFunction);
        EXPECT_EQ(d.text("x").x, d.text("sin").x + 24 + 5);
    }
    {
        Drawing d("sin(x+1)");
        EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"sin", "(", "x", "+", "1", ")"}));
        EXPECT_EQ(d.text("(").x, d.text("sin").x + 24);
    }
    {
        Drawing d("sin((x+1))");
        EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"sin", "[", "(", "x", "+", "1", ")", "]"}));
        EXPECT_EQ(d.text("[").color, kBracket);
    }
}

TEST(DrawingTest, ExponentOfATrigonometricFunctionSitsAfterTheName) {
    Drawing d("cub(sin(x),2)");
    const DrawOp sin = d.text("sin"), two = d.text("2"), x = d.text("x");
    EXPECT_EQ(two.x, sin.x + 24);
    EXPECT_EQ(x.x, sin.x + 24 + 4 + 5) << "the argument leaves room for the exponent";
    EXPECT_EQ(d.typesetter.penX, sin.x + 4 + d.tree->second->width);
}

TEST(DrawingTest, SumPlacesItsLimitsAgainstTheInkOfTheSign) {
    Drawing d("sum(i=0,n,x_ _i)");
    // The n-ary sum sign, centred in the advance of the Σ that the layout measures (as wide here).
    const DrawOp sigma = d.text("∑");
    const DrawOp lower = d.text("i", 0), upper = d.text("n"), body = d.text("x"), label = d.text("i", 1);
    // Column: the lower limit "i=0" is 17 wide at 9 pt, the sign 8: the sign is centred over it.
    EXPECT_EQ(sigma.x, 5 + (17 - 8) / 2);
    EXPECT_EQ(sigma.color, kOperator);
    EXPECT_EQ(lower.x, 5);
    EXPECT_EQ(lower.size, 9);
    EXPECT_EQ(lower.y, sigma.y + (20 - 1 - 4)) << "the lower limit's top on the last inked row";
    EXPECT_EQ(centre(upper), sigma.y + 3 - 6) << "the upper limit centred half its height above the ink";
    EXPECT_EQ(upper.x, sigma.x + (8 - 4) / 2);
    EXPECT_EQ(body.x, 5 + 16) << "the body after the wider limit as drawn (i, =, 0 and two 2 px gaps)";
    EXPECT_EQ(label.kind, DrawOp::ClippedText);
    EXPECT_EQ(label.color, kLabel);
    EXPECT_EQ(label.x, body.x + 8);
}

TEST(DrawingTest, PiecewiseFunctionWithConditions) {
    Drawing d("lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))");
    // The brace is a shape as high as the block, within the advance of the Song face's glyph at that
    // height, which starts 5 px before the pen.
    DrawOp brace;
    for (const DrawOp& op : d.canvas.shapes())
        if (op.color == kBracket) brace = op;
    ASSERT_FALSE(brace.points.empty());
    const int blockTop = d.tree->axis - d.tree->height / 2;
    EXPECT_EQ(verticalSpan(brace), std::pair(blockTop, blockTop + d.tree->height));
    for (const Point& p : brace.points) {
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, d.tree->height / 2);
    }
    const auto commas = d.canvas.texts(",");
    ASSERT_EQ(commas.size(), 5u);
    for (const DrawOp& comma : commas)
        EXPECT_EQ(comma.color, kCondition);
    EXPECT_EQ(d.text(">").color, kCondition) << "operators inside a condition take the condition colour";
    EXPECT_EQ(d.text("0").color, kCondition);
    EXPECT_EQ(d.text("x").color, kVariable);
    EXPECT_EQ(d.text("+").color, kOperator);
    // Rows start together after the brace, one below the other.
    const DrawOp row1 = d.text("x", 0), row2 = d.text("x", 3);
    EXPECT_EQ(row1.x, row2.x);
    EXPECT_EQ(row1.x, d.tree->height / 2) << "the rows start after the brace";
    EXPECT_GT(row2.y, row1.y);
    const auto strokes = d.canvas.shapes();
    ASSERT_EQ(strokes.size(), 3u) << "the brace, the minus of x-1 and the radical";
    EXPECT_EQ(strokes[1].color, kOperator);
    EXPECT_EQ(strokes[2].color, kOperator);
    // Each condition follows its comma after the gap the layout gives it.
    const DrawOp firstComma = commas[0];
    EXPECT_EQ(d.text("x", 1).x, firstComma.x + 8 + 5);
    EXPECT_EQ(d.typesetter.penAxis, d.startAxis) << "back on the block's centre line";
    EXPECT_EQ(d.typesetter.penX, d.tree->left + d.tree->width);
    EXPECT_EQ(d.typesetter.style.colors,
              (TokenColors{kVariable, kBracket, kCondition, kOperator, kFunction, kLabel}))
        << "the six slots are restored after the conditions";
}

TEST(DrawingTest, FirstPiecewiseRowStartsAtTheInkTopOfTheBrace) {
    Drawing d("lak(2,a;b)");
    const int top = d.tree->axis - d.tree->headHeight / 2;
    EXPECT_EQ(centre(d.text("a")), top + 3 + 10);
    EXPECT_EQ(centre(d.text("b")), centre(d.text("a")) + 20);
}

TEST(DrawingTest, MatrixCellsAreCentredInTheirColumns) {
    Drawing d("matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)");
    const expr::ExprNode& m = *d.tree;
    const auto lines = d.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    const int top = m.axis - m.headHeight / 2, bottom = m.axis + m.headHeight / 2;
    EXPECT_EQ(lines[0].points,
              (std::vector<Point>{{m.left + 7, top}, {m.left, top}, {m.left, bottom}, {m.left + 7, bottom}}));
    const int right = m.left + m.headWidth;
    EXPECT_EQ(lines[1].points[0].x, static_cast<int>(right - 7.5));
    EXPECT_EQ(lines[1].points[1].x, right);
    EXPECT_EQ(lines[0].color, kOperator);
    // Cells x__11 are 16 wide: columns start at left + 10 and left + 10 + 16 + 10.
    const auto xs = d.canvas.texts("x");
    ASSERT_EQ(xs.size(), 4u);
    EXPECT_EQ(xs[0].x, m.left + 10);
    EXPECT_EQ(xs[1].x, m.left + 36);
    EXPECT_EQ(xs[2].x, m.left + 10);
    EXPECT_LT(xs[0].y, xs[2].y);
    EXPECT_EQ(xs[0].y, xs[1].y);
}

TEST(DrawingTest, NarrowCellIsCentredInAWideColumn) {
    Drawing d("matrix(2,1,abcd;x)");
    EXPECT_EQ(d.text("x").x, d.tree->left + 10 + (32 - 8) / 2);
}

TEST(DrawingTest, DeterminantShowsTwoPlainBars) {
    Drawing d("range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)");
    const expr::ExprNode& m = *d.tree;
    const auto lines = d.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].kind, DrawOp::Line);
    EXPECT_EQ(lines[0].points[0].x, m.left);
    EXPECT_EQ(lines[1].points[0].x, m.left + m.width);
    EXPECT_EQ(lines[1].points[0].y, m.axis - m.headHeight / 2);
    EXPECT_EQ(lines[1].points[1].y, m.axis + m.headHeight / 2);
    EXPECT_EQ(lines[1].color, kOperator);
}

TEST(DrawingTest, DerivativeWithoutVariableDrawsSignAndOperandOnce) {
    Drawing d("derive(y,)");
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"d", "y"}));
    EXPECT_TRUE(d.canvas.lines().empty());
    EXPECT_EQ(d.text("d").color, kOperator);
}

TEST(DrawingTest, DerivativeIsAFractionOfDifferentials) {
    Drawing d("derive(y,x)");
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"d", "y", "d", "x"}));
    const auto bar = d.canvas.lines();
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].points[0].y, d.tree->axis);
    EXPECT_LT(d.text("y").y, d.tree->axis);
    EXPECT_GT(d.text("x").y, d.tree->axis - 10);
}

TEST(DrawingTest, SystemOfEquationsSubscriptsAreLabels) {
    Drawing d("lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)");
    expr::ExprNode* name = find(d.tree.get(), "x_1");
    ASSERT_NE(name, nullptr);
    const DrawOp one = d.text("1");
    EXPECT_EQ(one.kind, DrawOp::ClippedText);
    EXPECT_EQ(one.size, 9);
    EXPECT_EQ(one.color, kLabel);
    EXPECT_EQ(one.y, name->axis) << "the subscript's top on the line of x";
    EXPECT_EQ(one.x, name->left + 8);
    EXPECT_EQ(one.clip.left, one.x);
    EXPECT_EQ(one.clip.right, one.x + 4);
}

TEST(DrawingTest, SuperscriptLabelIsCentredOnTheTopOfTheBase) {
    Drawing d("x_a_b");
    const DrawOp sup = d.text("a"), sub = d.text("b");
    EXPECT_EQ(sup.color, kLabel);
    EXPECT_EQ(sup.y, d.tree->axis - 10 - 6);
    // The clip holds the label's cell and its glyphs' ink (here the whole 13 px cell).
    EXPECT_EQ(sup.clip.top, sup.y);
    EXPECT_EQ(sup.clip.bottom, sup.y + 13);
    EXPECT_EQ(sup.clip.left, sup.x);
    EXPECT_EQ(sup.clip.right, sup.x + 4);
    EXPECT_EQ(sub.y, d.tree->axis);
    EXPECT_EQ(d.typesetter.labelRect.top, sub.y) << "the subscript is the label drawn last";
    EXPECT_EQ(d.typesetter.penX, 5 + 12);
}

TEST(DrawingTest, FractionBarLiesOnTheAxisBetweenItsParts) {
    Drawing d("a/bc");
    const expr::ExprNode& f = *d.tree;
    const auto bar = d.canvas.lines();
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].points, (std::vector<Point>{{f.left, f.axis}, {f.left + f.width, f.axis}}));
    EXPECT_EQ(bar[0].color, kOperator);
    EXPECT_EQ(d.text("a").y + 20, f.axis - 2);
    EXPECT_EQ(d.text("bc").y, f.axis + 2);
    EXPECT_EQ(d.text("a").x, f.left + (f.width - 8) / 2);
    EXPECT_EQ(d.text("bc").x, f.left + (f.width - 16) / 2);
    EXPECT_EQ(d.typesetter.penX, f.left + f.headWidth + 2);
    EXPECT_EQ(d.typesetter.penAxis, d.startAxis);
}

TEST(DrawingTest, BracketsTypedUnderAFractionAreLeftOut) {
    Drawing d("div((a+b),c)");
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"a", "+", "b", "c"}));
}

// Brackets typed around a power's base as school notation are drawn once: the power's own, or none for a
// name and for a function that takes the exponent after its name.
TEST(DrawingTest, TypedBracketsAroundAPowersBaseAreDrawnOnce) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"(a+b)^2", {"(", "a", "+", "b", ")", "2"}},
        {"(2x)^3", {"(", "2", "x", ")", "3"}},
        {"(x)^2", {"x", "2"}},
        {"(sin x)^2", {"sin", "x", "2"}},
    };
    for (const auto& [typed, drawn] : cases) {
        Drawing d(expr::convertText(typed, expr::Road::Value).canonical);
        EXPECT_EQ(d.textOrder(), drawn) << typed;
    }
}

// The smallest rectangle holding a filled shape's corners.
struct Extent {
    double left, top, right, bottom;
};
Extent extentOf(const DrawOp& op) {
    Extent e{1e9, 1e9, -1e9, -1e9};
    for (const PointF& p : op.shape) {
        e.left = std::min(e.left, p.x);
        e.top = std::min(e.top, p.y);
        e.right = std::max(e.right, p.x);
        e.bottom = std::max(e.bottom, p.y);
    }
    return e;
}

TEST(DrawingTest, RootsDrawTheRadicalAroundTheRadicand) {
    {
        Drawing d("sqrt(x)");
        const expr::ExprNode& r = *d.tree;
        const auto shapes = d.canvas.shapes();
        ASSERT_EQ(shapes.size(), 1u);
        EXPECT_EQ(shapes[0].color, kOperator);
        const int h = r.headHeight, top = r.axis - h / 2, bottom = r.axis + h / 2;
        // The whole sign inside the root's box: from its left to the radicand's end, the overbar's top
        // 2 px below the box's top, the lowest corner one stroke above its bottom.
        const Extent e = extentOf(shapes[0]);
        EXPECT_DOUBLE_EQ(e.left, r.left);
        EXPECT_DOUBLE_EQ(e.right, r.left + r.width);
        EXPECT_DOUBLE_EQ(e.top, top + 2);
        EXPECT_DOUBLE_EQ(e.bottom, bottom - 1);
        EXPECT_EQ(d.text("x").x, r.left + 10);
        EXPECT_EQ(d.typesetter.penAxis, d.startAxis);
    }
    {
        Drawing d("ext(x,3)");
        EXPECT_EQ(d.text("3").size, 9);
        EXPECT_LT(d.text("3").x, d.text("x").x);
        EXPECT_GE(d.text("3").x, d.tree->left) << "the degree starts inside the node";
        EXPECT_EQ(d.typesetter.penAxis, d.startAxis + 2) << "an n-th root leaves the line 2 px lower";
    }
    {
        // Nested overbars keep apart: the inner one starts below the outer one and a clearance.
        Drawing d("sqrt(sqrt(x)+1)");
        const auto shapes = d.canvas.shapes();
        ASSERT_EQ(shapes.size(), 2u);
        const Extent inner = extentOf(shapes[0]), outer = extentOf(shapes[1]);
        EXPECT_GE(inner.top, outer.top + 1 + 1);
        EXPECT_EQ(d.typesetter.overbarFloor, INT_MIN) << "the floor is given back";
    }
}

TEST(DrawingTest, AbsoluteValueBars) {
    Drawing d("abs(x)");
    const expr::ExprNode& a = *d.tree;
    const auto bars = d.canvas.shapes();
    ASSERT_EQ(bars.size(), 2u);
    // The reserved width (16) is shared evenly: each bar one stroke wide in the middle of its 8 px, the
    // content between; the bars end flat a pixel inside the box's top and bottom.
    const Extent left = extentOf(bars[0]), right = extentOf(bars[1]);
    EXPECT_DOUBLE_EQ(left.left, 9);
    EXPECT_DOUBLE_EQ(left.right, 10);
    EXPECT_EQ(d.text("x").x, 5 + 8);
    EXPECT_DOUBLE_EQ(right.left, 25);
    EXPECT_DOUBLE_EQ(right.right, 26);
    EXPECT_DOUBLE_EQ(left.top, a.axis - 10 + 1);
    EXPECT_DOUBLE_EQ(left.bottom, a.axis + 10 - 1);
    EXPECT_EQ(bars[1].color, kOperator);
    EXPECT_EQ(d.typesetter.penX, 5 + 24);
}

TEST(DrawingTest, VectorArrowOverItsName) {
    Drawing d("vec(AB)");
    const expr::ExprNode& v = *d.tree;
    const auto arrow = d.canvas.shapes();
    ASSERT_EQ(arrow.size(), 2u) << "the shaft and the head";
    const int top = v.axis - 25 / 2;
    const Extent shaft = extentOf(arrow[0]), head = extentOf(arrow[1]);
    EXPECT_DOUBLE_EQ(shaft.left, v.left);
    EXPECT_DOUBLE_EQ(shaft.top, top + 2) << "the shaft on the row where the arrow always was";
    EXPECT_DOUBLE_EQ(shaft.bottom, top + 3);
    EXPECT_DOUBLE_EQ(head.right, v.left + v.width) << "the tip at the box's right end";
    EXPECT_DOUBLE_EQ(head.top, top) << "both barbs inside the box";
    EXPECT_DOUBLE_EQ(head.bottom, top + 5);
}

TEST(DrawingTest, LimitWithAGenericCall) {
    Drawing d("lim(x,∞,f(x))");
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"x", "→", "∞", "lim", "f", "(", "x", ")"}))
        << "no automatic brackets around a generic call, only its own";
    EXPECT_EQ(d.text("lim").color, kOperator);
    EXPECT_EQ(d.text("→").color, kVariable);
    EXPECT_EQ(d.text("→").size, 9);
    EXPECT_EQ(d.text("f").color, kFunction);
    EXPECT_EQ(d.text("x").y, d.text("lim").y + 15) << "the variable below the ink of lim";
}

TEST(DrawingTest, IntegralWithBoundsAndVariable) {
    Drawing d("ing1(a;b,x,t)");
    const expr::ExprNode& i = *d.tree;
    // The sign is drawn, in the advance of the double-height glyph the layout measures (16 px here):
    // inside the head, clear of the bounds that start after that advance.
    const auto shapes = d.canvas.shapes();
    ASSERT_EQ(shapes.size(), 3u) << "the stroke and its two terminals";
    for (const DrawOp& shape : shapes) {
        const Extent e = extentOf(shape);
        EXPECT_EQ(shape.color, kOperator);
        EXPECT_GE(e.left, i.left);
        EXPECT_LE(e.right, i.left + 16 - 2);
        EXPECT_GE(e.top, i.axis - 18 + 1);
        EXPECT_LE(e.bottom, i.axis + 18 - 1);
    }
    EXPECT_EQ(d.text("a").x, i.left + 16);
    EXPECT_EQ(d.text("a").y, i.axis - 18) << "the upper bound's top at the top of the sign's box";
    EXPECT_EQ(d.text("b").y, i.axis + 18 - 6 - 6);
    EXPECT_EQ(d.text("a").x, d.text("b").x);
    EXPECT_EQ(d.text("x").x, i.left + i.headWidth + 2);
    EXPECT_EQ(d.text("d").color, kOperator);
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"a", "b", "x", "d", "t"}));
}

TEST(DrawingTest, LogarithmBaseAtScriptSizeBelow) {
    Drawing d("log(2,x+1)");
    EXPECT_EQ(d.text("log").color, kOperator);
    EXPECT_EQ(d.text("2").size, 9);
    EXPECT_EQ(centre(d.text("2")), d.tree->axis + 10);
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"log", "2", "(", "x", "+", "1", ")"}));
}

TEST(DrawingTest, FactorialBracketsACompoundOperandOnce) {
    EXPECT_EQ(Drawing("(a+b)!").textOrder(), (std::vector<std::string>{"(", "a", "+", "b", ")", "!"}));
    EXPECT_EQ(Drawing("fac(a+b)").textOrder(), (std::vector<std::string>{"(", "a", "+", "b", ")", "!"}));
    EXPECT_EQ(Drawing("n!").text("!").color, kOperator);
}

TEST(DrawingTest, ArrangementIndicesAtTheInkOfTheSign) {
    Drawing d("C(n,k)");
    const DrawOp sign = d.text("C"), k = d.text("k"), n = d.text("n");
    EXPECT_EQ(sign.color, kOperator);
    EXPECT_EQ(k.x, sign.x + 8);
    EXPECT_EQ(n.x, sign.x + 8);
    EXPECT_EQ(centre(k), sign.y + 3 - 6);
    EXPECT_EQ(centre(n), sign.y + 15);
}

TEST(DrawingTest, LabelledTermTakesTheLabelColour) {
    Drawing d("tab(i,j,x)");
    EXPECT_EQ(d.text("x").color, kVariable);
    EXPECT_EQ(d.text("i").color, kLabel);
    EXPECT_EQ(d.text("j").color, kLabel);
    EXPECT_EQ(d.text("i").x, d.text("j").x);
    EXPECT_LT(d.text("i").y, d.text("j").y);
    EXPECT_EQ(d.typesetter.style.colors.variableColor, kVariable);
}

TEST(DrawingTest, ConditionalFormula) {
    Drawing d("f(x)=con(1,x,x>0)");
    EXPECT_EQ(d.textOrder(), (std::vector<std::string>{"f", "(", "x", ")", "=", "x", ",", "x", ">", "0"}));
    EXPECT_EQ(d.text(",").x, d.text("x", 1).x + 8) << "the comma right after the value";
    EXPECT_EQ(d.text("x", 2).x, d.text(",").x + 8 + 5) << "the gap after the comma";
}

TEST(DrawingTest, PaintersLeaveThePenInTheVariableColour) {
    for (const char* markup : {"a/b", "sqrt(x)", "vec(AB)", "abs(x)", "matrix(1,1,x)", "range(1,1,x)"}) {
        Drawing d(markup);
        EXPECT_EQ(d.canvas.penColor(), kVariable) << markup;
    }
}

TEST(DrawingTest, KeywordWithoutRuleDrawsNothingAndKeepsThePen) {
    Drawing d("ing2(a,b,c)");
    EXPECT_TRUE(d.canvas.ops.empty());
    EXPECT_EQ(d.typesetter.penX, 5);
}

TEST(BracketLevelTest, StepsUpFromTheBracketsTypedInside) {
    struct Case {
        const char* markup;
        const char* node;
        int level;
    } cases[] = {
        {"x+1", "add", 0},
        {"(x+1)", "(", 1},
        {"[x+1]", "[", 2},
        {"{x+1}", "{", 3},
        {"(x+1)*2", "muw", 1},
        {"[(x)]+1", "add", 2},
        {"a/b", "div", -1},
        {"sqrt(x)", "sqrt", -1},
        {"x", "x", -1},
        {"sum(i=0,n,sin(x))", "sin", -1},
        {"sum(i=0,n,sin(x)+1)", "sin", 0},
        {"lim(x,0,ln(x))", "ln", -1},
        {"f(x)", "f", 0},
        {"cub(a+b,2)", "cub", 0},
        {"sec(x+1)", "sec", -1},
    };
    for (const Case& c : cases) {
        auto tree = parse(c.markup);
        expr::ExprNode* n = find(tree.get(), c.node);
        ASSERT_NE(n, nullptr) << c.markup;
        EXPECT_EQ(Typesetter::bracketLevel(n), c.level) << c.markup;
    }
    EXPECT_EQ(Typesetter::bracketLevel(nullptr), -1);
}

TEST(BracketTest, GlyphsByKind) {
    struct Case {
        const char* markup;
        const char* node;
        const char* open;
    } cases[] = {{"(x)", "(", "("},      {"[x]", "[", "["},          {"{x}", "{", "{"},
                 {"x+1", "add", "("},    {"(x)+1", "add", "["},      {"[x]+1", "add", "{"},
                 {"{x}+1", "add", "{"},  {"cub(a/b,2)", "div", "("}, {"a/b", "div", ""},
                 {"sqrt(x)", "sqrt", ""}};
    for (const Case& c : cases) {
        auto tree = parse(c.markup);
        FakeCanvas canvas;
        Typesetter t;
        t.openBracket(find(tree.get(), c.node), canvas);
        const auto order = canvas.texts(c.open);
        if (*c.open)
            EXPECT_EQ(order.size(), 1u) << c.markup;
        else
            EXPECT_TRUE(canvas.ops.empty()) << c.markup;
    }
}

} // namespace
} // namespace quorvel::typeset
