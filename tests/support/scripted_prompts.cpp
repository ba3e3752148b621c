#include "support/scripted_prompts.h"

QChar ScriptedPrompts::next(const QString &question, QChar fallback)
{
    m_log << QStringLiteral("ask: ") + question;
    if (m_answers.empty())
        return fallback;
    const QChar answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QChar ScriptedPrompts::askYesNo(const QString &question)
{
    return next(question, kNo);
}

QChar ScriptedPrompts::askYesCancel(const QString &question)
{
    return next(question, kCancel);
}

QChar ScriptedPrompts::askYesNoCancel(const QString &question)
{
    return next(question, kCancel);
}

void ScriptedPrompts::info(const QString &message)
{
    m_log << QStringLiteral("info: ") + message;
}

void ScriptedPrompts::showBusy(const QString &text)
{
    m_log << QStringLiteral("busy: ") + text;
    m_busyText = text;
    m_busy = true;
}

void ScriptedPrompts::progress(const QString &line)
{
    m_log << QStringLiteral("progress: ") + line;
    m_busyText += QStringLiteral("\n") + line;
}

void ScriptedPrompts::finishBusy(const QString &message)
{
    m_log << QStringLiteral("finish: ") + message;
    m_busy = false;
}

void ScriptedPrompts::hideBusy()
{
    m_log << QStringLiteral("hide");
    m_busy = false;
}
