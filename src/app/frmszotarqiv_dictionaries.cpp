// Listing, opening and switching dictionaries, and the language tab.
#include "app/frmszotarqiv.h"

#include "dialogs/questions.h"
#include "dialogs/safefiledialog.h"
#include "dialogs/widgetprompts.h"
#include "platform/ini/inifile.h"
#include "platform/text/textfunctions.h"
#include "store/dictionaries.h"
#include "store/dictionaryname.h"
#include "store/dm1.h"
#include "store/opendictionary.h"

#include <QFileInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString kDirectionSection = QStringLiteral("SzotarFordIrany");

} // namespace

QString TfrmSzotarQIV::chooseDictionaryFile(const QString &directory, const QString &fileName)
{
    if (m_dictionaryFileChooser)
        return m_dictionaryFileChooser(directory, fileName);
    SafeFileDialog od2(this);
    od2.setObjectName(QStringLiteral("od2"));
    od2.setWindowTitle(QStringLiteral("Szótár megnyitása"));
    const QStringList filters{QStringLiteral("Szövegfájlok (*.txt)"),
                              QStringLiteral("dBase fájlok (*.db *.DB)"),
                              QStringLiteral("Minden fájl (*)")};
    od2.setNameFilters(filters);
    od2.selectNameFilter(filters[1]);
    od2.setDirectory(directory);
    od2.selectFile(fileName);
    od2.setFileMode(QFileDialog::ExistingFile);
    if (od2.exec() != QDialog::Accepted || od2.selectedFiles().isEmpty())
        return QString();
    return od2.selectedFiles().front();
}

void TfrmSzotarQIV::ListDictionaries()
{
    lbNyelvek->clear();
    lbNyelvek->addItems(store::ListDictionaries(m_state.DatabasePath));
    const bool any = lbNyelvek->count() > 0;
    rbAM->setVisible(any);
    rbMA->setVisible(any);
    if (any) {
        lbNyelvek->setCurrentRow(0);
        DirectionChoice(false);
    }
}

void TfrmSzotarQIV::DirectionChoice(bool store)
{
    QListWidgetItem *item = lbNyelvek->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const auto [first, second] = SplitDictionaryName(name);
    const IniFile ini(m_state.IniFileName);
    if (store) {
        // A direction that cannot be stored is only forgotten at the next start.
        (void)ini.writeString(kDirectionSection, name, rbAM->isChecked() ? first : second);
        return;
    }
    const QString source = ini.readString(kDirectionSection, name, first);
    rbAM->setText(first + QStringLiteral(" --> ") + second);
    rbMA->setText(second + QStringLiteral(" --> ") + first);
    if (source != first)
        rbMA->setChecked(true);
    else
        rbAM->setChecked(true);
}

void TfrmSzotarQIV::CloseDictionary()
{
    if (DM1)
        DM1->tblSzotarP.close();
    pcFo->setTabText(0, QStringLiteral("Fordító"));
}

void TfrmSzotarQIV::OpenDictionary(bool ask)
{
    if (!DM1)
        return;
    QString file = m_state.DictionaryFile;
    const QFileInfo start(m_state.DictionaryFile);
    QString dialogDirectory = start.path();
    QString dialogFile = start.fileName();
    QString askedName = dialogFile; // the name the messages speak of
    int failures = 0;
    for (;;) {
        if (ask) {
            const QString chosen = chooseDictionaryFile(dialogDirectory, dialogFile);
            if (chosen.isEmpty()) {
                if (!DM1->tblSzotarP.isOpen())
                    CloseDictionary();
                return;
            }
            file = chosen;
            askedName = chosen;
        }
        bool opened = false;
        try {
            opened = tryOpenDictionary(file);
        } catch (const std::exception &) {
            // Counts as a failure like any other.
        }
        if (opened)
            return;
        ++failures;
        if (failures == 1 && lbNyelvek->count() > 0) {
            file = m_state.DatabasePath + lbNyelvek->item(0)->text() + QStringLiteral(".DB");
            ShowInfo(WithArticle(askedName) + QStringLiteral(" szótárt nem sikerült megnyitni,") +
                     QStringLiteral(" másik szótárra váltok"));
            askedName = QFileInfo(file).fileName();
        } else {
            ShowInfo(WithArticle(file) + QStringLiteral("\n") + QStringLiteral("nem nyitható meg") +
                     QStringLiteral("\n") + QStringLiteral("Adj meg egy másik adatbázis-fájlt"));
            ask = true;
        }
    }
}

bool TfrmSzotarQIV::tryOpenDictionary(QString &file)
{
    TDM1 &dm = *DM1;
    const QString path = file;
    WidgetPrompts prompts;
    const platform::Status opened = store::OpenDictionary(
        dm, m_state, path,
        [&](const QString &fileName) {
            ListDictionaries();
            // From here on the messages speak of the file name alone.
            file = fileName;
            for (int row = 0; row < lbNyelvek->count(); ++row) {
                if (LowerHungarian(lbNyelvek->item(row)->text() + QStringLiteral(".DB")) ==
                    LowerHungarian(fileName)) {
                    lbNyelvek->setCurrentRow(row);
                    DirectionChoice(false);
                    break;
                }
            }
            return rbMA->isChecked();
        },
        prompts);
    if (!opened) {
        if (!dm.tblSzotarP.isOpen())
            pcFo->setTabText(0, QStringLiteral("Fordító"));
        return false;
    }
    setOrderCaptions();
    OrderBySource();
    dm.tblSzotarP.first();
    pcFo->setTabText(0, QStringLiteral("Fordítás: ") + m_state.FromColumn +
                            QStringLiteral(" --> ") + m_state.ToColumn);
    checkStorablePath(m_state.DictionaryFile);
    return true;
}

void TfrmSzotarQIV::tsNyelvValtEnter()
{
    lbNyelvek->setFocus();
    DirectionChoice(true);
}

void TfrmSzotarQIV::tsNyelvValtExit()
{
    if (lbNyelvek->count() == 0 || !lbNyelvek->currentItem())
        return;
    m_state.DictionaryFile =
        m_state.DatabasePath + lbNyelvek->currentItem()->text() + QStringLiteral(".DB");
    OpenDictionary(false);
    OrderBySource();
}
