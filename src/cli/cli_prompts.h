#pragma once

#include "platform/prompts.h"

#include <QTextStream>

namespace cli {

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

private:
    QChar answer(const QString &question, QChar negative);
    void write(const QString &text);

    QTextStream &m_err;
    QTextStream *m_answers;
    bool m_assumeYes;
};

} // namespace cli
