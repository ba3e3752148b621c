#pragma once

#include "maintenance/dictd/dict_data.h"

#include <QFile>
#include <QString>

#include <memory>

namespace dictd {

// An uncompressed data file, read range by range from the open file, so
// that a large one does not sit in memory whole.
class PlainFileData final : public DictData {
public:
    // file is open for reading.
    explicit PlainFileData(std::unique_ptr<QFile> file) : m_file(std::move(file)) {}

    std::int64_t size() const override { return m_file->size(); }
    QString description() const override { return QStringLiteral("tömörítetlen"); }

protected:
    Result<QByteArray> readRange(std::int64_t offset, std::int64_t length) override
    {
        QByteArray bytes;
        if (m_file->seek(offset))
            bytes = m_file->read(length);
        if (bytes.size() != length)
            return Failure{QStringLiteral("olvasási hiba a(z) %1. bájtnál (%2)")
                               .arg(offset)
                               .arg(m_file->errorString())};
        return bytes;
    }

private:
    std::unique_ptr<QFile> m_file;
};

} // namespace dictd
