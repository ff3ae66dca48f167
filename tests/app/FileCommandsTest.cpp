#include "AppTestSupport.h"
#include "document/DocumentText.h"
#include "document/Messages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace quorvel;
using apptest::WindowFixture;
using apptest::writeFile;

namespace {

const QByteArray kPolarDocument = "Quorvel Fun document, format 1\r\n"
                                  "350##250\r\n100##50##80\r\n2##1##1\r\n0\r\n0\r\n";

void change(WindowFixture& w) {
    w.form->item(QStringLiteral("N11"))->trigger();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(NewExperiment, AnUnchangedDocumentAsksNothing) {
    WindowFixture w;
    w.form->item(QStringLiteral("N1"))->trigger();
    EXPECT_TRUE(w.sink.asked.empty());
    EXPECT_EQ(w.form->history().states(), 1);
    EXPECT_FALSE(w.form->item(QStringLiteral("A1"))->isEnabled());
}

TEST(NewExperiment, TheQuestionDecides) {
    struct Case {
        Answer answer;
        QString saveName; // what the save dialog gives
        bool reset;
    };
    QTemporaryDir dir;
    const Case cases[] = {
        {Answer::Cancel, {}, false},
        {Answer::No, {}, true},
        {Answer::Yes, {}, false}, // save dialog cancelled: nothing changes
        {Answer::Yes, dir.filePath(QStringLiteral("kept")), true},
    };
    for (const Case& c : cases) {
        WindowFixture w;
        change(w);
        w.form->item(QStringLiteral("N18"))->trigger();
        w.sink.answers = {c.answer};
        w.dialogs.saveNames = c.saveName.isEmpty() ? QStringList{} : QStringList{c.saveName};
        w.form->item(QStringLiteral("SpeedButton20"))->trigger();
        ASSERT_EQ(w.sink.asked.size(), 1u);
        EXPECT_EQ(w.sink.asked[0].text, "要保存当前的实验吗？");
        EXPECT_EQ(w.sink.asked[0].caption, "警告");
        const auto& v = w.form->document().view;
        EXPECT_EQ(v.gridKind, c.reset ? 0 : 1);
        EXPECT_EQ(v.gridShown, c.reset ? 0 : 1);
        EXPECT_EQ(w.form->item(QStringLiteral("N18"))->text(), c.reset ? "显示网格(&Z)" : "隐藏网格(&Z)");
        EXPECT_EQ(w.form->item(QStringLiteral("N10"))->isChecked(), c.reset);
        EXPECT_EQ(w.form->history().changed(), !c.reset);
        if (!c.saveName.isEmpty()) {
            EXPECT_TRUE(QFileInfo::exists(c.saveName + QStringLiteral(".Fun")));
        }
    }
}

TEST(OpenCommand, ReadsViewSettingsAndFollowsThemInTheMenus) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("polar.Fun"), kPolarDocument);
    WindowFixture w;
    w.dialogs.openNames = {path};
    w.form->item(QStringLiteral("O1"))->trigger();
    EXPECT_TRUE(w.sink.shown.empty());
    const auto& v = w.form->document().view;
    EXPECT_EQ(v.originX, 350);
    EXPECT_EQ(v.originY, 250);
    EXPECT_EQ(v.unitX, 50);
    EXPECT_EQ(v.unitY, 80);
    EXPECT_EQ(v.gridKind, 2);
    EXPECT_TRUE(w.form->item(QStringLiteral("N17"))->isChecked());
    EXPECT_FALSE(w.form->item(QStringLiteral("N10"))->isChecked());
    EXPECT_EQ(w.form->item(QStringLiteral("N18"))->text(), QStringLiteral("隐藏网格(&Z)"));
    EXPECT_EQ(w.form->item(QStringLiteral("N32"))->text(), QStringLiteral("隐藏网格(&Z)"));
    EXPECT_EQ(w.form->history().states(), 1);
    EXPECT_FALSE(w.form->history().changed());
    EXPECT_FALSE(w.form->item(QStringLiteral("A1"))->isEnabled());
    EXPECT_EQ(w.form->fileName(), path);
}

// Another program's file, an empty one or garbage is refused before anything is asked or replaced: the
// unsaved work, its changes and its history stay.
TEST(OpenCommand, AFileThatIsNotADocumentKeepsTheWork) {
    QTemporaryDir dir;
    const QByteArray malformed[] = {
        "leading line\r\nnot a number##300\r\n",
        "leading line\r\n400##300\r\n100##100##100\r\n0##1##1\r\n2\r\n",
        "", // an empty file
        QByteArray("\xff\xfe\x00\x01garbage", 11),
    };
    for (const QByteArray& bytes : malformed) {
        WindowFixture w;
        w.form->item(QStringLiteral("N17"))->trigger();
        const std::string before = document::writeDocumentText(w.form->document());
        EXPECT_FALSE(w.form->openFile(writeFile(dir, QStringLiteral("bad.Fun"), bytes)));
        EXPECT_EQ(w.sink.asked.size(), 0u); // nothing to decide: the work is not at stake
        ASSERT_EQ(w.sink.shown.size(), 1u);
        EXPECT_EQ(w.sink.shown[0].text, document::kNotOurFileMessage);
        EXPECT_EQ(document::writeDocumentText(w.form->document()), before);
        EXPECT_EQ(w.form->history().states(), 2);
        EXPECT_TRUE(w.form->history().changed());
        EXPECT_TRUE(w.form->item(QStringLiteral("A1"))->isEnabled());
    }
}

// A document that breaks off inside a record says it is damaged and offers the objects before the damage.
TEST(OpenCommand, ADamagedDocumentOffersTheObjectsBeforeTheDamage) {
    QTemporaryDir dir;
    document::Document two;
    two.resetForNew(800, 600);
    for (const char* text : {"first", "second"}) {
        document::REMARK r;
        r.text = text;
        (void)two.addRemark(r);
    }
    const std::string whole = document::funFileText(two);
    // Cut inside the second annotation's header line.
    const std::string cut = whole.substr(0, whole.find("second") - 12);
    const QString path = writeFile(dir, QStringLiteral("cut.Fun"), QByteArray::fromStdString(cut));
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        WindowFixture w;
        w.form->item(QStringLiteral("N18"))->trigger(); // unsaved work
        w.sink.answers = {answer, Answer::No};          // open what is left?  save the work?
        EXPECT_FALSE(w.form->openFile(path));
        ASSERT_GE(w.sink.asked.size(), 1u);
        EXPECT_NE(w.sink.asked[0].text.find("已损坏"), std::string::npos) << w.sink.asked[0].text;
        EXPECT_NE(w.sink.asked[0].text.find("1个对象"), std::string::npos) << w.sink.asked[0].text;
        EXPECT_EQ(w.form->document().remarkCount(), answer == Answer::Yes ? 1 : 0);
        EXPECT_EQ(w.form->history().changed(), answer == Answer::No); // declined: the work stays
    }
}

TEST(OpenCommand, AFileThatCannotBeReadLeavesTheDocumentAlone) {
    WindowFixture w;
    change(w);
    w.sink.answers = {Answer::No};
    EXPECT_FALSE(w.form->openFile(QStringLiteral("/nonexistent/folder/x.Fun")));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_NE(w.sink.shown[0].text.find("无法读取文件"), std::string::npos);
    EXPECT_EQ(w.form->document().view.gridKind, 1);
    EXPECT_EQ(w.form->history().states(), 2);
}

TEST(OpenCommand, AFifoIsRefusedWithoutOpeningIt) {
    // Opening a FIFO that has no writer would hang the window.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.Fun"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    WindowFixture w;
    change(w);
    w.sink.answers = {Answer::No};
    EXPECT_FALSE(w.form->openFile(fifo));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_NE(w.sink.shown[0].text.find("无法读取文件"), std::string::npos);
    EXPECT_EQ(w.form->document().view.gridKind, 1);
    EXPECT_EQ(w.form->history().states(), 2);
}

TEST(OpenCommand, CancelledDialogOrQuestionChangesNothing) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("polar.Fun"), kPolarDocument);
    WindowFixture w;
    change(w);
    w.form->item(QStringLiteral("SpeedButton21"))->trigger(); // dialog cancelled
    EXPECT_TRUE(w.sink.asked.empty());
    EXPECT_EQ(w.form->history().states(), 2);
    EXPECT_TRUE(w.form->item(QStringLiteral("A1"))->isEnabled());

    w.dialogs.openNames = {path};
    w.sink.answers = {Answer::Cancel};
    w.form->item(QStringLiteral("O1"))->trigger();
    ASSERT_EQ(w.sink.asked.size(), 1u);
    EXPECT_EQ(w.sink.asked[0].text, "要保存当前的实验吗？");
    EXPECT_EQ(w.form->document().view.gridKind, 1);
    EXPECT_EQ(w.form->history().states(), 2);
}

TEST(SaveCommand, AppendsTheEndingAndWritesAReadableFile) {
    QTemporaryDir dir;
    WindowFixture w;
    change(w);
    w.dialogs.saveNames = {dir.filePath(QStringLiteral("实验一"))};
    EXPECT_TRUE(w.form->S2Click());
    const QString saved = dir.filePath(QStringLiteral("实验一.Fun"));
    ASSERT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(w.form->fileName(), saved);

    WindowFixture other;
    other.form->openFile(saved);
    EXPECT_TRUE(other.sink.shown.empty());
    EXPECT_EQ(other.form->document().view.gridKind, 1);
    // The next save offers the same name again.
    w.form->S2Click();
    EXPECT_EQ(w.dialogs.lastSuggested, saved);
}

TEST(SaveCommand, AnExistingFileIsReplacedOnlyWhenConfirmed) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("old.FUN"), "old contents");
    WindowFixture w;
    w.dialogs.saveNames = {path, path};
    w.sink.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(w.form->S2Click());
    EXPECT_EQ(contents(path), QByteArray("old contents"));
    ASSERT_EQ(w.sink.asked.size(), 1u);
    EXPECT_NE(w.sink.asked[0].text.find("已经存在"), std::string::npos);
    EXPECT_TRUE(w.form->S2Click());
    EXPECT_TRUE(contents(path).startsWith("Quorvel"));
}

TEST(SaveCommand, AFailedSaveSaysSoAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString blocker = writeFile(dir, QStringLiteral("plain-file"), "x");
    WindowFixture w;
    // A folder that is really a file: nothing can be written below it.
    w.dialogs.saveNames = {blocker + QStringLiteral("/x.Fun")};
    EXPECT_FALSE(w.form->S2Click());
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].caption, "错误");
    EXPECT_NE(w.sink.shown[0].text.find("保存失败"), std::string::npos);
    EXPECT_TRUE(w.form->fileName().isEmpty());
}

TEST(SaveCommand, AReadOnlyFolderKeepsTheOldFile) {
    // Root writes anywhere, so as root the save runs as an unprivileged user for the moment.
    const bool root = geteuid() == 0;
    QTemporaryDir dir;
    WindowFixture w;
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QDir().mkdir(locked);
    const QString old = writeFile(dir, QStringLiteral("locked/old.Fun"), "old contents");
    const auto readable =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(dir.path(), readable | QFileDevice::WriteOwner);
    QFile::setPermissions(locked, readable);
    w.dialogs.saveNames = {old};
    w.sink.answers = {Answer::Yes};
    bool saved = true;
    {
        // Back to root at the end of the scope, whatever the save does.
        struct Unprivileged {
            bool active;
            explicit Unprivileged(bool root) : active(root && seteuid(65534) == 0) {}
            ~Unprivileged() {
                if (active) (void)seteuid(0);
            }
        } asUser(root);
        ASSERT_EQ(asUser.active, root);
        saved = w.form->S2Click();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(contents(old), QByteArray("old contents"));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].caption, "错误");
    QFile::setPermissions(locked, readable | QFileDevice::WriteOwner);
}

TEST(SaveCommand, AFullDiskKeepsTheOldFile) {
    // A file size limit makes every write past a few bytes fail, for root too, as a full disk would.
    QTemporaryDir dir;
    WindowFixture w;
    const QString old = writeFile(dir, QStringLiteral("old.Fun"), "old contents");
    w.dialogs.saveNames = {old};
    w.sink.answers = {Answer::Yes};
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = w.form->S2Click();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(contents(old), QByteArray("old contents"));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].caption, "错误");
}

TEST(NewExperiment, AFailedSaveStopsTheNewExperiment) {
    QTemporaryDir dir;
    const QString blocker = writeFile(dir, QStringLiteral("plain-file"), "x");
    WindowFixture w;
    change(w);
    w.sink.answers = {Answer::Yes};
    w.dialogs.saveNames = {blocker + QStringLiteral("/x.Fun")};
    w.form->item(QStringLiteral("N1"))->trigger();
    EXPECT_EQ(w.form->document().view.gridKind, 1); // nothing discarded
    EXPECT_TRUE(w.form->history().changed());
}

TEST(CloseAndExit, ClosingAsksOnlyForAChangedDocument) {
    {
        WindowFixture w;
        QCloseEvent close;
        QApplication::sendEvent(w.form.get(), &close);
        EXPECT_TRUE(close.isAccepted());
        EXPECT_TRUE(w.sink.asked.empty());
    }
    struct Case {
        Answer answer;
        bool chooseFile;
        bool closes;
    };
    QTemporaryDir dir;
    const Case cases[] = {{Answer::Cancel, false, false},
                          {Answer::Yes, false, false}, // save dialog cancelled: the window stays
                          {Answer::Yes, true, true},
                          {Answer::No, false, true}};
    for (const Case& c : cases) {
        WindowFixture w;
        change(w);
        w.sink.answers = {c.answer};
        if (c.chooseFile) w.dialogs.saveNames = {dir.filePath(QStringLiteral("closing.Fun"))};
        QCloseEvent close;
        QApplication::sendEvent(w.form.get(), &close);
        ASSERT_EQ(w.sink.asked.size(), 1u);
        EXPECT_EQ(w.sink.asked[0].text, "退出前要保存当前的实验吗？");
        EXPECT_EQ(close.isAccepted(), c.closes);
        EXPECT_EQ(w.form->document().view.gridKind, 1); // an open window keeps its document
    }
}

TEST(CloseAndExit, ExitAsksEvenWhenNothingChanged) {
    WindowFixture w;
    w.sink.answers = {Answer::Cancel};
    w.form->item(QStringLiteral("Q1"))->trigger();
    EXPECT_EQ(w.sink.asked.size(), 1u);
    EXPECT_TRUE(w.exitCodes.empty());

    // Yes with the save dialog cancelled: the work is not thrown away.
    w.sink.answers = {Answer::Yes};
    w.form->item(QStringLiteral("Q1"))->trigger();
    EXPECT_TRUE(w.exitCodes.empty());

    w.sink.answers = {Answer::No};
    w.form->item(QStringLiteral("Q1"))->trigger();
    EXPECT_EQ(w.exitCodes, std::vector<int>{0});
    EXPECT_EQ(w.sink.asked.size(), 3u); // closing after the exit command asks nothing more
}
