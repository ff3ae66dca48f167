#include "typeset/qt/HeadlessGui.h"

#include "typeset/qt/FontSetup.h"

#include <QGuiApplication>

#include <cstdio>

namespace quorvel::typeset {

namespace {

// A headless run has no session, so Qt's note about the missing runtime directory is noise on the
// tool's error stream; every other message passes through.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    fputs(qPrintable(qFormatLogMessage(type, context, message)), stderr);
    fputc('\n', stderr);
}

} // namespace

std::unique_ptr<QGuiApplication> startHeadlessGui() {
    if (QCoreApplication::instance()) {
        installFontSubstitutions();
        return nullptr;
    }
    // A headless run must not depend on a display, even when one is set.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // QGuiApplication keeps references to argc and argv for its whole life.
    qInstallMessageHandler(quietHandler);
    static int argc = 1;
    static char name[] = "quorvel";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitutions();
    return app;
}

} // namespace quorvel::typeset
