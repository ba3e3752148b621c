#include "editor/frmSzoKeres.h"

#include "dialogs/questions.h"
#include "editor/documentreplace.h"
#include "editor/searchhistory.h"
#include "editor/searchseed.h"
#include "editor/textsearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace {

TfrmSzoKeres *g_instance = nullptr;

const QString kNext = QStringLiteral("Következő");
const QString kReplace = QStringLiteral("Cserél");

template <typename T> T *named(T *widget, const char *name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton *makeButton(QWidget *panel, const char *name, int top, const QString &caption)
{
    auto *button = named(new QPushButton(caption, panel), name, QRect(8, top, 89, 25));
    button->setAutoDefault(false);
    return button;
}

QComboBox *makeHistoryBox(QWidget *parent, const char *name, QRect geometry)
{
    auto *box = named(new QComboBox(parent), name, geometry);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The text searched and inserted is exactly the text typed: the history
    // is offered in a list under the box, never completed into the typed
    // text, and letter case counts. The box's own completer also decides
    // how Enter matches the typed text with an entry of the list.
    QCompleter *completer = box->completer();
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    return box;
}

void replaceHistory(QComboBox &box, const QString &text)
{
    const QString editText = box.currentText();
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    AddToHistoryList(items, text);
    box.clear();
    box.addItems(items);
    box.setEditText(editText);
}

} // namespace

TfrmSzoKeres::TfrmSzoKeres(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSzoKeres"));
    // The caption is the application's title, as it stands at creation.
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setModal(false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(14);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setFixedSize(607, 121);
    buildControls();
    if (!g_instance)
        g_instance = this;
}

TfrmSzoKeres::~TfrmSzoKeres()
{
    detachEditor();
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmSzoKeres *TfrmSzoKeres::instance()
{
    return g_instance;
}

void TfrmSzoKeres::buildControls()
{
    Label1 = named(new QLabel(QStringLiteral("Mit keres:"), this), "Label1", QRect(16, 16, 78, 16));
    cobMit = makeHistoryBox(this, "cobMit", QRect(96, 8, 393, 24));
    lblMire =
        named(new QLabel(QStringLiteral("Mire cseréli:"), this), "lblMire", QRect(16, 48, 78, 16));
    cobMire = makeHistoryBox(this, "cobMire", QRect(96, 40, 337, 24));
    spbCsere = named(new QToolButton(this), "spbCsere", QRect(440, 40, 49, 25));
    spbCsere->setText(QStringLiteral("Csere"));
    spbCsere->setAutoRaise(true);
    chbKisNagyKul = named(new QCheckBox(QStringLiteral("Kis- és nagybetűk különböznek"), this),
                          "chbKisNagyKul", QRect(16, 72, 220, 17));
    chbTeljSzo = named(new QCheckBox(QStringLiteral("Csak ha ez a teljes szó"), this), "chbTeljSzo",
                       QRect(16, 96, 220, 17));
    GroupBox1 =
        named(new QGroupBox(QStringLiteral("Irány"), this), "GroupBox1", QRect(240, 72, 249, 41));
    rbLe =
        named(new QRadioButton(QStringLiteral("Lefelé"), GroupBox1), "rbLe", QRect(8, 18, 70, 17));
    rbFel = named(new QRadioButton(QStringLiteral("Felfelé"), GroupBox1), "rbFel",
                  QRect(82, 18, 72, 17));
    rbMindenutt = named(new QRadioButton(QStringLiteral("Mindenütt"), GroupBox1), "rbMindenutt",
                        QRect(158, 18, 88, 17));
    rbLe->setChecked(true);
    // The texts keep their places and take the width their captions need.
    for (QWidget *text :
         std::initializer_list<QWidget *>{Label1, lblMire, chbKisNagyKul, chbTeljSzo})
        text->resize(text->sizeHint());
    Panel1 = named(new QFrame(this), "Panel1", QRect(width() - 104, 0, 104, height()));
    bbtnKovKer = makeButton(Panel1, "bbtnKovKer", 8, kNext);
    bbtnKovKer->setDefault(true);
    bbtnKihagy = makeButton(Panel1, "bbtnKihagy", 35, QStringLiteral("Kihagy"));
    bbtnMind = makeButton(Panel1, "bbtnMind", 62, QStringLiteral("Mindet"));
    bbtnMegsem = makeButton(Panel1, "bbtnMegsem", 89, QStringLiteral("Bezár"));

    connect(bbtnKovKer, &QPushButton::clicked, this, &TfrmSzoKeres::bbtnKovKerClick);
    connect(bbtnKihagy, &QPushButton::clicked, this, &TfrmSzoKeres::bbtnKihagyClick);
    connect(bbtnMind, &QPushButton::clicked, this, &TfrmSzoKeres::bbtnMindClick);
    connect(bbtnMegsem, &QPushButton::clicked, this, &QDialog::reject);
    connect(spbCsere, &QToolButton::clicked, this, &TfrmSzoKeres::ToggleReplaceMode);
    // Typed or picked from the history, never set by the dialog itself.
    connect(cobMit->lineEdit(), &QLineEdit::textEdited, this, &TfrmSzoKeres::cobMitChange);
    connect(cobMit, &QComboBox::activated, this, &TfrmSzoKeres::cobMitChange);
    // Enter in the list of history texts the boxes offer searches the typed
    // text at once, as Enter in the box does; an entry picked from the list
    // only takes its place in the box.
    for (QComboBox *box : {cobMit, cobMire})
        box->completer()->popup()->installEventFilter(this);
    // A round of "Mindenütt" holds only for the options it began with.
    for (QAbstractButton *option :
         std::initializer_list<QAbstractButton *>{chbKisNagyKul, chbTeljSzo, rbMindenutt})
        connect(option, &QAbstractButton::toggled, this, [this] { m_roundStart.reset(); });

    showReplaceControls(false);
}

void TfrmSzoKeres::ShowFindDialog(QTextEdit &control)
{
    if (isVisible() && m_searchEditor != &control) {
        // Each control gets back its own setting, however the dialog moves.
        detachEditor();
        attachEditor(control);
    }
    m_searchEditor = &control;
    m_replaceMode = false;
    m_searchFresh = true;
    m_matchSelected = false;
    m_roundStart.reset();
    bbtnKovKer->setText(kNext);
    spbCsere->setText(QStringLiteral("Csere"));
    showReplaceControls(false);
    m_notFoundPrefix.clear();
    SeedSearchText();
    if (!isVisible()) {
        show();
        // Centred by the frame, which is known once the window is shown.
        if (QWidget *owner = parentWidget()) {
            const QRect frame = frameGeometry();
            move(pos() + owner->window()->frameGeometry().center() - frame.center());
        }
    }
    raise();
    activateWindow();
}

void TfrmSzoKeres::ShowReplaceDialog(QTextEdit &control)
{
    ShowFindDialog(control);
    ToggleReplaceMode();
}

void TfrmSzoKeres::SeedSearchText()
{
    if (!m_searchEditor)
        return;
    const QTextCursor cursor = m_searchEditor->textCursor();
    const SearchSeed seed =
        ::SeedSearchText(SearchableText(*m_searchEditor->document()), cursor.selectionStart(),
                         cursor.selectionEnd() - cursor.selectionStart());
    cobMit->setEditText(seed.text);
    m_searchStartPos = seed.startPos;
}

void TfrmSzoKeres::bbtnKovKerClick()
{
    AddToSearchHistory(cobMit->currentText());
    if (m_replaceMode && cobMire->currentText() != cobMit->currentText())
        AddToSearchHistory(cobMire->currentText());
    if (!m_searchEditor)
        return;
    int start = 0;
    if (!m_replaceMode) {
        start = startBehindSelection();
    } else if (m_searchFresh) {
        start = startOfFreshSearch();
    } else if (!matchStillSelected()) {
        // After an interruption the selection is the user's, not a match:
        // find first, so that nothing the user never chose is replaced.
        start = m_searchInterrupted ? startAtSelection() : startBehindSelection();
    } else {
        const auto [first, behind] = replaceSelection();
        start = direction() == Direction::Up ? first : behind;
    }
    SearchNext(start);
}

std::pair<int, int> TfrmSzoKeres::replaceSelection()
{
    const QString replacement = cobMire->currentText();
    QTextCursor cursor = m_searchEditor->textCursor();
    const int start = cursor.selectionStart();
    const int length = cursor.selectionEnd() - start;
    if (m_searchEditor->isReadOnly())
        return {start, start + length};
    ReplaceRange(cursor, start, length, replacement);
    m_searchEditor->setTextCursor(cursor);
    if (m_roundStart && start < *m_roundStart)
        *m_roundStart += int(replacement.size()) - length;
    return {start, cursor.position()};
}

void TfrmSzoKeres::bbtnKihagyClick()
{
    if (m_searchEditor)
        SearchNext(startBehindSelection());
}

void TfrmSzoKeres::bbtnMindClick()
{
    const QString pattern = cobMit->currentText();
    const QString replacement = cobMire->currentText();
    AddToSearchHistory(pattern);
    if (replacement != pattern)
        AddToSearchHistory(replacement);
    if (!m_searchEditor)
        return;
    QTextDocument &document = *m_searchEditor->document();
    const QTextCursor cursor = m_searchEditor->textCursor();
    int from = 0;
    int to = document.characterCount();
    if (direction() == Direction::Down)
        from = m_searchFresh ? m_searchStartPos : cursor.selectionStart();
    else if (direction() == Direction::Up)
        to = m_searchFresh ? startOfFreshSearch() : cursor.selectionEnd();
    const SearchOptions options{chbKisNagyKul->isChecked(), chbTeljSzo->isChecked()};
    const int count = m_searchEditor->isReadOnly()
                          ? 0
                          : ReplaceAll(document, pattern, replacement, from, to, options);
    m_searchFresh = false;
    m_searchInterrupted = false;
    m_matchSelected = false;
    m_roundStart.reset();
    showSearchingState();
    ShowInfo(QString::number(count) + QStringLiteral(" csere történt"));
}

void TfrmSzoKeres::SearchNext(int start)
{
    const QString pattern = cobMit->currentText();
    const QString text = SearchableText(*m_searchEditor->document());
    const SearchOptions options{chbKisNagyKul->isChecked(), chbTeljSzo->isChecked()};
    int found = -1;
    switch (direction()) {
    case Direction::Down:
        found = FindForward(text, pattern, start, options);
        break;
    case Direction::Up:
        found = FindBackward(text, pattern, start, options);
        break;
    case Direction::Everywhere:
        found = findAround(text, pattern, start);
        break;
    }
    m_searchFresh = false;
    m_searchInterrupted = false;
    if (found >= 0) {
        QTextCursor cursor = m_searchEditor->textCursor();
        cursor.setPosition(found);
        cursor.setPosition(found + int(pattern.size()), QTextCursor::KeepAnchor);
        m_searchEditor->setTextCursor(cursor);
        m_matchSelected = true;
        m_matchStart = found;
        m_matchLength = int(pattern.size());
        m_notFoundPrefix = QStringLiteral("több ");
        bbtnKihagy->setEnabled(true);
        if (m_replaceMode)
            bbtnKovKer->setText(kReplace);
        return;
    }
    // A failed search leaves nothing selected to replace: the next press
    // searches again.
    m_matchSelected = false;
    m_roundStart.reset();
    ShowInfoTimed(QStringLiteral("Nem található ") + m_notFoundPrefix +
                      QStringLiteral("ilyen kifejezés"),
                  500);
    showSearchingState();
    cobMit->setFocus();
}

int TfrmSzoKeres::findAround(QStringView text, QStringView pattern, int start)
{
    const SearchOptions options{chbKisNagyKul->isChecked(), chbTeljSzo->isChecked()};
    if (!m_roundStart) {
        m_roundStart = start;
        m_roundWrapped = false;
    }
    if (!m_roundWrapped) {
        const int found = FindForward(text, pattern, start, options);
        if (found >= 0)
            return found;
        m_roundWrapped = true;
        start = 0;
    }
    // Back where the round began: everything has been seen once.
    return FindForward(text, pattern, start, options, *m_roundStart - 1);
}

void TfrmSzoKeres::ToggleReplaceMode()
{
    if (m_replaceMode) {
        m_replaceMode = false;
        spbCsere->setText(QStringLiteral("Csere"));
        bbtnKovKer->setText(kNext);
        showReplaceControls(false);
        return;
    }
    m_replaceMode = true;
    spbCsere->setText(QStringLiteral("Keres"));
    if (m_searchFresh || m_searchInterrupted || !matchStillSelected())
        showSearchingState();
    else {
        bbtnKihagy->setEnabled(true);
        bbtnKovKer->setText(kReplace);
    }
    showReplaceControls(true);
}

void TfrmSzoKeres::cobMitChange()
{
    if (m_searchEditor)
        m_searchStartPos = m_searchEditor->textCursor().selectionStart() + (m_replaceMode ? 1 : 0);
    MarkSearchInterrupted();
}

void TfrmSzoKeres::FormDeactivate()
{
    MarkSearchInterrupted();
}

void TfrmSzoKeres::MarkSearchInterrupted()
{
    m_searchInterrupted = true;
    m_matchSelected = false;
    m_roundStart.reset();
    showSearchingState();
}

void TfrmSzoKeres::showReplaceControls(bool visible)
{
    for (QWidget *replaceOnly :
         std::initializer_list<QWidget *>{bbtnKihagy, bbtnMind, lblMire, cobMire})
        replaceOnly->setVisible(visible);
}

void TfrmSzoKeres::showSearchingState()
{
    bbtnKihagy->setEnabled(false);
    bbtnKovKer->setText(kNext);
}

void TfrmSzoKeres::AddToSearchHistory(const QString &text)
{
    replaceHistory(*cobMit, text);
    replaceHistory(*cobMire, text);
}

bool TfrmSzoKeres::matchStillSelected() const
{
    if (!m_matchSelected || !m_searchEditor)
        return false;
    const QTextCursor cursor = m_searchEditor->textCursor();
    return cursor.selectionStart() == m_matchStart &&
           cursor.selectionEnd() - cursor.selectionStart() == m_matchLength;
}

int TfrmSzoKeres::startBehindSelection() const
{
    const QTextCursor cursor = m_searchEditor->textCursor();
    return direction() == Direction::Up ? cursor.selectionStart() : cursor.selectionEnd();
}

int TfrmSzoKeres::startAtSelection() const
{
    const QTextCursor cursor = m_searchEditor->textCursor();
    return direction() == Direction::Up ? cursor.selectionEnd() : cursor.selectionStart();
}

int TfrmSzoKeres::startOfFreshSearch() const
{
    // Upwards the seeded text itself is the first match too.
    if (direction() == Direction::Up)
        return m_searchStartPos + int(cobMit->currentText().size());
    return m_searchStartPos;
}

TfrmSzoKeres::Direction TfrmSzoKeres::direction() const
{
    if (rbFel->isChecked())
        return Direction::Up;
    if (rbMindenutt->isChecked())
        return Direction::Everywhere;
    return Direction::Down;
}

void TfrmSzoKeres::attachEditor(QTextEdit &control)
{
    if (m_hideSelectionSaved && m_searchEditor == &control)
        return;
    m_searchEditor = &control;
    control.installEventFilter(this);
    control.viewport()->installEventFilter(this);
    m_savedHideSelection = SaveHideSelection(control);
    m_hideSelectionSaved = true;
    SetHideSelection(control, false);
}

void TfrmSzoKeres::detachEditor()
{
    if (!m_searchEditor || !m_hideSelectionSaved)
        return;
    m_searchEditor->removeEventFilter(this);
    m_searchEditor->viewport()->removeEventFilter(this);
    RestoreHideSelection(*m_searchEditor, m_savedHideSelection);
    m_hideSelectionSaved = false;
}

void TfrmSzoKeres::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cobMit->setFocus();
    m_searchInterrupted = false;
    if (m_searchEditor)
        attachEditor(*m_searchEditor);
}

void TfrmSzoKeres::hideEvent(QHideEvent *event)
{
    detachEditor();
    QDialog::hideEvent(event);
}

void TfrmSzoKeres::changeEvent(QEvent *event)
{
    // The dialog's own messages are modal and leave nothing to interrupt.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) {
        const QWidget *now = QApplication::activeWindow();
        if (!now || !now->isModal())
            FormDeactivate();
    }
    QDialog::changeEvent(event);
}

bool TfrmSzoKeres::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == cobMit->completer()->popup() || watched == cobMire->completer()->popup())) {
        auto *list = static_cast<QAbstractItemView *>(watched);
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !list->currentIndex().isValid()) {
            list->hide();
            bbtnKovKer->click();
            return true;
        }
    }
    // A click into the searched control counts as leaving the dialog even
    // where the window system does not report it.
    if (isVisible() && m_searchEditor &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) &&
        (watched == m_searchEditor || watched == m_searchEditor->viewport()))
        FormDeactivate();
    return QDialog::eventFilter(watched, event);
}
