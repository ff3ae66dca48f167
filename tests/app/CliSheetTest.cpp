// quorvel-cli sheet: the headless picture of a document's sheet.
#include "AppTestSupport.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode;
    QString errors;
};

CliRun cli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUORVEL_CLI_PATH), QStringList{QStringLiteral("sheet")} + arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

const QByteArray kRectangular = "Quorvel Fun document, format 1\r\n"
                                "350.5##250\r\n100##100##60\r\n1##1##1\r\n0\r\n0\r\n";

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
