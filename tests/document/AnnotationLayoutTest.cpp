#include "document/AnnotationLayout.h"

#include <gtest/gtest.h>

using namespace quorvel::document;

namespace {
// Ten pixels per byte, so widths are easy to predict.
int tenPerByte(std::string_view line) {
    return static_cast<int>(line.size()) * 10;
}
} // namespace

TEST(AnnotationLayout, LinesAreThePiecesBeforeEachLineBreak) {
    const struct {
        const char* text;
        std::vector<std::string_view> lines;
    } cases[] = {
        {"", {""}},
        {"abc", {"abc"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n", {"a", ""}},
        {"\r\n\r\n", {"", "", ""}},
        {"a\nb", {"a\nb"}}, // documents keep CR LF; a lone feed is no break here
    };
    for (const auto& c : cases)
        EXPECT_EQ(annotationLines(c.text), c.lines) << c.text;
}

TEST(AnnotationLayout, BoxFollowsTheTextAndLineHeight) {
    REMARK r;
    r.left = 100;
    r.top = 50;
    r.text = "one\r\nthree\r\nfour";
    measureAnnotation(r, 12, tenPerByte);
    EXPECT_EQ(r.bottom, 50 + 36); // three lines of a 12-pixel "temp" height
    EXPECT_EQ(r.right, 100 + 50);

    r.text += "\r\n"; // one line higher
    measureAnnotation(r, 12, tenPerByte);
    EXPECT_EQ(r.bottom, 50 + 48);

    // A narrow annotation measured after a wide one gets its own right edge.
    r.text = "x";
    measureAnnotation(r, 12, tenPerByte);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.bottom, 62);
}
