#pragma once

#include <QChar>
#include <QString>

namespace platform {

// How an operation talks to the person who started it: questions, messages
// and a busy notice with progress lines. The program shows them in its
// question dialog, the command-line tool on standard error, tests from a
// script. Core operations take a Prompts& and know nothing more of the user.
class Prompts {
public:
    // The answers, as the first letter of the pressed button's caption.
    static constexpr QChar kYes = u'I';    // "Igen"
    static constexpr QChar kNo = u'N';     // "Nem"
    static constexpr QChar kCancel = u'M'; // "Mégsem"

    virtual ~Prompts() = default;

    // kYes or kNo.
    virtual QChar askYesNo(const QString &question) = 0;
    // kYes or kCancel.
    virtual QChar askYesCancel(const QString &question) = 0;
    // kYes, kNo or kCancel.
    virtual QChar askYesNoCancel(const QString &question) = 0;
    // A message that needs no answer; returns when it has been seen.
    virtual void info(const QString &message) = 0;

    // A long operation: showBusy returns at once, leaving the text shown;
    // progress adds one line under it. The operation ends with finishBusy
    // (the notice goes, the message is shown and seen) or, when it fails,
    // with hideBusy (the notice goes; the caller reports the failure).
    virtual void showBusy(const QString &text) = 0;
    virtual void progress(const QString &line) = 0;
    virtual void finishBusy(const QString &message) = 0;
    virtual void hideBusy() = 0;

protected:
    Prompts() = default;
    Prompts(const Prompts &) = default;
    Prompts &operator=(const Prompts &) = default;
};

} // namespace platform
