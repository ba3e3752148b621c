#pragma once

#include "maintenance/import/stored_pair_set.h"

#include <QString>

namespace store {
class Field;
class Table;
} // namespace store

namespace dictimport {

// Appends pairs to an open dictionary table the way the program's own import
// does (a pair with an empty side is dropped, and so is one equal, in any
// letter case, to a row the table holds), but answers the duplicate test
// from memory: the table must hold no rows but those written through this
// writer. Engine failures propagate as store::EngineError.
class PairWriter final {
public:
    enum class Outcome { Written, Duplicate, EmptySide };

    PairWriter(store::Table &table, store::Field &source, store::Field &target);

    // source and target as they are to be stored (see storedText): no
    // longer than their fields, so the table keeps them unchanged.
    Outcome add(const QString &source, const QString &target);

private:
    bool tableHolds(const QString &source, const QString &target);

    store::Table &m_table;
    store::Field &m_source;
    store::Field &m_target;
    QString m_locateFields;
    StoredPairSet m_written;
};

} // namespace dictimport
