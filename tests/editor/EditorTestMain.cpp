// Widget tests run on the offscreen platform with the program's font substitutions.
#include "typeset/qt/FontSetup.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    quorvel::typeset::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
