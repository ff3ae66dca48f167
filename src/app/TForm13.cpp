#include "app/TForm13.h"
#include "i18n/Translation.h"

#include "app/ToolIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "0"
#endif

namespace quorvel::app {

TForm13::TForm13(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(i18n::uiText("关于软件"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("Quorvel"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    name->setFont(big);

    auto* version = new QLabel(i18n::uiText("版本 %1").arg(QStringLiteral(QUORVEL_VERSION)), this);
    version->setObjectName(QStringLiteral("Label2"));

    auto* description = new QLabel(
        i18n::uiText(
            "中学数学教学工具。\n\n"
            "• 公式编辑：用函数式的线性标记输入公式，程序检查后排成二维公式，可放到图纸上、复制或导出。\n"
            "• 函数作图：在方形、矩形或极坐标网格上绘制十四种模板函数和自定义函数的图像，"
            "带定义域、颜色和公式标签，并可动态演示参数 A、B、C 的变化。\n"
            "• 计算：求含变量的表达式的值并显示在图纸上。\n"
            "• 实验：曲线、公式、计算和多行注释一起保存为 .Fun 文件，可以打印、撤消和重做。"),
        this);
    description->setObjectName(QStringLiteral("Label3"));
    description->setWordWrap(true);
    description->setMinimumWidth(360);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(i18n::uiText("确定"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace quorvel::app
