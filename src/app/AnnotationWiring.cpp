#include "app/AnnotationWiring.h"

#include "app/FontColourDialog.h"
#include "app/SheetInteraction.h"
#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "app/TForm6.h"
#include "document/Messages.h"
#include "graph/AnnotationDrawing.h"
#include "graph/CurveDrawing.h"
#include "typeset/qt/QtCanvas.h"

#include <cmath>
#include <memory>

namespace quorvel::app {

namespace {

using document::REMARK;

// The slot of the annotation named by the first selection entry, or -1.
int selectedRemark(const document::Document& doc) {
    const document::ObjectRef first = doc.firstSelected();
    return first.type == document::ObjectRef::Remark ? first.slot : -1;
}

int truncated(double v) {
    return std::isfinite(v) ? static_cast<int>(std::clamp(std::trunc(v), -1e9, 1e9)) : 0;
}

// Measures with the sheet's text metrics, so the stored box is the drawn one (and history texts are
// deterministic).
void measure(TForm1& form1, REMARK& remark) {
    typeset::QtCanvas canvas(form1.textCache());
    (void)graph::measureRemark(canvas, remark);
}

void place(TForm1& form1, TForm6& form6, MessageSink& sink, graph::SheetPoint at, QPoint globalPos) {
    document::Document& doc = form1.document();
    if (doc.remarksFull()) {
        sink.show(document::kListFullMessage, kCaptionHint, MessageIcon::Warning);
        return;
    }
    std::optional<REMARK> written = form6.execNew(globalPos);
    if (!written || written->text.empty()) {
        form1.Draw_Image();
        return;
    }
    written->left = truncated(at.x);
    written->top = truncated(at.y);
    measure(form1, *written);
    doc.selection.clear();
    if (!doc.addRemark(std::move(*written))) return;
    form1.Draw_Image();
    form1.record_history();
}

void edit(TForm1& form1, TForm6& form6, int slot) {
    document::Document& doc = form1.document();
    if (slot < 0 || slot >= doc.remarkCount()) return;
    doc.selection.selectOnly(doc.combinedOfRemark(slot));
    form1.Draw_Image();
    std::optional<REMARK> written = form6.execEdit(doc.remark(slot));
    // The dialog's event loop may have run other commands: the slot must still hold the annotation.
    if (!written || slot >= doc.remarkCount()) {
        form1.Draw_Image();
        return;
    }
    if (written->text.empty()) {
        // An empty annotation could never be hit again: it goes, as a new one with no text never comes.
        doc.removeRemark(slot);
        doc.selection.clear();
    } else {
        REMARK& remark = doc.remark(slot);
        remark.text = written->text;
        remark.font = written->font;
        measure(form1, remark);
    }
    form1.Draw_Image();
    form1.record_history();
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
        [hitCanvas](REMARK& remark) { (void)graph::measureRemark(*hitCanvas, remark); });

    for (const char* name : {"SpeedButton17", "SpeedButton12", "N44"})
        form1.setCommand(QString::fromLatin1(name),
                         [&interaction] { interaction.mouse().setRemarkMode(true); });
    interaction.setPlaceRemark([&form1, form6, &sink](graph::SheetPoint at, QPoint globalPos) {
        place(form1, *form6, sink, at, globalPos);
    });
    interaction.setReopenRemark([&form1, form6](int slot) { edit(form1, *form6, slot); });

    form1.setCommand(QStringLiteral("N34"), [&form1, chooseFont] {
        document::Document& doc = form1.document();
        const int slot = selectedRemark(doc);
        if (slot < 0) return;
        if (const std::optional<document::FontSpec> font = chooseFont(&form1, doc.remark(slot).font)) {
            if (slot >= doc.remarkCount()) return;
            doc.remark(slot).font = *font;
            measure(form1, doc.remark(slot));
            form1.record_history();
        }
        form1.Draw_Image();
    });
    form1.setCommand(QStringLiteral("N41"), [&form1, &interaction, form6] {
        document::Document& doc = form1.document();
        const document::ObjectRef first = doc.firstSelected();
        if (doc.remarksFull()) return;
        if (first.type != document::ObjectRef::Curve || !doc.curve(first.slot).isCurve()) return;
        const document::DEFINEFUN& curve = doc.curve(first.slot);
        REMARK label;
        label.font = form6->lastChosenFont();
        label.font.colour = curve.colour;
        label.text = curve.name.empty() ? graph::defaultItemName(curve.kind, first.slot) : curve.name;
        const graph::SheetPoint at = interaction.mouse().pastePosition();
        label.left = truncated(at.x);
        label.top = truncated(at.y);
        measure(form1, label);
        if (!doc.addRemark(std::move(label))) return;
        form1.Draw_Image();
        form1.record_history();
    });
    form1.Draw_Image();
    return form6;
}

} // namespace quorvel::app
