#pragma once

#include "maintenance/dictd/index_reader.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace dictd {

// The lines of a dictd index held in about a third of the memory of their
// IndexEntry values: the numbers in a fixed-size record, the headwords
// packed one after the other as UTF-8. The records are kept in blocks of a
// fixed size, so that growing never copies them all (nor holds them twice).
// A dictionary of millions of entries keeps its index in a few tens of
// megabytes this way.
class CompactIndex final {
public:
    void add(const IndexEntry &entry);
    // Gives back the memory reserved for more headwords.
    void squeeze() { m_headwords.squeeze(); }
    std::size_t size() const { return m_size; }

    std::int64_t offset(std::size_t i) const { return item(i).offset; }
    std::int64_t length(std::size_t i) const { return item(i).length; }
    int line(std::size_t i) const { return item(i).line; }
    QString headword(std::size_t i) const;

private:
    struct Item {
        std::int64_t offset;
        std::int64_t length;
        std::uint32_t headwordEnd; // in m_headwords; the start is the one before's end
        int line;
    };
    static constexpr int kBlockBits = 16;
    const Item &item(std::size_t i) const
    {
        return m_blocks[i >> kBlockBits][i & ((std::size_t(1) << kBlockBits) - 1)];
    }

    std::vector<std::vector<Item>> m_blocks;
    std::size_t m_size = 0;
    QByteArray m_headwords;
};

} // namespace dictd
