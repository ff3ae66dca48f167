#include "app/QuorvelApplication.h"

#include "app/ErrorBox.h"
#include "app/ToolIcons.h"
#include "typeset/qt/FontSetup.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>

#include <iostream>

namespace quorvel::app {

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Quorvel"));
    setApplicationDisplayName(QStringLiteral("Quorvel"));
    setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    setDesktopFileName(QStringLiteral("quorvel"));
    setWindowIcon(programIcon());
    // The user interface is Chinese; so are the buttons of Qt's own dialogs.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    typeset::installFontSubstitutions();
}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportEscapedError(&e);
    } catch (...) {
        reportEscapedError(nullptr);
    }
    return false;
}

void QuorvelApplication::reportEscapedError(const std::exception* error) {
    // The error box runs its own event loop; an error inside it must not open another one.
    if (reporting_ || !errorSink_) {
        std::cerr << "quorvel: " << (error ? error->what() : "unknown error") << "\n";
        return;
    }
    reporting_ = true;
    showEscapedError(*errorSink_, error);
    reporting_ = false;
}

QString documentArgument(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.isEmpty() || a.startsWith(QLatin1Char('-'))) continue;
        const QUrl url(a);
        return url.isLocalFile() ? url.toLocalFile() : a;
    }
    return {};
}

} // namespace quorvel::app
