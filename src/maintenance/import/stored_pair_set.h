#pragma once

#include <QSet>
#include <QString>

#include <utility>

namespace dictimport {

// The pairs written so far, held in memory so the duplicate test of each new
// pair costs a hash look-up instead of a table search.
//
// The table compares case-insensitively. The pairs come in lower-cased by
// LowerHungarian, which leaves capitals other than the Hungarian ones (Ä, Ç)
// alone, so a pair can equal a written one only after full lower-casing;
// that rare case is reported apart, for the caller to confirm in the table.
class StoredPairSet final {
public:
    enum class Match {
        None,       // no written pair equals it, in any letter case
        Exact,      // a written pair is identical
        CaseFolded, // a written pair equals it once both are fully lower-cased
    };

    Match find(const QString &source, const QString &target) const;
    void insert(const QString &source, const QString &target);
    qsizetype size() const { return m_exact.size(); }

    // Lower-cases every character by its simple Unicode mapping.
    static QString folded(const QString &text);

private:
    QSet<std::pair<QString, QString>> m_exact;
    QSet<std::pair<QString, QString>> m_folded;
};

} // namespace dictimport
