#include "dialogs/questions.h"

#include "dialogs/frmvalasz.h"

namespace {

template <typename Use> auto withDialog(Use use)
{
    if (TfrmValasz *dialog = TfrmValasz::instance())
        return use(*dialog);
    TfrmValasz temporary;
    return use(temporary);
}

} // namespace

QChar AskYesNo(const QString &message)
{
    return withDialog([&](TfrmValasz &d) { return d.AskYesNo(message); });
}

QChar AskYesCancel(const QString &message)
{
    return withDialog([&](TfrmValasz &d) { return d.AskYesCancel(message); });
}

QChar AskYesNoCancel(const QString &message)
{
    return withDialog([&](TfrmValasz &d) { return d.AskYesNoCancel(message); });
}

void ShowInfo(const QString &message)
{
    withDialog([&](TfrmValasz &d) { d.ShowInfo(message); });
}

void ShowInfoTimed(const QString &message, int milliseconds)
{
    withDialog([&](TfrmValasz &d) { d.ShowInfoTimed(message, milliseconds); });
}

void ShowBusy(const QString &message)
{
    if (TfrmValasz *dialog = TfrmValasz::instance())
        dialog->ShowBusy(message);
}

void HideBusy()
{
    if (TfrmValasz *dialog = TfrmValasz::instance())
        dialog->HideBusy();
}

void FinishBusy(const QString &message)
{
    withDialog([&](TfrmValasz &d) { d.FinishBusy(message); });
}

QString BusyText()
{
    const TfrmValasz *dialog = TfrmValasz::instance();
    return dialog ? dialog->BusyText() : QString();
}

void SetBusyText(const QString &text)
{
    if (TfrmValasz *dialog = TfrmValasz::instance())
        dialog->SetBusyText(text);
}
