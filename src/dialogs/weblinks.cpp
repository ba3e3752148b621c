#include "dialogs/weblinks.h"

#include "dialogs/buildinfo.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <new>

UrlOpener DesktopUrlOpener()
{
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

QString GetProductVersion(const QString &fileName)
{
    if (fileName.isEmpty() || !QCoreApplication::instance())
        return QString();
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString asked = QFileInfo(fileName).canonicalFilePath();
    if (asked.isEmpty() || asked != own)
        return QString();
    return QStringLiteral(VELKOR_PRODUCT_VERSION).trimmed();
}

QString ByteToHex(quint8 value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const QChar digits[2] = {QLatin1Char(kDigits[value >> 4]), QLatin1Char(kDigits[value & 0x0F])};
    return QString(digits, 2);
}

bool FindAppCommand(const QString &kind, QString &command)
{
    const QString upper = kind.toUpper();
    if (upper == QStringLiteral("INTERNET"))
        return true;
    if (upper == QStringLiteral("EXCEL")) {
        command = QStringLiteral("Error: ") + kind + QStringLiteral(" not in Registry");
        return false;
    }
    command = QStringLiteral("Error: ") + kind + QStringLiteral(" not supported");
    return false;
}

namespace {

// The result word for program before it is started; empty when it can be.
QString checkProgram(const QString &program, QString &path)
{
    if (program.isEmpty())
        return QStringLiteral("ERROR_FILE_NOT_FOUND");
    if (!program.contains(QLatin1Char('/'))) {
        path = QStandardPaths::findExecutable(program);
        return path.isEmpty() ? QStringLiteral("ERROR_FILE_NOT_FOUND") : QString();
    }
    const QFileInfo info(program);
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? QStringLiteral("ERROR_FILE_NOT_FOUND")
                                                      : QStringLiteral("ERROR_PATH_NOT_FOUND");
    if (!info.isFile() || !info.isExecutable())
        return QStringLiteral("ERROR_BAD_FORMAT");
    path = info.absoluteFilePath();
    return QString();
}

} // namespace

void RunCommand(const QString &program, const QStringList &arguments, QString &result)
{
    result = QStringLiteral("?");
    try {
        QString path;
        if (const QString error = checkProgram(program, path); !error.isEmpty()) {
            result = error;
            return;
        }
        result = QProcess::startDetached(path, arguments) ? QStringLiteral("OK")
                                                          : QStringLiteral("OTHER_ERROR");
    } catch (const std::bad_alloc &) {
        result = QStringLiteral("0");
    } catch (...) {
        result = QStringLiteral("OTHER_ERROR_2");
    }
}

void OpenWithApp(const QString &kind, const QString &target, QString &result,
                 const UrlOpener &opener)
{
    QString command;
    if (!FindAppCommand(kind, command)) {
        result = command;
        return;
    }
    result = QStringLiteral("?");
    // A name without a scheme (or with a drive letter) is a local file.
    QUrl url(target);
    if (url.scheme().size() <= 1) {
        const QFileInfo file(target);
        if (!file.exists()) {
            result = QStringLiteral("ERROR_FILE_NOT_FOUND");
            return;
        }
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    if (!url.isValid() || !opener) {
        result = QStringLiteral("OTHER_ERROR");
        return;
    }
    try {
        result = opener(url) ? QStringLiteral("OK") : QStringLiteral("OTHER_ERROR");
    } catch (const std::bad_alloc &) {
        result = QStringLiteral("0");
    } catch (...) {
        result = QStringLiteral("OTHER_ERROR_2");
    }
}
