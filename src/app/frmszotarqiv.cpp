#include "app/frmszotarqiv.h"

#include "app/index_buttons.h"
#include "editor/fraREEszkTar.h"
#include "editor/richtextpane.h"
#include "help/helppage.h"
#include "platform/installlayout.h"
#include "platform/paths.h"
#include "translator/colorref.h"
#include "translator/textpane.h"
#include "translator/translationpopup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kDefaultDatabaseDir = QStringLiteral("C:\\Vegyes\\Szótár_QIV_Win_kar");

// Colours of the window, from their stored 0x00BBGGRR integers.
using translator::toQColor;

const QColor kNavy = toQColor(8388608);         // #000080
const QColor kFrameBrown = toQColor(12642);     // #623100
const QColor kTextPaneGrey = toQColor(7829367); // #777777
const QColor kWarningOrange = toQColor(33023);  // #FF8000

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void paint(QWidget *widget, const QColor &background, const QColor &text = Qt::black)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget *panel(QWidget *parent, const char *name, const QColor &colour)
{
    auto *p = named(new QWidget(parent), name);
    paint(p, colour);
    return p;
}

QFont pixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TfrmSzotarQIV::TfrmSzotarQIV(const QStringList &arguments, const QString &programFile,
                             QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmSzotarQIV"));
    setWindowTitle(QStringLiteral("Velkor szótár és fordító program"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13));
    resize(773, 439);

    pcFo = named(new QTabWidget(this), "pcFo");
    pcFo->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(pcFo);
    buildTranslatorPage();
    buildDictionaryPage();
    buildLanguagePage();
    buildMaintenancePage();
    buildHelpPage();
    buildActions();
    connect(pcFo, &QTabWidget::currentChanged, this, &TfrmSzotarQIV::pageChanged);

    // Position tracking and the clipboard buttons run 20 ms after something
    // they follow changed, not every 20 ms: an idle window never wakes.
    tmrMeretez = named(new QTimer(this), "tmrMeretez");
    tmrMeretez->setInterval(20);
    tmrMeretez->setSingleShot(true);
    connect(tmrMeretez, &QTimer::timeout, this, &TfrmSzotarQIV::tmrMeretezTimer);
    const auto track = [this] {
        if (!tmrMeretez->isActive())
            tmrMeretez->start();
    };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, tmrMeretez, track);
    for (QTextEdit *pane : std::initializer_list<QTextEdit *>{reSzov, reSugo}) {
        connect(pane, &QTextEdit::selectionChanged, tmrMeretez, track);
        connect(pane, &QTextEdit::textChanged, tmrMeretez, track);
    }
    tmrMeretez->start();

    // Key preview: the window sees key releases before the focused control.
    qApp->installEventFilter(this);
    FormCreate(arguments, programFile);
}

TfrmSzotarQIV::~TfrmSzotarQIV()
{
    qApp->removeEventFilter(this);
    // The frames and editors outlive this object's members by a moment: no
    // frame command may reach the binding or the editors after this.
    fraREEszkTarSzov->setHosts(nullptr);
    fraREEszkTarSugo->setHosts(nullptr);
    m_hosts.binding = HostBinding{};
}

void TfrmSzotarQIV::FormCreate(const QStringList &arguments, const QString &programFile)
{
    // Qt paints every widget off screen first, so the popup panels never flicker.
    m_zomvi = !arguments.isEmpty() && arguments.front() == QStringLiteral("Zomvi");

    const QString program =
        programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile;
    // Installed, the shipped files stay untouched: the user works on copies
    // in a folder of their own, which stands in for the program's directory.
    const installlayout::Layout layout =
        installlayout::detect(program, installlayout::Environment::current());
    m_layoutFailures = installlayout::seedUserDir(layout);
    m_state.ProgramDir = layout.programDir;
    m_state.UserDir = layout.userDir;
    m_state.DatabaseDir = paths::fromWindowsPath(kDefaultDatabaseDir);
    m_state.DatabasePath = paths::withSeparator(m_state.DatabaseDir);
    if (!QFileInfo(m_state.DatabaseDir).isDir()) {
        m_state.DatabasePath = m_state.userDir();
        m_state.DatabaseDir = QDir::cleanPath(m_state.DatabasePath);
    }
    m_state.IniFileName = layout.iniFileName;

    fraREEszkTarSzov->setHosts(&m_hosts);

    // The text pane's New and Open go through the window's own handlers.
    rebind(fraREEszkTarSzov, "spbUj", [this] { fraREEszkTarSzov->spbUjClick(sender()); });
    rebind(fraREEszkTarSzov, "spbMegnyit", [this] { fraREEszkTarSzov->spbMegnyitClick(sender()); });
    rebind(fraREEszkTarSzov, "spbKeres", [this] { fraREEszkTarSzov->spbKeresClick(sender()); });

    // The separator and the two translator check boxes join the text toolbar.
    fraREEszkTarSzov->tobSzokas()->addWidget(imgElval1);
    fraREEszkTarSzov->tobSzokas()->addWidget(chbFord);
    fraREEszkTarSzov->tobSzokas()->addWidget(chbJobb);
    fraREEszkTarSzov->tobSzokas()->addWidget(chbSzoto);
}

QString TfrmSzotarQIV::StockHelpName()
{
    return HelpPage::StockHelpName();
}

template <typename Handler>
void TfrmSzotarQIV::rebind(TfraREEszkTar *frame, const char *buttonName, Handler handler)
{
    QToolButton *button = frame->button(buttonName);
    if (!button)
        return;
    QObject::disconnect(button, &QToolButton::clicked, frame, nullptr);
    connect(button, &QToolButton::clicked, this, handler);
}

void TfrmSzotarQIV::buildTranslatorPage()
{
    tsBongesz = named(new QWidget(pcFo), "tsBongesz");
    auto *layout = new QVBoxLayout(tsBongesz);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    fraREEszkTarSzov = named(new TfraREEszkTar(tsBongesz), "fraREEszkTarSzov");
    paint(fraREEszkTarSzov, kFrameBrown);
    layout->addWidget(fraREEszkTarSzov);

    pnlSzov = named(new QFrame(tsBongesz), "pnlSzov");
    // A plain box draws in the text colour: grey too, for a one-colour line.
    paint(pnlSzov, kTextPaneGrey, kTextPaneGrey);
    pnlSzov->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnlSzov->setLineWidth(1);
    auto *paneLayout = new QHBoxLayout(pnlSzov);
    paneLayout->setContentsMargins(1, 1, 1, 1);
    paneLayout->setSpacing(0);
    Panel5 = panel(pnlSzov, "Panel5", Qt::white);
    Panel5->setFixedWidth(6);
    paneLayout->addWidget(Panel5);
    reSzov = named(new RichTextPane(pnlSzov), "reSzov");
    reSzov->setFont(pixelFont(QStringLiteral("Arial"), 17));
    reSzov->setFrameStyle(QFrame::NoFrame);
    reSzov->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The right button is the program's: it looks words up.
    reSzov->setContextMenuPolicy(Qt::NoContextMenu);
    paneLayout->addWidget(reSzov);
    layout->addWidget(pnlSzov, 1);

    chbFord = named(new QCheckBox(QStringLiteral("Fordítás"), tsBongesz), "chbFord");
    chbJobb = named(new QCheckBox(QStringLiteral("Jobb gomb"), tsBongesz), "chbJobb");
    chbSzoto = named(new QCheckBox(QStringLiteral("Szótő"), tsBongesz), "chbSzoto");
    connect(chbSzoto, &QCheckBox::toggled, this, [this](bool on) {
        if (m_popup)
            m_popup->setStemming(on);
    });
    for (QCheckBox *box : {chbFord, chbJobb, chbSzoto}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        box->setPalette(palette);
        box->setChecked(true);
    }
    chbFord->setFixedSize(97, 17);
    chbJobb->setFixedSize(97, 17);
    imgElval1 = named(new QLabel(tsBongesz), "imgElval1");
    imgElval1->setFixedSize(6, 25);
    m_textPane = new translator::TextPane(m_state, m_hosts, *fraREEszkTarSzov, *reSzov, *chbFord,
                                          *chbJobb, this);
    m_textPane->setDocumentCallbacks([this] { TextDocLoaded(); }, [this] { TextDocSavedAs(); });
    pcFo->addTab(tsBongesz, QStringLiteral("Fordító"));
}

void TfrmSzotarQIV::buildDictionaryPage()
{
    tsSzotar = named(new QWidget(pcFo), "tsSzotar");
    pcFo->addTab(tsSzotar, QStringLiteral("Szótár"));
}

void TfrmSzotarQIV::buildLanguagePage()
{
    tsNyelvValt = named(new QWidget(pcFo), "tsNyelvValt");
    auto *layout = new QVBoxLayout(tsNyelvValt);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlNyelvValt = panel(tsNyelvValt, "pnlNyelvValt", kNavy);
    layout->addWidget(pnlNyelvValt, 1);
    Panel2 = panel(tsNyelvValt, "Panel2", palette().color(QPalette::Button));
    Panel2->setFixedHeight(41);
    layout->addWidget(Panel2);

    Label5 = named(new QLabel(QStringLiteral("Elérhető szótárak:"), pnlNyelvValt), "Label5");
    Label5->setGeometry(16, 16, 233, 20);
    paint(Label5, kNavy, Qt::white);
    lbNyelvek = named(new QListWidget(pnlNyelvValt), "lbNyelvek");
    lbNyelvek->setGeometry(16, 40, 233, 200);
    Label6 = named(new QLabel(QStringLiteral("Fordítás:"), pnlNyelvValt), "Label6");
    Label6->setGeometry(272, 16, 497, 20);
    paint(Label6, kNavy, Qt::white);
    rbAM = named(new QRadioButton(pnlNyelvValt), "rbAM");
    rbMA = named(new QRadioButton(pnlNyelvValt), "rbMA");
    rbAM->setGeometry(272, 40, 497, 22);
    rbMA->setGeometry(272, 64, 497, 22);
    for (QRadioButton *rb : {rbAM, rbMA}) {
        QPalette palette = rb->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        rb->setPalette(palette);
    }
    Label4 = named(new QLabel(QStringLiteral("Részletek:"), pnlNyelvValt), "Label4");
    Label4->setGeometry(272, 100, 100, 20);
    Label4->hide();
    mmSzotarReszl = named(new QPlainTextEdit(pnlNyelvValt), "mmSzotarReszl");
    mmSzotarReszl->setGeometry(272, 124, 300, 100);
    mmSzotarReszl->hide();
    // The list's key and mouse releases reach eventFilter (key preview); a
    // tick on a direction is stored at once.
    connect(rbAM, &QRadioButton::clicked, this, [this] { DirectionChoice(true); });
    connect(rbMA, &QRadioButton::clicked, this, [this] { DirectionChoice(true); });
    pcFo->addTab(tsNyelvValt, QStringLiteral("Nyelv váltás"));
}

void TfrmSzotarQIV::buildMaintenancePage()
{
    tsKarb = named(new QWidget(pcFo), "tsKarb");
    auto *layout = new QVBoxLayout(tsKarb);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = panel(tsKarb, "Panel1", kNavy);
    layout->addWidget(Panel1);
    // The warning and the maintenance panel fill the same area; the panel,
    // later in the stack, covers the warning while it is shown.
    auto *panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    lblKarbFigy = named(new QLabel(Panel1), "lblKarbFigy");
    lblKarbFigy->setAlignment(Qt::AlignCenter);
    lblKarbFigy->setWordWrap(true);
    lblKarbFigy->setFont(pixelFont(QStringLiteral("Times New Roman"), 20));
    paint(lblKarbFigy, kNavy, kWarningOrange);
    panelLayout->addWidget(lblKarbFigy, 0, 0);

    pnlKarb = panel(Panel1, "pnlKarb", kNavy);
    pnlKarb->hide();
    panelLayout->addWidget(pnlKarb, 0, 0);
    pnlKarb->raise();
    pnlKarb2 = panel(pnlKarb, "pnlKarb2", kNavy);
    pnlKarb2->setGeometry(296, 72, 249, 177);
    pnlKarb2->hide();
    bbtnAlapBeall =
        named(new QPushButton(QStringLiteral("Alapbeállítások visszaállítása"), pnlKarb),
              "bbtnAlapBeall");
    bbtnAlapBeall->setGeometry(296, 320, 241, 25);
    connect(bbtnAlapBeall, &QPushButton::clicked, this, &TfrmSzotarQIV::bbtnAlapBeallClick);
    bbtnIndTorl = named(new QPushButton(QStringLiteral("Indexek törlése"), pnlKarb), "bbtnIndTorl");
    bbtnIndTorl->setGeometry(8, 112, 241, 25);
    connect(bbtnIndTorl, &QPushButton::clicked, this, [this] {
        if (DM1)
            ::bbtnIndTorlClick(*DM1, m_state);
    });
    bbtnUjraInd = named(new QPushButton(QStringLiteral("(Újra)indexelés"), pnlKarb), "bbtnUjraInd");
    bbtnUjraInd->setGeometry(8, 144, 241, 25);
    connect(bbtnUjraInd, &QPushButton::clicked, this, [this] {
        if (DM1)
            ::bbtnUjraIndClick(*DM1, m_state);
    });
    buildFileButtons();
    buildTextFileButtons();
    buildCleanupButtons();
    pcFo->addTab(tsKarb, QStringLiteral("Karbantartás"));
}

void TfrmSzotarQIV::buildHelpPage()
{
    m_helpPage = new HelpPage(m_state, m_hosts, pcFo);
    tsSugo = m_helpPage;
    fraREEszkTarSugo = m_helpPage->frame();
    reSugo = m_helpPage->pane();
    // The text pane's save dialog asks for the name of a changed stock help.
    m_helpPage->setSaveDialogFrame(fraREEszkTarSzov);
    pcFo->addTab(tsSugo, QStringLiteral("Súgó"));
    connect(m_helpPage, &HelpPage::captionChanged, this,
            [this](const QString &caption) { pcFo->setTabText(pcFo->indexOf(tsSugo), caption); });
}

void TfrmSzotarQIV::buildActions()
{
    auto action = [this](const char *name, const QKeySequence &keys, auto handler) {
        auto *a = named(new QAction(this), name);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, handler);
        addAction(a);
        return a;
    };
    alF3 = action("alF3", QKeySequence(Qt::Key_F3), [this] { OrderBySource(); });
    alF4 = action("alF4", QKeySequence(Qt::Key_F4), [this] { OrderByTarget(); });
    alCtrlF10 = action("alCtrlF10", QKeySequence(Qt::CTRL | Qt::Key_F10), [this] {
        if (pcFo->currentWidget() == tsKarb)
            pnlKarb->setVisible(pnlKarb->isHidden());
    });
    alRejtettPanel =
        action("alRejtettPanel", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F7), [this] {
            if (pcFo->currentWidget() == tsKarb && !pnlKarb->isHidden())
                pnlKarb2->setVisible(pnlKarb2->isHidden());
        });
    // On Linux the X server takes Ctrl+Alt+F7 for its switch to the seventh
    // virtual terminal, so the panel answers Ctrl+Shift+F7 as well.
    alRejtettPanel->setShortcuts({QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F7),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7)});
}
