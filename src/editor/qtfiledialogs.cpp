#include "editor/qtfiledialogs.h"

#include "dialogs/safefiledialog.h"
#include "editor/dialogfilters.h"
#include "editor/documentnames.h"

#include <QFileDialog>
#include <QLineEdit>

namespace {

QFileDialog *makeDialog(QWidget &owner, const QString &objectName, QStringView filters,
                        int filterAtStart)
{
    auto *dialog = new SafeFileDialog(&owner); // owned by owner
    dialog->setObjectName(objectName);
    dialog->setSizeGripEnabled(true);
    const QStringList nameFilters = QtNameFilters(filters);
    dialog->setNameFilters(nameFilters);
    dialog->selectNameFilter(nameFilters.value(filterAtStart - 1));
    return dialog;
}

// The position (from 1) of the dialog's selected file type.
int selectedFilterIndex(const QFileDialog &dialog)
{
    return int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
}

void prepare(QFileDialog &dialog, const QString &directory, const QString &fileName)
{
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    dialog.selectFile(fileName);
}

// The name box of Qt's own dialog, named so by Qt's form of the dialog;
// QFileDialog offers no other way to the name being typed.
QLineEdit *fileNameBox(QFileDialog &dialog)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget &owner) : m_owner(owner) {}

QFileDialog &QtFileDialogs::odREET()
{
    if (!m_odREET) {
        m_odREET = makeDialog(m_owner, QStringLiteral("odREET"), kOpenFilters, kOpenFilterAtStart);
        m_odREET->setWindowTitle(QStringLiteral("Megnyitás"));
        m_odREET->setAcceptMode(QFileDialog::AcceptOpen);
        m_odREET->setFileMode(QFileDialog::ExistingFile);
    }
    return *m_odREET;
}

QFileDialog &QtFileDialogs::sdREET()
{
    if (!m_sdREET) {
        m_sdREET = makeDialog(m_owner, QStringLiteral("sdREET"), kSaveFilters, kSaveFilterAtStart);
        m_sdREET->setWindowTitle(QStringLiteral("Mentés másként"));
        m_sdREET->setAcceptMode(QFileDialog::AcceptSave);
        m_sdREET->setFileMode(QFileDialog::AnyFile);
        // The frame asks about overwriting itself, for the name it will write.
        m_sdREET->setOption(QFileDialog::DontConfirmOverwrite);
        QFileDialog *save = m_sdREET;
        QObject::connect(save, &QFileDialog::filterSelected, save, [save](const QString &filter) {
            sdREETTypeChange(*save, int(save->nameFilters().indexOf(filter)) + 1);
        });
    }
    return *m_sdREET;
}

std::optional<QString> QtFileDialogs::chooseOpen(const QString &directory, const QString &fileName)
{
    QFileDialog &dialog = odREET();
    prepare(dialog, directory, fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<SaveChoice> QtFileDialogs::chooseSave(const QString &directory,
                                                    const QString &fileName)
{
    QFileDialog &dialog = sdREET();
    prepare(dialog, directory, fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveChoice{dialog.selectedFiles().constFirst(), selectedFilterIndex(dialog)};
}

void sdREETTypeChange(QFileDialog &dialog, int filterIndex)
{
    QLineEdit *box = fileNameBox(dialog);
    if (!box)
        return;
    const QString renamed = NameForFileType(box->text(), filterIndex);
    if (renamed != box->text())
        box->setText(renamed);
}
