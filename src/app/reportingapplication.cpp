#include "app/reportingapplication.h"

#include "dialogs/frmvalasz.h"
#include "dialogs/questions.h"
#include "platform/fonts/fontsubstitutes.h"
#include "store/engine/engine_error.h"

#include <QScopedValueRollback>

#include <cstdio>

namespace {

const QString kLeadIn = QStringLiteral("Váratlan hiba történt:\n");

void writeToStderr(const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

QString UnhandledErrorMessage(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const store::EngineError &engine) {
        return engine.message();
    } catch (const std::exception &other) {
        return kLeadIn + QString::fromLocal8Bit(other.what());
    } catch (...) {
        return kLeadIn + QStringLiteral("ismeretlen hiba");
    }
}

ReportingApplication::ReportingApplication(int &argc, char **argv)
    : QApplication(argc, argv), m_fallback(writeToStderr)
{
    // Every window and test of the program sees the same font names.
    InstallFontSubstitutes();
}

bool ReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ++m_unhandledErrors;
        reportError(UnhandledErrorMessage(std::current_exception()));
    }
    return false;
}

void ReportingApplication::setFallback(Fallback fallback)
{
    m_fallback = fallback ? std::move(fallback) : Fallback(writeToStderr);
}

void ReportingApplication::reportError(const QString &message)
{
    // The report's own nested event loop may meet another error: that one
    // must not open a second report over the first.
    if (m_reporting || !TfrmValasz::instance()) {
        m_fallback(message);
        return;
    }
    const QScopedValueRollback reporting(m_reporting, true);
    try {
        ShowInfo(message);
    } catch (...) {
        m_fallback(message);
        m_fallback(UnhandledErrorMessage(std::current_exception()));
    }
}
