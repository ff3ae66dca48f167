#pragma once

#include "i18n/Translation.h"

#include <QLabel>
#include <QString>

namespace quorvel::graph {

// A caption label; named when tests or the design refer to it.
inline QLabel* makeLabel(const char* objectName, const char* caption, QWidget* parent) {
    auto* label = new QLabel(i18n::uiText(caption), parent);
    if (objectName) label->setObjectName(QString::fromUtf8(objectName));
    return label;
}

} // namespace quorvel::graph
