#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace quorvel::codec {

// Writes bytes to path through a temporary file that replaces the old one only when everything was
// written. Flushes and checks before committing: commit alone does not notice every write that the
// disk cut short (full disk, file size limit), and would then replace a good file with a truncated one.
inline bool saveBytesAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush() && file.error() == QFileDevice::NoError;
    if (!written) file.cancelWriting();
    if (written && file.commit()) return true;
    if (error) *error = file.errorString();
    return false;
}

} // namespace quorvel::codec
