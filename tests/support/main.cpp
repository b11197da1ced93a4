#include "framework/DialogApplication.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    // Headless also when test discovery runs the binary at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    DialogApplication application(argc, argv);
    // A run under another locale must really have it, or it proves nothing.
    if (const char* wanted = std::getenv("KV3124_TEST_LOCALE");
        wanted && std::strcmp(std::setlocale(LC_CTYPE, nullptr), wanted) != 0) {
        std::fprintf(stderr, "locale %s is not in effect (is LOCPATH right?)\n", wanted);
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
