#include "editor/Toperationbuttonform.h"
#include "editor/EditorWidgets.h"
#include "i18n/Translation.h"

#include <QGridLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel::editor {

Toperationbuttonform::Toperationbuttonform(QWidget* editor) : QWidget(editor, Qt::Popup) {
    setObjectName(QStringLiteral("operationbuttonform"));
    setWindowTitle(i18n::uiText("运算符按钮"));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(2, 2, 2, 2);
    stack->setSizeConstraint(QLayout::SetFixedSize);
    for (const PaletteGroupSpec& groupSpec : paletteGroups()) {
        auto* panel = new QWidget(this);
        panel->setObjectName(qs(groupSpec.name));
        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(1);
        int index = 0;
        for (const PaletteButton& entry : groupSpec.buttons) {
            auto* button = new QToolButton(panel);
            button->setText(i18n::uiText(entry.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
            button->setToolTip(i18n::uiText(entry.hint.empty() ? entry.caption : entry.hint));
            button->setAccessibleName(button->toolTip());
            button->setMinimumSize(28, 26);
            // The set buttons that do nothing are shown as such, and a press on them keeps the palette open.
            button->setEnabled(entry.action != ButtonAction::Inactive);
            const int columns = groupSpec.columns > 0 ? groupSpec.columns : 8;
            grid->addWidget(button, index / columns, index % columns);
            ++index;
            const PaletteButton* data = &entry;
            connect(button, &QToolButton::clicked, this, [this, data] { press(*data); });
            if (entry.action != ButtonAction::Inactive) buttons_.emplace_back(button, entry.plottable);
        }
        panel->hide();
        stack->addWidget(panel);
        panels_[static_cast<std::size_t>(groupSpec.group)] = panel;
    }
}

QWidget* Toperationbuttonform::groupPanel(PaletteGroup group) const {
    return panels_[static_cast<std::size_t>(group)];
}

void Toperationbuttonform::openGroup(PaletteGroup group, const QWidget* opener) {
    hide();
    for (QWidget* panel : panels_)
        if (panel) panel->hide();
    shown_ = group;
    if (QWidget* panel = groupPanel(group)) panel->show();
    adjustSize();
    if (opener) move(opener->mapToGlobal(QPoint(0, opener->height())));
    show();
    raise();
}

void Toperationbuttonform::setPlottableEnabled(bool enabled) {
    for (auto& [button, plottable] : buttons_)
        if (!plottable) button->setEnabled(enabled);
}

void Toperationbuttonform::press(const PaletteButton& button) {
    if (button.action == ButtonAction::Inactive) return;
    hide();
    if (handler_) handler_(button);
}

} // namespace quorvel::editor
