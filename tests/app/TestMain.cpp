// Widget tests run on the offscreen platform with the program's own application object.
#include "app/QuorvelApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::app::QuorvelApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
