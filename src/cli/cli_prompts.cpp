#include "cli/cli_prompts.h"

#include "cli/terminal_progress.h"

#include <cstdio>

#include <unistd.h>

namespace cli {

int withTerminalAnswers(const std::function<int(QTextStream *answers)> &run)
{
    if (!isatty(STDIN_FILENO))
        return run(nullptr);
    QTextStream in(stdin);
    return run(&in);
}

int reportUnchanged(CliIo &io, const QString &unchanged, bool asked, bool assumeYes,
                    const QString &toDoIt)
{
    io.err << unchanged;
    if (!asked && !assumeYes)
        io.err << QStringLiteral(" Nincs kitől megkérdezni (nem terminálról fut); ") << toDoIt
               << QStringLiteral(" add meg a --yes kapcsolót.");
    io.err << u'\n';
    return kExitFailure;
}

QChar CliPrompts::answer(const QString &question, QChar negative)
{
    if (m_bar)
        m_bar->finish();
    if (!m_assumeYes && m_answers) {
        m_err << question << QStringLiteral(" [i/M] ");
        m_err.flush();
        const QString reply = m_answers->readLine().trimmed().toLower();
        return reply == u"i" || reply == u"igen" ? kYes : negative;
    }
    const QChar given = m_assumeYes ? kYes : negative;
    const QString word = given == kYes  ? QStringLiteral("Igen")
                         : given == kNo ? QStringLiteral("Nem")
                                        : QStringLiteral("Mégsem");
    write(question + QStringLiteral(" – ") + word);
    return given;
}

void CliPrompts::write(const QString &text)
{
    if (m_bar)
        m_bar->finish();
    m_err << text << QLatin1Char('\n');
    m_err.flush();
}

QChar CliPrompts::askYesNo(const QString &question)
{
    return answer(question, kNo);
}

QChar CliPrompts::askYesCancel(const QString &question)
{
    return answer(question, kCancel);
}

QChar CliPrompts::askYesNoCancel(const QString &question)
{
    return answer(question, kCancel);
}

void CliPrompts::info(const QString &message)
{
    write(message);
}

void CliPrompts::showBusy(const QString &text)
{
    write(text);
}

void CliPrompts::progress(const QString &line)
{
    write(line);
}

void CliPrompts::finishBusy(const QString &message)
{
    write(message);
}

} // namespace cli
