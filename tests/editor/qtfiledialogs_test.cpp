// The real open and save dialogs, answered while they are open.

#include "editor/qtfiledialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs action on the file dialog once it is the active modal window.
void whenShown(std::function<void(QFileDialog &)> action, int attempt = 0)
{
    QTimer::singleShot(10, qApp, [action, attempt] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            action(*dialog);
        else if (attempt < 300)
            whenShown(action, attempt + 1);
    });
}

QLineEdit &nameBox(QFileDialog &dialog)
{
    return *dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

// QFileDialog::accept is protected; QDialog's is the public way in.
void accept(QDialog &dialog)
{
    dialog.accept();
}

QComboBox &typeBox(QFileDialog &dialog)
{
    return *dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
}

class QtFileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    QWidget owner;
    QtFileDialogs dialogs{owner};
};

TEST_F(QtFileDialogsTest, SaveDialogRenamesOnTypeChangeAndKeepsTheType)
{
    EXPECT_EQ(dialogs.sdREET().nameFilters(),
              QStringList({QStringLiteral("Rich Text formátum (*.rtf)"),
                           QStringLiteral("Csak szöveg (*.txt)")}));
    QString shownName;
    QString renamed;
    whenShown([&](QFileDialog &dialog) {
        shownName = nameBox(dialog).text();
        QTest::keyClick(&typeBox(dialog), Qt::Key_Down); // Csak szöveg
        renamed = nameBox(dialog).text();
        accept(dialog);
    });
    const std::optional<SaveChoice> first =
        dialogs.chooseSave(dir.path(), QStringLiteral("Dokumentum1"));
    EXPECT_EQ(shownName, QStringLiteral("Dokumentum1"));
    EXPECT_EQ(renamed, QStringLiteral("Dokumentum1.txt"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->fileName, dir.filePath(QStringLiteral("Dokumentum1.txt")));
    EXPECT_EQ(first->filterIndex, 2);

    // The type chosen last stays for the run; going back renames to ".rtf".
    int typeAtShow = 0;
    whenShown([&](QFileDialog &dialog) {
        typeAtShow = typeBox(dialog).currentIndex() + 1;
        QTest::keyClick(&typeBox(dialog), Qt::Key_Up);
        renamed = nameBox(dialog).text();
        accept(dialog);
    });
    const std::optional<SaveChoice> second =
        dialogs.chooseSave(dir.path(), QStringLiteral("notes.txt"));
    EXPECT_EQ(typeAtShow, 2);
    EXPECT_EQ(renamed, QStringLiteral("notes.rtf"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->filterIndex, 1);
}

TEST_F(QtFileDialogsTest, SaveDialogAsksNothingAboutExistingFiles)
{
    QFile existing(dir.filePath(QStringLiteral("van.rtf")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    whenShown([](QFileDialog &dialog) { accept(dialog); });
    const std::optional<SaveChoice> choice =
        dialogs.chooseSave(dir.path(), QStringLiteral("van.rtf"));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->fileName, dir.filePath(QStringLiteral("van.rtf")));
}

TEST_F(QtFileDialogsTest, OpenDialogStartsWithTextAndRtfFilesAndCanBeCancelled)
{
    QFile file(dir.filePath(QStringLiteral("mese.rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(dialogs.odREET().selectedNameFilter(), QStringLiteral("Szöveg fájl (*.txt *.rtf)"));
    EXPECT_EQ(dialogs.odREET().nameFilters().size(), 4);

    whenShown([](QFileDialog &dialog) { accept(dialog); });
    EXPECT_EQ(dialogs.chooseOpen(dir.path(), QStringLiteral("mese.rtf")),
              dir.filePath(QStringLiteral("mese.rtf")));

    whenShown([](QFileDialog &dialog) { dialog.QDialog::reject(); });
    EXPECT_EQ(dialogs.chooseOpen(dir.path(), QStringLiteral("mese.rtf")), std::nullopt);
}

} // namespace
