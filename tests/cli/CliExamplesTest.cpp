// quorvel-cli examples, run as a process, and the editor's lookup of the pictures it makes.
#include "editor/ExamplePictures.h"
#include "editor/core/EditorTables.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int run(const QStringList& args, QString* err = nullptr) {
    QProcess process;
    process.start(QStringLiteral(QUORVEL_CLI), args);
    process.waitForFinished(120000);
    if (err) *err = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
    return false;
}

TEST(CliExamples, WritesEveryPictureWithInkOnWhite) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("made/tubiaolizi")); // created as needed
    QString err;
    ASSERT_EQ(run({QStringLiteral("examples"), folder}, &err), 0) << err.toStdString();
    const auto pictures = quorvel::editor::examplePictures();
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), static_cast<qsizetype>(pictures.size()));
    for (const auto& picture : pictures) {
        const QImage image(QDir(folder).filePath(qs(picture.picture)));
        ASSERT_FALSE(image.isNull()) << picture.picture;
        EXPECT_GT(image.width(), 20) << picture.picture;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)) << picture.picture;
        EXPECT_TRUE(hasInk(image)) << picture.picture << " is blank";
    }
    // Bigger constructs give bigger pictures: a sign that each picture shows its own markup.
    const QImage piecewise(QDir(folder).filePath(QStringLiteral("youtiaojian.bmp")));
    const QImage root(QDir(folder).filePath(QStringLiteral("kaipingfanggen.bmp")));
    EXPECT_GT(piecewise.height(), 2 * root.height());
}

TEST(CliExamples, NeedsExactlyOneFolder) {
    EXPECT_EQ(run({QStringLiteral("examples")}), 2);
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString err;
    EXPECT_EQ(run({QStringLiteral("examples"), blocker.fileName() + QStringLiteral("/sub")}, &err), 1);
    EXPECT_FALSE(err.isEmpty());
}

TEST(ExamplePictures, FoundBesideTheProgramThenInstalledElseEmpty) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin/tubiaolizi")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("share/quorvel/tubiaolizi")));
    const auto touch = [&](const QString& path) {
        QFile file(root.filePath(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    touch(QStringLiteral("bin/tubiaolizi/jifen.bmp"));
    touch(QStringLiteral("share/quorvel/tubiaolizi/jifen.bmp"));
    touch(QStringLiteral("share/quorvel/tubiaolizi/lim.bmp"));
    const QString bin = root.filePath(QStringLiteral("bin"));
    using quorvel::editor::examplePicturePath;
    EXPECT_EQ(examplePicturePath("jifen.bmp", bin),
              root.filePath(QStringLiteral("bin/tubiaolizi/jifen.bmp")));
    EXPECT_EQ(examplePicturePath("lim.bmp", bin),
              root.filePath(QStringLiteral("share/quorvel/tubiaolizi/lim.bmp")));
    EXPECT_TRUE(examplePicturePath("qiuhe.bmp", bin).isEmpty());
    EXPECT_TRUE(examplePicturePath("", bin).isEmpty()) << "no picture named: nothing to load";
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin/tubiaolizi/log.bmp")));
    EXPECT_TRUE(examplePicturePath("log.bmp", bin).isEmpty()) << "a folder is not a picture";
}

} // namespace
