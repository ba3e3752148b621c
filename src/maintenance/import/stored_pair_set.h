#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace dictimport {

// The pairs written so far, for the duplicate test of each new pair. Two
// pairs are duplicates when both sides are equal after lower-casing every
// character by its simple Unicode mapping, as the table compares them.
//
// Millions of pairs must fit in a few tens of megabytes, so only a 32-bit
// fingerprint of each pair is held, beside the key of its row: a matching
// fingerprint is confirmed on the row itself, read back through readRow.
// The answer is exact; a row is read for each true duplicate and, rarely,
// for a pair that merely shares a fingerprint.
class StoredPairSet final {
public:
    using RowReader = std::function<std::pair<QString, QString>(std::int32_t key)>;

    // Room is made for expectedPairs at once: growing later holds the old
    // table and the new one together for a moment.
    explicit StoredPairSet(RowReader readRow, std::int64_t expectedPairs = 0);

    // True when a pair inserted before equals this one in any letter case.
    bool contains(const QString &source, const QString &target) const;
    // key (positive) names the row holding the pair.
    void insert(const QString &source, const QString &target, std::int32_t key);
    // contains() and insert() in one look-up: unless an equal pair is held,
    // calls write, which stores the pair and gives its key, and returns true.
    bool insertNew(const QString &source, const QString &target,
                   const std::function<std::int32_t()> &write);
    std::int64_t size() const { return m_size; }

    // Lower-cases every character by its simple Unicode mapping.
    static QString folded(const QString &text);
    // Whether a and b are equal once both are folded.
    static bool equalFolded(QStringView a, QStringView b);
    // A hash of the folded pair, computed without folding copies: pairs
    // equal once folded hash alike.
    static std::uint64_t hashOf(const QString &source, const QString &target);

private:
    std::size_t slotOf(std::uint32_t fingerprint) const;
    // The slot holding a pair equal to this one (found), or else the empty
    // slot that ends its probe run.
    std::size_t probe(const QString &source, const QString &target, std::uint32_t fingerprint,
                      bool &found) const;
    void place(std::uint64_t slot);
    void resize(std::size_t slots);

    RowReader m_readRow;
    // Empty slots are 0; others hold the fingerprint in the high half and
    // the row key in the low half. Open addressing with linear probing; the
    // fingerprint, scaled to the table's size, gives the first slot tried.
    std::vector<std::uint64_t> m_slots;
    std::int64_t m_size = 0;
};

} // namespace dictimport
