#include <QCoreApplication>

#include <gtest/gtest.h>

// main() for tests that need an application object without a window (the
// command line's help texts, for one).
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
