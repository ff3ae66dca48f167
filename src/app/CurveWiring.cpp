#include "app/CurveWiring.h"

#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "graph/Templates.h"
#include "typeset/qt/ColorConversion.h"

#include <QAction>
#include <QColorDialog>

namespace quorvel::app {

std::unique_ptr<graph::CurvePlotter> installCurvePlotter(TForm1& form1, expr::Engine& engine,
                                                         MessageSink& sink) {
    graph::PlotterSheet sheet{form1.document(), [&form1] { return form1.sheet()->sheetSize().width(); },
                              [&form1] { form1.record_history(); }, [&form1] { form1.Draw_Image(); },
                              form1.textCache()};
    auto plotter = std::make_unique<graph::CurvePlotter>(engine, sink, std::move(sheet), &form1);
    graph::CurvePlotter* curves = plotter.get();

    form1.setResampler(curves->resampler());
    form1.sheetLayers().graphItems = [curves](typeset::Canvas& canvas) { curves->Draw_definefun(canvas); };
    for (const graph::TemplateFunction& entry : graph::templateFunctions()) {
        const std::string name(entry.buttonName);
        form1.setCommand(QString::fromStdString(name), [curves, name] { curves->templateButtonClick(name); });
    }
    form1.confirmAll();
    form1.Draw_Image();
    return plotter;
}

namespace {

// The graph item named by the first selection entry, or nullptr.
document::DEFINEFUN* selectedItem(document::Document& doc, int* slot = nullptr) {
    const document::ObjectRef first = doc.firstSelected();
    if (first.type != document::ObjectRef::Curve) return nullptr;
    if (slot) *slot = first.slot;
    return &doc.curve(first.slot);
}

} // namespace

void installCurvePopupCommands(TForm1& form1, graph::CurvePlotter& curves, ColourChooser chooseColour) {
    if (!chooseColour)
        chooseColour = [&form1](int current) -> std::optional<int> {
            const QColor chosen =
                QColorDialog::getColor(typeset::toQColor(current), &form1, QStringLiteral("修改颜色"));
            if (!chosen.isValid()) return std::nullopt;
            return typeset::fromQColor(chosen);
        };
    // The highlighted curve is the one recoloured, whatever lies in earlier slots.
    form1.setCommand(QStringLiteral("N33"), [&form1, chooseColour] {
        document::DEFINEFUN* item = selectedItem(form1.document());
        if (!item || !item->isCurve()) return;
        if (const std::optional<int> colour = chooseColour(item->colour)) {
            // The dialog's event loop may have run other commands: look the curve up again.
            item = selectedItem(form1.document());
            if (!item || !item->isCurve()) return;
            item->colour = *colour;
            form1.record_history();
        }
        form1.Draw_Image();
    });
    // The curve stays selected and drawn in the selection style, so the new width shows once it is not.
    form1.setCommand(QStringLiteral("N48"), [&form1] {
        document::DEFINEFUN* item = selectedItem(form1.document());
        if (!item || !item->isCurve()) return;
        item->thickLine = item->thickLine != 0 ? 0 : 1;
        form1.item(QStringLiteral("N48"))
            ->setText(item->thickLine != 0 ? QStringLiteral("细线(&t)") : QStringLiteral("粗线(&t)"));
        form1.record_history();
    });
    form1.setCommand(QStringLiteral("N43"), [&form1, &curves] {
        int slot = -1;
        if (selectedItem(form1.document(), &slot)) curves.openDemonstration(slot);
    });
}

} // namespace quorvel::app
