#include "app/RecoveryStore.h"
#include "i18n/Translation.h"

#include "document/Document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace quorvel::app {

namespace {

const QString kSuffix = QStringLiteral(".recovery");
const QByteArray kMagic = QByteArrayLiteral("Quorvel recovery 1\n");
constexpr int kWriteDelayMs = 1000;

QString lockPathOf(const QString& recoveryPath) {
    return recoveryPath.left(recoveryPath.size() - kSuffix.size()) + QStringLiteral(".lock");
}

} // namespace

QString RecoveryStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

RecoveryStore::RecoveryStore(QString folder, Snapshot snapshot, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), snapshot_(std::move(snapshot)),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(kWriteDelayMs);
    connect(pending_, &QTimer::timeout, this, &RecoveryStore::writeNow);
    if (!QDir().mkpath(folder_)) {
        problem_ = i18n::uiText("无法创建恢复数据文件夹：") + QDir::toNativeSeparators(folder_);
        return;
    }
    auto lock = std::make_unique<QLockFile>(lockPathOf(ownPath()));
    lock->setStaleLockTime(0); // held for the program's life: only a dead owner makes it stale
    if (!lock->tryLock(0)) {
        problem_ = i18n::uiText("无法锁定恢复数据文件：") + QDir::toNativeSeparators(lock->fileName());
        return;
    }
    ownLock_ = std::move(lock);
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::ownPath() const {
    return folder_ + QLatin1Char('/') + id_ + kSuffix;
}

void RecoveryStore::changed() {
    // Not restarted by later changes: a steady stream of them is still written every second.
    if (active() && !pending_->isActive()) pending_->start();
}

void RecoveryStore::writeNow() {
    pending_->stop();
    if (!active()) return;
    const std::optional<RecoveryRecord> record = snapshot_ ? snapshot_() : std::nullopt;
    if (!record) {
        QFile::remove(ownPath());
        return;
    }
    QSaveFile file(ownPath());
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(fileBytes(*record));
    (void)file.commit();
}

void RecoveryStore::discard() {
    pending_->stop();
    QFile::remove(ownPath());
}

QByteArray RecoveryStore::fileBytes(const RecoveryRecord& record) {
    QJsonObject meta;
    meta.insert(QStringLiteral("file"), record.documentFile);
    meta.insert(QStringLiteral("changed"), record.changedAt.toUTC().toString(Qt::ISODateWithMs));
    meta.insert(QStringLiteral("objects"), record.objects);
    return kMagic + QJsonDocument(meta).toJson(QJsonDocument::Compact) + '\n' +
           QByteArray::fromStdString(record.text);
}

std::optional<RecoveryRecord> RecoveryStore::parse(const QByteArray& bytes) {
    if (!bytes.startsWith(kMagic)) return std::nullopt;
    const qsizetype metaEnd = bytes.indexOf('\n', kMagic.size());
    if (metaEnd < 0) return std::nullopt;
    const QJsonDocument meta = QJsonDocument::fromJson(bytes.mid(kMagic.size(), metaEnd - kMagic.size()));
    if (!meta.isObject()) return std::nullopt;
    RecoveryRecord record;
    record.documentFile = meta[QStringLiteral("file")].toString();
    record.changedAt = QDateTime::fromString(meta[QStringLiteral("changed")].toString(), Qt::ISODateWithMs);
    record.objects = meta[QStringLiteral("objects")].toInt();
    record.text = bytes.mid(metaEnd + 1).toStdString();
    // The text must read as a whole document, or restoring it would lose what follows the damage.
    document::Document trial;
    if (!record.changedAt.isValid() || !trial.open(record.text, {}).ok) return std::nullopt;
    return record;
}

RecoveryStore::Orphans RecoveryStore::takeOrphans() {
    Orphans found;
    const QDir dir(folder_);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const QString path = info.absoluteFilePath();
        if (path == QFileInfo(ownPath()).absoluteFilePath() || orphanLocks_.count(path)) continue;
        auto lock = std::make_unique<QLockFile>(lockPathOf(path));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue; // its program is running
        QFile file(path);
        std::optional<RecoveryRecord> record;
        if (file.open(QIODevice::ReadOnly)) record = parse(file.readAll());
        file.close();
        if (!record) {
            // Kept for whoever can still read it, never deleted silently.
            const QString aside = folder_ + QStringLiteral("/damaged");
            QDir().mkpath(aside);
            const QString target = aside + QLatin1Char('/') + info.fileName();
            QFile::remove(target);
            found.setAside << (QFile::rename(path, target) ? target : path);
            continue;
        }
        record->path = path;
        found.records << *record;
        orphanLocks_[path] = std::move(lock);
    }
    std::sort(found.records.begin(), found.records.end(),
              [](const RecoveryRecord& a, const RecoveryRecord& b) { return a.changedAt < b.changedAt; });
    return found;
}

void RecoveryStore::dropOrphan(const RecoveryRecord& record) {
    QFile::remove(record.path);
    orphanLocks_.erase(record.path); // the lock file goes with its object
}

} // namespace quorvel::app
