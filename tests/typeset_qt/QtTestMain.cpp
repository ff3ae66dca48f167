// Qt tests run on the offscreen platform with the program's font substitutions.
#include "typeset/qt/HeadlessGui.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    auto app = quorvel::typeset::startHeadlessGui();
    return RUN_ALL_TESTS();
}
