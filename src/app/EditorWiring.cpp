#include "app/EditorWiring.h"

#include "app/SheetInteraction.h"
#include "app/TForm1.h"
#include "editor/Tformularymain.h"
#include "graph/FormulaCommands.h"

namespace quorvel::app {

namespace {

struct EditorCommand {
    std::initializer_list<const char*> names;
    graph::CurveOutcome (*run)(graph::CurveCommandContext&, graph::FormulaEditorDialog&);
};

} // namespace

editor::Tformularymain* installFormulaEditor(TForm1& form1, expr::Engine& engine,
                                             typeset::Typesetter& typesetter, MessageSink& sink,
                                             graph::CurvePlotter& curves) {
    auto* editor = new editor::Tformularymain(engine, typesetter, sink, form1.textCache(), &form1);
    curves.setOutputStyle(&typesetter.style);
    const EditorCommand commands[] = {
        {{"N50", "SpeedButton26"}, &graph::formulaEditCommand},
        {{"N40", "SpeedButton18", "N37"}, &graph::calculationCommand},
        {{"N39", "SpeedButton19", "SpeedButton13", "N36"}, &graph::customFunctionCommand},
    };
    for (const EditorCommand& command : commands) {
        const auto run = command.run;
        for (const char* name : command.names)
            form1.setCommand(QString::fromLatin1(name), [&curves, editor, run] {
                return curves.runCommand([&](graph::CurveCommandContext& ctx) { return run(ctx, *editor); });
            });
    }
    return editor;
}

void installReopening(SheetInteraction& interaction, graph::CurvePlotter& curves,
                      editor::Tformularymain& editor) {
    interaction.setReopenItem([&curves, &editor, &interaction](int slot) {
        const document::Document& doc = interaction.mouse().document();
        if (slot < 0 || slot >= doc.curveCount()) return graph::change::kNone;
        if (doc.curve(slot).kind == document::KindTemplateFunction) return curves.reopenTemplateCurve(slot);
        return curves.runCommand(
            [&](graph::CurveCommandContext& ctx) { return graph::reopenFormulaItem(ctx, editor, slot); });
    });
}

} // namespace quorvel::app
