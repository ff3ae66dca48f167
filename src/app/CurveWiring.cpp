#include "app/CurveWiring.h"

#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "graph/Templates.h"

namespace quorvel::app {

std::unique_ptr<graph::CurvePlotter> installCurvePlotter(TForm1& form1, expr::Engine& engine,
                                                         MessageSink& sink) {
    graph::PlotterSheet sheet{form1.document(),
                              form1.interaction(),
                              [&form1] { return form1.sheet()->bitmap().width(); },
                              [&form1] { form1.record_history(); },
                              [&form1] { form1.Draw_Image(); },
                              form1.textCache()};
    auto plotter = std::make_unique<graph::CurvePlotter>(engine, sink, std::move(sheet), &form1);
    graph::CurvePlotter* curves = plotter.get();

    form1.setResampler(curves->resampler());
    graph::SheetLayers layers;
    layers.graphItems = [curves](typeset::Canvas& canvas) { curves->Draw_definefun(canvas); };
    form1.setSheetLayers(std::move(layers));
    for (const graph::TemplateFunction& entry : graph::templateFunctions()) {
        const std::string name(entry.buttonName);
        form1.setCommand(QString::fromStdString(name), [curves, name] { curves->templateButtonClick(name); });
    }
    form1.confirmAll();
    form1.Draw_Image();
    return plotter;
}

} // namespace quorvel::app
