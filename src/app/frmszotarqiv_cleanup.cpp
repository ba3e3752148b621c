// The maintenance buttons of the clean-ups, the German word lists and the
// undo of the last maintenance: thin callers of maintenance/cleanup and
// store/maintenancebackup.h, with the panel's two progress lines.
#include "app/frmszotarqiv.h"

#include "dialogs/questions.h"
#include "dialogs/widgetprompts.h"
#include "maintenance/cleanup/cleanups.h"
#include "maintenance/cleanup/germanimport.h"
#include "store/dm1.h"
#include "store/maintenancebackup.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

QPushButton *cleanupButton(QWidget *parent, const QString &caption, const char *name,
                           QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

QLabel *progressLine(QWidget *parent, const QString &caption, const char *name, QRect geometry)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

void TfrmSzotarQIV::buildCleanupButtons()
{
    Label2 = progressLine(pnlKarb, QStringLiteral("l"), "Label2", QRect(264, 24, 369, 16));
    Label3 = progressLine(pnlKarb, QStringLiteral("I"), "Label3", QRect(264, 48, 377, 16));
    const auto onClick = [this](QPushButton *button, void (TfrmSzotarQIV::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick(cleanupButton(pnlKarb, QStringLiteral("DOS ékezet konvertálás Windows-ra"),
                          "bbtnDOSEkezet", QRect(296, 288, 241, 25)),
            &TfrmSzotarQIV::bbtnDOSEkezetClick);
    onClick(cleanupButton(pnlKarb, QStringLiteral("Utolsó karbantartás visszavonása"),
                          "bbtnKarbVissza", QRect(8, 240, 241, 25)),
            &TfrmSzotarQIV::bbtnKarbVisszaClick);
    onClick(cleanupButton(pnlKarb2, QStringLiteral("\"to\" törlése"), "bbtnToTorl",
                          QRect(16, 16, 217, 25)),
            &TfrmSzotarQIV::bbtnToTorlClick);
    onClick(cleanupButton(pnlKarb2, QStringLiteral("Magányos betű törlése"), "bbtnBetuTorl",
                          QRect(16, 48, 217, 25)),
            &TfrmSzotarQIV::bbtnBetuTorlClick);
    onClick(cleanupButton(pnlKarb2, QStringLiteral("Német szavak feltöltése"), "bbtnNemetFelt",
                          QRect(16, 80, 217, 25)),
            &TfrmSzotarQIV::bbtnNemetFeltClick);
}

void TfrmSzotarQIV::ResetToNaturalDirection()
{
    // The operation is meant for the open dictionary: the tab's exit handler
    // opens the one selected in the list, so that one is selected first.
    const QString open = QFileInfo(m_state.DictionaryFile).completeBaseName();
    const auto found = lbNyelvek->findItems(open, Qt::MatchFixedString);
    if (!found.isEmpty())
        lbNyelvek->setCurrentItem(found.front());
    rbAM->setChecked(true);
    DirectionChoice(true);
    tsNyelvValtExit();
}

namespace {

// The panel's progress lines, repainted at once: the operations do not
// return to the event loop.
platform::ProgressLines panelLines(QLabel *text, QLabel *counter)
{
    return [text, counter](const QString &line, const QString &count) {
        if (!line.isNull()) {
            text->setText(line);
            text->repaint();
        }
        if (!count.isNull()) {
            counter->setText(count);
            counter->repaint();
        }
    };
}

void report(const platform::Result<cleanup::Outcome> &result)
{
    if (!result)
        ShowInfo(result.error());
}

} // namespace

void TfrmSzotarQIV::bbtnToTorlClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    report(cleanup::RemoveToPrefixes(
        DM1->tblSzotarP, DM1->tblSzotarP2,
        {prompts, {}, panelLines(Label2, Label3), [this] { ResetToNaturalDirection(); }}));
}

void TfrmSzotarQIV::bbtnBetuTorlClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    report(cleanup::RemoveLoneLetters(
        DM1->tblSzotarP,
        {prompts, {}, panelLines(Label2, Label3), [this] { ResetToNaturalDirection(); }}));
}

void TfrmSzotarQIV::bbtnDOSEkezetClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    report(
        cleanup::ConvertDosAccents(DM1->tblSzotarP, {prompts, {}, panelLines(Label2, Label3), {}}));
}

void TfrmSzotarQIV::bbtnNemetFeltClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    report(cleanup::ImportGermanWordLists(DM1->tblSzotarP, m_state.FromColumn, m_state.ToColumn,
                                          cleanup::GermanWordListFolder(), m_state.DictionaryFile,
                                          {prompts, {}, panelLines(Label2, Label3), {}}));
}

void TfrmSzotarQIV::bbtnKarbVisszaClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    const auto restored = store::RestoreLastMaintenance(
        DM1->tblSzotarP,
        [this] {
            CloseDictionary();
            DM1->tblSzotarP2.close();
        },
        prompts);
    if (!DM1->tblSzotarP.isOpen())
        OpenDictionary(false);
    if (!restored)
        ShowInfo(restored.error());
    else if (*restored == store::FileCommand::Done)
        ShowInfo(QStringLiteral("A szótár visszaállt az utolsó karbantartás előtti állapotába."));
}
