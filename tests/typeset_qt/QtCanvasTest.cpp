#include "typeset/qt/QtCanvas.h"
#include "typeset/SystemColor.h"
#include "typeset/Typesetter.h"
#include "typeset/qt/ColorConversion.h"
#include "typeset/qt/FontSetup.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <optional>

namespace quorvel::typeset {
namespace {

QImage whiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool rowHasInk(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if (qRed(image.pixel(x, y)) < 128) return true;
    return false;
}

std::optional<QRect> inkBounds(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) box = box.united(QRect(x, y, 1, 1));
    if (box.isNull()) return std::nullopt;
    return box;
}

TEST(QtCanvasTest, PointSizesConvertAtNinetySixPixelsPerInch) {
    QtCanvas canvas;
    canvas.setFontSize(16);
    EXPECT_EQ(canvas.fontPixelHeight(), 21);
    EXPECT_EQ(canvas.fontSize(), 16);
    canvas.setFontSize(9);
    EXPECT_EQ(canvas.fontPixelHeight(), 12);
    canvas.setFontPixelHeight(42);
    EXPECT_EQ(canvas.fontPixelHeight(), 42);
    EXPECT_EQ(canvas.fontSize(), 32);
}

TEST(QtCanvasTest, SizesOutsideTheRenderableRangeAreClamped) {
    QtCanvas canvas;
    canvas.setFontSize(0);
    EXPECT_EQ(canvas.fontSize(), QtCanvas::kMinPoints);
    EXPECT_GT(canvas.textHeight("x"), 0);
    canvas.setFontSize(-7);
    EXPECT_EQ(canvas.fontSize(), QtCanvas::kMinPoints);
    canvas.setFontSize(10000);
    EXPECT_EQ(canvas.fontSize(), QtCanvas::kMaxPoints);
    canvas.setFontPixelHeight(5'000'000);
    EXPECT_EQ(canvas.fontPixelHeight(), QtCanvas::kMaxPixelHeight);
    canvas.setFontPixelHeight(0);
    EXPECT_EQ(canvas.fontPixelHeight(), 1);
}

TEST(QtCanvasTest, MetricsFollowTheFont) {
    QtCanvas canvas;
    canvas.setFontName("Times New Roman");
    canvas.setFontSize(16);
    const int x = canvas.textWidth("x");
    const int h = canvas.textHeight("x");
    EXPECT_GT(x, 0);
    EXPECT_GE(h, 21); // the cell holds at least the em height
    EXPECT_EQ(canvas.textHeight("Σ"), h) << "the text height is the font's, whatever the text";
    EXPECT_EQ(canvas.textWidth(""), 0);
    EXPECT_NEAR(canvas.textWidth("xxxx"), 4 * x, 2);
    canvas.setFontSize(32);
    EXPECT_NEAR(canvas.textWidth("x"), 2 * x, 2);
    EXPECT_GT(canvas.textHeight("x"), h);
}

// Qt's fixed-point advances wrap past 2^25 pixels; a long line of a large font must still measure as a
// growing, non-negative width, clamped at 2^24.
TEST(QtCanvasTest, LongTextWidthsNeverWrapAndStayClamped) {
    QtCanvas canvas;
    canvas.setFontName("Times New Roman");
    canvas.setFontSize(500);
    const int one = canvas.textWidth("W");
    ASSERT_GT(one, 0);
    struct Row {
        int count;
        long long expected; // before the clamp
    };
    for (const Row& r : {Row{2000, 2000LL * one}, Row{20000, 20000LL * one}, Row{30000, 30000LL * one},
                         Row{70000, 70000LL * one}}) {
        const int width = canvas.textWidth(std::string(static_cast<std::size_t>(r.count), 'W'));
        const long long wanted = std::min<long long>(r.expected, kMaxTextExtent);
        EXPECT_NEAR(width, wanted, wanted / 100 + 2) << r.count;
        EXPECT_LE(width, kMaxTextExtent) << r.count;
        EXPECT_EQ(canvas.textHeight(std::string(static_cast<std::size_t>(r.count), 'W')),
                  canvas.textHeight("W"));
    }
}

TEST(QtCanvasTest, AFaceThatIsNotInstalledFallsBackAndStillMeasures) {
    QtCanvas canvas;
    canvas.setFontName("No Such Face 4711");
    canvas.setFontSize(16);
    EXPECT_GT(canvas.textWidth("abc"), 0);
    EXPECT_GT(canvas.textHeight("abc"), 0);
    QImage image = whiteImage(80, 40);
    {
        QtCanvas painting(image);
        painting.setFontName("No Such Face 4711");
        painting.setFontSize(16);
        painting.textOut(2, 2, "abc");
    }
    EXPECT_TRUE(inkBounds(image).has_value());
}

TEST(QtCanvasTest, CanvasesSharingACacheAgree) {
    auto cache = std::make_shared<QtTextCache>();
    QtCanvas a(cache);
    QtCanvas b(cache);
    a.setFontSize(16);
    b.setFontSize(16);
    EXPECT_EQ(a.textWidth("sin"), b.textWidth("sin"));
    EXPECT_EQ(a.inkRow("Σ", 30, 30, 1), b.inkRow("Σ", 30, 30, 1));
}

TEST(QtCanvasTest, TextIsDrawnWithItsTopLeftCornerAtThePoint) {
    QImage image = whiteImage(120, 80);
    int w = 0, h = 0;
    {
        QtCanvas canvas(image);
        canvas.setFontSize(20);
        canvas.setFontColor(kBlack);
        canvas.setBrush(kWhite, BrushStyle::Clear);
        w = canvas.textWidth("Hx");
        h = canvas.textHeight("Hx");
        canvas.textOut(30, 20, "Hx");
    }
    const auto ink = inkBounds(image);
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->left(), 29);
    EXPECT_GE(ink->top(), 20);
    EXPECT_LE(ink->right(), 30 + w + 1);
    EXPECT_LE(ink->bottom(), 20 + h);
}

TEST(QtCanvasTest, ASolidBrushFillsTheTextCell) {
    QImage image = whiteImage(60, 40);
    {
        QtCanvas canvas(image);
        canvas.setFontSize(12);
        canvas.setBrush(rgb(255, 0, 0), BrushStyle::Solid);
        canvas.textOut(5, 5, "a");
    }
    EXPECT_EQ(QColor(image.pixel(6, 6)), QColor(255, 0, 0));
}

TEST(QtCanvasTest, ClippedTextStaysInsideItsRectangle) {
    QImage image = whiteImage(100, 60);
    {
        QtCanvas canvas(image);
        canvas.setFontSize(24);
        canvas.textRect(Rect{10, 10, 20, 60}, 10, 10, "MMMM");
    }
    const auto ink = inkBounds(image);
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->left(), 10);
    EXPECT_LE(ink->right(), 19);
}

TEST(QtCanvasTest, LinesAndShapesLandOnTheirPixels) {
    QImage image = whiteImage(50, 50);
    {
        QtCanvas canvas(image);
        canvas.setPen(rgb(0, 0, 255), 1, PenStyle::Solid);
        canvas.line(5, 10, 40, 10);
        canvas.setBrush(rgb(0, 255, 0), BrushStyle::Solid);
        canvas.setPen(kBlack, 1, PenStyle::Clear);
        canvas.rectangle(Rect{20, 20, 30, 30});
    }
    EXPECT_EQ(QColor(image.pixel(5, 10)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(40, 10)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(20, 9)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(20, 11)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(20, 20)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(image.pixel(29, 29)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(Qt::white)) << "right and bottom are exclusive";
}

TEST(QtCanvasTest, OutlinedRectangleCoversLeftToRightMinusOne) {
    QImage image = whiteImage(30, 30);
    {
        QtCanvas canvas(image);
        canvas.setPen(kBlack, 1, PenStyle::Solid);
        canvas.setBrush(kWhite, BrushStyle::Clear);
        canvas.rectangle(Rect{5, 5, 15, 15});
    }
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(14, 14)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(15, 15)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(Qt::white));
}

TEST(QtCanvasTest, HugeCoordinatesDoNotUpsetTheRasterizer) {
    QImage image = whiteImage(40, 40);
    {
        QtCanvas canvas(image);
        canvas.setPen(kBlack, 1, PenStyle::Solid);
        canvas.line(-2'000'000'000, 20, 2'000'000'000, 20);
        canvas.textOut(2'000'000'000, -2'000'000'000, "x");
        canvas.polyline({{0, 0}});
    }
    EXPECT_TRUE(rowHasInk(image, 20));
}

// Straight thin lines take a quicker way than the raster engine's stroker; the pixels must not change.
TEST(QtCanvasTest, StraightLinesCoverTheSamePixelsAsTheRasterEngine) {
    struct Row {
        int x1, y1, x2, y2, width;
        PenStyle style;
        double scale; // of the painter the canvas draws with
    };
    const Row rows[] = {
        {5, 0, 5, 30, 1, PenStyle::Solid, 1},     // a grid column down to the last row but one
        {0, 7, 40, 7, 1, PenStyle::Solid, 1},     // a grid row one past the right edge
        {20, 25, 20, 3, 1, PenStyle::Solid, 1},   // drawn upwards
        {33, 9, 2, 9, 0, PenStyle::Solid, 1},     // drawn leftwards, width 0
        {-10, 12, 60, 12, 1, PenStyle::Solid, 1}, // through the picture
        {39, -5, 39, 50, 1, PenStyle::Solid, 1},  // the last column
        {50, 5, 50, 20, 1, PenStyle::Solid, 1},   // beside the picture
        {0, 0, 0, 0, 1, PenStyle::Solid, 1},      // one point
        {3, 3, 30, 20, 1, PenStyle::Solid, 1},    // slanted
        {4, 2, 4, 28, 2, PenStyle::Solid, 1},     // wide
        {1, 15, 38, 15, 1, PenStyle::Dot, 1},     // dotted
        {6, 1, 6, 12, 1, PenStyle::Solid, 2},     // scaled, as when printing
    };
    for (const Row& r : rows) {
        QImage viaCanvas = whiteImage(40, 31);
        QImage viaQt = whiteImage(40, 31);
        {
            QPainter painter(&viaCanvas);
            painter.scale(r.scale, r.scale);
            QtCanvas canvas(painter);
            canvas.setPen(rgb(200, 30, 90), r.width, r.style);
            canvas.line(r.x1, r.y1, r.x2, r.y2);
        }
        {
            QPainter painter(&viaQt);
            painter.scale(r.scale, r.scale);
            QPen pen(QColor(200, 30, 90));
            pen.setWidth(std::max(1, r.width));
            pen.setStyle(r.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
            pen.setCapStyle(Qt::SquareCap);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.drawLine(r.x1, r.y1, r.x2, r.y2);
        }
        EXPECT_EQ(viaCanvas, viaQt) << r.x1 << "," << r.y1 << " - " << r.x2 << "," << r.y2;
    }
}

// Layout measures with a canvas that has no painter: its sizes must be those of the picture drawn.
TEST(QtCanvasTest, MeasuringCanvasMeasuresAsAPaintingOne) {
    QtCanvas measuring;
    EXPECT_EQ(measuring.painter(), nullptr);
    QImage image(40, 40, QImage::Format_ARGB32);
    QtCanvas painting(image);
    for (QtCanvas* canvas : {&measuring, &painting})
        canvas->setFontSize(16);
    for (const char* text : {"x", "Σ", "sin(x)"}) {
        EXPECT_GT(measuring.textWidth(text), 0) << text;
        EXPECT_EQ(measuring.textWidth(text), painting.textWidth(text)) << text;
        EXPECT_EQ(measuring.textHeight(text), painting.textHeight(text)) << text;
    }
}

TEST(QtCanvasInkRowTest, FindsTheInkOfAGlyphFromTopAndBottom) {
    QtCanvas canvas;
    canvas.setFontSize(16);
    const int h = canvas.textHeight("Σ");
    const int w = canvas.textWidth("Σ");
    const int top = canvas.inkRow("Σ", w, h, +1);
    const int bottom = canvas.inkRow("Σ", w, h, -1);
    EXPECT_GT(top, 0) << "the cell has room above the capital";
    EXPECT_GT(bottom, top + 8);
    EXPECT_LT(bottom, h);
    // A smaller box cuts the ink off: the last row with ink cannot lie below the box.
    EXPECT_LE(canvas.inkRow("Σ", w, top + 3, -1), top + 2);
}

TEST(QtCanvasInkRowTest, NoInkOrNoBoxGivesZero) {
    QtCanvas canvas;
    canvas.setFontSize(16);
    EXPECT_EQ(canvas.inkRow(" ", 20, 20, +1), 0);
    EXPECT_EQ(canvas.inkRow(" ", 20, 20, -1), 0);
    EXPECT_EQ(canvas.inkRow("", 20, 20, +1), 0);
    EXPECT_EQ(canvas.inkRow("Σ", 0, 20, +1), 0);
    EXPECT_EQ(canvas.inkRow("Σ", 20, -5, -1), 0);
}

TEST(QtCanvasInkRowTest, AHugeBoxDoesNotNeedAHugeBitmap) {
    QtCanvas canvas;
    canvas.setFontSize(16);
    const int h = canvas.textHeight("{");
    EXPECT_EQ(canvas.inkRow("{", 1'000'000, 1'000'000, -1), canvas.inkRow("{", 40, 2 * h, -1));
}

TEST(ColorConversionTest, RgbValuesHaveRedInTheLowestByte) {
    const QPalette palette;
    EXPECT_EQ(toQColor(rgb(10, 20, 30), palette), QColor(10, 20, 30));
    EXPECT_EQ(toQColor(0x0000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(fromQColor(QColor(10, 20, 30)), rgb(10, 20, 30));
    EXPECT_EQ(fromQColor(QColor(255, 0, 0, 7)), 0x0000FF) << "alpha is dropped";
    for (Color c : {kBlack, kWhite, rgb(1, 2, 3), rgb(255, 128, 0)})
        EXPECT_EQ(fromQColor(toQColor(c, palette)), c);
}

TEST(ColorConversionTest, SystemColoursResolveThroughThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_TRUE(isSystemColor(kWindowTextColor));
    EXPECT_EQ(kWindowTextColor, -16777208) << "the value documents store for the window text colour";
    EXPECT_EQ(toQColor(kWindowTextColor, palette), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(kButtonFaceColor, palette), QColor(4, 5, 6));
    EXPECT_EQ(toQColor(kWindowColor, palette), QColor(7, 8, 9));
    EXPECT_EQ(toQColor(static_cast<Color>(0xFF0000C8u), palette), QColor(1, 2, 3)) << "unknown role";
}

TEST(ColorConversionTest, TheCanvasDrawsSystemColoursFromItsPalette) {
    QImage image = whiteImage(20, 20);
    {
        QtCanvas canvas(image);
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(200, 100, 50));
        canvas.setPalette(palette);
        canvas.setBrush(kButtonFaceColor, BrushStyle::Solid);
        canvas.fillRect(Rect{0, 0, 20, 20});
    }
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(200, 100, 50));
}

TEST(FontSetupTest, WindowsFacesReachInstalledFaces) {
    installFontSubstitutions();
    installFontSubstitutions(); // a second call changes nothing
    if (QFontDatabase::hasFamily("Liberation Serif")) {
        EXPECT_EQ(QFontInfo(QFont("Times New Roman")).family(), "Liberation Serif");
    }
    if (QFontDatabase::hasFamily("AR PL UMing CN")) {
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8("宋体"))).family(), "AR PL UMing CN");
        EXPECT_EQ(QFontInfo(QFont("SimSun")).family(), "AR PL UMing CN");
    }
    EXPECT_EQ(QFont::substitutes("Times New Roman").size(), 3);
}

TEST(FontSetupTest, FontListsOfferTheDefaultFaces) {
    const QStringList families = formulaFontFamilies();
    EXPECT_TRUE(families.contains("Times New Roman"));
    EXPECT_TRUE(families.contains(QString::fromUtf8("宋体")));
    EXPECT_EQ(families.count("Times New Roman"), 1);
    EXPECT_FALSE(isFontAvailable("No Such Face 4711"));
    EXPECT_TRUE(isFontAvailable("Times New Roman"));
}

} // namespace
} // namespace quorvel::typeset
