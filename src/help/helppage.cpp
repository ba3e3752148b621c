#include "help/helppage.h"

#include "dialogs/frmnevjegy.h"
#include "dialogs/questions.h"
#include "editor/filedialogs.h"
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "editor/qtfiledialogs.h"
#include "editor/richtextpane.h"
#include "help/childcontrols.h"
#include "help/stockhelpguard.h"
#include "platform/rtf/documentio.h"
#include "store/appstate.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kNavy(0x00, 0x00, 0x80);       // 8388608
const QColor kFrameBrown(0x62, 0x31, 0x00); // 12642

void paint(QWidget *widget, const QColor &background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The bar's buttons sit on navy: their captions must be light to be read.
void lightCaption(QPushButton *button)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xC0, 0xC0, 0xC0));
    button->setPalette(palette);
}

} // namespace

HelpPage::HelpPage(AppState &state, EditorHosts &hosts, QWidget *parent)
    : QWidget(parent), m_state(state), m_hosts(hosts)
{
    setObjectName(QStringLiteral("tsSugo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    fraREEszkTarSugo = new TfraREEszkTar(this);
    fraREEszkTarSugo->setObjectName(QStringLiteral("fraREEszkTarSugo"));
    fraREEszkTarSugo->setHosts(&m_hosts);
    paint(fraREEszkTarSugo, kFrameBrown);
    paint(fraREEszkTarSugo->pnlToolBar(), kNavy);
    layout->addWidget(fraREEszkTarSugo);

    reSugo = new RichTextPane(this);
    reSugo->setObjectName(QStringLiteral("reSugo"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    reSugo->setFont(font);
    reSugo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(reSugo, 1);

    pnlSugo = new QWidget(this);
    pnlSugo->setObjectName(QStringLiteral("pnlSugo"));
    paint(pnlSugo, kNavy);
    pnlSugo->setFixedHeight(36);
    layout->addWidget(pnlSugo);
    spbSugoSzerk = new QPushButton(QStringLiteral("Szerkesztés"), pnlSugo);
    spbSugoSzerk->setObjectName(QStringLiteral("spbSugoSzerk"));
    spbSugoSzerk->setGeometry(8, 8, 121, 22);
    spbSugoSzerk->setFlat(true);
    lightCaption(spbSugoSzerk);
    SPBNevjegy = new QPushButton(QStringLiteral("Névjegy"), pnlSugo);
    SPBNevjegy->setObjectName(QStringLiteral("SPBNevjegy"));
    SPBNevjegy->setGeometry(136, 8, 89, 22);

    // reSugoChange, reSugoSelectionChange
    connect(reSugo, &QTextEdit::textChanged, this, [this] {
        NoteTextChanged(*fraREEszkTarSugo);
        MarkHelpModified();
    });
    // Keyboard caret moves change no selection but must show too.
    for (auto signal : {&QTextEdit::selectionChanged, &QTextEdit::cursorPositionChanged})
        connect(reSugo, signal, this,
                [this] { SyncToolbarWithSelection(*fraREEszkTarSugo, *reSugo); });
    // spbSugoSzerkMouseDown takes any mouse button (eventFilter); the
    // pressed signal is then left to the keyboard.
    spbSugoSzerk->installEventFilter(this);
    connect(spbSugoSzerk, &QPushButton::pressed, this, &HelpPage::ToggleHelpEditMode);
    connect(SPBNevjegy, &QPushButton::clicked, this, &HelpPage::SPBNevjegyClick);
    reSugo->viewport()->installEventFilter(this);
    fraREEszkTarSugo->pnlSzokas()->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &HelpPage::focusChanged);

    // Neither frame writes over the stock help: Save asks for another name
    // there too, whichever pane the stock help was opened in.
    m_hosts.protectedFile = ProtectedFile{
        [this](const QString &path) { return isStockPath(path); },
        [this] { return QFileInfo(m_state.userDir()).absolutePath() + u'/' + ModifiedHelpName(); },
        StockHelpRefusal()};
    setFileDialogs(std::make_unique<QtFileDialogs>(*fraREEszkTarSugo));
    if (QToolButton *save = fraREEszkTarSugo->button("spbMent")) {
        QObject::disconnect(save, &QToolButton::clicked, fraREEszkTarSugo, nullptr);
        connect(save, &QToolButton::clicked, this, &HelpPage::fraREEszkTarSugospbMentClick);
    }
}

HelpPage::~HelpPage()
{
    // The children go after this body; their focus changes must not reach us.
    disconnect(qApp, nullptr, this, nullptr);
    m_hosts.protectedFile = ProtectedFile{};
}

void HelpPage::setFileDialogs(std::unique_ptr<FileDialogs> dialogs)
{
    if (dialogs)
        fraREEszkTarSugo->setFileDialogs(std::make_unique<StockHelpGuard>(
            std::move(dialogs), [this](const QString &path) { return isStockPath(path); }));
}

bool HelpPage::isStockPath(const QString &path) const
{
    // The user's copy of an installed program's help, and the shipped file.
    return path == m_state.userDir() + StockHelpName() ||
           path == m_state.ProgramDir + StockHelpName();
}

bool HelpPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == spbSugoSzerk && event->type() == QEvent::MouseButtonPress) {
        ToggleHelpEditMode(); // spbSugoSzerkMouseDown
        return true;
    }
    if (watched == spbSugoSzerk && event->type() == QEvent::MouseButtonDblClick)
        return true; // the second press of a double click toggled already
    if (watched == reSugo->viewport() && event->type() == QEvent::MouseButtonRelease &&
        m_hosts.painter.FormatPainterArmed)
        ApplyPickedFormat(*fraREEszkTarSugo, *reSugo); // reSugoMouseUp
    if (watched == fraREEszkTarSugo->pnlSzokas() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        fraREEszkTarSugopnlSzokasClick();
    return QWidget::eventFilter(watched, event);
}

void HelpPage::focusChanged(QWidget *old, QWidget *now)
{
    // pnlSugoEnter: the focus comes into the bottom bar from outside it.
    const auto inBar = [this](QWidget *w) {
        return w && (w == pnlSugo || pnlSugo->isAncestorOf(w));
    };
    if (inBar(now) && !inBar(old))
        DisarmFormatPainter(*fraREEszkTarSugo);
}

void HelpPage::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

void HelpPage::ToggleHelpEditMode()
{
    if (!reSugo->isReadOnly()) {
        reSugo->setReadOnly(true);
        DisableChildControls(fraREEszkTarSugo->pnlToolBar());
        spbSugoSzerk->setText(QStringLiteral("Szerkesztés"));
        return;
    }
    reSugo->setReadOnly(false);
    EnableChildControls(fraREEszkTarSugo->pnlToolBar());
    spbSugoSzerk->setText(QStringLiteral("Csak olvasás"));
    if (QToolButton *undo = fraREEszkTarSugo->button("spbMegsem"))
        undo->setEnabled(reSugo->document()->isUndoAvailable());
    if (QToolButton *redo = fraREEszkTarSugo->button("spbMegis"))
        redo->setEnabled(false);
}

bool HelpPage::SaveHelpDocument()
{
    if (isStockPath(m_state.HelpDocName)) {
        TfraREEszkTar *dialogFrame = m_saveDialogFrame ? m_saveDialogFrame : fraREEszkTarSugo;
        QString directory = QFileInfo(m_state.userDir()).absolutePath();
        QString fileName = ModifiedHelpName();
        for (;;) {
            const std::optional<SaveChoice> choice =
                dialogFrame->fileDialogs().chooseSave(directory, fileName);
            if (!choice)
                return false;
            if (!isStockPath(choice->fileName)) {
                m_state.HelpDocName = choice->fileName;
                break;
            }
            ShowInfo(StockHelpRefusal());
            // The dialog comes back where the user was, with the name chosen.
            const QFileInfo chosen(choice->fileName);
            directory = chosen.absolutePath();
            fileName = chosen.fileName();
        }
    }
    const platform::Status written = documentio::saveRtf(m_state.HelpDocName, *reSugo->document());
    if (!written) {
        ShowInfo(written.error());
        return false;
    }
    m_state.HelpDocHasFile = true;
    return true;
}

void HelpPage::fraREEszkTarSugospbMentClick()
{
    if (!isStockPath(m_state.HelpDocName))
        fraREEszkTarSugo->spbMentClick(fraREEszkTarSugo->button("spbMent"));
    else
        SaveHelpDocument();
}

void HelpPage::HelpDocumentLoaded()
{
    if (QFileInfo(m_state.HelpDocName).fileName() != StockHelpName())
        MarkHelpModified();
    else
        setCaption(QStringLiteral("Súgó (Eredeti)"));
    if (QToolButton *undo = fraREEszkTarSugo->button("spbMegsem"))
        undo->setEnabled(false);
    if (QToolButton *redo = fraREEszkTarSugo->button("spbMegis"))
        redo->setEnabled(false);
}

void HelpPage::MarkHelpModified()
{
    setCaption(QStringLiteral("Súgó (Módosított)"));
}

void HelpPage::BindHelpPage()
{
    HostBinding &binding = m_hosts.binding;
    binding.ActiveDocName = &m_state.HelpDocName;
    binding.ActiveDocHasFile = &m_state.HelpDocHasFile;
    binding.ActiveHostIndex = 2;
    binding.ActiveEditor = reSugo;
    binding.OnDocumentLoaded = [this](QObject *) { HelpDocumentLoaded(); };
    binding.OnDocumentSavedAs = [this](QObject *) { MarkHelpModified(); };
}

void HelpPage::SPBNevjegyClick()
{
    if (TfrmNevjegy *box = TfrmNevjegy::instance()) {
        box->exec();
        return;
    }
    TfrmNevjegy box(window());
    box.exec();
}

void HelpPage::fraREEszkTarSugopnlSzokasClick()
{
    QWidget *panel = fraREEszkTarSugo->pnlSzokas();
    QToolBar *bar = fraREEszkTarSugo->tobSzokas();
    // The panel sizes itself when it is as large as its toolbar with the
    // toolbar's offset on every side.
    const QSize fitted(bar->sizeHint().width() + 2 * bar->x(),
                       bar->sizeHint().height() + 2 * bar->y());
    const bool sizesItself = panel->size() == fitted;
    ShowInfoTimed(sizesItself ? QStringLiteral("pnlSzokas 2   Auto")
                              : QStringLiteral("pnlSzokas 2   NEM auto"),
                  1000);
    bar->resize(bar->sizeHint());
    panel->resize(fitted);
}
