#include "AppTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>

namespace quorvel::apptest {

WindowFixture::WindowFixture(QSize size) {
    app::TForm1::Services services;
    services.sink = &sink;
    services.fileDialogs = &dialogs;
    services.endProcess = [this](int code) { exitCodes.push_back(code); };
    form = std::make_unique<app::TForm1>(services);
    form->resize(size);
    form->show();
    settle();
}

WindowFixture::~WindowFixture() {
    // A test may leave the document changed; closing must not ask again here.
    form->hide();
}

QSize WindowFixture::panel() const {
    return form->sheetPanel()->size();
}

void WindowFixture::settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// The shown controls of root whose accessible name differs from their caption, one per line.
std::string namesOtherThanCaptions(QWidget* root) {
    QStringList wrong;
    const auto check = [&wrong](QWidget* widget, QString caption) {
        caption = caption.remove(QLatin1Char('&')).trimmed();
        if (!widget->isVisible() || caption.isEmpty()) return;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        const QString name =
            face ? face->text(QAccessible::Name).remove(QLatin1Char('&')).trimmed() : QString();
        // Keys of the keypad and the palette show a symbol (←, Σ, 7) and are named by what they do, the
        // description their tip shows.
        if (name != caption && name != widget->toolTip())
            wrong << widget->objectName() + QStringLiteral(": ") + name + QStringLiteral(" ≠ ") + caption;
    };
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        check(button, button->text());
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->textFormat() != Qt::RichText) check(label, label->text());
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
        check(group, group->title());
    return wrong.join(QLatin1Char('\n')).toStdString();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

CliRun runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QUORVEL_CLI_PATH), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace quorvel::apptest
