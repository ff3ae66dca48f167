#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLockFile;
class QTimer;

namespace quorvel::app {

// One piece of recovery data: what the start dialog shows and what restoring needs.
struct RecoveryRecord {
    QString path;         // the recovery file itself
    QString documentFile; // the document's own file; empty while it was never saved
    QDateTime changedAt;  // the last change written
    int objects = 0;
    std::string text; // the document text, as a history entry holds it
};

// The recovery data of the running program: after a change of the document its text is written, at most
// about a second later, atomically, to a file of this instance in the user's data folder, never beside
// or over the user's own file. A lock held for the program's life marks the file as this instance's, so
// a second instance never takes it; a file whose lock is free belongs to a program that died.
class RecoveryStore : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::function<std::optional<RecoveryRecord>()>;

    // The folder the program keeps recovery data in.
    static QString defaultFolder();

    // snapshot gives what to keep, or nothing when the document has no unsaved changes (the file goes).
    RecoveryStore(QString folder, Snapshot snapshot, QObject* parent = nullptr);
    ~RecoveryStore() override;

    // False when the folder cannot be used or locked; nothing is then written, and the reason is kept.
    bool active() const { return static_cast<bool>(ownLock_); }
    const QString& problem() const { return problem_; }
    QString ownPath() const;

    // A change happened: the snapshot is written within about a second.
    void changed();
    // Writes the snapshot now (or removes the file when there is nothing to keep).
    void writeNow();
    // Saved, replaced or left normally: this instance's file goes.
    void discard();

    // The recovery data of programs that died, oldest change first; each stays locked by this instance
    // until it is restored, dropped or this instance ends, so two starting instances never offer the
    // same. Files that do not read are moved into the folder "damaged" and named in setAside.
    struct Orphans {
        QList<RecoveryRecord> records;
        QStringList setAside;
    };
    [[nodiscard]] Orphans takeOrphans();
    // Deletes an orphan after it was restored or given up.
    void dropOrphan(const RecoveryRecord& record);

    // The bytes of a recovery file for a record, and back; a file that does not read gives nothing.
    static QByteArray fileBytes(const RecoveryRecord& record);
    static std::optional<RecoveryRecord> parse(const QByteArray& bytes);

private:
    QString folder_;
    Snapshot snapshot_;
    QString id_;
    std::unique_ptr<QLockFile> ownLock_;
    std::map<QString, std::unique_ptr<QLockFile>> orphanLocks_;
    QTimer* pending_ = nullptr;
    QString problem_;
};

} // namespace quorvel::app
