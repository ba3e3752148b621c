#pragma once

#include "store/engine/table.h"

#include <QString>

#include <vector>

namespace translator {

// Bounds on the keys of the lookup's passes that can possibly match, read
// from the entries next to the word (and to "to " + the word) in the
// table's source order before any locate is made. A locate of a key beyond a
// bound is sure to fail, so the passes skip it; within the bounds they
// locate as ever, so the result is the one every locate would give.
//
// In a sorted list the entry that shares the longest beginning with a text
// lies right before or right after it, and an entry that is a beginning of
// the text is the last one at or before it; so one probe on each side
// bounds the completion pass, and a few probes walking backwards bound the
// shortening pass.
class LookupBounds final {
public:
    // w: the lower-cased word, not empty.
    LookupBounds(store::Table &table, const QString &sourceField, const QString &w);

    // Whether "to " + w may be an entry.
    bool markedWordPossible() const;

    // The longest k, a beginning of w, for which a partial locate of k
    // (marked: of "to " + k) can succeed; 0 when none can.
    qsizetype completionLimit(bool marked) const;

    // The longest of tried (lengths of beginnings of w, longest first) that
    // may be an entry on its own (marked: after "to "); 0 when none may.
    qsizetype shortenedLimit(bool marked, const std::vector<qsizetype> &tried);

private:
    struct Side {
        QString text; // w, or "to " + w
        store::Table::NeighbourMatch before;
        store::Table::NeighbourMatch after;
    };
    // The longest beginning of side.text, at most limit long, that is an
    // entry and whose length is allowed; 0 when there is none.
    template <typename Allowed>
    qsizetype longestEntry(const Side &side, qsizetype limit, Allowed allowed);

    store::Table &m_table;
    QString m_field;
    Side m_plain;
    Side m_marked;
};

// Lengths of the forms the shortening pass tries for w, longest first: w
// without its last character, then one character less each time, a space
// left at the end going along with it.
std::vector<qsizetype> shortenedLengths(const QString &w);

} // namespace translator
