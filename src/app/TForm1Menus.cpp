// The main menu, the sheet's pop-up menu and the tool bar of the main window.
#include "app/Captions.h"
#include "app/TForm1.h"
#include "app/ToolIcons.h"

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
                newItem(QString::fromUtf8(d.name), QString::fromUtf8(d.caption ? d.caption : ""), menu);
            if (!d.caption) action->setSeparator(true);
            if (*d.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(d.shortcut)));
            menu->addAction(action);
        }
    };
    const auto addMenu = [this](QWidget* parent, const char* name, const char* caption) {
        auto* menu = new QMenu(QString::fromUtf8(caption), parent);
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

    QMenu* file = topMenu("F1", "文件(&F)");
    addItems(file, {{"N1", "新建…(&N)", "Ctrl+N"},
                    {"O1", "打开…(&O)", "Ctrl+O"},
                    {"S2", "保存…(&S)"},
                    {"N63", "导出图形…(&E)"},
                    {"N2", nullptr},
                    {"P2", "打印预览(&V)"},
                    {"P1", "打印(&P)", "Ctrl+P"},
                    {"N3", nullptr},
                    {"Q1", "退出(&Q)"}});

    QMenu* edit = topMenu("N4", "编辑(&E)");
    addItems(edit, {{"N5", "创建函数"},
                    {"N16", "全选", "Ctrl+A"},
                    {"A1", "撤消", "Ctrl+Z"},
                    {"S1", "重做(&S)", "Ctrl+S"},
                    {"N6", nullptr},
                    {"N45", "剪切(&X)", "Ctrl+X"},
                    {"N46", "复制(&C)", "Ctrl+C"},
                    {"N47", "粘贴(&V)", "Ctrl+V"},
                    {"N64", "复制图形(&G)"},
                    {"D1", "删除(&D)", "Del"},
                    {"N7", nullptr},
                    {"N9", "坐标设置"}});
    item(QStringLiteral("N5"))->setVisible(false);
    item(QStringLiteral("N9"))->setVisible(false);
    QMenu* grid = addMenu(edit, "T1", "网格(&T)");
    edit->addMenu(grid);
    addItems(grid, {{"N10", "方形网格"}, {"N11", "矩形网格"}, {"N17", "极坐标网格"}});
    for (const char* name : {"N10", "N11", "N17"})
        item(QString::fromUtf8(name))->setCheckable(true);
    item(QStringLiteral("N10"))->setChecked(true);
    addItems(edit, {{"Y1", kHideAxes}, {"N18", kShowGrid}});
    // Opening the edit menu refreshes the items that act on the selection.
    connect(edit, &QMenu::aboutToShow, this, &TForm1::syncSelectionItems);

    QMenu* tools = topMenu("O2", "工具(&O)");
    addItems(tools, {{"N50", "公式编辑", "Ctrl+G"},
                     {"N39", "自定义函数(&D)", "Ctrl+D"},
                     {"N40", "计算(&I)"},
                     {"N44", "多行注释(&R)"},
                     {"N60", nullptr},
                     {"N61", "追踪曲线(&T)", "Ctrl+T"},
                     {"N62", "数值表(&B)", "Ctrl+B"}});

    QMenu* view = topMenu("V1", "视图(&V)");
    addItems(view, {{"N8", kHideToolBar, "Ctrl+H"},
                    {"M1", kHideTemplateBar, "Ctrl+M"},
                    {"N19", "默认视图(&D)", "Ctrl+0"}});

    QMenu* help = topMenu("H1", "帮助(&H)");
    addItems(help, {{"N13", "使用说明(&M)", "F1"}, {"N14", nullptr}, {"N15", "关于软件(&N)"}});

    popupMenu1_ = new QMenu(this);
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    popupMenu1_->setAttribute(Qt::WA_WindowPropagation);
    addItems(popupMenu1_, {{"N21", "属性"},
                           {"N26", nullptr},
                           {"N23", "剪切"},
                           {"N22", "复制"},
                           {"N24", "粘贴"},
                           {"N25", "删除"},
                           {"N27", nullptr},
                           {"N36", "自定义函数"},
                           {"N37", "计算"},
                           {"N35", nullptr}});
    QMenu* popupGrid = addMenu(popupMenu1_, "N28", "网格");
    popupMenu1_->addMenu(popupGrid);
    addItems(popupGrid, {{"N30", "方形坐标"}, {"N29", "矩形坐标"}, {"N31", "极坐标"}});
    addItems(popupMenu1_, {{"N32", "显示网格"},
                           {"N49", kHideAxes},
                           {"N38", nullptr},
                           {"N48", "粗线(&t)"},
                           {"N33", "修改颜色"},
                           {"N34", "修改字体"},
                           {"N43", "动态演示"},
                           {"N41", "函数标签"}});
    // Menus themselves are always available; their items decide.
    for (const char* name : {"F1", "N4", "T1", "O2", "V1", "H1", "N28"})
        item(QString::fromUtf8(name))->setEnabled(true);
}

void TForm1::buildToolBar() {
    toolBar1_ = new QToolBar(this);
    toolBar1_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar1_->setToolTip(QStringLiteral("工具栏"));
    toolBar1_->setWindowTitle(QStringLiteral("工具栏"));
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
        {"SpeedButton20", "新建", "new", true},
        {"SpeedButton21", "打开", "open", true},
        {"SpeedButton22", "保存", "save", true},
        {"SpeedButton23", "打印", "print", true},
        {"SpeedButton24", "退出", "exit", false},
        {"ToolButton5", nullptr, "", true},
        {"SpeedButton28", "撤消", "undo", true},
        {"SpeedButton27", "重做", "redo", true},
        {"ToolButton6", nullptr, "", true},
        {"SpeedButton26", "公式编辑", "formula", true},
        {"SpeedButton19", "自定义函数", "function", true},
        {"SpeedButton18", "计算", "calculate", true},
        {"SpeedButton12", "注释", "annotation", true},
        {"ToolButton8", nullptr, "", true},
        {"SpeedButton61", "追踪曲线", "trace", true},
        {"SpeedButton62", "数值表", "table", true},
        {"ToolButton7", nullptr, "", true},
        {"SpeedButton25", "帮助", "help", true},
        // Hidden twins kept from the bar's design.
        {"ToolButton1", "退出", "exit", false},
        {"ToolButton2", "自定义函数", "function", false},
        {"ToolButton3", "计算", "calculate", false},
        {"ToolButton4", "注释", "annotation", false},
    };
    for (const ButtonDef& b : buttons) {
        const QString name = QString::fromUtf8(b.name);
        if (!b.hint) {
            toolBar1_->addSeparator()->setObjectName(name);
            continue;
        }
        QAction* action = newItem(name, QString::fromUtf8(b.hint), toolBar1_);
        action->setToolTip(QString::fromUtf8(b.hint));
        action->setIcon(toolIcon(QString::fromUtf8(b.icon)));
        action->setVisible(b.visible);
        toolBar1_->addAction(action);
    }
}

} // namespace quorvel::app
