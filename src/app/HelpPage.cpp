#include "app/HelpPage.h"
#include "i18n/Translation.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
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

namespace {

// The help window: the page with its pictures, 后退 and 前进 (Alt+Left, Alt+Right), and 查找 (Ctrl+F)
// that finds the next place of the text, going round at the end.
QDialog* buildViewer(QWidget* parent) {
    auto* viewer = new QDialog(parent);
    viewer->setObjectName(QStringLiteral("HelpViewer"));
    viewer->setWindowTitle(i18n::uiText("使用说明"));
    viewer->resize(760, 600);
    auto* column = new QVBoxLayout(viewer);
    column->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    const auto button = [viewer, row](const char* name, const char* caption, QKeySequence key) {
        auto* b = new QToolButton(viewer);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(i18n::uiText(caption));
        b->setShortcut(key);
        b->setToolTip(i18n::uiText(caption) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
        row->addWidget(b);
        return b;
    };
    QToolButton* back = button("HelpBack", UI_TEXT("后退"), QKeySequence(QKeySequence::Back));
    QToolButton* forward = button("HelpForward", UI_TEXT("前进"), QKeySequence(QKeySequence::Forward));
    row->addStretch(1);
    auto* findLabel = new QLabel(i18n::uiText("查找："), viewer);
    auto* find = new QLineEdit(viewer);
    find->setObjectName(QStringLiteral("HelpFind"));
    find->setAccessibleName(i18n::uiText("查找"));
    find->setClearButtonEnabled(true);
    findLabel->setBuddy(find);
    row->addWidget(findLabel);
    row->addWidget(find);
    column->addLayout(row);
    auto* browser = new QTextBrowser(viewer);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setAccessibleName(i18n::uiText("使用说明"));
    browser->setOpenExternalLinks(true);
    column->addWidget(browser);

    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(back, &QToolButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QToolButton::clicked, browser, &QTextBrowser::forward);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    auto* focusFind = new QShortcut(QKeySequence::Find, viewer);
    QObject::connect(focusFind, &QShortcut::activated, find, [find] {
        find->setFocus(Qt::ShortcutFocusReason);
        find->selectAll();
    });
    QObject::connect(find, &QLineEdit::returnPressed, browser, [browser, find] {
        if (find->text().isEmpty()) return;
        if (browser->find(find->text())) return;
        // Round from the top; a text that is nowhere leaves the view where it was.
        const QTextCursor kept = browser->textCursor();
        browser->moveCursor(QTextCursor::Start);
        if (!browser->find(find->text())) browser->setTextCursor(kept);
    });
    return viewer;
}

} // namespace

QWidget* showHelpViewer(QWidget* parent, const QString& pagePath) {
    auto* viewer = parent ? parent->findChild<QDialog*>(QStringLiteral("HelpViewer")) : nullptr;
    if (!viewer) viewer = buildViewer(parent);
    viewer->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))->setSource(QUrl::fromLocalFile(pagePath));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

} // namespace quorvel::app
