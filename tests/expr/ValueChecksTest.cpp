#include "expr/ValueChecks.h"
#include "base/Utf8Text.h"
#include "expr/Parser.h"
#include "expr/Validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

namespace quorvel::expr {
namespace {

// What a value road refuses: the input checks first, then the empty operands.
std::optional<CheckFailure> valueRoadFault(std::string_view text) {
    if (auto failure = findCheckFailure(text)) return failure;
    return findEmptyOperand(text);
}

struct RefusedText {
    const char* text;
    CheckKind check;
    int chars; // code point position
    int gbk;
};

void PrintTo(const RefusedText& r, std::ostream* os) {
    *os << r.text;
}

class RefusedOnValueRoads : public ::testing::TestWithParam<RefusedText> {};

TEST_P(RefusedOnValueRoads, AtTheFirstFault) {
    const RefusedText& r = GetParam();
    const std::optional<CheckFailure> failure = valueRoadFault(r.text);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->check, r.check);
    EXPECT_EQ(failure->charPosition, r.chars);
    EXPECT_EQ(failure->gbkPosition, r.gbk);
}

constexpr CheckKind kEmpty = CheckKind::EmptyOperand;
constexpr CheckKind kCounts = CheckKind::Counts;

INSTANTIATE_TEST_SUITE_P(EmptyOperands, RefusedOnValueRoads,
                         ::testing::Values(
                             // operators the function form leaves without an operand, at the operator
                             RefusedText{"y=", kEmpty, 2, 2}, RefusedText{"y=x+", kEmpty, 4, 4},
                             RefusedText{"=x", kEmpty, 1, 1}, RefusedText{"y==x", kEmpty, 3, 3},
                             RefusedText{"*x", kEmpty, 1, 1}, RefusedText{"x/", kEmpty, 2, 2},
                             RefusedText{"x>", kEmpty, 2, 2}, RefusedText{"x>=", kEmpty, 2, 2},
                             RefusedText{"x*-1", kEmpty, 2, 2}, RefusedText{"x+-1", kEmpty, 2, 2},
                             RefusedText{"--x", kEmpty, 1, 1}, RefusedText{"x+(-)", kEmpty, 4, 4},
                             RefusedText{"(!)", kEmpty, 2, 2}, RefusedText{"50%", kEmpty, 3, 3},
                             RefusedText{"lak(2,x+;y)", kEmpty, 8, 8}, RefusedText{"π≠", kEmpty, 2, 3},
                             // empty arguments, items and groups, at the character in front of the gap
                             RefusedText{"y=cub(x,)+1", kEmpty, 8, 8}, RefusedText{"y=cub(,2)", kEmpty, 6, 6},
                             RefusedText{"lak(2,x=1;)", kEmpty, 10, 10},
                             RefusedText{"lak(2,;y=2)", kEmpty, 6, 6}, RefusedText{"tab(i,j,)", kEmpty, 8, 8},
                             RefusedText{"tab(i;,j,x)", kEmpty, 6, 6}, RefusedText{"[a,]", kEmpty, 3, 3},
                             RefusedText{"∞+cub(x,)", kEmpty, 8, 9},
                             // the leftmost of several
                             RefusedText{"cub(,x)+", kEmpty, 4, 4}, RefusedText{"x++cub(,2)", kEmpty, 2, 2},
                             // an empty pair is the bracket check's
                             RefusedText{"y=sin()", CheckKind::Brackets, 6, 6}));

INSTANTIATE_TEST_SUITE_P(
    Counts, RefusedOnValueRoads,
    ::testing::Values(RefusedText{"matrix(2,2,a;b;c)", kCounts, 8, 8},
                      RefusedText{"range(2,2,a;b;c;d;e)", kCounts, 7, 7},
                      RefusedText{"lak(3,x=1;y=2)", kCounts, 5, 5}, RefusedText{"lak(1,x;y)", kCounts, 5, 5},
                      RefusedText{"lak(0,x)", kCounts, 5, 5}, RefusedText{"con(2,x,x>0)", kCounts, 5, 5},
                      RefusedText{"con(1,x,x>0;x<1)", kCounts, 5, 5},
                      RefusedText{"matrix(100,100,x)", kCounts, 8, 8},
                      // the inner call's items are its own; the call that starts first is named
                      RefusedText{"lak(1,matrix(1,2,a))", kCounts, 14, 14},
                      RefusedText{"lak(2,matrix(1,2,a))", kCounts, 5, 5},
                      RefusedText{"π+lak(2,1;2)+matrix(1,1,a;b)", kCounts, 21, 22}));

class AcceptedOnValueRoads : public ::testing::TestWithParam<const char*> {};

TEST_P(AcceptedOnValueRoads, HaveNoFault) {
    const std::optional<CheckFailure> failure = valueRoadFault(GetParam());
    EXPECT_FALSE(failure.has_value()) << failure->message;
}

INSTANTIATE_TEST_SUITE_P(Texts, AcceptedOnValueRoads,
                         ::testing::Values("-x", "y=-x", "+x", "(-1)", "x*(-1)", "a≠-1", "x>=-1", "y=x!",
                                           "1e-5*x", "x__1-1", "tab(i,,x)", "tab(,j,x)", "TAB(,,x)",
                                           "ing1(a;b,x,x)", "matrix(2,2,a;b;c;d)", "range(2,2,a;b;c;d)",
                                           "lak(2,matrix(1,2,a;b);(c;d))", "lak(2,x;-1)",
                                           "lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)",
                                           "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
                                           "f(x)=con(1,x,x>0)"));

TEST(ValueChecks, MessagesNameThePlaceAndTheSide) {
    EXPECT_EQ(findEmptyOperand("π≠")->message, "表达式里第3位的'≠'后面缺少运算对象，请修改！");
    EXPECT_EQ(findEmptyOperand("y==x")->message, "表达式里第3位的'='前面缺少运算对象，请修改！");
    EXPECT_EQ(findEmptyOperand("x<=")->message, "表达式里第2位的'<='后面缺少运算对象，请修改！");
    EXPECT_EQ(findEmptyOperand("cub(x,)")->message, "表达式里第6位的','后面缺少运算对象，请修改！");
}

// Whether a function form holds an empty argument or list item.
bool hasEmptyPlace(std::string_view form) {
    for (std::size_t i = 0; i + 1 < form.size(); ++i) {
        const bool opens =
            form[i] == '(' || form[i] == '[' || form[i] == '{' || form[i] == ',' || form[i] == ';';
        const char d = form[i + 1];
        if (opens && (d == ')' || d == ']' || d == '}' || d == ',' || d == ';')) return true;
    }
    return false;
}

// The check and the function form agree: a text the value road lets through has no empty place left
// after rewriting, and a refused one has.
TEST(ValueChecks, AgreeWithTheFunctionFormOnRandomTexts) {
    std::mt19937 rng(7);
    const std::u32string alphabet = U"x1+-*/%!=<>≠±·(),;";
    const std::string calls[] = {"", "cub(", "lak(2,", "abs(", "con(1,"};
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> call(0, std::size(calls) - 1);
    int passed = 0;
    int refused = 0;
    for (int i = 0; i < 40000; ++i) {
        std::u32string body;
        for (int n = 1 + static_cast<int>(rng() % 8); n > 0; --n)
            body += alphabet[pick(rng)];
        std::string text = calls[call(rng)] + toUtf8(body);
        const auto open =
            std::count(text.begin(), text.end(), '(') - std::count(text.begin(), text.end(), ')');
        text.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(open, 0)), ')');
        if (findCheckFailure(text)) continue;
        const bool empty = findEmptyOperand(text).has_value();
        (empty ? refused : passed) += 1;
        ASSERT_EQ(hasEmptyPlace(toFunctionForm(text)), empty) << text;
    }
    EXPECT_GT(passed, 200);
    EXPECT_GT(refused, 200) << passed;
}

} // namespace
} // namespace quorvel::expr
