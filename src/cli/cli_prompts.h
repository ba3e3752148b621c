#pragma once

#include "cli/cli_io.h"
#include "platform/prompts.h"

#include <QTextStream>

#include <functional>

namespace cli {

class TerminalProgress;

// Prompts of the command-line tool: everything is written to err, one line
// each. A question is answered "Igen" when the user gave --yes; otherwise it
// is asked on answers (a terminal) when there is one, and without one it
// gets the answer that changes nothing: Nem to a yes/no question, Mégsem
// where it is offered, so that a script without --yes never destroys.
class CliPrompts final : public platform::Prompts {
public:
    CliPrompts(QTextStream &err, bool assumeYes, QTextStream *answers = nullptr)
        : m_err(err), m_answers(answers), m_assumeYes(assumeYes)
    {}

    QChar askYesNo(const QString &question) override;
    QChar askYesCancel(const QString &question) override;
    QChar askYesNoCancel(const QString &question) override;
    void info(const QString &message) override;
    void showBusy(const QString &text) override;
    void progress(const QString &line) override;
    void finishBusy(const QString &message) override;
    void hideBusy() override {}

    // A bar drawn on the same stream: every message first clears it, so that
    // no message is written over the bar.
    void setProgressBar(TerminalProgress *bar) { m_bar = bar; }

private:
    QChar answer(const QString &question, QChar negative);
    void write(const QString &text);

    QTextStream &m_err;
    QTextStream *m_answers;
    bool m_assumeYes;
    TerminalProgress *m_bar = nullptr;
};

// Runs a command with standard input as its answers when a person can
// answer there (a terminal), otherwise with nobody to ask.
int withTerminalAnswers(const std::function<int(QTextStream *answers)> &run);

// A command that changed nothing because its question was declined: says so
// on io.err, and when nobody could be asked, names the --yes option that
// would have done the work (to do what: "a végrehajtáshoz"). Returns
// kExitFailure.
int reportUnchanged(CliIo &io, const QString &unchanged, bool asked, bool assumeYes,
                    const QString &toDoIt = QStringLiteral("a végrehajtáshoz"));

} // namespace cli
