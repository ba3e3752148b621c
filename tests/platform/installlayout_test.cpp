#include "platform/installlayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// One prefix in a temporary folder: prefix/bin/velkor-szotar, optionally
// with prefix/share/velkor-szotar/ beside it, and a home of its own.
struct LayoutCase {
    const char *name;
    const char *binFolder; // where the executable sits, under the prefix
    bool shareFolder;      // prefix/share/velkor-szotar exists
    const char *xdgConfig; // "" unset, "abs" an absolute folder, else taken as it is
    const char *xdgData;
    bool installed;
    const char *iniFile; // expected, relative to the temporary root
    const char *userDir;
};

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class InstallLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(InstallLayoutTest, PlacesSettingsAndUserFiles)
{
    const LayoutCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString rootPath = root.path();
    const QString bin = rootPath + u"/prefix/"_s + QString::fromUtf8(c.binFolder);
    QDir().mkpath(bin);
    const QString program = bin + u"/velkor-szotar"_s;
    writeFile(program, "#!");
    if (c.shareFolder)
        QDir().mkpath(rootPath + u"/prefix/share/velkor-szotar"_s);

    const auto xdg = [&](const char *value, const QString &absolute) {
        const QString text = QString::fromUtf8(value);
        return text == u"abs"_s ? absolute : text;
    };
    installlayout::Environment env;
    env.home = rootPath + u"/home"_s;
    env.xdgConfigHome = xdg(c.xdgConfig, rootPath + u"/cfg"_s);
    env.xdgDataHome = xdg(c.xdgData, rootPath + u"/data"_s);

    const installlayout::Layout layout = installlayout::detect(program, env);
    EXPECT_EQ(layout.installed, c.installed);
    EXPECT_EQ(layout.iniFileName, rootPath + u'/' + QString::fromUtf8(c.iniFile));
    EXPECT_EQ(layout.userDir, rootPath + u'/' + QString::fromUtf8(c.userDir));
    const QString expectedProgramDir =
        c.installed ? rootPath + u"/prefix/share/velkor-szotar/"_s : QDir::cleanPath(bin) + u'/';
    EXPECT_EQ(layout.programDir, expectedProgramDir);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InstallLayoutTest,
    ::testing::Values(LayoutCase{"BuildTreeIsPortable", "build/bin", false, "", "", false,
                                 "prefix/build/bin/velkor-szotar.ini", "prefix/build/bin/"},
                      LayoutCase{"FolderOfItsOwnIsPortable", "apps/szotar", true, "abs", "abs",
                                 false, "prefix/apps/szotar/velkor-szotar.ini",
                                 "prefix/apps/szotar/"},
                      LayoutCase{"BinWithoutShareIsPortable", "bin", false, "abs", "abs", false,
                                 "prefix/bin/velkor-szotar.ini", "prefix/bin/"},
                      LayoutCase{"InstalledUsesXdgDefaults", "bin", true, "", "", true,
                                 "home/.config/velkor-szotar/velkor-szotar.ini",
                                 "home/.local/share/velkor-szotar/"},
                      LayoutCase{"InstalledUsesXdgFolders", "bin", true, "abs", "abs", true,
                                 "cfg/velkor-szotar/velkor-szotar.ini", "data/velkor-szotar/"},
                      LayoutCase{"RelativeXdgFoldersAreIgnored", "bin", true, "rel/cfg", "rel/data",
                                 true, "home/.config/velkor-szotar/velkor-szotar.ini",
                                 "home/.local/share/velkor-szotar/"}),
    [](const auto &info) { return std::string(info.param.name); });

// An installed prefix with two shipped files, and the user's folders.
class SeedUserDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir().mkpath(path(u"prefix/bin"_s));
        writeFile(path(u"prefix/share/velkor-szotar/Súgó (eredeti).rtf"_s), "{\\rtf1 help}");
        writeFile(path(u"prefix/share/velkor-szotar/Angol_Magyar.DB"_s), "dictionary");
        writeFile(path(u"prefix/share/velkor-szotar/README.md"_s), "read me");
        m_env.home = path(u"home"_s);
        m_env.xdgDataHome = path(u"data"_s);
        m_env.xdgConfigHome = path(u"cfg"_s);
    }

    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }
    installlayout::Layout layout() const
    {
        return installlayout::detect(path(u"prefix/bin/velkor-szotar"_s), m_env);
    }

    QTemporaryDir m_root;
    installlayout::Environment m_env;
};

TEST_F(SeedUserDirTest, FirstStartCopiesEveryShippedFile)
{
    EXPECT_TRUE(installlayout::seedUserDir(layout()).isEmpty());
    EXPECT_EQ(readFile(path(u"data/velkor-szotar/Súgó (eredeti).rtf"_s)), "{\\rtf1 help}");
    EXPECT_EQ(readFile(path(u"data/velkor-szotar/Angol_Magyar.DB"_s)), "dictionary");
    EXPECT_TRUE(QFileInfo(path(u"cfg/velkor-szotar"_s)).isDir());
    // Only documents and dictionaries are the user's to change.
    EXPECT_FALSE(QFileInfo::exists(path(u"data/velkor-szotar/README.md"_s)));
    EXPECT_TRUE(QFileInfo(path(u"data/velkor-szotar/Angol_Magyar.DB"_s)).isWritable());
}

TEST_F(SeedUserDirTest, KeepsWhatTheUserChanged)
{
    writeFile(path(u"data/velkor-szotar/Angol_Magyar.DB"_s), "edited");
    EXPECT_TRUE(installlayout::seedUserDir(layout()).isEmpty());
    EXPECT_EQ(readFile(path(u"data/velkor-szotar/Angol_Magyar.DB"_s)), "edited");
    EXPECT_EQ(readFile(path(u"data/velkor-szotar/Súgó (eredeti).rtf"_s)), "{\\rtf1 help}");
}

TEST_F(SeedUserDirTest, UncreatableUserFolderIsReported)
{
    // A plain file where the data folder should be.
    writeFile(path(u"data"_s), "in the way");
    const QStringList failures = installlayout::seedUserDir(layout());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.front().contains(u"nem hozható létre"_s))
        << failures.front().toStdString();
    EXPECT_EQ(readFile(path(u"data"_s)), "in the way");
}

TEST_F(SeedUserDirTest, PortableLayoutCopiesNothing)
{
    installlayout::Layout portable = layout();
    portable.installed = false;
    EXPECT_TRUE(installlayout::seedUserDir(portable).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(u"data"_s)));
}

} // namespace
