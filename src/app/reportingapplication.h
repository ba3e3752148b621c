#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

// The text the user is shown for an exception that left an event handler:
// the engine's own message, or a Hungarian lead-in with what the standard
// library or the file system said.
QString UnhandledErrorMessage(const std::exception_ptr &error);

// The application object of the program and of the GUI tests. An exception
// that leaves an event handler is reported through the question dialog and
// the event loop goes on; the program is not ended.
class ReportingApplication final : public QApplication {
    Q_OBJECT
public:
    // Receives a report that the question dialog cannot show: there is no
    // dialog, or a second error came while the first was being shown.
    using Fallback = std::function<void(const QString &message)>;

    ReportingApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Replaces the fallback, which writes to stderr (tests record it).
    void setFallback(Fallback fallback);
    // Shows message as notify does for an exception.
    void reportError(const QString &message);
    // How many exceptions notify has caught in this run.
    int unhandledErrors() const { return m_unhandledErrors; }

private:
    Fallback m_fallback;
    bool m_reporting = false;
    int m_unhandledErrors = 0;
};
