#pragma once

#include <QPushButton>
#include <QString>

#include <string_view>

namespace quorvel::editor {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A dialog button with its design name. Not an auto-default: Enter belongs to the dialog's OK. Its
// accessible name is left to Qt, which reads the caption, so it follows a caption that changes with the mode.
inline QPushButton* makeButton(const char* objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace quorvel::editor
