#include "graph/ui/CurvePlotter.h"
#include "PlotterFixture.h"
#include "graph/CurveSampler.h"
#include "graph/ui/CommandMessageSink.h"
#include "typeset/qt/QtTextCache.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;

DEFINEFUN complaining(const char* expression = "Y=fac(2.5)+X") {
    DEFINEFUN item;
    item.kind = document::KindCustomFunction;
    item.expression = expression;
    return item;
}

// A message box: shows, and runs the event loop while it is open.
class ModalSink : public RecordingSink {
public:
    void show(const std::string& text, const std::string& caption, MessageIcon icon) override {
        RecordingSink::show(text, caption, icon);
        QCoreApplication::processEvents();
    }
};

TEST(CommandMessageSink, RepeatsWithinACommandAreDroppedAndTheNextCommandSpeaksAgain) {
    ModalSink sink;
    CommandMessageSink once(sink);
    expr::Engine engine(once);
    document::ViewSettings view = document::ViewSettings::forSheet(400, 300);
    DEFINEFUN a = complaining();
    DEFINEFUN b = complaining("Y=fac(X+0.25)");
    // One command samples two curves; the box that the first one opens runs the event loop.
    confirm_funvalue(engine, a, view, 400);
    confirm_funvalue(engine, b, view, 400);
    EXPECT_EQ(sink.shown.size(), 1u);

    QCoreApplication::processEvents(); // the command is over
    confirm_funvalue(engine, a, view, 400);
    EXPECT_EQ(sink.shown.size(), 2u);
}

TEST(CommandMessageSink, ADialogOpenDuringACommandLeavesTheProcessIdle) {
    RecordingSink sink;
    CommandMessageSink once(sink);
    once.show("输入有误", "错误", MessageIcon::Error);
    std::clock_t busy = 0;
    {
        QEventLoop dialog; // the modal loop of the function editing dialog, open for a while
        QTimer::singleShot(500, &dialog, &QEventLoop::quit);
        const std::clock_t start = std::clock();
        dialog.exec();
        busy = std::clock() - start;
    }
    EXPECT_LT(static_cast<double>(busy) / CLOCKS_PER_SEC, 0.05);
    once.show("输入有误", "错误", MessageIcon::Error); // the loop ended the command
    EXPECT_EQ(sink.shown.size(), 2u);
}

class Plotter : public testing::PlotterFixture {
protected:
    void pressOkWhenShown() {
        QTimer::singleShot(0, &plotter.form3(), [this] {
            plotter.form3().findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
        });
    }
};

TEST_F(Plotter, TemplateButtonAndOkPutTheCurveOnTheSheet) {
    pressOkWhenShown();
    EXPECT_EQ(run(plotter.templateButtonClick("SpeedButton3")), change::kEdit);
    ASSERT_EQ(doc.curveCount(), 1);
    const DEFINEFUN& c = doc.curve(0);
    EXPECT_EQ(c.expression, "Y =A*cub(X,2)+B*X+C");
    EXPECT_EQ(c.sampleColumns(), 641);
    EXPECT_DOUBLE_EQ(c.ys[320], -1); // x = 0: A·0 + B·0 + C
    EXPECT_GT(c.labelRight, c.labelLeft);
    EXPECT_EQ(history, 1);
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(run(plotter.templateButtonClick("SpeedButton13")), change::kNone); // no template
}

TEST_F(Plotter, ResamplerFollowsTheSheetWidthAndReopenUsesTheDialog) {
    pressOkWhenShown();
    (void)run(plotter.templateButtonClick("SpeedButton1"));
    doc.view.unitX = doc.view.unitY = 50;
    auto resample = plotter.resampler();
    resample(doc.curve(0));
    EXPECT_DOUBLE_EQ(doc.curve(0).ys[420], 2);

    QTimer::singleShot(0, &plotter.form3(), [this] {
        plotter.form3().setRowText(0, "3");
        plotter.form3().findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
    });
    EXPECT_EQ(run(plotter.reopenTemplateCurve(0)), change::kEdit);
    EXPECT_DOUBLE_EQ(doc.curve(0).ys[420], 6);
    EXPECT_EQ(history, 2);
}

TEST(CurvePlotterLifetime, TheDialogGoesWithWhicheverOwnerEndsFirst) {
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    auto sheet = [&] {
        return PlotterSheet{doc, [] { return QSize(100, 80); }, [] {},
                            std::make_shared<typeset::QtTextCache>()};
    };
    {
        auto window = std::make_unique<QWidget>();
        CurvePlotter plotter{engine, sink, sheet(), window.get()};
        window.reset(); // the window takes its child dialog along; the plotter must not delete it again
    }
    auto window = std::make_unique<QWidget>();
    { CurvePlotter plotter{engine, sink, sheet(), window.get()}; }
    EXPECT_TRUE(window->findChildren<QDialog*>().isEmpty());
}

} // namespace
} // namespace quorvel::graph

namespace quorvel::graph {
namespace {

// The next formula starts in the style of the last label on the sheet, whatever 输出设置 chose before.
TEST_F(Plotter, AfterADrawingTheOutputStyleIsTheLastLabelsStyle) {
    typeset::FormulaStyle output;
    output.fontSize = 30;
    plotter.setOutputStyle(&output);
    typeset::QtCanvas canvas(std::make_shared<typeset::QtTextCache>());
    plotter.Draw_definefun(canvas);
    EXPECT_EQ(output.fontSize, 30); // no label drawn: the style stays

    for (const int size : {12, 20}) {
        DEFINEFUN item = complaining("Y=X");
        item.labelFontSize = size;
        item.labelFontName = "Arial";
        item.labelColours = {1, 2, 3, 4, 5, size};
        doc.addCurve(item);
    }
    plotter.Draw_definefun(canvas);
    EXPECT_EQ(output.fontSize, 20);
    EXPECT_EQ(output.fontName, "Arial");
    EXPECT_EQ(output.colors.asArray(), (std::array<int, 6>{1, 2, 3, 4, 5, 20}));
}

} // namespace
} // namespace quorvel::graph
