#include "platform/installlayout.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace installlayout {
namespace {

QString folderName()
{
    return QString::fromUtf16(kFolderName);
}

// An XDG base folder: the variable when it is an absolute path, else the
// default under home.
QString baseFolder(const QString &variable, const QString &home, const QString &fallback)
{
    if (!variable.isEmpty() && QDir::isAbsolutePath(variable))
        return QDir::cleanPath(variable);
    return QDir::cleanPath(QDir(home).filePath(fallback));
}

} // namespace

Environment Environment::current()
{
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    return {home, qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_DATA_HOME")};
}

Layout detect(const QString &programFile, const Environment &environment)
{
    const QFileInfo program(programFile);
    const QDir binDir(program.absolutePath());
    const QString shipped =
        QDir::cleanPath(binDir.filePath(QStringLiteral("../share/") + folderName()));

    Layout layout;
    layout.installed = binDir.dirName() == QStringLiteral("bin") && QFileInfo(shipped).isDir();
    if (!layout.installed) {
        layout.programDir = paths::withSeparator(binDir.absolutePath());
        layout.userDir = layout.programDir;
        layout.iniFileName = binDir.filePath(program.completeBaseName() + QStringLiteral(".ini"));
        return layout;
    }
    layout.programDir = paths::withSeparator(shipped);
    const QString data =
        baseFolder(environment.xdgDataHome, environment.home, QStringLiteral(".local/share"));
    const QString config =
        baseFolder(environment.xdgConfigHome, environment.home, QStringLiteral(".config"));
    layout.userDir = paths::withSeparator(QDir(data).filePath(folderName()));
    layout.iniFileName =
        QDir(QDir(config).filePath(folderName())).filePath(folderName() + QStringLiteral(".ini"));
    return layout;
}

QStringList seedUserDir(const Layout &layout)
{
    QStringList failures;
    if (!layout.installed)
        return failures;
    const QString configDir = QFileInfo(layout.iniFileName).absolutePath();
    for (const QString &dir : {layout.userDir, configDir}) {
        if (!QDir().mkpath(dir))
            failures << QStringLiteral("A(z) %1 mappa nem hozható létre.")
                            .arg(QDir::toNativeSeparators(dir));
    }
    if (!QFileInfo(layout.userDir).isDir())
        return failures;

    const QDir shipped(layout.programDir);
    const QDir user(layout.userDir);
    const QStringList files = shipped.entryList({QStringLiteral("*.rtf"), QStringLiteral("*.DB")},
                                                QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : files) {
        const QString target = user.filePath(name);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        QFile source(shipped.filePath(name));
        if (!source.copy(target)) {
            failures << QStringLiteral("A(z) %1 nem másolható ide: %2 (%3)")
                            .arg(name, QDir::toNativeSeparators(layout.userDir),
                                 source.errorString());
            continue;
        }
        // The shipped copy may be read-only; the user's copy is for editing.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
    return failures;
}

} // namespace installlayout
