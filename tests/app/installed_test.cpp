// The installed program: shipped files in prefix/share/velkor-szotar beside
// prefix/bin, settings and the user's copies in the XDG folders of a
// temporary home.
#include "mainwindow_fixture.h"

#include "help/helppage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextEdit>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Sets an environment variable (or unsets it for nullopt) until destroyed.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const std::optional<QString> &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, value->toUtf8());
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

struct InstalledCase {
    const char *name;
    bool xdgSet;          // XDG_CONFIG_HOME and XDG_DATA_HOME point into the home
    const char *settings; // expected settings file, relative to the home
    const char *userDir;  // expected per-user folder, relative to the home
};

void PrintTo(const InstalledCase &c, std::ostream *os)
{
    *os << c.name;
}

class InstalledTest : public MainWindowTest, public ::testing::WithParamInterface<InstalledCase> {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The fixture's program folder becomes the shipped folder of a prefix.
        QDir prefix(program.path());
        ASSERT_TRUE(prefix.mkpath(u"bin"_s) && prefix.mkpath(u"share/velkor-szotar"_s));
        for (const QString &name : prefix.entryList(QDir::Files))
            ASSERT_TRUE(prefix.rename(name, u"share/velkor-szotar/"_s + name));
        shipped = prefix.filePath(u"share/velkor-szotar"_s);
        programDirectory = prefix.filePath(u"bin"_s);
        const bool xdg = GetParam().xdgSet;
        m_config.emplace("XDG_CONFIG_HOME",
                         xdg ? std::optional(home.filePath(u"cfg"_s)) : std::nullopt);
        m_data.emplace("XDG_DATA_HOME",
                       xdg ? std::optional(home.filePath(u"data"_s)) : std::nullopt);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        m_config.reset();
        m_data.reset();
    }

    QString inHome(const char *relative) const
    {
        return QDir::cleanPath(home.filePath(QString::fromUtf8(relative)));
    }
    QStringList shippedFiles() const { return QDir(shipped).entryList(QDir::Files); }

    QString shipped;

private:
    std::optional<ScopedEnv> m_config;
    std::optional<ScopedEnv> m_data;
};

TEST_P(InstalledTest, WorksOnCopiesInTheUsersFolders)
{
    const QStringList before = shippedFiles();
    start();
    const AppState &state = window->state();
    const QString user = inHome(GetParam().userDir) + u'/';
    EXPECT_EQ(state.ProgramDir, shipped + u'/');
    EXPECT_EQ(state.userDir(), user);
    EXPECT_EQ(state.IniFileName, inHome(GetParam().settings));

    // Every shipped file has its copy, and the program works on the copies.
    for (const QString &name : before)
        EXPECT_TRUE(QFileInfo::exists(user + name)) << name.toStdString();
    EXPECT_EQ(state.TextDocName, user + TfrmSzotarQIV::SampleDocumentName());
    EXPECT_EQ(state.HelpDocName, user + TfrmSzotarQIV::StockHelpName());
    EXPECT_EQ(QDir::cleanPath(state.DictionaryFile), user + u"Angol_Magyar.DB"_s);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_TRUE(textPane()->toPlainText().contains(u"lighthouse"_s));

    stop();
    EXPECT_TRUE(QFileInfo::exists(inHome(GetParam().settings)));
    EXPECT_EQ(shippedFiles(), before); // nothing written beside the shipped files
}

TEST_P(InstalledTest, TheUsersChangedDocumentSurvivesTheNextStart)
{
    start();
    const QString sample = window->state().TextDocName;
    stop();
    QFile file(sample);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\\rtf1 my own lighthouse story}");
    file.close();
    start();
    EXPECT_EQ(textPane()->toPlainText(), u"my own lighthouse story"_s);
}

TEST_P(InstalledTest, TheUsersCopyOfTheStockHelpStaysProtected)
{
    start();
    auto *page = window->findChild<HelpPage *>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isStockPath(window->state().userDir() + TfrmSzotarQIV::StockHelpName()));
    EXPECT_TRUE(page->isStockPath(shipped + u'/' + TfrmSzotarQIV::StockHelpName()));
    EXPECT_FALSE(page->isStockPath(window->state().userDir() + HelpPage::ModifiedHelpName()));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InstalledTest,
    ::testing::Values(InstalledCase{"XdgFolders", true, "cfg/velkor-szotar/velkor-szotar.ini",
                                    "data/velkor-szotar"},
                      InstalledCase{"XdgDefaults", false, ".config/velkor-szotar/velkor-szotar.ini",
                                    ".local/share/velkor-szotar"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
