// The costs of the sheet with curves on it: a full redraw of a 1920 x 1080 sheet with the fourteen
// templates and their labels (every paint and every drag of an object), anti-aliased as at rest
// (smooth:1) and plain as a drag may draw it (smooth:0), and resampling all fourteen (every mouse move
// while a unit marker is dragged).
#include "document/Document.h"
#include "expr/Engine.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveSampler.h"
#include "graph/SheetPainter.h"
#include "graph/Templates.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using namespace quorvel;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct SheetWithTemplates {
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    graph::GraphItemPainter painter;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    SheetWithTemplates() {
        doc.view = document::ViewSettings::forSheet(kWidth, kHeight);
        doc.view.gridShown = 1;
        typeset::QtCanvas measuring;
        for (const graph::TemplateFunction& t : graph::templateFunctions()) {
            document::DEFINEFUN item;
            doc.placeNewItem(item);
            item.kind = document::KindTemplateFunction;
            item.expression = std::string(t.expression);
            item.name = std::string(t.name);
            item.colour = typeset::rgb(0, 0, 255);
            item.paramCount = t.paramCount;
            for (int k = 0; k < t.paramCount; ++k) {
                item.paramNames[static_cast<std::size_t>(k)] = std::string(1, static_cast<char>('A' + k));
                item.paramValues[static_cast<std::size_t>(k)] = t.startValues[static_cast<std::size_t>(k)];
            }
            painter.sizeLabelBox(item, measuring);
            graph::confirm_funvalue(engine, item, doc.view, kWidth);
            doc.addCurve(std::move(item));
        }
        doc.selection.press(6);
    }

    void redraw(typeset::LineQuality quality = typeset::LineQuality::Smooth) {
        typeset::QtCanvas canvas(image);
        canvas.setLineQuality(quality);
        graph::SheetLayers layers;
        layers.graphItems = [this](typeset::Canvas& c) { painter.Draw_definefun(c, doc, kWidth, kHeight); };
        graph::Draw_zuobiao(canvas, doc.view, graph::SheetGeometry::plain(kWidth, kHeight), layers);
    }
};

void BM_RedrawSheetWithFourteenTemplates(benchmark::State& state) {
    SheetWithTemplates sheet;
    const auto quality = state.range(0) != 0 ? typeset::LineQuality::Smooth : typeset::LineQuality::Plain;
    sheet.redraw(); // labels typeset once, as after the commands that made them
    for (auto _ : state) {
        sheet.redraw(quality);
        benchmark::DoNotOptimize(sheet.image.constBits());
    }
}
BENCHMARK(BM_RedrawSheetWithFourteenTemplates)
    ->ArgName("smooth")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

void BM_ResampleFourteenTemplates(benchmark::State& state) {
    SheetWithTemplates sheet;
    double unit = 100;
    for (auto _ : state) {
        // A unit drag: the x unit changes by a pixel per mouse move and every curve is sampled again.
        unit = unit >= 150 ? 60 : unit + 1;
        sheet.doc.view.unitX = sheet.doc.view.unitY = unit;
        graph::resampleAll(sheet.engine, sheet.doc, kWidth);
        benchmark::DoNotOptimize(sheet.doc.curve(0).ys.data());
    }
}
BENCHMARK(BM_ResampleFourteenTemplates)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    auto app = quorvel::typeset::startHeadlessGui();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
