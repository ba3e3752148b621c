// The bindings of the editor frames to the text pane and the help page, and
// the help page's edit mode and saving.
#include "app/frmszotarqiv.h"

#include "dialogs/questions.h"
#include "editor/filedialogs.h"
#include "editor/fraREEszkTar.h"
#include "platform/rtf/documentio.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

// Sets every child of container, walking into plain panels and toolbars
// first; the container itself keeps its state.
void setChildrenEnabled(QWidget *container, bool enabled)
{
    for (QObject *child : container->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget)
            continue;
        const char *className = widget->metaObject()->className();
        if (qstrcmp(className, "QWidget") == 0 || qstrcmp(className, "QToolBar") == 0)
            setChildrenEnabled(widget, enabled);
        widget->setEnabled(enabled);
    }
}

} // namespace

void TfrmSzotarQIV::BindTextPane()
{
    HostBinding &binding = m_hosts.binding;
    binding.ActiveDocName = &m_state.TextDocName;
    binding.ActiveDocHasFile = &m_state.TextDocHasFile;
    binding.ActiveHostIndex = 1;
    binding.ActiveEditor = reSzov;
    binding.OnDocumentLoaded = [this](QObject *) { TextDocLoaded(); };
    binding.OnDocumentSavedAs = [this](QObject *) { TextDocSavedAs(); };
}

void TfrmSzotarQIV::BindHelpPage()
{
    HostBinding &binding = m_hosts.binding;
    binding.ActiveDocName = &m_state.HelpDocName;
    binding.ActiveDocHasFile = &m_state.HelpDocHasFile;
    binding.ActiveHostIndex = 2;
    binding.ActiveEditor = reSugo;
    binding.OnDocumentLoaded = [this](QObject *) { HelpDocumentLoaded(); };
    binding.OnDocumentSavedAs = [this](QObject *) { MarkHelpModified(); };
}

void TfrmSzotarQIV::ToggleHelpEditMode()
{
    if (!reSugo->isReadOnly()) {
        reSugo->setReadOnly(true);
        setChildrenEnabled(fraREEszkTarSugo->pnlToolBar(), false);
        spbSugoSzerk->setText(QStringLiteral("Szerkesztés"));
        return;
    }
    reSugo->setReadOnly(false);
    setChildrenEnabled(fraREEszkTarSugo->pnlToolBar(), true);
    spbSugoSzerk->setText(QStringLiteral("Csak olvasás"));
    if (auto *undo = fraREEszkTarSugo->button("spbMegsem"))
        undo->setEnabled(reSugo->document()->isUndoAvailable());
    if (auto *redo = fraREEszkTarSugo->button("spbMegis"))
        redo->setEnabled(false);
}

void TfrmSzotarQIV::HelpDocumentLoaded()
{
    if (QFileInfo(m_state.HelpDocName).fileName() != StockHelpName())
        MarkHelpModified();
    else
        pcFo->setTabText(4, QStringLiteral("Súgó (Eredeti)"));
    if (auto *undo = fraREEszkTarSugo->button("spbMegsem"))
        undo->setEnabled(false);
    if (auto *redo = fraREEszkTarSugo->button("spbMegis"))
        redo->setEnabled(false);
}

void TfrmSzotarQIV::MarkHelpModified()
{
    pcFo->setTabText(4, QStringLiteral("Súgó (Módosított)"));
}

void TfrmSzotarQIV::SaveHelpDocument()
{
    const QString stock = m_state.ProgramDir + StockHelpName();
    if (m_state.HelpDocName == stock) {
        for (;;) {
            // The text pane's save dialog serves the help too.
            const auto choice = fraREEszkTarSzov->fileDialogs().chooseSave(
                QFileInfo(m_state.ProgramDir).absolutePath(),
                QStringLiteral("Súgó (módosított).rtf"));
            if (!choice)
                return;
            const QString chosen = choice->fileName;
            if (chosen != stock) {
                m_state.HelpDocName = chosen;
                break;
            }
            ShowInfo(QStringLiteral(
                "A módosított súgófájl nem menthető ezen a néven.\nAdj meg más nevet"));
        }
    }
    const auto written = documentio::saveRtf(m_state.HelpDocName, *reSugo->document());
    if (!written)
        ShowInfo(written.error);
}
