#include "TreeShape.h"

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/NoiseBound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace quorvel::expr {
namespace {

struct Shown {
    const char* markup;
    double x;
    double expected; // the value shown, exactly
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << s.markup << " at x=" << s.x;
}

class ShownValue : public ::testing::TestWithParam<Shown> {
protected:
    RecordingSink sink;
    Engine engine{sink};
};

TEST_P(ShownValue, IsZeroOnlyWithinTheNoiseOfItsComputation) {
    const Shown& s = GetParam();
    const ExprTree tree = test::treeOf(s.markup);
    collectVariables(engine, tree.get());
    ASSERT_TRUE(evaluate(engine, tree.get(), s.x));
    EXPECT_EQ(shownValue(tree.get()), s.expected);
}

// Cancellation down to the rounding noise shows 0.
INSTANTIATE_TEST_SUITE_P(Noise, ShownValue,
                         ::testing::Values(Shown{"sin(π)", 0, 0}, Shown{"cos(π/2)", 0, 0},
                                           Shown{"tg(π)", 0, 0}, Shown{"0.1+0.2-0.3", 0, 0},
                                           Shown{"ln(e)-1", 0, 0}, Shown{"sin(180°)", 0, 0},
                                           Shown{"cos(90°)", 0, 0}, Shown{"1-0.9-0.1", 0, 0},
                                           Shown{"sqrt(2)*sqrt(2)-2", 0, 0}, Shown{"exp(ln(3))-3", 0, 0},
                                           Shown{"cub(sqrt(3),2)-3", 0, 0}, Shown{"ext(8,3)-2", 0, 0},
                                           Shown{"log(2,8)-3", 0, 0}));

// Small values that are no noise are kept: exact operands, no cancellation, a difference beyond the
// noise, or a rule without a bound.
INSTANTIATE_TEST_SUITE_P(
    Kept, ShownValue,
    ::testing::Values(Shown{"1E-20*x", 1, 1e-20}, Shown{"sin(1E-20)", 0, 1e-20},
                      Shown{"sin(x)", std::numbers::pi, std::sin(std::numbers::pi)},
                      Shown{"1E-15+1-1", 0, 1e-15 + 1 - 1}, Shown{"0.1+0.2", 0, 0.1 + 0.2},
                      Shown{"1-0.99999999999999", 0, 1 - 0.99999999999999}, Shown{"ln(e)", 0, 1},
                      Shown{"sgn(1)*(0.1+0.2-0.3)", 0, 0.1 + 0.2 - 0.3})); // sgn has no bound

TEST(ShownValueOfAStoredE, TheConstantEAsFilesStoreItCountsAsE) {
    RecordingSink sink;
    Engine engine{sink};
    engine.variables.append("e", 2.71828182845905); // 15 significant digits
    ExprTree tree = test::treeOf("ln(e)-1");
    ASSERT_TRUE(evaluate(engine, tree.get(), 0));
    EXPECT_NE(tree->value, 0);
    EXPECT_EQ(shownValue(tree.get()), 0);
    engine.variables.setValue(0, 2.71828); // an older file's e is a value of its own
    ASSERT_TRUE(evaluate(engine, tree.get(), 0));
    EXPECT_EQ(shownValue(tree.get()), tree->value);
}

} // namespace
} // namespace quorvel::expr
