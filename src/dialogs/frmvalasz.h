#pragma once

#include <QChar>
#include <QDialog>
#include <QRect>
#include <QString>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPushButton;
class QResizeEvent;
class QShowEvent;
class QTimer;

// The one small dialog behind every question, message and busy notice. It
// sizes itself to the message (see messagefit.h) and wraps it within a
// margin from its edges, keeps its captions, button positions, focused
// button and Answer from one use to the next, and cannot be closed from the
// title bar. The program reaches it through the free
// functions of questions.h.
class TfrmValasz final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmValasz(QWidget *parent = nullptr);
    ~TfrmValasz() override;

    // The run's dialog: the first one created, until it is destroyed;
    // nullptr when there is none.
    static TfrmValasz *instance();

    // Questions: return "I" (Igen), "N" (Nem) or "M" (Mégsem), the first
    // letter of the pressed button's caption.
    QChar AskYesNo(const QString &message);
    QChar AskYesCancel(const QString &message);
    QChar AskYesNoCancel(const QString &message);
    // A message with one "Ok" button; returns when it is pressed.
    void ShowInfo(const QString &message);
    // As ShowInfo, and closes by itself after the interval.
    void ShowInfoTimed(const QString &message, int milliseconds);
    // Shows the message without buttons, on top, and returns at once.
    void ShowBusy(const QString &message);
    void HideBusy();
    // Ends a long operation: HideBusy, the arrow cursor back, a beep, ShowInfo.
    void FinishBusy(const QString &message);

    // The busy notice's message; setting it repaints the notice at once.
    QString BusyText() const;
    void SetBusyText(const QString &text);

    // The first letter of the caption of the button that last closed the
    // dialog; not reset between uses.
    QChar Answer() const { return m_answer; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    // Waits until the window system shows the notice, then paints it.
    void paintBeforeReturning();
    void bbtnMegsemClick();
    void bbtnOkClick();
    void bbtnNemClick();
    void tmrIdoTimer();
    void tmrElorehozTimer();

    // Sizes, places and wraps for the message; message becomes the wrapped text.
    void FitDialogToMessage(QString &message);
    // Centres over the main window, fits, and puts the text into the label.
    void prepare(const QString &message);
    // Shows modally with the focus on focus (or where the last use left it).
    void runModal(QPushButton *focus);
    void pressed(QPushButton *button, int result);
    // The focused button, kept for the next use that does not choose one.
    void rememberFocus();
    QPushButton *rememberedFocus() const;
    void layOutChildren();
    // Gives the dialog the outer geometry m_outer with the frame it has now.
    void applyOuterGeometry();

    QLabel *lblKerdes = nullptr;
    QWidget *pnlGombok = nullptr;
    QPushButton *bbtnMegsem = nullptr;
    QPushButton *bbtnNem = nullptr;
    QPushButton *bbtnOk = nullptr;
    QTimer *tmrIdo = nullptr;
    QTimer *tmrElorehoz = nullptr;

    QRect m_outer; // wanted outer geometry, frame and title bar included
    QChar m_answer;
    QPushButton *m_lastFocus = nullptr;
    bool m_inModal = false;
    bool m_busy = false;
};
