#include "AppTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>

#include "app/SheetWidget.h"

#include <gtest/gtest.h>

using namespace quorvel;
using apptest::WindowFixture;

namespace {

QString text(WindowFixture& w, const char* name) {
    return w.form->item(QString::fromUtf8(name))->text();
}
bool checked(WindowFixture& w, const char* name) {
    return w.form->item(QString::fromUtf8(name))->isChecked();
}

} // namespace

TEST(GridCommands, EachGridKindFromMenuOrPopupSetsTheChecksAndRecordsHistory) {
    struct Case {
        const char* item;
        int gridKind;
        const char* checkedItem;
    };
    const Case cases[] = {{"N11", 1, "N11"}, {"N29", 1, "N11"}, {"N17", 2, "N17"},
                          {"N31", 2, "N17"}, {"N10", 0, "N10"}, {"N30", 0, "N10"}};
    for (const Case& c : cases) {
        WindowFixture w;
        w.form->item(QString::fromUtf8(c.item))->trigger();
        SCOPED_TRACE(c.item);
        EXPECT_EQ(w.form->document().view.gridKind, c.gridKind);
        for (const char* name : {"N10", "N11", "N17"})
            EXPECT_EQ(checked(w, name), std::string(name) == c.checkedItem) << name;
        for (const char* popup : {"N30", "N29", "N31"})
            EXPECT_FALSE(checked(w, popup));
        EXPECT_EQ(w.form->history().states(), 2);
        EXPECT_TRUE(w.form->history().changed());
        EXPECT_TRUE(w.form->item(QStringLiteral("A1"))->isEnabled());
    }
}

TEST(GridCommands, SquareGridGivesBothAxesTheXUnitAndResamples) {
    WindowFixture w;
    int resampled = 0;
    w.form->setResampler([&](document::DEFINEFUN&) { ++resampled; });
    document::DEFINEFUN curve;
    curve.kind = document::KindTemplateFunction;
    w.form->document().addCurve(curve);
    w.form->document().addCurve(curve);
    w.form->item(QStringLiteral("N11"))->trigger();
    EXPECT_EQ(resampled, 0); // the rectangular grid keeps the units, so the samples stay valid
    auto& v = w.form->document().view;
    v.unitX = 150;
    v.unitY = 60;
    w.form->item(QStringLiteral("N10"))->trigger();
    EXPECT_EQ(v.unitX, 150);
    EXPECT_EQ(v.unitY, 150);
    EXPECT_EQ(v.unitCommon, 150);
    EXPECT_EQ(resampled, 2);
    w.form->item(QStringLiteral("N17"))->trigger();
    EXPECT_EQ(resampled, 2); // the polar grid keeps the units too
}

TEST(GridCommands, GridToggleCaptionsAreTheState) {
    WindowFixture w;
    EXPECT_EQ(text(w, "N32"), QStringLiteral("显示网格"));
    w.form->item(QStringLiteral("N32"))->trigger();
    EXPECT_EQ(w.form->document().view.gridShown, 1);
    EXPECT_EQ(text(w, "N18"), QStringLiteral("隐藏网格(&Z)"));
    EXPECT_EQ(text(w, "N32"), QStringLiteral("隐藏网格(&Z)"));
    w.form->item(QStringLiteral("N18"))->trigger();
    EXPECT_EQ(w.form->document().view.gridShown, 0);
    EXPECT_EQ(text(w, "N18"), QStringLiteral("显示网格(&Z)"));
    EXPECT_EQ(text(w, "N32"), QStringLiteral("显示网格(&Z)"));
    EXPECT_EQ(w.form->history().states(), 3);
}

TEST(GridCommands, AxesToggleHidesTheCoordinateSystem) {
    WindowFixture w;
    w.form->item(QStringLiteral("Y1"))->trigger();
    EXPECT_EQ(w.form->document().view.axesShown, 0);
    EXPECT_EQ(text(w, "Y1"), QStringLiteral("显示坐标系(&Y)"));
    EXPECT_EQ(text(w, "N49"), QStringLiteral("显示坐标系(&Y)"));
    const QImage& sheet = w.form->sheet()->bitmap();
    for (int y = 0; y < sheet.height(); y += 7)
        for (int x = 0; x < sheet.width(); x += 7)
            ASSERT_EQ(sheet.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    w.form->item(QStringLiteral("N49"))->trigger();
    EXPECT_EQ(w.form->document().view.axesShown, 1);
    EXPECT_EQ(text(w, "Y1"), QStringLiteral("隐藏坐标系(&Y)"));
    EXPECT_EQ(w.form->history().states(), 3);
}

TEST(GridCommands, UndoAndRedoBringBackViewCaptionsAndChecks) {
    WindowFixture w;
    w.form->item(QStringLiteral("N17"))->trigger();
    w.form->item(QStringLiteral("N18"))->trigger();
    w.form->item(QStringLiteral("A1"))->trigger();
    EXPECT_EQ(w.form->document().view.gridShown, 0);
    EXPECT_EQ(text(w, "N18"), QStringLiteral("显示网格(&Z)"));
    EXPECT_TRUE(w.form->item(QStringLiteral("S1"))->isEnabled());
    w.form->item(QStringLiteral("A1"))->trigger();
    EXPECT_EQ(w.form->document().view.gridKind, 0);
    EXPECT_TRUE(checked(w, "N10"));
    EXPECT_FALSE(checked(w, "N17"));
    // Back at the first state: unchanged, and undo has nowhere to go.
    EXPECT_FALSE(w.form->history().changed());
    EXPECT_FALSE(w.form->item(QStringLiteral("A1"))->isEnabled());
    EXPECT_FALSE(w.form->item(QStringLiteral("SpeedButton28"))->isEnabled());
    w.form->item(QStringLiteral("SpeedButton27"))->trigger();
    EXPECT_EQ(w.form->document().view.gridKind, 2);
    EXPECT_TRUE(checked(w, "N17"));
}
