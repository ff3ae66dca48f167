#include "app/TemplateBar.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel::app {

const QList<TemplateBar::Entry>& TemplateBar::entries() {
    static const QList<Entry> list{
        {"SpeedButton1", "正比例函数"},   {"SpeedButton2", "反比例函数"},  {"SpeedButton3", "二次函数"},
        {"SpeedButton4", "幂函数"},       {"SpeedButton5", "指数函数"},    {"SpeedButton6", "对数函数"},
        {"SpeedButton7", "正弦函数"},     {"SpeedButton8", "余弦函数"},    {"SpeedButton9", "正切函数"},
        {"SpeedButton10", "余切函数"},    {"SpeedButton11", "反正弦函数"}, {"SpeedButton16", "反余弦函数"},
        {"SpeedButton15", "反正切函数"},  {"SpeedButton14", "反余切函数"}, {"SpeedButton13", " 自定义函数"},
        {"SpeedButton17", "   多行注释"},
    };
    return list;
}

TemplateBar::TemplateBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setToolTip(QStringLiteral("模板栏"));
    setFixedWidth(102);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    for (const Entry& e : entries()) {
        auto* action = new QAction(QString::fromUtf8(e.caption), this);
        action->setObjectName(QString::fromUtf8(e.name));
        action->setToolTip(QString::fromUtf8(e.caption).trimmed());
        action->setEnabled(false);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf8(e.name));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(26);
        layout->addWidget(button);
        buttons_.append(button);
        actions_.append(action);
    }
    layout->addStretch(1);
}

QToolButton* TemplateBar::button(const QString& name) const {
    for (QToolButton* b : buttons_)
        if (b->objectName() == name) return b;
    return nullptr;
}

} // namespace quorvel::app
