// The formatting row and the format painter of the editor frame.
#include "editor/charformatting.h"
#include "editor/fontnamebox.h"
#include "editor/fontsizes.h"
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "editor/paragraphformatting.h"
#include "editor/strtofloatloose.h"
#include "platform/rtf/fontsize.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kDoubleClickMs = 700;
// Indent steps in points, as the file's \li counts them, not in pixels.
constexpr double kIndentStep = 10;
constexpr double kShiftIndentStep = 40;

charformat::Range selectionOf(const QTextEdit &editor)
{
    const QTextCursor cursor = editor.textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

// The font the selection's first character shows in, sized in points.
QFont selectionFont(const QTextEdit &editor)
{
    const QTextDocument &doc = *editor.document();
    const int start = editor.textCursor().selectionStart();
    const QTextCharFormat f = charformat::FormatAt(doc, start);
    QFont font = f.font().resolve(doc.defaultFont());
    font.setFamilies({charformat::FamilyAt(doc, start)});
    font.setPointSizeF(rtf::EffectivePointSize(f, doc.defaultFont()));
    return font;
}

} // namespace

void TfraREEszkTar::connectFormatting()
{
    // Buttons that act on the press; the frame watches their mouse presses.
    for (const char *name : {"spbSzin", "spbFelkov", "spbDolt", "spbAlahuzott", "spbNagyobbBetu",
                             "spbKisebbBetu", "spbFelsorol", "spbBehuzCsokk", "spbBehuzNov"})
        if (QToolButton *b = button(name))
            b->installEventFilter(this);
    if (QToolButton *b = button("spbBetuTip"))
        connect(b, &QToolButton::clicked, this, [this] { spbBetuTipClick(); });
    const std::pair<const char *, Qt::Alignment> alignments[] = {
        {"spbIgazitBal", Qt::AlignLeft | Qt::AlignAbsolute},
        {"spbIgazitKozep", Qt::AlignHCenter},
        {"spbIgazitJobb", Qt::AlignRight | Qt::AlignAbsolute},
        {"spbIgazitSorkiz", Qt::AlignJustify}};
    for (const auto &[name, alignment] : alignments)
        if (QToolButton *b = button(name))
            connect(b, &QToolButton::clicked, this, [this, a = alignment] { spbIgazitClick(a); });
    if (QToolButton *b = button("spbSorTor"))
        connect(b, &QToolButton::clicked, this, [this] { spbSorTorClick(); });

    connect(m_cobBetuMeret, &QComboBox::editTextChanged, this, &TfraREEszkTar::cobBetuMeretChange);
    connect(m_cobBetuTipNev, &QComboBox::currentIndexChanged, this,
            &TfraREEszkTar::cobBetuTipNevChange);
    if (auto *names = qobject_cast<FontNameBox *>(m_cobBetuTipNev))
        connect(names, &FontNameBox::closedUp, this, &TfraREEszkTar::cobBetuTipNevCloseUp);

    m_tmrDupKatt = new QTimer(this);
    m_tmrDupKatt->setObjectName(QStringLiteral("tmrDupKatt"));
    m_tmrDupKatt->setSingleShot(true);
    m_tmrDupKatt->setInterval(kDoubleClickMs);
    m_spbFormFest = button("spbFormFest");
    if (m_spbFormFest) {
        connect(m_spbFormFest, &QToolButton::clicked, this, [this] { spbFormFestClick(); });
        m_spbFormFest->installEventFilter(this);
    }
}

bool TfraREEszkTar::pressed(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    if (watched == m_spbFormFest) {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        spbFormFestDblClick();
        return true;
    }
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const bool shift = mouse->modifiers() & Qt::ShiftModifier;
    const QString name = watched->objectName();
    if (name == u"spbSzin")
        spbSzinMouseDown();
    else if (name == u"spbFelkov")
        spbFelkovMouseDown();
    else if (name == u"spbDolt")
        spbDoltMouseDown();
    else if (name == u"spbAlahuzott")
        spbAlahuzottMouseDown();
    else if (name == u"spbNagyobbBetu")
        spbNagyobbBetuMouseDown();
    else if (name == u"spbKisebbBetu")
        spbKisebbBetuMouseDown();
    else if (name == u"spbFelsorol")
        spbFelsorolMouseDown();
    else if (name == u"spbBehuzCsokk")
        spbBehuzCsokkMouseDown(shift);
    else if (name == u"spbBehuzNov")
        spbBehuzNovMouseDown(shift);
    else
        return false;
    // The press did the work; the button must not toggle on the release.
    return true;
}

void TfraREEszkTar::resync()
{
    if (QTextEdit *editor = boundEditor())
        SyncToolbarWithSelection(*this, *editor);
}

// Character formatting ----------------------------------------------------------

void TfraREEszkTar::spbSzinMouseDown()
{
    QTextEdit *editor = boundEditor();
    if (!editor || !m_formatDialogs.chooseColour)
        return;
    const QTextCharFormat f =
        charformat::FormatAt(*editor->document(), editor->textCursor().selectionStart());
    const QColor current = f.hasProperty(QTextFormat::ForegroundBrush)
                               ? f.foreground().color()
                               : editor->palette().color(QPalette::Text);
    if (const std::optional<QColor> chosen = m_formatDialogs.chooseColour(current))
        editor->setTextColor(*chosen);
    resync();
}

void TfraREEszkTar::spbBetuTipClick()
{
    QTextEdit *editor = boundEditor();
    if (!editor || !m_formatDialogs.chooseFont)
        return;
    if (const std::optional<QFont> chosen = m_formatDialogs.chooseFont(selectionFont(*editor))) {
        QTextCharFormat f;
        f.setFont(*chosen, QTextCharFormat::FontPropertiesSpecifiedOnly);
        f.setFontFamilies(QStringList{chosen->family()});
        f.setFontPointSize(rtf::FontPointSize(*chosen));
        editor->mergeCurrentCharFormat(f);
    }
    resync();
}

void TfraREEszkTar::spbFelkovMouseDown()
{
    if (QTextEdit *editor = boundEditor())
        charformat::ToggleStyle(*editor->document(), selectionOf(*editor), charformat::Style::Bold);
    resync();
}

void TfraREEszkTar::spbDoltMouseDown()
{
    if (QTextEdit *editor = boundEditor())
        charformat::ToggleStyle(*editor->document(), selectionOf(*editor),
                                charformat::Style::Italic);
    resync();
}

void TfraREEszkTar::spbAlahuzottMouseDown()
{
    if (QTextEdit *editor = boundEditor())
        charformat::ToggleStyle(*editor->document(), selectionOf(*editor),
                                charformat::Style::Underline);
    resync();
}

void TfraREEszkTar::spbNagyobbBetuMouseDown()
{
    if (QTextEdit *editor = boundEditor())
        charformat::GrowByOnePoint(*editor->document(), selectionOf(*editor));
    resync();
}

void TfraREEszkTar::spbKisebbBetuMouseDown()
{
    if (QTextEdit *editor = boundEditor())
        charformat::ShrinkByOnePoint(*editor->document(), selectionOf(*editor), FontShowsSize);
    resync();
}

void TfraREEszkTar::cobBetuMeretChange(const QString &text)
{
    QTextEdit *editor = boundEditor();
    if (!editor)
        return;
    charformat::SetPointSize(*editor->document(), selectionOf(*editor),
                             RoundHalfEven(StrToFloatLoose(text)));
}

void TfraREEszkTar::cobBetuTipNevChange()
{
    const QSignalBlocker quiet(m_cobBetuMeret);
    m_cobBetuMeret->clear();
    m_cobBetuMeret->clearEditText();
    if (m_cobBetuTipNev->currentIndex() >= 0)
        m_cobBetuMeret->addItems(SizesShownBy(m_cobBetuTipNev->currentText()));
    m_cobBetuMeret->setCurrentIndex(-1);
}

void TfraREEszkTar::cobBetuTipNevCloseUp()
{
    QTextEdit *editor = boundEditor();
    if (!editor)
        return;
    if (m_cobBetuTipNev->currentIndex() >= 0) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{m_cobBetuTipNev->currentText()});
        editor->mergeCurrentCharFormat(f);
    }
    editor->setFocus();
}

// Paragraph formatting ------------------------------------------------------------

void TfraREEszkTar::spbIgazitClick(Qt::Alignment alignment)
{
    if (QTextEdit *editor = boundEditor()) {
        const charformat::Range r = selectionOf(*editor);
        paragraphformat::SetAlignment(*editor->document(), r.start, r.length, alignment);
    }
    resync();
}

void TfraREEszkTar::spbFelsorolMouseDown()
{
    if (QTextEdit *editor = boundEditor()) {
        const charformat::Range r = selectionOf(*editor);
        paragraphformat::ToggleBullets(*editor->document(), r.start, r.length);
    }
}

void TfraREEszkTar::spbBehuzCsokkMouseDown(bool shift)
{
    if (QTextEdit *editor = boundEditor()) {
        const charformat::Range r = selectionOf(*editor);
        paragraphformat::StepFirstIndent(*editor->document(), r.start, r.length,
                                         -(shift ? kShiftIndentStep : kIndentStep));
    }
}

void TfraREEszkTar::spbBehuzNovMouseDown(bool shift)
{
    if (QTextEdit *editor = boundEditor()) {
        const charformat::Range r = selectionOf(*editor);
        paragraphformat::StepFirstIndent(*editor->document(), r.start, r.length,
                                         shift ? kShiftIndentStep : kIndentStep);
    }
}

void TfraREEszkTar::spbSorTorClick()
{
    QTextEdit *editor = boundEditor();
    const QToolButton *wrap = button("spbSorTor");
    if (!editor || !wrap)
        return;
    editor->setLineWrapMode(wrap->isChecked() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    editor->viewport()->update();
}

// Format painter ------------------------------------------------------------------

void TfraREEszkTar::spbFormFestClick()
{
    notePainterEvent(PainterEvent::Click);
}

void TfraREEszkTar::spbFormFestDblClick()
{
    notePainterEvent(PainterEvent::DoubleClick);
}

void TfraREEszkTar::PickUpFormat()
{
    QTextEdit *editor = boundEditor();
    if (!editor)
        return;
    FormatPainterStore &store = m_hosts->painter;
    store.picked = PickUpFormatAt(*editor->document(), editor->textCursor().selectionStart());
    store.pickedUp = true;
    store.FormatPainterArmed = true;
    editor->setFocus();
}

void TfraREEszkTar::notePainterEvent(PainterEvent event)
{
    if (!m_hosts)
        return;
    FormatPainterStore &store = m_hosts->painter;
    const PainterState state{store.FormatPainterSticky  ? PainterMode::Sticky
                             : store.FormatPainterArmed ? PainterMode::Single
                                                        : PainterMode::Idle,
                             m_tmrDupKatt->isActive()};
    const PainterStep step = PainterTransition(state, event);
    if (step.actions.disarm)
        DisarmFormatPainter(*this);
    if (step.actions.pickUp)
        PickUpFormat();
    if (step.actions.startTimer)
        m_tmrDupKatt->start();
    store.FormatPainterArmed = step.next.armed();
    store.FormatPainterSticky = step.next.sticky();
    if (m_spbFormFest) {
        // Held down while armed: a click cannot release it by toggling.
        const QSignalBlocker quiet(m_spbFormFest);
        m_spbFormFest->setChecked(step.next.armed());
    }
}
