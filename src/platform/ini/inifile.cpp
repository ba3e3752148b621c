#include "platform/ini/inifile.h"

#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

IniFile::IniFile(QString path, const platform::FileAccess &files)
    : m_path(std::move(path)), m_files(&files)
{}

IniDocument IniFile::load() const
{
    return IniDocument::load(m_path, *m_files);
}

platform::Status IniFile::save(const IniDocument &document) const
{
    return document.save(m_path, *m_files);
}

int IniFile::readInteger(QStringView section, QStringView key, int defaultValue) const
{
    return load().readInteger(section, key, defaultValue);
}

bool IniFile::readBool(QStringView section, QStringView key, bool defaultValue) const
{
    return load().readBool(section, key, defaultValue);
}

QString IniFile::readString(QStringView section, QStringView key, const QString &defaultValue) const
{
    return load().readString(section, key, defaultValue);
}

template <typename Write> platform::Status IniFile::writeThrough(Write write) const
{
    IniDocument document = load();
    if (const platform::Status changed = write(document); !changed)
        return changed;
    return save(document);
}

platform::Status IniFile::writeInteger(QStringView section, QStringView key, int value) const
{
    return writeThrough(
        [&](IniDocument &document) { return document.writeInteger(section, key, value); });
}

platform::Status IniFile::writeBool(QStringView section, QStringView key, bool value) const
{
    return writeThrough(
        [&](IniDocument &document) { return document.writeBool(section, key, value); });
}

platform::Status IniFile::writeString(QStringView section, QStringView key,
                                      const QString &value) const
{
    return writeThrough(
        [&](IniDocument &document) { return document.writeString(section, key, value); });
}

platform::Status IniFile::eraseFile() const
{
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return platform::Done{};
    if (info.isDir())
        return platform::Failure{
            QStringLiteral("A beállításfájl helyén egy mappa van, nem törölhető: %1").arg(m_path)};
    // A device node or a pipe in its place is not ours to delete; a link is
    // removed as a link.
    if (!info.isSymLink()) {
        if (const QString special = platform::notRegularFileMessage(m_path); !special.isEmpty())
            return platform::Failure{special};
    }
    QFile file(m_path);
    if (!file.remove())
        return platform::Failure{QStringLiteral("A beállításfájl nem törölhető: %1 (%2)")
                                     .arg(m_path, file.errorString())};
    return platform::Done{};
}
