#include "document/FontSpec.h"

#include <gtest/gtest.h>

using namespace quorvel::document;

TEST(FontText, DefaultAnnotationFont) {
    EXPECT_EQ(FontToStr(FontSpec::annotationDefault()), "134##-2147483640##-12##0##9##0##0##0##0##宋体");
}

TEST(FontText, StyleFlagsAreTheFieldsSixToNine) {
    FontSpec f;
    f.bold = true;
    f.italic = true;
    f.name = "Times New Roman";
    EXPECT_EQ(FontToStr(f), "134##-2147483640##-12##0##9##1##1##0##0##Times New Roman");
    const auto back = StrToFont(FontToStr(f));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->bold);
    EXPECT_TRUE(back->italic);
    EXPECT_FALSE(back->underline);
    EXPECT_FALSE(back->strikeOut);
    EXPECT_EQ(*back, f);
}

TEST(FontText, ReadsTheTextForm) {
    const struct {
        const char* text;
        std::optional<FontSpec> font;
    } cases[] = {
        {"0##255##-16##2##12##0##1##1##1##Liberation Serif",
         FontSpec{0, 255, -16, 2, 12, false, true, true, true, "Liberation Serif"}},
        // Only "1" sets a style; the name is everything after the ninth separator.
        {"1##0##0##0##0##2##yes## 1##true##a##b",
         FontSpec{1, 0, 0, 0, 0, false, false, false, false, "a##b"}},
        {"1##0##0##0##0##0##0##0##0##", FontSpec{1, 0, 0, 0, 0, false, false, false, false, ""}},
        {" 134 ##0##0##0##9##0##0##0##0##x", FontSpec{134, 0, 0, 0, 9, false, false, false, false, "x"}},
        {"", std::nullopt},
        {"134##0##0##0##9##0##0##0##0", std::nullopt},
        {"GB##0##0##0##9##0##0##0##0##x", std::nullopt},
        {"134##0##0.5##0##9##0##0##0##0##x", std::nullopt},
        {"134##4294967295##0##0##9##0##0##0##0##x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToFont(c.text), c.font) << c.text;
}
