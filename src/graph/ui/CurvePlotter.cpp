#include "graph/ui/CurvePlotter.h"

#include "graph/CalculationRefresh.h"
#include "graph/CurveSampler.h"
#include "graph/Templates.h"
#include "typeset/qt/QtTextCache.h"

namespace quorvel::graph {

CurvePlotter::CurvePlotter(expr::Engine& engine, MessageSink& sink, PlotterSheet sheet, QWidget* dialogParent)
    : engine_(engine), sheet_(std::move(sheet)), form3_(new TForm3(sink, dialogParent)),
      form4_(new TForm4(sink, dialogParent)) {
    form4_->setSheet(DemonstrationSheet{[this](int slot) { refreshItem(slot); }, sheet_.drawNow});
    form3_->setDemonstrationHandler([this] { nested_ |= openDemonstration(sheet_.doc.currentCurve); });
}

CurvePlotter::~CurvePlotter() {
    delete form4_.data();
    delete form3_.data();
}

void CurvePlotter::confirm_funvalue(document::DEFINEFUN& item) {
    graph::confirm_funvalue(engine_, item, sheet_.doc.view, sheet_.sheetSize().width());
}

document::ResampleHook CurvePlotter::resampler() {
    return [this](document::DEFINEFUN& item) { confirm_funvalue(item); };
}

void CurvePlotter::refreshItem(int slot) {
    if (slot < 0 || slot >= sheet_.doc.curveCount()) return;
    document::DEFINEFUN& item = sheet_.doc.curve(slot);
    if (item.kind != document::KindCalculation) {
        confirm_funvalue(item);
        return;
    }
    typeset::QtCanvas measuring(sheet_.textCache);
    changecal(engine_, sheet_.doc, slot, painter_, measuring);
}

SheetChange CurvePlotter::openDemonstration(int slot) {
    if (slot < 0 || slot >= sheet_.doc.curveCount()) return change::kNone;
    sheet_.doc.currentCurve = slot;
    return form4_->execFor(sheet_.doc, slot);
}

void CurvePlotter::Draw_definefun(typeset::Canvas& canvas) {
    if (const auto last = painter_.Draw_definefun(canvas, sheet_.doc, sheet_.sheetSize().width(),
                                                  sheet_.sheetSize().height());
        last && outputStyle_)
        *outputStyle_ = *last;
}

CurveCommandContext CurvePlotter::context(typeset::Canvas& measuring) {
    return CurveCommandContext{engine_,
                               sheet_.doc,
                               painter_,
                               measuring,
                               outputStyle_ ? *outputStyle_ : defaultStyle_,
                               sheet_.sheetSize().width(),
                               sheet_.drawNow};
}

SheetChange CurvePlotter::finish(CurveOutcome outcome) {
    const SheetChange out = changeOf(outcome) | nested_;
    nested_ = {};
    return out;
}

SheetChange CurvePlotter::templateButtonClick(std::string_view buttonName) {
    const TemplateFunction* entry = findTemplate(buttonName);
    if (!entry) return change::kNone;
    typeset::QtCanvas measuring(sheet_.textCache);
    CurveCommandContext ctx = context(measuring);
    return finish(graph::templateButtonClick(ctx, *form3_, *entry));
}

SheetChange CurvePlotter::runCommand(const std::function<CurveOutcome(CurveCommandContext&)>& command) {
    typeset::QtCanvas measuring(sheet_.textCache);
    CurveCommandContext ctx = context(measuring);
    return finish(command(ctx));
}

SheetChange CurvePlotter::reopenTemplateCurve(int slot) {
    typeset::QtCanvas measuring(sheet_.textCache);
    CurveCommandContext ctx = context(measuring);
    return finish(graph::reopenTemplateCurve(ctx, *form3_, slot));
}

} // namespace quorvel::graph
