#include "uiservice/GuardedApplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Window tests never need a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own application object, so a handler that throws is
    // reported as it would be in the program.
    vantrel::GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
