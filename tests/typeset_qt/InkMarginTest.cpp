// Real renders: every inked pixel of a formula picture stays inside its 5 px margin, and a bracket drawn
// around tall content reaches its height.
#include "typeset/FormulaStyle.h"
#include "typeset/qt/FormulaPicture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

namespace quorvel::typeset {
namespace {

struct Ink {
    int left = -1, top = -1, right = -1, bottom = -1; // inclusive; -1 without ink
};

// Ink is any pixel neither transparent nor white, whichever background the picture has.
bool inked(QRgb p) {
    return qAlpha(p) > 0 && (p & 0xffffff) != 0xffffff;
}

Ink inkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image.pixel(x, y))) {
                if (ink.left < 0 || x < ink.left) ink.left = x;
                if (ink.top < 0) ink.top = y;
                ink.right = std::max(ink.right, x);
                ink.bottom = y;
            }
    return ink;
}

QImage render(const char* markup, int size) {
    FormulaStyle style;
    style.fontSize = size;
    auto cache = std::make_shared<QtTextCache>();
    TypesetFormula formula = typesetMarkup(markup, style, cache);
    return renderFormulaImage(formula, cache).convertToFormat(QImage::Format_ARGB32);
}

TEST(InkMarginTest, NoInkInTheMarginAtAnySize) {
    for (const char* markup : {"ing1(a;b,x,x)", "cub(x,n)", "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)"})
        for (int size : {16, 32, 48, 200}) {
            const QImage image = render(markup, size);
            ASSERT_FALSE(image.isNull()) << markup;
            const Ink ink = inkOf(image);
            ASSERT_GE(ink.left, 0) << markup << " draws nothing";
            EXPECT_GE(ink.left, 5) << markup << " at " << size;
            EXPECT_GE(ink.top, 5) << markup << " at " << size;
            EXPECT_LE(ink.right, image.width() - 6) << markup << " at " << size;
            EXPECT_LE(ink.bottom, image.height() - 6) << markup << " at " << size;
        }
}

TEST(InkMarginTest, BracketAroundTallContentSpansItsHeight) {
    // (x/2+1): the bracket's ink in its own column reaches from near the fraction's top to its bottom.
    const QImage image = render("(x/2+1)", 48);
    const Ink all = inkOf(image);
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = all.left; x < all.left + 10; ++x)
            if (inked(image.pixel(x, y))) {
                if (top < 0) top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    EXPECT_GE(bottom - top, (all.bottom - all.top) * 8 / 10) << "the bracket spans the content";
}

} // namespace
} // namespace quorvel::typeset
