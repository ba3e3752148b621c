#include "maintenance/import/pair_writer.h"

#include "store/engine/field.h"
#include "store/engine/table.h"

namespace dictimport {

PairWriter::PairWriter(store::Table &table, store::Field &source, store::Field &target)
    : m_table(table), m_source(source), m_target(target),
      m_locateFields(source.fieldName() + u';' + target.fieldName())
{}

bool PairWriter::tableHolds(const QString &source, const QString &target)
{
    return m_table.locate(m_locateFields, QStringList{source, target},
                          store::LocateOption::CaseInsensitive);
}

PairWriter::Outcome PairWriter::add(const QString &source, const QString &target)
{
    if (source.isEmpty() || target.isEmpty())
        return Outcome::EmptySide;
    switch (m_written.find(source, target)) {
    case StoredPairSet::Match::Exact:
        return Outcome::Duplicate;
    case StoredPairSet::Match::CaseFolded:
        // Equal only after lower-casing beyond the Hungarian letters: the
        // table's own comparison decides.
        if (tableHolds(source, target))
            return Outcome::Duplicate;
        break;
    case StoredPairSet::Match::None:
        break;
    }
    m_table.append();
    m_source.setAsString(source);
    m_target.setAsString(target);
    m_table.post();
    m_written.insert(source, target);
    return Outcome::Written;
}

} // namespace dictimport
