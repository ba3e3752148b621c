#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QIODevice;

namespace platform {

// How the documents and the settings file reach the disk: the one place where
// they open their files, so that tests can hand in devices that fail.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // The file at path opened for reading; when it cannot be opened the
    // device is returned closed, with errorString saying why. Callers check
    // that path is a regular file first (notRegularFileMessage).
    virtual std::unique_ptr<QIODevice> openForReading(const QString &path) const;

    // A device open for writing whose bytes replace the file at path only
    // when commit() succeeds, or a closed device whose errorString says why.
    virtual std::unique_ptr<QIODevice> openForReplacing(const QString &path) const;

    // Makes what was written to device the file's content. False, with the
    // old file left as it was, when that fails.
    virtual bool commit(QIODevice &device) const;

    // Discards what was written; the old file stays.
    virtual void discard(QIODevice &device) const;

    // Real files: QFile for reading, QSaveFile for replacing.
    static const FileAccess &system();
};

// Reads device to its end, but no more than limit + 1 bytes, so that a
// caller sees a source larger than limit without holding all of it. Nullopt
// when a read fails.
std::optional<QByteArray> readAtMost(QIODevice &device, qint64 limit);

} // namespace platform
