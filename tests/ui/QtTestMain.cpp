#include <QApplication>

#include <gtest/gtest.h>

#include "ui/UiServices.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    tomira::InstallApplicationLook(app);
    return RUN_ALL_TESTS();
}
