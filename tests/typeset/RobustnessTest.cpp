// Trees that no validation has seen (from files, or built by hand) must lay out and draw without
// crashing, hanging or drawing outside the picture, whatever their shape.
#include "FakeCanvas.h"
#include "TreeHelpers.h"
#include "expr/Keyword.h"
#include "typeset/BoundsCanvas.h"
#include "typeset/TypesetFormula.h"
#include "typeset/Typesetter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

namespace quorvel::typeset {
namespace {

using testing::FakeCanvas;

const char* const kTexts[] = {
    "add", "sub",  "mul",  "muw",    "div",     "cub",     "ind",   "ext", "sqrt", "sin", "log",  "lim",
    "sum", "prod", "ing1", "lak",    "con",     "matrix",  "range", "p",   "C",    "tab", "f",    "vec",
    "abs", "fac",  "exp",  "derive", "pderive", "(",       "[",     "{",   "mus",  "eql", "ing2", "x",
    "y_1", "x__i", "",     "3",      "-1",      "1000000", "∞",     "_",   "__",   "LAK", "Sin"};

expr::ExprTree randomTree(std::mt19937& rng, int depth) {
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kTexts) - 1);
    auto n = std::make_unique<expr::ExprNode>(kTexts[pick(rng)]);
    if (depth <= 0) return n;
    std::uniform_int_distribution<int> coin(0, 3);
    if (coin(rng)) n->first = randomTree(rng, depth - 1);
    if (coin(rng) > 1) n->second = randomTree(rng, depth - 1);
    if (coin(rng) > 1) n->third = randomTree(rng, depth - 1);
    if (coin(rng) == 3) n->next = randomTree(rng, depth - 1);
    return n;
}

TEST(RobustnessTest, RandomTreesLayOutAndDrawInsideTheirPicture) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 20000; ++round) {
        expr::ExprTree tree = randomTree(rng, 7);
        FakeCanvas measuring;
        FormulaStyle style;
        style.fontSize = 1 + static_cast<int>(rng() % 40);
        TypesetFormula formula(std::move(tree), style, measuring);
        BoundsCanvas bounds(measuring);
        formula.drawPicture(bounds);
        if (bounds.empty()) continue;
        ASSERT_GE(bounds.bounds().left, 0) << "round " << round;
        ASSERT_GE(bounds.bounds().top, 0) << "round " << round;
        ASSERT_LE(bounds.bounds().right, formula.pictureWidth()) << "round " << round;
        ASSERT_LE(bounds.bounds().bottom, formula.pictureHeight()) << "round " << round;
    }
}

TEST(RobustnessTest, LongListsAndWideMatricesStayBounded) {
    // A "lak" that claims many lines and a long chain of conditions.
    auto lak = testing::node("lak", testing::leaf("1000"), testing::leaf("a"));
    expr::ExprNode* item = lak->second.get();
    for (int i = 0; i < 5000; ++i) {
        item->next = testing::leaf("b");
        item = item->next.get();
    }
    FakeCanvas canvas;
    TypesetFormula formula(std::move(lak), FormulaStyle{}, canvas);
    EXPECT_EQ(formula.root()->height, 1000 * 20 + 999 * 5) << "only the counted lines";
    FakeCanvas drawn;
    formula.drawPicture(drawn);
    EXPECT_EQ(drawn.texts("b").size(), 999u);
}

// A canvas may report sizes beyond any picture or wrapped into negatives; every node keeps 0..2^24.
TEST(RobustnessTest, HugeAndNegativeTextMetricsAreClamped) {
    struct Row {
        const char* markup;
        int reported; // width and height the canvas gives "a"
    };
    for (const Row& r : {Row{"a", INT_MAX}, Row{"a", INT_MIN}, Row{"a", -5}, Row{"a+a+a", INT_MAX},
                         Row{"a+a", INT_MIN}, Row{"sin(a)*cub(a,a)", 1 << 24}, Row{"a/a", INT_MAX},
                         Row{"matrix(2,2,a;a;a;a)", INT_MAX}, Row{"lak(3,a;a;a)", INT_MIN}}) {
        FakeCanvas canvas;
        canvas.widthOf["a"] = r.reported;
        canvas.heightOf["a"] = r.reported;
        auto tree = testing::parse(r.markup);
        Typesetter typesetter;
        typesetter.layout(tree.get(), canvas);
        std::vector<const expr::ExprNode*> pending{tree.get()};
        while (!pending.empty()) {
            const expr::ExprNode* n = pending.back();
            pending.pop_back();
            for (int size : {n->width, n->height, n->headWidth, n->headHeight}) {
                EXPECT_GE(size, 0) << r.markup << " " << r.reported << " at " << n->text;
                EXPECT_LE(size, kMaxTextExtent) << r.markup << " " << r.reported << " at " << n->text;
            }
            for (const expr::ExprNode* c : {n->first.get(), n->second.get(), n->third.get(), n->next.get()})
                if (c) pending.push_back(c);
        }
        if (r.reported == -5) {
            EXPECT_EQ(tree->width, 5) << "a negative metric counts by its size";
        }
        if (r.reported == INT_MAX) {
            EXPECT_EQ(tree->width, kMaxTextExtent) << r.markup;
        }
    }
}

// A balanced sum of 2^depth leaves: wide, but only depth levels deep.
expr::ExprTree balancedSum(int depth) {
    if (depth == 0) return testing::leaf("x");
    return testing::node("add", balancedSum(depth - 1), balancedSum(depth - 1));
}

// Milliseconds to typeset and draw the tree on a fixed-metrics canvas.
double typesetMilliseconds(expr::ExprTree tree) {
    expr::linkParents(tree.get());
    const auto start = std::chrono::steady_clock::now();
    FakeCanvas canvas;
    TypesetFormula formula(std::move(tree), FormulaStyle{}, canvas);
    formula.drawPicture(canvas);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST(RobustnessTest, NestedFunctionsAroundAWideOperandDrawInLinearTime) {
    // Every function around the sum brackets its argument; choosing the bracket shape must not walk
    // the whole sum again for each of them.
    constexpr int kWidth = 14;
    constexpr int kNesting = 1500;
    const double plain = typesetMilliseconds(balancedSum(kWidth));
    expr::ExprTree nested = balancedSum(kWidth);
    for (int i = 0; i < kNesting; ++i)
        nested = testing::node("sin", std::move(nested));
    const double wrapped = typesetMilliseconds(std::move(nested));
#ifndef QUORVEL_SANITIZED
    // Under the sanitizers every deep stack frame is instrumented, so the ratio says nothing there.
    EXPECT_LT(wrapped, 5 * plain + 100) << "plain sum " << plain << " ms";
#else
    (void)plain;
    (void)wrapped;
#endif
}

TEST(RobustnessTest, ALabelPlacedAtTheEdgeOfTheIntRangeDrawsInLeftToRightOrder) {
    // A file may hold any label position; the pen walking right from it must not wrap round.
    FakeCanvas canvas;
    TypesetFormula formula = TypesetFormula::fromMarkup("a+b+c", FormulaStyle{}, canvas, nullptr);
    for (int start : {2147483647, -2147483647 - 1}) {
        canvas.ops.clear();
        formula.drawAt(canvas, start, start);
        ASSERT_GE(canvas.ops.size(), 3u) << start;
        for (std::size_t i = 1; i < canvas.ops.size(); ++i) {
            if (canvas.ops[i].kind != testing::DrawOp::Text) continue;
            EXPECT_GT(canvas.ops[i].x, canvas.ops[i - 1].x) << start << " text " << canvas.ops[i].text;
        }
    }
}

} // namespace
} // namespace quorvel::typeset
