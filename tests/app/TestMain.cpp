// Widget tests run on the offscreen platform with the program's own application object.
#include "app/QuorvelApplication.h"
#include "i18n/Language.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::app::QuorvelApplication application(argc, argv);
    // The tests compare Chinese texts whatever the developer's locale; the language test switches.
    (void)quorvel::i18n::useLanguage(quorvel::i18n::Language::Chinese);
    // Settings and data of the tests never mix with the user's.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
