#include "app/QtMessageSink.h"
#include "i18n/Translation.h"

#include <QMessageBox>
#include <QPushButton>

namespace quorvel::app {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageSink::show(const std::string& text, const std::string& caption, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), i18n::uiMessage(caption), i18n::uiMessage(text), QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(i18n::uiText("确定"));
    box.exec();
}

Answer QtMessageSink::ask(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Warning, i18n::uiMessage(caption), i18n::uiMessage(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.button(QMessageBox::Yes)->setText(i18n::uiText("是(&Y)"));
    box.button(QMessageBox::No)->setText(i18n::uiText("否(&N)"));
    box.button(QMessageBox::Cancel)->setText(i18n::uiText("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace quorvel::app
