// quorvel-cli measure, textsize and render, run as a separate process.
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QUORVEL_CLI), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(CliTypesetTest, TextsizePrintsWidthAndHeight) {
    const CliRun r = cli({"textsize", "xx"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList fields = r.out.trimmed().split('\t');
    ASSERT_EQ(fields.size(), 2);
    const CliRun one = cli({"textsize", "x"});
    EXPECT_NEAR(fields[0].toInt(), 2 * one.out.split('\t')[0].toInt(), 1);
    EXPECT_GT(fields[1].toInt(), 20);
    const CliRun big = cli({"textsize", "x", "--size", "32"});
    EXPECT_GT(big.out.split('\t')[1].toInt(), fields[1].toInt());
    EXPECT_TRUE(r.err.isEmpty()) << "no noise on the error stream: " << r.err.toStdString();
}

TEST(CliTypesetTest, MeasurePrintsEveryNodeInPreOrderThenTheBracketCount) {
    const CliRun r = cli({"measure", "cub(a+b,2)"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 6);
    const QStringList expectedText = {"cub", "2", "add", "a", "b"};
    const QList<int> expectedDepth = {0, 1, 1, 2, 2};
    for (int i = 0; i < 5; ++i) {
        const QStringList f = lines[i].split('\t');
        ASSERT_EQ(f.size(), 6) << lines[i].toStdString();
        EXPECT_EQ(f[0].toInt(), expectedDepth[i]);
        EXPECT_EQ(f[1], expectedText[i]);
    }
    EXPECT_EQ(lines[5], "bracketCount\t1");
    // The power is as wide as its base, the script-size exponent and one pair of brackets.
    const int width = lines[0].split('\t')[2].toInt();
    const int base = lines[2].split('\t')[2].toInt();
    const int exponent = lines[1].split('\t')[2].toInt();
    const int pair = cli({"textsize", "()"}).out.split('\t')[0].toInt();
    EXPECT_EQ(width, base + exponent + pair);
    // --italic measures the letters in the face's italic, as textsize --italic gives them; the number
    // stays upright.
    const QStringList italic = cli({"measure", "cub(a+b,2)", "--italic"}).out.trimmed().split('\n');
    ASSERT_EQ(italic.size(), 6);
    EXPECT_EQ(italic[3].split('\t')[2].toInt(),
              cli({"textsize", "a", "--italic"}).out.split('\t')[0].toInt());
    EXPECT_EQ(italic[1].split('\t')[2], lines[1].split('\t')[2]);
}

TEST(CliTypesetTest, MeasureListsTheItemsOfAListAtTheSameDepth) {
    const CliRun r = cli({"measure", "lak(2,a;b)", "--font", "宋体", "--size", "12"});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[2].startsWith("1\ta\t"));
    EXPECT_TRUE(lines[3].startsWith("1\tb\t"));
}

TEST(CliTypesetTest, RenderWritesEachFormat) {
    QTemporaryDir dir;
    const QString piecewise = "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))";
    for (const char* name : {"p.png", "p.bmp", "p.svg", "p.pdf"}) {
        const CliRun r = cli({"render", piecewise, "-o", dir.filePath(name)});
        EXPECT_EQ(r.exitCode, 0) << name << r.err.toStdString();
    }
    const QImage png(dir.filePath("p.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.width(), 100);
    EXPECT_EQ(QImage(dir.filePath("p.bmp")).size(), png.size());
    QFile svg(dir.filePath("p.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError());
    QFile pdf(dir.filePath("p.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(CliTypesetTest, UsageErrorsAndRefusals) {
    QTemporaryDir dir;
    EXPECT_EQ(cli({"render", "x"}).exitCode, 2) << "no output file";
    EXPECT_EQ(cli({"render", "x", "-o", dir.filePath("x.emf")}).exitCode, 2) << "unknown format";
    EXPECT_EQ(cli({"measure"}).exitCode, 2);
    EXPECT_EQ(cli({"textsize", "x", "--size", "0"}).exitCode, 2);
    EXPECT_EQ(cli({"textsize", "x", "--size", "big"}).exitCode, 2);
    EXPECT_EQ(cli({"textsize", "x", "--size"}).exitCode, 2);
    const CliRun unwritable = cli({"render", "x", "-o", dir.filePath("no/such/dir/x.png")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_FALSE(unwritable.err.isEmpty());
    const CliRun deep = cli({"measure", QString(3000, '(') + "x" + QString(3000, ')')});
    EXPECT_EQ(deep.exitCode, 1) << "the parser refuses nesting beyond its limit";
    EXPECT_FALSE(deep.err.isEmpty());
    // What validation refuses is refused with its message, and no picture is written.
    for (const char* refused : {"unit(i=1,n,x)", "sqrt()"}) {
        const QString path = dir.filePath(QStringLiteral("refused.png"));
        const CliRun r = cli({"render", QString::fromUtf8(refused), "-o", path});
        EXPECT_EQ(r.exitCode, 1) << refused;
        EXPECT_TRUE(r.err.contains(QStringLiteral("请修改"))) << refused;
        EXPECT_FALSE(QFileInfo::exists(path)) << refused;
    }
}

} // namespace
