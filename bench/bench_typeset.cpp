// Typesetting of the keypad examples: layout plus drawing into a QImage, with warm font caches.
#include "expr/Parser.h"
#include "typeset/TypesetFormula.h"
#include "typeset/Typesetter.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/HeadlessGui.h"
#include "typeset/qt/QtCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

namespace {

using namespace quorvel;
using namespace quorvel::typeset;

const std::pair<const char*, const char*> kExamples[] = {
    {"piecewise", "lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))"},
    {"system", "lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)"},
    {"matrix", "matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)"},
    {"determinant", "range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)"},
    {"sum", "sum(i=0,n,x_ _i)"},
    {"integral", "ing1(a;b,x,x)"},
    {"limit", "lim(x,∞,f(x))"},
    {"derivative", "derive(y,x)"},
    {"root", "ext(x,n)"},
    {"template", "Y =A*cub(X,2)+B*X+C"},
};

expr::ExprTree treeOf(const char* markup) {
    expr::ExprTree tree = expr::buildTree(expr::toFunctionForm(expr::stripBlanks(markup)));
    expr::linkParents(tree.get());
    return tree;
}

std::shared_ptr<QtTextCache> cache() {
    static auto shared = std::make_shared<QtTextCache>();
    return shared;
}

// The editor's preview road: measure, size the bitmap, fill it, draw.
void TypesetIntoImage(benchmark::State& state, const char* markup) {
    expr::ExprTree tree = treeOf(markup);
    Typesetter typesetter;
    QtCanvas measuring(cache());
    for (auto _ : state) {
        const FormulaLayout layout = typesetter.layout(tree.get(), measuring);
        QImage image(layout.boxWidth(), layout.boxHeight(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QtCanvas canvas(image, cache());
            typesetter.drawAt(tree.get(), canvas, layout.startPenX(), layout.startPenAxis());
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The picture road used for export and the clipboard: layout, the reach of the drawing, the bitmap.
void TypesetFormulaPicture(benchmark::State& state, const char* markup) {
    for (auto _ : state) {
        QtCanvas measuring(cache());
        TypesetFormula formula(treeOf(markup), FormulaStyle{}, measuring);
        QImage image = renderFormulaImage(formula, cache());
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Layout alone (both passes), for comparison.
void LayoutOnly(benchmark::State& state, const char* markup) {
    expr::ExprTree tree = treeOf(markup);
    Typesetter typesetter;
    QtCanvas measuring(cache());
    for (auto _ : state)
        benchmark::DoNotOptimize(typesetter.layout(tree.get(), measuring).width);
}

} // namespace

int main(int argc, char** argv) {
    auto app = startHeadlessGui();
    for (const auto& [name, markup] : kExamples) {
        benchmark::RegisterBenchmark((std::string("TypesetIntoImage/") + name).c_str(), TypesetIntoImage,
                                     markup)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("TypesetFormulaPicture/") + name).c_str(),
                                     TypesetFormulaPicture, markup)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("LayoutOnly/") + name).c_str(), LayoutOnly, markup)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
