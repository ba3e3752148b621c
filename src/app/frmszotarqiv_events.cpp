// Start-up, layout, position tracking, keys and the close sequence of the
// main window.
#include "app/frmszotarqiv.h"

#include "app/windowbounds.h"
#include "browser/dictionarypage.h"
#include "dialogs/questions.h"
#include "editor/fraREEszkTar.h"
#include "help/helppage.h"
#include "store/dm1.h"
#include "translator/textpane.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

const QString kMaintenanceWarning = QStringLiteral(
    "A karbantartás funkciók biztonsági okokból rejtve vannak. Láthatóvá tehetők a Ctrl+F10 "
    "billentyűkombináció lenyomásával. Ezeket a funkciókat csak saját felelősségedre használd! "
    "(Törölhető vele a teljes szótár ami csak újratelepítéssel állítható vissza.) Az egyes "
    "műveletek sokáig is tarthatnak!");

enum Page { kTranslator = 0, kDictionary = 1, kLanguage = 2, kMaintenance = 3, kHelp = 4 };

} // namespace

void TfrmSzotarQIV::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmSzotarQIV::FormShow()
{
    m_state.SkipSettingsSave = false;
    LayOutMainWindow();
    if (!m_layoutFailures.isEmpty()) {
        ShowInfo(m_layoutFailures.join(u'\n'));
        m_layoutFailures.clear();
    }
    if (m_dictionaryPage)
        m_dictionaryPage->FitSearchBoxWidth();
    m_suppressPageHandlers = true;
    pcFo->setCurrentWidget(tsBongesz);
    LoadSettings();
    m_startDictionaryFile = m_state.DictionaryFile;
    m_suppressPageHandlers = false;
    ListDictionaries();
    OpenDictionary(false);
    m_helpPage->ToggleHelpEditMode();
    const int before = pcFo->currentIndex();
    pcFo->setCurrentIndex(m_placement.StartPageIndex);
    if (pcFo->currentIndex() == before)
        enterPage(before);
    UpdateMainCaption();
}

void TfrmSzotarQIV::LayOutMainWindow()
{
    FitLanguagePage();
    lblKarbFigy->setText(kMaintenanceWarning);
    if (m_zomvi) {
        pnlKarb->show();
        pnlKarb2->show();
    }
    m_state.TextDocHasFile = false;
    m_state.HelpDocHasFile = false;
    m_suppressPageHandlers = true;
    pcFo->setCurrentWidget(tsBongesz);
    InitToolbarFrame(*fraREEszkTarSzov, 1);
    m_textPane->BindTextPane();
    pcFo->setCurrentWidget(tsSugo);
    InitToolbarFrame(*fraREEszkTarSugo, 2);
    m_suppressPageHandlers = false;
}

void TfrmSzotarQIV::FitLanguagePage()
{
    // The panel has its real size only once its page is laid out, so this
    // runs again whenever the panel is shown or resized.
    lbNyelvek->setFixedHeight(std::max(0, pnlNyelvValt->height() - lbNyelvek->y() - 16));
    mmSzotarReszl->resize(std::max(0, pnlNyelvValt->width() - mmSzotarReszl->x() - 16),
                          std::max(0, pnlNyelvValt->height() - mmSzotarReszl->y() - 16));
}

void TfrmSzotarQIV::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmSzotarQIV::FormResize()
{
    dictionaryColumnWidths(frameGeometry().width());
    reSzov->viewport()->update();
}

void TfrmSzotarQIV::tmrMeretezTimer()
{
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized) {
        // Nothing: the bounds of the normal window stay.
    } else if (states & Qt::WindowMaximized) {
        m_placement.WindowMaximized = true;
    } else {
        m_placement.NormalBounds = QRect(pos(), size());
        m_placement.WindowMaximized = false;
    }
    UpdateClipboardButtons(*fraREEszkTarSzov, *reSzov);
    UpdateClipboardButtons(*fraREEszkTarSugo, *reSugo);
}

void TfrmSzotarQIV::UpdateMainCaption()
{
    setWindowTitle(QStringLiteral("Velkor szótár és fordító: ") +
                   QFileInfo(m_state.TextDocName).fileName());
}

void TfrmSzotarQIV::TextDocLoaded()
{
    UpdateMainCaption();
    if (auto *undo = fraREEszkTarSzov->button("spbMegsem"))
        undo->setEnabled(false);
    if (auto *redo = fraREEszkTarSzov->button("spbMegis"))
        redo->setEnabled(false);
}

void TfrmSzotarQIV::TextDocSavedAs()
{
    UpdateMainCaption();
}

bool TfrmSzotarQIV::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The window's place and state, and the first panels of the two editor
    // frames coming back enabled, are what the tracking timer follows here.
    const bool tracked =
        (watched == this &&
         (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange)) ||
        (type == QEvent::EnabledChange && watched->objectName() == QLatin1String("pnlSzokas"));
    if (tracked && !tmrMeretez->isActive())
        tmrMeretez->start();
    if (watched == pnlNyelvValt &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        FitLanguagePage();
    const bool onList = watched == lbNyelvek || watched == lbNyelvek->viewport();
    if (onList &&
        (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease))
        DirectionChoice(false); // lbNyelvekKeyUp, lbNyelvekMouseUp
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        const QWidget *focus = QApplication::focusWidget();
        if (widget->window() == this && (widget == focus || (!focus && widget == this)))
            FormKeyUp(static_cast<QKeyEvent *>(event)->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmSzotarQIV::FormKeyUp(int key)
{
    if (key != Qt::Key_Escape)
        return;
    if (m_dictionaryPage)
        m_dictionaryPage->EmptySearchBox();
}

void TfrmSzotarQIV::pageChanged(int index)
{
    const int previous = m_currentPage;
    m_currentPage = index;
    if (m_suppressPageHandlers)
        return;
    if (previous == kLanguage && index != kLanguage)
        tsNyelvValtExit();
    enterPage(index);
}

void TfrmSzotarQIV::enterPage(int index)
{
    switch (index) {
    case kTranslator:
        tsBongeszEnter();
        break;
    case kDictionary:
        tsSzotarEnter();
        break;
    case kLanguage:
        tsNyelvValtEnter();
        break;
    case kHelp:
        m_helpPage->BindHelpPage();
        break;
    default:
        break;
    }
}

void TfrmSzotarQIV::tsBongeszEnter()
{
    OrderBySource();
    m_textPane->BindTextPane();
}

void TfrmSzotarQIV::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfrmSzotarQIV::FormCloseQuery()
{
    // Closing the table would store the row or, when that fails, drop it
    // without a word: store it now, and stay open when it cannot be stored.
    if (!postPendingRow())
        return false;
    if (reSzov->document()->isModified()) {
        const QChar answer = AskYesNoCancel(
            QStringLiteral("A szöveg tartalma megváltozott.\nMented a változásokat?"));
        if (answer == QLatin1Char('M'))
            return false;
        // Saved as the text frame's Save does: by the name's format, and
        // under another name when it is the protected stock help. A failed
        // write or a cancelled name keeps the window open, so the text is
        // not lost.
        if (answer == QLatin1Char('I')) {
            m_textPane->BindTextPane();
            if (!fraREEszkTarSzov->SaveToCurrentFile())
                return false;
        }
    }
    if (reSugo->document()->isModified()) {
        const QChar answer =
            AskYesNoCancel(QStringLiteral("A súgó szövege megváltozott.\nMented a változásokat?"));
        if (answer == QLatin1Char('M'))
            return false;
        // A cancelled name or a failed write keeps the window open: the
        // changed help would be lost otherwise.
        if (answer == QLatin1Char('I') && !m_helpPage->SaveHelpDocument())
            return false;
    }
    return true;
}

bool TfrmSzotarQIV::postPendingRow()
{
    if (!m_dictionaryPage)
        return true;
    if (const std::optional<QString> error = m_dictionaryPage->PostPendingRow()) {
        ShowInfo(*error);
        return false;
    }
    return true;
}

void TfrmSzotarQIV::FormClose()
{
    if (!m_state.SkipSettingsSave)
        SaveSettings();
    CloseDictionary();
}

void TfrmSzotarQIV::applyStoredBounds()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect bounds =
        ReachableBounds(m_placement.NormalBounds, screens, QRect(100, 100, 500, 300));
    m_placement.NormalBounds = bounds;
    setWindowState(windowState() & ~Qt::WindowMaximized);
    move(bounds.topLeft());
    resize(bounds.size());
    if (m_placement.WindowMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}
