// quorvel-cli plot: curves of every kind drawn on a sheet, as pixels, as vectors and as a document.
#include "AppTestSupport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using quorvel::apptest::CliRun;
using quorvel::apptest::runCli;

// A 400 × 400 sheet with the origin in the middle and 50 pixels per unit; curves in pure red.
class CliPlot : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QImage plot(const QStringList& curve) {
        const QString png = dir.filePath(QStringLiteral("plot.png"));
        const CliRun run =
            runCli(QStringList{QStringLiteral("plot"), QStringLiteral("-o"), png, QStringLiteral("--size"),
                               QStringLiteral("400x400"), QStringLiteral("--origin"),
                               QStringLiteral("200,200"), QStringLiteral("--unit"), QStringLiteral("50")} +
                   curve + QStringList{QStringLiteral("--colour"), QStringLiteral("#FF0000")});
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return QImage(png);
    }

    // Red ink (the line, smoothed) within a pixel of plane point (x, y).
    static bool inkedNear(const QImage& image, double x, double y) {
        const int px = static_cast<int>(std::floor(200 + 50 * x));
        const int py = static_cast<int>(std::floor(200 - 50 * y));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QColor c = image.pixelColor(px + dx, py + dy);
                if (c.red() > 150 && c.green() < 110 && c.blue() < 110) return true;
            }
        return false;
    }
    static QColor at(const QImage& image, double x, double y) {
        return image.pixelColor(static_cast<int>(200 + 50 * x), static_cast<int>(200 - 50 * y));
    }
};

TEST_F(CliPlot, ACircleIsRoundAndHollow) {
    const QImage image = plot({QStringLiteral("--implicit"), QStringLiteral("x^2+y^2=4")});
    for (double angle = 0.3; angle < 6.2; angle += 0.5)
        EXPECT_TRUE(inkedNear(image, 2 * std::cos(angle), 2 * std::sin(angle))) << angle;
    EXPECT_FALSE(inkedNear(image, 1.2, 0.7));
    EXPECT_FALSE(inkedNear(image, 2.6, 1.1));
}

TEST_F(CliPlot, APolarCurveDrawsANegativeRadiusOnTheOppositeRay) {
    // r = 1 + 2cos θ has an inner loop where r < 0.
    const QImage image = plot({QStringLiteral("--polar"), QStringLiteral("1+2cos(θ)")});
    const double theta = 0.85 * std::numbers::pi;
    const double r = 1 + 2 * std::cos(theta);
    EXPECT_TRUE(inkedNear(image, r * std::cos(theta), r * std::sin(theta)));
    EXPECT_FALSE(inkedNear(image, -r * std::cos(theta), -r * std::sin(theta)));
    const double outer = 1 + 2 * std::cos(0.2);
    EXPECT_TRUE(inkedNear(image, outer * std::cos(0.2), outer * std::sin(0.2)));
}

TEST_F(CliPlot, AHyperbolaHasNoLineBetweenItsBranches) {
    const QImage image = plot({QStringLiteral("--implicit"), QStringLiteral("x^2-y^2=1")});
    EXPECT_TRUE(inkedNear(image, std::sqrt(2.0), 1));
    EXPECT_TRUE(inkedNear(image, -std::sqrt(2.0), -1));
    for (double x = -1.1; x <= 1.1; x += 0.1)
        for (double y : {1.0, -1.5, 2.5})
            EXPECT_FALSE(inkedNear(image, x, y)) << x << "," << y;
}

TEST_F(CliPlot, ARegionIsShadedInsideOnly) {
    const QImage image = plot({QStringLiteral("--region"), QStringLiteral("x+y<=2;x>=0;y>=0")});
    const QColor inside = at(image, 0.5, 0.7);
    EXPECT_GT(inside.red(), inside.blue() + 20); // a red tint
    EXPECT_GT(inside.blue(), 150);               // seen through
    EXPECT_EQ(at(image, 1.6, 1.5), QColor(Qt::white));
    EXPECT_EQ(at(image, -0.5, 0.7), QColor(Qt::white));
    EXPECT_TRUE(inkedNear(image, 1, 1)); // the solid boundary x + y = 2
}

TEST_F(CliPlot, StrictBoundariesAreDashedInVectors) {
    const QString svg = dir.filePath(QStringLiteral("plot.svg"));
    for (const auto& [region, dashed] :
         {std::pair{QStringLiteral("y>x^2"), true}, std::pair{QStringLiteral("y>=x^2"), false}}) {
        ASSERT_EQ(
            runCli({QStringLiteral("plot"), QStringLiteral("-o"), svg, QStringLiteral("--region"), region})
                .exitCode,
            0);
        QFile file(svg);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().contains("stroke-dasharray"), dashed) << region.toStdString();
    }
}

TEST_F(CliPlot, TheSavedDocumentDrawsTheSamePicture) {
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    const QString doc = dir.filePath(QStringLiteral("plot.Fun"));
    const QString again = dir.filePath(QStringLiteral("sheet.png"));
    const CliRun plotted =
        runCli({QStringLiteral("plot"), QStringLiteral("-o"), png, QStringLiteral("--save"), doc,
                QStringLiteral("--parametric"), QStringLiteral("sin(3t)"), QStringLiteral("sin(4t)"),
                QStringLiteral("--polar"), QStringLiteral("1+cos(θ)"), QStringLiteral("--theta"),
                QStringLiteral("0,π"), QStringLiteral("--implicit"), QStringLiteral("x^2/4+y^2/9=1"),
                QStringLiteral("--region"), QStringLiteral("y<x"), QStringLiteral("--function"),
                QStringLiteral("y=x^2")});
    ASSERT_EQ(plotted.exitCode, 0) << plotted.errors.toStdString();
    const CliRun drawn = runCli({QStringLiteral("sheet"), doc, QStringLiteral("-o"), again,
                                 QStringLiteral("--size"), QStringLiteral("800x600")});
    ASSERT_EQ(drawn.exitCode, 0) << drawn.errors.toStdString();
    EXPECT_EQ(QImage(png), QImage(again));
}

TEST_F(CliPlot, WrongCurvesAndFilesOfUnknownKindsAreRefused) {
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    for (const QStringList& curve : {QStringList{QStringLiteral("--region"), QStringLiteral("x^2+y^2=1")},
                                     QStringList{QStringLiteral("--polar"), QStringLiteral("x+1")},
                                     QStringList{QStringLiteral("--polar"), QStringLiteral("θ"),
                                                 QStringLiteral("--theta"), QStringLiteral("2,1")},
                                     QStringList{QStringLiteral("--function"), QStringLiteral("x"),
                                                 QStringLiteral("--colour"), QStringLiteral("red")}}) {
        const CliRun run = runCli(QStringList{QStringLiteral("plot"), QStringLiteral("-o"), png} + curve);
        EXPECT_NE(run.exitCode, 0) << curve.join(' ').toStdString();
        EXPECT_FALSE(run.errors.isEmpty());
    }
    const QString doc = quorvel::apptest::writeFile(
        dir, QStringLiteral("newer.Fun"),
        "Quorvel Fun document, format 1\r\n400##300\r\n100##100##100\r\n0##1##0\r\n0\r\n1\r\n"
        "0##0##0##0##9##1##1##0##16##F##E##0##0##0##0##0##0##0##n\r\n0##\r\n");
    const CliRun refused = runCli({QStringLiteral("sheet"), doc, QStringLiteral("-o"), png});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("不认识的图形对象"))) << refused.errors.toStdString();
}

} // namespace
