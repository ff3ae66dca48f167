// Reading curves in the running window, where the wiring is the risk: the trace's keys, the table's copy,
// and marks that never reach the document, the history or the printed page.
#include "AppTestSupport.h"

#include "app/CurveReading.h"
#include "app/ProgramWiring.h"
#include "app/SheetExport.h"
#include "app/SheetWidget.h"
#include "app/ValueTableDialog.h"
#include "document/DocumentText.h"
#include "typeset/qt/QtCanvas.h"
#include "typeset/qt/SheetOutput.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::app {
namespace {

TEST(CurveReadingWindow, TraceKeysTableCopyAndMarksThatStayOnTheScreen) {
    apptest::WindowFixture w;
    const auto program = installProgram(*w.form, w.sink);
    document::DEFINEFUN curve;
    curve.kind = document::KindCustomFunction;
    curve.expression = "Y=X*X-4*X+3";
    curve.domainStart = -9999, curve.domainEnd = 9999;
    w.form->resampler()(curve);
    w.form->document().addCurve(curve);
    w.form->document().selection.selectOnly(0);
    w.form->apply(graph::change::kEdit);
    auto* reading = w.form->findChild<CurveReading*>();
    ASSERT_NE(reading, nullptr);
    ASSERT_FALSE(reading->marks().marks().empty());

    const std::string text = document::writeDocumentText(w.form->document());
    const int states = w.form->history().states();
    const document::ViewSettings& v = w.form->document().view;
    QTest::mouseClick(w.form->sheet(), Qt::LeftButton, {}, QPoint(int(v.sheetX(2)), int(v.sheetY(-1))));
    EXPECT_TRUE(reading->marks().pinned());
    EXPECT_TRUE(w.form->statusPanel()->text().startsWith(QStringLiteral("极小值 (2, -1)")));
    EXPECT_EQ(document::writeDocumentText(w.form->document()), text); // marks are not the document's
    EXPECT_EQ(w.form->history().states(), states);
    int overlays = 0;
    const auto overlay = w.form->sheetLayers().screenOverlay;
    w.form->sheetLayers().screenOverlay = [&](typeset::Canvas& c) { ++overlays, overlay(c); };
    QImage page(200, 100, QImage::Format_RGB32);
    typeset::QtCanvas canvas(page, w.form->textCache());
    w.form->printSource().draw(canvas);
    EXPECT_EQ(overlays, 0); // nor the printed page's

    w.form->item(QStringLiteral("N61"))->trigger();
    ASSERT_TRUE(reading->trace().active());
    const double x = reading->trace().x();
    QTest::keyClick(w.form->sheet(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(reading->trace().x(), x + 0.1, 0.011); // ten pixels, to the nearest column
    EXPECT_TRUE(w.form->statusPanel()->text().startsWith(QStringLiteral("追踪")));
    EXPECT_EQ(w.form->statusPanel()->accessibleName(), w.form->statusPanel()->text());
    QTest::keyClick(w.form->sheet(), Qt::Key_Escape);
    EXPECT_FALSE(reading->trace().active());

    w.form->item(QStringLiteral("N62"))->trigger();
    ASSERT_TRUE(reading->table()->isVisible());
    reading->table()->findChild<QPushButton*>(QStringLiteral("TableCopy"))->click();
    EXPECT_TRUE(
        QGuiApplication::clipboard()->text().startsWith(QStringLiteral("x\t自定义函数0\r\n-5\t48\r\n")))
        << QGuiApplication::clipboard()->text().toStdString();
    w.form->setResampler({});
    w.form->setSheetLayers({});
}

} // namespace
} // namespace quorvel::app

namespace quorvel::app {
namespace {

// The exported and copied sheet is the window's drawing as paper shows it, in every format.
TEST(SheetExport, TheCopiedSheetIsTheDrawingAsPngAndSvgAndNamesFollowTheDocument) {
    apptest::WindowFixture w;
    const auto program = installProgram(*w.form, w.sink);
    w.form->item(QStringLiteral("N64"))->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage copied = qvariant_cast<QImage>(data->imageData());
    const QSize sheet = w.form->sheet()->sheetSize();
    EXPECT_EQ(copied.size(), sheet * std::max(1.0, qGuiApp->devicePixelRatio()));
    QImage paper(sheet, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        typeset::QtCanvas canvas(paper, w.form->textCache());
        canvas.setLineQuality(typeset::LineQuality::Smooth);
        w.form->printSource().draw(canvas);
    }
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), paper);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
    const typeset::SheetDrawing draw = [&](typeset::QtCanvas& c) { w.form->printSource().draw(c); };
    const QImage at300 = QImage::fromData(typeset::sheetBitmap(sheet, "png", draw, 2.5, 11811), "PNG");
    EXPECT_EQ(at300.size(), QSize(int(std::ceil(sheet.width() * 2.5)), int(std::ceil(sheet.height() * 2.5))));
    EXPECT_EQ(at300.dotsPerMeterX(), 11811); // 300 dpi, for the page
    EXPECT_EQ(exportName(QString(), QStringLiteral("png")), QStringLiteral("未命名.png"));
    EXPECT_EQ(exportName(QStringLiteral("/d/抛物线.v2.Fun"), QStringLiteral("svg")),
              QStringLiteral("抛物线.v2.svg"));
    w.form->setResampler({});
    w.form->setSheetLayers({});
}

} // namespace
} // namespace quorvel::app
