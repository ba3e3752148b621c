#pragma once

#include "maintenance/dictd/result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

namespace dictd {

// The uncompressed text of a dictd data file, read by byte ranges as the
// index gives them.
class DictData {
public:
    virtual ~DictData() = default;

    // Uncompressed size in bytes.
    virtual std::int64_t size() const = 0;
    // How the file is stored, for reports ("dictzip, 138 darab").
    virtual QString description() const = 0;

    // The bytes [offset, offset + length). Fails, naming the range, when it
    // passes the end of the data, and when the data there is damaged.
    Result<QByteArray> read(std::int64_t offset, std::int64_t length);

    // The work done so far: bytes handed out by read() plus bytes inflated
    // or read from the file to serve them. A crafted index can point at the
    // same data again and again; its readers cap this figure.
    std::int64_t bytesProcessed() const { return m_bytesProcessed; }

protected:
    // Called with a range already checked against size().
    virtual Result<QByteArray> readRange(std::int64_t offset, std::int64_t length) = 0;
    // Bytes inflated or read from the file by readRange().
    void countWork(std::int64_t bytes) { m_bytesProcessed += bytes; }

private:
    std::int64_t m_bytesProcessed = 0;
};

// Opens a data file by its content: a dictzip file (gzip with the RA field)
// is read chunk by chunk; a gzip file without it is inflated whole; anything
// else is taken as uncompressed text. Fails with a Hungarian message naming
// the file when it is missing, unreadable or damaged.
Result<std::unique_ptr<DictData>> openDictData(const QString &path);

} // namespace dictd
