#include "graph/CurveStyleCommands.h"

#include "base/UiText.h"

namespace quorvel::graph {

namespace {

// The curve named by the first selection entry, or nullptr for anything else.
document::DEFINEFUN* selectedCurve(document::Document& doc) {
    const document::ObjectRef first = doc.firstSelected();
    if (first.type != document::ObjectRef::Curve || !doc.curve(first.slot).hasLine()) return nullptr;
    return &doc.curve(first.slot);
}

} // namespace

SheetChange recolourSelectedCurve(document::Document& doc, const ColourChooser& chooseColour) {
    const document::DEFINEFUN* item = selectedCurve(doc);
    if (!item || !chooseColour) return change::kNone;
    const std::optional<int> colour = chooseColour(item->colour);
    if (!colour) return change::kRedraw;
    // The dialog's event loop may have run other commands: look the curve up again.
    document::DEFINEFUN* target = selectedCurve(doc);
    if (!target) return change::kRedraw;
    target->colour = *colour;
    return change::kEdit;
}

SheetChange toggleThickLine(document::Document& doc) {
    document::DEFINEFUN* item = selectedCurve(doc);
    if (!item) return change::kNone;
    item->thickLine = item->thickLine != 0 ? 0 : 1;
    return change::kEdit;
}

std::string_view thickLineCaption(const document::Document& doc) {
    const document::ObjectRef first = doc.firstSelected();
    const bool thick = first.type == document::ObjectRef::Curve && doc.curve(first.slot).thickLine != 0;
    return thick ? UI_TEXT("细线(&t)") : UI_TEXT("粗线(&t)");
}

} // namespace quorvel::graph
