#include "expr/Calculation.h"
#include "base/MessageSink.h"
#include "expr/Engine.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::expr {
namespace {

class Calculation : public ::testing::Test {
protected:
    RecordingSink sink;
    Engine engine{sink};
};

TEST_F(Calculation, CarriesTheInputAndItsValue) {
    bool defined = false;
    EXPECT_EQ(calculationText(engine, "1+2", false, &defined), "1+2=3");
    EXPECT_TRUE(defined);
    EXPECT_EQ(calculationText(engine, "2/3"), "2/3=0.666666666666667");
    EXPECT_EQ(calculationText(engine, "10^20"), "10^20=错误"); // "^" is no operator
    EXPECT_EQ(calculationText(engine, "cub(10,9)*100"), "cub(10,9)*100=100000000000");
    EXPECT_EQ(calculationText(engine, "x+1"), "x+1=1"); // x without a value is 0, like any name
    EXPECT_TRUE(engine.currentTree != nullptr);
}

TEST_F(Calculation, NumberLiteralsWithExponents) {
    EXPECT_EQ(calculationText(engine, "2*1e-5+1"), "2*1e-5+1=1.00002");
    EXPECT_EQ(calculationText(engine, "1e-400"), "1e-400=0");
    EXPECT_EQ(calculationText(engine, "1e400"), "1e400=错误"); // beyond the doubles: no value
    EXPECT_EQ(engine.variables.count(), 0);
}

TEST_F(Calculation, UsesTheVariableTableAsItStands) {
    engine.variables.append("r", 2);
    EXPECT_EQ(calculationText(engine, "π*cub(r,2)"), "π*cub(r,2)=12.5663706143592");
    EXPECT_EQ(calculationText(engine, "con(1,r,r>1)+lak(2,1;2)"), "con(1,r,r>1)+lak(2,1;2)=5");
}

TEST_F(Calculation, TakesXFromTheTableLikeAnyOtherName) {
    for (const auto& [name, value] : {std::pair{"a", 2.0}, std::pair{"b", 3.0}, std::pair{"x", 4.0}})
        engine.variables.append(name, value);
    EXPECT_EQ(calculationText(engine, "a*x+b"), "a*x+b=11");
    EXPECT_EQ(calculationText(engine, "y=X*X"), "y=X*X=16"); // X is the same name as x
}

TEST_F(Calculation, ShowsNoiseAs0AndAnglesInDegrees) {
    const struct {
        const char* input;
        const char* text;
    } cases[] = {{"sin(π)", "sin(π)=0"},           {"tg(π)", "tg(π)=0"},
                 {"0.1+0.2-0.3", "0.1+0.2-0.3=0"}, {"1E-20*1", "1E-20*1=1E-20"},
                 {"sin(30°)", "sin(30°)=0.5"},     {"cos(60°)+sin(30°)", "cos(60°)+sin(30°)=1"}};
    for (const auto& c : cases)
        EXPECT_EQ(calculationText(engine, c.input), c.text);
    EXPECT_EQ(engine.variables.count(), 0);
}

TEST_F(Calculation, ANaturalNumberFaultShowsItsReasonOnceBeforeTheFailure) {
    EXPECT_EQ(calculationText(engine, "fac(2.5)+ing1(1;0,fac(2.5),x)"), "fac(2.5)+ing1(1;0,fac(2.5),x)=错误");
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].text, "输入有误");
    EXPECT_EQ(sink.shown[1].text, kCalculationFailed);
    EXPECT_EQ(calculationText(engine, "1/0"), "1/0=错误"); // no reason of its own left over
    EXPECT_EQ(sink.shown.size(), 3u);
}

TEST_F(Calculation, FailureShowsTheMessageAndCarriesError) {
    bool defined = true;
    EXPECT_EQ(calculationText(engine, "1/0", false, &defined), "1/0=错误");
    EXPECT_FALSE(defined);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, kCalculationFailed);

    EXPECT_EQ(calculationText(engine, "sqrt(-1)", true), "sqrt(-1)=错误");
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, kRecalculationFailed);

    // a text the parser refuses is a failed calculation too, with one message
    EXPECT_EQ(calculationText(engine, "lak(99999,1)"), "lak(99999,1)=错误");
    EXPECT_EQ(sink.shown.size(), 3u);
}

TEST_F(Calculation, AnEquationTakesTheValueOfItsRightSide) {
    bool defined = false;
    EXPECT_EQ(calculationText(engine, "y=1+2", false, &defined), "y=1+2=3");
    EXPECT_TRUE(defined);
    engine.variables.append("r", 2);
    EXPECT_EQ(calculationText(engine, "A=π*cub(r,2)"), "A=π*cub(r,2)=12.5663706143592");
    EXPECT_EQ(calculationText(engine, "y=1/0"), "y=1/0=错误"); // the right side decides
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(Calculation, TheFormulaIsTheTextBeforeTheLastEqualsSign) {
    EXPECT_EQ(calculationFormula(engine, "1+2=3"), "add(1,2)");
    EXPECT_EQ(calculationFormula(engine, "a+1"), "add(a,1)"); // no "=": the whole text
    EXPECT_EQ(calculationFormula(engine, "y = 1+2=3"), "eql(y,add(1,2))");
    EXPECT_EQ(calculationFormula(engine, "x=y=1=1"), "eql(x,eql(y,1))");
    EXPECT_EQ(calculationFormula(engine, "y=1/0=错误"), "eql(y,div(1,0))");
    EXPECT_EQ(calculationFormula(engine, std::string(1200, '(') + "a" + std::string(1200, ')') + "=1"),
              std::nullopt);
    EXPECT_TRUE(sink.shown.empty());

    // Recalculating an equation's own text keeps its value.
    const std::string first = calculationText(engine, "y=1+2");
    EXPECT_EQ(calculationText(engine, *calculationFormula(engine, first), true), "eql(y,add(1,2))=3");
}

TEST_F(Calculation, ResultsInTheGeneralFormat) {
    EXPECT_EQ(calculationText(engine, "1E20*1"), "1E20*1=1E20");
    EXPECT_EQ(calculationText(engine, "1/100000"), "1/100000=0.00001");
    EXPECT_EQ(calculationText(engine, "1/1000000"), "1/1000000=1E-6");
    EXPECT_EQ(calculationText(engine, "0-5"), "0-5=-5");
}

} // namespace
} // namespace quorvel::expr
