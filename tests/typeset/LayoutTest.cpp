// Layout arithmetic with fixed metrics: at 16 pt a character is 8 wide and every text 20 high; at the
// script size 9 pt they are 4 and 13; at 5 pt (script of script) 2 and 9.
#include "FakeCanvas.h"
#include "TreeHelpers.h"
#include "typeset/Symbols.h"
#include "typeset/Typesetter.h"

#include <gtest/gtest.h>

namespace quorvel::typeset {
namespace {

using testing::FakeCanvas;
using testing::find;
using testing::leaf;
using testing::node;
using testing::parse;

struct Measured {
    int width, height, headWidth, headHeight, bracketCount;
};

Measured measure(expr::ExprNode* root, FakeCanvas& canvas) {
    Typesetter t;
    const FormulaLayout layout = t.layout(root, canvas);
    return {root->width, root->height, root->headWidth, root->headHeight, layout.bracketCount};
}

struct LayoutCase {
    const char* markup;
    Measured expected;
};

class NodeKindLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(NodeKindLayoutTest, MeasuresByTheRuleOfItsKind) {
    const LayoutCase& c = GetParam();
    FakeCanvas canvas;
    auto tree = parse(c.markup);
    const Measured m = measure(tree.get(), canvas);
    EXPECT_EQ(m.width, c.expected.width) << "width";
    EXPECT_EQ(m.height, c.expected.height) << "height";
    EXPECT_EQ(m.headWidth, c.expected.headWidth) << "headWidth";
    EXPECT_EQ(m.headHeight, c.expected.headHeight) << "headHeight";
    EXPECT_EQ(m.bracketCount, c.expected.bracketCount) << "bracketCount";
}

// {width, height, headWidth, headHeight, bracketCount}
INSTANTIATE_TEST_SUITE_P(
    AllKinds, NodeKindLayoutTest,
    ::testing::Values(
        LayoutCase{"x", {8, 20, 8, 20, 0}},
        LayoutCase{"", {0, 20, 0, 20, 0}},     // an empty leaf is as high as the font
        LayoutCase{"a+b", {29, 20, 8, 20, 0}}, // w + w + sign + 5
        LayoutCase{"a*b", {21, 20, 0, 20, 0}}, // muw shows no sign
        LayoutCase{"a≠b", {29, 20, 8, 20, 0}}, LayoutCase{"-x", {18, 20, 8, 20, 0}}, // w + sign + 2
        LayoutCase{"cub(X,2)", {12, 26, 8, 20, 0}},    // exponent at script size, half its height
        LayoutCase{"cub(a+b,2)", {49, 26, 29, 20, 1}}, // compound base pays TW("()") once
        LayoutCase{"cub(a/b,2)", {22, 52, 18, 46, 0}}, // a fraction takes no allowance
        LayoutCase{"ind(10,x)", {20, 26, 16, 20, 0}}, LayoutCase{"exp(x)", {12, 26, 8, 20, 0}},
        LayoutCase{"log(a,b)", {36, 26, 24, 20, 0}}, LayoutCase{"log(2,x+1)", {73, 26, 24, 20, 1}},
        LayoutCase{"sin(x)", {37, 20, 24, 20, 0}},   // 5 px between name and a leaf
        LayoutCase{"sin(x+1)", {69, 20, 24, 20, 1}}, // TW("()") instead of 5
        LayoutCase{"sin((x+1))", {85, 20, 24, 20, 1}}, LayoutCase{"sec(x)", {37, 20, 24, 20, 0}},
        LayoutCase{"n!", {16, 20, 24, 20, 0}}, // headWidth is TW of the text "fac"
        LayoutCase{"(a+b)!", {69, 20, 24, 20, 1}}, LayoutCase{"a/b", {18, 46, 18, 1, 0}},
        LayoutCase{"div((a+b),c)", {39, 46, 39, 1, 1}}, // as if the brackets were absent
        LayoutCase{"div(a+b,c)", {39, 46, 39, 1, 1}}, LayoutCase{"derive(y,x)", {26, 46, 26, 1, 0}},
        LayoutCase{"derive(y+1,x)", {63, 46, 63, 1, 1}}, LayoutCase{"pderive(y,x)", {26, 46, 26, 1, 0}},
        LayoutCase{"ing1(a;b,x,x)", {46, 36, 20, 36, 0}}, // the sign at double size: 36 high
        LayoutCase{"ing1(a;b,x+1,x)", {81, 36, 20, 36, 1}}, LayoutCase{"(a+b)", {45, 20, 16, 20, 0}},
        LayoutCase{"[a]", {24, 20, 16, 20, 0}}, LayoutCase{"abs(x)", {24, 20, 16, 20, 0}},
        LayoutCase{"sqrt(x)", {18, 25, 10, 25, 0}}, // head width trunc(0.4 x 25)
        LayoutCase{"ext(x,3)", {18, 38, 10, 25, 0}},
        LayoutCase{"ext(x,12345)", {28, 38, 20, 25, 0}}, // a wide degree widens the head
        LayoutCase{"vec(AB)", {16, 25, 16, 25, 0}}, LayoutCase{"lim(x,∞,f(x))", {56, 34, 24, 20, 0}},
        LayoutCase{"lim(x,0,y)", {34, 34, 24, 20, 0}}, // a leaf body adds 2
        LayoutCase{"lim(x,0,x+1)", {69, 34, 24, 20, 1}}, LayoutCase{"f(x)", {32, 20, 32, 20, 0}},
        LayoutCase{"f(x,y)", {48, 20, 48, 20, 0}}, LayoutCase{"f(x,y,z)", {64, 20, 64, 20, 0}},
        LayoutCase{"sum(i=0,n,x)", {25, 46, 8, 20, 0}}, LayoutCase{"sum(i=0,n,a+b)", {62, 46, 8, 20, 1}},
        LayoutCase{"prod(i=0,n,x)", {25, 46, 8, 20, 0}}, LayoutCase{"P(n,k)", {12, 32, 8, 20, 0}},
        LayoutCase{"C(n,k)", {12, 32, 8, 20, 0}}, LayoutCase{"tab(i,j,x)", {12, 32, 8, 20, 0}},
        LayoutCase{"tab(i,,x)", {12, 32, 8, 20, 0}}, LayoutCase{"x_1", {12, 32, 8, 20, 0}},
        LayoutCase{"x_ _i", {12, 32, 8, 20, 0}},  // the width of x plus the script width of i
        LayoutCase{"x_a_bc", {16, 32, 8, 20, 0}}, // the wider label counts
        LayoutCase{"con(2,x+1,x>0;x<3)", {97, 20, 97, 20, 0}},
        LayoutCase{"lak(2,a;b)", {35, 45, 35, 45, 0}}, // the brace is measured 45 px high: 22 wide
        LayoutCase{"ing2(a,b,c)", {0, 0, 0, 0, 0}}, LayoutCase{"pd(x)", {0, 0, 0, 0, 0}},
        LayoutCase{"g(x)", {0, 0, 0, 0, 0}}));

TEST(LayoutTest, PiecewiseHeightAddsFivePixelsBetweenItems) {
    FakeCanvas canvas;
    canvas.heightOf["Y"] = 40;
    auto tree = parse("lak(3,a;b;Y)");
    EXPECT_EQ(measure(tree.get(), canvas).height, 90);
}

TEST(LayoutTest, MatrixAddsTenPerColumnAndTwelve) {
    FakeCanvas canvas;
    canvas.widthOf["p"] = 10;
    canvas.widthOf["q"] = 12;
    auto tree = parse("matrix(2,2,p;q;p;q)");
    const Measured m = measure(tree.get(), canvas);
    EXPECT_EQ(m.width, 54);
    EXPECT_EQ(m.headWidth, 52);
    EXPECT_EQ(m.height, 45);
    EXPECT_EQ(m.headHeight, 45);
}

TEST(LayoutTest, MatrixRowsAndColumnsTakeTheirLargestCell) {
    FakeCanvas canvas;
    canvas.heightOf["T"] = 30;
    auto tree = parse("range(2,3,a;bbb;c;T;e;f)");
    const Measured m = measure(tree.get(), canvas);
    EXPECT_EQ(m.width, 8 + 24 + 8 + 30 + 12);
    EXPECT_EQ(m.height, 20 + 30 + 5);
}

TEST(LayoutTest, KeywordWithoutRuleLeavesItsChildrenUnmeasured) {
    FakeCanvas canvas;
    auto tree = parse("ing2(a,b,c)");
    tree->first->width = tree->first->height = -1;
    measure(tree.get(), canvas);
    EXPECT_EQ(tree->first->width, -1);
    EXPECT_EQ(tree->first->height, -1);
}

TEST(LayoutTest, ScriptChildrenCarryTheirScriptSizes) {
    FakeCanvas canvas;
    auto tree = parse("cub(X,cub(y,2))");
    measure(tree.get(), canvas);
    expr::ExprNode* inner = tree->first.get();
    EXPECT_EQ(inner->second->width, 4) << "y at 9 pt";
    EXPECT_EQ(inner->first->width, 2) << "2 at 5 pt, the script of the script";
    EXPECT_EQ(inner->first->height, 9);
}

TEST(LayoutTest, MeasuringLeavesTheCanvasFontAsItFoundIt) {
    FakeCanvas canvas;
    for (const char* markup :
         {"ing1(a;b,x,x)", "lak(2,a;b)", "sum(i=0,n,cub(x,2))", "x_1", "ext(x,3)", "lim(x,0,y)", "P(n,k)"}) {
        Typesetter t;
        auto tree = parse(markup);
        t.layout(tree.get(), canvas);
        EXPECT_EQ(canvas.fontSize(), 16) << markup;
        EXPECT_EQ(canvas.fontName(), "Times New Roman") << markup;
    }
}

TEST(LayoutTest, NullNodesMeasureZero) {
    FakeCanvas canvas;
    Typesetter t;
    EXPECT_EQ(t.measureHeight(nullptr, canvas), 0);
    EXPECT_EQ(t.measureWidth(nullptr, canvas), 0);
    const FormulaLayout layout = t.layout(nullptr, canvas);
    EXPECT_TRUE(layout.empty);
    EXPECT_EQ(layout.boxWidth(), 0);
    EXPECT_EQ(layout.boxHeight(), 0);
}

TEST(LayoutTest, PictureSizeFollowsTheTypesettingSequence) {
    FakeCanvas canvas;
    Typesetter t;
    auto tree = parse("cub(a+b,2)+sin(x+1)");
    const FormulaLayout layout = t.layout(tree.get(), canvas);
    EXPECT_EQ(layout.bracketCount, 2);
    EXPECT_EQ(layout.parenWidth, 8);
    EXPECT_EQ(layout.boxWidth(), 8 * 2 * 2 + tree->width + 10);
    EXPECT_EQ(layout.boxHeight(), tree->height + 10);
    EXPECT_EQ(layout.startPenX(), 5);
    EXPECT_EQ(layout.startPenAxis(), tree->height / 2 + 5);
}

TEST(LayoutTest, TheStyleFontIsPutOnTheCanvas) {
    FakeCanvas canvas;
    Typesetter t;
    t.style.fontSize = 20;
    t.style.fontName = "宋体";
    auto tree = parse("x");
    t.layout(tree.get(), canvas);
    EXPECT_EQ(tree->width, 10);
    EXPECT_EQ(canvas.fontName(), "宋体");
}

TEST(LayoutTest, DerivativeAllowancesWidenTheirOperands) {
    FakeCanvas canvas;
    auto tree = parse("derive(y+1,x)");
    measure(tree.get(), canvas);
    EXPECT_EQ(tree->first->width, 29 + 16);
    EXPECT_EQ(tree->first->headWidth, 8 + 16);
    EXPECT_EQ(tree->second->width, 8);
}

TEST(LayoutTest, BracketUnderAFractionLosesItsAllowanceOnlyThere) {
    FakeCanvas canvas;
    auto fraction = parse("div((a+b),c)");
    measure(fraction.get(), canvas);
    EXPECT_EQ(fraction->first->headWidth, 0);
    auto power = parse("cub((a+b),2)");
    measure(power.get(), canvas);
    EXPECT_EQ(power->second->headWidth, 16);
    auto absolute = parse("div(abs(a),c)");
    measure(absolute.get(), canvas);
    EXPECT_EQ(absolute->first->headWidth, 16) << "abs keeps its allowance under a fraction";
}

// Trees from files never passed validation: counts that are not numbers, missing, or larger than the
// list, and absent children must give sizes, not crashes or endless loops.
TEST(LayoutBadInputTest, ListCountsAreBoundedByTheList) {
    FakeCanvas canvas;
    struct Case {
        const char* count;
        int height;
    } cases[] = {
        {"5", 45}, {"2", 45}, {"1", 20}, {"0", 0}, {"-3", 0}, {"x", 0}, {"99999999999999999999", 45}};
    for (const Case& c : cases) {
        auto tree = node("lak", leaf(c.count), leaf("a"));
        tree->second->next = leaf("b");
        EXPECT_EQ(measure(tree.get(), canvas).height, c.height) << c.count;
    }
}

TEST(LayoutBadInputTest, MatrixWithFewCellsRepeatsTheLastAndStaysBounded) {
    FakeCanvas canvas;
    auto tree = node("matrix", leaf("100"), leaf("100"), leaf("x"));
    const Measured m = measure(tree.get(), canvas);
    EXPECT_EQ(m.width, 100 * 8 + 100 * 10 + 12);
    EXPECT_EQ(m.height, 100 * 20 + 5);

    auto huge = node("matrix", leaf("2000000000"), leaf("2000000000"), leaf("x"));
    const Measured h = measure(huge.get(), canvas);
    EXPECT_EQ(h.width, m.width) << "counts beyond the engine's limits are cut to them";

    auto empty = node("range", leaf("3"), leaf("3"));
    EXPECT_EQ(measure(empty.get(), canvas).width, 12 + 30);
    auto noCounts = node("matrix", leaf(""), leaf("abc"), leaf("x"));
    const Measured n = measure(noCounts.get(), canvas);
    EXPECT_EQ(n.width, 12);
    EXPECT_EQ(n.height, 5);
}

TEST(LayoutBadInputTest, MissingChildrenCountAsZero) {
    FakeCanvas canvas;
    struct Case {
        const char* text;
        int width;
    } cases[] = {{"cub", 4},      {"ext", 4},     {"add", 8 + 8 + 5}, {"div", 18},
                 {"log", 24 + 4}, {"lim", 24},    {"sum", 8},         {"ing1", 16 + 4 + 8},
                 {"tab", 4},      {"derive", 26}, {"p", 12},          {"matrix", 12},
                 {"con", 0}};
    for (const Case& c : cases) {
        auto tree = node(c.text, leaf("x"));
        expr::linkParents(tree.get());
        EXPECT_EQ(measure(tree.get(), canvas).width, c.width) << c.text;
    }
}

TEST(LayoutBadInputTest, DeepTreesStopAtTheDepthLimit) {
    FakeCanvas canvas;
    expr::ExprTree tree = leaf("x");
    for (int i = 0; i < Typesetter::kMaxDepth + 500; ++i)
        tree = node("mus", std::move(tree));
    Typesetter t;
    t.layout(tree.get(), canvas);
    EXPECT_GT(tree->width, 0);
    EXPECT_LT(tree->width, (Typesetter::kMaxDepth + 3) * 18);
    t.penX = 5;
    t.penAxis = 20;
    t.drawFormula(tree.get(), canvas);
    EXPECT_TRUE(canvas.texts("x").empty()) << "the leaf lies below the limit and is not drawn";
    // Unlink iteratively: a chain this deep would recurse in the destructors.
    while (tree->first)
        tree = std::move(tree->first);
}

TEST(LayoutBadInputTest, FontSizeOneGivesAScriptSizeTheCanvasAccepts) {
    FakeCanvas canvas;
    Typesetter t;
    t.style.fontSize = 1;
    auto tree = parse("cub(x,cub(y,2))");
    t.layout(tree.get(), canvas);
    EXPECT_EQ(canvas.fontSize(), 1);
    EXPECT_GE(tree->height, 0);
}

TEST(NeedsBracketsTest, CountsEveryPositiveAnswer) {
    Typesetter t;
    for (const char* kind : {"add", "sub",    "mul",    "mus",   "pom",    "pos", "(",   "[",   "{",   "aoc",
                             "muw", "mud",    "upr",    "par",   "res",    "gru", "sin", "cos", "log", "tg",
                             "ctg", "arcsin", "arccos", "arctg", "arcctg", "ln",  "lg",  "lak", "con"})
        EXPECT_TRUE(t.needsBrackets(kind)) << kind;
    EXPECT_EQ(t.bracketCount, 29);
    for (const char* kind : {"div", "sqrt", "sec", "th", "cub", "f", "sum", "x", "ADD", ""})
        EXPECT_FALSE(t.needsBrackets(kind)) << kind;
    EXPECT_EQ(t.bracketCount, 29);
}

TEST(DisplaySymbolTest, MapsEveryKeywordWithASign) {
    const std::pair<const char*, const char*> signs[] = {
        {"add", "+"}, {"pos", "+"}, {"sub", "-"}, {"mus", "-"}, {"pom", "±"},    {"aoc", "±"},
        {"mul", "×"}, {"mud", "·"}, {"muw", ""},  {"mod", "%"}, {"derive", "d"}, {"pderive", "δ"},
        {"abs", "|"}, {"usu", "≡"}, {"app", "≈"}, {"inc", "→"}, {"exp", "e"},    {"fac", "!"},
        {"les", "≤"}, {"ges", "≥"}, {"lts", "<"}, {"gts", ">"}, {"nes", "≠"},    {"eql", "="},
        {"upr", "⊥"}, {"par", "∥"}, {"res", "≌"}, {"gru", "∽"}, {"sum", "Σ"},    {"prod", "П"},
        {"p", "P"},   {"c", "C"},   {"ing1", "∫"}};
    for (const auto& [text, sign] : signs)
        EXPECT_EQ(displaySymbol(text), sign) << text;
    for (const char* unchanged : {"x", "sin", "ADD", "Sum", "", "lim", "∞"})
        EXPECT_EQ(displaySymbol(unchanged), unchanged);
}

TEST(LabelledNameTest, SplitsBaseSuperscriptAndSubscript) {
    struct Case {
        const char* text;
        const char* base;
        const char* sup;
        const char* sub;
    } cases[] = {{"x_1", "x", "", "1"},        {"x__11", "x", "", "11"}, {"x_a_b", "x", "a", "b"},
                 {"x_a_b_c", "x", "a", "b_c"}, {"_1", "", "", "1"},      {"x_", "x", "", ""},
                 {"x__-1", "x", "", "-1"}};
    for (const Case& c : cases) {
        const LabelledName parts = splitLabelledName(c.text);
        EXPECT_EQ(parts.base, c.base) << c.text;
        EXPECT_EQ(parts.superscript, c.sup) << c.text;
        EXPECT_EQ(parts.subscript, c.sub) << c.text;
    }
}

TEST(ClassifyTest, LeavesComeFirstWhateverTheirText) {
    EXPECT_EQ(classify(*leaf("c")), NodeClass::PlainLeaf) << "a variable named like a keyword";
    EXPECT_EQ(classify(*leaf("sin")), NodeClass::PlainLeaf);
    EXPECT_EQ(classify(*leaf("x_1")), NodeClass::LabelledName);
    EXPECT_EQ(classify(*node("SIN", leaf("x"))), NodeClass::NamedFunction) << "kinds ignore case";
    EXPECT_EQ(classify(*node("P", leaf("k"), leaf("n"))), NodeClass::Arrangement);
    EXPECT_EQ(classify(*node("g_1", leaf("x"))), NodeClass::None);
}

} // namespace
} // namespace quorvel::typeset
