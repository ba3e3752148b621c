// Version, hexadecimal bytes and the opening of addresses and programs.
#include "dialogs/buildinfo.h"
#include "dialogs/weblinks.h"
#include "support/printers.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

TEST(ByteToHex, TwoUpperCaseDigits)
{
    const struct {
        quint8 value;
        const char *hex;
    } cases[] = {{0, "00"}, {1, "01"}, {14, "0E"}, {16, "10"}, {171, "AB"}, {255, "FF"}};
    for (const auto &c : cases)
        EXPECT_EQ(ByteToHex(c.value), QString::fromLatin1(c.hex)) << int(c.value);
}

TEST(GetProductVersion, OnlyThisProgramHasOne)
{
    QTemporaryDir dir;
    const QString other = dir.filePath(u"other"_s);
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(GetProductVersion(QCoreApplication::applicationFilePath()),
              QStringLiteral(VELKOR_PRODUCT_VERSION));
    EXPECT_FALSE(GetProductVersion(QCoreApplication::applicationFilePath()).isEmpty());
    for (const QString &name : {QString(), dir.filePath(u"missing"_s), other, dir.path()})
        EXPECT_EQ(GetProductVersion(name), QString()) << name.toStdString();
}

TEST(FindAppCommand, KindsAndTheirErrors)
{
    const struct {
        QString kind;
        bool found;
        QString command;
    } cases[] = {
        {u"INTERNET"_s, true, u"kept"_s},
        {u"internet"_s, true, u"kept"_s},
        {u"EXCEL"_s, false, u"Error: EXCEL not in Registry"_s},
        {u"WORD"_s, false, u"Error: WORD not supported"_s},
        {QString(), false, u"Error:  not supported"_s},
    };
    for (const auto &c : cases) {
        QString command = u"kept"_s;
        EXPECT_EQ(FindAppCommand(c.kind, command), c.found) << c.kind.toStdString();
        EXPECT_EQ(command, c.command) << c.kind.toStdString();
    }
}

TEST(RunCommand, ResultWords)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(u"not a program"_s);
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("echo hello\n");
    file.close();
    const struct {
        const char *what;
        QString program;
        QString result;
    } cases[] = {
        {"empty", QString(), u"ERROR_FILE_NOT_FOUND"_s},
        {"unknown name", u"velkor-no-such-program"_s, u"ERROR_FILE_NOT_FOUND"_s},
        {"missing file", dir.filePath(u"missing"_s), u"ERROR_FILE_NOT_FOUND"_s},
        {"missing folder", dir.filePath(u"no/such/program"_s), u"ERROR_PATH_NOT_FOUND"_s},
        {"not executable", plain, u"ERROR_BAD_FORMAT"_s},
        {"a folder", dir.path(), u"ERROR_BAD_FORMAT"_s},
        {"started", u"true"_s, u"OK"_s},
    };
    for (const auto &c : cases) {
        QString result = u"stale"_s;
        RunCommand(c.program, {}, result);
        EXPECT_EQ(result, c.result) << c.what;
    }
}

// Records what reaches the desktop's handler.
struct Recorder {
    QList<QUrl> urls;
    bool answer = true;
    UrlOpener opener()
    {
        return [this](const QUrl &url) {
            urls << url;
            return answer;
        };
    }
};

TEST(OpenWithApp, AnAddressReachesTheOpenerUnchangedAsOneUrl)
{
    const QString address = u"https://example.invalid/a b?x=1&y=$(rm -rf ~);z|w`id`'q'\"r\"#f"_s;
    Recorder recorder;
    QString result;
    OpenWithApp(u"INTERNET"_s, address, result, recorder.opener());
    EXPECT_EQ(result, u"OK"_s);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0].scheme(), u"https"_s);
    const QString reached =
        QString::fromUtf8(QByteArray::fromPercentEncoding(recorder.urls[0].toEncoded()));
    EXPECT_EQ(reached.toStdString(), address.toStdString());
}

TEST(OpenWithApp, ResultWordsAndFiles)
{
    QTemporaryDir dir;
    const QString readme = dir.filePath(u"README.md"_s);
    QFile file(readme);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const struct {
        const char *what;
        QString kind;
        QString target;
        bool openerAnswer;
        QString result;
        QUrl opened; // empty: the opener is not called
    } cases[] = {
        {"address", u"INTERNET"_s, u"https://example.invalid/"_s, true, u"OK"_s,
         QUrl(u"https://example.invalid/"_s)},
        {"opener fails", u"INTERNET"_s, u"https://example.invalid/"_s, false, u"OTHER_ERROR"_s,
         QUrl(u"https://example.invalid/"_s)},
        {"local file", u"internet"_s, readme, true, u"OK"_s, QUrl::fromLocalFile(readme)},
        {"missing file", u"INTERNET"_s, dir.filePath(u"gone.md"_s), true, u"ERROR_FILE_NOT_FOUND"_s,
         QUrl()},
        {"other kind", u"WORD"_s, u"https://example.invalid/"_s, true,
         u"Error: WORD not supported"_s, QUrl()},
        {"excel", u"EXCEL"_s, readme, true, u"Error: EXCEL not in Registry"_s, QUrl()},
    };
    for (const auto &c : cases) {
        Recorder recorder;
        recorder.answer = c.openerAnswer;
        QString result;
        OpenWithApp(c.kind, c.target, result, recorder.opener());
        EXPECT_EQ(result, c.result) << c.what;
        if (c.opened.isEmpty())
            EXPECT_TRUE(recorder.urls.isEmpty()) << c.what;
        else
            EXPECT_EQ(recorder.urls, QList<QUrl>{c.opened}) << c.what;
    }
}

TEST(OpenWithApp, AnOpenerThatThrowsGivesTheExceptionWord)
{
    QString result;
    OpenWithApp(u"INTERNET"_s, u"https://example.invalid/"_s, result,
                [](const QUrl &) -> bool { throw std::runtime_error("no handler"); });
    EXPECT_EQ(result, u"OTHER_ERROR_2"_s);
}

} // namespace
