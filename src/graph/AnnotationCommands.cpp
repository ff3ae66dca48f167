#include "graph/AnnotationCommands.h"

#include "document/Messages.h"
#include "graph/AnnotationDrawing.h"
#include "graph/CurveDrawing.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

namespace {

using document::REMARK;

int wholePixel(double v) {
    return std::isfinite(v) ? static_cast<int>(std::clamp(std::trunc(v), -1e9, 1e9)) : 0;
}

void measure(AnnotationContext& ctx, REMARK& remark) {
    (void)measureRemark(ctx.measuring, remark);
}

// The slot of the annotation named by the first selection entry, or -1.
int selectedRemark(const document::Document& doc) {
    const document::ObjectRef first = doc.firstSelected();
    return first.type == document::ObjectRef::Remark ? first.slot : -1;
}

} // namespace

SheetChange placeAnnotation(AnnotationContext& ctx, AnnotationDialog& dialog, SheetPoint at) {
    if (ctx.doc.remarksFull()) {
        ctx.sink.show(document::kListFullMessage, kCaptionHint, MessageIcon::Warning);
        return change::kNone;
    }
    std::optional<REMARK> written = dialog.writeNew();
    if (!written || written->text.empty()) return change::kRedraw;
    written->left = wholePixel(at.x);
    written->top = wholePixel(at.y);
    measure(ctx, *written);
    ctx.doc.selection.clear();
    // The dialog's event loop may have run other commands that filled the list meanwhile.
    if (!ctx.doc.addRemark(std::move(*written))) return change::kRedraw;
    return change::kEdit;
}

SheetChange editAnnotation(AnnotationContext& ctx, AnnotationDialog& dialog, int slot) {
    document::Document& doc = ctx.doc;
    if (slot < 0 || slot >= doc.remarkCount()) return change::kNone;
    doc.selection.selectOnly(doc.combinedOfRemark(slot));
    if (ctx.drawNow) ctx.drawNow();
    std::optional<REMARK> written = dialog.edit(doc.remark(slot));
    // The dialog's event loop may have run other commands: the slot must still hold the annotation.
    if (!written || slot >= doc.remarkCount()) return change::kRedraw;
    if (written->text.empty()) {
        doc.removeRemark(slot);
        doc.selection.clear();
    } else {
        REMARK& remark = doc.remark(slot);
        remark.text = written->text;
        remark.font = written->font;
        measure(ctx, remark);
    }
    return change::kEdit;
}

SheetChange refontSelectedAnnotation(AnnotationContext& ctx, const FontChooser& chooseFont) {
    const int slot = selectedRemark(ctx.doc);
    if (slot < 0 || !chooseFont) return change::kNone;
    const std::optional<document::FontSpec> font = chooseFont(ctx.doc.remark(slot).font);
    if (!font || slot >= ctx.doc.remarkCount()) return change::kRedraw;
    ctx.doc.remark(slot).font = *font;
    measure(ctx, ctx.doc.remark(slot));
    return change::kEdit;
}

SheetChange labelSelectedCurve(AnnotationContext& ctx, const document::FontSpec& font, SheetPoint at) {
    document::Document& doc = ctx.doc;
    const document::ObjectRef first = doc.firstSelected();
    if (doc.remarksFull()) return change::kNone;
    if (first.type != document::ObjectRef::Curve || !doc.curve(first.slot).hasLine()) return change::kNone;
    const document::DEFINEFUN& curve = doc.curve(first.slot);
    REMARK label;
    label.font = font;
    label.font.colour = curve.colour;
    label.text = curve.name.empty() ? defaultItemName(curve.kind, first.slot) : curve.name;
    label.left = wholePixel(at.x);
    label.top = wholePixel(at.y);
    measure(ctx, label);
    if (!doc.addRemark(std::move(label))) return change::kNone;
    return change::kEdit;
}

} // namespace quorvel::graph
