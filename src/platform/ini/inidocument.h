#pragma once

#include "platform/fileaccess.h"
#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// A settings file held in memory line by line, in the Windows INI format and
// the Windows-1250 code page. Writing a key changes that key's line only (or
// adds one); every other line, comment and line ending stays byte for byte,
// so a file written by another program survives our writes.
//
// Lookups take the first section of the name and in it the first key of the
// name; names compare case-insensitively and are trimmed.
class IniDocument final {
public:
    // An empty document: every read gives its default.
    IniDocument() = default;

    // Never fails: unknown lines are kept and ignored.
    static IniDocument fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    // Reads the file at path through files. A missing file gives an empty
    // document that save() may create. Anything that cannot be read as a
    // settings file (a folder, a device or pipe, which are never opened, an
    // unreadable file, one too large to be ours) gives an empty document with
    // loadError() set, which save() then refuses to overwrite, so that our
    // defaults never replace data we could not see.
    static IniDocument load(const QString &path,
                            const platform::FileAccess &files = platform::FileAccess::system());
    const QString &loadError() const { return m_loadError; }

    // Writes the whole document through files' replacing device (by default a
    // temporary file beside path renamed over it), so a failure leaves the
    // old file as it was.
    platform::Status save(const QString &path,
                          const platform::FileAccess &files = platform::FileAccess::system()) const;

    // The stored string of the key (trimmed, one pair of enclosing quotes
    // removed), or nullopt when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // defaultValue when missing, or when the value is not a decimal 32-bit
    // integer ("12abc", "0x1F", "" all give the default).
    int readInteger(QStringView section, QStringView key, int defaultValue) const;
    // The integer value is not 0; defaultValue when readInteger would default.
    bool readBool(QStringView section, QStringView key, bool defaultValue) const;
    // defaultValue only when missing; an empty value reads as "".
    QString readString(QStringView section, QStringView key, const QString &defaultValue) const;

    // Set one key in memory, adding the key or the section when missing.
    // Fail, leaving the document unchanged, when the name or value could not
    // be read back the same (line breaks, "=" in a key, characters outside
    // Windows-1250).
    platform::Status writeInteger(QStringView section, QStringView key, int value);
    platform::Status writeBool(QStringView section, QStringView key, bool value);
    platform::Status writeString(QStringView section, QStringView key, const QString &value);

private:
    struct Line {
        QString text;
        QString ending; // "\r\n", "\n", or "" for a last line without one
    };

    // Index of the section's header line, or -1.
    qsizetype findSection(QStringView section) const;
    // Index of the key's line in the section starting at header, or -1.
    qsizetype findKey(qsizetype header, QStringView key) const;
    // One past the section's last line.
    qsizetype sectionEnd(qsizetype header) const;
    void insertLine(qsizetype at, QString text);

    std::vector<Line> m_lines;
    QString m_loadError;
};
