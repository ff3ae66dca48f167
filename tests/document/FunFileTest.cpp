#include "codec/FunFile.h"
#include "DocTestUtil.h"
#include "codec/GbCodec.h"
#include "document/DocumentText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/stat.h>

using namespace quorvel::document;
using namespace quorvel::codec;
using quorvel::document::testing::crlfLines;
using quorvel::document::testing::remarkWith;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

Document chineseDocument() {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    doc.addRemark(remarkWith("中文\r\n≠", 1, 2));
    return doc;
}

} // namespace

TEST(GbCodec, ChineseTextAndMarkupSignsAreGbkBytes) {
    ASSERT_TRUE(gb18030Available()) << "Qt was built without a GB18030 converter";
    EXPECT_EQ(utf8ToGb18030("宋体"), "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(utf8ToGb18030("中文≠×±"), "\xD6\xD0\xCE\xC4\xA1\xD9\xA1\xC1\xA1\xC0");
    EXPECT_EQ(utf8ToGb18030("abc\r\n"), "abc\r\n");
    const Decoded back = gb18030ToUtf8("\xD6\xD0\xCE\xC4\xA1\xD9");
    EXPECT_EQ(back.utf8, "中文≠");
    EXPECT_FALSE(back.hadInvalidBytes);
}

TEST(GbCodec, CharactersBeyondGbkSurviveAsGb18030) {
    for (const char* text : {"€", "😀", "é", "ǹ", "\xEF\xBF\xBD"}) {
        const std::string bytes = utf8ToGb18030(text);
        EXPECT_EQ(gb18030ToUtf8(bytes).utf8, text) << text;
    }
}

TEST(GbCodec, InvalidBytesAreReplacedAndReported) {
    const Decoded d = gb18030ToUtf8(std::string("ok\xFF", 3));
    EXPECT_TRUE(d.hadInvalidBytes);
    EXPECT_EQ(d.utf8.substr(0, 2), "ok");
    EXPECT_EQ(withLineBreaks("a\nb\r\nc\rd", "\r\n"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(withLineBreaks("a\r\nb", "\n"), "a\nb");
}

TEST(FunFile, BytesAreTheLeadingLineAndTheGbkDocumentText) {
    const std::string expected =
        crlfLines({kFunFileLeadingLine, "400##300", "100##100##100", "0##1##0", "1",
                   "1##2##31##14##134##-2147483640##-12##0##9##0##0##0##0##\xCB\xCE\xCC\xE5",
                   "\xD6\xD0\xCE\xC4", "\xA1\xD9##", "0"});
    EXPECT_EQ(funFileBytes(chineseDocument()), expected);

    Document read;
    ASSERT_TRUE(readFunFileBytes(expected, read));
    EXPECT_EQ(read.remark(0).text, "中文\r\n≠");
    EXPECT_EQ(read.remark(0).font.name, "宋体");
    EXPECT_EQ(funFileBytes(read), expected);
}

TEST(FunFile, SaveAndReadBackThroughAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("实验.Fun").toStdString();
    const SaveResult saved = saveFunFile(path, chineseDocument());
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(slurp(path), funFileBytes(chineseDocument()));

    Document read;
    int resampled = 0;
    read.addRemark(remarkWith("stale"));
    ASSERT_TRUE(readFunFile(path, read, [&](DEFINEFUN&) { ++resampled; }));
    ASSERT_EQ(read.remarkCount(), 1);
    EXPECT_EQ(read.remark(0).text, "中文\r\n≠");
}

TEST(FunFile, SavingRefusesValuesTheTextCannotCarryAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.Fun").toStdString();
    spit(path, "old content");
    Document doc = chineseDocument();
    doc.remark(0).text = "first##\r\nsecond";
    const SaveResult refused = saveFunFile(path, doc);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("##"), std::string::npos);
    EXPECT_EQ(slurp(path), "old content");

    const SaveResult noFolder = saveFunFile(dir.filePath("missing/b.Fun").toStdString(), chineseDocument());
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.message.empty());
}

TEST(FunFile, UnreadableFilesLeaveTheDocumentAlone) {
    QTemporaryDir dir;
    Document doc;
    doc.addRemark(remarkWith("keep"));
    const ReadResult missing = readFunFile(dir.filePath("none.Fun").toStdString(), doc);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.detail.empty());
    const ReadResult folder = readFunFile(dir.path().toStdString(), doc);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(doc.remarkCount(), 1);
}

TEST(FunFile, ForeignFilesGiveTheMessageAndANewExperimentView) {
    const struct {
        std::string bytes;
    } cases[] = {
        {crlfLines({"leading", "not a number", "100##100##100"})},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
        {std::string("\xFF\xFE\x00\x00", 4)},
        {""},
    };
    for (const auto& c : cases) {
        Document doc;
        doc.view.gridKind = GridPolar;
        doc.view.unitX = 33;
        doc.view.axesShown = 0;
        doc.view.gridShown = 1;
        doc.addCurve(DEFINEFUN{});
        doc.resetForOpen(800, 600);
        EXPECT_FALSE(readFunFileBytes(c.bytes, doc).ok);
        EXPECT_EQ(doc.objectCount(), 0);
        EXPECT_EQ(doc.view.originX, 400);
        EXPECT_EQ(doc.view.originY, 300);
        EXPECT_EQ(doc.view.unitX, 100);
        EXPECT_EQ(doc.view.gridKind, GridSquare);
        EXPECT_EQ(doc.view.axesShown, 0);
        EXPECT_EQ(doc.view.gridShown, 1);
    }
}

TEST(FunFile, OpenResetsOnlyWhenTheFileCanBeRead) {
    QTemporaryDir dir;
    Document doc;
    doc.view.gridKind = GridPolar;
    doc.view.gridShown = 1;
    doc.addRemark(remarkWith("unsaved work"));
    doc.copyRemarkToClipboard(0);
    doc.selection.selectOnly(0);

    const ReadResult missing = openFunFile(dir.filePath("gone.Fun").toStdString(), doc, 640, 480);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorLine, 0);
    EXPECT_EQ(doc.remarkCount(), 1);
    EXPECT_EQ(doc.view.gridKind, GridPolar);

    const std::string path = dir.filePath("bad.Fun").toStdString();
    spit(path, crlfLines({"lead", "1##2", "100##x##100"}));
    const ReadResult bad = openFunFile(path, doc, 640, 480);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.errorLine, 3);
    EXPECT_EQ(doc.objectCount(), 0);
    EXPECT_EQ(doc.clipKind(), ClipNone); // opening empties the internal clipboard
    EXPECT_TRUE(doc.selection.empty());
    EXPECT_EQ(doc.view.originX, 1); // read before the error
    EXPECT_EQ(doc.view.unitCommon, 100);
    EXPECT_EQ(doc.view.gridKind, GridSquare);
    EXPECT_EQ(doc.view.gridShown, 1);

    ASSERT_TRUE(saveFunFile(path, chineseDocument()).ok);
    ASSERT_TRUE(openFunFile(path, doc, 640, 480));
    EXPECT_EQ(writeDocumentText(doc), writeDocumentText(chineseDocument()));
}

TEST(FunFile, OnlyRegularFilesWithinTheLimitAreOpened) {
    QTemporaryDir dir;
    // A FIFO without a writer would block the open for ever; a sparse file past the limit costs no
    // disk and would take seconds to read.
    const QString fifo = dir.filePath("pipe.Fun");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString huge = dir.filePath("huge.Fun");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(300LL * 1024 * 1024));
    }
    const struct {
        QString path;
        LoadProblem problem;
    } cases[] = {
        {fifo, LoadProblem::NotRegularFile},
        {dir.path(), LoadProblem::NotRegularFile},
        {huge, LoadProblem::TooLarge},
        {dir.filePath("none.Fun"), LoadProblem::CannotOpen},
    };
    for (const auto& c : cases) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(loadFunFile(c.path.toStdString()).problem, c.problem) << c.path.toStdString();
        Document doc;
        doc.addRemark(remarkWith("keep"));
        EXPECT_FALSE(readFunFile(c.path.toStdString(), doc).ok);
        EXPECT_FALSE(openFunFile(c.path.toStdString(), doc, 640, 480).ok);
        EXPECT_EQ(doc.remarkCount(), 1);
        EXPECT_LT(clock.elapsed(), 1000) << c.path.toStdString();
    }
}

TEST(FunFile, AFileDecodedInBlocksReadsAsItsBytesDo) {
    // Several read blocks of multi-byte characters, with a line longer than a block and lone CR and LF
    // breaks, so block ends fall inside characters and inside CR LF pairs.
    std::string text = std::string(kFunFileLeadingLine) + "\r\n0##0\r\n1##1##1\r\n0##1##1\r\n2\r\n";
    std::string longLine;
    for (int k = 0; k < 400000; ++k)
        longLine += "中x";
    text += "0##0##1##1##" + FontToStr(FontSpec{}) + "\r\n" + longLine + "\n" + longLine + "\r≠##\r\n";
    text += "0##0##1##1##" + FontToStr(FontSpec{}) + "\r\n" + longLine.substr(0, 3000) + "##\r\n0\r\n";
    const std::string bytes = utf8ToGb18030(text);
    ASSERT_GT(bytes.size(), 2u << 20);
    QTemporaryDir dir;
    const std::string path = dir.filePath("big.Fun").toStdString();
    spit(path, bytes);

    const LoadedText loaded = loadFunFile(path);
    ASSERT_TRUE(loaded) << loaded.detail;
    EXPECT_EQ(loaded.utf8, gb18030ToUtf8(bytes).utf8);
    Document fromFile;
    Document fromBytes;
    ASSERT_TRUE(readFunFile(path, fromFile));
    ASSERT_TRUE(readFunFileBytes(bytes, fromBytes));
    ASSERT_EQ(fromFile.remarkCount(), 2);
    EXPECT_EQ(fromFile.remark(0).text, fromBytes.remark(0).text);
    EXPECT_EQ(fromFile.remark(1).text, fromBytes.remark(1).text);
}
