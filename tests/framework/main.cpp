#include "framework/DialogApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless also when test discovery runs the binary at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    DialogApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
