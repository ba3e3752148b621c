#include "platform/regularfile.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace platform {
namespace {

std::filesystem::file_status statusOf(const QString &path)
{
    std::error_code error;
    return std::filesystem::status(QFile::encodeName(path).toStdString(), error);
}

QString kindOf(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    switch (type) {
    case file_type::directory:
        return QStringLiteral("mappa");
    case file_type::fifo:
        return QStringLiteral("csővezeték (FIFO)");
    case file_type::socket:
        return QStringLiteral("foglalat (socket)");
    case file_type::block:
    case file_type::character:
        return QStringLiteral("eszköz");
    default:
        return QStringLiteral("különleges állomány");
    }
}

} // namespace

bool isRegularFile(const QString &path)
{
    return std::filesystem::is_regular_file(statusOf(path));
}

QString notRegularFileMessage(const QString &path)
{
    const auto status = statusOf(path);
    using std::filesystem::file_type;
    if (status.type() == file_type::regular || status.type() == file_type::not_found ||
        status.type() == file_type::none)
        return QString();
    return QStringLiteral("Ez nem fájl, hanem %1, ezért nem nyitható meg:\n%2")
        .arg(kindOf(status.type()), QDir::toNativeSeparators(path));
}

} // namespace platform
