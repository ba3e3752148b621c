// New, Open, Save and Save as on the bound host, with scripted file dialogs
// and the question dialog answered through its buttons.

#include "editortestsupport.h"

#include "dialogs/frmvalasz.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "platform/codepage.h"
#include "support/fail_device.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace {

const QString kIgen = QStringLiteral("bbtnOk");
const QString kOk = QStringLiteral("bbtnOk");
const QString kNem = QStringLiteral("bbtnNem");
const QString kMegsem = QStringLiteral("bbtnMegsem");

bool isRtf(const QByteArray &bytes)
{
    return bytes.startsWith("{\\rtf");
}

QByteArray cp1250(const QString &text)
{
    return cp1250::encode(text);
}

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        frame.setFileDialogs(std::move(scripted));
        InitToolbarFrame(frame, 1);
        text.bind();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    TfrmValasz valasz; // the run's question dialog
    EditorHosts hosts;
    TfraREEszkTar frame;
    ScriptedDialogs *dialogs = nullptr;
    TestHost text{frame, hosts, 1};
    TestHost help{frame, hosts, 2};
};

TEST_F(DocumentCommandsTest, NewNumbersDocumentsAcrossBothHosts)
{
    ModalScript script; // nothing is modified: no question
    text.docName = path(QStringLiteral("mese.txt"));
    text.hasFile = true;
    frame.spbUjClick(nullptr);
    EXPECT_EQ(text.docName, path(QStringLiteral("Dokumentum1")));
    frame.spbUjClick(nullptr);
    EXPECT_EQ(text.docName, path(QStringLiteral("Dokumentum2")));
    EXPECT_FALSE(text.hasFile);
    EXPECT_EQ(text.loaded, 2);

    help.bind();
    help.docName = QStringLiteral("/sugo/Súgó (eredeti).rtf");
    help.hasFile = true;
    frame.spbUjClick(nullptr);
    EXPECT_EQ(help.docName, QStringLiteral("/sugo/Dokumentum3"));
    EXPECT_EQ(help.loaded, 1);

    text.bind();
    frame.spbUjClick(nullptr);
    EXPECT_EQ(text.docName, path(QStringLiteral("Dokumentum4")));
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_TRUE(script.messages.isEmpty());
}

TEST_F(DocumentCommandsTest, NewClearsTheEditorAndItsModifiedFlag)
{
    text.setText(QStringLiteral("régi szöveg"), false);
    frame.spbUjClick(nullptr);
    EXPECT_TRUE(text.editor.toPlainText().isEmpty());
    EXPECT_FALSE(text.editor.document()->isModified());
    EXPECT_FALSE(text.editor.document()->isUndoAvailable());
}

TEST_F(DocumentCommandsTest, SaveAfterNewGoesThroughSaveAsThenWritesInPlace)
{
    text.docName = path(QStringLiteral("mese.txt"));
    frame.spbUjClick(nullptr);
    text.setText(QStringLiteral("Első változat"), true);
    dialogs->saveAnswers.push_back(SaveChoice{path(QStringLiteral("Dokumentum1")), 1});

    ModalScript script;
    frame.spbMentClick(nullptr);
    ASSERT_EQ(dialogs->saveCalls.size(), 1u);
    EXPECT_EQ(dialogs->saveCalls[0].directory, dir.path());
    EXPECT_EQ(dialogs->saveCalls[0].fileName, QStringLiteral("Dokumentum1"));
    const QString written = path(QStringLiteral("Dokumentum1.rtf"));
    EXPECT_EQ(text.docName, written);
    EXPECT_TRUE(text.hasFile);
    EXPECT_FALSE(text.editor.document()->isModified());
    EXPECT_EQ(text.savedAs, 1);
    EXPECT_TRUE(isRtf(fileBytes(written)));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Dokumentum1"))));

    text.setText(QStringLiteral("Második változat"), true);
    frame.spbMentClick(nullptr);
    EXPECT_EQ(dialogs->saveCalls.size(), 1u); // no dialog this time
    EXPECT_EQ(text.savedAs, 1);
    EXPECT_TRUE(fileBytes(written).contains("M\\'e1sodik"));
    EXPECT_FALSE(text.editor.document()->isModified());
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(DocumentCommandsTest, SaveWritesAnUnmodifiedDocumentToo)
{
    text.docName = path(QStringLiteral("lista.txt"));
    text.hasFile = true;
    text.setText(QStringLiteral("egy\nkettő"), false);
    frame.spbMentClick(nullptr);
    EXPECT_EQ(fileBytes(text.docName), cp1250(QStringLiteral("egy\r\nkettő\r\n")));
}

struct FixUpCase {
    const char *chosen;
    int filter;
    const char *written;
    bool rtf;
};

void PrintTo(const FixUpCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.chosen, c.filter, c.written, c.rtf);
}

class SaveAsFixUpTest : public DocumentCommandsTest,
                        public ::testing::WithParamInterface<FixUpCase> {};

TEST_P(SaveAsFixUpTest, WritesTheFixedUpNameInItsFormat)
{
    const FixUpCase &c = GetParam();
    text.docName = path(QStringLiteral("mese.txt"));
    text.setText(QStringLiteral("Első sor\nMásodik sor"), true);
    dialogs->saveAnswers.push_back(SaveChoice{path(QString::fromUtf8(c.chosen)), c.filter});

    ModalScript script;
    EXPECT_TRUE(frame.SaveDocumentAs(nullptr));
    const QString written = path(QString::fromUtf8(c.written));
    EXPECT_EQ(text.docName, written);
    const QByteArray bytes = fileBytes(written);
    if (c.rtf)
        EXPECT_TRUE(isRtf(bytes)) << bytes.constData();
    else
        EXPECT_EQ(bytes, cp1250(QStringLiteral("Első sor\r\nMásodik sor\r\n")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromUtf8(c.written)});
    EXPECT_EQ(script.unexpected, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, SaveAsFixUpTest,
                         ::testing::Values(FixUpCase{"notes.txt", 1, "notes.txt.rtf", true},
                                           FixUpCase{"notes.rtf", 1, "notes.rtf", true},
                                           FixUpCase{"notes", 1, "notes.rtf", true},
                                           FixUpCase{"notes.RTF", 2, "notes.txt", false},
                                           FixUpCase{"notes", 2, "notes", false},
                                           FixUpCase{"notes.doc", 2, "notes.doc", false}),
                         [](const auto &info) {
                             return velkor_test::caseName(info.param.chosen, info.param.filter);
                         });

struct OverwriteCase {
    const char *name;
    QString answer;
    bool result;
    bool oldFileReplaced;
    size_t dialogs;
};

void PrintTo(const OverwriteCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class OverwriteQuestionTest : public DocumentCommandsTest,
                              public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteQuestionTest, AnswersDecideTheWrite)
{
    const OverwriteCase &c = GetParam();
    writeFile(QStringLiteral("notes.rtf"), "old");
    text.docName = path(QStringLiteral("mese.txt"));
    text.setText(QStringLiteral("új"), true);
    dialogs->saveAnswers.push_back(SaveChoice{path(QStringLiteral("notes.rtf")), 1});
    // After "Nem" the dialog comes again; this time the user picks a new name.
    dialogs->saveAnswers.push_back(SaveChoice{path(QStringLiteral("masik.rtf")), 1});

    ModalScript script({c.answer});
    EXPECT_EQ(frame.SaveDocumentAs(nullptr), c.result);
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_EQ(script.messages[0], QStringLiteral("A fájl már létezik:\nnotes.rtf\nFelülírjam?"));
    EXPECT_EQ(isRtf(fileBytes(path(QStringLiteral("notes.rtf")))), c.oldFileReplaced);
    ASSERT_EQ(dialogs->saveCalls.size(), c.dialogs);
    if (c.dialogs == 2) {
        // The dialog shows again as the user left it.
        EXPECT_EQ(dialogs->saveCalls[1].fileName, QStringLiteral("notes.rtf"));
        EXPECT_TRUE(isRtf(fileBytes(path(QStringLiteral("masik.rtf")))));
    }
    EXPECT_EQ(text.savedAs, c.result ? 1 : 0);
    EXPECT_EQ(text.editor.document()->isModified(), !c.result);
    EXPECT_EQ(script.unexpected, 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, OverwriteQuestionTest,
                         ::testing::Values(OverwriteCase{"Igen", kIgen, true, true, 1},
                                           OverwriteCase{"Nem", kNem, true, false, 2},
                                           OverwriteCase{"Megsem", kMegsem, false, false, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

// The file that would be replaced is the one written after the fix-up.
TEST_F(DocumentCommandsTest, SaveAsAsksBeforeReplacingTheFixedUpName)
{
    writeFile(QStringLiteral("notes.rtf"), "old");
    writeFile(QStringLiteral("notes.txt"), "keep");
    text.docName = path(QStringLiteral("mese.txt"));
    text.setText(QStringLiteral("új"), true);
    dialogs->saveAnswers.push_back(SaveChoice{path(QStringLiteral("notes")), 1});
    dialogs->saveAnswers.push_back(SaveChoice{path(QStringLiteral("notes.txt")), 1});

    ModalScript script({kMegsem, kIgen});
    EXPECT_FALSE(frame.SaveDocumentAs(nullptr));
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_EQ(script.messages[0], QStringLiteral("A fájl már létezik:\nnotes.rtf\nFelülírjam?"));
    EXPECT_EQ(fileBytes(path(QStringLiteral("notes.rtf"))), "old");

    // notes.txt exists, but with Rich Text the file written is notes.txt.rtf.
    EXPECT_TRUE(frame.SaveDocumentAs(nullptr));
    EXPECT_EQ(script.messages.size(), 1);
    EXPECT_EQ(fileBytes(path(QStringLiteral("notes.txt"))), "keep");
    EXPECT_TRUE(isRtf(fileBytes(path(QStringLiteral("notes.txt.rtf")))));
    EXPECT_EQ(script.unexpected, 0);
}

TEST_F(DocumentCommandsTest, CancelledSaveAsChangesNothing)
{
    text.docName = path(QStringLiteral("mese.txt"));
    text.setText(QStringLiteral("új"), true);
    EXPECT_FALSE(frame.SaveDocumentAs(nullptr));
    EXPECT_EQ(text.docName, path(QStringLiteral("mese.txt")));
    EXPECT_TRUE(text.editor.document()->isModified());
    EXPECT_EQ(text.savedAs, 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// A modified document meets New: the question, then what each answer does.
struct ModifiedCase {
    const char *name;
    QString answer;
    bool hasFile;
    std::optional<QString> saveAsChoice; // the Save as answer when there is no file
    bool newDocument;
    bool saved;
};

void PrintTo(const ModifiedCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class ModifiedQuestionTest : public DocumentCommandsTest,
                             public ::testing::WithParamInterface<ModifiedCase> {};

TEST_P(ModifiedQuestionTest, NewFollowsTheAnswer)
{
    const ModifiedCase &c = GetParam();
    const QString original = path(QStringLiteral("alma.txt"));
    text.docName = original;
    text.hasFile = c.hasFile;
    text.setText(QStringLiteral("változott"), true);
    if (c.saveAsChoice)
        dialogs->saveAnswers.push_back(SaveChoice{path(*c.saveAsChoice), 2});

    ModalScript script({c.answer});
    frame.spbUjClick(nullptr);
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_EQ(script.messages[0],
              QStringLiteral("Az alma.txt tartalma megváltozott.\nMented a változásokat?"));
    EXPECT_EQ(text.docName == path(QStringLiteral("Dokumentum1")), c.newDocument);
    EXPECT_EQ(text.editor.toPlainText().isEmpty(), c.newDocument);
    EXPECT_EQ(text.loaded, c.newDocument ? 1 : 0);
    EXPECT_EQ(hosts.newDocCounter, c.newDocument ? 1 : 0);
    const QString savedName = c.saveAsChoice ? path(*c.saveAsChoice) : original;
    EXPECT_EQ(fileBytes(savedName) == cp1250(QStringLiteral("változott\r\n")), c.saved);
    EXPECT_EQ(script.unexpected, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ModifiedQuestionTest,
    ::testing::Values(
        ModifiedCase{"MegsemKeepsEverything", kMegsem, true, std::nullopt, false, false},
        ModifiedCase{"NemDiscards", kNem, true, std::nullopt, true, false},
        ModifiedCase{"IgenSavesInPlace", kIgen, true, std::nullopt, true, true},
        ModifiedCase{"IgenWithoutFileSavesAs", kIgen, false, QStringLiteral("korte.txt"), true,
                     true},
        ModifiedCase{"IgenWithoutFileCancelledSaveAs", kIgen, false, std::nullopt, false, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, ModifiedQuestionBeforeOpenCanStopIt)
{
    text.docName = path(QStringLiteral("Dokumentum1"));
    text.setText(QStringLiteral("változott"), true);
    ModalScript script({kMegsem});
    frame.spbMegnyitClick(nullptr);
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].startsWith(QStringLiteral("A Dokumentum1 tartalma")));
    EXPECT_TRUE(dialogs->openCalls.empty());
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("változott"));
}

TEST_F(DocumentCommandsTest, RtfInATxtFileOpensFormattedAndSavesAsPlainText)
{
    writeFile(QStringLiteral("story.txt"), "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                                           "{\\b Kov\\'e1cs} ment\\par}");
    text.docName = path(QStringLiteral("elozo.txt"));
    dialogs->openAnswers.push_back(path(QStringLiteral("story.txt")));

    frame.spbMegnyitClick(nullptr);
    ASSERT_EQ(dialogs->openCalls.size(), 1u);
    EXPECT_EQ(dialogs->openCalls[0].directory, dir.path());
    EXPECT_EQ(dialogs->openCalls[0].fileName, QStringLiteral("elozo.txt"));
    EXPECT_EQ(text.docName, path(QStringLiteral("story.txt")));
    EXPECT_TRUE(text.hasFile);
    EXPECT_EQ(text.loaded, 1);
    EXPECT_FALSE(text.editor.document()->isModified());
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("Kovács ment"));
    QTextCursor cursor(text.editor.document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);

    frame.spbMentClick(nullptr);
    EXPECT_EQ(fileBytes(text.docName), cp1250(QStringLiteral("Kovács ment\r\n")));
}

TEST_F(DocumentCommandsTest, CancelledOpenChangesNothing)
{
    text.docName = path(QStringLiteral("elozo.txt"));
    text.hasFile = true;
    text.setText(QStringLiteral("marad"), false);
    frame.spbMegnyitClick(nullptr);
    EXPECT_EQ(dialogs->openCalls.size(), 1u);
    EXPECT_EQ(text.docName, path(QStringLiteral("elozo.txt")));
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("marad"));
    EXPECT_EQ(text.loaded, 0);
}

// A file that cannot be read leaves the previous document as it was, so a
// later Save cannot overwrite the unreadable file with an empty one.
struct FailedReadCase {
    const char *name;
    const char *file;    // in the test folder; "" for the device itself
    qint64 readLimit;    // bytes the disk reads before it fails; -1 never
    const char *message; // how the report starts
};

void PrintTo(const FailedReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class FailedReadTest : public DocumentCommandsTest,
                       public ::testing::WithParamInterface<FailedReadCase> {};

TEST_P(FailedReadTest, KeepsThePreviousDocumentNameAndFlag)
{
    const FailedReadCase c = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("mappa")));
    writeFile(QStringLiteral("olvashatatlan.rtf"),
              "{\\rtf1 ez a sz\\'f6veg nem olvashat\\'f3\\par}");
    const FailingFiles failing(c.readLimit, -1);
    frame.setFileAccess(failing);
    text.docName = path(QStringLiteral("elozo.txt"));
    text.hasFile = false;
    text.setText(QStringLiteral("előző szöveg"), true);
    const QString chosen = *c.file ? path(QString::fromUtf8(c.file)) : QStringLiteral("/dev/zero");
    dialogs->openAnswers.push_back(chosen);
    ModalScript script({kNem, kOk}); // discard the changes, then the error's Ok

    frame.spbMegnyitClick(nullptr);
    ASSERT_EQ(script.messages.size(), 2);
    EXPECT_TRUE(script.messages[1].startsWith(QString::fromUtf8(c.message)))
        << script.messages[1].toStdString();
    // The dialog breaks a long path over lines; the name is there.
    EXPECT_TRUE(script.messages[1].endsWith(QFileInfo(chosen).fileName()))
        << script.messages[1].toStdString();
    EXPECT_EQ(text.docName, path(QStringLiteral("elozo.txt")));
    EXPECT_FALSE(text.hasFile);
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("előző szöveg"));
    EXPECT_EQ(text.loaded, 0);
    EXPECT_EQ(script.unexpected, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedReadTest,
    ::testing::Values(FailedReadCase{"missing", "nincs.txt", -1, "Nem sikerült megnyitni a fájlt:"},
                      FailedReadCase{"folder", "mappa", -1, "Ez nem fájl, hanem mappa"},
                      FailedReadCase{"device", "", -1, "Ez nem fájl, hanem eszköz"},
                      FailedReadCase{"disk fails part way", "olvashatatlan.rtf", 10,
                                     "Nem sikerült megnyitni a fájlt:"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

// Places that cannot be written to, each made by the fixture.
// FullDisk saves through the program's own safe write, which used to abort
// the program when it was given up.
enum class Unwritable { Directory, MissingFolder, FailingDisk, FullDisk };

const char *nameOf(Unwritable place)
{
    switch (place) {
    case Unwritable::Directory:
        return "Directory";
    case Unwritable::MissingFolder:
        return "MissingFolder";
    case Unwritable::FailingDisk:
        return "FailingDisk";
    case Unwritable::FullDisk:
        return "FullDisk";
    }
    return "?";
}

void PrintTo(Unwritable place, std::ostream *os)
{
    *os << nameOf(place);
}

class FailedWriteTest : public DocumentCommandsTest,
                        public ::testing::WithParamInterface<Unwritable> {
protected:
    // A file name in that place. An old file of that name is there whenever
    // the place can hold one, so that a failed save can be seen to keep it.
    QString unwritablePath()
    {
        QDir root(dir.path());
        switch (GetParam()) {
        case Unwritable::Directory:
            root.mkdir(QStringLiteral("mappa.rtf"));
            return path(QStringLiteral("mappa.rtf"));
        case Unwritable::MissingFolder:
            return path(QStringLiteral("nincs/szoveg.txt"));
        case Unwritable::FailingDisk:
            frame.setFileAccess(m_failing);
            writeFile(QStringLiteral("szoveg.txt"), "régi");
            return path(QStringLiteral("szoveg.txt"));
        case Unwritable::FullDisk:
            frame.setFileAccess(m_full);
            writeFile(QStringLiteral("szoveg.txt"), "régi");
            return path(QStringLiteral("szoveg.txt"));
        }
        return {};
    }

    void expectOldFileKept(const QString &target) const
    {
        if (GetParam() == Unwritable::FailingDisk) {
            EXPECT_EQ(fileBytes(target), QByteArray("régi"));
            EXPECT_EQ(m_failing.commits(), 0);
        }
        if (GetParam() == Unwritable::FullDisk) {
            EXPECT_EQ(fileBytes(target), QByteArray("régi"));
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QStringLiteral("szoveg.txt")});
        }
    }

    // The disk takes a few bytes, then fails.
    FailingFiles m_failing{-1, 3};
    FullDiskFiles m_full{3};
};

TEST_P(FailedWriteTest, SaveReportsAndKeepsFlagAndModifiedState)
{
    const QString target = unwritablePath();
    text.docName = target;
    text.hasFile = true;
    text.setText(QStringLiteral("szöveg"), true);
    ModalScript script({kOk});

    EXPECT_FALSE(frame.SaveToCurrentFile());
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].startsWith(QStringLiteral("Nem sikerült menteni a fájlt:")));
    EXPECT_EQ(text.docName, target);
    EXPECT_TRUE(text.hasFile);
    EXPECT_TRUE(text.editor.document()->isModified());
    expectOldFileKept(target);
    EXPECT_EQ(script.unexpected, 0);
}

TEST_P(FailedWriteTest, SaveAsKeepsTheOldNameAndCallsNoHost)
{
    const QString target = unwritablePath();
    text.docName = path(QStringLiteral("Dokumentum1"));
    text.setText(QStringLiteral("szöveg"), true);
    dialogs->saveAnswers.push_back(SaveChoice{target, GetParam() == Unwritable::Directory ? 1 : 2});
    // Save as asks before replacing the old file; Igen, then the error's Ok.
    const bool oldFile =
        GetParam() == Unwritable::FailingDisk || GetParam() == Unwritable::FullDisk;
    ModalScript script(oldFile ? QStringList{kIgen, kOk} : QStringList{kOk});

    frame.spbMentClick(nullptr);
    ASSERT_FALSE(script.messages.isEmpty());
    EXPECT_TRUE(script.messages.last().startsWith(QStringLiteral("Nem sikerült menteni a fájlt:")))
        << script.messages.last().toStdString();
    EXPECT_EQ(text.docName, path(QStringLiteral("Dokumentum1")));
    EXPECT_FALSE(text.hasFile);
    EXPECT_TRUE(text.editor.document()->isModified());
    EXPECT_EQ(text.savedAs, 0);
    expectOldFileKept(target);
    EXPECT_EQ(script.unexpected, 0);
}

INSTANTIATE_TEST_SUITE_P(Places, FailedWriteTest,
                         ::testing::Values(Unwritable::Directory, Unwritable::MissingFolder,
                                           Unwritable::FailingDisk, Unwritable::FullDisk),
                         [](const auto &info) { return std::string(nameOf(info.param)); });

// The save that the modified question asks for fails: New stops there.
TEST_F(DocumentCommandsTest, FailedSaveInTheModifiedQuestionStopsNew)
{
    text.docName = path(QStringLiteral("nincs/alma.txt"));
    text.hasFile = true;
    text.setText(QStringLiteral("változott"), true);
    ModalScript script({kIgen, kOk});

    frame.spbUjClick(nullptr);
    EXPECT_EQ(script.messages.size(), 2);
    EXPECT_EQ(text.docName, path(QStringLiteral("nincs/alma.txt")));
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("változott"));
    EXPECT_EQ(hosts.newDocCounter, 0);
    EXPECT_EQ(script.unexpected, 0);
}

// The main window binds New to a handler of its own that calls the frame's.
TEST_F(DocumentCommandsTest, HostMayRebindAButton)
{
    QToolButton *uj = frame.button("spbUj");
    ASSERT_NE(uj, nullptr);
    uj->click();
    EXPECT_EQ(hosts.newDocCounter, 1);

    QObject *seenSender = nullptr;
    QObject::disconnect(uj, &QToolButton::clicked, &frame, nullptr);
    QObject::connect(uj, &QToolButton::clicked, &frame, [&] {
        seenSender = uj;
        frame.spbUjClick(uj);
    });
    uj->click();
    EXPECT_EQ(hosts.newDocCounter, 2); // once: the frame's own connection is gone
    EXPECT_EQ(seenSender, uj);
    EXPECT_EQ(text.loaded, 2);
}

TEST_F(DocumentCommandsTest, CommandsWithoutABoundEditorDoNothing)
{
    hosts.binding = HostBinding{};
    frame.spbUjClick(nullptr);
    frame.spbMegnyitClick(nullptr);
    frame.spbMentClick(nullptr);
    EXPECT_FALSE(frame.SaveDocumentAs(nullptr));
    EXPECT_EQ(hosts.newDocCounter, 0);
    EXPECT_TRUE(dialogs->openCalls.empty());
    EXPECT_TRUE(dialogs->saveCalls.empty());
}

} // namespace
