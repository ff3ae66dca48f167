#include "app/HelpPage.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

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

QWidget* showHelpViewer(QWidget* parent, const QString& pagePath) {
    auto* viewer = parent ? parent->findChild<QDialog*>(QStringLiteral("HelpViewer")) : nullptr;
    if (!viewer) {
        viewer = new QDialog(parent);
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setWindowTitle(QStringLiteral("使用说明"));
        viewer->resize(760, 600);
        auto* column = new QVBoxLayout(viewer);
        column->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser(viewer);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setAccessibleName(QStringLiteral("使用说明"));
        browser->setOpenExternalLinks(true);
        column->addWidget(browser);
    }
    viewer->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))->setSource(QUrl::fromLocalFile(pagePath));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

} // namespace quorvel::app
