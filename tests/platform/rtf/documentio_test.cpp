// Loading by content and saving in one piece.
#include "platform/regularfile.h"
#include "platform/rtf/documentio.h"
#include "platform/rtf/plaintext.h"
#include "rtftestsupport.h"
#include "support/fail_device.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>

using namespace Qt::StringLiterals;
using documentio::FileFormat;

namespace {

class DocumentIo : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray readBytes(const QString &name) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return f.readAll();
    }

    QTemporaryDir m_dir;
};

struct LoadCase {
    const char *file;
    QByteArray bytes;
    FileFormat format;
    const char16_t *paragraphs; // joined with '|'
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.file, c.paragraphs);
}

class LoadDecision : public DocumentIo, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadDecision, FollowsTheContentNotTheName)
{
    const LoadCase c = GetParam();
    writeBytes(QString::fromLatin1(c.file), c.bytes);
    QTextDocument doc;
    FileFormat format{};
    const platform::Status r =
        documentio::loadDocument(path(QString::fromLatin1(c.file)), doc, &format);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(format, c.format) << c.file;
    EXPECT_EQ(rtftest::paragraphs(doc).join(u'|'), QString::fromUtf16(c.paragraphs)) << c.file;
    EXPECT_FALSE(doc.isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadDecision,
    ::testing::Values(
        LoadCase{"rtf.txt", "{\\rtf1 \\b a\\b0\\par}", FileFormat::Rtf, u"a"},
        LoadCase{"plain.rtf", "hello\r\nworld", FileFormat::PlainText, u"hello|world"},
        LoadCase{"rtf-after-bom.rtf", "\xEF\xBB\xBF  \r\n{\\rtf1 x}", FileFormat::Rtf, u"x"},
        LoadCase{"utf8-bom.txt", "\xEF\xBB\xBF\xC5\x91\xC5\xB1\xE2\x82\xAC\xF0\x9F\x98\x80\r\n",
                 FileFormat::PlainText, u"őű€😀"},
        LoadCase{"bom-but-not-utf8.txt", "\xEF\xBB\xBF\xF5", FileFormat::PlainText, u"ď»żő"},
        LoadCase{"utf8-without-bom.txt", "\xC5\x91", FileFormat::PlainText, u"ő"},
        LoadCase{"invalid-utf8-is-cp1250.txt", "\xC5\x91\xF5", FileFormat::PlainText, u"Ĺ‘ő"},
        LoadCase{"overlong-utf8-is-cp1250.txt", "\xC0\xAF", FileFormat::PlainText, u"ŔŻ"},
        LoadCase{"cp1250.txt", "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p\r\n",
                 FileFormat::PlainText, u"Árvíztűrő tükörfúrógép"},
        LoadCase{"line-ends.txt", "a\nb\rc\r\n\r\nd", FileFormat::PlainText, u"a|b|c||d"},
        LoadCase{"empty.rtf", "", FileFormat::PlainText, u""},
        LoadCase{"almost-rtf.txt", "{\\rt", FileFormat::PlainText, u"{\\rt"},
        LoadCase{"binary.txt", QByteArray("a\0b\xFF", 4), FileFormat::PlainText, u"a\ufffdb˙"},
        LoadCase{"noextension", "{\\rtf1 y}", FileFormat::Rtf, u"y"}),
    [](const auto &info) { return velkor_test::caseName(info.param.file); });

TEST_F(DocumentIo, RtfContentKeepsItsFormatsInATxtFile)
{
    writeBytes(u"formatted.txt"_s, "{\\rtf1 \\b bold\\b0  plain}");
    QTextDocument doc;
    ASSERT_TRUE(documentio::loadDocument(path(u"formatted.txt"_s), doc).ok());
    EXPECT_GE(rtftest::formatOf(doc, 0, u"bold"_s).fontWeight(), QFont::Bold);
}

TEST_F(DocumentIo, MissingFileIsAHungarianErrorAndTheDocumentStays)
{
    QTextDocument doc;
    doc.setPlainText(u"régi"_s);
    const QString missing = path(u"nincs.rtf"_s);
    const platform::Status r = documentio::loadDocument(missing, doc);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(bool(r));
    EXPECT_EQ(r.error(),
              u"Nem sikerült megnyitni a fájlt:\n"_s + QDir::toNativeSeparators(missing));
    EXPECT_EQ(doc.toPlainText(), u"régi"_s);
}

TEST_F(DocumentIo, AFileTooLargeToHoldIsRefused)
{
    const QString huge = path(u"huge.txt"_s);
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(documentio::kMaxFileSize + 1)); // sparse: no real disk use
    }
    QTextDocument doc;
    const platform::Status r = documentio::loadDocument(huge, doc);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error(),
              u"A fájl túl nagy, nem nyitható meg:\n"_s + QDir::toNativeSeparators(huge));
}

TEST_F(DocumentIo, ADirectoryCannotBeOpened)
{
    QTextDocument doc;
    EXPECT_FALSE(documentio::loadDocument(m_dir.path(), doc).ok());
}

TEST_F(DocumentIo, PlainTextIsWindows1250WithCrLfAfterEveryLine)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(u"Árvíztűrő\tő"_s);
    c.insertBlock();
    c.insertText(u"ű\u2028második"_s);
    c.insertBlock();
    ASSERT_TRUE(documentio::savePlainText(path(u"out.txt"_s), doc).ok());
    EXPECT_EQ(readBytes(u"out.txt"_s),
              QByteArray("\xC1rv\xEDzt\xFBr\xF5\t\xF5\r\n\xFB\r\nm\xE1sodik\r\n\r\n"));
}

// A plain-text document is written in the encoding it was read in; a new one
// in Windows-1250 unless that cannot hold its text. No character ever
// becomes "?".
struct EncodingCase {
    const char *name;
    const char *file;      // the file read first; nullptr for a new document
    QByteArray before;     // its bytes
    const char16_t *typed; // appended to the last paragraph before saving
    QByteArray after;      // the bytes written
};

void PrintTo(const EncodingCase &c, std::ostream *os)
{
    *os << c.name;
}

class PlainTextEncoding : public DocumentIo, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(PlainTextEncoding, IsKeptOrChosenSoThatNothingIsLost)
{
    const EncodingCase &c = GetParam();
    QTextDocument doc;
    if (c.file) {
        writeBytes(QString::fromLatin1(c.file), c.before);
        ASSERT_TRUE(documentio::loadDocument(path(QString::fromLatin1(c.file)), doc).ok());
    }
    QTextCursor end(&doc);
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromUtf16(c.typed));
    ASSERT_TRUE(documentio::saveDocument(path(u"out.txt"_s), doc).ok());
    const QByteArray written = readBytes(u"out.txt"_s);
    EXPECT_EQ(written.toHex(' ').toStdString(), c.after.toHex(' ').toStdString());

    // What was written reads back as the same text.
    QTextDocument again;
    ASSERT_TRUE(documentio::loadDocument(path(u"out.txt"_s), again).ok());
    EXPECT_EQ(again.toPlainText(), doc.toPlainText());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, PlainTextEncoding,
    ::testing::Values(EncodingCase{"NewCp1250Text", nullptr, {}, u"tűz ő", "t\xFBz \xF5\r\n"},
                      EncodingCase{"NewTextOutsideCp1250",
                                   nullptr,
                                   {},
                                   u"ő 😀 ñ",
                                   "\xC5\x91 \xF0\x9F\x98\x80 \xC3\xB1\r\n"},
                      EncodingCase{"NewAsciiText", nullptr, {}, u"abc", "abc\r\n"},
                      EncodingCase{"Cp1250RoundTrip", "a.txt", "\xC1rv\xEDzt\xFBr\xF5\r\n\r\nx\r\n",
                                   u"", "\xC1rv\xEDzt\xFBr\xF5\r\n\r\nx\r\n"},
                      EncodingCase{"Cp1250GainingTextOutsideItBecomesUtf8", "a.txt", "t\xFBz\r\n",
                                   u"日", "t\xC5\xB1z\xE6\x97\xA5\r\n"},
                      EncodingCase{"Utf8RoundTrip", "u.txt",
                                   "\xC5\x91 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n\r\n日本\r\n", u"",
                                   "\xC5\x91 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n\r\n日本\r\n"},
                      EncodingCase{"Utf8StaysUtf8WhenCp1250WouldDo", "u.txt", "\xC5\x91\r\n", u"a",
                                   "\xC5\x91"
                                   "a\r\n"},
                      EncodingCase{"Utf8WithBomKeepsTheBom", "b.txt", "\xEF\xBB\xBF\xC5\x91\r\n",
                                   u"ñ", "\xEF\xBB\xBF\xC5\x91\xC3\xB1\r\n"},
                      EncodingCase{"AsciiFileStaysCp1250", "a.txt", "abc\r\n", u"ő", "abc\xF5\r\n"},
                      EncodingCase{"RtfSavedAsTextChoosesAfresh", "r.rtf", "{\\rtf1 \\u337?\\par}",
                                   u"😀", "\xC5\x91\xF0\x9F\x98\x80\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DocumentIo, ANewDocumentForgetsTheEncodingOfTheFileBefore)
{
    writeBytes(u"u.txt"_s, "\xC5\x91\r\n");
    QTextDocument doc;
    ASSERT_TRUE(documentio::loadDocument(path(u"u.txt"_s), doc).ok());
    doc.clear();
    documentio::startNewDocument(doc);
    doc.setPlainText(u"ő"_s);
    ASSERT_TRUE(documentio::savePlainText(path(u"new.txt"_s), doc).ok());
    EXPECT_EQ(readBytes(u"new.txt"_s), QByteArray("\xF5\r\n"));
}

TEST_F(DocumentIo, PlainTextSurvivesSaveAndLoadUnchanged)
{
    const QByteArray bytes("els\xF5\r\n\r\nharmadik\r\n");
    writeBytes(u"in.txt"_s, bytes);
    QTextDocument doc;
    ASSERT_TRUE(documentio::loadDocument(path(u"in.txt"_s), doc).ok());
    ASSERT_TRUE(documentio::savePlainText(path(u"again.txt"_s), doc).ok());
    EXPECT_EQ(readBytes(u"again.txt"_s), bytes);
}

TEST_F(DocumentIo, EmptyDocumentIsAnEmptyFile)
{
    QTextDocument doc;
    ASSERT_TRUE(documentio::savePlainText(path(u"empty.txt"_s), doc).ok());
    EXPECT_TRUE(readBytes(u"empty.txt"_s).isEmpty());
}

TEST_F(DocumentIo, RtfSurvivesSaveAndLoad)
{
    QTextDocument doc;
    ASSERT_TRUE(rtftest::fixture("wordpad_hu.rtf").size() > 0);
    writeBytes(u"in.rtf"_s, rtftest::fixture("wordpad_hu.rtf"));
    ASSERT_TRUE(documentio::loadDocument(path(u"in.rtf"_s), doc).ok());
    ASSERT_TRUE(documentio::saveRtf(path(u"out.rtf"_s), doc).ok());
    QTextDocument again;
    FileFormat format{};
    ASSERT_TRUE(documentio::loadDocument(path(u"out.rtf"_s), again, &format).ok());
    EXPECT_EQ(format, FileFormat::Rtf);
    EXPECT_EQ(rtftest::describe(again), rtftest::describe(doc));
}

TEST_F(DocumentIo, SavingReplacesAnExistingFile)
{
    writeBytes(u"x.txt"_s, "old content that is longer than the new one");
    QTextDocument doc;
    doc.setPlainText(u"új"_s);
    ASSERT_TRUE(documentio::savePlainText(path(u"x.txt"_s), doc).ok());
    EXPECT_EQ(readBytes(u"x.txt"_s), QByteArray("\xFAj\r\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"x.txt"_s});
}

TEST_F(DocumentIo, FailedSaveIsAHungarianErrorAndTheOldFileStays)
{
    writeBytes(u"keep.rtf"_s, "old");
    QDir(m_dir.path()).mkdir(u"keep.rtf.dir"_s);
    QTextDocument doc;
    doc.setPlainText(u"új"_s);

    const QString intoMissingFolder = path(u"nincs/ilyen.rtf"_s);
    platform::Status r = documentio::saveRtf(intoMissingFolder, doc);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error(),
              u"Nem sikerült menteni a fájlt:\n"_s + QDir::toNativeSeparators(intoMissingFolder));

    r = documentio::savePlainText(path(u"keep.rtf.dir"_s), doc);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(readBytes(u"keep.rtf"_s), QByteArray("old"));
}

// Devices and pipes are never opened, for reading or for replacing: a device
// never ends (/dev/zero used to exhaust the memory) and a pipe blocks for ever.
struct SpecialCase {
    const char *what;
    std::function<QString(const QString &dir)> make; // the special file's path, empty on failure
};

class SpecialFile : public DocumentIo, public ::testing::WithParamInterface<SpecialCase> {};

QString fifoIn(const QString &dir)
{
    const QString fifo = dir + u"/cso.rtf"_s;
    return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 ? fifo : QString();
}

QString linkIn(const QString &dir, const QString &to)
{
    const QString link = dir + u"/link.txt"_s;
    return QFile::link(to, link) ? link : QString();
}

TEST_P(SpecialFile, IsRefusedWithTheRegularFileMessage)
{
    const QString special = GetParam().make(m_dir.path());
    ASSERT_FALSE(special.isEmpty()) << GetParam().what;
    const FailingFiles watching(-1, -1);
    QTextDocument doc;
    doc.setPlainText(u"marad"_s);
    const platform::Status r = documentio::loadDocument(special, doc, nullptr, watching);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error(), platform::notRegularFileMessage(special));
    EXPECT_FALSE(r.error().isEmpty());
    EXPECT_EQ(doc.toPlainText(), u"marad"_s);
    EXPECT_EQ(watching.opened(), 0);
    // The real file system refuses as well, before opening.
    EXPECT_FALSE(documentio::loadDocument(special, doc).ok());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialFile,
    ::testing::Values(SpecialCase{"zero_device", [](const QString &) { return u"/dev/zero"_s; }},
                      SpecialCase{"null_device", [](const QString &) { return u"/dev/null"_s; }},
                      SpecialCase{"named_pipe", fifoIn},
                      SpecialCase{"link_to_zero_device",
                                  [](const QString &dir) { return linkIn(dir, u"/dev/zero"_s); }}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(DocumentIo, SavingOverAPipeIsRefusedAndThePipeStays)
{
    const QString fifo = fifoIn(m_dir.path());
    ASSERT_FALSE(fifo.isEmpty());
    QTextDocument doc;
    doc.setPlainText(u"új"_s);
    for (const auto save : {&documentio::saveRtf, &documentio::savePlainText}) {
        const platform::Status r = save(fifo, doc, platform::FileAccess::system());
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.error(), platform::notRegularFileMessage(fifo));
    }
    EXPECT_EQ(QFileInfo(fifo).isFile(), false);
    EXPECT_TRUE(QFileInfo(fifo).exists());
}

// A disk that fails part way: the document stays on a failed read, the old
// file on a failed write, and each says so in Hungarian.
class FailingDisk : public DocumentIo, public ::testing::WithParamInterface<qint64> {};

TEST_P(FailingDisk, ReadFailureLeavesTheDocument)
{
    writeBytes(u"in.rtf"_s, "{\\rtf1 \\b els\\'f5\\b0  m\\'e1sodik\\par harmadik\\par}");
    const FailingFiles failing(GetParam(), -1);
    QTextDocument doc;
    doc.setPlainText(u"marad"_s);
    doc.setModified(false);
    const platform::Status r = documentio::loadDocument(path(u"in.rtf"_s), doc, nullptr, failing);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error(),
              u"Nem sikerült megnyitni a fájlt:\n"_s + QDir::toNativeSeparators(path(u"in.rtf"_s)));
    EXPECT_EQ(doc.toPlainText(), u"marad"_s);
    EXPECT_FALSE(doc.isModified());
}

TEST_P(FailingDisk, WriteFailureKeepsTheOldFile)
{
    writeBytes(u"keep.rtf"_s, "old");
    writeBytes(u"keep.txt"_s, "old");
    const FailingFiles failing(-1, GetParam());
    QTextDocument doc;
    doc.setPlainText(u"egy új, hosszabb szöveg"_s);
    for (const QString &name : {u"keep.rtf"_s, u"keep.txt"_s}) {
        const platform::Status r = documentio::saveDocument(path(name), doc, failing);
        EXPECT_FALSE(r.ok()) << name.toStdString();
        EXPECT_EQ(r.error(),
                  u"Nem sikerült menteni a fájlt:\n"_s + QDir::toNativeSeparators(path(name)));
        EXPECT_EQ(readBytes(name), QByteArray("old"));
    }
    EXPECT_EQ(failing.commits(), 0);
}

INSTANTIATE_TEST_SUITE_P(AfterBytes, FailingDisk, ::testing::Values(0, 1, 10),
                         [](const auto &info) { return "After" + std::to_string(info.param); });

// A save onto a full disk used to abort the program when the safe write
// was given up; now it reports, keeps the old file and leaves no
// temporary file behind, whatever the point of failure.
class FullDiskSave : public DocumentIo, public ::testing::WithParamInterface<qint64> {};

TEST_P(FullDiskSave, FullDiskSaveDoesNotAbortAndKeepsTheOldFile)
{
    writeBytes(u"keep.rtf"_s, "old");
    writeBytes(u"keep.txt"_s, "old");
    const FullDiskFiles full(GetParam());
    QTextDocument doc;
    doc.setPlainText(u"egy új, hosszabb szöveg"_s);
    for (const QString &name : {u"keep.rtf"_s, u"keep.txt"_s}) {
        const platform::Status r = documentio::saveDocument(path(name), doc, full);
        EXPECT_FALSE(r.ok()) << name.toStdString();
        EXPECT_EQ(r.error(),
                  u"Nem sikerült menteni a fájlt:\n"_s + QDir::toNativeSeparators(path(name)));
        EXPECT_EQ(readBytes(name), QByteArray("old"));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u"keep.rtf"_s, u"keep.txt"_s}))
        << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(AfterBytes, FullDiskSave, ::testing::Values(0, 10),
                         [](const auto &info) { return "After" + std::to_string(info.param); });

TEST_F(DocumentIo, TheSeamWritesAndReadsWhenNothingFails)
{
    const FailingFiles working(-1, -1);
    QTextDocument doc;
    doc.setPlainText(u"árvíztűrő"_s);
    ASSERT_TRUE(documentio::saveDocument(path(u"ok.rtf"_s), doc, working).ok());
    EXPECT_EQ(working.commits(), 1);
    QTextDocument again;
    ASSERT_TRUE(documentio::loadDocument(path(u"ok.rtf"_s), again, nullptr, working).ok());
    EXPECT_EQ(again.toPlainText(), u"árvíztűrő"_s);
}

struct NameCase {
    const char16_t *name;
    bool rtf;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.rtf);
}

class SaveByName : public DocumentIo, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SaveByName, TheExtensionAloneChoosesTheFormat)
{
    const QString name = QString::fromUtf16(GetParam().name);
    EXPECT_EQ(documentio::isRtfName(name), GetParam().rtf);
    QTextDocument doc;
    doc.setPlainText(u"szöveg"_s);
    ASSERT_TRUE(documentio::saveDocument(path(name), doc).ok());
    EXPECT_EQ(readBytes(name).startsWith("{\\rtf1"), GetParam().rtf);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveByName,
                         ::testing::Values(NameCase{u"a.rtf", true}, NameCase{u"b.RTF", true},
                                           NameCase{u"c.Rtf", true}, NameCase{u"d.txt", false},
                                           NameCase{u"e", false}, NameCase{u"f.rtf.txt", false},
                                           NameCase{u"g.txt.rtf", true},
                                           NameCase{u"h.rtfx", false}),
                         [](const auto &info) { return velkor_test::caseName(info.param.name); });

TEST(PlainTextDecode, StructureCharactersAreReplaced)
{
    EXPECT_EQ(plaintext::decode("\xEF\xBB\xBF\xEF\xBF\xBC\xEF\xB7\x90x"), u"\ufffd\ufffdx"_s);
}

} // namespace
