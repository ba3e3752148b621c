#include "dialogs/widgetprompts.h"

#include "dialogs/questions.h"

#include <QApplication>

QChar WidgetPrompts::askYesNo(const QString &question)
{
    return AskYesNo(question);
}

QChar WidgetPrompts::askYesCancel(const QString &question)
{
    return AskYesCancel(question);
}

QChar WidgetPrompts::askYesNoCancel(const QString &question)
{
    return AskYesNoCancel(question);
}

void WidgetPrompts::info(const QString &message)
{
    ShowInfo(message);
}

void WidgetPrompts::showBusy(const QString &text)
{
    m_busyCursor.emplace();
    ShowBusy(text);
    QApplication::processEvents();
}

void WidgetPrompts::progress(const QString &line)
{
    SetBusyText(BusyText() + QStringLiteral("\n") + line);
}

void WidgetPrompts::finishBusy(const QString &message)
{
    m_busyCursor.reset();
    FinishBusy(message);
}

void WidgetPrompts::hideBusy()
{
    HideBusy();
    m_busyCursor.reset();
}
