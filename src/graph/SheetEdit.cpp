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

} // namespace quorvel::graph
