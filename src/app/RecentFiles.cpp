#include "app/RecentFiles.h"
#include "i18n/Translation.h"

#include "app/Captions.h"
#include "app/ProgramSettings.h"
#include "app/TForm1.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace quorvel::app {

QStringList withRecentFile(QStringList recent, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaxRecentFiles)
        recent.removeLast();
    return recent;
}

namespace {

QStringList storedList() {
    return programSettings()->value(QString::fromLatin1(kRecentFilesKey)).toStringList();
}

void store(const QStringList& recent) {
    programSettings()->setValue(QString::fromLatin1(kRecentFilesKey), recent);
}

// Fills the submenu from the settings each time it opens, so every window and run agrees.
void fill(QMenu* menu, TForm1& form1, MessageSink& sink) {
    menu->clear();
    const QStringList recent = storedList();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // &1 … &8: each entry has its key.
        QAction* action =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        QObject::connect(action, &QAction::triggered, &form1, [&form1, &sink, path] {
            form1.runCommand([&form1, &sink, path] {
                if (!QFileInfo(path).isFile()) {
                    QStringList list = storedList();
                    list.removeAll(path);
                    store(list);
                    sink.show(fillTemplate(UI_TEXT("找不到文件“%1”，已从最近的文件中移除。"),
                                           {QDir::toNativeSeparators(path).toStdString()}),
                              kCaptionHint, MessageIcon::Warning);
                    return graph::change::kNone;
                }
                (void)form1.openFile(path);
                return graph::change::kNone;
            });
        });
    }
    menu->setEnabled(!recent.isEmpty());
}

} // namespace

void installRecentFiles(TForm1& form1, MessageSink& sink) {
    QMenu* file = form1.item(QStringLiteral("F1"))->menu();
    auto* recent = new QMenu(i18n::uiText("最近的文件(&R)"), file);
    recent->setObjectName(QStringLiteral("RecentMenu"));
    file->insertMenu(form1.item(QStringLiteral("N3")), recent);
    QObject::connect(recent, &QMenu::aboutToShow, recent,
                     [recent, &form1, &sink] { fill(recent, form1, sink); });
    QObject::connect(&form1, &TForm1::fileUsed, recent, [recent, &form1, &sink](const QString& path) {
        store(withRecentFile(storedList(), path));
        fill(recent, form1, sink);
    });
    fill(recent, form1, sink);
}

} // namespace quorvel::app
