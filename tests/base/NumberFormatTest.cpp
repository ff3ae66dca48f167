#include "base/NumberFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using quorvel::formatGeneral;
using quorvel::parseDecimal;
using quorvel::parseInteger;

TEST(NumberFormat, GeneralFormTable) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {100, "100"},
        {283.5, "283.5"},
        {-0.5, "-0.5"},
        {1e20, "1E20"},
        {1e-6, "1E-6"},
        {0.00001, "0.00001"},
        {0.000015, "0.000015"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {1.5e15, "1.5E15"},
        {3.1415926, "3.1415926"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {-1.25e-7, "-1.25E-7"},
        {1e308, "1E308"},
        {99999.99999999999, "100000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatGeneral(c.value), c.text) << c.value;
        // Every text the format writes reads back; beyond 15 digits only to the nearest written value.
        auto back = parseDecimal(c.text);
        ASSERT_TRUE(back.has_value()) << c.text;
        EXPECT_EQ(formatGeneral(*back), c.text);
    }
}

TEST(NumberFormat, IgnoresProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(formatGeneral(283.5), "283.5");
    EXPECT_EQ(parseDecimal("283.5").value_or(0), 283.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberFormat, ParseAcceptsDecimalForms) {
    EXPECT_EQ(parseDecimal("12").value_or(-1), 12);
    EXPECT_EQ(parseDecimal(" -3.5 ").value_or(0), -3.5);
    EXPECT_EQ(parseDecimal("+4").value_or(0), 4);
    EXPECT_EQ(parseDecimal(".5").value_or(0), 0.5);
    EXPECT_EQ(parseDecimal("5.").value_or(0), 5);
    EXPECT_EQ(parseDecimal("1E20").value_or(0), 1e20);
    EXPECT_EQ(parseDecimal("1e-6").value_or(0), 1e-6);
}

TEST(NumberFormat, ParseRefusesWhatIsNoNumber) {
    for (const char* bad : {"", " ", "x", "1x", "inf", "nan", "0x10", "1E", "1E+", ".", "-", "1,5", "1..2",
                            "1E400", "--1", "e5"})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
}

TEST(NumberFormat, LiteralsOutOfRangeBecomeInfiniteOrZero) {
    using quorvel::parseDecimalLiteral;
    struct Row {
        const char* text;
        double value;
    };
    for (const Row& r : {Row{"1E400", HUGE_VAL}, Row{"-1e400", -HUGE_VAL}, Row{"0.0001e313", HUGE_VAL},
                         Row{"1e-400", 0}, Row{"100000e-335", 0}, Row{"1e99999999999999999999", HUGE_VAL},
                         Row{"2.5e3", 2500}, Row{"0e999", 0}})
        EXPECT_EQ(parseDecimalLiteral(r.text).value_or(-1), r.value) << r.text;
    for (const char* bad : {"", "x", "1E", "e5", "inf", "1e-5x"})
        EXPECT_FALSE(parseDecimalLiteral(bad).has_value()) << bad;
}

TEST(NumberFormat, ParseInteger) {
    EXPECT_EQ(parseInteger("42").value_or(-1), 42);
    EXPECT_EQ(parseInteger(" -7 ").value_or(0), -7);
    EXPECT_FALSE(parseInteger("").has_value());
    EXPECT_FALSE(parseInteger("2.5").has_value());
    EXPECT_FALSE(parseInteger("99999999999999999999").has_value());
}
