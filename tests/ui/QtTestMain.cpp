#include <QApplication>

#include <gtest/gtest.h>

#include "ui/ApplicationLook.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Widget tests run without a display unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tomira::InstallApplicationLook(app);
    return RUN_ALL_TESTS();
}
