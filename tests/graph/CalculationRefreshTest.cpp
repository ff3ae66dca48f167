#include "CurveTestSupport.h"

#include "expr/Calculation.h"
#include "graph/CalculationRefresh.h"

#include <gtest/gtest.h>

namespace quorvel::graph {
namespace {

using curvetest::CurveWorld;
using document::DEFINEFUN;

// A calculation object as the calculation command leaves it, with its variables.
DEFINEFUN calculation(const std::string& expression,
                      std::initializer_list<std::pair<const char*, double>> vars) {
    DEFINEFUN item;
    item.kind = document::KindCalculation;
    item.expression = expression;
    item.labelLeft = 20;
    item.labelTop = 30;
    for (const auto& [name, value] : vars) {
        item.paramNames[static_cast<std::size_t>(item.paramCount)] = name;
        item.paramValues[static_cast<std::size_t>(item.paramCount)] = value;
        ++item.paramCount;
    }
    return item;
}

class Changecal : public ::testing::Test {
protected:
    CurveWorld world;

    DEFINEFUN& add(DEFINEFUN item) { return *world.doc.addCurve(std::move(item)); }
    bool run(int index) { return changecal(world.engine, world.doc, index, world.painter, world.canvas); }
};

TEST_F(Changecal, PutsTheNewValueBehindTheFormulaInFunctionFormAndResizesTheBox) {
    DEFINEFUN& item = add(calculation("a*2=6", {{"a", 3}}));
    item.paramValues[0] = 4;
    EXPECT_TRUE(run(0));
    EXPECT_EQ(item.expression, "muw(a,2)=8");
    EXPECT_TRUE(world.sink.shown.empty());
    EXPECT_EQ(world.engine.currentTree, nullptr);

    // The box is that of the new text, measured like every label.
    DEFINEFUN sized = item;
    GraphItemPainter fresh;
    fresh.sizeLabelBox(sized, world.canvas);
    EXPECT_EQ(item.labelRight, sized.labelRight);
    EXPECT_EQ(item.labelBottom, sized.labelBottom);
    EXPECT_GT(item.labelRight, item.labelLeft);

    // Recomputing its own output again only replaces the value; a longer value widens the box.
    const int width = item.boxWidth();
    item.paramValues[0] = 1234567;
    EXPECT_TRUE(run(0));
    EXPECT_EQ(item.expression, "muw(a,2)=2469134");
    EXPECT_GT(item.boxWidth(), width);
    EXPECT_EQ(item.labelLeft, 20);
    EXPECT_EQ(item.labelTop, 30);
}

TEST_F(Changecal, AValuelessResultSaysSoOnceAndShowsError) {
    DEFINEFUN& item = add(calculation("b/a=0.5", {{"a", 2}, {"b", 1}}));
    item.paramValues[0] = 0;
    EXPECT_FALSE(run(0));
    EXPECT_EQ(item.expression, "div(b,a)=错误");
    ASSERT_EQ(world.sink.shown.size(), 1u);
    EXPECT_EQ(world.sink.shown[0].text, expr::kRecalculationFailed);
    EXPECT_EQ(world.engine.currentTree, nullptr);

    item.paramValues[0] = 4; // "错误" is only the old result: the formula is still there
    EXPECT_TRUE(run(0));
    EXPECT_EQ(item.expression, "div(b,a)=0.25");

    DEFINEFUN& whole = add(calculation("a+1", {{"a", 4}})); // no "=": the whole text is the formula
    EXPECT_TRUE(run(1));
    EXPECT_EQ(whole.expression, "add(a,1)=5");
}

TEST_F(Changecal, LeavesAloneWhatItCannotRecompute) {
    add(curvetest::curveItem("Y=A*X", document::KindTemplateFunction));
    EXPECT_FALSE(run(0));
    EXPECT_EQ(world.doc.curve(0).expression, "Y=A*X");
    EXPECT_FALSE(run(1));
    EXPECT_FALSE(run(-1));
    EXPECT_TRUE(world.sink.shown.empty());

    // Nested deeper than the parser takes: the text stays, the user is told.
    const std::string deep = std::string(1200, '(') + "a" + std::string(1200, ')') + "=1";
    DEFINEFUN& refused = add(calculation(deep, {{"a", 1}}));
    const int right = refused.labelRight;
    EXPECT_FALSE(run(1));
    EXPECT_EQ(refused.expression, deep);
    EXPECT_EQ(refused.labelRight, right);
    ASSERT_FALSE(world.sink.shown.empty());
    EXPECT_EQ(world.sink.shown.back().text, expr::kRecalculationFailed);
}

} // namespace
} // namespace quorvel::graph
