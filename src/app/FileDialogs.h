#pragma once

#include "i18n/Translation.h"

#include <QString>

class QWidget;

namespace quorvel::app {

// The open and save dialogs of the main window (OpenDialog1, SaveDialog1). Tests put names in place.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // An empty name means the dialog was cancelled.
    virtual QString openFileName(QWidget* parent) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& suggested) = 0;
};

// The filter both dialogs use.
inline constexpr const char* kFunFilter = UI_TEXT("数学函数(*.Fun)");

// A name typed without the ".Fun" ending gets it.
QString withFunSuffix(const QString& fileName);

// The platform's dialogs; they start in the folder the last one ended in, also after a restart.
class QtFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent, const QString& suggested) override;
};

} // namespace quorvel::app
