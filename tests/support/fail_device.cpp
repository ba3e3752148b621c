#include "support/fail_device.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

FailDevice::FailDevice(qint64 limit, QByteArray content, QObject *parent)
    : QIODevice(parent), m_limit(limit), m_content(std::move(content))
{}

qint64 FailDevice::room(qint64 used) const
{
    return m_limit < 0 ? std::numeric_limits<qint64>::max() : std::max<qint64>(0, m_limit - used);
}

qint64 FailDevice::fail()
{
    m_failed = true;
    setErrorString(QStringLiteral("Input/output error"));
    return -1;
}

qint64 FailDevice::bytesAvailable() const
{
    const qint64 left = std::min<qint64>(m_content.size() - m_read, room(m_read));
    return left + QIODevice::bytesAvailable();
}

qint64 FailDevice::readData(char *data, qint64 maxSize)
{
    const qint64 left = m_content.size() - m_read;
    if (left == 0)
        return 0;
    const qint64 n = std::min({maxSize, left, room(m_read)});
    if (n == 0)
        return fail();
    std::memcpy(data, m_content.constData() + m_read, std::size_t(n));
    m_read += n;
    return n;
}

qint64 FailDevice::writeData(const char *data, qint64 size)
{
    const qint64 n = std::min(size, room(m_written.size()));
    if (n == 0 && size > 0)
        return fail();
    m_written.append(data, n);
    return n;
}

std::unique_ptr<QIODevice> FailingFiles::openForReading(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::make_unique<QFile>(path); // closed: nothing to read
    auto device = std::make_unique<FailDevice>(m_readLimit, file.readAll());
    device->target = path;
    device->open(QIODevice::ReadOnly);
    ++m_opened;
    return device;
}

std::unique_ptr<QIODevice> FailingFiles::openForReplacing(const QString &path) const
{
    auto device = std::make_unique<FailDevice>(m_writeLimit);
    device->target = path;
    device->open(QIODevice::WriteOnly);
    ++m_opened;
    return device;
}

bool FailingFiles::commit(QIODevice &device) const
{
    auto *fail = dynamic_cast<FailDevice *>(&device);
    if (!fail || fail->failed())
        return false; // as a save file does after a failed write
    QSaveFile file(fail->target);
    if (!file.open(QIODevice::WriteOnly) || file.write(fail->written()) != fail->written().size() ||
        !file.commit())
        return false;
    ++m_commits;
    return true;
}

void FailingFiles::discard(QIODevice &device) const
{
    device.close();
}

namespace {

// A save file that fails as the disk fills: the write that would pass the
// limit fails, and the file then refuses its commit, as after any failed
// write of a save file.
class FillingSaveFile final : public QSaveFile {
public:
    FillingSaveFile(const QString &path, qint64 limit) : QSaveFile(path), m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_taken + size > m_limit) {
            cancelWriting();
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        m_taken += size;
        return QSaveFile::writeData(data, size);
    }

private:
    qint64 m_limit;
    qint64 m_taken = 0;
};

} // namespace

std::unique_ptr<QIODevice> FullDiskFiles::openForReplacing(const QString &path) const
{
    auto file = std::make_unique<FillingSaveFile>(path, m_writeLimit);
    (void)file->open(QIODevice::WriteOnly);
    return file;
}

ShortReadDevice::ShortReadDevice(QByteArray content, qint64 step, QObject *parent)
    : QIODevice(parent), m_content(std::move(content)), m_step(step)
{}

qint64 ShortReadDevice::readData(char *data, qint64 maxSize)
{
    const qint64 n = std::min({maxSize, m_step, qint64(m_content.size()) - pos()});
    if (n <= 0)
        return 0;
    std::memcpy(data, m_content.constData() + pos(), std::size_t(n));
    return n;
}
