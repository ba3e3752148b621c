#pragma once

#include "maintenance/dictd/dict_data.h"

namespace dictd {

// Data held whole in memory: an uncompressed file, or a gzip file without a
// random-access table, inflated at open.
class PlainDictData final : public DictData {
public:
    PlainDictData(QByteArray bytes, QString description)
        : m_bytes(std::move(bytes)), m_description(std::move(description))
    {}

    std::int64_t size() const override { return m_bytes.size(); }
    QString description() const override { return m_description; }

protected:
    Result<QByteArray> readRange(std::int64_t offset, std::int64_t length) override
    {
        return m_bytes.mid(offset, length);
    }

private:
    QByteArray m_bytes;
    QString m_description;
};

} // namespace dictd
