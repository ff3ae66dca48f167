#include "expr/Validation.h"
#include "base/MessageSink.h"
#include "expr/Limits.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::expr {
namespace {

// A loud/quiet check and the kind of its structured result.
struct Check {
    std::function<bool(MessageSink&, std::string_view, bool)> run;
    CheckKind kind;
};

struct Case {
    const char* name;
    Check check;
    const char* text;
    std::vector<std::string> messages; // empty: the check passes
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name << ": " << c.text;
}

class ValidationCases : public ::testing::TestWithParam<Case> {};

TEST_P(ValidationCases, ShowsTheMessagesAndAnswers) {
    const Case& c = GetParam();
    RecordingSink sink;
    EXPECT_EQ(c.check.run(sink, c.text, false), c.messages.empty());
    std::vector<std::string> shown;
    for (const auto& m : sink.shown) {
        shown.push_back(m.text);
        EXPECT_EQ(m.caption, "错误");
    }
    EXPECT_EQ(shown, c.messages);
}

TEST_P(ValidationCases, QuietModeOnlyAnswers) {
    const Case& c = GetParam();
    RecordingSink sink;
    EXPECT_EQ(c.check.run(sink, c.text, true), c.messages.empty());
    EXPECT_TRUE(sink.shown.empty());
}

// The structured result, reported, shows exactly what the loud check shows.
TEST_P(ValidationCases, ReportedFailureShowsTheSameMessages) {
    const Case& c = GetParam();
    const std::optional<CheckFailure> failure = findCheckFailure(c.check.kind, c.text);
    ASSERT_EQ(failure.has_value(), !c.messages.empty());
    if (!failure) return;
    EXPECT_EQ(failure->check, c.check.kind);
    RecordingSink sink;
    report(sink, *failure);
    std::vector<std::string> shown;
    for (const auto& m : sink.shown) {
        shown.push_back(m.text);
        EXPECT_EQ(m.caption, "错误");
        EXPECT_EQ(m.icon, MessageIcon::Error);
    }
    EXPECT_EQ(shown, c.messages);
}

const Check brackets{checkBrackets, CheckKind::Brackets};
const Check arguments{checkArguments, CheckKind::Arguments};
const Check commas{checkCommas, CheckKind::Commas};
const Check afterBrackets{checkAfterBrackets, CheckKind::AfterBrackets};
const Check counts{checkCounts, CheckKind::Counts};

INSTANTIATE_TEST_SUITE_P(
    Brackets, ValidationCases,
    ::testing::Values(
        Case{"empty", brackets, "", {}}, Case{"nested kinds", brackets, "{[(a)]}+(b)", {}},
        Case{
            "full-width open", brackets, "sin（x）", {"表达式中第4位置的括号为中文输入法下的括号，请修改！"}},
        Case{
            "full-width close", brackets, "sin(x）", {"表达式中第6位置的括号为中文输入法下的括号，请修改！"}},
        Case{"full-width after Chinese",
             brackets,
             "中文（",
             {"表达式中第5位置的括号为中文输入法下的括号，请修改！"}},
        Case{"empty call", brackets, "f()", {"表达式中第2位置的(和第3位置的)中的内容为空，请修改！"}},
        Case{"empty square", brackets, "a+[]", {"表达式中第3位置的[和第4位置的]中的内容为空，请修改！"}},
        Case{"no operator", brackets, "(a)(b)", {"表达式中第3位置的)和第4位置的(中间没有运算符，请修改！"}},
        Case{"no operator after two-byte",
             brackets,
             "(π)(b)",
             {"表达式中第4位置的)和第5位置的(中间没有运算符，请修改！"}},
        Case{"closing first", brackets, "a)+b", {"表达式前面找不到能与第2位的)匹配的左括号，请修改！"}},
        Case{"closing after two-byte",
             brackets,
             "α≠b]",
             {"表达式前面找不到能与第6位的]匹配的左括号，请修改！"}},
        Case{"unequal counts", brackets, "((a)", {"左括号和右括号的数目不等，请修改！"}},
        Case{"kinds differ", brackets, "[0,1)", {"[和)不匹配，请修改！"}},
        Case{"first mismatch from the left", brackets, "{(a]+b)", {"{和)不匹配，请修改！"}}));

INSTANTIATE_TEST_SUITE_P(
    Arguments, ValidationCases,
    ::testing::Values(
        Case{"empty", arguments, "", {}}, Case{"upper case", arguments, "SIN(x)", {}},
        Case{"bracket groups", arguments, "((a+b))*[c]", {}}, Case{"f one", arguments, "f(x)", {}},
        Case{"f two", arguments, "f(x,y)", {}}, Case{"f three", arguments, "f(x,y,z)", {}},
        Case{"f four", arguments, "f(a,b,c,d)", {"函数f的参数数目不正确，请修改！"}},
        Case{"sin two", arguments, "sin(x,y)", {"函数sin的参数数目不正确，请修改！"}},
        Case{"nested commas do not count", arguments, "sin(f(a,b))+cub(x,(1,2))", {}},
        Case{
            "square brackets are no level", arguments, "cub(x,[1,2])", {"函数cub的参数数目不正确，请修改！"}},
        Case{"three arguments", arguments, "sum(i=0,n,x__i)", {}},
        Case{"matrix", arguments, "matrix(2,2,a;b;c;d)", {}},
        Case{"name lower-cased", arguments, "Sinx(x)", {"没有sinx这个运算符，请修改！"}},
        Case{"number as name", arguments, "2(x+1)", {"没有2这个运算符，请修改！"}},
        Case{"name after special", arguments, "a≠cub(x)", {"函数cub的参数数目不正确，请修改！"}},
        Case{"name after Chinese", arguments, "甲(x)", {"没有甲这个运算符，请修改！"}},
        Case{"unbalanced counts to the end", arguments, "cub(x,2", {}}));

INSTANTIATE_TEST_SUITE_P(
    Commas, ValidationCases,
    ::testing::Values(Case{"empty", commas, "", {}}, Case{"inside calls", commas, "f(a,b)", {}},
                      Case{"first", commas, ",x", {"第一位不能有逗号，请修改！"}},
                      Case{"last", commas, "x,", {"最后一位不能有逗号，请修改！"}},
                      Case{"outside", commas, "a,b", {"表达式里第2位的','不应该存在，请修改！"}},
                      Case{"after two-byte", commas, "α,b", {"表达式里第3位的','不应该存在，请修改！"}},
                      Case{"between groups", commas, "(a),[b]", {"表达式里第4位的','不应该存在，请修改！"}},
                      Case{"separators inside lists", commas, "lak(2,a;b)+(c;d)", {}},
                      Case{"separator outside", commas, "a+b;c", {"表达式里第4位的';'不应该存在，请修改！"}},
                      Case{"separator last", commas, "a;", {"表达式里第2位的';'不应该存在，请修改！"}}));

INSTANTIATE_TEST_SUITE_P(
    AfterBrackets, ValidationCases,
    ::testing::Values(
        Case{"empty", afterBrackets, "", {}}, Case{"times sign", afterBrackets, "(a+b)×c", {}},
        Case{"every allowed", afterBrackets, "(a)+(a)-(a)*(a)/(a)%(a)=(a)>(a)<(a)!+(a);(a),(a)) (a)]", {}},
        Case{"symbol row", afterBrackets, "(a)≠b+(c)∞+(d)、", {}},
        Case{"letter", afterBrackets, "(a+b)c", {"输入的表达式在5位置起有误,请修改！"}},
        Case{"digit after two-byte", afterBrackets, "(π)2", {"输入的表达式在4位置起有误,请修改！"}},
        Case{"opening", afterBrackets, "f(x)(y)", {"输入的表达式在4位置起有误,请修改！"}},
        Case{"Greek is no symbol", afterBrackets, "(a)α", {"输入的表达式在3位置起有误,请修改！"}},
        // A factorial sign closes its operand: what follows it follows the same rule.
        Case{"factorial then operator", afterBrackets, "x!!+x!*2", {}},
        Case{"factorial then letter", afterBrackets, "x!y", {"输入的表达式在2位置起有误,请修改！"}},
        Case{"factorial first", afterBrackets, "!x", {"输入的表达式在1位置起有误,请修改！"}},
        Case{"factorial then group", afterBrackets, "(x)!(x)", {"输入的表达式在4位置起有误,请修改！"}}));

INSTANTIATE_TEST_SUITE_P(
    Counts, ValidationCases,
    ::testing::Values(
        Case{"empty", counts, "", {}}, Case{"digits", counts, "matrix(2,3,a;b;c;d;e;f)", {}},
        Case{"empty count passes", counts, "matrix(,2,a;b)", {}},
        Case{"matrix rows",
             counts,
             "matrix(2,x,a;b)",
             {"输入有误", "您输入的矩阵的行数或列数不是自然数，请修改！"}},
        Case{"range",
             counts,
             "range(n,2,a;b)",
             {"输入有误", "您输入的行列式的行数或列数不是自然数，请修改！"}},
        Case{"lak", counts, "lak(-1,a;b)", {"输入有误", "您输入的多行表达式中的行数不是自然数，请修改！"}},
        Case{"con", counts, "con(1.5,x,x>0)", {"输入有误", "您输入的条件表达式中的个数不是自然数，请修改！"}},
        Case{"matrix before lak",
             counts,
             "lak(x,a)+matrix(y,1,a)",
             {"输入有误", "您输入的矩阵的行数或列数不是自然数，请修改！"}},
        Case{"lak limit", counts, "lak(999999999,x)", {"您输入的多行表达式中的行数超过了1000，请修改！"}},
        Case{"con limit", counts, "con(1001,x,a)", {"您输入的条件表达式中的个数超过了1000，请修改！"}},
        // the count at the limit passes; only the lines written are too few
        Case{"lak at limit",
             counts,
             "lak(1000,x)",
             {"您输入的多行表达式中的行数与实际写出的行数不符，请修改！"}},
        Case{"matrix cells",
             counts,
             "matrix(2,2,a;b;c)",
             {"您输入的矩阵的元素个数与行数和列数不符，请修改！"}},
        Case{"range cells", counts, "range(1,1,a;b)", {"您输入的行列式的元素个数与行数和列数不符，请修改！"}},
        Case{"con conditions",
             counts,
             "con(2,x,x>0)",
             {"您输入的条件表达式中的个数与实际写出的条件个数不符，请修改！"}},
        Case{"matrix limit",
             counts,
             "matrix(100000,100000,x)",
             {"您输入的矩阵的行数或列数超过了100，请修改！"}},
        Case{"range columns limit",
             counts,
             "range(2,101,x)",
             {"您输入的行列式的行数或列数超过了100，请修改！"}}));

TEST(Validation, NaturalNumberTextAcceptsDigitsOnly) {
    RecordingSink sink;
    EXPECT_TRUE(naturalNumberText(sink, "", false));
    EXPECT_TRUE(naturalNumberText(sink, "0123", false));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_FALSE(naturalNumberText(sink, " 1", false));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "输入有误");
    EXPECT_FALSE(naturalNumberText(sink, "1.0", true));
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST(Validation, RunsTheChecksInOrderAndStopsAtTheFirstFailure) {
    RecordingSink sink;
    // Fails the bracket check (empty pair) before the comma check would see the leading comma.
    EXPECT_FALSE(validate(sink, ",f()", false));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "表达式中第3位置的(和第4位置的)中的内容为空，请修改！");

    sink.shown.clear();
    EXPECT_TRUE(validate(sink, "", false));
    EXPECT_TRUE(validate(sink, "Y=A*cub(X,2)+B*X+C", false));
    EXPECT_TRUE(validate(sink, "lak(3,x__1+x__2+x__3=3;3*x__1+5*x__2=9;2*x__2-6*x__3=-3)", false));
    EXPECT_TRUE(sink.shown.empty());
}

TEST(Validation, RefusesTooDeepNestingAndTooLongTexts) {
    RecordingSink sink;
    const std::string deep = std::string(kMaxNesting + 1, '(') + "a" + std::string(kMaxNesting + 1, ')');
    EXPECT_FALSE(validate(sink, deep, false));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "表达式中括号的嵌套超过了1000层，请修改！");

    const std::string atLimit = std::string(kMaxNesting, '(') + "a" + std::string(kMaxNesting, ')');
    EXPECT_TRUE(checkLimits(sink, atLimit, false));

    sink.shown.clear();
    EXPECT_FALSE(checkLimits(sink, std::string(kMaxTextBytes + 1, 'a'), false));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "表达式的长度超过了65536个字节，请修改！");
}

// Where each check places its fault; the two-byte characters in front make GBK and character positions
// differ.
struct Placed {
    CheckKind check;
    std::string text;
    int gbk;
    int chars;
};

void PrintTo(const Placed& p, std::ostream* os) {
    *os << static_cast<int>(p.check) << ": " << p.text.substr(0, 40);
}

class PlacedFailures : public ::testing::TestWithParam<Placed> {};

TEST_P(PlacedFailures, PointAtTheOffendingCharacter) {
    const Placed& p = GetParam();
    const std::optional<CheckFailure> failure = findCheckFailure(p.check, p.text);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->check, p.check);
    EXPECT_EQ(failure->gbkPosition, p.gbk);
    EXPECT_EQ(failure->charPosition, p.chars);
}

std::string nested(const std::string& before, int depth) {
    return before + std::string(static_cast<std::size_t>(depth), '(') + "a" +
           std::string(static_cast<std::size_t>(depth), ')');
}

constexpr int kBytes = static_cast<int>(kMaxTextBytes);

INSTANTIATE_TEST_SUITE_P(
    Positions, PlacedFailures,
    ::testing::Values(
        Placed{CheckKind::Limits, nested("π≠", kMaxNesting + 1), 4 + kMaxNesting + 1, 2 + kMaxNesting + 1},
        // the first character beyond the limit, after a three-byte "∞" that counts two
        Placed{CheckKind::Limits, "∞" + std::string(kMaxTextBytes, 'a'), kBytes, kBytes - 1},
        // the limit falls inside "π": the whole character is beyond it
        Placed{CheckKind::Limits, std::string(kMaxTextBytes - 1, 'a') + "π", kBytes, kBytes},
        Placed{CheckKind::Brackets, "π≠（x）", 5, 3}, Placed{CheckKind::Brackets, "∞+f()", 5, 4},
        Placed{CheckKind::Brackets, "π(a)(b)", 5, 4}, Placed{CheckKind::Brackets, "α≠b]", 6, 4},
        Placed{CheckKind::Brackets, "π+((a)", 4, 3},
        // the outermost opening bracket without a partner, not the first bracket
        Placed{CheckKind::Brackets, "(a)+π*(b", 8, 7}, Placed{CheckKind::Brackets, "≠{(a]+b)", 3, 2},
        Placed{CheckKind::Arguments, "π*sinx(x)", 4, 3}, Placed{CheckKind::Arguments, "a≠cub(x)", 4, 3},
        Placed{CheckKind::Arguments, "甲(x)", 1, 1}, Placed{CheckKind::Commas, ",π", 1, 1},
        Placed{CheckKind::Commas, "π+x,", 5, 4}, Placed{CheckKind::Commas, "α,b", 3, 2},
        Placed{CheckKind::AfterBrackets, "(π)2", 4, 3}, Placed{CheckKind::AfterBrackets, "∞*(a+b)c", 8, 7},
        Placed{CheckKind::Counts, "π+matrix(2,x,a;b)", 13, 12},
        Placed{CheckKind::Counts, "∞+lak(1001,x)", 8, 7},
        Placed{CheckKind::Counts, "≠range(2,101,x)", 11, 10}));

TEST(Validation, FindCheckFailureRunsTheChecksInOrderWithoutMessages) {
    EXPECT_FALSE(findCheckFailure("").has_value());
    EXPECT_FALSE(findCheckFailure("Y=A*cub(X,2)+B*X+C").has_value());

    const std::optional<CheckFailure> brackets = findCheckFailure(",f()");
    ASSERT_TRUE(brackets.has_value());
    EXPECT_EQ(brackets->check, CheckKind::Brackets);
    EXPECT_EQ(brackets->gbkPosition, 3);

    const std::optional<CheckFailure> arguments = findCheckFailure("sin(x,y),");
    ASSERT_TRUE(arguments.has_value());
    EXPECT_EQ(arguments->check, CheckKind::Arguments);

    const std::optional<CheckFailure> counts = findCheckFailure("π+lak(x,a)");
    ASSERT_TRUE(counts.has_value());
    EXPECT_EQ(counts->check, CheckKind::Counts);
    EXPECT_EQ(counts->precedingMessage, "输入有误");
    EXPECT_EQ(counts->message, "您输入的多行表达式中的行数不是自然数，请修改！");
    EXPECT_EQ(counts->charPosition, 7);
    EXPECT_EQ(counts->gbkPosition, 8);
}

} // namespace
} // namespace quorvel::expr
