#include "app/HelpPage.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel::app {

QString helpPagePath(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString besideProgram = folder.absoluteFilePath(QStringLiteral("help/index.htm"));
    const QString installed =
        QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/quorvel/help/index.htm")));
    for (const QString& candidate : {besideProgram, installed})
        if (QFileInfo(candidate).isFile()) return candidate;
    return besideProgram;
}

} // namespace quorvel::app
