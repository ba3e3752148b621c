#include "platform/ini/inifile.h"
#include "platform/regularfile.h"
#include "support/fail_device.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

using namespace std::literals;

namespace {

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(QStringLiteral("szotar.ini")); }

    void writeRaw(const QByteArray &content) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    QByteArray readRaw() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsCreatedByTheFirstWrite)
{
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Szel", 500), 500);
    EXPECT_TRUE(ini.readBool(u"SzovFormazPanel", u"Fordit", true));
    EXPECT_EQ(ini.readString(u"Dok", u"DokNev", QStringLiteral("x.rtf")), QStringLiteral("x.rtf"));

    ASSERT_TRUE(ini.writeInteger(u"FoAblak", u"Bal", 100));
    ASSERT_TRUE(ini.writeBool(u"FoAblak", u"Max", true));
    EXPECT_EQ(readRaw(), bytes("[FoAblak]\r\nBal=100\r\nMax=1\r\n"sv));
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 0), 100);
    // The temporary file of the safe write is gone.
    EXPECT_EQ(entries(), QStringList{QStringLiteral("szotar.ini")});
}

TEST_F(IniFileTest, DirectionWriteKeepsEveryOtherLineOfTheFile)
{
    const QByteArray before = bytes("; megjegyz\xe9s\r\n[FoAblak]\r\nBal=10\r\n\r\n"
                                    "[SzotarFordIrany]\r\nAngol_Magyar=Magyar\n"
                                    "N\xe9met_Magyar=N\xe9met"sv);
    writeRaw(before);
    const IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"SzotarFordIrany", u"angol_magyar", QStringLiteral("Angol")));
    EXPECT_EQ(readRaw(), bytes("; megjegyz\xe9s\r\n[FoAblak]\r\nBal=10\r\n\r\n"
                               "[SzotarFordIrany]\r\nAngol_Magyar=Angol\n"
                               "N\xe9met_Magyar=N\xe9met"sv));
}

TEST_F(IniFileTest, OneSaveOfABatchKeepsTheOtherKeys)
{
    writeRaw(bytes("[SzotarFordIrany]\r\nAngol_Magyar=Angol\r\n"sv));
    const IniFile ini(path());
    IniDocument doc = ini.load();
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(doc.writeInteger(u"Panelek", QStringLiteral("K%1").arg(i), i * 3));
    ASSERT_TRUE(ini.save(doc));
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(ini.readInteger(u"Panelek", QStringLiteral("K%1").arg(i), -1), i * 3);
    EXPECT_EQ(ini.readString(u"SzotarFordIrany", u"Angol_Magyar", {}), QStringLiteral("Angol"));
}

// ---- Damaged contents: read what can be read, defaults elsewhere -----------

struct DamagedCase {
    const char *what;
    std::function<QByteArray()> content;
    int expectedBal; // default 100
};

std::ostream &operator<<(std::ostream &os, const DamagedCase &c)
{
    return os << c.what;
}

class DamagedFileTest : public IniFileTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFileTest, GivesDefaultsAndWritesKeepTheBytes)
{
    const QByteArray content = GetParam().content();
    writeRaw(content);
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), GetParam().expectedBal);
    EXPECT_EQ(ini.readString(u"Dok", u"DokNev", QStringLiteral("alap")), QStringLiteral("alap"));

    // A small file is still ours to write: our key is added, nothing is lost.
    ASSERT_TRUE(ini.writeInteger(u"Teszt", u"Ertek", 7));
    const QByteArray after = readRaw();
    EXPECT_TRUE(after.startsWith(content)) << GetParam().what;
    EXPECT_EQ(ini.readInteger(u"Teszt", u"Ertek", 0), 7) << GetParam().what;
}

QByteArray pseudoRandomBytes(int size)
{
    QByteArray out(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char &c : out) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFileTest,
    ::testing::Values(DamagedCase{"NUL bytes only", [] { return QByteArray(4096, '\0'); }, 100},
                      DamagedCase{"binary noise", [] { return pseudoRandomBytes(64 * 1024); }, 100},
                      DamagedCase{"one long line without line end",
                                  [] { return QByteArray(2 * 1024 * 1024, 'x'); }, 100},
                      DamagedCase{"long line before the key",
                                  [] {
                                      return bytes("[FoAblak]\r\n"sv) +
                                             QByteArray(1024 * 1024, '=') +
                                             bytes("\r\nBal=5\r\n"sv);
                                  },
                                  5},
                      DamagedCase{"every byte value",
                                  [] {
                                      QByteArray all;
                                      for (int b = 0; b < 256; ++b)
                                          all.append(static_cast<char>(b));
                                      return all + bytes("\n[FoAblak]\nBal=9\n"sv);
                                  },
                                  9}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

// ---- Paths that are not a readable settings file ---------------------------

TEST_F(IniFileTest, FolderInPlaceOfTheFileGivesDefaultsAndFailedWrites)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("szotar.ini")));
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
    const platform::Status written = ini.writeInteger(u"FoAblak", u"Bal", 1);
    EXPECT_FALSE(written.ok());
    EXPECT_FALSE(written.error().isEmpty());
    EXPECT_FALSE(ini.eraseFile().ok());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(IniFileTest, NamedPipeIsNotOpened)
{
    // Opening a pipe with no writer would block the program for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
    EXPECT_FALSE(ini.load().loadError().isEmpty());
    EXPECT_FALSE(ini.writeInteger(u"FoAblak", u"Bal", 1).ok());
    // Restoring the defaults does not delete what is not a settings file.
    const platform::Status erased = ini.eraseFile();
    EXPECT_FALSE(erased.ok());
    EXPECT_EQ(erased.error(), platform::notRegularFileMessage(path()));
    EXPECT_TRUE(QFileInfo(path()).exists());
}

TEST_F(IniFileTest, HugeFileIsNeitherReadNorReplaced)
{
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("[FoAblak]\r\nBal=5\r\n") > 0);
        ASSERT_TRUE(file.resize(64 * 1024 * 1024)); // sparse: costs no disk
    }
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
    EXPECT_FALSE(ini.writeInteger(u"FoAblak", u"Bal", 1).ok());
    EXPECT_EQ(QFileInfo(path()).size(), 64 * 1024 * 1024);
}

// The disk fails in the middle of reading the file: nothing read is trusted,
// and the defaults never replace the file.
TEST_F(IniFileTest, UnreadableFileIsNotReplaced)
{
    writeRaw(bytes("[FoAblak]\r\nBal=5\r\n"sv));
    const FailingFiles failing(/*readLimit=*/12, /*writeLimit=*/-1);
    const IniFile ini(path(), failing);
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
    EXPECT_TRUE(ini.load().loadError().startsWith(QStringLiteral("A beállításfájl nem olvasható:")))
        << ini.load().loadError().toStdString();
    const platform::Status written = ini.writeInteger(u"FoAblak", u"Teto", 1);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error().startsWith(QStringLiteral("A beállításfájlt nem írom felül")));
    EXPECT_EQ(failing.commits(), 0);
    EXPECT_EQ(readRaw(), bytes("[FoAblak]\r\nBal=5\r\n"sv));
}

// The disk fails while the new content is written: the old file stays byte
// for byte, whatever the point of failure.
class FailedIniWriteTest : public IniFileTest, public ::testing::WithParamInterface<qint64> {};

TEST_P(FailedIniWriteTest, KeepsTheOldFile)
{
    const QByteArray before = bytes("[FoAblak]\r\nBal=5\r\n[Dok]\r\nDokNev=a.rtf\r\n"sv);
    writeRaw(before);
    const FailingFiles failing(/*readLimit=*/-1, /*writeLimit=*/GetParam());
    const IniFile ini(path(), failing);
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 5);
    const platform::Status written =
        ini.writeString(u"Dok", u"DokNev", QStringLiteral("hosszabb.rtf"));
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error().startsWith(QStringLiteral("A beállításfájl írása nem sikerült:")))
        << written.error().toStdString();
    EXPECT_EQ(failing.commits(), 0);
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("szotar.ini")});
}

INSTANTIATE_TEST_SUITE_P(AfterBytes, FailedIniWriteTest, ::testing::Values(0, 1, 20, 44),
                         [](const auto &info) { return "After" + std::to_string(info.param); });

// The settings file written at close onto a full disk used to abort the
// program; the write now fails with the message and keeps the old file.
TEST_P(FailedIniWriteTest, FullDiskSettingsWriteDoesNotAbortAndKeepsTheOldFile)
{
    const QByteArray before = bytes("[FoAblak]\r\nBal=5\r\n[Dok]\r\nDokNev=a.rtf\r\n"sv);
    writeRaw(before);
    const FullDiskFiles full(GetParam());
    const IniFile ini(path(), full);
    const platform::Status written =
        ini.writeString(u"Dok", u"DokNev", QStringLiteral("hosszabb.rtf"));
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error().startsWith(QStringLiteral("A beállításfájl írása nem sikerült:")))
        << written.error().toStdString();
    EXPECT_EQ(readRaw(), before);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("szotar.ini")});
}

TEST_F(IniFileTest, TheSeamWritesThroughWhenNothingFails)
{
    const FailingFiles working(-1, -1);
    const IniFile ini(path(), working);
    ASSERT_TRUE(ini.writeInteger(u"FoAblak", u"Bal", 7));
    EXPECT_EQ(working.commits(), 1);
    EXPECT_EQ(readRaw(), bytes("[FoAblak]\r\nBal=7\r\n"sv));
}

// Devices and pipes are never opened: a device never ends, a pipe blocks.
struct SpecialCase {
    const char *what;
    std::function<QString(const QString &dir)> make; // the path of the special file
};

std::ostream &operator<<(std::ostream &os, const SpecialCase &c)
{
    return os << c.what;
}

class SpecialSettingsFileTest : public IniFileTest,
                                public ::testing::WithParamInterface<SpecialCase> {};

TEST_P(SpecialSettingsFileTest, GivesDefaultsAndTheRegularFileMessage)
{
    const QString special = GetParam().make(m_dir.path());
    ASSERT_FALSE(special.isEmpty());
    const FailingFiles watching(-1, -1);
    const IniFile ini(special, watching);
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
    EXPECT_EQ(ini.load().loadError(), platform::notRegularFileMessage(special));
    EXPECT_FALSE(ini.load().loadError().isEmpty());
    EXPECT_EQ(watching.opened(), 0);
}

// A document built in memory, never loaded from the path, is not written over
// a pipe either: the safe write would replace the pipe by a file.
TEST_F(IniFileTest, SaveNeverReplacesAPipe)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    IniDocument doc;
    ASSERT_TRUE(doc.writeInteger(u"FoAblak", u"Bal", 1));
    const platform::Status saved = doc.save(path());
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.error(), platform::notRegularFileMessage(path()));
    EXPECT_FALSE(QFileInfo(path()).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialSettingsFileTest,
    ::testing::Values(
        SpecialCase{"zero device", [](const QString &) { return QStringLiteral("/dev/zero"); }},
        SpecialCase{"null device", [](const QString &) { return QStringLiteral("/dev/null"); }},
        SpecialCase{"link to the zero device",
                    [](const QString &dir) {
                        const QString link = dir + QStringLiteral("/link.ini");
                        return QFile::link(QStringLiteral("/dev/zero"), link) ? link : QString();
                    }},
        SpecialCase{"named pipe",
                    [](const QString &dir) {
                        const QString fifo = dir + QStringLiteral("/pipe.ini");
                        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 ? fifo
                                                                                        : QString();
                    }}),
    [](const auto &info) {
        std::string name = info.param.what;
        for (char &c : name)
            if (c == ' ')
                c = '_';
        return name;
    });

TEST_F(IniFileTest, WriteIntoMissingFolderFails)
{
    const IniFile ini(m_dir.filePath(QStringLiteral("nincs/szotar.ini")));
    const platform::Status written = ini.writeString(u"Dok", u"DokNev", QStringLiteral("a.rtf"));
    EXPECT_FALSE(written.ok());
    EXPECT_FALSE(written.error().isEmpty());
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(IniFileTest, RejectedValueLeavesTheFileAsItWas)
{
    writeRaw(bytes("[Dok]\r\nDokNev=a.rtf\r\n"sv));
    const IniFile ini(path());
    EXPECT_FALSE(ini.writeString(u"Dok", u"DokNev", QStringLiteral("b\r\nTeto=1")).ok());
    EXPECT_EQ(readRaw(), bytes("[Dok]\r\nDokNev=a.rtf\r\n"sv));
}

TEST_F(IniFileTest, EraseFileDeletesAndToleratesAMissingFile)
{
    writeRaw(bytes("[FoAblak]\r\nBal=5\r\n"sv));
    const IniFile ini(path());
    ASSERT_TRUE(ini.eraseFile());
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_TRUE(ini.eraseFile());
    EXPECT_EQ(ini.readInteger(u"FoAblak", u"Bal", 100), 100);
}

} // namespace
