#include "graph/CurveCommands.h"

#include "base/NumberFormat.h"
#include "document/Messages.h"
#include "graph/CurvePalette.h"
#include "graph/CurveSampler.h"

#include <algorithm>
#include <cmath>

namespace quorvel::graph {

using document::DEFINEFUN;

std::string applyFunctionDialog(const FunctionDialogInput& input, DEFINEFUN& item) {
    const std::optional<double> start = parseDecimal(input.domainStart);
    const std::optional<double> end = parseDecimal(input.domainEnd);
    if (!start || !end) return kDomainNotNumberMessage;
    if (!input.fontName || input.fontName->empty()) return kNoFontMessage;

    const std::optional<double> size = parseDecimal(input.fontSize);
    std::array<std::optional<double>, 3> params;
    bool numeric = size.has_value();
    for (std::size_t k = 0; k < 3; ++k) {
        if (!input.params[k]) continue;
        params[k] = parseDecimal(*input.params[k]);
        numeric = numeric && params[k].has_value();
    }
    if (!numeric) return kNotNumericMessage;
    // The size is truncated to whole points; a label needs at least one point and a size beyond what a
    // label can be drawn in would not fit an integer.
    const double points = std::trunc(*size);
    if (points < typeset::FormulaStyle::kMinFontSize || points > typeset::FormulaStyle::kMaxFontSize)
        return kFontSizeRangeMessage;

    item.name = input.name;
    item.colour = input.pickedColour;
    item.domainStart = *start;
    item.domainEnd = *end;
    item.labelFontSize = static_cast<int>(points);
    item.labelFontName = *input.fontName;
    for (std::size_t k = 0; k < 3; ++k)
        if (params[k]) item.paramValues[k] = *params[k];
    return {};
}

namespace {

// A new template item: kind 3, default domain, parameters A, B, C (the first paramCount of them), the
// output style's colours and the default label font.
void fillNewTemplateItem(DEFINEFUN& item, int paramCount, std::string_view expression,
                         const typeset::FormulaStyle& style) {
    item.domainStart = document::kDefaultDomainStart;
    item.domainEnd = document::kDefaultDomainEnd;
    item.expression = std::string(expression);
    item.kind = document::KindTemplateFunction;
    item.paramCount = std::clamp(paramCount, 0, static_cast<int>(kTemplateParamNames.size()));
    for (int k = 0; k < item.paramCount; ++k)
        item.paramNames[static_cast<std::size_t>(k)] = kTemplateParamNames[static_cast<std::size_t>(k)];
    item.labelColours = style.colors.asArray();
    item.labelFontName = kDefaultLabelFont;
    item.labelFontSize = kDefaultLabelSize;
    item.thickLine = 0;
}

} // namespace

SheetChange changeOf(CurveOutcome outcome) {
    switch (outcome) {
    case CurveOutcome::Created:
    case CurveOutcome::Changed:
        return change::kEdit;
    case CurveOutcome::Cancelled:
        return change::kRedraw;
    case CurveOutcome::ListFull:
        break;
    }
    return change::kNone;
}

CurveOutcome affordfunchange(CurveCommandContext& ctx, FunctionDialog& dialog, int paramCount,
                             std::string_view expression) {
    const bool newMode = dialog.okCaption() == kNewCurveCaption;
    DEFINEFUN* item = nullptr;
    if (newMode) {
        item = ctx.doc.beginNewCurve();
        if (!item) {
            ctx.engine.sink().show(document::kListFullMessage, kCaptionHint, MessageIcon::Warning);
            return CurveOutcome::ListFull;
        }
        fillNewTemplateItem(*item, paramCount, expression, ctx.outputStyle);
        dialog.setFontSizeText(std::to_string(kDefaultLabelSize));
        dialog.selectFont(kDefaultLabelFont);
        dialog.setPickedColour(nextCurveColour(ctx.doc));
    } else {
        item = ctx.doc.currentRecord();
        if (!item) return CurveOutcome::Cancelled;
    }

    // The preview is typeset in the default label font; the output style itself is left as the user set it.
    typeset::FormulaStyle preview = ctx.outputStyle;
    preview.fontName = kDefaultLabelFont;
    preview.fontSize = kDefaultLabelSize;
    dialog.setPreview(expression, preview);
    dialog.setDomainTexts(formatGeneral(item->domainStart), formatGeneral(item->domainEnd));

    CurveOutcome outcome = CurveOutcome::Cancelled;
    if (dialog.execFor(*item)) {
        ctx.painter.sizeLabelBox(*item, ctx.measuring);
        confirm_funvalue(ctx.engine, *item, ctx.doc.view, ctx.sheetWidth);
        if (newMode) ctx.doc.commitNewCurve();
        outcome = newMode ? CurveOutcome::Created : CurveOutcome::Changed;
    } else if (newMode) {
        ctx.doc.discardNewCurve();
    }
    return outcome;
}

CurveOutcome templateButtonClick(CurveCommandContext& ctx, FunctionDialog& dialog,
                                 const TemplateFunction& entry) {
    const TemplateDialogFill fill = dialogFillFor(entry);
    dialog.setOkCaption(kNewCurveCaption);
    dialog.setName(fill.name);
    for (int k = 0; k < 3; ++k) {
        dialog.setRowVisible(k, fill.rowVisible[static_cast<std::size_t>(k)]);
        dialog.setRowText(k, fill.paramTexts[static_cast<std::size_t>(k)]);
    }
    return affordfunchange(ctx, dialog, entry.paramCount, entry.expression);
}

CurveOutcome reopenTemplateCurve(CurveCommandContext& ctx, FunctionDialog& dialog, int slot) {
    if (slot < 0 || slot >= ctx.doc.curveCount() ||
        ctx.doc.curve(slot).kind != document::KindTemplateFunction)
        return CurveOutcome::Cancelled;

    const DEFINEFUN& item = ctx.doc.curve(slot);
    dialog.setOkCaption(kEditCurveCaption);
    for (int k = 0; k < 3; ++k) {
        const bool shown = k < item.paramCount;
        dialog.setRowVisible(k, shown);
        if (shown) dialog.setRowText(k, formatGeneral(item.paramValues[static_cast<std::size_t>(k)]));
    }
    ctx.doc.currentCurve = slot;
    dialog.setName(item.name);
    dialog.setFontSizeText(std::to_string(item.labelFontSize));
    dialog.selectFont(item.labelFontName);
    dialog.setPickedColour(item.colour);

    // Copies: the dialog may write into the record while they are in use.
    const int paramCount = item.paramCount;
    const std::string expression = item.expression;
    const CurveOutcome outcome = affordfunchange(ctx, dialog, paramCount, expression);

    if (slot < ctx.doc.curveCount()) {
        confirm_funvalue(ctx.engine, ctx.doc.curve(slot), ctx.doc.view, ctx.sheetWidth);
    }
    dialog.setOkCaption(kNewCurveCaption);
    return outcome;
}

} // namespace quorvel::graph
