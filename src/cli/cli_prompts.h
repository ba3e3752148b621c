#pragma once

#include "platform/prompts.h"

#include <QTextStream>

namespace cli {

// Prompts of the command-line tool: everything is written to err, one line
// each, and nobody is asked: a question is answered "Igen" when the user
// gave --yes, otherwise with the answer that changes nothing: Nem to a
// yes/no question, Mégsem where it is offered.
class CliPrompts final : public platform::Prompts {
public:
    CliPrompts(QTextStream &err, bool assumeYes) : m_err(err), m_assumeYes(assumeYes) {}

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
    bool m_assumeYes;
};

} // namespace cli
