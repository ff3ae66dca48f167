#include "app/TemplateBar.h"
#include "i18n/Translation.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel::app {

const QList<TemplateBar::Entry>& TemplateBar::entries() {
    static const QList<Entry> list{
        {"SpeedButton1", UI_TEXT("正比例函数")},   {"SpeedButton2", UI_TEXT("反比例函数")},
        {"SpeedButton3", UI_TEXT("二次函数")},     {"SpeedButton4", UI_TEXT("幂函数")},
        {"SpeedButton5", UI_TEXT("指数函数")},     {"SpeedButton6", UI_TEXT("对数函数")},
        {"SpeedButton7", UI_TEXT("正弦函数")},     {"SpeedButton8", UI_TEXT("余弦函数")},
        {"SpeedButton9", UI_TEXT("正切函数")},     {"SpeedButton10", UI_TEXT("余切函数")},
        {"SpeedButton11", UI_TEXT("反正弦函数")},  {"SpeedButton16", UI_TEXT("反余弦函数")},
        {"SpeedButton15", UI_TEXT("反正切函数")},  {"SpeedButton14", UI_TEXT("反余切函数")},
        {"SpeedButton13", UI_TEXT(" 自定义函数")}, {"SpeedButton17", UI_TEXT("   多行注释")},
    };
    return list;
}

TemplateBar::TemplateBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setToolTip(i18n::uiText("模板栏"));
    setFixedWidth(102);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    for (const Entry& e : entries()) {
        auto* action = new QAction(i18n::uiText(e.caption), this);
        action->setObjectName(QString::fromUtf8(e.name));
        // The tip names the template in full where a language shortens the caption to fit the bar.
        action->setToolTip(i18n::uiText(QString::fromUtf8(e.caption).trimmed().toUtf8().constData()));
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
