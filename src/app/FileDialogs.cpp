#include "app/FileDialogs.h"
#include "i18n/Translation.h"

#include "app/ProgramSettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quorvel::app {

QString withFunSuffix(const QString& fileName) {
    if (fileName.isEmpty() || fileName.endsWith(QStringLiteral(".Fun"), Qt::CaseInsensitive)) return fileName;
    return fileName + QStringLiteral(".Fun");
}

namespace {

// The folder the last dialog ended in, kept between runs.
QString lastFolder() {
    return programSettings()->value(QString::fromLatin1(kLastFolderKey)).toString();
}

void keepFolderOf(const QString& name) {
    programSettings()->setValue(QString::fromLatin1(kLastFolderKey), QFileInfo(name).absolutePath());
}

} // namespace

QString QtFileDialogs::openFileName(QWidget* parent) {
    QFileDialog dialog(parent, i18n::uiText("打开"), lastFolder(), i18n::uiText(kFunFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString name = dialog.selectedFiles().constFirst();
    keepFolderOf(name);
    return name;
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent, i18n::uiText("保存"), suggested.isEmpty() ? lastFolder() : suggested,
                       i18n::uiText(kFunFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window asks about replacing a file once the ".Fun" ending is in place.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString name = dialog.selectedFiles().constFirst();
    keepFolderOf(name);
    return name;
}

} // namespace quorvel::app
