#include "graph/FormulaCommands.h"

#include "base/NumberFormat.h"
#include "document/Messages.h"
#include "expr/Calculation.h"
#include "graph/CurvePalette.h"
#include "graph/CurveSampler.h"
#include "graph/ParameterRange.h"

#include <algorithm>
#include <optional>
#include <span>

namespace quorvel::graph {

using document::DEFINEFUN;

const char* windowCaption(EditorMode mode) {
    switch (mode) {
    case EditorMode::CustomFunction:
        return kCustomFunctionCaption;
    case EditorMode::Calculation:
        return kCalculationCaption;
    case EditorMode::FormulaPicture:
        break;
    }
    return kFormulaEditorCaption;
}

const char* okCaption(EditorMode mode, bool editing) {
    if (editing) return kModifyCaption;
    return mode == EditorMode::Calculation ? kCalculateCaption : kOkCaption;
}

namespace {

// The kinds the custom function road creates and reopens.
bool drawnOnCustomRoad(int kind) {
    return kind == document::KindCustomFunction || document::isPlaneKind(kind);
}

// Prepares a new item of kind below the existing boxes and lets the editor fill it. Returns the filled
// item, or nullptr when the command ends here: the list was full (the user was told, outcome ListFull)
// or the editor gave no expression (the item is gone, outcome Cancelled).
DEFINEFUN* openNewItem(CurveCommandContext& ctx, FormulaEditorDialog& editor, EditorMode mode, int kind,
                       CurveOutcome& outcome) {
    // Checked before anything is prepared: the slot after the last one is the clipboard's.
    DEFINEFUN* item = ctx.doc.curvesFull() ? nullptr : ctx.doc.beginNewCurve();
    if (!item) {
        ctx.engine.sink().show(document::kListFullMessage, kCaptionHint, MessageIcon::Warning);
        outcome = CurveOutcome::ListFull;
        return nullptr;
    }
    item->kind = kind;

    EditorRequest request;
    request.mode = mode;
    request.editing = false;
    request.input.clear();
    if (mode == EditorMode::CustomFunction) {
        request.domainStart = "-9999";
        request.domainEnd = "9999";
    }
    const bool accepted = editor.execFor(request, *item);
    if (!accepted || item->expression.empty()) {
        ctx.doc.discardNewCurve();
        ctx.doc.currentCurve = 0;
        outcome = CurveOutcome::Cancelled;
        return nullptr;
    }
    // The custom function road keeps the kind of curve the editor chose.
    if (mode != EditorMode::CustomFunction || !drawnOnCustomRoad(item->kind)) item->kind = kind;
    return item;
}

// Counts the prepared item into the document and selects it alone.
CurveOutcome finishNewItem(CurveCommandContext& ctx) {
    const int slot = ctx.doc.commitNewCurve();
    if (slot < 0) {
        ctx.doc.currentCurve = 0;
        return CurveOutcome::Cancelled;
    }
    ctx.doc.selection.selectOnly(ctx.doc.combinedOfCurve(slot));
    ctx.doc.currentCurve = 0;
    return CurveOutcome::Created;
}

void loadItemVariables(expr::Engine& engine, const DEFINEFUN& item) {
    const auto n = static_cast<std::size_t>(std::clamp(item.paramCount, 0, document::kMaxParams));
    engine.variables.load(std::span(item.paramNames.data(), n), std::span(item.paramValues.data(), n));
}

std::optional<EditorMode> editorModeOf(int kind) {
    switch (kind) {
    case document::KindFormulaPicture:
        return EditorMode::FormulaPicture;
    case document::KindCalculation:
        return EditorMode::Calculation;
    default:
        if (drawnOnCustomRoad(kind)) return EditorMode::CustomFunction;
        return std::nullopt;
    }
}

} // namespace

CurveOutcome formulaEditCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor) {
    CurveOutcome outcome = CurveOutcome::Cancelled;
    DEFINEFUN* item =
        openNewItem(ctx, editor, EditorMode::FormulaPicture, document::KindFormulaPicture, outcome);
    if (!item) return outcome;
    // The box is what the sheet draws, whatever the editor measured.
    ctx.painter.sizeLabelBox(*item, ctx.measuring);
    return finishNewItem(ctx);
}

CurveOutcome calculationCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor) {
    CurveOutcome outcome = CurveOutcome::Cancelled;
    DEFINEFUN* item = openNewItem(ctx, editor, EditorMode::Calculation, document::KindCalculation, outcome);
    if (!item) return outcome;
    // The values assigned in the editor are the item's own, not whatever the engine was left with.
    loadItemVariables(ctx.engine, *item);
    item->expression = expr::calculationText(ctx.engine, item->expression);
    ctx.engine.freeTree(ctx.engine.currentTree);
    item->thickLine = 0;
    ctx.painter.sizeLabelBox(*item, ctx.measuring);
    return finishNewItem(ctx);
}

CurveOutcome customFunctionCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor) {
    CurveOutcome outcome = CurveOutcome::Cancelled;
    DEFINEFUN* item =
        openNewItem(ctx, editor, EditorMode::CustomFunction, document::KindCustomFunction, outcome);
    if (!item) return outcome;
    item->colour = nextCurveColour(ctx.doc);
    item->thickLine = 0;
    confirm_funvalue(ctx.engine, *item, ctx.doc.view, ctx.sheetWidth);
    ctx.painter.sizeLabelBox(*item, ctx.measuring);
    return finishNewItem(ctx);
}

CurveOutcome reopenFormulaItem(CurveCommandContext& ctx, FormulaEditorDialog& editor, int slot) {
    if (slot < 0 || slot >= ctx.doc.curveCount()) return CurveOutcome::Cancelled;
    const int kind = ctx.doc.curve(slot).kind;
    const std::optional<EditorMode> mode = editorModeOf(kind);
    if (!mode) return CurveOutcome::Cancelled;
    ctx.doc.selection.selectOnly(ctx.doc.combinedOfCurve(slot));
    ctx.doc.currentCurve = slot;
    if (ctx.drawNow) ctx.drawNow(); // the editor opens over the item shown as selected

    // The editor works on a copy, so a cancel cannot leave half an edit in the document.
    DEFINEFUN edited = ctx.doc.curve(slot);
    EditorRequest request;
    request.mode = *mode;
    request.editing = true;
    request.input = edited.expression;
    if (kind == document::KindCalculation) {
        // The result behind the last "=" is a number or "错误", never holding "=", so relations survive.
        if (const auto cut = request.input.rfind('='); cut != std::string::npos) request.input.resize(cut);
    }
    if (kind == document::KindCustomFunction) {
        request.domainStart = formatGeneral(edited.domainStart);
        request.domainEnd = formatGeneral(edited.domainEnd);
    }
    if (kind == document::KindParametric || kind == document::KindPolar) {
        request.domainStart = parameterBoundText(edited.domainStart);
        request.domainEnd = parameterBoundText(edited.domainEnd);
    }
    request.curveKind = kind;
    const bool accepted = editor.execFor(request, edited);
    // The dialog's nested event loop may have run other commands; the slot must still hold the item.
    if (!accepted || edited.expression.empty() || slot >= ctx.doc.curveCount()) {
        ctx.doc.currentCurve = 0;
        return CurveOutcome::Cancelled;
    }
    if (*mode != EditorMode::CustomFunction || !drawnOnCustomRoad(edited.kind)) edited.kind = kind;
    if (kind == document::KindCalculation) {
        loadItemVariables(ctx.engine, edited);
        edited.expression = expr::calculationText(ctx.engine, edited.expression, true);
        ctx.engine.freeTree(ctx.engine.currentTree);
    } else if (*mode == EditorMode::CustomFunction) {
        confirm_funvalue(ctx.engine, edited, ctx.doc.view, ctx.sheetWidth);
    }
    ctx.painter.sizeLabelBox(edited, ctx.measuring);
    ctx.doc.curve(slot) = std::move(edited);
    ctx.doc.currentCurve = 0;
    return CurveOutcome::Changed;
}

} // namespace quorvel::graph
