#include "dialogs/frmvalasz.h"

#include "dialogs/messagefit.h"
#include "platform/gui/busy_cursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace {

// The dialog created at start-up; the wrappers of questions.h use it.
TfrmValasz *g_instance = nullptr;

constexpr int kPanelHeight = 43;
constexpr int kButtonTop = 9;
constexpr int kLeftSlot = 21;
constexpr int kMiddleSlot = 114;
constexpr int kPopupRefreshMs = 200;
// Room between the message and the dialog's edges.
constexpr int kTextMarginX = 10;
constexpr int kTextMarginY = 6;
// Result of the "Nem" button; Ok and Mégsem use Accepted and Rejected.
constexpr int kNoResult = 2;

QString captionIgen()
{
    return QStringLiteral("Igen");
}
QString captionNem()
{
    return QStringLiteral("Nem");
}
QString captionMegsem()
{
    return QStringLiteral("Mégsem");
}
QString captionOk()
{
    return QStringLiteral("Ok");
}

// The monitor holding point, or the one nearest to it.
QRect monitorNearest(QPoint point)
{
    QRect best;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        if (g.contains(point))
            return g;
        const qint64 dx = std::max({g.left() - point.x(), 0, point.x() - g.right()});
        const qint64 dy = std::max({g.top() - point.y(), 0, point.y() - g.bottom()});
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = g;
        }
    }
    return best.isValid() ? best : QRect(0, 0, 1024, 768);
}

// The window the dialog is centred over: its parent's window, else the
// active one; without either, the primary screen.
QPoint mainWindowCentre(const QWidget *dialog)
{
    QWidget *main =
        dialog->parentWidget() ? dialog->parentWidget()->window() : QApplication::activeWindow();
    if (main && main != dialog && main->isVisible())
        return main->frameGeometry().center();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().center();
    return QPoint(512, 384);
}

} // namespace

TfrmValasz::TfrmValasz(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    if (!g_instance)
        g_instance = this;
    FormCreate();
}

TfrmValasz::~TfrmValasz()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmValasz *TfrmValasz::instance()
{
    return g_instance;
}

void TfrmValasz::FormCreate()
{
    setObjectName(QStringLiteral("frmValasz"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(318, 150);

    lblKerdes = new QLabel(this);
    lblKerdes->setObjectName(QStringLiteral("lblKerdes"));
    QFont messageFont(dialogFont);
    messageFont.setPixelSize(16);
    lblKerdes->setFont(messageFont);
    lblKerdes->setAlignment(Qt::AlignCenter);
    lblKerdes->setWordWrap(true);
    lblKerdes->setContentsMargins(kTextMarginX, kTextMarginY, kTextMarginX, kTextMarginY);
    // File names may hold "<" and "&": never read a message as markup.
    lblKerdes->setTextFormat(Qt::PlainText);

    pnlGombok = new QWidget(this);
    pnlGombok->setObjectName(QStringLiteral("pnlGombok"));

    const auto makeButton = [this](const char16_t *name, const QString &caption, QRect geometry,
                                   QStyle::StandardPixmap glyph) {
        auto *button = new QPushButton(caption, pnlGombok);
        button->setObjectName(QString::fromUtf16(name));
        button->setGeometry(geometry);
        button->setIcon(style()->standardIcon(glyph));
        button->setAutoDefault(true);
        return button;
    };
    bbtnMegsem = makeButton(u"bbtnMegsem", captionMegsem(), QRect(208, kButtonTop, 89, 24),
                            QStyle::SP_DialogCancelButton);
    bbtnNem = makeButton(u"bbtnNem", captionNem(), QRect(kMiddleSlot, kButtonTop, 82, 24),
                         QStyle::SP_DialogNoButton);
    bbtnNem->hide();
    bbtnOk = makeButton(u"bbtnOk", captionOk(), QRect(kLeftSlot, kButtonTop, 81, 24),
                        QStyle::SP_DialogOkButton);
    bbtnOk->setDefault(true);
    setTabOrder(bbtnMegsem, bbtnNem);
    setTabOrder(bbtnNem, bbtnOk);

    tmrIdo = new QTimer(this);
    tmrIdo->setObjectName(QStringLiteral("tmrIdo"));
    tmrElorehoz = new QTimer(this);
    tmrElorehoz->setObjectName(QStringLiteral("tmrElorehoz"));
    tmrElorehoz->setInterval(kPopupRefreshMs);

    connect(bbtnMegsem, &QPushButton::clicked, this, &TfrmValasz::bbtnMegsemClick);
    connect(bbtnNem, &QPushButton::clicked, this, &TfrmValasz::bbtnNemClick);
    connect(bbtnOk, &QPushButton::clicked, this, &TfrmValasz::bbtnOkClick);
    connect(tmrIdo, &QTimer::timeout, this, &TfrmValasz::tmrIdoTimer);
    connect(tmrElorehoz, &QTimer::timeout, this, &TfrmValasz::tmrElorehozTimer);
    layOutChildren();
}

void TfrmValasz::layOutChildren()
{
    const bool panelShown = !pnlGombok->isHidden();
    const int labelHeight = panelShown ? height() - kPanelHeight : height();
    lblKerdes->setGeometry(0, 0, width(), std::max(0, labelHeight));
    pnlGombok->setGeometry(0, height() - kPanelHeight, width(), kPanelHeight);
}

void TfrmValasz::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOutChildren();
}

void TfrmValasz::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        // Esc presses the cancel button while it is shown, and does nothing else.
        if (bbtnMegsem->isVisibleTo(this) && isVisible())
            bbtnMegsem->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmValasz::closeEvent(QCloseEvent *event)
{
    // Only the buttons, the keys, the auto-close and HideBusy end a use; they
    // hide the dialog without a close event.
    event->ignore();
}

void TfrmValasz::applyOuterGeometry()
{
    const QRect frame = frameGeometry();
    const int frameWidth = frame.width() - width();
    const int frameHeight = frame.height() - height();
    setFixedSize(std::max(1, m_outer.width() - frameWidth),
                 std::max(1, m_outer.height() - frameHeight));
    move(m_outer.topLeft());
}

void TfrmValasz::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The window system may tell the frame's size only now.
    if (m_outer.isValid() && frameGeometry().size() != m_outer.size())
        applyOuterGeometry();
}

void TfrmValasz::FitDialogToMessage(QString &message)
{
    tmrElorehoz->start();
    // Where the platform knows the frame before the first show, learn it.
    if (!testAttribute(Qt::WA_WState_Created))
        create();
    const QRect frame = frameGeometry();
    const QRect monitor = monitorNearest(frame.topLeft());

    MessageFitRequest request;
    request.message = message;
    request.left = frame.x();
    request.width = frame.width();
    // The label spans the client area; the text keeps within its margins.
    request.labelWidth = width() - 2 * kTextMarginX;
    request.screenLeft = monitor.x();
    request.screenRight = monitor.x() + monitor.width();
    request.textWidth = [metrics = QFontMetrics(lblKerdes->font())](QStringView text) {
        int widest = 0;
        for (const QStringView line : text.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line.toString()));
        return widest;
    };
    const MessageFit fit = ::FitDialogToMessage(request);
    m_outer = QRect(fit.left, frame.y(), fit.width, fit.height);
    applyOuterGeometry();
    message = fit.text;
}

void TfrmValasz::prepare(const QString &message)
{
    const QPoint centre = mainWindowCentre(this);
    const QRect before = frameGeometry();
    move(centre.x() - before.width() / 2, centre.y() - before.height() / 2);

    QString text = message;
    FitDialogToMessage(text);

    // Centred vertically too, and on the monitor.
    const QRect monitor = monitorNearest(m_outer.topLeft());
    int top = centre.y() - m_outer.height() / 2;
    top = std::min(top, monitor.y() + monitor.height() - m_outer.height());
    top = std::max(top, monitor.y());
    m_outer.moveTop(top);
    move(m_outer.topLeft());
    lblKerdes->setText(text);
}

QPushButton *TfrmValasz::rememberedFocus() const
{
    if (m_lastFocus && m_lastFocus->isVisibleTo(this))
        return m_lastFocus;
    for (QPushButton *button : {bbtnMegsem, bbtnNem, bbtnOk}) {
        if (button->isVisibleTo(this))
            return button;
    }
    return bbtnOk;
}

void TfrmValasz::runModal(QPushButton *focus)
{
    (focus ? focus : rememberedFocus())->setFocus();
    m_inModal = true;
    exec();
    m_inModal = false;
    // Whatever ended the use, its timers end with it.
    tmrIdo->stop();
    tmrElorehoz->stop();
}

void TfrmValasz::rememberFocus()
{
    // Read while the dialog is still shown: a late activation of the hidden
    // window may move its focus to the first button.
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
        m_lastFocus = button;
}

QChar TfrmValasz::AskYesNo(const QString &message)
{
    // A question asked while this dialog waits for an answer gets its own.
    if (m_inModal)
        return TfrmValasz(parentWidget()).AskYesNo(message);
    if (m_busy)
        HideBusy();
    prepare(message);
    bbtnMegsem->setText(captionNem());
    bbtnOk->setText(captionIgen());
    bbtnOk->move(kMiddleSlot, kButtonTop);
    runModal(bbtnOk);
    return m_answer;
}

QChar TfrmValasz::AskYesCancel(const QString &message)
{
    if (m_inModal)
        return TfrmValasz(parentWidget()).AskYesCancel(message);
    if (m_busy)
        HideBusy();
    prepare(message);
    bbtnMegsem->setText(captionMegsem());
    bbtnOk->setText(captionIgen());
    bbtnOk->move(kMiddleSlot, kButtonTop);
    runModal(nullptr);
    return m_answer;
}

QChar TfrmValasz::AskYesNoCancel(const QString &message)
{
    if (m_inModal)
        return TfrmValasz(parentWidget()).AskYesNoCancel(message);
    if (m_busy)
        HideBusy();
    prepare(message);
    bbtnMegsem->setText(captionMegsem());
    bbtnOk->setText(captionIgen());
    bbtnNem->setText(captionNem());
    bbtnOk->move(kLeftSlot, kButtonTop);
    bbtnNem->show();
    runModal(nullptr);
    const QChar answer = m_answer;
    bbtnNem->hide();
    return answer;
}

void TfrmValasz::ShowInfo(const QString &message)
{
    if (m_inModal) {
        TfrmValasz(parentWidget()).ShowInfo(message);
        return;
    }
    if (m_busy)
        HideBusy();
    prepare(message);
    bbtnMegsem->hide();
    bbtnOk->setText(captionOk());
    runModal(nullptr);
    bbtnMegsem->show();
}

void TfrmValasz::ShowInfoTimed(const QString &message, int milliseconds)
{
    if (m_inModal) {
        TfrmValasz(parentWidget()).ShowInfoTimed(message, milliseconds);
        return;
    }
    tmrIdo->setInterval(std::max(0, milliseconds));
    tmrIdo->start();
    ShowInfo(message);
}

void TfrmValasz::ShowBusy(const QString &message)
{
    // Waiting for an answer: a notice now would take over the question.
    if (m_inModal)
        return;
    // The stay-on-top flag can only change while the window is hidden; a
    // notice already up keeps its window and only changes its text.
    const bool shownAlready =
        m_busy && isVisible() && windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (!shownAlready)
        hide();
    prepare(message);
    pnlGombok->hide();
    layOutChildren();
    if (!shownAlready) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_busy = true;
        show();
    }
    raise();
    paintBeforeReturning();
}

void TfrmValasz::paintBeforeReturning()
{
    // The caller will not return to the event loop until the work is done,
    // so the notice must be on screen now. The window system maps a new
    // window a moment later: until it is exposed, a repaint paints nothing.
    constexpr qint64 kExposeWaitMs = 2000;
    QElapsedTimer waited;
    waited.start();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // A minimised program shows nothing, however long it waits.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const bool canShow = !(owner && owner->isMinimized());
    while (canShow && !(windowHandle() && windowHandle()->isExposed()) &&
           waited.elapsed() < kExposeWaitMs) {
        QThread::msleep(5);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
    // Hands the painted picture to the window system.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmValasz::HideBusy()
{
    tmrElorehoz->stop();
    if (m_inModal)
        return;
    hide();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    pnlGombok->show();
    layOutChildren();
    m_busy = false;
}

void TfrmValasz::FinishBusy(const QString &message)
{
    HideBusy();
    // The work is over for the user: the message shows the normal cursor,
    // whatever hourglass the caller still holds.
    const platform::NormalCursor normal;
    QApplication::beep();
    ShowInfo(message);
}

QString TfrmValasz::BusyText() const
{
    return lblKerdes->text();
}

void TfrmValasz::SetBusyText(const QString &text)
{
    lblKerdes->setText(text);
    if (isVisible())
        repaint();
}

void TfrmValasz::pressed(QPushButton *button, int result)
{
    tmrElorehoz->stop();
    tmrIdo->stop();
    const QString caption = button->text();
    if (!caption.isEmpty())
        m_answer = caption.front();
    rememberFocus();
    done(result);
}

void TfrmValasz::bbtnMegsemClick()
{
    pressed(bbtnMegsem, QDialog::Rejected);
}

void TfrmValasz::bbtnOkClick()
{
    pressed(bbtnOk, QDialog::Accepted);
}

void TfrmValasz::bbtnNemClick()
{
    pressed(bbtnNem, kNoResult);
}

void TfrmValasz::tmrIdoTimer()
{
    tmrIdo->stop();
    tmrElorehoz->stop();
    if (m_inModal) {
        rememberFocus();
        done(QDialog::Accepted);
    }
}

void TfrmValasz::tmrElorehozTimer()
{
    if (!isVisible()) {
        tmrElorehoz->stop();
        return;
    }
    raise();
    repaint();
}
