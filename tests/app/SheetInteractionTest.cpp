// The pointer and the keys on the real sheet widget: what the user does reaches the document, the
// history, the menus and the clipboard.
#include "AppTestSupport.h"

#include "app/AnnotationWiring.h"
#include "app/CurveWiring.h"
#include "app/EditCommands.h"
#include "app/EditorWiring.h"
#include "app/SheetInteraction.h"
#include "app/SheetWidget.h"
#include "app/TForm6.h"
#include "codec/FunFile.h"
#include "editor/Tformularymain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::app {
namespace {

using document::DEFINEFUN;
using document::ObjectRef;

class SheetWork : public ::testing::Test {
protected:
    apptest::WindowFixture w;
    expr::Engine engine{w.sink};
    typeset::Typesetter typesetter;
    std::unique_ptr<graph::CurvePlotter> curves = installCurvePlotter(*w.form, engine, w.sink);
    editor::Tformularymain* editor = installFormulaEditor(*w.form, engine, typesetter, w.sink, *curves);
    SheetInteraction* interaction = installSheetInteraction(*w.form, engine);
    std::vector<ObjectRef> offered;
    std::optional<int> pickedColour;
    std::optional<document::FontSpec> chosenFont;
    TForm6* form6 = nullptr;

    SheetWork() {
        installReopening(*interaction, *curves, *editor);
        installCurvePopupCommands(*w.form, *curves, [this](int) { return pickedColour; });
        installEditCommands(*w.form, *interaction,
                            [this](const document::Document&, ObjectRef copied, ItemHit) {
                                offered.push_back(copied);
                                auto data = std::make_unique<QMimeData>();
                                data->setText(QStringLiteral("offer"));
                                return data;
                            });
        form6 = installAnnotations(*w.form, *interaction, w.sink,
                                   [this](QWidget*, const document::FontSpec&) { return chosenFont; });
    }
    ~SheetWork() override {
        delete editor;
        curves.reset();
        w.form->setResampler({});
        w.form->setSheetLayers({});
    }

    document::Document& doc() { return w.form->document(); }
    SheetWidget* sheet() { return w.form->sheet(); }
    QAction* item(const char* name) { return w.form->item(QString::fromLatin1(name)); }

    // A formula picture with its box at (left, top), 100 x 50, recorded as the user's change.
    void addPicture(int left, int top) {
        DEFINEFUN picture;
        picture.kind = document::KindFormulaPicture;
        picture.expression = "a+b";
        picture.labelLeft = left, picture.labelTop = top;
        picture.labelRight = left + 100, picture.labelBottom = top + 50;
        doc().addCurve(std::move(picture));
        w.form->apply(graph::change::kEdit);
    }
    // A custom function (y = x unless given), sampled for the view.
    void addLine(const char* expression = "y=x") {
        DEFINEFUN line;
        line.kind = document::KindCustomFunction;
        line.expression = expression;
        line.domainStart = -9999, line.domainEnd = 9999;
        line.labelLeft = line.labelTop = line.labelRight = line.labelBottom = 0;
        w.form->resampler()(line);
        doc().addCurve(std::move(line));
        w.form->apply(graph::change::kEdit);
    }
    // The sheet point of (x, y) in units.
    QPoint at(double x, double y) {
        const document::ViewSettings& v = doc().view;
        return QPoint(int(v.originX + x * v.unitX), int(v.originY - y * v.unitY));
    }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(sheet(), button, {}, p);
        QTest::mouseRelease(sheet(), button, {}, p);
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(sheet(), Qt::LeftButton, {}, from);
        QTest::mouseMove(sheet(), (from + to) / 2);
        QTest::mouseMove(sheet(), to);
        QTest::mouseRelease(sheet(), Qt::LeftButton, {}, to);
    }
};

TEST_F(SheetWork, StatusBarShowsThePointerCoordinates) {
    const auto& v = doc().view;
    QMouseEvent move(QEvent::MouseMove, QPointF(v.originX + 123.4, v.originY + 50), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(sheet(), &move);
    // Whole pixels: 123.4 px is 123 px, 1.23 units.
    EXPECT_EQ(w.form->statusPanel()->text(), QStringLiteral("当前鼠标的坐标为：(1.23,-0.5)"));
}

TEST_F(SheetWork, EditItemsStartAsTheyShouldAndDeleteFollowsTheSelection) {
    const struct {
        const char* name;
        bool enabled;
    } rows[] = {{"N16", true},  {"A1", false},  {"S1", false}, {"N45", true},
                {"N46", false}, {"N47", false}, {"D1", false}, {"N24", false}};
    for (const auto& row : rows)
        EXPECT_EQ(item(row.name)->isEnabled(), row.enabled) << row.name;
    DEFINEFUN picture;
    picture.kind = document::KindFormulaPicture;
    doc().addCurve(picture);
    item("N16")->trigger(); // select all
    ASSERT_TRUE(item("D1")->isEnabled());
    item("D1")->trigger();
    EXPECT_EQ(doc().curveCount(), 0);
    EXPECT_TRUE(doc().selection.empty());
    EXPECT_FALSE(item("D1")->isEnabled());
    EXPECT_EQ(w.form->history().states(), 2);
}

TEST_F(SheetWork, DragsMoveSelectedObjectsAndPanWithOneHistoryEntryEach) {
    addPicture(100, 100);
    addPicture(300, 100);
    const int states = w.form->history().states();
    click({150, 120});
    click({350, 120}); // both selected
    EXPECT_EQ(doc().selection.selCount(), 2);
    EXPECT_TRUE(item("D1")->isEnabled()); // without opening the edit menu
    drag({350, 120}, {370, 150});
    EXPECT_EQ(doc().curve(0).labelLeft, 120);
    EXPECT_EQ(doc().curve(1).labelTop, 130);
    EXPECT_EQ(w.form->history().states(), states + 1);
    EXPECT_TRUE(item("A1")->isEnabled());
    EXPECT_FALSE(item("S1")->isEnabled());

    // A press on empty sheet clears the selection; the drag then pans the axes.
    const double originX = doc().view.originX;
    drag({600, 500}, {640, 500});
    EXPECT_TRUE(doc().selection.empty());
    EXPECT_FALSE(item("D1")->isEnabled());
    EXPECT_EQ(doc().view.originX, originX + 40);
    EXPECT_EQ(doc().curve(0).labelLeft, 120); // panning moves the axes, not the boxes
    EXPECT_EQ(w.form->history().states(), states + 2);

    item("A1")->trigger();
    item("A1")->trigger();
    EXPECT_EQ(doc().curve(0).labelLeft, 100);
    EXPECT_EQ(doc().view.originX, originX);
    EXPECT_TRUE(item("S1")->isEnabled());
    EXPECT_EQ(w.form->statusPanel()->text().left(10), QStringLiteral("当前鼠标的坐标为：("));
}

// Frames drawn while a drag moves may be plain, to keep up with the pointer; the release draws the sheet
// smooth again even though it moves nothing.
TEST_F(SheetWork, DragFramesArePlainAndTheReleaseDrawsSmooth) {
    doc().view.gridShown = 0;
    // Steep: the columns' points are rows apart, so smoothing shows (a line that climbs a row per column
    // or less runs along pixel centres and has no soft edge to show).
    addLine("y=3*x");
    // The colours along the line between 0.15 and 0.3 units, away from the axes, ticks and labels.
    const auto coloursOnTheLine = [this] {
        QSet<QRgb> colours;
        const QPoint from = at(0.15, 0.9), to = at(0.3, 0.45);
        for (int y = from.y(); y <= to.y(); ++y)
            for (int x = from.x(); x <= to.x(); ++x)
                colours.insert(sheet()->bitmap().pixel(x, y));
        return colours.size();
    };
    EXPECT_GT(coloursOnTheLine(), 2); // at rest: the line's soft edges
    const QPoint from = at(-2, 1.5);
    QTest::mousePress(sheet(), Qt::LeftButton, {}, from);
    QTest::mouseMove(sheet(), from + QPoint(10, 0));
    QTest::mouseMove(sheet(), from + QPoint(20, 0));
    EXPECT_TRUE(sheet()->interactive());
    EXPECT_EQ(coloursOnTheLine(), 2); // the pen and the white sheet
    QTest::mouseRelease(sheet(), Qt::LeftButton, {}, from + QPoint(20, 0));
    EXPECT_FALSE(sheet()->interactive());
    EXPECT_GT(coloursOnTheLine(), 2);
}

// On a high-density screen the bitmap has the screen's pixel ratio, while the sheet, the mouse and the
// document keep logical pixels. CTest runs this once more with QT_SCALE_FACTOR=2 and
// QUORVEL_PIXEL_RATIO=2, the ratio the run must then see.
TEST_F(SheetWork, TheSheetIsDrawnAtTheScreensPixelRatioInLogicalPixels) {
    const qreal ratio = sheet()->devicePixelRatioF();
    if (const QByteArray want = qgetenv("QUORVEL_PIXEL_RATIO"); !want.isEmpty()) {
        ASSERT_EQ(ratio, want.toDouble());
    }
    const QImage& bitmap = sheet()->bitmap();
    EXPECT_EQ(bitmap.devicePixelRatio(), ratio);
    EXPECT_EQ(sheet()->sheetSize(), sheet()->size());
    EXPECT_EQ(bitmap.width(), int(std::ceil(sheet()->width() * ratio)));
    const document::ViewSettings& v = doc().view;
    // The x axis: its logical row covers the device rows below it.
    const int column = int((v.originX + 55) * ratio);
    for (int r = 0; r < int(ratio); ++r)
        EXPECT_LT(qRed(bitmap.pixel(column, int(int(v.originY) * ratio) + r)), 100) << r;
    EXPECT_EQ(bitmap.pixel(column, int((int(v.originY) - 30) * ratio)), qRgb(255, 255, 255));
    // The pointer reports logical sheet points.
    QMouseEvent move(QEvent::MouseMove, QPointF(v.originX + 123.4, v.originY + 50), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(sheet(), &move);
    EXPECT_EQ(w.form->statusPanel()->text(), QStringLiteral("当前鼠标的坐标为：(1.23,-0.5)"));
}

TEST_F(SheetWork, RightPressOnACurveOffersItsCommands) {
    addLine();
    addPicture(100, 100);
    QTest::mousePress(sheet(), Qt::RightButton, {}, at(1, 1));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, at(1, 1));
    QMenu* popup = w.form->popupMenu();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(doc().selection.entries(), std::vector<int>{0});
    for (const char* on : {"N21", "N23", "N22", "N25", "N48", "N33", "N43"})
        EXPECT_TRUE(item(on)->isEnabled()) << on;
    for (const char* off : {"N36", "N37", "N32", "N49"})
        EXPECT_FALSE(item(off)->isEnabled()) << off;
    popup->hide();

    item("N48")->trigger();
    EXPECT_EQ(doc().curve(0).thickLine, 1);
    pickedColour = 0x00FF00;
    item("N33")->trigger();
    EXPECT_EQ(doc().curve(0).colour, 0x00FF00);
    QTest::mousePress(sheet(), Qt::RightButton, {}, at(1, 1));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, at(1, 1));
    EXPECT_EQ(item("N48")->text(), QStringLiteral("细线(&t)"));
    popup->hide();

    // On a formula picture the demonstration is not offered.
    QTest::mousePress(sheet(), Qt::RightButton, {}, QPoint(150, 120));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, QPoint(150, 120));
    EXPECT_FALSE(item("N43")->isEnabled());
    EXPECT_FALSE(item("N48")->isEnabled());
    popup->hide();
}

TEST_F(SheetWork, DoubleClickReopensInTheEditorAndTheNextClickStillSelects) {
    addPicture(100, 100);
    addPicture(300, 100);
    QString shown;
    QTimer::singleShot(50, editor, [&] {
        shown = editor->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
        editor->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->setPlainText(QStringLiteral("a/b"));
        editor->findChild<QPushButton*>(QStringLiteral("BitBtn8"))->click();
    });
    QTest::mouseDClick(sheet(), Qt::LeftButton, {}, QPoint(150, 120));
    QTRY_COMPARE(doc().curve(0).expression, std::string("a/b"));
    EXPECT_EQ(shown, QStringLiteral("a+b"));
    click({350, 120}); // not swallowed: it adds to the item the double click selected
    EXPECT_EQ(doc().selection.entries(), (std::vector<int>{0, 1}));
}

TEST_F(SheetWork, KeysDeleteNudgeAndMarkTheDocumentChanged) {
    addPicture(100, 100);
    addPicture(300, 100);
    QTemporaryDir dir;
    w.dialogs.saveNames << dir.filePath(QStringLiteral("a.Fun"));
    ASSERT_TRUE(w.form->S2Click());
    EXPECT_FALSE(w.form->history().changed()); // saved: new would not ask

    click({150, 120});
    EXPECT_TRUE(sheet()->hasFocus());
    QTest::keyClick(sheet(), Qt::Key_Right);
    QTest::keyClick(sheet(), Qt::Key_Down);
    EXPECT_EQ(doc().curve(0).labelLeft, 102);
    EXPECT_EQ(doc().curve(0).labelTop, 102);
    EXPECT_TRUE(w.form->history().changed());
    EXPECT_FALSE(item("S1")->isEnabled());

    item("N18")->trigger(); // the next recorded change holds the nudge
    item("A1")->trigger();
    EXPECT_EQ(doc().curve(0).labelLeft, 100);
    item("S1")->trigger();
    EXPECT_EQ(doc().curve(0).labelLeft, 102);

    click({150, 120});
    QTest::keyClick(sheet(), Qt::Key_Delete);
    EXPECT_EQ(doc().curveCount(), 1);
    EXPECT_EQ(doc().curve(0).labelLeft, 300);
}

TEST_F(SheetWork, TabChoosesAnObjectForTheKeysThatFollowAndEscapeChoosesNone) {
    addPicture(100, 100);
    addPicture(300, 100);
    sheet()->setFocus();
    QTest::keyClick(sheet(), Qt::Key_Tab);
    QTest::keyClick(sheet(), Qt::Key_Tab);
    EXPECT_EQ(doc().selection.entries(), std::vector<int>{1});
    EXPECT_TRUE(sheet()->hasFocus()); // Tab stays on the sheet while it walks the objects
    QTest::keyClick(sheet(), Qt::Key_Right);
    EXPECT_EQ(doc().curve(1).labelLeft, 302);
    QTest::keyClick(sheet(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(doc().selection.entries(), std::vector<int>{0});
    QTest::keyClick(sheet(), Qt::Key_Escape);
    EXPECT_TRUE(doc().selection.empty());
}

TEST_F(SheetWork, CopyCutAndPasteFollowTheirOwnRules) {
    addPicture(100, 100);
    // Menu paste does nothing before a left press hit an object; an empty sheet copies nothing.
    QTest::mousePress(sheet(), Qt::RightButton, {}, QPoint(600, 500));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, QPoint(600, 500));
    w.form->popupMenu()->hide();
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    item("N22")->trigger();
    EXPECT_TRUE(offered.empty());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_FALSE(item("N24")->isEnabled());

    // A pop-up copy before any left press: the menu's paste waits for a press on an object, the pop-up's
    // does not.
    QTest::mousePress(sheet(), Qt::RightButton, {}, QPoint(150, 120));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, QPoint(150, 120));
    w.form->popupMenu()->hide();
    item("N22")->trigger();
    ASSERT_TRUE(item("N47")->isEnabled());
    item("N47")->trigger();
    EXPECT_EQ(doc().curveCount(), 1);
    item("N24")->trigger();
    EXPECT_EQ(doc().curveCount(), 2);
    item("A1")->trigger();
    offered.clear();

    click({150, 120});
    QTest::keyClick(sheet(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].slot, 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("offer"));
    EXPECT_TRUE(item("N47")->isEnabled());
    click({400, 400});
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(doc().curveCount(), 3);
    EXPECT_EQ(doc().curve(2).labelLeft, 400);
    EXPECT_EQ(doc().curve(1).labelTop, doc().curve(2).labelTop);

    click({150, 120});
    QTest::keyClick(sheet(), Qt::Key_X, Qt::ControlModifier);
    ASSERT_EQ(doc().curveCount(), 2);
    EXPECT_EQ(doc().curve(0).labelLeft, 400); // the pressed one went, the pasted ones stay
}

TEST_F(SheetWork, PasteAfterTheSheetShrankLandsOnIt) {
    addPicture(100, 100);
    click({150, 120});
    item("N46")->trigger();
    click({sheet()->width() - 5, sheet()->height() - 5});
    w.form->resize(700, 500);
    apptest::WindowFixture::settle();
    item("N24")->trigger();
    ASSERT_EQ(doc().curveCount(), 2);
    EXPECT_LT(doc().curve(1).labelLeft, sheet()->width());
    EXPECT_LT(doc().curve(1).labelTop, sheet()->height());
}

// Answers the next annotation dialog with text (nullptr: cancel) once it is open; the flag tells when.
std::shared_ptr<bool> answerAnnotationDialog(const char* text, QString* shown = nullptr,
                                             QString* caption = nullptr) {
    auto answered = std::make_shared<bool>(false);
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, text, shown, caption, answered] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        *answered = true;
        auto* memo = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        if (shown) *shown = memo->toPlainText();
        if (caption) *caption = ok->text();
        if (!text) {
            dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
            return;
        }
        memo->setPlainText(QString::fromUtf8(text));
        ok->click();
    });
    poll->start();
    return answered;
}

bool waitFor(const std::shared_ptr<bool>& answered) {
    return QTest::qWaitFor([&] { return *answered && !QApplication::activeModalWidget(); }, 3000);
}

TEST_F(SheetWork, AnnotationsArePlacedAtThePressAndCancelLeavesNoTrace) {
    addPicture(100, 100);
    const int states = w.form->history().states();
    item("N44")->trigger();
    auto answered = answerAnnotationDialog(nullptr);
    click({150, 120}); // on the picture: the annotation command does not look at what lies there
    ASSERT_TRUE(waitFor(answered));
    EXPECT_EQ(doc().remarkCount(), 0);
    EXPECT_EQ(w.form->history().states(), states);

    item("SpeedButton12")->trigger();
    answered = answerAnnotationDialog("第一行\n第二行\n");
    click({150, 120});
    ASSERT_TRUE(waitFor(answered));
    ASSERT_EQ(doc().remarkCount(), 1);
    const document::REMARK& r = doc().remark(0);
    EXPECT_EQ(r.text, "第一行\r\n第二行\r\n");
    EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(150, 120));
    EXPECT_EQ(r.font, document::FontSpec::annotationDefault());
    EXPECT_GT(r.right, r.left);
    EXPECT_EQ((r.bottom - r.top) % 3, 0); // three lines of one height, the trailing break included
    EXPECT_EQ(w.form->history().states(), states + 1);
    EXPECT_EQ(doc().curve(0).labelLeft, 100); // the press placed, it did not select or drag

    click({r.left + 2, r.top + 2}); // a plain press now selects it
    EXPECT_EQ(doc().selection.entries(), std::vector<int>{1});
}

TEST_F(SheetWork, EditingKeepsTheFontRecordsOnceAndAnEmptyTextRemoves) {
    document::REMARK r;
    r.left = 300, r.top = 300;
    r.text = "旧的";
    r.font.bold = true;
    r.font.size = 20;
    doc().addRemark(r);
    w.form->drawNow();
    const int states = w.form->history().states();
    QString shown, caption;
    QTest::mousePress(sheet(), Qt::RightButton, {}, QPoint(305, 305));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, QPoint(305, 305));
    w.form->popupMenu()->hide();
    auto answered = answerAnnotationDialog("旧的", &shown, &caption);
    item("N21")->trigger(); // 属性
    ASSERT_TRUE(waitFor(answered));
    EXPECT_EQ(w.form->history().states(), states + 1); // unchanged, but accepted: one entry
    EXPECT_EQ(shown, QStringLiteral("旧的"));
    EXPECT_EQ(caption, QStringLiteral("修改"));
    EXPECT_TRUE(doc().remark(0).font.bold);
    EXPECT_EQ(doc().remark(0).font.size, 20);

    // 修改字体 from the pop-up menu takes the chosen font.
    QTest::mousePress(sheet(), Qt::RightButton, {}, QPoint(305, 305));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, QPoint(305, 305));
    w.form->popupMenu()->hide();
    ASSERT_TRUE(item("N34")->isEnabled());
    chosenFont = document::FontSpec::annotationDefault();
    chosenFont->colour = 0x0000FF;
    item("N34")->trigger();
    EXPECT_EQ(doc().remark(0).font.colour, 0x0000FF);
    EXPECT_FALSE(doc().remark(0).font.bold);

    answered = answerAnnotationDialog("");
    QTest::mouseDClick(sheet(), Qt::LeftButton, {}, QPoint(305, 305));
    ASSERT_TRUE(waitFor(answered));
    ASSERT_EQ(doc().remarkCount(), 0);
    item("A1")->trigger();
    ASSERT_EQ(doc().remarkCount(), 1);
    EXPECT_EQ(doc().remark(0).font.colour, 0x0000FF);
}

TEST_F(SheetWork, AFunctionLabelCarriesTheCurvesNameAndColour) {
    addLine();
    doc().curve(0).colour = 0x00AA00;
    QTest::mousePress(sheet(), Qt::RightButton, {}, at(1, 1));
    QTest::mouseRelease(sheet(), Qt::RightButton, {}, at(1, 1));
    w.form->popupMenu()->hide();
    ASSERT_TRUE(item("N41")->isEnabled());
    item("N41")->trigger();
    ASSERT_EQ(doc().remarkCount(), 1);
    EXPECT_EQ(doc().remark(0).text, "自定义函数0");
    EXPECT_EQ(doc().remark(0).font.colour, 0x00AA00);
    EXPECT_EQ(doc().remark(0).left, at(1, 1).x());
}

TEST_F(SheetWork, AwkwardAnnotationTextsSurviveSaveAndOpenByteForByte) {
    std::string many;
    for (int i = 0; i < 50; ++i)
        many += "第" + std::to_string(i) + "行\r\n";
    const std::string texts[] = {"中文注释，带标点。", std::string(5000, 'w') + "长", many, "末行##"};
    int top = 0;
    for (const std::string& text : texts) {
        document::REMARK r;
        r.top = top += 40;
        r.text = text;
        doc().addRemark(r);
    }
    w.form->drawNow(); // the boxes are measured
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.Fun"));
    w.dialogs.saveNames << path;
    ASSERT_TRUE(w.form->S2Click());
    const std::string saved = codec::funFileBytes(doc());
    ASSERT_TRUE(w.form->openFile(path));
    ASSERT_EQ(doc().remarkCount(), 4);
    for (int j = 0; j < 4; ++j)
        EXPECT_EQ(doc().remark(j).text, texts[j]) << j;
    EXPECT_EQ(codec::funFileBytes(doc()), saved);
}

// Wheel steps zoom about the pointer; a burst of them is one history entry; 默认视图 brings the start back.
TEST_F(SheetWork, TheWheelZoomsInBurstsAndTheDefaultViewReturns) {
    const int states = w.form->history().states();
    const QPoint at(500, 200);
    const double mx = doc().view.mathX(at.x()), my = doc().view.mathY(at.y());
    for (int i = 0; i < 3; ++i) {
        QWheelEvent turn(at, sheet()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(sheet(), &turn);
    }
    EXPECT_NEAR(doc().view.unitX, 100 * 1.1 * 1.1 * 1.1, 1e-9);
    EXPECT_LE(std::abs(doc().view.sheetX(mx) - at.x()), 0.5);
    EXPECT_LE(std::abs(doc().view.sheetY(my) - at.y()), 0.5);
    EXPECT_EQ(w.form->history().states(), states); // still turning
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.form->history().states() == states + 1; }, 2000));
    QTest::qWait(500);
    EXPECT_EQ(w.form->history().states(), states + 1);

    item("N19")->trigger();
    EXPECT_EQ(doc().view.unitX, 100);
    EXPECT_EQ(doc().view.originX, sheet()->width() / 2);
    item("A1")->trigger();
    EXPECT_NEAR(doc().view.unitX, 133.1, 1e-9);
}

TEST_F(SheetWork, TheWindowKeepsARoomForItsButtons) {
    w.form->resize(400, 300);
    apptest::WindowFixture::settle();
    EXPECT_GE(w.form->width(), 640);
    EXPECT_GE(w.form->height(), 480);
}

} // namespace
} // namespace quorvel::app
