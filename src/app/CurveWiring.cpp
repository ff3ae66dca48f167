#include "app/CurveWiring.h"
#include "i18n/Translation.h"

#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "graph/CurveStyleCommands.h"
#include "graph/Templates.h"
#include "typeset/qt/ColorConversion.h"

#include <QColorDialog>

namespace quorvel::app {

std::unique_ptr<graph::CurvePlotter> installCurvePlotter(TForm1& form1, expr::Engine& engine,
                                                         MessageSink& sink) {
    graph::PlotterSheet sheet{form1.document(), [&form1] { return form1.sheet()->sheetSize(); },
                              [&form1] { form1.drawNow(); }, form1.textCache()};
    auto plotter = std::make_unique<graph::CurvePlotter>(engine, sink, std::move(sheet), &form1);
    graph::CurvePlotter* curves = plotter.get();

    form1.setResampler(curves->resampler());
    form1.sheetLayers().graphItems = [curves](typeset::Canvas& canvas) { curves->Draw_definefun(canvas); };
    for (const graph::TemplateFunction& entry : graph::templateFunctions()) {
        const std::string name(entry.buttonName);
        form1.setCommand(QString::fromStdString(name),
                         [curves, name] { return curves->templateButtonClick(name); });
    }
    form1.apply({.resample = true, .redraw = true});
    return plotter;
}

void installCurvePopupCommands(TForm1& form1, graph::CurvePlotter& curves, ColourChooser chooseColour) {
    if (!chooseColour)
        chooseColour = [&form1](int current) -> std::optional<int> {
            const QColor chosen =
                QColorDialog::getColor(typeset::toQColor(current), &form1, i18n::uiText("修改颜色"));
            if (!chosen.isValid()) return std::nullopt;
            return typeset::fromQColor(chosen);
        };
    form1.setCommand(QStringLiteral("N33"), [&form1, chooseColour] {
        return graph::recolourSelectedCurve(form1.document(), chooseColour);
    });
    form1.setCommand(QStringLiteral("N48"), [&form1] { return graph::toggleThickLine(form1.document()); });
    form1.setCommand(QStringLiteral("N43"), [&form1, &curves] {
        const document::ObjectRef first = form1.document().firstSelected();
        if (first.type != document::ObjectRef::Curve) return graph::change::kNone;
        return curves.openDemonstration(first.slot);
    });
}

} // namespace quorvel::app
