#include "AppTestSupport.h"
#include "app/SheetWidget.h"
#include "app/TemplateBar.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quorvel;
using apptest::WindowFixture;

namespace {

struct ItemCase {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* menu; // the menu that holds it
    bool enabled;
};

// Every item of the main menu and the pop-up menu at start. Items whose commands other windows bring
// stay disabled until those windows connect them.
const ItemCase kItems[] = {
    {"N1", "新建…(&N)", "Ctrl+N", "F1", true},
    {"O1", "打开…(&O)", "Ctrl+O", "F1", true},
    {"S2", "保存…(&S)", "", "F1", true},
    {"P1", "打印(&P)", "Ctrl+P", "F1", true},
    {"Q1", "退出(&Q)", "", "F1", true},
    {"N16", "全选", "Ctrl+A", "N4", false}, // the edit commands come with their own wiring
    {"A1", "撤消", "Ctrl+Z", "N4", false},
    {"S1", "重做(&S)", "Ctrl+S", "N4", false},
    {"N45", "剪切(&X)", "Ctrl+X", "N4", false},
    {"N46", "复制(&C)", "Ctrl+C", "N4", false},
    {"N47", "粘贴(&V)", "Ctrl+V", "N4", false},
    {"D1", "删除(&D)", "Del", "N4", false},
    {"N10", "方形网格", "", "T1", true},
    {"N11", "矩形网格", "", "T1", true},
    {"N17", "极坐标网格", "", "T1", true},
    {"Y1", "隐藏坐标系(&Y)", "", "N4", true},
    {"N18", "显示网格(&Z)", "", "N4", true},
    {"N50", "公式编辑", "Ctrl+G", "O2", false},
    {"N39", "自定义函数(&D)", "Ctrl+D", "O2", false},
    {"N40", "计算(&I)", "", "O2", false},
    {"N44", "多行注释(&R)", "", "O2", false},
    {"N8", "隐藏工具栏(&H)", "Ctrl+H", "V1", true},
    {"M1", "隐藏模板栏(&M)", "Ctrl+M", "V1", true},
    {"N13", "使用说明(&M)", "F1", "H1", true},
    {"N15", "关于软件(&N)", "", "H1", true},
    {"N21", "属性", "", "PopupMenu1", false},
    {"N23", "剪切", "", "PopupMenu1", false},
    {"N22", "复制", "", "PopupMenu1", false},
    {"N24", "粘贴", "", "PopupMenu1", false},
    {"N25", "删除", "", "PopupMenu1", false},
    {"N36", "自定义函数", "", "PopupMenu1", false},
    {"N37", "计算", "", "PopupMenu1", false},
    {"N30", "方形坐标", "", "N28", true},
    {"N29", "矩形坐标", "", "N28", true},
    {"N31", "极坐标", "", "N28", true},
    {"N32", "显示网格", "", "PopupMenu1", true},
    {"N49", "隐藏坐标系(&Y)", "", "PopupMenu1", true},
    {"N48", "粗线(&t)", "", "PopupMenu1", false},
    {"N33", "修改颜色", "", "PopupMenu1", false},
    {"N34", "修改字体", "", "PopupMenu1", false},
    {"N43", "动态演示", "", "PopupMenu1", false},
    {"N41", "函数标签", "", "PopupMenu1", false},
};

QStringList captionsOf(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (a->isVisible()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST(MainWindowStart, CaptionFontAndLayout) {
    WindowFixture w;
    EXPECT_EQ(w.form->windowTitle(), QStringLiteral("未命名[*] - Quorvel")); // [*]: the change mark
    EXPECT_FALSE(w.form->isWindowModified());
    EXPECT_EQ(w.form->objectName(), QStringLiteral("Form1"));
    EXPECT_NE(w.form->font().family(), QStringLiteral("宋体")); // the desktop's interface font
    EXPECT_EQ(w.form->templateBar()->width(), 102);
    EXPECT_EQ(w.form->templateBar()->toolTip(), QStringLiteral("模板栏"));
    EXPECT_EQ(w.form->toolBar()->toolTip(), QStringLiteral("工具栏"));
    ASSERT_NE(w.form->findChild<QStatusBar*>(QStringLiteral("StatusBar1")), nullptr);
    // The sheet bitmap fills the panel inside its single border.
    const QSize panel = w.panel();
    EXPECT_EQ(w.form->sheet()->bitmap().size(), panel - QSize(2, 2));
    EXPECT_EQ(w.form->sheet()->objectName(), QStringLiteral("Image1"));
}

TEST(MainWindowStart, EveryMenuItemWithCaptionShortcutAndState) {
    WindowFixture w;
    for (const ItemCase& c : kItems) {
        SCOPED_TRACE(c.name);
        QAction* action = w.form->item(QString::fromUtf8(c.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->objectName(), QString::fromUtf8(c.name));
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(c.shortcut)));
        EXPECT_EQ(action->isEnabled(), c.enabled);
        const auto* menu = w.form->findChild<QMenu*>(QString::fromUtf8(c.menu));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->actions().contains(action));
    }
}

TEST(MainWindowStart, MenusInTheirOrder) {
    WindowFixture w;
    QStringList top;
    for (const QAction* a : w.form->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"文件(&F)", "编辑(&E)", "工具(&O)", "视图(&V)", "帮助(&H)"}));
    const auto menu = [&](const char* name) {
        return captionsOf(w.form->findChild<QMenu*>(QString::fromUtf8(name)));
    };
    EXPECT_EQ(menu("F1"), (QStringList{"新建…(&N)", "打开…(&O)", "保存…(&S)", "导出图形…(&E)", "-",
                                       "打印预览(&V)", "打印(&P)", "-", "退出(&Q)"}));
    EXPECT_EQ(menu("N4"),
              (QStringList{"全选", "撤消", "重做(&S)", "-", "剪切(&X)", "复制(&C)", "粘贴(&V)",
                           "复制图形(&G)", "删除(&D)", "-", "网格(&T)", "隐藏坐标系(&Y)", "显示网格(&Z)"}));
    EXPECT_EQ(menu("H1"), (QStringList{"使用说明(&M)", "-", "关于软件(&N)"}));
    EXPECT_EQ(menu("PopupMenu1"), (QStringList{"属性", "-", "剪切", "复制", "粘贴", "删除", "-", "自定义函数",
                                               "计算", "-", "网格", "显示网格", "隐藏坐标系(&Y)", "-",
                                               "粗线(&t)", "修改颜色", "修改字体", "动态演示", "函数标签"}));
    // The hidden design items exist but are not shown.
    EXPECT_FALSE(w.form->item(QStringLiteral("N5"))->isVisible());
    EXPECT_FALSE(w.form->item(QStringLiteral("N9"))->isVisible());
}

TEST(MainWindowStart, CheckMarksOnlyOnTheMainMenuGridItems) {
    WindowFixture w;
    EXPECT_TRUE(w.form->item(QStringLiteral("N10"))->isChecked());
    EXPECT_FALSE(w.form->item(QStringLiteral("N11"))->isChecked());
    EXPECT_FALSE(w.form->item(QStringLiteral("N17"))->isChecked());
    for (const char* popup : {"N30", "N29", "N31"})
        EXPECT_FALSE(w.form->item(QString::fromUtf8(popup))->isCheckable()) << popup;
}

TEST(MainWindowStart, ToolBarButtonsAndTemplateBar) {
    WindowFixture w;
    QStringList hints;
    for (QAction* a : w.form->toolBar()->actions())
        if (a->isVisible()) hints << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    EXPECT_EQ(hints, (QStringList{"新建", "打开", "保存", "打印", "|", "撤消", "重做", "|", "公式编辑",
                                  "自定义函数", "计算", "注释", "|", "追踪曲线", "数值表", "|", "帮助"}));
    for (QAction* a : w.form->toolBar()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
    }
    EXPECT_FALSE(w.form->item(QStringLiteral("SpeedButton28"))->isEnabled());
    EXPECT_FALSE(w.form->item(QStringLiteral("SpeedButton27"))->isEnabled());
    EXPECT_TRUE(w.form->item(QStringLiteral("SpeedButton20"))->isEnabled());
    EXPECT_FALSE(w.form->item(QStringLiteral("SpeedButton24"))->isVisible()); // the hidden exit button

    QStringList captions;
    for (QToolButton* b : w.form->templateBar()->buttons())
        captions << b->objectName() + QLatin1Char('=') + b->text().trimmed();
    EXPECT_EQ(captions.size(), 16);
    EXPECT_EQ(captions.first(), QStringLiteral("SpeedButton1=正比例函数"));
    EXPECT_EQ(captions[11], QStringLiteral("SpeedButton16=反余弦函数"));
    EXPECT_EQ(captions[13], QStringLiteral("SpeedButton14=反余切函数"));
    EXPECT_EQ(captions.last(), QStringLiteral("SpeedButton17=多行注释"));
    // Until the template commands are connected the buttons are disabled, never silently inert.
    for (QToolButton* b : w.form->templateBar()->buttons())
        EXPECT_FALSE(b->isEnabled());
}

TEST(MainWindowStart, EmptyDocumentWithOneHistoryEntry) {
    WindowFixture w;
    const document::Document& doc = w.form->document();
    EXPECT_EQ(doc.curveCount(), 0);
    EXPECT_EQ(doc.remarkCount(), 0);
    EXPECT_EQ(w.form->history().states(), 1);
    EXPECT_FALSE(w.form->history().changed());
    EXPECT_EQ(doc.view.gridKind, 0);
    EXPECT_EQ(doc.view.gridShown, 0);
    EXPECT_EQ(doc.view.axesShown, 1);
    EXPECT_EQ(doc.view.unitX, 100);
    EXPECT_EQ(doc.view.unitY, 100);
    EXPECT_EQ(doc.view.unitCommon, 100);
    // Showing the window kept the origin in the middle of the panel.
    EXPECT_NEAR(doc.view.originX, w.panel().width() / 2, 1);
    EXPECT_NEAR(doc.view.originY, w.panel().height() / 2, 1);
}

TEST(MainWindowStart, TheSheetIsDrawnAtStart) {
    WindowFixture w;
    const QImage& sheet = w.form->sheet()->bitmap();
    const int oy = static_cast<int>(w.form->document().view.originY);
    const int ox = static_cast<int>(w.form->document().view.originX);
    EXPECT_EQ(sheet.pixelColor(ox + 150, oy), QColor(20, 20, 20));
    EXPECT_EQ(sheet.pixelColor(ox, oy - 150), QColor(20, 20, 20));
    EXPECT_EQ(sheet.pixelColor(ox + 55, oy + 55), QColor(255, 255, 255));
}
