// main() of tests that need a QGuiApplication but no widgets (documents need
// it for their fonts). The offscreen platform is the default, so that listing
// the tests at build time needs no display either.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
