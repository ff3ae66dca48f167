// The live preview of the formula editor after a keystroke: checks, conversion, tree, layout and the
// preview picture, for every keypad example and for a 4 KiB formula; and the rewriting of typed notation
// alone, which the preview runs first.
#include "editor/Tformularymain.h"
#include "editor/core/EditorTables.h"
#include "expr/TypedNotation.h"
#include "typeset/qt/FontSetup.h"
#include "typeset/qt/QtTextCache.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace quorvel;

struct EditorUnderTest {
    RecordingSink sink;
    expr::Engine engine{sink};
    typeset::Typesetter typesetter;
    editor::Tformularymain window{engine, typesetter, sink, std::make_shared<typeset::QtTextCache>()};
    QPlainTextEdit* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));

    void preview(const QString& text) {
        memo->setPlainText(text);
        window.flushPreview();
    }
};

EditorUnderTest& editorUnderTest() {
    static EditorUnderTest e;
    return e;
}

std::vector<std::string> keypadExamples() {
    std::vector<std::string> out;
    for (const editor::KeypadButton& b : editor::keypadButtons())
        if (b.normal.example.present()) out.emplace_back(b.normal.example.markup);
    return out;
}

void BM_PreviewKeypadExample(benchmark::State& state) {
    static const std::vector<std::string> examples = keypadExamples();
    const auto index = static_cast<std::size_t>(state.range(0));
    if (index >= examples.size()) {
        state.SkipWithError("no such example");
        return;
    }
    const QString text = QString::fromStdString(examples[index]);
    EditorUnderTest& e = editorUnderTest();
    for (auto _ : state)
        e.preview(text);
    state.SetLabel(examples[index]);
}
BENCHMARK(BM_PreviewKeypadExample)->DenseRange(0, 11)->Unit(benchmark::kMicrosecond);

void BM_PreviewFourKilobytes(benchmark::State& state) {
    QString text = QStringLiteral("sqrt(x)/2");
    while (text.size() < 4096)
        text += QStringLiteral("+sin(x_ _1)/(1+x*x)");
    EditorUnderTest& e = editorUnderTest();
    for (auto _ : state)
        e.preview(text);
}
BENCHMARK(BM_PreviewFourKilobytes)->Unit(benchmark::kMillisecond);

std::string fourKilobytesTyped() {
    std::string text = "y=√x/2";
    while (text.size() < 4096)
        text += "+2sin x^2/(1+|x|)(x-1)";
    return text;
}

void BM_PreviewFourKilobytesTyped(benchmark::State& state) {
    const QString text = QString::fromStdString(fourKilobytesTyped());
    EditorUnderTest& e = editorUnderTest();
    for (auto _ : state)
        e.preview(text);
}
BENCHMARK(BM_PreviewFourKilobytesTyped)->Unit(benchmark::kMillisecond);

void BM_RewriteKeypadExample(benchmark::State& state) {
    static const std::vector<std::string> examples = keypadExamples();
    const auto index = static_cast<std::size_t>(state.range(0));
    if (index >= examples.size()) {
        state.SkipWithError("no such example");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(expr::rewriteTypedNotation(examples[index]));
    state.SetLabel(examples[index]);
}
BENCHMARK(BM_RewriteKeypadExample)->DenseRange(0, 11)->Unit(benchmark::kMicrosecond);

void BM_RewriteFourKilobytes(benchmark::State& state) {
    const std::string typed = fourKilobytesTyped();
    for (auto _ : state)
        benchmark::DoNotOptimize(expr::rewriteTypedNotation(typed));
}
BENCHMARK(BM_RewriteFourKilobytes)->Unit(benchmark::kMicrosecond);

// Powers of bracket groups, each group read once more to see whether the power brackets it itself; the
// second argument nests the groups ((…)^2)^2 that deep.
void BM_RewritePoweredGroups(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    std::string group = "x+1";
    for (int k = 0; k < depth; ++k)
        group = "(" + group + ")^2";
    std::string typed = "y=" + group;
    while (typed.size() < 4096)
        typed += "+" + group;
    for (auto _ : state)
        benchmark::DoNotOptimize(expr::rewriteTypedNotation(typed));
}
BENCHMARK(BM_RewritePoweredGroups)->ArgName("depth")->Arg(1)->Arg(8)->Arg(400)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    typeset::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
