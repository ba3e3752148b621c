// The maintenance buttons that create, empty and delete dictionary files and
// change the database folder: thin callers of store/dictionaryfiles.h.
#include "app/frmszotarqiv.h"

#include "dialogs/frmkonyvtbeker.h"
#include "dialogs/frmsorbeker.h"
#include "dialogs/questions.h"
#include "dialogs/widgetprompts.h"
#include "store/dictionaries.h"
#include "store/dictionaryfiles.h"
#include "store/dm1.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

QPushButton *fileButton(QWidget *parent, const QString &caption, const char *name, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace

void TfrmSzotarQIV::buildFileButtons()
{
    const auto onClick = [this](QPushButton *button, void (TfrmSzotarQIV::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick(fileButton(pnlKarb, QStringLiteral("Új (üres) adatbázis létrehozása"), "bbtnUjTabla",
                       QRect(8, 16, 241, 25)),
            &TfrmSzotarQIV::bbtnUjTablaClick);
    onClick(fileButton(pnlKarb, QStringLiteral("Másik adatbázis-könyvtárra váltás"),
                       "bbtnMasDBKonyvtar", QRect(8, 208, 241, 25)),
            &TfrmSzotarQIV::bbtnMasDBKonyvtarClick);
    onClick(fileButton(pnlKarb, QStringLiteral("A szótár minden szavának törlése"), "bbtnSzotUrit",
                       QRect(8, 288, 241, 25)),
            &TfrmSzotarQIV::bbtnSzotUritClick);
    onClick(fileButton(pnlKarb, QStringLiteral("A szótár-állomány törlése a lemezről"),
                       "bbtnSzotarTorl", QRect(8, 320, 241, 25)),
            &TfrmSzotarQIV::bbtnSzotarTorlClick);
    onClick(fileButton(pnlKarb2, QStringLiteral("MSSQL-be másolás"), "bbtnMasol",
                       QRect(16, 144, 217, 25)),
            &TfrmSzotarQIV::bbtnMasolClick);
}

void TfrmSzotarQIV::bbtnUjTablaClick()
{
    CreateDictionaryTable();
}

void TfrmSzotarQIV::CreateDictionaryTable()
{
    QString first;
    if (!AskLine(QStringLiteral("Add meg az első nyelvet ékezetek nélkül (Például: Nemet)"),
                 QString(), first, false, false))
        return;
    QString second;
    if (!AskLine(QStringLiteral("Add meg a második nyelvet ékezetek nélkül (Például: Portugal)"),
                 QString(), second, false, false))
        return;
    const auto created = store::CreateDictionaryTable(m_state.DatabaseDir, first, second);
    if (!created) {
        ShowInfo(created.error());
        return;
    }
    const QString file = m_state.DatabasePath + QFileInfo(*created).fileName();
    m_state.DictionaryFile = file;
    OpenDictionary(false);
    ShowInfo(QStringLiteral("Az új tábla elkészült:\n") + file);
}

// The destructive buttons act on the open dictionary only: a closed table
// may still be bound to a file the user no longer sees (after a deletion or
// a folder change).
bool TfrmSzotarQIV::requireOpenDictionary()
{
    if (DM1 && DM1->tblSzotarP.isOpen())
        return true;
    ShowInfo(QStringLiteral("Nincs megnyitott szótár"));
    return false;
}

void TfrmSzotarQIV::bbtnSzotUritClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    const auto emptied = store::EmptyDictionary(DM1->tblSzotarP, m_state.DictionaryFile, prompts);
    if (!emptied)
        ShowInfo(emptied.error());
}

void TfrmSzotarQIV::bbtnSzotarTorlClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    const auto deleted = store::DeleteDictionary(
        DM1->tblSzotarP, m_state.DictionaryFile, [this] { CloseDictionary(); }, prompts);
    if (deleted && *deleted == store::FileCommand::Cancelled)
        return;
    if (!deleted) {
        ShowInfo(deleted.error());
        // Refused before anything went: the dictionary stays in use.
        if (QFileInfo::exists(m_state.DictionaryFile)) {
            OpenDictionary(false);
            return;
        }
    }
    ListDictionaries();
    pcFo->setCurrentWidget(tsNyelvValt);
    if (lbNyelvek->count() > 0)
        m_state.DictionaryFile =
            m_state.DatabasePath + lbNyelvek->item(0)->text() + QStringLiteral(".DB");
    else
        ShowInfo(QStringLiteral("Nincs megnyitható szótár"));
}

void TfrmSzotarQIV::bbtnMasDBKonyvtarClick()
{
    QString folder;
    if (!AskFolder(QString(), m_state.DatabaseDir, folder))
        return;
    CloseDictionary();
    store::ChangeDatabaseFolder(m_state, folder);
    ListDictionaries();
    pcFo->setCurrentWidget(tsNyelvValt);
}

void TfrmSzotarQIV::bbtnMasolClick()
{
    ShowInfo(QStringLiteral("Szerver-adatbázisba (MSSQL) másolni még nem lehet."));
}
