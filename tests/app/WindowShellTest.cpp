#include "AppTestSupport.h"
#include "app/ErrorBox.h"
#include "app/HelpPage.h"
#include "app/QuorvelApplication.h"
#include "app/SheetInteraction.h"
#include "app/SheetPrinting.h"
#include "app/SheetWidget.h"
#include "app/TForm13.h"
#include "app/TemplateBar.h"
#include "typeset/qt/QtCanvas.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <QLineEdit>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace quorvel;
using apptest::WindowFixture;

TEST(Resize, TheOriginKeepsItsRelativePlaceAndNothingIsRecorded) {
    WindowFixture w(QSize(1000, 700));
    auto& v = w.form->document().view;
    v.originX = 300;
    v.originY = 200;
    const QSize before = w.panel();
    w.form->resize(700, 500);
    WindowFixture::settle();
    const QSize after = w.panel();
    ASSERT_NE(before, after);
    EXPECT_EQ(v.originX, std::trunc(after.width() * 300.0 / before.width()));
    EXPECT_EQ(v.originY, std::trunc(after.height() * 200.0 / before.height()));
    EXPECT_EQ(v.unitX, 100);
    EXPECT_EQ(w.form->sheetExtent().width, after.width());
    EXPECT_EQ(w.form->sheet()->bitmap().size(), after - QSize(2, 2));
    EXPECT_EQ(w.form->history().states(), 1);
}

TEST(Resize, CurvesAreResampledForTheNewWidth) {
    WindowFixture w;
    int resampled = 0;
    w.form->setResampler([&](document::DEFINEFUN&) { ++resampled; });
    document::DEFINEFUN curve;
    curve.kind = document::KindCustomFunction;
    w.form->document().addCurve(curve);
    w.form->resize(800, 600);
    WindowFixture::settle();
    EXPECT_GE(resampled, 1);
}

TEST(Bars, ToolBarToggleTwiceRestoresTheCaptionAndKeepsTheOrigin) {
    WindowFixture w;
    QAction* n8 = w.form->item(QStringLiteral("N8"));
    const auto origin = w.form->document().view;
    const int height = w.form->sheet()->bitmap().height();
    n8->trigger();
    EXPECT_EQ(n8->text(), QStringLiteral("显示工具栏(&H)"));
    EXPECT_FALSE(w.form->toolBar()->isVisible());
    EXPECT_GT(w.form->sheet()->bitmap().height(), height);
    EXPECT_EQ(w.form->document().view.originY, origin.originY);
    n8->trigger();
    EXPECT_EQ(n8->text(), QStringLiteral("隐藏工具栏(&H)"));
    EXPECT_TRUE(w.form->toolBar()->isVisible());
    EXPECT_EQ(w.form->sheet()->bitmap().height(), height);
    EXPECT_EQ(w.form->document().view.originX, origin.originX);
    EXPECT_EQ(w.form->history().states(), 1);
}

TEST(Bars, HidingTheTemplateBarWidensTheSheetAndResamples) {
    WindowFixture w;
    int resampled = 0;
    w.form->setResampler([&](document::DEFINEFUN&) { ++resampled; });
    document::DEFINEFUN curve;
    curve.kind = document::KindTemplateFunction;
    w.form->document().addCurve(curve);
    const int width = w.form->sheet()->bitmap().width();
    const double originX = w.form->document().view.originX;
    QAction* m1 = w.form->item(QStringLiteral("M1"));
    m1->trigger();
    EXPECT_EQ(m1->text(), QStringLiteral("显示模板栏(&M)"));
    EXPECT_FALSE(w.form->templateBar()->isVisible());
    EXPECT_EQ(w.form->sheet()->bitmap().width(), width + 102);
    EXPECT_GE(resampled, 1);
    m1->trigger();
    EXPECT_EQ(m1->text(), QStringLiteral("隐藏模板栏(&M)"));
    EXPECT_EQ(w.form->sheet()->bitmap().width(), width);
    EXPECT_EQ(w.form->document().view.originX, originX); // the round trip leaves the origin where it was
}

// The window is resized (maximised) after the first state was taken: undoing back to it shows the view
// the user saw, not the one before the resize.
TEST(Bars, UndoingToTheFirstStateShowsTheStartingView) {
    WindowFixture w;
    w.form->resize(1200, 800);
    WindowFixture::settle();
    const double originX = w.form->document().view.originX;
    EXPECT_EQ(w.form->history().states(), 1);
    w.form->item(QStringLiteral("N18"))->trigger();
    w.form->item(QStringLiteral("A1"))->trigger();
    EXPECT_EQ(w.form->document().view.originX, originX);
    EXPECT_FALSE(w.form->history().changed());
}

TEST(Printing, TheSheetFillsThePageWidthInItsProportions) {
    struct Case {
        QSize page, sheet, want;
    };
    const Case cases[] = {
        {{4800, 6600}, {800, 600}, {4800, 3600}}, // portrait
        {{6600, 4800}, {800, 600}, {6400, 4800}}, // landscape: the width would run off the page
        {{6600, 4800}, {1000, 300}, {6600, 1980}},
        {{999, 1000}, {7, 3}, {999, 428}}, // truncated, not rounded
        {{1000, 1000}, {0, 600}, {0, 0}},  // an empty sheet prints nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::sheetPrintRect(c.page, c.sheet).size(), c.want)
            << c.page.width() << "x" << c.page.height();
    EXPECT_EQ(app::sheetPrintRect({6600, 4800}, {800, 600}).topLeft(), QPoint(0, 0));
}

// Paper gets the sheet's orientation and a safe margin, and the work without the screen's tools: the x unit
// handle and the selection's pink are not printed.
TEST(Printing, ThePageIsTurnedAsTheSheetAndShowsNoHandleOrSelection) {
    WindowFixture w(QSize(1000, 500));
    QPrinter printer(QPrinter::HighResolution);
    app::preparePrinter(printer, w.form->printSource());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_GE(printer.pageLayout().margins(QPageLayout::Millimeter).left(), 10);

    document::REMARK note;
    note.text = "note";
    note.left = 100, note.top = 100, note.right = 200, note.bottom = 150;
    (void)w.form->document().addRemark(note);
    w.form->document().selection.selectOnly(w.form->document().combinedOfRemark(0));
    const QSize size = w.form->sheet()->sheetSize();
    QImage paper(size, QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        typeset::QtCanvas canvas(paper, w.form->textCache());
        w.form->printSource().draw(canvas);
    }
    const document::ViewSettings& v = w.form->document().view;
    const QRect handle(int(v.originX + v.unitX) - 6, int(v.originY) - 6, 13, 13);
    w.form->apply(graph::change::kRedraw);
    const QImage screen = w.form->sheet()->bitmap().scaled(size); // the screen's drawing has the handle
    const auto ink = [&handle](const QImage& image) {
        int n = 0;
        for (int y = handle.top(); y <= handle.bottom(); ++y)
            for (int x = handle.left(); x <= handle.right(); ++x)
                n += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
        return n;
    };
    EXPECT_LT(ink(paper) + 10, ink(screen));
    EXPECT_NE(paper.pixelColor(150, 140), QColor(255, 175, 255)); // not the selection's pink
    EXPECT_EQ(w.form->document().selection.selCount(), 1);        // and the selection is kept
}

TEST(Printing, PrintsToAPdfFileAndReportsAFailedJob) {
    QTemporaryDir dir;
    WindowFixture w;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
    EXPECT_TRUE(app::printDocument(w.form->printSource(), printer));
    QFile pdf(dir.filePath(QStringLiteral("sheet.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The sheet is drawn onto the page, not pasted as a bitmap.
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
    EXPECT_EQ(printer.docName(), QStringLiteral("Quorvel--未命名"));
    EXPECT_TRUE(w.sink.shown.empty());

    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(QStringLiteral("/nonexistent/folder/sheet.pdf"));
    EXPECT_FALSE(app::printDocument(w.form->printSource(), broken));
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_NE(w.sink.shown[0].text.find("打印失败"), std::string::npos);
}

TEST(Help, ThePageIsFoundBesideTheProgramOrInstalled) {
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    EXPECT_EQ(app::helpPagePath(bin), bin + QStringLiteral("/help/index.htm")); // neither exists
    QDir().mkpath(dir.filePath(QStringLiteral("share/quorvel/help")));
    apptest::writeFile(dir, QStringLiteral("share/quorvel/help/index.htm"), "<html/>");
    EXPECT_EQ(app::helpPagePath(bin), dir.filePath(QStringLiteral("share/quorvel/help/index.htm")));
    QDir().mkpath(bin + QStringLiteral("/help"));
    apptest::writeFile(dir, QStringLiteral("bin/help/index.htm"), "<html/>");
    EXPECT_EQ(app::helpPagePath(bin), bin + QStringLiteral("/help/index.htm"));
}

// Help opens in the program's own window on every desktop, browser or not, and finds text.
TEST(Help, TheHelpWindowShowsThePageAndFindsText) {
    WindowFixture w;
    w.form->item(QStringLiteral("SpeedButton25"))->trigger();
    EXPECT_TRUE(w.sink.shown.empty()) << (w.sink.shown.empty() ? "" : w.sink.shown[0].text);
    auto* browser = w.form->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->window()->isVisible());
    const QString page = browser->toPlainText();
    for (const char* topic : {"公式标记", "模板函数", "正比例函数", "sqrt(x)", "撤消", "极坐标网格"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << topic;
    auto* find = browser->window()->findChild<QLineEdit*>(QStringLiteral("HelpFind"));
    ASSERT_NE(find, nullptr);
    for (int round = 0; round < 2; ++round) { // the second search goes on, then round from the top
        find->setText(QStringLiteral("模板函数"));
        emit find->returnPressed();
        EXPECT_EQ(browser->textCursor().selectedText(), QStringLiteral("模板函数"));
    }
    w.form->item(QStringLiteral("N13"))->trigger(); // a second request reuses the window
    EXPECT_EQ(w.form->findChildren<QTextBrowser*>().size(), 1);
}

TEST(AboutBox, NameVersionAndDescription) {
    app::TForm13 about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于软件"));
    QString all;
    for (const QLabel* label : about.findChildren<QLabel*>())
        all += label->text();
    EXPECT_TRUE(all.contains(QStringLiteral("Quorvel")));
    EXPECT_TRUE(all.contains(QStringLiteral("版本 ") + QStringLiteral(QUORVEL_VERSION)));
    EXPECT_TRUE(all.contains(QStringLiteral("函数作图")));

    WindowFixture w;
    w.form->setAboutBox(&about);
    QTimer::singleShot(0, &about, [&] {
        EXPECT_TRUE(about.isModal());
        EXPECT_TRUE(about.isVisible());
        about.accept();
    });
    w.form->item(QStringLiteral("N15"))->trigger();
    EXPECT_FALSE(about.isVisible());
}

TEST(ErrorBox, AnErrorEscapingACommandIsShownAndTheProgramGoesOn) {
    WindowFixture w;
    w.form->setCommand(QStringLiteral("N50"),
                       []() -> graph::SheetChange { throw std::runtime_error("坏了"); });
    QAction* n50 = w.form->item(QStringLiteral("N50"));
    EXPECT_TRUE(n50->isEnabled());
    n50->trigger();
    ASSERT_EQ(w.sink.shown.size(), 1u);
    EXPECT_EQ(w.sink.shown[0].text, "坏了");
    EXPECT_EQ(w.sink.shown[0].caption, "Quorvel");
    EXPECT_EQ(w.sink.shown[0].icon, MessageIcon::Error);
    w.form->setCommand(QStringLiteral("N40"), []() -> graph::SheetChange { throw 42; });
    w.form->item(QStringLiteral("N40"))->trigger();
    ASSERT_EQ(w.sink.shown.size(), 2u);
    EXPECT_NE(w.sink.shown[1].text.find("未知错误"), std::string::npos);
    // The window still works.
    w.form->item(QStringLiteral("N11"))->trigger();
    EXPECT_EQ(w.form->document().view.gridKind, 1);
}

namespace {
class ThrowingObject : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("escaped an event handler"); }
};
} // namespace

TEST(ErrorBox, TheApplicationCatchesErrorsOfAnyEventHandler) {
    auto* application = qobject_cast<app::QuorvelApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    RecordingSink sink;
    application->setErrorSink(&sink);
    ThrowingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    application->setErrorSink(nullptr);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "escaped an event handler");
}

TEST(PopupMenu, NothingHitOffersTheViewCommands) {
    WindowFixture w;
    app::showSheetPopup(*w.form, w.form->mapToGlobal(QPoint(300, 300)), graph::HitKind::Nothing);
    for (const char* on : {"N30", "N29", "N31", "N32", "N49"})
        EXPECT_TRUE(w.form->item(QString::fromUtf8(on))->isEnabled()) << on;
    for (const char* off : {"N21", "N23", "N25", "N48", "N33", "N34", "N43", "N41"})
        EXPECT_FALSE(w.form->item(QString::fromUtf8(off))->isEnabled()) << off;
    // Offered by the table but not yet connected to a command: still disabled.
    for (const char* pending : {"N22", "N36", "N37"})
        EXPECT_FALSE(w.form->item(QString::fromUtf8(pending))->isEnabled()) << pending;
    EXPECT_TRUE(w.form->popupMenu()->isVisible());
    w.form->popupMenu()->hide();

    app::showSheetPopup(*w.form, w.form->mapToGlobal(QPoint(300, 300)), graph::HitKind::Annotation);
    EXPECT_FALSE(w.form->item(QStringLiteral("N32"))->isEnabled());
    EXPECT_FALSE(w.form->item(QStringLiteral("N28"))->isEnabled());
    w.form->popupMenu()->hide();
}

TEST(CommandLine, TheFirstFileArgumentIsTheDocument) {
    EXPECT_EQ(app::documentArgument({"quorvel"}), QString());
    EXPECT_EQ(app::documentArgument({"quorvel", "a.Fun"}), QStringLiteral("a.Fun"));
    EXPECT_EQ(app::documentArgument({"quorvel", "file:///tmp/%E5%AE%9E%E9%AA%8C.Fun"}),
              QStringLiteral("/tmp/实验.Fun"));
    EXPECT_EQ(app::documentArgument({"quorvel", "/home/u/实验.Fun"}), QStringLiteral("/home/u/实验.Fun"));
}
