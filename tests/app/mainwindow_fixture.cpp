#include "mainwindow_fixture.h"

#include "support/dictionary_files.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTextEdit>

using namespace Qt::StringLiterals;

void CreateTestDictionary(const QString &directory, const QString &file, const QString &first,
                          const QString &second,
                          const std::vector<std::pair<QString, QString>> &rows)
{
    velkor_test::makeDictionary(QDir(directory).filePath(file), first, second, rows);
}

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(home.isValid() && program.isValid());
    m_hadHome = qEnvironmentVariableIsSet("HOME");
    m_savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    programDirectory = program.path();
    const QDir docs(QStringLiteral(VELKOR_DOCUMENTS_DIR));
    for (const QString &name : docs.entryList({u"*.rtf"_s}, QDir::Files))
        QFile::copy(docs.filePath(name), program.filePath(name));
    CreateTestDictionary(program.path(), u"Angol_Magyar.DB"_s, u"Angol"_s, u"Magyar"_s,
                         {{u"house"_s, u"ház"_s}});
}

void MainWindowTest::TearDown()
{
    stop();
    if (m_hadHome)
        qputenv("HOME", m_savedHome);
    else
        qunsetenv("HOME");
}

void MainWindowTest::start(const QStringList &arguments)
{
    window = std::make_unique<TfrmSzotarQIV>(arguments,
                                             QDir(programDirectory).filePath(u"velkor-szotar"_s));
    dialog = std::make_unique<TfrmValasz>(window.get());
    dm = std::make_unique<TDM1>();
    window->setDataModule(dm.get());
    window->setDictionaryFileChooser([](const QString &, const QString &) { return QString(); });
    window->show();
}

void MainWindowTest::stop()
{
    if (window && window->isVisible())
        window->close();
    // The pages work on the data module until they are gone.
    dialog.reset();
    window.reset();
    dm.reset();
}

QString MainWindowTest::iniPath() const
{
    return program.filePath(u"velkor-szotar.ini"_s);
}

void MainWindowTest::writeIni(const QByteArray &bytes) const
{
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QTabWidget *MainWindowTest::tabs() const
{
    return child<QTabWidget>(u"pcFo"_s);
}

QTextEdit *MainWindowTest::textPane() const
{
    return child<QTextEdit>(u"reSzov"_s);
}

QTextEdit *MainWindowTest::helpPane() const
{
    return child<QTextEdit>(u"reSugo"_s);
}
