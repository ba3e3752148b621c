#include "app/applicationsetup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

void SetUpApplication(QCoreApplication &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Velkor szótár és fordító"));
    (void)InstallHungarianQtTranslations(app);
    // Every window carries it, so task bars and window switchers show it.
    if (qobject_cast<QGuiApplication *>(&app))
        QGuiApplication::setWindowIcon(ProgramIcon());
}

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/velkor-szotar/velkor-szotar.svg"));
}

bool InstallHungarianQtTranslations(QCoreApplication &app)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    // The application keeps it for the whole run.
    translator.release()->setParent(&app);
    return true;
}
