#include "platform/fileaccess.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace platform {

std::unique_ptr<QIODevice> FileAccess::openForReading(const QString &path) const
{
    auto file = std::make_unique<QFile>(path);
    (void)file->open(QIODevice::ReadOnly); // a closed device carries the reason
    return file;
}

std::unique_ptr<QIODevice> FileAccess::openForReplacing(const QString &path) const
{
    // QSaveFile writes beside the target and renames only after a complete write.
    auto file = std::make_unique<QSaveFile>(path);
    (void)file->open(QIODevice::WriteOnly);
    return file;
}

bool FileAccess::commit(QIODevice &device) const
{
    if (auto *file = qobject_cast<QSaveFile *>(&device))
        return file->commit();
    device.close();
    return true;
}

void FileAccess::discard(QIODevice &device) const
{
    // A save file must not be closed: Qt takes that for a programming error
    // and aborts. Cancelled, it removes its temporary file when destroyed.
    if (auto *file = qobject_cast<QSaveFile *>(&device)) {
        file->cancelWriting();
        return;
    }
    device.close();
}

const FileAccess &FileAccess::system()
{
    static const FileAccess instance{};
    return instance;
}

std::optional<QByteArray> readAtMost(QIODevice &device, qint64 limit)
{
    constexpr qint64 kChunk = 64 * 1024;
    QByteArray bytes;
    if (!device.isSequential())
        bytes.reserve(std::min(device.size(), limit) + 1);
    while (bytes.size() <= limit) {
        const qint64 want = std::min(kChunk, limit + 1 - bytes.size());
        const qsizetype old = bytes.size();
        bytes.resize(old + want);
        const qint64 got = device.read(bytes.data() + old, want);
        if (got < 0)
            return std::nullopt;
        bytes.resize(old + got);
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace platform
