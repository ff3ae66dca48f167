#include "app/ProgramWiring.h"

#include "app/AnnotationWiring.h"
#include "app/CurveReading.h"
#include "app/CurveWiring.h"
#include "app/EditCommands.h"
#include "app/EditorWiring.h"
#include "app/RecentFiles.h"
#include "app/SheetExport.h"
#include "app/SheetInteraction.h"
#include "app/TForm1.h"
#include "graph/ui/CommandMessageSink.h"
#include "typeset/Typesetter.h"

namespace quorvel::app {

struct Program {
    // The engine's messages show once per command, however many curves or columns complain.
    explicit Program(MessageSink& sink) : engineSink(sink), engine(engineSink) {}

    graph::CommandMessageSink engineSink;
    expr::Engine engine;
    typeset::Typesetter typesetter; // the output style of formulas and labels
    std::unique_ptr<graph::CurvePlotter> curves;
};

std::shared_ptr<Program> installProgram(TForm1& form1, MessageSink& sink) {
    auto program = std::make_shared<Program>(sink);
    program->curves = installCurvePlotter(form1, program->engine, sink); // with the function dialog TForm3
    auto* editor = installFormulaEditor(form1, program->engine, program->typesetter, sink, *program->curves);
    installCurvePopupCommands(form1, *program->curves);
    SheetInteraction* interaction = installSheetInteraction(form1, program->engine);
    installReopening(*interaction, *program->curves, *editor);
    installEditCommands(form1, *interaction, {});
    installAnnotations(form1, *interaction, sink); // TForm6
    installRecentFiles(form1, sink);
    installCurveReading(form1);
    installSheetExport(form1, sink);
    return program;
}

} // namespace quorvel::app
