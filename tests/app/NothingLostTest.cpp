// Nothing is lost: the title tells whether work is unsaved, recovery data follows the work, survives a
// killed program, is never taken by a second instance and is offered back at the next start.
#include "AppTestSupport.h"

#include "app/ProgramSettings.h"
#include "app/RecentFiles.h"
#include "app/RecoveryOffer.h"
#include "document/DocumentText.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

using apptest::WindowFixture;

TEST(Title, NamesTheFileAndMarksUnsavedChangesByTheHistorysCleanState) {
    QTemporaryDir dir;
    WindowFixture w;
    QAction* grid = w.form->item(QStringLiteral("N18"));
    grid->trigger();
    EXPECT_TRUE(w.form->isWindowModified());
    w.dialogs.saveNames = {dir.filePath(QStringLiteral("sheet"))};
    ASSERT_TRUE(w.form->S2Click());
    EXPECT_EQ(w.form->windowTitle(), QStringLiteral("sheet.Fun[*] - Quorvel"));
    EXPECT_FALSE(w.form->isWindowModified());
    w.form->item(QStringLiteral("A1"))->trigger(); // away from the saved state
    EXPECT_TRUE(w.form->isWindowModified());
    w.form->item(QStringLiteral("S1"))->trigger(); // back to it
    EXPECT_FALSE(w.form->isWindowModified());
}

// Recovery data of a window: written within about a second of a change, gone after a save.
TEST(Recovery, FollowsTheWorkAndGoesWithASave) {
    QTemporaryDir dir;
    WindowFixture w;
    RecoveryStore* store = installRecovery(*w.form, dir.filePath(QStringLiteral("recovery")));
    ASSERT_TRUE(store->active()) << store->problem().toStdString();
    w.form->item(QStringLiteral("N18"))->trigger();
    EXPECT_FALSE(QFile::exists(store->ownPath())); // not on the change's own path
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(store->ownPath()); }, 3000));
    w.dialogs.saveNames = {dir.filePath(QStringLiteral("saved.Fun"))};
    ASSERT_TRUE(w.form->S2Click());
    EXPECT_FALSE(QFile::exists(store->ownPath()));
}

TEST(Recovery, ASecondInstanceNeverTakesTheFirstsAndUnreadableDataIsKeptAside) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery"));
    RecoveryRecord record;
    record.changedAt = QDateTime::currentDateTimeUtc();
    record.text = "400##300\r\n100##100##100\r\n0##1##0\r\n0\r\n0\r\n";
    ASSERT_TRUE(RecoveryStore::parse(RecoveryStore::fileBytes(record)));
    auto first = std::make_unique<RecoveryStore>(folder, [&] { return std::optional(record); });
    first->writeNow();
    QFile garbage(folder + QStringLiteral("/broken.recovery"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("Quorvel recovery 1\n{\"changed\":\"yesterday\"}\nnot a document");
    garbage.close();

    RecoveryStore second(folder, {});
    const RecoveryStore::Orphans whileRunning = second.takeOrphans();
    EXPECT_TRUE(whileRunning.records.isEmpty()); // the first is alive
    ASSERT_EQ(whileRunning.setAside.size(), 1);
    EXPECT_TRUE(QFile::exists(whileRunning.setAside[0])); // moved aside, not deleted
    EXPECT_TRUE(whileRunning.setAside[0].contains(QStringLiteral("/damaged/")));

    first.reset(); // its lock goes as a dead program's does
    const RecoveryStore::Orphans orphans = second.takeOrphans();
    ASSERT_EQ(orphans.records.size(), 1);
    EXPECT_EQ(orphans.records[0].text, record.text);
    RecoveryStore third(folder, {});
    EXPECT_TRUE(third.takeOrphans().records.isEmpty()); // the second holds it until it decides
}

// The whole round: a real program is killed with SIGKILL after a change; the next start restores the
// document as it was in the last history entry, byte for byte, as changed work under its file name.
TEST(Recovery, AKilledProgramsWorkIsRestoredByteForByte) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery"));
    const QString saved = dir.filePath(QStringLiteral("work.Fun"));
    QProcess child;
    child.start(QStringLiteral(QUORVEL_RECOVERY_CHILD), {folder, saved});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray out;
    while (!out.contains('\n') && child.waitForReadyRead(20000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.startsWith("READY ")) << out.toStdString() << child.readAllStandardError().toStdString();
    const std::string lastEntry = QByteArray::fromHex(out.mid(6).trimmed()).toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    child.waitForFinished(10000);

    WindowFixture w;
    RecoveryStore* store = installRecovery(*w.form, folder);
    w.sink.answers = {};
    int offered = 0;
    offerRecovery(*w.form, *store, w.sink, [&](const QList<RecoveryRecord>& records) {
        offered = int(records.size());
        return RecoveryChoice{RecoveryChoice::Restore, 0};
    });
    ASSERT_EQ(offered, 1);
    EXPECT_EQ(document::writeDocumentText(w.form->document()), lastEntry);
    EXPECT_EQ(w.form->fileName(), saved);
    EXPECT_TRUE(w.form->history().changed());
    EXPECT_TRUE(QFile::exists(store->ownPath())); // this instance keeps it now
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.recovery")}, QDir::Files).size(), 1);
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAMissingOneGoesWithAMessage) {
    QStringList recent;
    for (int i = 0; i < 10; ++i)
        recent = withRecentFile(recent, QStringLiteral("/d/%1.Fun").arg(i));
    recent = withRecentFile(recent, QStringLiteral("/d/5.Fun"));
    EXPECT_EQ(recent.size(), kMaxRecentFiles);
    EXPECT_EQ(recent.first(), QStringLiteral("/d/5.Fun"));
    EXPECT_EQ(recent.count(QStringLiteral("/d/5.Fun")), 1);
    EXPECT_EQ(recent.last(), QStringLiteral("/d/2.Fun")); // 0 and 1 fell off

    QTemporaryDir dir;
    WindowFixture w;
    installRecentFiles(*w.form, w.sink);
    w.dialogs.saveNames = {dir.filePath(QStringLiteral("kept.Fun"))};
    ASSERT_TRUE(w.form->S2Click());
    programSettings()->setValue(
        QString::fromLatin1(kRecentFilesKey),
        QStringList{dir.filePath(QStringLiteral("gone.Fun")), dir.filePath(QStringLiteral("kept.Fun"))});
    auto* menu = w.form->findChild<QMenu*>(QStringLiteral("RecentMenu"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    menu->actions()[0]->trigger();
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_NE(w.sink.shown[0].text.find("gone.Fun"), std::string::npos);
    EXPECT_EQ(programSettings()->value(QString::fromLatin1(kRecentFilesKey)).toStringList(),
              QStringList{dir.filePath(QStringLiteral("kept.Fun"))});
}

} // namespace
} // namespace quorvel::app
