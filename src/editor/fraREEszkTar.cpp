#include "editor/fraREEszkTar.h"

#include "dialogs/questions.h"
#include "editor/clipboardwatch.h"
#include "editor/documentnames.h"
#include "editor/frmSzoKeres.h"
#include "editor/hostbinding.h"
#include "editor/qtfiledialogs.h"
#include "editor/toolbarrows.h"
#include "platform/fonts/fontsubstitutes.h"
#include "platform/gui/busy_cursor.h"
#include "platform/rtf/documentio.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Stored colour 26058: the frame's own colour until the host gives another.
const QColor kFrameColour(0xCA, 0x65, 0x00);
constexpr int kToolbarOffset = 3;
constexpr int kBorderAtCreation = 2;
constexpr int kHelpFormazTop = 32;

bool isModified(const HostBinding &b)
{
    return b.ActiveEditor->document()->isModified();
}

void markSaved(const HostBinding &b)
{
    *b.ActiveDocHasFile = true;
    b.ActiveEditor->document()->setModified(false);
}

// A file is there to be overwritten; a folder of that name is not one.
bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QFrame *makePanel(QWidget &parent, const QString &name, QPoint position)
{
    auto *panel = new QFrame(&parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(kBorderAtCreation);
    panel->move(position);
    return panel;
}

QToolBar *makeToolBar(QFrame &panel, const QString &name)
{
    auto *bar = new QToolBar(&panel);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->layout()->setSpacing(0);
    bar->layout()->setContentsMargins(kBorderAtCreation, kBorderAtCreation, kBorderAtCreation,
                                      kBorderAtCreation);
    bar->move(kToolbarOffset, kToolbarOffset);
    return bar;
}

} // namespace

TfraREEszkTar::TfraREEszkTar(QWidget *parent)
    : QWidget(parent), m_files(&platform::FileAccess::system())
{
    setObjectName(QStringLiteral("fraREEszkTar"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kFrameColour);
    setPalette(colours);

    m_pnlToolBar = new QWidget(this);
    m_pnlToolBar->setObjectName(QStringLiteral("pnlToolBar"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_pnlToolBar);

    m_pnlSzokas = makePanel(*m_pnlToolBar, QStringLiteral("pnlSzokas"), QPoint(0, 0));
    m_pnlFormaz = makePanel(*m_pnlToolBar, QStringLiteral("pnlFormaz"), QPoint(0, 40));
    m_tobSzokas = makeToolBar(*m_pnlSzokas, QStringLiteral("tobSzokas"));
    m_tobFormaz = makeToolBar(*m_pnlFormaz, QStringLiteral("tobFormaz"));
    FillSzokasRow(*m_tobSzokas);
    FillFormazRow(*m_tobFormaz);
    m_cobBetuTipNev = m_tobFormaz->findChild<QComboBox *>(QStringLiteral("cobBetuTipNev"));
    m_cobBetuMeret = m_tobFormaz->findChild<QComboBox *>(QStringLiteral("cobBetuMeret"));
    // Hosts add controls to the first row; the panels follow their toolbars.
    m_tobSzokas->installEventFilter(this);
    m_tobFormaz->installEventFilter(this);
    // A panel moved (dragged or restored) refits the bar around the panels.
    m_pnlSzokas->installEventFilter(this);
    m_pnlFormaz->installEventFilter(this);
    for (const char *grip : {"imgSzokasEleje", "imgFormazEleje"})
        if (auto *picture = m_pnlToolBar->findChild<QWidget *>(QString::fromLatin1(grip)))
            picture->installEventFilter(this);

    // The hidden plain-text buffer stays part of the frame, but plain text is
    // written straight from the document, which gives the same lines.
    m_mmMentTxt = new QPlainTextEdit(this);
    m_mmMentTxt->setObjectName(QStringLiteral("mmMentTxt"));
    m_mmMentTxt->hide();
    m_reFontMeret = new QTextEdit(this);
    m_reFontMeret->setObjectName(QStringLiteral("reFontMeret"));
    m_reFontMeret->setPlainText(QStringLiteral("reFontMeret"));
    m_reFontMeret->hide();

    connectButton("spbUj", &TfraREEszkTar::spbUjClick);
    connectButton("spbMegnyit", &TfraREEszkTar::spbMegnyitClick);
    connectButton("spbMent", &TfraREEszkTar::spbMentClick);
    connectButton("spbMentMask", &TfraREEszkTar::spbMentMaskClick);
    m_spbKivag = connectButton("spbKivag", &TfraREEszkTar::spbKivagClick);
    m_spbMasol = connectButton("spbMasol", &TfraREEszkTar::spbMasolClick);
    m_spbBeill = connectButton("spbBeill", &TfraREEszkTar::spbBeillClick);
    m_spbMegsem = connectButton("spbMegsem", &TfraREEszkTar::spbMegsemClick);
    m_spbMegis = connectButton("spbMegis", &TfraREEszkTar::spbMegisClick);
    connectButton("spbKeres", &TfraREEszkTar::spbKeresClick);
    connectButton("spbCserel", &TfraREEszkTar::spbCserelClick);

    connectFormatting();

    m_clipboard = new ClipboardWatch(this);
    m_fileDialogs = std::make_unique<QtFileDialogs>(*this);
    m_formatDialogs = QtFormatDialogs(*this);
    fitPanels();
}

TfraREEszkTar::~TfraREEszkTar() = default;

QToolButton *TfraREEszkTar::button(const char *objectName) const
{
    return m_pnlToolBar->findChild<QToolButton *>(QString::fromLatin1(objectName));
}

void TfraREEszkTar::setFileDialogs(std::unique_ptr<FileDialogs> dialogs)
{
    if (dialogs)
        m_fileDialogs = std::move(dialogs);
}

QToolButton *TfraREEszkTar::connectButton(const char *objectName,
                                          void (TfraREEszkTar::*handler)(QObject *))
{
    QToolButton *b = button(objectName);
    if (b)
        connect(b, &QToolButton::clicked, this, [this, b, handler] { (this->*handler)(b); });
    return b;
}

bool TfraREEszkTar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest &&
        (watched == m_tobSzokas || watched == m_tobFormaz))
        fitPanels();
    else if (event->type() == QEvent::Move && (watched == m_pnlSzokas || watched == m_pnlFormaz))
        fitPanels();
    else if (pressed(watched, event) || grabbed(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TfraREEszkTar::fitPanels()
{
    for (auto [panel, bar] : {std::pair{m_pnlSzokas, m_tobSzokas}, {m_pnlFormaz, m_tobFormaz}}) {
        bar->resize(bar->sizeHint());
        panel->resize(bar->width() + 2 * kToolbarOffset, bar->height() + 2 * kToolbarOffset);
    }
    if (m_toolBarSizesItself) {
        const int bottom =
            std::max(m_pnlSzokas->geometry().bottom(), m_pnlFormaz->geometry().bottom()) + 1;
        m_pnlToolBar->setFixedHeight(bottom);
    }
}

HostBinding *TfraREEszkTar::boundHost() const
{
    if (!m_hosts)
        return nullptr;
    HostBinding &b = m_hosts->binding;
    if (!b.ActiveEditor || !b.ActiveDocName || !b.ActiveDocHasFile)
        return nullptr;
    return &b;
}

QTextEdit *TfraREEszkTar::boundEditor() const
{
    return m_hosts ? m_hosts->binding.ActiveEditor : nullptr;
}

void TfraREEszkTar::setBorderWidths(int toolbarBorder, int panelBorder)
{
    for (QToolBar *bar : {m_tobSzokas, m_tobFormaz})
        bar->layout()->setContentsMargins(toolbarBorder, toolbarBorder, toolbarBorder,
                                          toolbarBorder);
    for (QFrame *panel : {m_pnlSzokas, m_pnlFormaz})
        panel->setLineWidth(panelBorder);
}

void InitToolbarFrame(TfraREEszkTar &frame, int hostIndex)
{
    if (frame.m_hosts)
        frame.m_hosts->binding.ActiveHostIndex = hostIndex;
    frame.setBorderWidths(0, 1);
    if (hostIndex == 2) {
        // The help frame's rows stand closer, and its row ends without a separator.
        frame.m_pnlFormaz->move(0, kHelpFormazTop);
        for (QAction *action : frame.m_tobFormaz->actions())
            if (QWidget *w = frame.m_tobFormaz->widgetForAction(action);
                w && w->objectName() == u"Image1")
                action->setVisible(false);
    }
    frame.m_toolBarSizesItself = true;
    frame.setSizePolicy(frame.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    frame.fitPanels();
    const QSignalBlocker quiet(frame.m_cobBetuTipNev);
    frame.m_cobBetuTipNev->clear();
    frame.m_cobBetuTipNev->addItems(FontFamiliesWithSubstitutes());
    frame.m_cobBetuTipNev->setCurrentIndex(-1);
}

// Document commands ---------------------------------------------------------

void TfraREEszkTar::spbUjClick(QObject *sender)
{
    HostBinding *b = boundHost();
    if (!b)
        return;
    if (isModified(*b) && !ConfirmSaveChanges(sender))
        return;
    ++m_hosts->newDocCounter;
    *b->ActiveDocName = NewDocumentName(*b->ActiveDocName, m_hosts->newDocCounter);
    *b->ActiveDocHasFile = false;
    b->ActiveEditor->clear();
    documentio::startNewDocument(*b->ActiveEditor->document());
    b->ActiveEditor->document()->setModified(false);
    if (b->OnDocumentLoaded)
        b->OnDocumentLoaded(sender);
}

void TfraREEszkTar::spbMegnyitClick(QObject *sender)
{
    HostBinding *b = boundHost();
    if (!b)
        return;
    if (isModified(*b) && !ConfirmSaveChanges(sender))
        return;
    const std::optional<QString> chosen =
        m_fileDialogs->chooseOpen(DirectoryOf(*b->ActiveDocName), FileNamePart(*b->ActiveDocName));
    if (!chosen)
        return;

    platform::Status result = platform::Done{};
    {
        platform::BusyCursor busy;
        // The loader leaves the document alone when it cannot read the file,
        // so a failure keeps the previous document, its name and its flag.
        result = documentio::loadDocument(*chosen, *b->ActiveEditor->document(), nullptr, *m_files);
    }
    if (!result) {
        ShowInfo(result.error());
        return;
    }
    *b->ActiveDocName = *chosen;
    *b->ActiveDocHasFile = true;
    b->ActiveEditor->document()->setModified(false);
    if (b->OnDocumentLoaded)
        b->OnDocumentLoaded(sender);
    if (b->ActiveEditor->isVisible()) {
        b->ActiveEditor->raise();
        b->ActiveEditor->setFocus();
    }
}

void TfraREEszkTar::spbMentClick(QObject *sender)
{
    saveInPlaceOrAs(sender);
}

bool TfraREEszkTar::isProtected(const QString &path) const
{
    return m_hosts && m_hosts->protectedFile.matches && m_hosts->protectedFile.matches(path);
}

bool TfraREEszkTar::saveInPlaceOrAs(QObject *sender)
{
    HostBinding *b = boundHost();
    if (!b)
        return false;
    if (*b->ActiveDocHasFile && !isProtected(*b->ActiveDocName))
        return SaveToCurrentFile();
    return SaveDocumentAs(sender);
}

void TfraREEszkTar::spbMentMaskClick(QObject *sender)
{
    SaveDocumentAs(sender);
}

bool TfraREEszkTar::ConfirmSaveChanges(QObject *sender)
{
    HostBinding *b = boundHost();
    if (!b)
        return false;
    const QChar answer = AskYesNoCancel(ModifiedQuestion(*b->ActiveDocName));
    if (answer == u'I')
        return saveInPlaceOrAs(sender);
    return answer != u'M';
}

bool TfraREEszkTar::writeDocument(const QString &path)
{
    platform::Status result = platform::Done{};
    {
        platform::BusyCursor busy;
        result = documentio::saveDocument(path, *boundEditor()->document(), *m_files);
    }
    if (!result)
        ShowInfo(result.error());
    return bool(result);
}

bool TfraREEszkTar::SaveToCurrentFile()
{
    HostBinding *b = boundHost();
    if (!b)
        return false;
    if (isProtected(*b->ActiveDocName))
        return SaveDocumentAs(nullptr);
    if (!writeDocument(*b->ActiveDocName))
        return false;
    markSaved(*b);
    return true;
}

bool TfraREEszkTar::SaveDocumentAs(QObject *sender)
{
    HostBinding *b = boundHost();
    if (!b)
        return false;
    const ProtectedFile &guarded = m_hosts->protectedFile;
    // A document named as the protected file is offered another name.
    const QString start = isProtected(*b->ActiveDocName) && guarded.suggestedName
                              ? guarded.suggestedName()
                              : *b->ActiveDocName;
    QString directory = DirectoryOf(start);
    QString fileName = FileNamePart(start);
    QString target;
    for (;;) {
        const std::optional<SaveChoice> choice = m_fileDialogs->chooseSave(directory, fileName);
        if (!choice)
            return false;
        // The file that would be replaced is the one under the fixed-up name.
        target = SavedName(choice->fileName, choice->filterIndex);
        if (isProtected(target)) {
            ShowInfo(guarded.refusal);
            directory = DirectoryOf(choice->fileName);
            fileName = FileNamePart(choice->fileName);
            continue;
        }
        if (!fileExists(target))
            break;
        const QChar answer = AskYesNoCancel(OverwriteQuestion(target));
        if (answer == u'I')
            break;
        if (answer == u'M')
            return false;
        // Any other answer: the dialog again, as the user left it.
        directory = DirectoryOf(choice->fileName);
        fileName = FileNamePart(choice->fileName);
    }
    if (!writeDocument(target))
        return false;
    *b->ActiveDocName = target;
    markSaved(*b);
    if (b->OnDocumentSavedAs)
        b->OnDocumentSavedAs(sender);
    return true;
}

// Clipboard, undo and redo ------------------------------------------------------

void TfraREEszkTar::spbKivagClick(QObject *)
{
    if (QTextEdit *editor = boundEditor())
        editor->cut();
}

void TfraREEszkTar::spbMasolClick(QObject *)
{
    if (QTextEdit *editor = boundEditor())
        editor->copy();
}

void TfraREEszkTar::spbBeillClick(QObject *)
{
    if (QTextEdit *editor = boundEditor())
        editor->paste();
}

void TfraREEszkTar::spbMegsemClick(QObject *)
{
    if (QTextEdit *editor = boundEditor())
        editor->undo();
    m_spbMegsem->setEnabled(false);
    m_spbMegis->setEnabled(true);
}

void TfraREEszkTar::spbMegisClick(QObject *)
{
    if (QTextEdit *editor = boundEditor())
        editor->redo();
    m_spbMegsem->setEnabled(true);
    m_spbMegis->setEnabled(false);
}

void TfraREEszkTar::spbKeresClick(QObject *)
{
    TfrmSzoKeres *dialog = TfrmSzoKeres::instance();
    if (QTextEdit *editor = boundEditor(); dialog && editor)
        dialog->ShowFindDialog(*editor);
}

void TfraREEszkTar::spbCserelClick(QObject *)
{
    TfrmSzoKeres *dialog = TfrmSzoKeres::instance();
    if (QTextEdit *editor = boundEditor(); dialog && editor)
        dialog->ShowReplaceDialog(*editor);
}

void NoteTextChanged(TfraREEszkTar &frame)
{
    frame.m_spbMegsem->setEnabled(true);
    frame.m_spbMegis->setEnabled(false);
}

void UpdateClipboardButtons(TfraREEszkTar &frame, QTextEdit &editor)
{
    if (!frame.m_pnlSzokas->isEnabled())
        return;
    frame.m_spbBeill->setEnabled(frame.m_clipboard->clipboardHasText());
    const bool selection = frame.m_clipboard->hasSelection(editor);
    frame.m_spbKivag->setEnabled(selection);
    frame.m_spbMasol->setEnabled(selection);
}
