#include "app/ToolIcons.h"

#include <QFile>
#include <QHash>

namespace quorvel::app {

QIcon toolIcon(const QString& name) {
    static const QHash<QString, QString> themeNames{
        {QStringLiteral("new"), QStringLiteral("document-new")},
        {QStringLiteral("open"), QStringLiteral("document-open")},
        {QStringLiteral("save"), QStringLiteral("document-save")},
        {QStringLiteral("print"), QStringLiteral("document-print")},
        {QStringLiteral("exit"), QStringLiteral("application-exit")},
        {QStringLiteral("undo"), QStringLiteral("edit-undo")},
        {QStringLiteral("redo"), QStringLiteral("edit-redo")},
        {QStringLiteral("help"), QStringLiteral("help-contents")},
    };
    const QString file = QStringLiteral(":/quorvel/icons/%1.svg").arg(name);
    if (!QFile::exists(file)) return {};
    const QIcon own(file);
    const auto theme = themeNames.constFind(name);
    if (theme == themeNames.constEnd()) return own;
    return QIcon::fromTheme(*theme, own);
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/quorvel/quorvel.svg"));
}

} // namespace quorvel::app
