// The main menu, the sheet's pop-up menu and the tool bar of the main window.
#include "app/Captions.h"
#include "app/TForm1.h"
#include "app/ToolIcons.h"
#include "i18n/Translation.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quorvel::app {

namespace {

struct ItemDef {
    const char* name;
    const char* caption; // nullptr: a separator
    const char* shortcut = "";
};

} // namespace

QAction* TForm1::newItem(const QString& name, const QString& caption, QObject* parent) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    registerItem(action);
    return action;
}

void TForm1::registerItem(QAction* action) {
    const QString name = action->objectName();
    items_.insert(name, action);
    connect(action, &QAction::triggered, this, [this, name] {
        const auto command = commands_.constFind(name);
        if (command != commands_.constEnd()) runCommand(*command);
    });
    // Nothing is enabled before its command is connected.
    action->setEnabled(false);
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    const auto addItems = [this](QMenu* menu, std::initializer_list<ItemDef> defs) {
        for (const ItemDef& d : defs) {
            QAction* action =
                newItem(QString::fromUtf8(d.name), d.caption ? i18n::uiText(d.caption) : QString(), menu);
            if (!d.caption) action->setSeparator(true);
            if (*d.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(d.shortcut)));
            menu->addAction(action);
        }
    };
    const auto addMenu = [this](QWidget* parent, const char* name, const char* caption) {
        auto* menu = new QMenu(i18n::uiText(caption), parent);
        menu->setObjectName(QString::fromUtf8(name));
        menu->setAttribute(Qt::WA_WindowPropagation);
        menu->menuAction()->setObjectName(QString::fromUtf8(name));
        items_.insert(QString::fromUtf8(name), menu->menuAction());
        return menu;
    };
    const auto topMenu = [&](const char* name, const char* caption) {
        QMenu* menu = addMenu(bar, name, caption);
        bar->addMenu(menu);
        return menu;
    };

    QMenu* file = topMenu("F1", UI_TEXT("文件(&F)"));
    addItems(file, {{"N1", UI_TEXT("新建…(&N)"), "Ctrl+N"},
                    {"O1", UI_TEXT("打开…(&O)"), "Ctrl+O"},
                    {"S2", UI_TEXT("保存…(&S)")},
                    {"N63", UI_TEXT("导出图形…(&E)")},
                    {"N2", nullptr},
                    {"P2", UI_TEXT("打印预览(&V)")},
                    {"P1", UI_TEXT("打印(&P)"), "Ctrl+P"},
                    {"N3", nullptr},
                    {"Q1", UI_TEXT("退出(&Q)")}});

    QMenu* edit = topMenu("N4", UI_TEXT("编辑(&E)"));
    addItems(edit, {{"N5", UI_TEXT("创建函数")},
                    {"N16", UI_TEXT("全选"), "Ctrl+A"},
                    {"A1", UI_TEXT("撤消"), "Ctrl+Z"},
                    {"S1", UI_TEXT("重做(&S)"), "Ctrl+S"},
                    {"N6", nullptr},
                    {"N45", UI_TEXT("剪切(&X)"), "Ctrl+X"},
                    {"N46", UI_TEXT("复制(&C)"), "Ctrl+C"},
                    {"N47", UI_TEXT("粘贴(&V)"), "Ctrl+V"},
                    {"N64", UI_TEXT("复制图形(&G)")},
                    {"D1", UI_TEXT("删除(&D)"), "Del"},
                    {"N7", nullptr},
                    {"N9", UI_TEXT("坐标设置")}});
    item(QStringLiteral("N5"))->setVisible(false);
    item(QStringLiteral("N9"))->setVisible(false);
    QMenu* grid = addMenu(edit, "T1", UI_TEXT("网格(&T)"));
    edit->addMenu(grid);
    addItems(grid,
             {{"N10", UI_TEXT("方形网格")}, {"N11", UI_TEXT("矩形网格")}, {"N17", UI_TEXT("极坐标网格")}});
    for (const char* name : {"N10", "N11", "N17"})
        item(QString::fromUtf8(name))->setCheckable(true);
    item(QStringLiteral("N10"))->setChecked(true);
    addItems(edit, {{"Y1", kHideAxes}, {"N18", kShowGrid}});
    // Opening the edit menu refreshes the items that act on the selection.
    connect(edit, &QMenu::aboutToShow, this, &TForm1::syncSelectionItems);

    QMenu* tools = topMenu("O2", UI_TEXT("工具(&O)"));
    addItems(tools, {{"N50", UI_TEXT("公式编辑"), "Ctrl+G"},
                     {"N39", UI_TEXT("自定义函数(&D)"), "Ctrl+D"},
                     {"N40", UI_TEXT("计算(&I)")},
                     {"N44", UI_TEXT("多行注释(&R)")},
                     {"N60", nullptr},
                     {"N61", UI_TEXT("追踪曲线(&T)"), "Ctrl+T"},
                     {"N62", UI_TEXT("数值表(&B)"), "Ctrl+B"}});

    QMenu* view = topMenu("V1", UI_TEXT("视图(&V)"));
    addItems(view, {{"N8", kHideToolBar, "Ctrl+H"},
                    {"M1", kHideTemplateBar, "Ctrl+M"},
                    {"N19", UI_TEXT("默认视图(&D)"), "Ctrl+0"}});

    QMenu* help = topMenu("H1", UI_TEXT("帮助(&H)"));
    addItems(help,
             {{"N13", UI_TEXT("使用说明(&M)"), "F1"}, {"N14", nullptr}, {"N15", UI_TEXT("关于软件(&N)")}});

    popupMenu1_ = new QMenu(this);
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    popupMenu1_->setAttribute(Qt::WA_WindowPropagation);
    addItems(popupMenu1_, {{"N21", UI_TEXT("属性")},
                           {"N26", nullptr},
                           {"N23", UI_TEXT("剪切")},
                           {"N22", UI_TEXT("复制")},
                           {"N24", UI_TEXT("粘贴")},
                           {"N25", UI_TEXT("删除")},
                           {"N27", nullptr},
                           {"N36", UI_TEXT("自定义函数")},
                           {"N37", UI_TEXT("计算")},
                           {"N35", nullptr}});
    QMenu* popupGrid = addMenu(popupMenu1_, "N28", UI_TEXT("网格"));
    popupMenu1_->addMenu(popupGrid);
    addItems(popupGrid,
             {{"N30", UI_TEXT("方形坐标")}, {"N29", UI_TEXT("矩形坐标")}, {"N31", UI_TEXT("极坐标")}});
    addItems(popupMenu1_, {{"N32", UI_TEXT("显示网格")},
                           {"N49", kHideAxes},
                           {"N38", nullptr},
                           {"N48", UI_TEXT("粗线(&t)")},
                           {"N33", UI_TEXT("修改颜色")},
                           {"N34", UI_TEXT("修改字体")},
                           {"N43", UI_TEXT("动态演示")},
                           {"N41", UI_TEXT("函数标签")}});
    // Menus themselves are always available; their items decide.
    for (const char* name : {"F1", "N4", "T1", "O2", "V1", "H1", "N28"})
        item(QString::fromUtf8(name))->setEnabled(true);
}

void TForm1::buildToolBar() {
    toolBar1_ = new QToolBar(this);
    toolBar1_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar1_->setToolTip(i18n::uiText("工具栏"));
    toolBar1_->setWindowTitle(i18n::uiText("工具栏"));
    toolBar1_->setMovable(false);
    toolBar1_->setFloatable(false);
    toolBar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar1_->setIconSize(QSize(24, 24));
    toolBar1_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar1_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolBar1_);

    struct ButtonDef {
        const char* name;
        const char* hint; // nullptr: a divider
        const char* icon;
        bool visible;
    };
    const ButtonDef buttons[] = {
        {"SpeedButton20", UI_TEXT("新建"), "new", true},
        {"SpeedButton21", UI_TEXT("打开"), "open", true},
        {"SpeedButton22", UI_TEXT("保存"), "save", true},
        {"SpeedButton23", UI_TEXT("打印"), "print", true},
        {"SpeedButton24", UI_TEXT("退出"), "exit", false},
        {"ToolButton5", nullptr, "", true},
        {"SpeedButton28", UI_TEXT("撤消"), "undo", true},
        {"SpeedButton27", UI_TEXT("重做"), "redo", true},
        {"ToolButton6", nullptr, "", true},
        {"SpeedButton26", UI_TEXT("公式编辑"), "formula", true},
        {"SpeedButton19", UI_TEXT("自定义函数"), "function", true},
        {"SpeedButton18", UI_TEXT("计算"), "calculate", true},
        {"SpeedButton12", UI_TEXT("注释"), "annotation", true},
        {"ToolButton8", nullptr, "", true},
        {"SpeedButton61", UI_TEXT("追踪曲线"), "trace", true},
        {"SpeedButton62", UI_TEXT("数值表"), "table", true},
        {"ToolButton7", nullptr, "", true},
        {"SpeedButton25", UI_TEXT("帮助"), "help", true},
        // Hidden twins kept from the bar's design.
        {"ToolButton1", UI_TEXT("退出"), "exit", false},
        {"ToolButton2", UI_TEXT("自定义函数"), "function", false},
        {"ToolButton3", UI_TEXT("计算"), "calculate", false},
        {"ToolButton4", UI_TEXT("注释"), "annotation", false},
    };
    for (const ButtonDef& b : buttons) {
        const QString name = QString::fromUtf8(b.name);
        if (!b.hint) {
            toolBar1_->addSeparator()->setObjectName(name);
            continue;
        }
        QAction* action = newItem(name, i18n::uiText(b.hint), toolBar1_);
        action->setToolTip(i18n::uiText(b.hint));
        action->setIcon(toolIcon(QString::fromUtf8(b.icon)));
        action->setVisible(b.visible);
        toolBar1_->addAction(action);
    }
}

} // namespace quorvel::app
