#include "base/Utf8Text.h"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(Utf8Text, SpecialCharactersAreOneCharacterEach) {
    const std::u32string cps = toCodePoints("a≠b∞π中");
    ASSERT_EQ(cps.size(), 6u);
    EXPECT_EQ(cps[1], U'≠');
    EXPECT_EQ(toUtf8(cps), "a≠b∞π中");
}

TEST(Utf8Text, GbkPositionsCountTwoForNonAscii) {
    const std::u32string cps = toCodePoints("sin（x）");
    EXPECT_EQ(gbkPosition(cps, 0), 1);
    EXPECT_EQ(gbkPosition(cps, 3), 4); // the full-width bracket
    EXPECT_EQ(gbkPosition(cps, 4), 6); // x after a two-byte character
    EXPECT_EQ(gbkPosition(cps, 5), 7);
}

TEST(Utf8Text, InvalidBytesDecodeSafely) {
    const std::string bad = std::string("a\xff\xc3", 3) + "b" + std::string("\xe4\xb8", 2);
    const std::u32string cps = toCodePoints(bad);
    ASSERT_EQ(cps.size(), 6u);
    EXPECT_EQ(cps[0], U'a');
    EXPECT_EQ(cps[1], U'\uFFFD');
    EXPECT_EQ(cps[3], U'b');
}

// Overlong forms would read as "(", ")" or NUL; each of their bytes becomes U+FFFD instead.
TEST(Utf8Text, OverlongAndInvalidFormsNeverMeanACharacter) {
    const struct {
        std::string bytes;
        std::string clean;
    } rows[] = {
        {"sin\xC0\xA8x\xC0\xA9", "sin\uFFFD\uFFFDx\uFFFD\uFFFD"},
        {"a\xC0\x80"
         "b",
         "a\uFFFD\uFFFDb"},
        {"\xE0\x80\xA8", "\uFFFD\uFFFD\uFFFD"},           // three-byte overlong "("
        {"\xF0\x80\x80\xA8", "\uFFFD\uFFFD\uFFFD\uFFFD"}, // four-byte overlong "("
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"中π≠\xC2\x80", "中π≠\xC2\x80"},                 // shortest forms stay
    };
    for (const auto& row : rows)
        EXPECT_EQ(validUtf8(row.bytes), row.clean) << row.bytes;
}

TEST(Utf8Text, AsciiLowerLeavesOtherCharacters) {
    EXPECT_EQ(asciiLower("SIN(Π)"), "sin(Π)");
}
