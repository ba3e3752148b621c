#pragma once

#include <QChar>
#include <QString>

// The program's questions, messages and busy notices, all shown by the one
// question dialog created at start-up (TfrmValasz::instance()). Without that
// dialog the modal ones use a dialog of their own for the call, and the busy
// notice calls do nothing.

// "I" (Igen) or "N" (Nem); Enter answers "I", Esc "N".
QChar AskYesNo(const QString &message);
// "I" (Igen) or "M" (Mégsem); Esc answers "M".
QChar AskYesCancel(const QString &message);
// "I" (Igen), "N" (Nem) or "M" (Mégsem); Esc answers "M".
QChar AskYesNoCancel(const QString &message);
// The message with one "Ok" button; returns when it is pressed.
void ShowInfo(const QString &message);
// As ShowInfo, and closes by itself after the interval.
void ShowInfoTimed(const QString &message, int milliseconds);
// Shows the message on top without buttons and returns at once.
void ShowBusy(const QString &message);
void HideBusy();
// HideBusy, the arrow cursor back, a beep, then the message with "Ok".
void FinishBusy(const QString &message);
// The busy notice's message; setting it repaints the notice at once.
QString BusyText();
void SetBusyText(const QString &text);
