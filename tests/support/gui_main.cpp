#include "app/reportingapplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Test discovery runs the binary at build time, outside ctest's
    // environment: without a display there is only the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // As in the program: an exception out of an event handler is reported.
    ReportingApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
