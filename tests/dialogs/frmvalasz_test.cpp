#include "dialogs/frmvalasz.h"
#include "dialogs/questions.h"
#include "platform/gui/busy_cursor.h"

#include "support/modal_answerer.h"
#include "support/printers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

enum class Use { YesNo, YesCancel, YesNoCancel, Info };

std::ostream &operator<<(std::ostream &os, Use use)
{
    switch (use) {
    case Use::YesNo:
        return os << "AskYesNo";
    case Use::YesCancel:
        return os << "AskYesCancel";
    case Use::YesNoCancel:
        return os << "AskYesNoCancel";
    case Use::Info:
        return os << "ShowInfo";
    }
    return os;
}

QChar call(Use use, const QString &message)
{
    switch (use) {
    case Use::YesNo:
        return AskYesNo(message);
    case Use::YesCancel:
        return AskYesCancel(message);
    case Use::YesNoCancel:
        return AskYesNoCancel(message);
    case Use::Info:
        ShowInfo(message);
        return QChar();
    }
    return QChar();
}

struct ButtonState {
    bool shown = false;
    QRect geometry;
    QString caption;
};

// What the dialog looked like while it was open.
struct Snapshot {
    ButtonState ok, nem, megsem;
    bool panelShown = false;
    QString focused;
    QRect frame;
    QString text;
    int labelWidth = 0;
    bool onTop = false;
    bool modal = false;
    Qt::CursorShape cursor = Qt::ArrowCursor; // what the pointer looks like
};

ButtonState buttonState(QWidget &dialog, const QString &name)
{
    auto *button = dialog.findChild<QPushButton *>(name);
    EXPECT_NE(button, nullptr) << name.toStdString();
    if (!button)
        return {};
    return {button->isVisibleTo(&dialog), button->geometry(), button->text()};
}

Snapshot snapshot(QWidget &dialog)
{
    Snapshot s;
    s.ok = buttonState(dialog, u"bbtnOk"_s);
    s.nem = buttonState(dialog, u"bbtnNem"_s);
    s.megsem = buttonState(dialog, u"bbtnMegsem"_s);
    auto *panel = dialog.findChild<QWidget *>(u"pnlGombok"_s);
    auto *label = dialog.findChild<QLabel *>(u"lblKerdes"_s);
    EXPECT_NE(panel, nullptr);
    EXPECT_NE(label, nullptr);
    if (panel)
        s.panelShown = panel->isVisibleTo(&dialog);
    if (label) {
        s.text = label->text();
        s.labelWidth = label->contentsRect().width();
    }
    if (QWidget *focused = dialog.focusWidget())
        s.focused = focused->objectName();
    s.frame = dialog.frameGeometry();
    s.onTop = dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    s.modal = dialog.isModal() || QApplication::activeModalWidget() == &dialog;
    if (const QCursor *cursor = QGuiApplication::overrideCursor())
        s.cursor = cursor->shape();
    return s;
}

// Takes a snapshot, then does what answer says.
ModalAnswerer::Action recordThen(Snapshot &into, ModalAnswerer::Action answer)
{
    return [&into, answer](QWidget &dialog) {
        into = snapshot(dialog);
        answer(dialog);
    };
}

ModalAnswerer::Action click(const char16_t *name)
{
    return ModalAnswerer::clickButton(QString::fromUtf16(name));
}

class QuestionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QGuiApplication::setApplicationDisplayName(u"Velkor szótár és fordító"_s);
        m_main.setGeometry(100, 80, 600, 400);
        m_main.show();
        m_dialog = std::make_unique<TfrmValasz>(&m_main);
        ASSERT_EQ(TfrmValasz::instance(), m_dialog.get());
    }

    template <typename T> T *child(const char16_t *name) const
    {
        return m_dialog->findChild<T *>(QString::fromUtf16(name));
    }

    // Runs one use and returns what the dialog looked like; answer ends it.
    Snapshot look(Use use, const QString &message, ModalAnswerer::Action answer,
                  QChar *result = nullptr)
    {
        Snapshot s;
        ModalAnswerer answerer(recordThen(s, std::move(answer)));
        const QChar r = call(use, message);
        EXPECT_TRUE(answerer.answered()) << use;
        if (result)
            *result = r;
        return s;
    }

    QWidget m_main;
    std::unique_ptr<TfrmValasz> m_dialog;
};

TEST_F(QuestionDialogTest, HasItsNamedPartsAndTheApplicationTitle)
{
    EXPECT_EQ(m_dialog->objectName(), u"frmValasz"_s);
    EXPECT_EQ(m_dialog->windowTitle(), u"Velkor szótár és fordító"_s);
    for (const char16_t *name : {u"bbtnOk", u"bbtnNem", u"bbtnMegsem"})
        EXPECT_NE(child<QPushButton>(name), nullptr);
    EXPECT_NE(child<QLabel>(u"lblKerdes"), nullptr);
    EXPECT_NE(child<QWidget>(u"pnlGombok"), nullptr);
    ASSERT_NE(child<QTimer>(u"tmrIdo"), nullptr);
    ASSERT_NE(child<QTimer>(u"tmrElorehoz"), nullptr);
    EXPECT_EQ(child<QTimer>(u"tmrElorehoz")->interval(), 200);
    EXPECT_EQ(child<QWidget>(u"pnlGombok")->height(), 43);
    // No close box in the title bar.
    const Qt::WindowFlags flags = m_dialog->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
}

// ---- Buttons of each wrapper -----------------------------------------------

struct LayoutCase {
    Use use;
    int okX;
    const char16_t *okCaption;
    bool nemShown;
    bool megsemShown;
    const char16_t *megsemCaption;
};

std::ostream &operator<<(std::ostream &os, const LayoutCase &c)
{
    return os << c.use;
}

class ButtonLayoutTest : public QuestionDialogTest,
                         public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ButtonLayoutTest, ShowsTheWrappersButtons)
{
    const LayoutCase &c = GetParam();
    const Snapshot s = look(c.use, u"Biztos?"_s, click(u"bbtnOk"));
    EXPECT_TRUE(s.panelShown);
    EXPECT_TRUE(s.ok.shown);
    EXPECT_EQ(s.ok.geometry, QRect(c.okX, 9, 81, 24));
    EXPECT_EQ(s.ok.caption, QString::fromUtf16(c.okCaption));
    EXPECT_EQ(s.nem.shown, c.nemShown);
    if (c.nemShown) {
        EXPECT_EQ(s.nem.geometry, QRect(114, 9, 82, 24));
        EXPECT_EQ(s.nem.caption, u"Nem"_s);
    }
    EXPECT_EQ(s.megsem.shown, c.megsemShown);
    if (c.megsemShown) {
        EXPECT_EQ(s.megsem.geometry, QRect(208, 9, 89, 24));
        EXPECT_EQ(s.megsem.caption, QString::fromUtf16(c.megsemCaption));
    }
    EXPECT_TRUE(s.modal);
    EXPECT_FALSE(s.onTop);
    EXPECT_FALSE(m_dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Wrappers, ButtonLayoutTest,
    ::testing::Values(LayoutCase{Use::YesNo, 114, u"Igen", false, true, u"Nem"},
                      LayoutCase{Use::YesCancel, 114, u"Igen", false, true, u"Mégsem"},
                      LayoutCase{Use::YesNoCancel, 21, u"Igen", true, true, u"Mégsem"},
                      LayoutCase{Use::Info, 21, u"Ok", false, false, u""}),
    [](const auto &info) {
        return velkor_test::caseName(::testing::PrintToString(info.param.use));
    });

struct OkPlaceCase {
    std::optional<Use> before;
    int expectedX;
};

std::ostream &operator<<(std::ostream &os, const OkPlaceCase &c)
{
    if (c.before)
        return os << "after " << *c.before;
    return os << "first use";
}

class InfoOkPlaceTest : public QuestionDialogTest,
                        public ::testing::WithParamInterface<OkPlaceCase> {};

TEST_P(InfoOkPlaceTest, OkStaysWhereThePreviousUseLeftIt)
{
    if (GetParam().before)
        look(*GetParam().before, u"Előtte"_s, click(u"bbtnOk"));
    for (int repeat = 0; repeat < 2; ++repeat) {
        const Snapshot s = look(Use::Info, u"Kész."_s, click(u"bbtnOk"));
        EXPECT_EQ(s.ok.geometry.x(), GetParam().expectedX) << "ShowInfo number " << repeat + 1;
        EXPECT_EQ(s.ok.caption, u"Ok"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, InfoOkPlaceTest,
                         ::testing::Values(OkPlaceCase{std::nullopt, 21},
                                           OkPlaceCase{Use::YesNo, 114},
                                           OkPlaceCase{Use::YesCancel, 114},
                                           OkPlaceCase{Use::YesNoCancel, 21}),
                         [](const auto &info) {
                             return velkor_test::caseName(
                                 info.param.before ? ::testing::PrintToString(*info.param.before)
                                                   : std::string("First"));
                         });

// ---- Answers ---------------------------------------------------------------

struct AnswerCase {
    Use use;
    const char16_t *button; // nullptr: Esc
    char16_t expected;
};

std::ostream &operator<<(std::ostream &os, const AnswerCase &c)
{
    return os << c.use << " "
              << (c.button ? QString::fromUtf16(c.button).toStdString() : std::string("Esc"));
}

class AnswerTest : public QuestionDialogTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTest, GivesTheFirstLetterOfThePressedCaption)
{
    const AnswerCase &c = GetParam();
    QChar result;
    look(c.use, u"Kérdés?"_s, c.button ? click(c.button) : ModalAnswerer::pressKey(Qt::Key_Escape),
         &result);
    EXPECT_EQ(result, QChar(c.expected));
    EXPECT_EQ(m_dialog->Answer(), QChar(c.expected));
    EXPECT_FALSE(m_dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Presses, AnswerTest,
                         ::testing::Values(AnswerCase{Use::YesNo, nullptr, u'N'},
                                           AnswerCase{Use::YesCancel, nullptr, u'M'},
                                           AnswerCase{Use::YesNoCancel, nullptr, u'M'},
                                           AnswerCase{Use::YesNo, u"bbtnOk", u'I'},
                                           AnswerCase{Use::YesNo, u"bbtnMegsem", u'N'},
                                           AnswerCase{Use::YesCancel, u"bbtnOk", u'I'},
                                           AnswerCase{Use::YesCancel, u"bbtnMegsem", u'M'},
                                           AnswerCase{Use::YesNoCancel, u"bbtnOk", u'I'},
                                           AnswerCase{Use::YesNoCancel, u"bbtnNem", u'N'},
                                           AnswerCase{Use::YesNoCancel, u"bbtnMegsem", u'M'}),
                         [](const auto &info) {
                             return velkor_test::caseName(::testing::PrintToString(info.param.use),
                                                          info.param.button ? info.param.button
                                                                            : u"Esc");
                         });

TEST_F(QuestionDialogTest, InfoIgnoresEscAndClosesOnEnter)
{
    bool shownAfterEsc = false;
    ModalAnswerer answerer([&](QWidget &dialog) {
        QTest::keyClick(ModalAnswerer::focusedIn(dialog), Qt::Key_Escape);
        shownAfterEsc = dialog.isVisible();
        QTest::keyClick(ModalAnswerer::focusedIn(dialog), Qt::Key_Return);
    });
    ShowInfo(u"Mentés kész"_s);
    EXPECT_TRUE(answerer.answered());
    EXPECT_TRUE(shownAfterEsc);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(QuestionDialogTest, CloseRequestFromTheWindowManagerIsRefused)
{
    bool closed = true;
    bool shownAfterClose = false;
    ModalAnswerer answerer([&](QWidget &dialog) {
        closed = dialog.close();
        shownAfterClose = dialog.isVisible();
        QTest::keyClick(ModalAnswerer::focusedIn(dialog), Qt::Key_Escape);
    });
    EXPECT_EQ(AskYesNoCancel(u"Mented?"_s), QChar(u'M'));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(shownAfterClose);
}

// ---- Focus and Enter -------------------------------------------------------

struct FocusCase {
    const char *what;
    std::function<void(QuestionDialogTest &)> before;
    Use use;
    const char16_t *expectedFocus;
    char16_t expectedAnswer;
};

std::ostream &operator<<(std::ostream &os, const FocusCase &c)
{
    return os << c.what;
}

class FocusTest : public QuestionDialogTest, public ::testing::WithParamInterface<FocusCase> {
public:
    using QuestionDialogTest::look;
};

TEST_P(FocusTest, EnterPressesTheFocusedButton)
{
    const FocusCase &c = GetParam();
    if (c.before)
        c.before(*this);
    QChar result;
    const Snapshot s =
        look(c.use, u"Folytatod?"_s, ModalAnswerer::pressKey(Qt::Key_Return), &result);
    EXPECT_EQ(s.focused, QString::fromUtf16(c.expectedFocus));
    EXPECT_EQ(result, QChar(c.expectedAnswer));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, FocusTest,
    ::testing::Values(
        FocusCase{"AskYesNo focuses Igen", nullptr, Use::YesNo, u"bbtnOk", u'I'},
        FocusCase{"first AskYesCancel on Megsem", nullptr, Use::YesCancel, u"bbtnMegsem", u'M'},
        FocusCase{"first AskYesNoCancel on Megsem", nullptr, Use::YesNoCancel, u"bbtnMegsem", u'M'},
        FocusCase{"AskYesCancel keeps the focus of AskYesNo",
                  [](QuestionDialogTest &t) {
                      static_cast<FocusTest &>(t).look(Use::YesNo, u"Első"_s,
                                                       ModalAnswerer::pressKey(Qt::Key_Return));
                  },
                  Use::YesCancel, u"bbtnOk", u'I'},
        FocusCase{"clicked Megsem keeps the focus",
                  [](QuestionDialogTest &t) {
                      static_cast<FocusTest &>(t).look(Use::YesNo, u"Első"_s, click(u"bbtnMegsem"));
                  },
                  Use::YesNoCancel, u"bbtnMegsem", u'M'},
        FocusCase{"AskYesNo after Megsem focuses Igen again",
                  [](QuestionDialogTest &t) {
                      static_cast<FocusTest &>(t).look(Use::YesCancel, u"Első"_s,
                                                       click(u"bbtnMegsem"));
                  },
                  Use::YesNo, u"bbtnOk", u'I'},
        FocusCase{"ShowInfo leaves the focus on Ok",
                  [](QuestionDialogTest &t) {
                      static_cast<FocusTest &>(t).look(Use::Info, u"Első"_s, click(u"bbtnOk"));
                  },
                  Use::YesCancel, u"bbtnOk", u'I'}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

// ---- The timed message -----------------------------------------------------

TEST_F(QuestionDialogTest, TimedInfoClosesItselfAndKeepsTheAnswer)
{
    look(Use::YesNo, u"Kérdés?"_s, ModalAnswerer::pressKey(Qt::Key_Escape));
    ASSERT_EQ(m_dialog->Answer(), QChar(u'N'));
    ShowInfoTimed(u"Elmentve"_s, 50); // returns without anyone pressing Ok
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->Answer(), QChar(u'N'));
    EXPECT_FALSE(child<QTimer>(u"tmrIdo")->isActive());
    EXPECT_FALSE(child<QTimer>(u"tmrElorehoz")->isActive());
}

TEST_F(QuestionDialogTest, TimedInfoPressedEarlyDoesNotCloseTheNextDialog)
{
    {
        ModalAnswerer early(click(u"bbtnOk"));
        ShowInfoTimed(u"Elmentve"_s, 150);
        ASSERT_TRUE(early.answered());
    }
    EXPECT_FALSE(child<QTimer>(u"tmrIdo")->isActive());
    // Answered only after the first message's interval is long over.
    bool stillShown = false;
    ModalAnswerer late(
        [&](QWidget &dialog) {
            stillShown = dialog.isVisible();
            QTest::keyClick(ModalAnswerer::focusedIn(dialog), Qt::Key_Return);
        },
        400);
    EXPECT_EQ(AskYesNo(u"Folytatod?"_s), QChar(u'I'));
    EXPECT_TRUE(late.answered());
    EXPECT_TRUE(stillShown);
}

// ---- Busy notice -----------------------------------------------------------

TEST_F(QuestionDialogTest, BusyNoticeShowsChangesAndHides)
{
    ShowBusy(u"Feltöltés folyamatban.\nVárj türelemmel..."_s);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_FALSE(m_dialog->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(m_dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(child<QWidget>(u"pnlGombok")->isHidden());
    EXPECT_EQ(child<QLabel>(u"lblKerdes")->height(), m_dialog->height());
    EXPECT_EQ(BusyText(), u"Feltöltés folyamatban.\nVárj türelemmel..."_s);

    // The busy notice cannot be dismissed by the keys.
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QTest::keyClick(m_dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(m_dialog->isVisible());

    SetBusyText(BusyText() + u"\n12 000 sor"_s);
    EXPECT_EQ(child<QLabel>(u"lblKerdes")->text(),
              u"Feltöltés folyamatban.\nVárj türelemmel...\n12 000 sor"_s);

    HideBusy();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_FALSE(m_dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(child<QWidget>(u"pnlGombok")->isHidden());
    EXPECT_FALSE(child<QTimer>(u"tmrElorehoz")->isActive());
}

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(QuestionDialogTest, BusyNoticeIsOnScreenWhenShowBusyReturns)
{
    // The work that follows does not return to the event loop: whatever is
    // not painted now stays blank until it is done.
    PaintCounter message(child<QLabel>(u"lblKerdes"));
    ShowBusy(u"Indexelés folyamatban"_s);
    ASSERT_NE(m_dialog->windowHandle(), nullptr);
    EXPECT_TRUE(m_dialog->windowHandle()->isExposed());
    EXPECT_GE(message.count, 1);
    HideBusy();
}

TEST_F(QuestionDialogTest, FinishBusyRestoresTheCursorAndWaitsForOk)
{
    Snapshot s;
    {
        // Two owners of the hourglass still hold it while the message is up.
        const platform::BusyCursor job;
        const platform::BusyCursor step;
        ShowBusy(u"Indexelés folyamatban"_s);
        ModalAnswerer answerer(recordThen(s, ModalAnswerer::pressKey(Qt::Key_Return)));
        FinishBusy(u"Indexelés kész"_s);
        EXPECT_TRUE(answerer.answered());
        EXPECT_EQ(s.cursor, Qt::ArrowCursor);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(s.text, u"Indexelés kész"_s);
    EXPECT_TRUE(s.panelShown);
    EXPECT_FALSE(s.onTop);
    EXPECT_TRUE(s.ok.shown);
    EXPECT_EQ(s.ok.caption, u"Ok"_s);
    EXPECT_FALSE(s.megsem.shown);
    EXPECT_FALSE(m_dialog->isVisible());
}

// Regression: a question asked while the busy notice was up came without buttons.
TEST_F(QuestionDialogTest, QuestionDuringBusyNoticeEndsTheNotice)
{
    ShowBusy(u"Törlés folyamatban"_s);
    Snapshot s;
    ModalAnswerer answerer(recordThen(s, ModalAnswerer::pressKey(Qt::Key_Escape)));
    EXPECT_EQ(AskYesNo(u"Folytatod?"_s), QChar(u'N'));
    EXPECT_TRUE(answerer.answered());
    EXPECT_TRUE(s.panelShown);
    EXPECT_TRUE(s.megsem.shown);
    EXPECT_FALSE(s.onTop);
    EXPECT_FALSE(m_dialog->isVisible());
}

// Regression: a question asked from inside an open question re-entered the
// same dialog's modal loop.
TEST_F(QuestionDialogTest, QuestionWhileAQuestionIsOpenGetsItsOwnDialog)
{
    QChar inner;
    bool innerAnswered = false;
    QString outerCaptionAfter;
    ModalAnswerer outer([&](QWidget &dialog) {
        {
            ModalAnswerer innerAnswerer(click(u"bbtnOk"));
            inner = AskYesNoCancel(u"Belső kérdés"_s);
            innerAnswered = innerAnswerer.answered();
        }
        outerCaptionAfter = dialog.findChild<QPushButton *>(u"bbtnMegsem"_s)->text();
        QTest::keyClick(ModalAnswerer::focusedIn(dialog), Qt::Key_Escape);
    });
    EXPECT_EQ(AskYesNo(u"Külső kérdés"_s), QChar(u'N'));
    EXPECT_TRUE(outer.answered());
    EXPECT_TRUE(innerAnswered);
    EXPECT_EQ(inner, QChar(u'I'));
    EXPECT_EQ(outerCaptionAfter, u"Nem"_s);
}

// ---- Size and place --------------------------------------------------------

struct SizeCase {
    const char *what;
    QString message;
    int width;
    int height;
};

std::ostream &operator<<(std::ostream &os, const SizeCase &c)
{
    return os << c.what;
}

QString words(int characters)
{
    QString out;
    while (out.size() < characters)
        out += u"szó "_s;
    return out.left(characters);
}

class DialogSizeTest : public QuestionDialogTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(DialogSizeTest, FitsTheMessage)
{
    const Snapshot s = look(Use::YesNo, GetParam().message, click(u"bbtnOk"));
    EXPECT_EQ(s.frame.width(), GetParam().width);
    EXPECT_EQ(s.frame.height(), GetParam().height);
    EXPECT_EQ(s.text, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Messages, DialogSizeTest,
                         ::testing::Values(SizeCase{"301 characters", words(301), 628, 200 + 140},
                                           SizeCase{"300 characters", words(300), 314, 200 + 140},
                                           SizeCase{"60 characters with 3 line feeds",
                                                    words(19) + u'\n' + words(19) + u'\n' +
                                                        words(9) + u'\n' + words(10),
                                                    314, 210},
                                           SizeCase{"short", u"Igen?"_s, 314, 143}),
                         [](const auto &info) { return velkor_test::caseName(info.param.what); });

TEST_F(QuestionDialogTest, NarrowsAgainAfterAWideMessage)
{
    look(Use::YesNo, words(400), click(u"bbtnOk"));
    const Snapshot s = look(Use::YesNo, u"Rövid"_s, click(u"bbtnOk"));
    EXPECT_EQ(s.frame.width(), 314);
}

TEST_F(QuestionDialogTest, IsCentredOverTheMainWindow)
{
    const Snapshot s = look(Use::YesCancel, u"Középen?"_s, click(u"bbtnOk"));
    const QPoint mainCentre = m_main.frameGeometry().center();
    EXPECT_LE(std::abs(s.frame.center().x() - mainCentre.x()), 1);
    EXPECT_LE(std::abs(s.frame.center().y() - mainCentre.y()), 1);
}

TEST_F(QuestionDialogTest, StaysOnTheMonitorNearTheRightEdge)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    m_main.setGeometry(screen.x() + screen.width() - 150, 100, 200, 200);
    const Snapshot s = look(Use::YesNo, u"A szélen"_s, click(u"bbtnOk"));
    EXPECT_EQ(s.frame.x() + s.frame.width(), screen.x() + screen.width());
    EXPECT_EQ(s.frame.width(), 314);
}

TEST_F(QuestionDialogTest, WrapsALongPathAfterASeparatorInTheLabelsFont)
{
    const QString path = u"C:\\Vegyes\\Szótár_QIV_Win_kar\\Nagyon_hosszú_alkönyvtár_neve\\"
                         u"Még_egy_hosszabb_alkönyvtár_neve_is\\Angol_Magyar_szótár_mentése.txt"_s;
    const Snapshot s = look(Use::YesNo, u"Nem található: "_s + path, click(u"bbtnOk"));
    ASSERT_TRUE(s.text.contains(u"\\\n"_s)) << s.text.toStdString();
    EXPECT_EQ(QString(s.text).remove(u'\n'), u"Nem található: "_s + path);
    // The label itself breaks at the spaces; no piece between them is too wide.
    const QFontMetrics metrics(child<QLabel>(u"lblKerdes")->font());
    for (const QString &line : s.text.split(u'\n')) {
        for (const QString &piece : line.split(u' '))
            EXPECT_LE(metrics.horizontalAdvance(piece), s.labelWidth) << piece.toStdString();
    }
    EXPECT_GE(s.frame.width(), 314);
}

TEST_F(QuestionDialogTest, LongWordWidensTheDialogToHoldIt)
{
    const QString word = QString(70, u'W');
    const Snapshot s = look(Use::Info, word, click(u"bbtnOk"));
    const QFontMetrics metrics(child<QLabel>(u"lblKerdes")->font());
    EXPECT_GT(s.frame.width(), 314);
    for (const QString &line : s.text.split(u'\n'))
        EXPECT_LE(metrics.horizontalAdvance(line), s.labelWidth) << line.toStdString();
}

// The columns of the dialog's picture, above the buttons, that differ from
// its background (the leftmost and rightmost).
std::pair<int, int> inkedColumns(const QImage &picture, int textHeight)
{
    const QRgb background = picture.pixel(0, 0);
    int left = picture.width();
    int right = -1;
    for (int y = 0; y < textHeight; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST_F(QuestionDialogTest, MessageTextKeepsAMarginFromTheDialogEdges)
{
    // Short pieces between slashes fill every line almost to the wrap width.
    QString path;
    for (int i = 0; i < 60; ++i)
        path += QChar(u'a' + i % 26) + u"/"_s;
    QImage picture;
    int textHeight = 0;
    ModalAnswerer answer([&](QWidget &d) {
        picture = d.grab().toImage();
        textHeight = d.findChild<QWidget *>(u"pnlGombok"_s)->y();
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    ShowInfo(path);
    ASSERT_TRUE(answer.answered());
    const auto [left, right] = inkedColumns(picture, textHeight);
    ASSERT_LE(left, right) << "no text painted";
    EXPECT_GE(left, 8);
    EXPECT_GE(picture.width() - 1 - right, 8);
}

// ---- Without the start-up dialog -------------------------------------------

TEST(QuestionsWithoutDialog, ModalWrappersUseATemporaryDialog)
{
    ASSERT_EQ(TfrmValasz::instance(), nullptr);
    ModalAnswerer answerer(ModalAnswerer::pressKey(Qt::Key_Escape));
    EXPECT_EQ(AskYesNo(u"Nincs ablak?"_s), QChar(u'N'));
    EXPECT_TRUE(answerer.answered());
    EXPECT_EQ(TfrmValasz::instance(), nullptr);
    // The busy notice needs the run's dialog; without one it does nothing.
    ShowBusy(u"Semmi"_s);
    EXPECT_EQ(BusyText(), QString());
    HideBusy();
}

} // namespace
