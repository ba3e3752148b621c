#include "maintenance/import/known_pairs.h"

#include "maintenance/import/stored_pair_set.h"
#include "store/engine/table.h"

namespace dictimport {

quint64 KnownPairs::fingerprint(const QString &source, const QString &target)
{
    // The engine's case-insensitive equality is equality after the same
    // simple lower-casing, so equal pairs always share their fingerprint.
    return StoredPairSet::hashOf(source, target);
}

KnownPairs KnownPairs::read(store::Table &table, const QString &sourceColumn,
                            const QString &targetColumn)
{
    KnownPairs known;
    known.m_prints.reserve(std::size_t(table.recordCount()));
    table.scanTexts(QStringList{sourceColumn, targetColumn},
                    [&known](std::span<const QByteArrayView> texts) {
                        known.insert(QString::fromUtf8(texts[0]), QString::fromUtf8(texts[1]));
                    });
    return known;
}

bool KnownPairs::mayHold(const QString &source, const QString &target) const
{
    return m_prints.contains(fingerprint(source, target));
}

void KnownPairs::insert(const QString &source, const QString &target)
{
    m_prints.insert(fingerprint(source, target));
}

} // namespace dictimport
