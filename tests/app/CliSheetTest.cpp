// quorvel-cli sheet: the headless picture of a document's sheet.
#include "AppTestSupport.h"

#include "codec/FunFile.h"
#include "document/Document.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using quorvel::apptest::CliRun;

CliRun cli(const QStringList& arguments) {
    return quorvel::apptest::runCli(QStringList{QStringLiteral("sheet")} + arguments);
}

const QByteArray kRectangular = "Quorvel Fun document, format 1\r\n"
                                "350.5##250\r\n100##100##60\r\n1##1##1\r\n0\r\n0\r\n";

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The content streams of a PDF, inflated: the page's drawing operators as text.
QByteArray pdfContents(const QByteArray& pdf) {
    QByteArray all;
    for (qsizetype at = pdf.indexOf(">>\nstream\n"); at >= 0; at = pdf.indexOf(">>\nstream\n", at + 1)) {
        const qsizetype begin = at + 10;
        const qsizetype end = pdf.indexOf("endstream", begin);
        if (end < 0) break;
        // qUncompress wants the inflated size in front; it grows the buffer when the guess is short.
        QByteArray framed(4, '\0');
        qToBigEndian<quint32>(quint32((end - begin) * 8), framed.data());
        all += qUncompress(framed + pdf.mid(begin, end - begin));
    }
    return all;
}

double number(const QRegularExpressionMatch& m, int group) {
    return m.captured(group).toDouble();
}

// The middle of the run of pixels in row y that have the colour rgb.
double runMiddle(const QImage& image, int y, QRgb rgb) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) == rgb) {
            if (first < 0) first = x;
            last = x;
        }
    return first < 0 ? -1 : (first + last + 1) / 2.0;
}

} // namespace

TEST(CliSheet, DrawsTheDocumentsCoordinateSystem) {
    QTemporaryDir dir;
    const QString doc = quorvel::apptest::writeFile(dir, QStringLiteral("rect.Fun"), kRectangular);
    const QString png = dir.filePath(QStringLiteral("sheet.png"));
    const CliRun run =
        cli({doc, QStringLiteral("-o"), png, QStringLiteral("--size"), QStringLiteral("640x480")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(640, 480));
    // The stored origin (350.5, 250) is used as it is, truncated to pixels.
    EXPECT_EQ(image.pixel(100, 250) & 0xFFFFFF, 0x141414u);
    EXPECT_EQ(image.pixel(350, 100) & 0xFFFFFF, 0x141414u);
    // Grid shown: a major vertical line one unit right of the origin, the y-unit marker above it.
    EXPECT_EQ(image.pixel(450, 120) & 0xFFFFFF, 0x646464u);
    EXPECT_EQ(image.pixel(347, 187) & 0xFFFFFF, 0x000000u);

    const QString defaultSize = dir.filePath(QStringLiteral("default.png"));
    ASSERT_EQ(cli({doc, QStringLiteral("-o"), defaultSize}).exitCode, 0);
    EXPECT_EQ(QImage(defaultSize).size(), QSize(800, 600));
}

TEST(CliSheet, RefusesBadInput) {
    QTemporaryDir dir;
    const QString doc = quorvel::apptest::writeFile(dir, QStringLiteral("rect.Fun"), kRectangular);
    const QString bad =
        quorvel::apptest::writeFile(dir, QStringLiteral("bad.Fun"), "x\r\nnot a document\r\n");
    const QString png = dir.filePath(QStringLiteral("out.png"));
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{doc}, 2, "usage"},
        {{doc, "-o"}, 2, "missing value"},
        {{doc, "-o", png, "--size", "0x10"}, 2, "invalid size"},
        {{doc, "-o", png, "--size", "800"}, 2, "invalid size"},
        {{doc, "-o", png, "--size", "99999x10"}, 2, "invalid size"},
        {{doc, "-o", dir.filePath("out.xyz")}, 2, "cannot write pictures"},
        {{bad, "-o", png}, 1, "该文件不是本软件的存储文件"},
        {{dir.filePath("missing.Fun"), "-o", png}, 1, "该文件不是本软件的存储文件"},
        {{doc, "-o", dir.filePath("no/such/folder/out.png")}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.says))) << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

// The PDF is drawn, not pasted: no bitmap in it, lines as path operators and labels as text, placed on
// the page where the bitmap puts them.
TEST(CliSheet, APdfHoldsVectorsInTheBitmapsGeometry) {
    QTemporaryDir dir;
    const QString doc = quorvel::apptest::writeFile(dir, QStringLiteral("rect.Fun"), kRectangular);
    const QString pdfPath = dir.filePath(QStringLiteral("sheet.pdf"));
    const QString pngPath = dir.filePath(QStringLiteral("sheet.png"));
    for (const QString& out : {pdfPath, pngPath}) {
        const CliRun run =
            cli({doc, QStringLiteral("-o"), out, QStringLiteral("--size"), QStringLiteral("640x480")});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    }
    const QByteArray pdf = contents(pdfPath);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    const QString page = QString::fromLatin1(pdfContents(pdf));
    EXPECT_TRUE(page.contains(QStringLiteral(" Tj"))); // the tick labels are text

    // Device pixels to points (with the page's margin), then the sheet's pixels to device pixels.
    const auto device =
        QRegularExpression(QStringLiteral("([\\d.]+) 0 0 -([\\d.]+) ([\\d.]+) ([\\d.]+) cm")).match(page);
    const auto sheet = QRegularExpression(QStringLiteral("\\n([\\d.]+) 0 0 \\1 0 0 cm")).match(page);
    // The vertical axis: two pixels wide, from the top of the sheet to its bottom.
    const auto axis =
        QRegularExpression(QStringLiteral("\\n2 w [^\\n]*\\n(?:.*\\n)*?([\\d.]+) 0 m\\n\\1 480 l"))
            .match(page);
    ASSERT_TRUE(device.hasMatch() && sheet.hasMatch() && axis.hasMatch()) << page.left(3000).toStdString();
    const double pointsPerPixel = number(device, 1) * number(sheet, 1);
    const double margin = number(device, 3);

    // A4 across, 10 mm margins: a 4:3 sheet is as high as the printable height and keeps its proportions.
    const double mm = 72 / 25.4;
    EXPECT_NEAR(margin, 10 * mm, 0.5); // the printable area is rounded to device pixels
    EXPECT_NEAR(pointsPerPixel * 480, 210 * mm - 20 * mm, 0.5);
    EXPECT_LE(pointsPerPixel * 640, 297 * mm - 20 * mm);

    // The axis lies where the bitmap has it, within one of the bitmap's pixels.
    const double pngAxis = runMiddle(QImage(pngPath), 100, 0x141414);
    ASSERT_GT(pngAxis, 0);
    EXPECT_NEAR(number(axis, 1) * pointsPerPixel, pngAxis * pointsPerPixel, pointsPerPixel);
}

// An SVG keeps lines and text, and the annotations are on the sheet like everything else.
TEST(CliSheet, AnSvgHasLinesCurvesAndTextIncludingTheAnnotations) {
    QTemporaryDir dir;
    quorvel::document::Document document;
    document.resetForNew(800, 600);
    quorvel::document::DEFINEFUN curve;
    curve.kind = quorvel::document::KindCustomFunction;
    curve.expression = "y=x*x";
    curve.domainStart = -9999, curve.domainEnd = 9999;
    document.addCurve(std::move(curve));
    quorvel::document::REMARK remark;
    remark.text = "抛物线 note";
    remark.left = 50, remark.top = 60;
    document.addRemark(std::move(remark));
    const QString doc = dir.filePath(QStringLiteral("curve.Fun"));
    ASSERT_TRUE(quorvel::codec::saveFunFile(doc.toStdString(), document).ok);

    const QString svgPath = dir.filePath(QStringLiteral("sheet.svg"));
    const CliRun run = cli({doc, QStringLiteral("-o"), svgPath});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QString svg = QString::fromUtf8(contents(svgPath));
    EXPECT_TRUE(svg.contains(QStringLiteral("width=\"800px\"")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<polyline")) || svg.contains(QStringLiteral("<path")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<text")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">抛物线 <")) && svg.contains(QStringLiteral(">note<")));
    EXPECT_FALSE(svg.contains(QStringLiteral("<image")));
}

// Without --size the sheet covers every object, also one left of the sheet's corner; a given size that
// cuts objects off says so.
TEST(CliSheet, WithoutASizeTheSheetCoversEveryObject) {
    QTemporaryDir dir;
    quorvel::document::Document document;
    document.resetForNew(800, 600);
    for (const QPoint at : {QPoint(1200, 900), QPoint(-30, 20)}) {
        quorvel::document::REMARK remark;
        remark.text = "远处";
        remark.left = at.x(), remark.top = at.y();
        document.addRemark(std::move(remark));
    }
    const QString doc = dir.filePath(QStringLiteral("far.Fun"));
    ASSERT_TRUE(quorvel::codec::saveFunFile(doc.toStdString(), document).ok);
    const QString png = dir.filePath(QStringLiteral("sheet.png"));

    const CliRun covering = cli({doc, QStringLiteral("-o"), png});
    ASSERT_EQ(covering.exitCode, 0);
    EXPECT_TRUE(covering.errors.isEmpty()) << covering.errors.toStdString();
    const QImage image(png);
    ASSERT_GT(image.width(), 1240);
    ASSERT_GT(image.height(), 910);
    // Each annotation is inked, the near one 40 pixels further right (its left edge less the margin).
    const auto inked = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
        return false;
    };
    EXPECT_TRUE(inked(QRect(QPoint(1240, 900), QPoint(image.width() - 1, image.height() - 1))));
    EXPECT_TRUE(inked(QRect(0, 20, 40, 20)));

    const CliRun cut =
        cli({doc, QStringLiteral("-o"), png, QStringLiteral("--size"), QStringLiteral("640x480")});
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_TRUE(cut.errors.contains(QStringLiteral("warning: 2 objects lie"))) << cut.errors.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(640, 480));
}
