#include "DocTestUtil.h"
#include "codec/FunFile.h"
#include "document/DocumentText.h"
#include "document/Messages.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

using namespace quorvel::document;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun runCli(const QStringList& args, int timeoutMs = 30000) {
    QProcess p;
    p.start(QStringLiteral(QUORVEL_CLI_PATH), args);
    const bool finished = p.waitForFinished(timeoutMs);
    EXPECT_TRUE(finished) << "quorvel-cli did not end";
    if (!finished) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

} // namespace

TEST(CliDoc, PrintsTheDocumentTextOfASavedFile) {
    QTemporaryDir dir;
    Document doc;
    doc.view = ViewSettings::forSheet(1024, 768);
    doc.addRemark(remarkWith("注释\r\n第二行 x##y"));
    DEFINEFUN item = itemWithBox(0, 0, 90, 40, "Y=A*X+B");
    item.paramCount = 2;
    item.paramNames[0] = "A";
    item.paramNames[1] = "B";
    item.paramValues[0] = 1e-6;
    item.name = "函数0";
    doc.addCurve(item);
    const QString path = dir.filePath("doc.Fun");
    ASSERT_TRUE(quorvel::codec::saveFunFile(path.toStdString(), doc).ok);

    const CliRun run = runCli({"doc", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, writeDocumentText(doc));
    EXPECT_EQ(run.err, "");
}

TEST(CliDoc, RefusesForeignFilesAndBadUsage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("foreign.Fun");
    std::ofstream(path.toStdString(), std::ios::binary) << "lead\r\n1##2\r\nbroken\r\n";
    const CliRun foreign = runCli({"doc", path});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_EQ(foreign.out, "");
    EXPECT_EQ(foreign.err.rfind(kNotOurFileMessage, 0), 0u) << foreign.err;

    const CliRun missing = runCli({"doc", dir.filePath("missing.Fun")});
    EXPECT_EQ(missing.exitCode, 1);

    EXPECT_EQ(runCli({"doc"}).exitCode, 2);
    EXPECT_EQ(runCli({"doc", "a.Fun", "b.Fun"}).exitCode, 2);
}

TEST(CliDoc, RefusesAFifoAtOnce) {
    // Opening a FIFO that has no writer would block the tool for ever.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.Fun");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const CliRun run = runCli({"doc", fifo}, 5000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(kNotOurFileMessage, 0), 0u) << run.err;
}
