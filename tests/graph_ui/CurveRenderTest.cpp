#include "codec/FunFile.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveSampler.h"
#include "graph/Templates.h"
#include "typeset/qt/ColorConversion.h"
#include "typeset/qt/QtCanvas.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;

constexpr typeset::Color kGreen = typeset::rgb(0, 160, 0);

// Curves drawn for real on an 800 x 600 sheet with the origin in the middle, 100 pixels per unit.
class CurveRender : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    GraphItemPainter painter;
    QImage sheet{800, 600, QImage::Format_RGB32};

    CurveRender() { doc.view = document::ViewSettings::forSheet(800, 600); }

    DEFINEFUN& addTemplate(const char* button, typeset::Color colour = kGreen) {
        const TemplateFunction& t = *findTemplate(button);
        DEFINEFUN item;
        item.kind = document::KindTemplateFunction;
        item.expression = std::string(t.expression);
        item.colour = colour;
        item.paramCount = t.paramCount;
        for (int k = 0; k < t.paramCount; ++k) {
            item.paramNames[static_cast<std::size_t>(k)] = std::string(1, static_cast<char>('A' + k));
            item.paramValues[static_cast<std::size_t>(k)] = t.startValues[static_cast<std::size_t>(k)];
        }
        confirm_funvalue(engine, item, doc.view, sheet.width());
        return *doc.addCurve(std::move(item));
    }
    QImage draw(document::Document& d) {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            typeset::QtCanvas canvas(image);
            painter.Draw_definefun(canvas, d, image.width(), image.height());
        }
        return image;
    }
    static bool is(const QImage& image, int x, int y, typeset::Color colour) {
        return image.pixelColor(x, y) == typeset::toQColor(colour);
    }
    static int countInColumn(const QImage& image, int x, typeset::Color colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += is(image, x, y, colour);
        return n;
    }
};

TEST_F(CurveRender, LinePixelsAtKnownColumnsInTheCurveColour) {
    addTemplate("SpeedButton1");
    const QImage image = draw(doc);
    EXPECT_TRUE(is(image, 400, 300, kGreen));
    EXPECT_TRUE(is(image, 500, 200, kGreen));
    EXPECT_TRUE(is(image, 650, 50, kGreen));
    EXPECT_TRUE(is(image, 250, 449, kGreen)); // y = -1.5: trunc(-150 + 0.5) = -149
    EXPECT_FALSE(is(image, 500, 300, kGreen));
    EXPECT_EQ(countInColumn(image, 500, kGreen), 1); // a thin pen: one pixel per column on a 45° line
}

TEST_F(CurveRender, SelectedCurveIsDrawnInMagentaThreePixelsWide) {
    addTemplate("SpeedButton1");
    doc.selection.press(0);
    const QImage image = draw(doc);
    EXPECT_FALSE(is(image, 500, 200, kGreen));
    EXPECT_TRUE(is(image, 500, 200, kSelectedCurveColor));
    EXPECT_GE(countInColumn(image, 500, kSelectedCurveColor), 3);
}

TEST_F(CurveRender, ThickLineIsTwoPixelsWide) {
    DEFINEFUN& thin = addTemplate("SpeedButton1");
    DEFINEFUN& thick = addTemplate("SpeedButton1", kSelectedBoxColor);
    for (DEFINEFUN* item : {&thin, &thick}) { // horizontal lines y = 1 and y = -1
        item->paramValues[0] = 0;
        item->paramValues[1] = item == &thin ? 1 : -1;
        confirm_funvalue(engine, *item, doc.view, 800);
    }
    thick.thickLine = 1;
    const QImage image = draw(doc);
    EXPECT_EQ(countInColumn(image, 500, kGreen), 1);
    EXPECT_EQ(countInColumn(image, 500, kSelectedBoxColor), 2);
}

TEST_F(CurveRender, ReciprocalLeavesThePoleColumnEmpty) {
    addTemplate("SpeedButton2");
    const QImage image = draw(doc);
    for (int x = 398; x <= 402; ++x)
        EXPECT_EQ(countInColumn(image, x, kGreen), 0) << x;
    EXPECT_TRUE(is(image, 500, 200, kGreen)); // x = 1, y = 1
    EXPECT_TRUE(is(image, 300, 399, kGreen)); // x = -1, y = -1: trunc(-99.5) = -99
}

TEST_F(CurveRender, LabelIsTypesetInsideItsBox) {
    DEFINEFUN& item = addTemplate("SpeedButton7");
    typeset::QtCanvas measuring;
    item.labelLeft = 20;
    item.labelTop = 30;
    item.labelColours.fill(typeset::rgb(200, 0, 0));
    painter.sizeLabelBox(item, measuring);
    item.domainStart = 2; // keep the curve away from the label
    confirm_funvalue(engine, item, doc.view, 800);
    const QImage image = draw(doc);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool ink = image.pixelColor(x, y) != QColor(Qt::white);
            const bool inBox =
                x >= item.labelLeft && x < item.labelRight && y >= item.labelTop && y < item.labelBottom;
            (inBox ? inside : outside) += ink;
        }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

TEST_F(CurveRender, FourteenTemplatesDrawTheSameAfterSavingAndOpening) {
    for (const TemplateFunction& t : templateFunctions()) {
        DEFINEFUN& item = addTemplate(std::string(t.buttonName).c_str(), typeset::rgb(0, 0, 255));
        item.name = std::string(t.name);
        item.labelTop = 40 * (doc.curveCount() - 1);
        typeset::QtCanvas measuring;
        painter.sizeLabelBox(item, measuring);
    }
    doc.selection.press(3);
    const QImage before = draw(doc);
    before.save(QStringLiteral(QUORVEL_RENDER_DIR "/fourteen-templates.png"));

    const std::string bytes = codec::funFileBytes(doc);
    QFile sample(QStringLiteral(QUORVEL_RENDER_DIR "/fourteen-templates.Fun"));
    if (sample.open(QIODevice::WriteOnly)) sample.write(bytes.data(), static_cast<qint64>(bytes.size()));
    document::Document reopened;
    ASSERT_TRUE(codec::readFunFileBytes(bytes, reopened, resampleHook(engine, reopened.view, 800)).ok);
    reopened.selection.press(3);
    GraphItemPainter freshPainter;
    QImage after(800, 600, QImage::Format_RGB32);
    after.fill(Qt::white);
    {
        typeset::QtCanvas canvas(after);
        freshPainter.Draw_definefun(canvas, reopened, 800, 600);
    }
    EXPECT_TRUE(before == after);
    EXPECT_TRUE(sink.shown.empty());
}

} // namespace
} // namespace quorvel::graph
