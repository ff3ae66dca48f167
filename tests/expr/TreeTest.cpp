#include "TreeShape.h"

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Limits.h"

#include "base/Utf8Text.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::expr {
namespace {

using test::shape;
using test::treeOf;

struct Placement {
    const char* functionForm;
    const char* shape;
};

void PrintTo(const Placement& p, std::ostream* os) {
    *os << p.functionForm;
}

class ChildPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(ChildPlacement, FillsTheLinksByKeyword) {
    std::string refusal;
    const ExprTree tree = buildTree(GetParam().functionForm, &refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(shape(tree.get()), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, ChildPlacement,
    ::testing::Values(
        Placement{"", "''"}, Placement{"x__i", "'x__i'"},
        Placement{"sin(add(x,1))", "'sin'['add'['x'|'1']|-]"}, Placement{"muw(a,)", "'muw'['a'|'']"},
        Placement{"sin()", "'sin'[''|-]"}, Placement{"tab(i,,x)", "'tab'['i'|''|'x']"},
        Placement{"tab(,j,x)", "'tab'[''|'j'|'x']"},
        // exponent, degree and k come first
        Placement{"cub(X,2)", "'cub'['2'|'X']"}, Placement{"ind(10,x)", "'ind'['x'|'10']"},
        Placement{"ext(x,n)", "'ext'['n'|'x']"}, Placement{"c(n,k)", "'c'['k'|'n']"},
        Placement{"P(n,k)", "'P'['k'|'n']"}, Placement{"C(5,2)", "'C'['2'|'5']"},
        Placement{"CUB(x,2)", "'CUB'['2'|'x']"},
        // lists through next
        Placement{"ing1(a;b,f,x)", "'ing1'['a'>'b'|'f'|'x']"},
        Placement{"ing1(a,f,x)", "'ing1'['a'>''|'f'|'x']"}, Placement{"lak(2,a;b)", "'lak'['2'|'a'>'b']"},
        Placement{"lak(3,a;b)", "'lak'['3'|'a'>'b'>'']"}, Placement{"lak(1,a;b)", "'lak'['1'|'a']"},
        Placement{"lak(0,)", "'lak'['0'|-]"}, Placement{"lak(2,f(a;b);c)", "'lak'['2'|'f'['a;b'|-]>'c']"},
        Placement{"con(2,add(x,1),gts(x,0);lts(x,3))",
                  "'con'['2'|'add'['x'|'1']|'gts'['x'|'0']>'lts'['x'|'3']]"},
        Placement{"matrix(2,2,a;b;c;d)", "'matrix'['2'|'2'|'a'>'b'>'c'>'d']"},
        Placement{"range(1,2,a)", "'range'['1'|'2'|'a'>'']"}, Placement{"range(a,b)", "'range'['a'|'b']"},
        // case-sensitive splitting: a capitalised LAK is an ordinary call
        Placement{"LAK(2,a;b)", "'LAK'['2'|'a;b']"}, Placement{"ING1(a;b,f,x)", "'ING1'['a;b'|'f'|'x']"},
        // bracket groups
        Placement{"(a)", "'('['a'|-]"}, Placement{"(a,b)", "'('['a'|'b']"},
        Placement{"[a,b,c]", "'['['a'|'b'|'c']"}, Placement{"{a,b,c,d}", "'{'['a'|'b'|'c,d']"},
        Placement{"(a]", "'('['a'|-]"},
        // odd texts give odd trees
        Placement{"(", "'('"}, Placement{"()", "'('[''|-]"}, Placement{"sin(", "'sin('"},
        Placement{"a)(b)", "'a)'['b'|-]"}, Placement{"f(x", "'f'[''|-]"}, Placement{"a[(b)", "'a[(b)'"}));

TEST(KeywordTable, FindsTheArgumentCountOfTheFirstListHoldingAName) {
    EXPECT_EQ(findKeyword("sqrt"), 1);
    EXPECT_EQ(findKeyword("pd"), 1);
    EXPECT_EQ(findKeyword("f"), 1);
    EXPECT_EQ(findKeyword("add"), 2);
    EXPECT_EQ(findKeyword("lak"), 2);
    EXPECT_EQ(findKeyword("con"), 3);
    EXPECT_EQ(findKeyword("lim"), 3);
    EXPECT_EQ(findKeyword("SIN"), 0); // the lists hold lower case; callers lower the name first
    EXPECT_EQ(findKeyword("("), 0);
    EXPECT_EQ(findKeyword(""), 0);
    EXPECT_EQ(findKeyword("sinh"), 0);
}

TEST(BuildTree, ResolvesKeywordsOnce) {
    const ExprTree tree = buildTree("SIN(LAK(1,x))");
    EXPECT_EQ(tree->kind, Keyword::Sin);
    EXPECT_EQ(tree->exactKind, Keyword::None);
    EXPECT_EQ(tree->first->kind, Keyword::Lak);
    EXPECT_EQ(tree->first->exactKind, Keyword::None);
}

struct Refused {
    const char* functionForm;
    const char* message;
};

void PrintTo(const Refused& r, std::ostream* os) {
    *os << r.functionForm;
}

class RefusedTrees : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedTrees, GiveAnEmptyLeafAndTheReason) {
    std::string refusal;
    const ExprTree tree = buildTree(GetParam().functionForm, &refusal);
    EXPECT_EQ(refusal, GetParam().message);
    EXPECT_EQ(shape(tree.get()), "''");
}

INSTANTIATE_TEST_SUITE_P(
    CountsFromFiles, RefusedTrees,
    ::testing::Values(Refused{"lak(999999999,x)", "您输入的多行表达式中的行数超过了1000，请修改！"},
                      Refused{"matrix(100000,100000,x)", "您输入的矩阵的行数或列数超过了100，请修改！"},
                      Refused{"range(2,1000,x)", "您输入的行列式的行数或列数超过了100，请修改！"},
                      Refused{"con(5000,x,a)", "您输入的条件表达式中的个数超过了1000，请修改！"},
                      Refused{"matrix(,2,a;b)", "您输入的矩阵的行数或列数不是自然数，请修改！"},
                      Refused{"lak(n,a;b)", "您输入的多行表达式中的行数不是自然数，请修改！"},
                      Refused{"lak(mus(1),a)", "您输入的多行表达式中的行数不是自然数，请修改！"},
                      Refused{"sin(lak(,a))", "您输入的多行表达式中的行数不是自然数，请修改！"},
                      Refused{"con(x,a,b)", "您输入的条件表达式中的个数不是自然数，请修改！"}));

TEST(BuildTree, AcceptsCountsAtTheLimits) {
    std::string cells = "matrix(100,100,";
    for (int i = 0; i < 100 * 100; ++i)
        cells += (i ? ";" : "") + std::to_string(i);
    cells += ")";
    std::string refusal;
    ExprTree tree = buildTree(cells, &refusal);
    EXPECT_EQ(refusal, "");
    int count = 0;
    for (const ExprNode* cell = tree->third.get(); cell; cell = cell->next.get())
        ++count;
    EXPECT_EQ(count, 10000);
    linkParents(tree.get());
    EXPECT_EQ(treeToText(tree.get()), cells);

    tree = buildTree("lak(1000,x)", &refusal);
    EXPECT_EQ(refusal, "");
}

TEST(BuildTree, RefusesTextsThatStandForTooManyNodes) {
    // Each short call stands for ten thousand empty cells; a few hundred of them took gigabytes.
    const auto matrices = [](int count) {
        std::string text = "lak(1000,";
        for (int i = 0; i < count; ++i)
            text += "matrix(100,100,x);";
        return text + "x)";
    };
    std::string refusal;
    ExprTree tree = buildTree(matrices(9), &refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(tree->second->third->next->text, "");
    tree = buildTree(matrices(10), &refusal);
    EXPECT_EQ(refusal, "表达式过于复杂，无法转换，请修改！");
    EXPECT_EQ(shape(tree.get()), "''");
}

TEST(BuildTree, RefusesNestingDeeperThanTheLimit) {
    const auto nested = [](int levels) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += "sin(";
        text += "x";
        text += std::string(static_cast<std::size_t>(levels), ')');
        return text;
    };
    std::string refusal;
    ExprTree tree = buildTree(nested(kMaxNesting), &refusal);
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(tree->kind, Keyword::Sin);
    // A function form's brackets are its calls: too deep a tree is too deep a nesting of operations.
    tree = buildTree(nested(kMaxNesting + 1), &refusal);
    EXPECT_EQ(refusal, "表达式中运算的嵌套超过了1000层，请修改！");
    EXPECT_EQ(shape(tree.get()), "''");
    // A leaf with deep brackets is no deep tree.
    tree = buildTree("a" + std::string(5000, '['), &refusal);
    EXPECT_EQ(refusal, "");
}

TEST(BuildTree, RefusesTooLongTexts) {
    // A function form may be longer than a typed text (operators become calls); only beyond the bound
    // of derived texts is it refused.
    std::string refusal;
    ExprTree tree = buildTree(std::string(kMaxTextBytes + 1, 'x'), &refusal);
    EXPECT_EQ(refusal, "");
    tree = buildTree(std::string(kMaxFormBytes + 1, 'x'), &refusal);
    EXPECT_EQ(refusal, "表达式过于复杂，无法转换，请修改！");
    EXPECT_EQ(tree->text, "");
}

TEST(LinkParents, LinksChildrenAndListItems) {
    const ExprTree tree = treeOf("matrix(2,2,a;b;c;x+1)");
    EXPECT_EQ(tree->parent, nullptr);
    EXPECT_EQ(tree->first->parent, tree.get());
    EXPECT_EQ(tree->second->parent, tree.get());
    const ExprNode* cell = tree->third.get();
    EXPECT_EQ(cell->parent, tree.get());
    const ExprNode* before = cell;
    for (cell = cell->next.get(); cell; before = cell, cell = cell->next.get())
        EXPECT_EQ(cell->parent, before);
    const ExprNode* last = before;
    EXPECT_EQ(last->text, "add");
    EXPECT_EQ(last->first->parent, last);

    const ExprTree integral = treeOf("ing1(1;0,x,x)");
    EXPECT_EQ(integral->first->next->parent, integral->first.get());
    EXPECT_EQ(integral->third->parent, integral.get());
}

struct RoundTrip {
    const char* markup;
    const char* written;
};

void PrintTo(const RoundTrip& r, std::ostream* os) {
    *os << r.markup;
}

class WriteBack : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(WriteBack, WritesTheFunctionFormThatBuildsTheSameTree) {
    const ExprTree tree = treeOf(GetParam().markup);
    const std::string written = treeToText(tree.get());
    EXPECT_EQ(written, GetParam().written);
    const ExprTree rebuilt = buildTree(written);
    EXPECT_EQ(shape(rebuilt.get()), shape(tree.get()));
    EXPECT_EQ(treeToText(rebuilt.get()), written);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, WriteBack,
    ::testing::Values(
        RoundTrip{"", ""}, RoundTrip{"a*-b", "sub(muw(a,),b)"},
        // operands in the order typed, whatever their placement in the tree
        RoundTrip{"cub(X,2)", "cub(X,2)"}, RoundTrip{"ind(10,x)", "ind(10,x)"},
        RoundTrip{"ext(x,3)+1", "add(ext(x,3),1)"}, RoundTrip{"C(5,2)*P(5,2)", "muw(C(5,2),P(5,2))"},
        // a group is closed by its own kind, whatever closed it in the input
        RoundTrip{"[0,1)", "[0,1]"}, RoundTrip{"{a+b)", "{add(a,b)}"}, RoundTrip{"(a,b)", "(a,b)"},
        RoundTrip{"ing1(1;0,x*x,x)", "ing1(1;0,muw(x,x),x)"}, RoundTrip{"ing1(1,x,x)", "ing1(1;,x,x)"},
        RoundTrip{"lak(3,a;b)", "lak(3,a;b;)"}, RoundTrip{"lak(1,a;b)", "lak(1,a)"},
        RoundTrip{"con(2,x+1,x>0;x<3)", "con(2,add(x,1),gts(x,0);lts(x,3))"},
        RoundTrip{"matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)", "matrix(2,2,x__11;x__12;x__21;x__22)"},
        RoundTrip{"range(1,1,-a)", "range(1,1,mus(a))"}, RoundTrip{"tab(i,,x)", "tab(i,,x)"},
        RoundTrip{"f(a,b,c,d)", "f(a,b,c,d)"}, RoundTrip{"LAK(2,a;b)", "LAK(2,a;b)"},
        // characters that are no operator behind a call's closing bracket: the whole text is one leaf
        RoundTrip{"f(x)中", "f(x)中"}, RoundTrip{"sin(a,b)π", "sin(a,b)π"}, RoundTrip{"abs(x)≤1", "abs(x)≤1"},
        RoundTrip{"sqrt(x)≥1", "sqrt(x)≥1"}, RoundTrip{"(a)÷2", "(a)÷2"}, RoundTrip{"f(x)∞", "f(x)∞"},
        RoundTrip{"sin(x)²+1", "add(sin(x)²,1)"}, RoundTrip{"f(x)°≤f(y)", "f(x)°≤f(y)"},
        RoundTrip{"abs(x)+1≤2", "add(abs(x),1≤2)"}));

// Raw bytes that reach the builder past the boundary's decoding are split into characters as the decoder
// splits them: a stray or broken byte is a character of its own and never joins the bracket before it.
TEST(BuildTree, ReadsCharactersAsTheDecoderDoes) {
    for (const std::string raw :
         {"f(x)\x80", "add(sin(x)\xBF,y)", "f(x)\xE2\x82", "f(x)\xC0\xA9", "f(x)\xE2\x82\xAC", "f(x\xE2)"}) {
        const std::string bytes = treeToText(buildTree(raw).get());
        EXPECT_EQ(validUtf8(bytes), treeToText(buildTree(validUtf8(raw)).get())) << raw;
    }
}

TEST(TreeToText, NullGivesTheEmptyText) {
    EXPECT_EQ(treeToText(nullptr), "");
}

TEST(FreeTree, AcceptsNullAndClearsTheCurrentTree) {
    RecordingSink sink;
    Engine engine(sink);
    ExprTree none;
    engine.freeTree(none);
    EXPECT_EQ(none, nullptr);

    engine.rebuildCurrentTree("matrix(2,2,a;b;c;d)");
    ASSERT_NE(engine.currentTree, nullptr);
    engine.freeTree(engine.currentTree);
    EXPECT_EQ(engine.currentTree, nullptr);
    engine.freeTree(engine.currentTree);
    EXPECT_EQ(engine.currentTree, nullptr);
}

TEST(FreeTree, FreesAListOfAnyLengthWithoutDeepRecursion) {
    // 10000 cells chained through next: freeing must not recurse once per cell.
    std::string cells = "matrix(100,100,";
    for (int i = 0; i < 10000; ++i)
        cells += "x;";
    cells += ")";
    RecordingSink sink;
    Engine engine(sink);
    engine.rebuildCurrentTree(cells);
    engine.freeTree(engine.currentTree);
    EXPECT_EQ(engine.currentTree, nullptr);
}

TEST(Engine, RebuildReportsARefusalUnlessQuiet) {
    RecordingSink sink;
    Engine engine(sink);
    bool ok = true;
    ExprNode* root = engine.rebuildCurrentTree("lak(5000,x)", true, &ok);
    EXPECT_FALSE(ok);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text, "");
    EXPECT_TRUE(sink.shown.empty());
    engine.rebuildCurrentTree("lak(5000,x)", false, &ok);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].caption, "错误");
    engine.rebuildCurrentTree("add(x,1)", false, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(engine.currentTree->first->parent, engine.currentTree.get());
}

TEST(Engine, ReportRefusalShowsAnythingButTheEmptyText) {
    RecordingSink sink;
    Engine engine(sink);
    EXPECT_FALSE(engine.reportRefusal("x"));
    EXPECT_EQ(sink.shown.size(), 1u);
    EXPECT_TRUE(engine.reportRefusal(""));
    EXPECT_FALSE(engine.reportRefusal("x", true));
    EXPECT_EQ(sink.shown.size(), 1u);
}

} // namespace
} // namespace quorvel::expr
