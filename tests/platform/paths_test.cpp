#include "platform/paths.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Paths, DriveLettersStandForTheHomeDirectory)
{
    EXPECT_EQ(paths::fromWindowsPath(u"C:\\Vegyes\\Szótár_QIV_Win_kar"_s),
              QDir::home().filePath(u"Vegyes/Szótár_QIV_Win_kar"_s));
    EXPECT_EQ(paths::fromWindowsPath(u"c:\\"_s), QDir::homePath());
    EXPECT_EQ(paths::fromWindowsPath(u"/tmp/x"_s), u"/tmp/x"_s);
    EXPECT_EQ(paths::fromWindowsPath(u"relative\\dir"_s), u"relative/dir"_s);
}

TEST(Paths, AddsOneTrailingSeparator)
{
    EXPECT_EQ(paths::withSeparator(u"/a/b"_s), u"/a/b/"_s);
    EXPECT_EQ(paths::withSeparator(u"/a/b/"_s), u"/a/b/"_s);
}

} // namespace
