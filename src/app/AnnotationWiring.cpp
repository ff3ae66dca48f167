#include "app/AnnotationWiring.h"

#include "app/FontColourDialog.h"
#include "app/SheetInteraction.h"
#include "app/TForm1.h"
#include "app/TForm6.h"
#include "graph/AnnotationCommands.h"
#include "graph/AnnotationDrawing.h"
#include "typeset/qt/QtCanvas.h"

#include <memory>

namespace quorvel::app {

namespace {

// The dialog TForm6 as the annotation commands see it; a new annotation's dialog opens at the press.
class Form6Dialog : public graph::AnnotationDialog {
public:
    Form6Dialog(TForm6& form6, QPoint at) : form6_(form6), at_(at) {}
    std::optional<document::REMARK> writeNew() override { return form6_.execNew(at_); }
    std::optional<document::REMARK> edit(const document::REMARK& remark) override {
        return form6_.execEdit(remark);
    }
    document::FontSpec lastChosenFont() const override { return form6_.lastChosenFont(); }

private:
    TForm6& form6_;
    QPoint at_;
};

// Runs an annotation command with the sheet's text metrics, so the stored box is the drawn one.
template <typename Run> graph::SheetChange withContext(TForm1& form1, MessageSink& sink, Run run) {
    typeset::QtCanvas measuring(form1.textCache());
    graph::AnnotationContext ctx{form1.document(), measuring, sink, [&form1] { form1.drawNow(); }};
    return run(ctx);
}

} // namespace

TForm6* installAnnotations(TForm1& form1, SheetInteraction& interaction, MessageSink& sink,
                           FontChooser chooseFont) {
    if (!chooseFont) chooseFont = &chooseFontWithColour;
    auto* form6 = new TForm6(sink, &form1);
    form6->setFontChooser(chooseFont);

    form1.sheetLayers().annotations = [&form1](typeset::Canvas& canvas) {
        graph::Draw_remark(canvas, form1.document());
    };
    // Hit tests measure on every pointer move: one canvas serves them all.
    auto hitCanvas = std::make_shared<typeset::QtCanvas>(form1.textCache());
    interaction.mouse().setRemarkMeasure(
        [hitCanvas](document::REMARK& remark) { (void)graph::measureRemark(*hitCanvas, remark); });

    for (const char* name : {"SpeedButton17", "SpeedButton12", "N44"})
        form1.setCommand(QString::fromLatin1(name), [&interaction] {
            interaction.mouse().setRemarkMode(true);
            return graph::change::kNone;
        });
    interaction.setPlaceRemark([&form1, form6, &sink](graph::SheetPoint at, QPoint globalPos) {
        Form6Dialog dialog(*form6, globalPos);
        return withContext(form1, sink, [&](auto& ctx) { return graph::placeAnnotation(ctx, dialog, at); });
    });
    interaction.setReopenRemark([&form1, form6, &sink](int slot) {
        Form6Dialog dialog(*form6, QPoint());
        return withContext(form1, sink, [&](auto& ctx) { return graph::editAnnotation(ctx, dialog, slot); });
    });
    form1.setCommand(QStringLiteral("N34"), [&form1, &sink, chooseFont] {
        const graph::FontChooser choose = [&form1, chooseFont](const document::FontSpec& current) {
            return chooseFont(&form1, current);
        };
        return withContext(form1, sink,
                           [&](auto& ctx) { return graph::refontSelectedAnnotation(ctx, choose); });
    });
    form1.setCommand(QStringLiteral("N41"), [&form1, &interaction, &sink, form6] {
        const graph::SheetPoint at = interaction.mouse().pastePosition();
        return withContext(form1, sink, [&](auto& ctx) {
            return graph::labelSelectedCurve(ctx, form6->lastChosenFont(), at);
        });
    });
    return form6;
}

} // namespace quorvel::app
