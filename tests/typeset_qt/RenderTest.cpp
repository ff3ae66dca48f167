// Real renders through QtCanvas on the offscreen platform.
#include "SharedTextCache.h"
#include "expr/Parser.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/QtCanvas.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace quorvel::typeset {
namespace {

// Every example of the editor's keypad, as its buttons insert them.
const char* const kKeypadExamples[] = {"sin(x)",
                                       "cos(x)",
                                       "tg(x)",
                                       "ctg(x)",
                                       "arcsin(x)",
                                       "arccos(x)",
                                       "arctg(x)",
                                       "arcctg(x)",
                                       "ext(x,n)",
                                       "cub(x,n)",
                                       "sqrt(x)",
                                       "cub(x,2)",
                                       "exp(x)",
                                       "ln(x)",
                                       "ind(a,x)",
                                       "log(a,b)",
                                       "ind(10,x)",
                                       "lg(x)",
                                       "(x)",
                                       "[x]",
                                       "abs(x)",
                                       "{x}",
                                       "7!",
                                       "P(n,k)",
                                       "C(n,k)",
                                       "50%",
                                       "a⊥b",
                                       "a≌b",
                                       "a∥b",
                                       "a∽b",
                                       "ing1(a;b,x,x)",
                                       "lim(x,∞,f(x))",
                                       "vec(AB)",
                                       "sum(i=0,n,x_ _i)",
                                       "prod(i=0,n,x_ _i)",
                                       "derive(y,x)",
                                       "pderive(y,x)",
                                       "f(x)=con(1,x,x>0)",
                                       "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
                                       "lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)",
                                       "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
                                       "range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)",
                                       "Y =A*cub(X,2)+B*X+C",
                                       "cub(a/b,2)",
                                       "sin((x+1))",
                                       "cub(sin(x),2)",
                                       "log(2,x+1)",
                                       "ext(a+b,3)/2",
                                       "-x±y"};

TypesetFormula typeset(const char* markup, int size = 16) {
    FormulaStyle style;
    style.fontSize = size;
    std::string refusal;
    TypesetFormula f = typesetMarkup(markup, style, sharedCache(), &refusal);
    EXPECT_TRUE(refusal.empty()) << markup << ": " << refusal;
    return f;
}

int darkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++count;
    return count;
}

TEST(RenderTest, EveryKeypadExampleRendersInkInsideItsPicture) {
    const QString dir = QStringLiteral(QUORVEL_RENDER_DIR "/keypad");
    QDir().mkpath(dir);
    QList<QImage> images;
    int index = 0;
    for (const char* markup : kKeypadExamples) {
        TypesetFormula formula = typeset(markup, 24);
        ASSERT_FALSE(formula.empty()) << markup;
        const QImage image = renderFormulaImage(formula, sharedCache());
        ASSERT_FALSE(image.isNull()) << markup;
        EXPECT_EQ(image.width(), formula.pictureWidth()) << markup;
        EXPECT_EQ(image.height(), formula.pictureHeight()) << markup;
        EXPECT_GT(darkPixels(image, image.rect()), 10) << markup;
        image.save(QStringLiteral("%1/%2.png").arg(dir).arg(++index, 2, 10, QLatin1Char('0')));
        images << image;
    }
    // Sheets of ten examples each, to look at.
    for (qsizetype first = 0; first < images.size(); first += 10) {
        const auto group = images.mid(first, 10);
        int width = 0, height = 0;
        for (const QImage& image : group) {
            width = std::max(width, image.width());
            height += image.height() + 4;
        }
        QImage sheet(width, height, QImage::Format_RGB32);
        sheet.fill(QColor(220, 220, 220));
        QPainter painter(&sheet);
        int y = 0;
        for (const QImage& image : group) {
            painter.drawImage(0, y, image);
            y += image.height() + 4;
        }
        painter.end();
        EXPECT_TRUE(sheet.save(QStringLiteral("%1/sheet%2.png").arg(dir).arg(first / 10 + 1)));
    }
}

TEST(RenderTest, FractionBarLiesOnTheAxisRow) {
    TypesetFormula formula = typeset("a/b", 20);
    const QImage image = renderFormulaImage(formula, sharedCache());
    const expr::ExprNode* root = formula.root();
    // Drawing recorded where the bar went: a full dark row from left to left + width.
    const QRect bar(root->left, root->axis, root->width, 1);
    EXPECT_GE(darkPixels(image, bar), root->width - 1);
    EXPECT_LT(darkPixels(image, bar.translated(0, -1)), root->width / 2) << "the row above is no bar";
    // The numerator inks above the bar, the denominator below.
    EXPECT_GT(darkPixels(image, QRect(0, 0, image.width(), root->axis - 1)), 5);
    EXPECT_GT(darkPixels(image, QRect(0, root->axis + 2, image.width(), image.height())), 5);
}

TEST(RenderTest, ColoursByTokenClass) {
    FormulaStyle style;
    style.fontSize = 28;
    style.colors.variableColor = rgb(0, 0, 255);
    style.colors.operatorColor = rgb(255, 0, 0);
    TypesetFormula formula = typesetMarkup("x/y", style, sharedCache());
    const QImage image = renderFormulaImage(formula, sharedCache());
    const expr::ExprNode* root = formula.root();
    EXPECT_EQ(QColor(image.pixel(root->left + root->width / 2, root->axis)), QColor(255, 0, 0));
    bool blue = false;
    for (int y = 0; y < root->axis - 2 && !blue; ++y)
        for (int x = 0; x < image.width() && !blue; ++x) {
            const QColor c(image.pixel(x, y));
            blue = c.blue() > 150 && c.red() < 100;
        }
    EXPECT_TRUE(blue) << "the numerator in the variable colour";
}

TEST(RenderTest, SvgIsValidXmlWithTextAndLines) {
    TypesetFormula formula = typeset("sqrt(x)+a/b");
    const QByteArray svg = renderFormulaSvg(formula, sharedCache());
    ASSERT_FALSE(svg.isEmpty());
    QXmlStreamReader xml(svg);
    int texts = 0, shapes = 0;
    QString allText;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("text")) {
                ++texts;
                allText += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path") ||
                       xml.name() == QLatin1String("line")) {
                ++shapes;
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GE(texts, 4);
    EXPECT_GE(shapes, 2) << "the radical and the fraction bar";
    EXPECT_TRUE(allText.contains('x'));
    EXPECT_TRUE(allText.contains('+'));
}

TEST(RenderTest, SvgShowsTheSamePictureAsTheBitmap) {
    TypesetFormula formula = typeset("lak(2,con(1,a/b,x>0);sqrt(x))", 24);
    const QImage bitmap = renderFormulaImage(formula, sharedCache());
    QSvgRenderer renderer(renderFormulaSvg(formula, sharedCache()));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), bitmap.size());
    QImage vector(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    vector.fill(Qt::white);
    QPainter painter(&vector);
    renderer.render(&painter);
    painter.end();
    vector.save(QStringLiteral(QUORVEL_RENDER_DIR "/svg-rasterized.png"));
    const int inkBitmap = darkPixels(bitmap, bitmap.rect());
    const int inkVector = darkPixels(vector, vector.rect());
    EXPECT_GT(inkVector, inkBitmap * 6 / 10);
    EXPECT_LT(inkVector, inkBitmap * 14 / 10);
    // The fraction bar is on the same row in both.
    const expr::ExprNode* bar = formula.root()->second->second.get();
    ASSERT_EQ(bar->text, "div");
    const QRect row(bar->left, bar->axis, bar->width, 1);
    EXPECT_GE(darkPixels(vector, row.adjusted(0, -1, 0, 1)), bar->width - 2);
}

TEST(RenderTest, PdfIsOnePageOfThePictureSize) {
    TypesetFormula formula = typeset("sum(i=0,n,x_ _i)");
    const QByteArray pdf = renderFormulaPdf(formula, sharedCache());
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}

TEST(RenderTest, WritesEveryFormatAndRefusesOthers) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TypesetFormula formula = typeset("x+1");
    for (const char* name : {"f.png", "f.BMP", "f.svg", "f.pdf"}) {
        QString error;
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeFormulaPicture(formula, sharedCache(), path, &error)) << name << error.toStdString();
        EXPECT_GT(QFile(path).size(), 100) << name;
    }
    EXPECT_FALSE(QImage(dir.filePath("f.BMP")).hasAlphaChannel());
    QImage png(dir.filePath("f.png"));
    EXPECT_EQ(png.size(), QSize(formula.pictureWidth(), formula.pictureHeight()));

    QString error;
    EXPECT_FALSE(writeFormulaPicture(formula, sharedCache(), dir.filePath("f.emf"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFormulaPicture(formula, sharedCache(), dir.filePath("missing/f.png"), &error));
    TypesetFormula empty;
    EXPECT_FALSE(writeFormulaPicture(empty, sharedCache(), dir.filePath("e.png"), &error));
    EXPECT_FALSE(QFile::exists(dir.filePath("e.png")));
}

TEST(RenderTest, AFailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.png");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    TypesetFormula empty;
    QString error;
    EXPECT_FALSE(writeFormulaPicture(empty, sharedCache(), path, &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST(RenderBadInputTest, HugeFontSizeGivesABoundedPicture) {
    FormulaStyle style;
    style.fontSize = 10000;
    TypesetFormula formula = typesetMarkup("lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
                                           style, sharedCache());
    PictureOptions options;
    options.maxPixels = 4'000'000;
    const QImage image = renderFormulaImage(formula, sharedCache(), options);
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(qint64(image.width()) * image.height(), 4'000'000 + image.width() + image.height() + 1);
    EXPECT_GT(darkPixels(image, image.rect()), 100) << "drawn scaled down, not blank";
}

TEST(RenderBadInputTest, FontSizeZeroAndMissingFaceStillRender) {
    for (const auto& [size, face] : {std::pair{0, "Times New Roman"}, std::pair{16, "No Such Face 4711"}}) {
        FormulaStyle style;
        style.fontSize = size;
        style.fontName = face;
        TypesetFormula formula = typesetMarkup("x+1", style, sharedCache());
        const QImage image = renderFormulaImage(formula, sharedCache());
        EXPECT_FALSE(image.isNull()) << size << face;
    }
}

TEST(RenderBadInputTest, MatrixAtTheEngineLimitsRenders) {
    std::string cells;
    for (int i = 0; i < 100 * 100; ++i)
        cells += (i ? ";" : "") + std::to_string(i % 10);
    TypesetFormula formula = typeset(("matrix(100,100," + cells + ")").c_str(), 8);
    ASSERT_FALSE(formula.empty());
    const QImage image = renderFormulaImage(formula, sharedCache());
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(formula.pictureWidth(), 100 * 10);
}

TEST(PictureScaleTest, FitsTheLimits) {
    PictureOptions options;
    options.maxSide = 1000;
    options.maxPixels = 250'000;
    EXPECT_DOUBLE_EQ(pictureScale(100, 100, options), 1.0);
    EXPECT_DOUBLE_EQ(pictureScale(2000, 10, options), 0.5);
    EXPECT_NEAR(pictureScale(1000, 1000, options), 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(pictureScale(0, 0, options), 1.0);
}

} // namespace
} // namespace quorvel::typeset
