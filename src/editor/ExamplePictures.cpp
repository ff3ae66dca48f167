#include "editor/ExamplePictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quorvel::editor {

QString examplePicturePath(std::string_view name, const QString& programFolder) {
    if (name.empty()) return {};
    const QString file = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const QDir folder(programFolder);
    const QString besideProgram =
        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("tubiaolizi/") + file));
    const QString installed =
        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/quorvel/tubiaolizi/") + file));
    for (const QString& candidate : {besideProgram, installed})
        if (QFileInfo(candidate).isFile()) return candidate;
    return {};
}

QString examplePicturePath(std::string_view name) {
    return examplePicturePath(name, QCoreApplication::applicationDirPath());
}

} // namespace quorvel::editor
