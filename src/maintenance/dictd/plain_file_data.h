#pragma once

#include "maintenance/dictd/dict_data.h"

#include <QFile>
#include <QString>

#include <memory>

namespace dictd {

// An uncompressed data file, read range by range from the open file, so
// that a large one does not sit in memory whole. Entries are read in file
// order: a window of the file is kept and read ahead, so that a range
// costs a system call only when it leaves the window.
class PlainFileData final : public DictData {
public:
    // file is open for reading.
    // The size is taken once: QFile asks the system for it at every call,
    // and every range read checks against it.
    explicit PlainFileData(std::unique_ptr<QFile> file)
        : m_file(std::move(file)), m_size(m_file->size())
    {}

    std::int64_t size() const override { return m_size; }
    QString description() const override { return QStringLiteral("tömörítetlen"); }

protected:
    Result<QByteArray> readRange(std::int64_t offset, std::int64_t length) override;

private:
    static constexpr std::int64_t kWindow = std::int64_t(1) << 20;

    std::unique_ptr<QFile> m_file;
    std::int64_t m_size;
    QByteArray m_window;
    std::int64_t m_windowStart = 0;
};

} // namespace dictd
