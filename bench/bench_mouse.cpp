// The costs of one pointer move while something is dragged on a sheet with the fourteen template curves:
// a selected box (the box moves, then the whole sheet is redrawn), a pan (the samples shift and only the
// columns that came into view are evaluated) and the x unit marker (every curve is sampled again).
// With redraw:0 only the move handler is timed; the pan also runs at two sheet widths to show that its
// cost follows the columns that came into view, not the width of the sheet. Frames during a drag are
// drawn plain, as the window draws them; BM_DragStepSmooth shows the same step anti-aliased. A wheel
// notch is drawn anti-aliased, as at rest.
#include "document/Document.h"
#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "graph/CurveCommands.h"
#include "graph/CurveDrawing.h"
#include "graph/SheetMouse.h"
#include "graph/SheetPainter.h"
#include "graph/Templates.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"
#include "typeset/qt/QtTextCache.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <utility>

namespace {

using namespace quorvel;

constexpr int kHeight = 1080;

// The function editing dialog answering OK with what the template command wrote into it.
class AcceptingDialog : public graph::FunctionDialog {
public:
    std::string okCaption() const override { return caption_; }
    void setOkCaption(const std::string& c) override { caption_ = c; }
    void setName(const std::string& name) override { input_.name = name; }
    void setRowVisible(int row, bool visible) override { visible_[static_cast<std::size_t>(row)] = visible; }
    void setRowText(int row, const std::string& text) override {
        input_.params[static_cast<std::size_t>(row)] = text;
    }
    void setFontSizeText(const std::string& text) override { input_.fontSize = text; }
    void selectFont(const std::string& name) override { input_.fontName = name; }
    void setPickedColour(int colour) override { input_.pickedColour = colour; }
    void setDomainTexts(const std::string& start, const std::string& end) override {
        input_.domainStart = start;
        input_.domainEnd = end;
    }
    void setPreview(std::string_view, const typeset::FormulaStyle&) override {}
    bool execFor(document::DEFINEFUN& target) override {
        graph::FunctionDialogInput shown = input_;
        for (std::size_t k = 0; k < 3; ++k)
            if (!visible_[k]) shown.params[k].reset();
        return graph::applyFunctionDialog(shown, target).empty();
    }

private:
    std::string caption_ = graph::kNewCurveCaption;
    graph::FunctionDialogInput input_{};
    std::array<bool, 3> visible_{};
};

struct MouseSheet {
    graph::QuietSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    graph::GraphItemPainter painter;
    std::shared_ptr<typeset::QtTextCache> textCache = std::make_shared<typeset::QtTextCache>();
    typeset::FormulaStyle style;
    int width;
    QImage image;
    graph::SheetMouse mouse;

    // withPlaneCurves: a parametric circle, a cardioid, an ellipse and a linear-programming region as well.
    explicit MouseSheet(int sheetWidth, bool withPlaneCurves = false)
        : width(sheetWidth), image(sheetWidth, kHeight, QImage::Format_RGB32),
          mouse(doc, engine, sheetWidth, kHeight) {
        doc.view = document::ViewSettings::forSheet(width, kHeight);
        doc.view.gridShown = 1;
        // The curves are made as the template buttons make them.
        typeset::QtCanvas measuring(textCache);
        graph::CurveCommandContext ctx{engine, doc, painter, measuring, style, width, {}};
        AcceptingDialog dialog;
        for (const graph::TemplateFunction& t : graph::templateFunctions())
            (void)graph::templateButtonClick(ctx, dialog, t);
        if (withPlaneCurves) {
            const std::pair<int, const char*> items[] = {{document::KindParametric, "x=2cos t;y=2sin t"},
                                                         {document::KindPolar, "r=2(1+cos θ)"},
                                                         {document::KindImplicit, "x^2/4+y^2/9=1"},
                                                         {document::KindRegion, "x+y<=2;x>=0;y>=0"}};
            for (const auto& [kind, typed] : items) {
                document::DEFINEFUN item;
                item.kind = kind;
                item.expression = expr::convertText(typed, expr::Road::Value).canonical;
                item.domainStart = 0;
                item.domainEnd = 6.283185307179586;
                doc.placeNewItem(item);
                painter.sizeLabelBox(item, measuring);
                doc.addCurve(std::move(item));
            }
        }
        redraw(); // labels typeset once, as after the commands that made them
    }

    // The window's redraw after a move: the whole sheet with the graph items layer.
    void redraw(typeset::LineQuality quality = typeset::LineQuality::Plain) {
        typeset::QtCanvas canvas(image, textCache);
        canvas.setLineQuality(quality);
        graph::SheetLayers layers;
        layers.graphItems = [this](typeset::Canvas& c) { painter.Draw_definefun(c, doc, width, kHeight); };
        graph::Draw_zuobiao(canvas, doc.view, graph::SheetGeometry::plain(width, kHeight), layers);
        benchmark::DoNotOptimize(image.constBits());
    }

    // Presses the left button at (x, y); true when that starts a drag of the wanted kind.
    bool pressFor(double x, double y, graph::DragKind kind) {
        (void)mouse.press(x, y, graph::MouseButton::Left);
        if (mouse.dragKind() == kind) return true;
        (void)mouse.release(x, y, graph::MouseButton::Left);
        return false;
    }
};

// Moves the pointer back and forth by step pixels from x, so the sheet stays where it started.
template <typename Redraw>
void dragSteps(benchmark::State& state, MouseSheet& sheet, double x, double y, int step, Redraw redraw) {
    bool out = true;
    for (auto _ : state) {
        const graph::MouseOutcome o = sheet.mouse.move(out ? x + step : x, y);
        out = !out;
        if (!o.change.redraw) {
            state.SkipWithError("the move changed nothing");
            return;
        }
        redraw();
    }
}

void BM_DragStep(benchmark::State& state) {
    MouseSheet sheet(1920);
    // The middle of the seventh template's box, which no curve line crosses there.
    const document::DEFINEFUN& box = sheet.doc.curve(6);
    const double x = (box.labelLeft + box.labelRight) / 2;
    const double y = (box.labelTop + box.labelBottom) / 2;
    if (!sheet.pressFor(x, y, graph::DragKind::Objects) ||
        sheet.mouse.lastPress().kind != graph::HitKind::ItemBox) {
        state.SkipWithError("the press did not grab the box");
        return;
    }
    const bool withRedraw = state.range(0) != 0;
    dragSteps(state, sheet, x, y, 1, [&] {
        if (withRedraw) sheet.redraw();
    });
}
BENCHMARK(BM_DragStep)->ArgName("redraw")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The box drag with every frame anti-aliased, as at rest.
void BM_DragStepSmooth(benchmark::State& state) {
    MouseSheet sheet(1920);
    const document::DEFINEFUN& box = sheet.doc.curve(6);
    const double x = (box.labelLeft + box.labelRight) / 2;
    const double y = (box.labelTop + box.labelBottom) / 2;
    if (!sheet.pressFor(x, y, graph::DragKind::Objects)) {
        state.SkipWithError("the press did not grab the box");
        return;
    }
    dragSteps(state, sheet, x, y, 1, [&] { sheet.redraw(typeset::LineQuality::Smooth); });
}
BENCHMARK(BM_DragStepSmooth)->Unit(benchmark::kMillisecond);

// A point of the sheet that starts a pan: no box, curve line or unit marker under it.
std::optional<graph::SheetPoint> panPoint(MouseSheet& sheet) {
    for (int y = kHeight - 20; y > 0; y -= 37)
        for (int x = sheet.width / 2 + 200; x < sheet.width - 60; x += 23)
            if (sheet.pressFor(x, y, graph::DragKind::Pan)) return graph::SheetPoint{double(x), double(y)};
    return std::nullopt;
}

// Arguments: sheet width, dx, whether the sheet is redrawn after each move, and whether curves of the plane
// (traced anew at every view) are on it.
void BM_PanStep(benchmark::State& state) {
    MouseSheet sheet(static_cast<int>(state.range(0)), state.range(3) != 0);
    const int dx = static_cast<int>(state.range(1));
    const bool withRedraw = state.range(2) != 0;
    const std::optional<graph::SheetPoint> at = panPoint(sheet);
    if (!at) {
        state.SkipWithError("no free point to pan from");
        return;
    }
    dragSteps(state, sheet, at->x, at->y, dx, [&] {
        if (withRedraw) sheet.redraw();
    });
    // Each curve evaluates dx new columns per move.
    state.counters["columns"] = double(dx) * sheet.doc.curveCount();
}
BENCHMARK(BM_PanStep)
    ->ArgNames({"width", "dx", "redraw", "plane"})
    ->Args({1920, 1, 1, 0})
    ->Args({1920, 5, 1, 0})
    ->Args({1920, 40, 1, 0})
    ->Args({1920, 1, 0, 0})
    ->Args({1920, 5, 0, 0})
    ->Args({1920, 40, 0, 0})
    ->Args({960, 1, 0, 0})
    ->Args({960, 5, 0, 0})
    ->Args({960, 40, 0, 0})
    ->Args({1920, 5, 1, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_UnitDragStep(benchmark::State& state) {
    MouseSheet sheet(1920);
    const document::ViewSettings& v = sheet.doc.view;
    const double x = v.originX + v.unitX;
    const double y = v.originY;
    if (!sheet.pressFor(x, y, graph::DragKind::UnitX)) {
        state.SkipWithError("the press did not grab the x unit marker");
        return;
    }
    const bool withRedraw = state.range(0) != 0;
    dragSteps(state, sheet, x, y, 1, [&] {
        if (withRedraw) sheet.redraw();
    });
}
BENCHMARK(BM_UnitDragStep)->ArgName("redraw")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One notch of the wheel at rest: the zoom about the pointer, every curve sampled again, and the
// anti-aliased redraw. Notches alternate in and out, so the view stays where it started.
void BM_WheelStep(benchmark::State& state) {
    MouseSheet sheet(1920, state.range(0) != 0);
    const double x = sheet.doc.view.originX + 333;
    const double y = sheet.doc.view.originY - 111;
    double notch = 1;
    for (auto _ : state) {
        if (!sheet.mouse.wheel(x, y, notch).change.redraw) {
            state.SkipWithError("the wheel changed nothing");
            return;
        }
        notch = -notch;
        sheet.redraw(typeset::LineQuality::Smooth);
    }
}
BENCHMARK(BM_WheelStep)->ArgName("plane")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    auto app = quorvel::typeset::startHeadlessGui();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
