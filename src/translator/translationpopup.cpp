#include "translator/translationpopup.h"

#include "platform/text/textfunctions.h"
#include "store/dm1.h"
#include "store/engine/engine_error.h"
#include "store/engine/field.h"
#include "translator/canvassurface.h"
#include "translator/colorref.h"
#include "translator/popupicons.h"
#include "translator/popuplayout.h"
#include "translator/resultsort.h"
#include "translator/textmeasurer.h"
#include "translator/timage.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace translator {
namespace {

constexpr int kWordBoxLeft = 5;
constexpr int kWordBoxTop = 1;
constexpr int kIconSlotLeft = 1; // the sort or the restore-order icon
constexpr int kCloseIconLeft = kIconSlotLeft + kIconWidth;

void paintBackground(QWidget &widget, Colour colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

TImage *makeIcon(QWidget *parent, const char *name, const QImage &picture, int left)
{
    auto *icon = new TImage(parent);
    icon->setObjectName(QLatin1String(name));
    icon->setPicture(picture);
    icon->setGeometry(left, 0, kIconWidth, kIconHeight);
    return icon;
}

} // namespace

TranslationPopup::TranslationPopup(store::Table &table, store::Field &source, store::Field &target,
                                   QWidget *textPane, QWidget *parent)
    : QWidget(parent), m_forms(std::make_unique<WordForms>()), m_lookup(table, source, target),
      m_textPane(textPane)
{
    m_lookup.setWordForms(m_forms.get());
    buildControls();
    PrepareCanvas();
    hide();
}

TranslationPopup::TranslationPopup(TDM1 &dataModule, QWidget *textPane, QWidget *parent)
    : TranslationPopup(dataModule.tblSzotarP, *dataModule.tblSzotarPAngol,
                       *dataModule.tblSzotarPMagyar, textPane, parent)
{
    // The analyser of the source language loads while the user reads on.
    connect(&dataModule, &TDM1::directionApplied, this,
            [this, &dataModule] { m_forms->preload(dataModule.tblSzotarPAngol->fieldName()); });
}

TranslationPopup::~TranslationPopup() = default;

void TranslationPopup::buildControls()
{
    setObjectName(QStringLiteral("pnlUzen"));
    setGeometry(176, 40, 265, 145);
    paintBackground(*this, kPopupNavy); // the 1-pixel frame around the panels

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    m_pnlSzo = new QWidget(this);
    m_pnlSzo->setObjectName(QStringLiteral("pnlSzo"));
    m_pnlSzo->setFixedHeight(kWordBarHeight);
    paintBackground(*m_pnlSzo, kWordBarDesign);
    m_pnlSzo->installEventFilter(this);
    layout->addWidget(m_pnlSzo);

    m_edtSzo = new QLineEdit(m_pnlSzo);
    m_edtSzo->setObjectName(QStringLiteral("edtSzo"));
    m_edtSzo->setFrame(false);
    m_edtSzo->setText(QStringLiteral("Ég"));
    m_edtSzo->installEventFilter(this);
    setWordBoxColour(kAqua);

    m_pnlSarok = new QWidget(m_pnlSzo);
    m_pnlSarok->setObjectName(QStringLiteral("pnlSarok"));
    paintBackground(*m_pnlSarok, kWhite);
    m_imgBezar = makeIcon(m_pnlSarok, "imgBezar", CloseIconPicture(), kCloseIconLeft);
    m_imgRendez = makeIcon(m_pnlSarok, "imgRendez", SortIconPicture(), kIconSlotLeft);
    m_imgCikCakk = makeIcon(m_pnlSarok, "imgCikCakk", ZigZagIconPicture(), kIconSlotLeft);
    m_imgCikCakk->hide();
    connect(m_imgBezar, &TImage::clicked, this, &TranslationPopup::imgBezarClick);
    connect(m_imgRendez, &TImage::mousePressed, this, &TranslationPopup::imgRendezMouseDown);
    connect(m_imgCikCakk, &TImage::mousePressed, this, &TranslationPopup::imgCikCakkMouseDown);

    m_pnlFord = new QWidget(this);
    m_pnlFord->setObjectName(QStringLiteral("pnlFord"));
    paintBackground(*m_pnlFord, kPopupYellow);
    layout->addWidget(m_pnlFord, 1);

    // A fixed surface larger than any popup; the result area clips it.
    m_imgFord = new TImage(m_pnlFord);
    m_imgFord->setObjectName(QStringLiteral("imgFord"));
    m_imgFord->setGeometry(0, 0, kCanvasWidth, kCanvasHeight);
    m_imgFord->setAttribute(Qt::WA_OpaquePaintEvent);
    QImage canvas(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
    canvas.fill(toQColor(kPopupYellow));
    m_imgFord->setPicture(canvas);
    connect(m_imgFord, &TImage::mousePressed, this, &TranslationPopup::imgFordMouseDown);
    connect(m_imgFord, &TImage::mouseMoved, this, &TranslationPopup::imgFordMouseMove);
    connect(m_imgFord, &TImage::mouseReleased, this, &TranslationPopup::imgFordMouseUp);

    m_lblMinta = new QLabel(this);
    m_lblMinta->setObjectName(QStringLiteral("lblMinta"));
    QFont sample(QStringLiteral("MS Sans Serif"));
    sample.setPixelSize(13);
    // Drawn and measured letter by letter, as the result lines are laid out.
    sample.setKerning(false);
    m_lblMinta->setFont(sample);
    m_lblMinta->hide();
    // The word box and the canvas write in the same font.
    m_edtSzo->setFont(sample);
}

void TranslationPopup::PrepareCanvas()
{
    QFont font = m_lblMinta->font();
    font.setKerning(false);
    m_measurer = std::make_unique<TextMeasurer>(font, &m_imgFord->picture());
    const QFontMetrics metrics(font, &m_imgFord->picture());
    m_lineHeight = metrics.size(Qt::TextSingleLine, QStringLiteral("Áp")).height();
    m_imgFord->picture().fill(toQColor(kPopupYellow));
    m_imgFord->update();
}

const QImage &TranslationPopup::PopupCanvas() const
{
    return m_imgFord->picture();
}

QWidget *TranslationPopup::textPane() const
{
    return m_textPane ? m_textPane : parentWidget();
}

void TranslationPopup::setPopupAnchor(int x, int y)
{
    m_anchorX = x;
    m_anchorY = y;
}

QString TranslationPopup::popupWord() const
{
    return m_edtSzo->text();
}

void TranslationPopup::setWordBoxColour(Colour colour)
{
    m_wordBoxColour = colour;
    QPalette palette = m_edtSzo->palette();
    palette.setColor(QPalette::Base, toQColor(colour));
    m_edtSzo->setPalette(palette);
}

void TranslationPopup::LookUpWord(const QString &word)
{
    const LookupOutcome outcome = m_lookup.LookUpWord(word);
    const bool writeWordBox = !m_keepWordBoxText;
    if (writeWordBox)
        m_edtSzo->setText(outcome.word);
    setWordBoxColour(outcome.colour);
    DrawResultPopup();
    // A new lookup always shows the table order.
    m_imgRendez->show();
    m_imgCikCakk->hide();
    show();
    raise();
    m_edtSzo->setFocus();
    if (writeWordBox)
        m_edtSzo->end(false);
    m_keepWordBoxText = true;
    paintBackground(*m_pnlSzo, outcome.colour);
}

void TranslationPopup::DrawResultPopup()
{
    PopupLayoutInput input;
    input.keptWidth = isPopupShown() ? width() : 0;
    input.wordBoxText = m_edtSzo->text();
    input.lineHeight = m_lineHeight;
    input.anchorX = m_anchorX;
    input.anchorY = m_anchorY;
    const QWidget *pane = textPane();
    input.paneWidth = pane ? pane->width() : 0;
    input.paneHeight = pane ? pane->height() : 0;

    PopupGeometry geometry;
    {
        CanvasSurface surface(m_imgFord->picture(), *m_measurer,
                              m_lblMinta->palette().color(QPalette::WindowText));
        geometry = DrawResultLists(m_lookup.ResultLists(), surface, input);
    }
    m_imgFord->update();
    setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
}

void TranslationPopup::closePopup()
{
    hide();
    if (QWidget *pane = textPane())
        pane->setFocus();
}

void TranslationPopup::lookUpGuarded(const QString &word)
{
    // Called from event handlers: an engine error must not unwind through Qt.
    try {
        LookUpWord(word);
    } catch (const store::EngineError &error) {
        Q_EMIT lookupFailed(error.message());
    }
}

void TranslationPopup::imgBezarClick()
{
    closePopup();
}

void TranslationPopup::imgRendezMouseDown()
{
    // Anchored at the popup itself, the redraw keeps it where it is when it fits.
    setPopupAnchor(x(), y() - 30);
    SortResultLines(m_lookup.ResultLists());
    DrawResultPopup();
    m_imgCikCakk->show();
    m_imgRendez->hide();
}

void TranslationPopup::imgCikCakkMouseDown()
{
    setPopupAnchor(x(), y() - 30);
    lookUpGuarded(m_lookup.LastLookupWord());
    m_imgRendez->show();
    m_imgCikCakk->hide();
}

void TranslationPopup::imgFordMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    const QPoint at = event->position().toPoint();
    m_dragStartX = at.x();
    m_dragStartY = at.y();
}

void TranslationPopup::imgFordMouseMove(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint at = event->position().toPoint();
    move(x() + at.x() - m_dragStartX, y() + at.y() - m_dragStartY);
}

void TranslationPopup::imgFordMouseUp(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton)
        m_dragging = false;
    if (event->button() == Qt::RightButton)
        hide();
}

bool TranslationPopup::edtSzoKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    closePopup();
    return true;
}

void TranslationPopup::edtSzoKeyUp()
{
    // The release of the Esc that closed the popup must not open it again.
    if (isHidden())
        return;
    lookUpGuarded(TrimBlanks(m_edtSzo->text()));
}

bool TranslationPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edtSzo) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Esc belongs to the word box, before any shortcut of the window.
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                event->accept();
            break;
        case QEvent::KeyPress:
            if (edtSzoKeyDown(static_cast<QKeyEvent *>(event)))
                return true;
            break;
        case QEvent::KeyRelease:
            edtSzoKeyUp();
            break;
        default:
            break;
        }
    } else if (watched == m_pnlSzo && event->type() == QEvent::Resize) {
        // The word box keeps its left edge and grows with the bar; the icon
        // corner stays at the bar's right end.
        const int barWidth = m_pnlSzo->width();
        m_pnlSarok->setGeometry(barWidth - kIconCornerWidth, 0, kIconCornerWidth, kWordBarHeight);
        m_edtSzo->setGeometry(kWordBoxLeft, kWordBoxTop,
                              std::max(0, barWidth - kWordBoxLeft - kIconCornerWidth),
                              kWordBarHeight);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace translator
