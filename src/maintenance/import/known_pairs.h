#pragma once

#include <QString>
#include <QStringView>

#include <unordered_set>

namespace store {
class Table;
}

namespace dictimport {

// Fingerprints of the pairs a dictionary holds, with letter case folded the
// way the engine compares texts, so that the import's duplicate test asks
// the table only when a pair may be there: a pair whose fingerprint is not
// in the set equals no row. Eight bytes and a hash node per pair, whatever
// the texts' length.
class KnownPairs final {
public:
    // The pairs of the open table's two columns. Throws store::EngineError.
    static KnownPairs read(store::Table &table, const QString &sourceColumn,
                           const QString &targetColumn);

    // False when no pair known equals source/target in any letter case.
    bool mayHold(const QString &source, const QString &target) const;
    void insert(const QString &source, const QString &target);
    std::size_t size() const { return m_prints.size(); }

private:
    static quint64 fingerprint(const QString &source, const QString &target);

    std::unordered_set<quint64> m_prints;
};

} // namespace dictimport
