#include "maintenance/import/pair_writer.h"

#include "store/dictionaryloader.h"

namespace dictimport {

PairWriter::PairWriter(store::DictionaryLoader &loader, std::int64_t expectedPairs)
    : m_loader(loader),
      m_written([&loader](std::int32_t key) { return loader.row(key); }, expectedPairs)
{}

PairWriter::Outcome PairWriter::add(const QString &source, const QString &target)
{
    if (source.isEmpty() || target.isEmpty())
        return Outcome::EmptySide;
    const bool written =
        m_written.insertNew(source, target, [&] { return m_loader.append(source, target); });
    return written ? Outcome::Written : Outcome::Duplicate;
}

} // namespace dictimport
