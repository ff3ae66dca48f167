#include "app/QuorvelApplication.h"

#include "app/ErrorBox.h"
#include "app/ToolIcons.h"
#include "i18n/Language.h"
#include "typeset/qt/FontSetup.h"

#include <QUrl>

#include <iostream>

namespace quorvel::app {

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Quorvel"));
    setApplicationDisplayName(QStringLiteral("Quorvel"));
    setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    setDesktopFileName(QStringLiteral("quorvel"));
    setWindowIcon(programIcon());
    // Chinese unless the locale asks for English; Qt's own dialogs follow.
    (void)i18n::useLanguage(i18n::languageFor(i18n::processEnvironment()));
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
