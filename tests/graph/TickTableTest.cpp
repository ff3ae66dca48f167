#include "graph/TickTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using quorvel::graph::tickStep;

namespace {

struct Case {
    double unit;
    double step;
};

// Each row is open below and closed above: the last unit of a row and the first one after it.
const Case kBoundaries[] = {
    {1, 100},     {1.0001, 20},      {5, 20},      {5.0001, 10},    {10, 10},    {10.0001, 5},
    {20, 5},      {20.0001, 2},      {50, 2},      {50.0001, 1},    {100, 1},    {100.5, 0.5},
    {200, 0.5},   {200.0001, 0.2},   {500, 0.2},   {500.0001, 0.1}, {1000, 0.1}, {1000.0001, 0.05},
    {2000, 0.05}, {2000.0001, 0.01}, {5000, 0.01},
};

} // namespace

TEST(TickTable, RowBoundariesAreOpenBelowClosedAbove) {
    for (const Case& c : kBoundaries) {
        const auto s = tickStep(c.unit);
        ASSERT_TRUE(s) << c.unit;
        EXPECT_DOUBLE_EQ(s->step, c.step) << "unit " << c.unit;
        EXPECT_DOUBLE_EQ(s->spacing, c.unit * c.step) << "unit " << c.unit;
    }
}

TEST(TickTable, UnitsFromFilesBeyondTheTableContinueInOneTwoFiveSteps) {
    const Case beyond[] = {
        {5000.5, 0.005}, {20000, 0.005}, {20000.5, 0.002}, {50000, 0.002}, {50000.5, 0.001}, {1e6, 0.0001},
        {0.5, 100},      {0.2, 100},     {0.19, 200},      {0.05, 500},    {0.01, 2000},     {1e-6, 2e7},
    };
    for (const Case& c : beyond) {
        const auto s = tickStep(c.unit);
        ASSERT_TRUE(s) << c.unit;
        EXPECT_NEAR(s->step, c.step, c.step * 1e-12) << "unit " << c.unit;
    }
}

TEST(TickTable, SpacingStaysDrawableAndStepNeverGrowsWithTheUnit) {
    double previousStep = std::numeric_limits<double>::infinity();
    for (double e = -12; e <= 300; e += 0.01) {
        const double unit = std::pow(10.0, e);
        const auto s = tickStep(unit);
        ASSERT_TRUE(s) << unit;
        EXPECT_GE(s->spacing, 20 * (1 - 1e-9)) << unit;
        EXPECT_LE(s->spacing, 100 * (1 + 1e-9)) << unit;
        EXPECT_LE(s->step, previousStep) << unit;
        previousStep = s->step;
    }
}

TEST(TickTable, UndrawableUnitsGiveNoStep) {
    const double bad[] = {0,
                          -1,
                          -100,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::denorm_min()};
    for (double unit : bad)
        EXPECT_FALSE(tickStep(unit)) << unit;
}
