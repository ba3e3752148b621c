#pragma once

#include "platform/prompts.h"

#include <QStringList>

#include <deque>
#include <utility>

// Prompts for tests: answers questions from a queue and records, one entry
// each, what the operation said: "ask: ...", "info: ...", "busy: ...",
// "progress: ...", "finish: ...", "hide". A question with the queue empty is
// answered Mégsem (or Nem where there is no Mégsem) and recorded as usual,
// so that a missing answer never lets a destructive step through.
class ScriptedPrompts final : public platform::Prompts {
public:
    explicit ScriptedPrompts(std::deque<QChar> answers = {}) : m_answers(std::move(answers)) {}

    QChar askYesNo(const QString &question) override;
    QChar askYesCancel(const QString &question) override;
    QChar askYesNoCancel(const QString &question) override;
    void info(const QString &message) override;
    void showBusy(const QString &text) override;
    void progress(const QString &line) override;
    void finishBusy(const QString &message) override;
    void hideBusy() override;

    const QStringList &log() const { return m_log; }
    // True while a busy notice is shown (showBusy without finish or hide).
    bool busy() const { return m_busy; }
    // The busy notice's text with its progress lines, as last shown.
    const QString &busyText() const { return m_busyText; }

private:
    QChar next(const QString &question, QChar fallback);

    std::deque<QChar> m_answers;
    QStringList m_log;
    QString m_busyText;
    bool m_busy = false;
};
