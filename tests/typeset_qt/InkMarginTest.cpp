// Real renders measured for their ink: every picture keeps its white margin and shows the same ink as
// its SVG; the drawn signs keep white rows and columns between themselves and what is around them (the
// radical, the bars of an absolute value, the bar of a derivative), the minus is the rule of the plus, the
// brace is no hairline, the integral is slanted and clear of its bounds, italic letters are not cut.
#include "SharedTextCache.h"
#include "typeset/FormulaStyle.h"
#include "typeset/qt/FormulaPicture.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace quorvel::typeset {
namespace {

// The keypad's examples with drawn signs and the formulas of the textbook that show every sign together.
const char* const kFormulas[] = {
    "x=(-b±sqrt(b*b-4*a*c))/(2*a)",
    "sqrt(a/b)=sqrt(a)/sqrt(b)",
    "sqrt(sqrt(x)+1)",
    "ext(x,n)",
    "ext(x+1,3)",
    "sqrt(x)",
    "cub(x,n)",
    "vec(AB)",
    "abs(x-1)/(x+1)",
    "abs(abs(x)-abs(x-1))",
    "ing1(a;b,x,x)",
    "lim(x,∞,f(x))",
    "sum(i=0,n,x_ _i)",
    "prod(i=0,n,x_ _i)",
    "derive(y,x)",
    "pderive(y,x)",
    "f(x)=con(1,x,x>0)",
    "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
    "lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)",
    "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
    "range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
    "tab(i,j,x)",
};
const int kSizes[] = {16, 48, 200};

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

// The stroke width of the drawn signs at a size (1 px at 16 pt, 3 at 48, 13 at 200).
int strokeAt(int size) {
    return std::max(1, (size + FormulaStyle::kDefaultFontSize / 2) / FormulaStyle::kDefaultFontSize);
}

// A formula laid out and drawn on a white bitmap. Coloured: operators (signs, bars, radicals) red and
// brackets blue, text black, so that inks can be told apart.
struct Picture {
    TypesetFormula formula;
    QImage image;
};

Picture render(const char* markup, int size, bool coloured = false, bool italic = false) {
    FormulaStyle style;
    style.fontSize = size;
    style.italicVariables = italic;
    if (coloured) {
        style.colors.operatorColor = rgb(255, 0, 0);
        style.colors.bracketColor = rgb(0, 0, 255);
    }
    Picture p{typesetMarkup(markup, style, sharedCache()), {}};
    PictureOptions options;
    options.background = Qt::white;
    p.image = renderFormulaImage(p.formula, sharedCache(), options).convertToFormat(QImage::Format_RGB32);
    return p;
}

QImage rasterizedSvg(Picture& p) {
    QSvgRenderer renderer(renderFormulaSvg(p.formula, sharedCache()));
    QImage image(p.image.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Any ink at all; red, blue or black ink, however little of the pixel it covers (text is grey where it
// covers part of a pixel, the signs' edges pale red or blue).
bool inked(QRgb p) {
    return (p & 0xffffff) != 0xffffff;
}
bool red(QRgb p) {
    return qRed(p) > qGreen(p) && qGreen(p) == qBlue(p);
}
bool blue(QRgb p) {
    return qBlue(p) > qRed(p) && qRed(p) == qGreen(p);
}
bool black(QRgb p) {
    return inked(p) && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
}
// How much of the pixel the ink covers, 0 to 1.
double coverage(QRgb p) {
    return 1.0 - std::min({qRed(p), qGreen(p), qBlue(p)}) / 255.0;
}
// Half a pixel or more of ink.
bool dark(QRgb p) {
    return coverage(p) >= 0.5;
}

using Test = std::function<bool(QRgb)>;

// The box of the pixels that pass test within area (inclusive corners); empty when there are none.
QRect inkBox(const QImage& image, const Test& test = inked, QRect area = {}) {
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool rowHasInk(const QImage& image, int y, int x0, int x1) {
    for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
        if (inked(image.pixel(x, y))) return true;
    return false;
}

// Starting inside a band of ink on row y (within columns x0..x1), the white rows between that band and
// the next ink above it (step -1) or below it (step +1); INT_MAX when nothing follows.
int whiteRowsBeside(const QImage& image, int y, int x0, int x1, int step) {
    while (y >= 0 && y < image.height() && rowHasInk(image, y, x0, x1))
        y += step;
    int white = 0;
    for (; y >= 0 && y < image.height(); y += step, ++white)
        if (rowHasInk(image, y, x0, x1)) return white;
    return INT_MAX;
}

// The node with this text, occurrence-th in pre-order (node, first, second, third, next).
const expr::ExprNode* nodeOf(const expr::ExprNode* node, const std::string& text, int& occurrence) {
    if (!node) return nullptr;
    if (node->text == text && occurrence-- == 0) return node;
    for (const expr::ExprNode* child :
         {node->first.get(), node->second.get(), node->third.get(), node->next.get()})
        if (const expr::ExprNode* found = nodeOf(child, text, occurrence)) return found;
    return nullptr;
}
const expr::ExprNode& node(const Picture& p, const std::string& text, int occurrence = 0) {
    const expr::ExprNode* found = nodeOf(p.formula.root(), text, occurrence);
    EXPECT_NE(found, nullptr) << text;
    static const expr::ExprNode none("");
    return found ? *found : none;
}

// Where the overbar of a root starts: the radicand's left.
int stemOf(const expr::ExprNode& root) {
    return static_cast<int>(root.left + 0.4 * root.headHeight);
}

TEST(InkMarginTest, NoInkInTheMarginAtAnySize) {
    for (const char* markup : kFormulas)
        for (int size : kSizes) {
            const Picture p = render(markup, size);
            ASSERT_FALSE(p.image.isNull()) << markup;
            const QRect ink = inkBox(p.image);
            ASSERT_FALSE(ink.isNull()) << markup << " draws nothing";
            EXPECT_GE(ink.left(), 5) << markup << " at " << size;
            EXPECT_GE(ink.top(), 5) << markup << " at " << size;
            EXPECT_LE(ink.right(), p.image.width() - 6) << markup << " at " << size;
            EXPECT_LE(ink.bottom(), p.image.height() - 6) << markup << " at " << size;
        }
    // The signs drawn to the size of their content, at every size up to 300.
    for (const char* markup :
         {"sqrt(x)", "vec(AB)", "ing1(a;b,x,x)", "lak(2,con(1,x,x>0);sqrt(x))", "abs(x)"})
        for (int size = 16; size <= 300; size += size < 64 ? 4 : 20) {
            const Picture p = render(markup, size);
            const QRect ink = inkBox(p.image);
            EXPECT_TRUE(ink.left() >= 5 && ink.top() >= 5 && ink.right() <= p.image.width() - 6 &&
                        ink.bottom() <= p.image.height() - 6)
                << markup << " at " << size;
        }
}

TEST(InkMarginTest, BitmapShowsTheInkOfItsSvg) {
    auto check = [](const char* markup, int size, bool italic) {
        Picture p = render(markup, size, false, italic);
        const QRect bitmap = inkBox(p.image, dark), vector = inkBox(rasterizedSvg(p), dark);
        const QString where = QStringLiteral("%1 at %2%3").arg(markup).arg(size).arg(italic ? " italic" : "");
        EXPECT_LE(std::abs(bitmap.left() - vector.left()), 1) << where.toStdString();
        EXPECT_LE(std::abs(bitmap.top() - vector.top()), 1) << where.toStdString();
        EXPECT_LE(std::abs(bitmap.right() - vector.right()), 1) << where.toStdString();
        EXPECT_LE(std::abs(bitmap.bottom() - vector.bottom()), 1) << where.toStdString();
    };
    for (const char* markup : kFormulas)
        for (int size : kSizes)
            check(markup, size, false);
    // Italic letters keep their slant and hooks in the bitmap too: labels are not cut at the advance.
    for (const char* markup : {"x_f_j", "tab(f,j,x)", "cub(f,2)"})
        for (int size : kSizes)
            check(markup, size, true);
}

TEST(InkMarginTest, RadicalStaysInsideItsBox) {
    for (int size : kSizes) {
        const int s = strokeAt(size);
        {
            // The point of the radical clears the fraction bar under it.
            const Picture p = render("x=(-b±sqrt(b*b-4*a*c))/(2*a)", size);
            const expr::ExprNode &bar = node(p, "div"), &root = node(p, "sqrt");
            EXPECT_GE(whiteRowsBeside(p.image, bar.axis, root.left, stemOf(root), -1), 1) << size;
        }
        {
            // In √a/√b the point of √a and the overbar of √b keep white rows from the bar between them.
            const Picture p = render("sqrt(a/b)=sqrt(a)/sqrt(b)", size);
            const expr::ExprNode &bar = node(p, "div", 1), &above = node(p, "sqrt", 1),
                                 &below = node(p, "sqrt", 2);
            EXPECT_GE(whiteRowsBeside(p.image, bar.axis, above.left, stemOf(above), -1), 1) << size;
            EXPECT_GE(whiteRowsBeside(p.image, bar.axis, stemOf(below), below.left + below.width, +1), 1)
                << size;
        }
        {
            // Nested overbars stay apart by more than a white row.
            const Picture p = render("sqrt(sqrt(x)+1)", size);
            const expr::ExprNode& inner = node(p, "sqrt", 1);
            const int x0 = stemOf(inner) + 1, x1 = inner.left + inner.width;
            const QRect outerBar = inkBox(p.image, inked, QRect(x0, 0, x1 - x0, p.image.height()));
            EXPECT_GE(whiteRowsBeside(p.image, outerBar.top(), x0, x1, +1), std::max(1, s / 2)) << size;
        }
        for (const char* markup : {"ext(x,n)", "ext(x+1,3)"}) {
            // The degree's ink (black) clears the sign (red) by a stroke on every row they share.
            const Picture p = render(markup, size, true);
            const expr::ExprNode& root = node(p, "ext");
            int gap = INT_MAX;
            for (int y = 0; y < p.image.height(); ++y) {
                int degree = -1, sign = -1;
                for (int x = 0; x < stemOf(root); ++x)
                    if (black(p.image.pixel(x, y))) degree = x;
                for (int x = degree + 1; degree >= 0 && x <= stemOf(root) && sign < 0; ++x)
                    if (inked(p.image.pixel(x, y))) sign = x;
                if (degree >= 0 && sign >= 0) gap = std::min(gap, sign - degree - 1);
            }
            EXPECT_GE(gap, s) << markup << " at " << size;
        }
    }
}

TEST(InkMarginTest, BarsOfAnAbsoluteValueShareTheirWidthEvenly) {
    for (int size : kSizes) {
        const int em = size * 4 / 3;
        {
            // The numerator between its bars sits on the middle of the fraction bar and keeps white rows
            // above it.
            const Picture p = render("abs(x-1)/(x+1)", size);
            const expr::ExprNode& bar = node(p, "div");
            const QRect numerator =
                inkBox(p.image, inked, QRect(0, 0, p.image.width(), bar.axis - 2 * strokeAt(size)));
            const QRect rule = inkBox(p.image, inked, QRect(0, bar.axis, p.image.width(), 1));
            EXPECT_LE(std::abs(numerator.center().x() - rule.center().x()), 1) << size;
            EXPECT_GE(whiteRowsBeside(p.image, bar.axis, numerator.left(), numerator.right() + 1, -1), 1)
                << size;
        }
        {
            // Nested bars stand a quarter em apart at least, so they do not read as ‖.
            const Picture p = render("abs(abs(x)-abs(x-1))", size);
            const expr::ExprNode& inner = node(p, "abs", 1);
            const int row = inner.axis;
            int first = -1, second = -1, x = 0;
            for (; x < p.image.width() && !dark(p.image.pixel(x, row)); ++x) {
            }
            first = x;
            for (; x < p.image.width() && dark(p.image.pixel(x, row)); ++x) {
            }
            for (; x < p.image.width() && !dark(p.image.pixel(x, row)); ++x) {
            }
            second = x;
            EXPECT_GE(second - first - strokeAt(size), em / 4) << size;
        }
    }
}

TEST(InkMarginTest, MinusIsTheRuleOfThePlus) {
    for (int size : {16, 24, 48, 100, 200}) {
        const Picture p = render("1+1-1", size, true);
        const expr::ExprNode &plus = node(p, "add"), &minus = node(p, "sub");
        // The rows where each rule covers at least half a pixel: the plus's at its left arm, away from its
        // stem, the minus's at its middle.
        auto rows = [&](int x) {
            std::vector<int> found;
            for (int y = 0; y < p.image.height(); ++y)
                if (red(p.image.pixel(x, y)) && dark(p.image.pixel(x, y))) found.push_back(y);
            return found;
        };
        const QRect plusInk = inkBox(p.image, red, QRect(plus.left, 0, plus.headWidth, p.image.height()));
        const QRect minusInk = inkBox(p.image, red, QRect(minus.left, 0, minus.headWidth, p.image.height()));
        const std::vector<int> plusRows = rows(plusInk.left() + plusInk.width() / 6);
        EXPECT_FALSE(plusRows.empty()) << size;
        EXPECT_EQ(rows(minusInk.center().x()), plusRows) << size;
        // Over the hyphen's whole advance, no further.
        EXPECT_GE(minusInk.width(), minus.headWidth - 1) << size;
        EXPECT_LE(minusInk.width(), minus.headWidth) << size;
    }
}

TEST(InkMarginTest, BraceOfASystemIsNoHairline) {
    for (int size : kSizes) {
        const int s = strokeAt(size);
        const Picture p = render("lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)", size, true);
        const QRect brace = inkBox(p.image, blue);
        // The ink across each row of the brace, in pixels: at least a stroke everywhere but at the very
        // ends, one and a half strokes along most of the arms.
        int thick = 0, rows = 0;
        for (int y = brace.top(); y <= brace.bottom(); ++y, ++rows) {
            double across = 0;
            for (int x = brace.left(); x <= brace.right(); ++x)
                if (blue(p.image.pixel(x, y))) across += coverage(p.image.pixel(x, y));
            if (across >= 1.5 * s) ++thick;
            if (y > brace.top() + 2 * s && y < brace.bottom() - 2 * s) {
                EXPECT_GE(across, 0.9 * s) << size << " row " << y;
            }
        }
        EXPECT_GE(thick * 3, rows * 2)
            << "arms of one and a half strokes along most of the brace at " << size;
    }
}

TEST(InkMarginTest, DerivativeBarSpansItsParts) {
    for (int size : kSizes) {
        for (const char* markup : {"derive(y,x)", "pderive(y,x)"}) {
            const Picture p = render(markup, size);
            const expr::ExprNode& d = *p.formula.root();
            const QRect rule = inkBox(p.image, inked, QRect(0, d.axis, p.image.width(), 1));
            const int s = strokeAt(size);
            const QRect above = inkBox(p.image, inked, QRect(0, 0, p.image.width(), d.axis - s));
            const QRect below =
                inkBox(p.image, inked, QRect(0, d.axis + s, p.image.width(), p.image.height()));
            // Centred as boxes are: within the side bearings of the glyphs (a fiftieth of the em).
            const int tolerance = std::max(1, size * 4 / 3 / 50);
            EXPECT_LE(std::abs(above.center().x() - rule.center().x()), tolerance)
                << markup << " at " << size;
            EXPECT_LE(std::abs(below.center().x() - rule.center().x()), tolerance)
                << markup << " at " << size;
            EXPECT_GE(whiteRowsBeside(p.image, d.axis, above.left(), above.right() + 1, -1), 1)
                << markup << size;
        }
    }
}

TEST(InkMarginTest, IntegralIsSlantedAndClearOfItsBounds) {
    for (int size : kSizes) {
        const Picture p = render("ing1(a;b,x,x)", size, true);
        const expr::ExprNode& integral = *p.formula.root();
        const QRect sign =
            inkBox(p.image, red, QRect(integral.left, 0, integral.headWidth, p.image.height()));
        // Slanted: the top's ink reaches further right than the bottom's.
        const int quarter = sign.height() / 4;
        const QRect top = inkBox(p.image, red, QRect(sign.left(), sign.top(), sign.width(), quarter));
        const QRect bottom =
            inkBox(p.image, red, QRect(sign.left(), sign.bottom() - quarter, sign.width(), quarter));
        EXPECT_GT(top.right(), bottom.right()) << size;
        EXPECT_GT(top.left(), bottom.left()) << size;
        // Clear of the bounds: a white column between the sign and the upper bound, on its rows.
        const QRect upper = inkBox(
            p.image, black, QRect(sign.right() - sign.width() / 2, 0, p.image.width(), sign.top() + quarter));
        ASSERT_FALSE(upper.isNull()) << size;
        EXPECT_GE(upper.left() -
                      inkBox(p.image, red, QRect(0, upper.top(), p.image.width(), upper.height())).right(),
                  2)
            << size;
    }
}

TEST(InkMarginTest, ItalicExponentClearsTheBase) {
    for (int size : kSizes) {
        const Picture p = render("cub(f,2)", size, false, true);
        const expr::ExprNode& two = node(p, "2");
        // On the exponent's rows the base's ink and the exponent's ink are separate column runs.
        const QRect rows(0, two.axis - two.height / 2, p.image.width(), two.height);
        int runs = 0;
        bool inRun = false;
        for (int x = 0; x < p.image.width(); ++x) {
            bool any = false;
            for (int y = std::max(0, rows.top()); y <= std::min(p.image.height() - 1, rows.bottom()) && !any;
                 ++y)
                any = inked(p.image.pixel(x, y));
            if (any && !inRun) ++runs;
            inRun = any;
        }
        EXPECT_GE(runs, 2) << size;
    }
}

TEST(InkMarginTest, SvgAndPdfNameTheSumProductAndPartial) {
    FormulaStyle style;
    TypesetFormula formula =
        typesetMarkup("sum(i=0,n,x_ _i)+prod(i=0,n,x_ _i)+pderive(y,x)", style, sharedCache());
    const QString svg = QString::fromUtf8(renderFormulaSvg(formula, sharedCache()));
    for (const QString& sign : {QStringLiteral("∑"), QStringLiteral("∏"), QStringLiteral("∂")})
        EXPECT_TRUE(svg.contains(sign)) << sign.toStdString();
    for (const QString& lookAlike : {QStringLiteral("Σ"), QStringLiteral("П"), QStringLiteral("δ")})
        EXPECT_FALSE(svg.contains(lookAlike)) << lookAlike.toStdString();
    // The PDF's text maps its glyphs back to the characters.
    const QByteArray pdf = renderFormulaPdf(formula, sharedCache());
    for (const char* code : {"<2211>", "<220F>", "<2202>"})
        EXPECT_TRUE(pdf.contains(code)) << code;
    for (const char* code : {"<03A3>", "<041F>", "<03B4>"})
        EXPECT_FALSE(pdf.contains(code)) << code;
}

TEST(InkMarginTest, BracketAroundTallContentSpansItsHeight) {
    // (x/2+1): the bracket's ink in its own column reaches from near the fraction's top to its bottom.
    const Picture p = render("(x/2+1)", 48);
    const QRect all = inkBox(p.image);
    const QRect bracket = inkBox(p.image, inked, QRect(all.left(), 0, 10, p.image.height()));
    ASSERT_FALSE(bracket.isNull());
    EXPECT_GE(bracket.height(), all.height() * 8 / 10) << "the bracket spans the content";
}

} // namespace
} // namespace quorvel::typeset
