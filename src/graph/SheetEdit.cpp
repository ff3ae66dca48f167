#include "graph/SheetEdit.h"

namespace quorvel::graph {

using document::ObjectRef;

ObjectRef copyObject(document::Document& doc, SheetHit hit) {
    doc.selection.keepLast();
    switch (hit.kind) {
    case HitKind::Annotation:
        if (hit.slot < 0 || hit.slot >= doc.remarkCount()) break;
        doc.copyRemarkToClipboard(hit.slot);
        return {ObjectRef::Remark, hit.slot};
    case HitKind::ItemBox:
    case HitKind::CurveLine:
        if (hit.slot < 0 || hit.slot >= doc.curveCount()) break;
        doc.copyCurveToClipboard(hit.slot);
        return {ObjectRef::Curve, hit.slot};
    case HitKind::Nothing:
        break;
    }
    return {};
}

void removeObject(document::Document& doc, ObjectRef object) {
    if (object.type == ObjectRef::None) return;
    if (object.type == ObjectRef::Curve) doc.removeCurve(object.slot);
    if (object.type == ObjectRef::Remark) doc.removeRemark(object.slot);
    doc.selection.clear();
}

ObjectRef cutObject(document::Document& doc, SheetHit hit) {
    const ObjectRef copied = copyObject(doc, hit);
    removeObject(doc, copied);
    return copied;
}

SheetChange selectAll(document::Document& doc) {
    doc.selection.selectAll(doc.objectCount());
    return change::kRedraw;
}

SheetChange removeSelected(document::Document& doc) {
    if (doc.selection.empty()) return change::kNone;
    doc.removeSelected();
    return change::kEdit;
}

SheetChange pasteAt(document::Document& doc, SheetPoint at, const document::ResampleHook& resample) {
    return doc.pasteAt(at.x, at.y, resample) < 0 ? change::kNone : change::kEdit;
}

SheetChange nudgeSelected(document::Document& doc, int dx, int dy) {
    if (doc.selection.empty()) return change::kNone;
    doc.moveSelected(dx, dy);
    return change::kUnrecordedEdit;
}

} // namespace quorvel::graph
