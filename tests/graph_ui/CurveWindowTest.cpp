#include "app/CurveWiring.h"
#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "codec/FunFile.h"
#include "typeset/qt/ColorConversion.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// The main window with the curves installed, shown offscreen.
class CurveWindow : public ::testing::Test {
protected:
    RecordingSink sink;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>(TForm1::Services{&sink, nullptr, {}});
    expr::Engine engine{sink};
    std::unique_ptr<graph::CurvePlotter> curves = installCurvePlotter(*form, engine, sink);

    CurveWindow() {
        form->resize(1000, 700);
        form->show();
        QApplication::processEvents();
    }
    ~CurveWindow() override {
        curves.reset();
        form->setResampler({});
        form->setSheetLayers({});
    }

    // Presses a template button and then OK in the function editing dialog.
    void makeTemplateCurve(const char* button) {
        QTimer::singleShot(0, &curves->form3(), [this] {
            curves->form3().findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
        });
        form->item(QString::fromUtf8(button))->trigger();
    }
    // The curve passes the sheet pixel of the point (x, y) of the current view. Drawn anti-aliased, a
    // slanted line shares its ink between that pixel and its neighbours in the column, so one of the three
    // must be at least 40 % of the way from white to the colour.
    bool curvePixelAt(double x, double y, typeset::Color colour) const {
        const auto& v = form->document().view;
        const QImage& bitmap = form->sheet()->bitmap();
        const int column = static_cast<int>(v.originX + x * v.unitX);
        const int row = static_cast<int>(v.originY - std::trunc(y * v.unitY + 0.5));
        const QColor want = typeset::toQColor(colour);
        const auto share = [](int got, int target) {
            return target == 255 ? (got == 255 ? 1.0 : 0.0) : double(255 - got) / (255 - target);
        };
        for (int r = row - 1; r <= row + 1; ++r) {
            const QColor got = bitmap.pixelColor(column, r);
            if (std::min({share(got.red(), want.red()), share(got.green(), want.green()),
                          share(got.blue(), want.blue())}) >= 0.4)
                return true;
        }
        return false;
    }
};

TEST_F(CurveWindow, TemplateButtonAndOkPutTheCurveAndItsLabelOnTheSheet) {
    for (const graph::TemplateFunction& t : graph::templateFunctions())
        EXPECT_TRUE(form->item(QString::fromStdString(std::string(t.buttonName)))->isEnabled())
            << t.buttonName;
    makeTemplateCurve("SpeedButton1");
    ASSERT_EQ(form->document().curveCount(), 1);
    EXPECT_TRUE(curvePixelAt(1, 1, document::kBlue));
    EXPECT_TRUE(curvePixelAt(-1.5, -1.5, document::kBlue));
    const document::DEFINEFUN& c = form->document().curve(0);
    int ink = 0;
    for (int y = c.labelTop; y < c.labelBottom; ++y)
        for (int x = c.labelLeft; x < c.labelRight; ++x)
            ink += form->sheet()->bitmap().pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(ink, 50);
    EXPECT_TRUE(form->history().canUndo());
    form->grab().save(QStringLiteral(QUORVEL_RENDER_DIR "/main-window-with-curve.png"));
    form->sheet()->bitmap().save(QStringLiteral(QUORVEL_RENDER_DIR "/sheet-with-curve.png"));

    form->item(QStringLiteral("A1"))->trigger(); // undo: the curve goes, redo brings it back sampled
    EXPECT_EQ(form->document().curveCount(), 0);
    EXPECT_FALSE(curvePixelAt(1, 1, document::kBlue));
    form->item(QStringLiteral("S1"))->trigger();
    ASSERT_EQ(form->document().curveCount(), 1);
    EXPECT_TRUE(curvePixelAt(1, 1, document::kBlue));
}

TEST_F(CurveWindow, GridChangesAndResizeResampleTheCurves) {
    makeTemplateCurve("SpeedButton7"); // sine
    form->document().view.unitX = 50;
    form->item(QStringLiteral("N11"))->trigger(); // rectangular: units stay as they are
    form->item(QStringLiteral("N10"))->trigger(); // square: the y unit follows, resampled for 50
    EXPECT_TRUE(curvePixelAt(std::asin(0.5), 0.5, document::kBlue));
    form->resize(1300, 800);
    QApplication::processEvents();
    const document::DEFINEFUN& c = form->document().curve(0);
    EXPECT_EQ(c.sampleColumns(), form->sheet()->bitmap().width() + 1);
    EXPECT_TRUE(curvePixelAt(1, std::sin(1.0), document::kBlue));
}

TEST_F(CurveWindow, SavedCurvesOpenAndDrawTheSame) {
    makeTemplateCurve("SpeedButton3");
    makeTemplateCurve("SpeedButton2");
    const QImage before = form->sheet()->bitmap().copy();
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("curves.Fun")).toStdString();
    ASSERT_TRUE(codec::saveFunFile(path, form->document()).ok);
    sink.answers = {Answer::No}; // the new experiment asks about the changed document
    form->item(QStringLiteral("N1"))->trigger();
    ASSERT_EQ(form->document().curveCount(), 0);
    ASSERT_TRUE(form->openFile(QString::fromStdString(path)));
    ASSERT_EQ(form->document().curveCount(), 2);
    EXPECT_TRUE(form->sheet()->bitmap() == before);
}

} // namespace
} // namespace quorvel::app
