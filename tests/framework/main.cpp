#include "framework/DialogLook.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless also when test discovery runs the binary at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    applyDialogLook(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
