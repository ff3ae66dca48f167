// Quorvel, the desktop program: creates its windows, shows the main window maximised and runs the
// message loop until the main window closes.
#include "app/ProgramWiring.h"
#include "app/QtMessageSink.h"
#include "app/QuorvelApplication.h"
#include "app/TForm1.h"
#include "app/TForm13.h"

#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    using namespace quorvel::app;
    QuorvelApplication application(argc, argv);

    // The windows are created in their fixed order; the main window needs none of the others.
    QtMessageSink sink;
    TForm1 form1(TForm1::Services{&sink, nullptr, {}, {}});
    sink.setParent(&form1);
    application.setErrorSink(&sink);
    TForm13 form13(&form1);
    form1.setAboutBox(&form13);
    const auto program = installProgram(form1, sink);

    // Without a window manager (a bare X server) maximising does nothing, so the window takes the
    // screen's free area itself first.
    if (const QScreen* screen = form1.screen()) form1.setGeometry(screen->availableGeometry());
    form1.showMaximized();
    const QString document = documentArgument(QCoreApplication::arguments());
    if (!document.isEmpty())
        QTimer::singleShot(0, &form1, [&form1, document] {
            form1.runCommand([&] {
                (void)form1.openFile(document);
                return quorvel::graph::change::kNone;
            });
        });
    return application.exec();
}
