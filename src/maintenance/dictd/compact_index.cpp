#include "maintenance/dictd/compact_index.h"

namespace dictd {

void CompactIndex::add(const IndexEntry &entry)
{
    m_headwords += entry.headword.toUtf8();
    if ((m_size >> kBlockBits) == m_blocks.size()) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::size_t(1) << kBlockBits);
    }
    // An index file is far below 4 GB (readIndexFile refuses larger ones).
    m_blocks.back().push_back(
        Item{entry.offset, entry.length, std::uint32_t(m_headwords.size()), entry.line});
    ++m_size;
}

QString CompactIndex::headword(std::size_t i) const
{
    const std::uint32_t start = i == 0 ? 0 : item(i - 1).headwordEnd;
    return QString::fromUtf8(
        QByteArrayView(m_headwords).sliced(start, item(i).headwordEnd - start));
}

} // namespace dictd
