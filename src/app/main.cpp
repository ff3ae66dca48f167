// Quorvel, the desktop program: creates its windows, shows the main window maximised and runs the
// message loop until the main window closes.
#include "app/AnnotationWiring.h"
#include "app/CurveWiring.h"
#include "app/EditCommands.h"
#include "app/EditorWiring.h"
#include "app/QtMessageSink.h"
#include "app/QuorvelApplication.h"
#include "app/SheetInteraction.h"
#include "app/TForm1.h"
#include "app/TForm13.h"
#include "graph/ui/CommandMessageSink.h"

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
    // The engine's state is shared by the plotter and the formula editor; its messages show once per
    // command, however many curves or columns complain.
    quorvel::graph::CommandMessageSink engineSink(sink);
    quorvel::expr::Engine engine(engineSink);
    quorvel::typeset::Typesetter typesetter;                      // the output style of formulas and labels
    const auto curves = installCurvePlotter(form1, engine, sink); // with the function editing dialog TForm3
    auto* editor = installFormulaEditor(form1, engine, typesetter, sink, *curves); // Tformularymain
    installCurvePopupCommands(form1, *curves);
    // The pointer and the keys on the sheet.
    SheetInteraction* interaction = installSheetInteraction(form1, engine);
    installReopening(*interaction, *curves, *editor);
    installEditCommands(form1, *interaction, {});
    installAnnotations(form1, *interaction, sink); // TForm6

    // Without a window manager (a bare X server) maximising does nothing, so the window takes the
    // screen's free area itself first.
    if (const QScreen* screen = form1.screen()) form1.setGeometry(screen->availableGeometry());
    form1.showMaximized();
    const QString document = documentArgument(QCoreApplication::arguments());
    if (!document.isEmpty())
        QTimer::singleShot(0, &form1,
                           [&form1, document] { form1.runCommand([&] { form1.openFile(document); }); });
    return application.exec();
}
