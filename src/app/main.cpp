// Quorvel, the desktop program: creates its windows, shows the main window maximised and runs the
// message loop until the main window closes.
#include "app/ProgramWiring.h"
#include "app/QtMessageSink.h"
#include "app/QuorvelApplication.h"
#include "app/RecoveryOffer.h"
#include "app/TForm1.h"
#include "app/TForm13.h"
#include "app/WindowPlacement.h"

#include <QTimer>

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before the application starts, so they need no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::cout << "quorvel " QUORVEL_VERSION "\n";
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::cout << "usage: quorvel [FILE.Fun]\n"
                         "Formulas, function graphs and calculations for school mathematics; opens FILE.Fun\n"
                         "or a new document. Qt's own options (-platform, -style, ...) are accepted too.\n"
                         "  --version  print the version\n"
                         "  --help     print this text\n"
                         "quorvel-cli is the command-line companion (quorvel-cli --help).\n";
            return 0;
        }
    }
    using namespace quorvel::app;
    QuorvelApplication application(argc, argv);

    // The windows are created in their fixed order; the main window needs none of the others.
    QtMessageSink sink;
    TForm1 form1(TForm1::Services{&sink, nullptr, {}});
    sink.setParent(&form1);
    application.setErrorSink(&sink);
    TForm13 form13(&form1);
    form1.setAboutBox(&form13);
    const auto program = installProgram(form1, sink);
    RecoveryStore* recovery = installRecovery(form1, RecoveryStore::defaultFolder());

    showInKeptPlacement(form1);
    // Work a crashed run left behind is offered first; a document named on the command line follows.
    const QString document = documentArgument(QCoreApplication::arguments());
    QTimer::singleShot(0, &form1, [&form1, &sink, recovery, document] {
        if (!recovery->active())
            sink.show(recovery->problem().toStdString(), quorvel::kCaptionWarning,
                      quorvel::MessageIcon::Warning);
        offerRecovery(form1, *recovery, sink, [&form1](const QList<RecoveryRecord>& records) {
            return chooseRecovery(&form1, records);
        });
        if (!document.isEmpty())
            form1.runCommand([&] {
                (void)form1.openFile(document);
                return quorvel::graph::change::kNone;
            });
    });
    return application.exec();
}
