#include "CurveTestSupport.h"

#include "base/NumberFormat.h"
#include "graph/ParameterSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;

// The value after `moves` single slider positions (+1 or -1 each) from value.
double afterSingleSteps(double value, double step, int moves) {
    for (int i = 0; i < std::abs(moves); ++i)
        value = *sweptValue(value, step, moves > 0 ? 1 : -1);
    return value;
}

TEST(SweptValue, LandsOnTheStepGridWithoutRoundingErrors) {
    // Ten single steps of 0.1 from 1 reach exactly the text "2", and every value on the way is clean.
    double a = 1;
    for (int i = 1; i <= 10; ++i) {
        a = *sweptValue(a, 0.1, 1);
        EXPECT_EQ(formatGeneral(a), formatGeneral(1 + i / 10.0)) << i;
    }
    EXPECT_EQ(formatGeneral(a), "2");
    EXPECT_EQ(formatGeneral(afterSingleSteps(1, 0.1, -30)), "-2");

    // Off-grid values snap: up from 0.55 is 0.6, down is 0.4 (and the mirror image below zero).
    EXPECT_EQ(formatGeneral(*sweptValue(0.55, 0.1, 1)), "0.6");
    EXPECT_EQ(formatGeneral(*sweptValue(0.55, 0.1, -1)), "0.4");
    EXPECT_EQ(formatGeneral(*sweptValue(-0.55, 0.1, 1)), "-0.4");
    EXPECT_EQ(formatGeneral(*sweptValue(-0.55, 0.1, -1)), "-0.6");

    // The whole distance at once; landing on zero gives 0, never "-0".
    EXPECT_DOUBLE_EQ(*sweptValue(1, 0.5, -4), -1);
    EXPECT_EQ(formatGeneral(*sweptValue(-0.1, 0.1, 1)), "0");
    EXPECT_EQ(formatGeneral(*sweptValue(0.3, 0.1, -3)), "0");
    EXPECT_EQ(*sweptValue(2, 0.1, 0), 2);
}

TEST(SweptValue, ANegativeStepTurnsTheSliderRoundButKeepsTheGrid) {
    EXPECT_EQ(formatGeneral(*sweptValue(1, -0.1, 1)), "0.9");
    EXPECT_EQ(formatGeneral(*sweptValue(1, -0.1, -1)), "1.1");
    EXPECT_EQ(formatGeneral(afterSingleSteps(1, -0.1, 10)), "0");
}

TEST(SweptValue, StepsWithoutAGridOrBeyondTheIntegerRangeAreRefused) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(sweptValue(1, 0, 1));
    EXPECT_FALSE(sweptValue(1, -0.0, 1));
    EXPECT_FALSE(sweptValue(1, inf, 1));
    EXPECT_FALSE(sweptValue(1, std::nan(""), 1));
    EXPECT_FALSE(sweptValue(1, 1e-300, 1)); // 1e300 steps
    EXPECT_FALSE(sweptValue(1, 1e-19, 0));  // 1e19 steps, just past 2^63
    EXPECT_FALSE(sweptValue(0, 1e307, 50)); // the value itself overflows
    EXPECT_TRUE(sweptValue(1, 1e-15, 1));   // small, but the count of steps fits
    EXPECT_FALSE(sweptValue(inf, 0.1, 1));
}

TEST(SweepStep, OnlyFiniteNonZeroNumbersAreSteps) {
    EXPECT_EQ(parseSweepStep("0.1"), 0.1);
    EXPECT_EQ(parseSweepStep(" -2.5 "), -2.5);
    EXPECT_EQ(parseSweepStep("1e-3"), 0.001);
    for (const char* text : {"x", "", "0", "-0.0", "1e999", "inf", "nan", "0,1"})
        EXPECT_FALSE(parseSweepStep(text)) << text;
}

TEST(ParameterSweep, AppliesOnlyWhileActiveToTheItemsOwnRowsAndKeepsRefusalsOut) {
    DEFINEFUN item = curvetest::curveItem("Y=A*X+B", document::KindTemplateFunction);
    curvetest::setParams(item, {1, 0});
    item.paramValues[2] = 7;
    ParameterSweep sweep;
    EXPECT_EQ(sweep.slide(item, 0, 60, "0.1"), SweepChange::Ignored); // not opened yet
    sweep.activate(item, {50, 50, 50});
    EXPECT_EQ(sweep.slide(item, 2, 60, "0.1"), SweepChange::Ignored); // row C: no parameter
    EXPECT_EQ(item.paramValues[2], 7);
    EXPECT_EQ(sweep.slide(item, 1, 53, "0"), SweepChange::Refused);
    EXPECT_EQ(sweep.lastPosition[1], 50);
    EXPECT_EQ(sweep.slide(item, 1, 53, "0.5"), SweepChange::Applied);
    EXPECT_DOUBLE_EQ(item.paramValues[1], 1.5);
    sweep.active = 0; // the sliders going back on closing change nothing
    EXPECT_EQ(sweep.slide(item, 1, 50, "0.5"), SweepChange::Ignored);
    sweep.restore(item);
    EXPECT_EQ(item.paramValues[1], 0);
    EXPECT_EQ(item.paramValues[2], 7);
}

} // namespace
} // namespace quorvel::graph
