// Work folders left by killed conversions: the next conversion clears those
// of dead processes and never touches one of a live process.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/work_folder.h"
#include "sample_dictionary.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace dictd;

namespace {

// The id of a process that has just ended.
qint64 deadPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

enum class Owner { Dead, ThisProcess, Parent, NoPid };

struct FolderCase {
    const char *name;
    Owner owner;
    bool asFile; // a plain file with a work folder's name
    bool removed;
};

void PrintTo(const FolderCase &c, std::ostream *os)
{
    *os << c.name;
}

QString folderName(Owner owner)
{
    const QString prefix = QStringLiteral(".szotar-atalakitas-");
    switch (owner) {
    case Owner::Dead:
        return prefix + QString::number(deadPid()) + QStringLiteral("-abcdef");
    case Owner::ThisProcess:
        return prefix + QString::number(getpid()) + QStringLiteral("-abcdef");
    case Owner::Parent:
        return prefix + QString::number(getppid()) + QStringLiteral("-abcdef");
    case Owner::NoPid:
        return prefix + QStringLiteral("abcdef");
    }
    return {};
}

class StaleWorkFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(StaleWorkFolder, IsRemovedOnlyWhenItsOwnerIsGone)
{
    const FolderCase &c = GetParam();
    QTemporaryDir dir;
    const QDir root(dir.path());
    const QString name = folderName(c.owner);
    if (c.asFile) {
        dictd_fixture::writeFile(root.filePath(name), "x");
    } else {
        ASSERT_TRUE(root.mkdir(name));
        dictd_fixture::writeFile(root.filePath(name + QStringLiteral("/Angol_Magyar.DB")), "x");
    }
    EXPECT_EQ(removeStaleWorkFolders(root), c.removed ? 1 : 0);
    EXPECT_EQ(QFileInfo::exists(root.filePath(name)), !c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    Owners, StaleWorkFolder,
    ::testing::Values(FolderCase{"DeadOwner", Owner::Dead, false, true},
                      FolderCase{"ThisProcess", Owner::ThisProcess, false, false},
                      FolderCase{"LiveOtherProcess", Owner::Parent, false, false},
                      FolderCase{"NameWithoutPid", Owner::NoPid, false, false},
                      FolderCase{"PlainFileOfDeadOwner", Owner::Dead, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StaleWorkFolder, OwnerIsReadOnlyFromAWellFormedName)
{
    EXPECT_EQ(workFolderOwner(QStringLiteral(".szotar-atalakitas-123-x1Y2z3")), 123);
    for (const char *name : {".szotar-atalakitas-abcdef", ".szotar-atalakitas--1-abcdef",
                             ".szotar-atalakitas-0-abcdef", ".szotar-atalakitas-99999999999-a",
                             "szotar-atalakitas-123-abcdef", ".szotar-atalakitas-12x-abcdef"})
        EXPECT_EQ(workFolderOwner(QString::fromUtf8(name)), 0) << name;
}

// End to end: the folder of a killed run goes, the output arrives, and a
// folder of a running conversion stays.
TEST(StaleWorkFolder, NextConversionClearsTheKilledOnesFolder)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    const auto dictionary = dictd_fixture::build(sample_dictionary::entries());
    ConvertOptions options;
    options.indexPath = root.filePath(QStringLiteral("proba.index"));
    options.dictPath = root.filePath(QStringLiteral("proba.dict.dz"));
    dictd_fixture::writeFile(options.indexPath, dictionary.index);
    dictd_fixture::writeFile(options.dictPath, dictd_fixture::dictzip(dictionary.data));
    ASSERT_TRUE(root.mkdir(QStringLiteral("out")));
    const QDir out(root.filePath(QStringLiteral("out")));
    options.outputPath = out.filePath(QStringLiteral("Angol_Magyar.DB"));

    const QString stale = folderName(Owner::Dead);
    const QString live = folderName(Owner::Parent);
    for (const QString &name : {stale, live}) {
        ASSERT_TRUE(out.mkdir(name));
        dictd_fixture::writeFile(out.filePath(name + QStringLiteral("/Angol_Magyar.DB")), "x");
    }
    const auto report = convertDictd(options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(out.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{live, QStringLiteral("Angol_Magyar.DB")}));
}

} // namespace
