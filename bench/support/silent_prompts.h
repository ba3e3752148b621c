#pragma once

#include "platform/prompts.h"

namespace bench {

// Prompts that show nothing and give one answer to every question, so a
// benchmark times the operation and not a person.
class SilentPrompts final : public platform::Prompts {
public:
    explicit SilentPrompts(QChar answer = kYes) : m_answer(answer) {}

    QChar askYesNo(const QString &) override { return m_answer == kCancel ? kNo : m_answer; }
    QChar askYesCancel(const QString &) override { return m_answer == kNo ? kCancel : m_answer; }
    QChar askYesNoCancel(const QString &) override { return m_answer; }
    void info(const QString &) override {}
    void showBusy(const QString &) override {}
    void progress(const QString &) override {}
    void finishBusy(const QString &) override {}
    void hideBusy() override {}

private:
    QChar m_answer;
};

} // namespace bench
