#pragma once

#include "platform/ini/inidocument.h"
#include "platform/result.h"

#include <QString>
#include <QStringView>

// The settings file at one path, read and written one key at a time in the
// manner of the Windows profile functions: every read looks at the file as
// it is now, every write reads the file, changes the one key and writes the
// whole file back safely (see IniDocument). Reads never fail: whatever goes
// wrong gives the default. For many keys at once, load() a document, write
// into it and save() it once.
class IniFile final {
public:
    // The file is opened through files, which must outlive this object.
    explicit IniFile(QString path,
                     const platform::FileAccess &files = platform::FileAccess::system());

    const QString &path() const { return m_path; }

    int readInteger(QStringView section, QStringView key, int defaultValue) const;
    bool readBool(QStringView section, QStringView key, bool defaultValue) const;
    QString readString(QStringView section, QStringView key, const QString &defaultValue) const;

    platform::Status writeInteger(QStringView section, QStringView key, int value) const;
    platform::Status writeBool(QStringView section, QStringView key, bool value) const;
    platform::Status writeString(QStringView section, QStringView key, const QString &value) const;

    // Deletes the file. A file that is not there counts as deleted; a folder,
    // device or pipe in its place is left alone and reported.
    platform::Status eraseFile() const;

    IniDocument load() const;
    platform::Status save(const IniDocument &document) const;

private:
    template <typename Write> platform::Status writeThrough(Write write) const;

    QString m_path;
    const platform::FileAccess *m_files;
};
