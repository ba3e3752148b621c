#pragma once

#include "app/frmszotarqiv.h"
#include "dialogs/frmvalasz.h"
#include "store/dm1.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

class QTabWidget;
class QTextEdit;

// Creates a dictionary table file in directory with the two language
// columns and their indexes, holding the given pairs. The one place the
// main-window tests make dictionaries.
void CreateTestDictionary(const QString &directory, const QString &file, const QString &first,
                          const QString &second,
                          const std::vector<std::pair<QString, QString>> &rows);

// A program directory of its own with the shipped documents and a small
// English-Hungarian dictionary ("house" = "ház"), a home directory without
// the default dictionary folder, and the windows created as the entry
// creates them. HOME is restored afterwards.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows as the entry does and shows the main window.
    void start(const QStringList &arguments = {});
    // Closes the main window (when it is still open) and destroys everything.
    void stop();

    QString iniPath() const;
    void writeIni(const QByteArray &bytes) const;

    // The window's component of that object name; fails the test when none.
    template <typename T> T *child(const QString &name) const
    {
        T *found = window ? window->findChild<T *>(name) : nullptr;
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QTabWidget *tabs() const;
    QTextEdit *textPane() const;
    QTextEdit *helpPane() const;

    // Named without the application name: a test may have set a name with
    // accented letters, and writeIni writes the paths as UTF-8 bytes.
    QTemporaryDir home{QDir::tempPath() + QStringLiteral("/velkor-home-XXXXXX")};
    QTemporaryDir program{QDir::tempPath() + QStringLiteral("/velkor-program-XXXXXX")};
    QString programDirectory; // where start() puts the executable: program's path
    std::unique_ptr<TfrmSzotarQIV> window;
    std::unique_ptr<TfrmValasz> dialog;
    std::unique_ptr<TDM1> dm;

private:
    QByteArray m_savedHome;
    bool m_hadHome = false;
};
