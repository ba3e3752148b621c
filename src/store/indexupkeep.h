#pragma once

#include "store/storeresult.h"

#include <QString>
#include <QStringList>

namespace platform {
class Prompts;
}

namespace store {

class Table;

// Upkeep of the two case-insensitive indexes of a dictionary table, one on
// each language column.

// "i" + column: the name the rebuild gives the index of a language column.
QString RebuiltIndexName(const QString &column);

// The secondary indexes of table's file that cover the column first or
// second (letter case aside), whatever their names, in creation order.
// Throws EngineError when the file cannot be read.
QStringList LanguageIndexes(Table &table, const QString &first, const QString &second);

// Drops every index LanguageIndexes names and returns their names. The
// table must be closed. Throws EngineError when an index cannot be dropped;
// the ones dropped before stay dropped.
QStringList DropSecondaryIndexes(Table &table, const QString &first, const QString &second);

// Rebuilds the indexes of the dictionary table bound to table (open or
// closed): with a busy notice, drops the language indexes, deletes the
// engine's index files, creates RebuiltIndexName(fromColumn) and then, after
// a "50% kész..." progress line, RebuiltIndexName(toColumn), removes the
// ".nip" rebuild marker, finishes with "Indexelés kész" and opens the table.
// On failure the notice is hidden, the marker stays, the table is opened
// again when it can be, and the engine's message is returned.
Status RebuildIndexes(Table &table, const QString &fromColumn, const QString &toColumn,
                      platform::Prompts &prompts);

enum class DropOutcome { Dropped, Declined, Failed };

// "Indexek törlése": asks "Biztosan törlöd az indexeket?"; on Igen closes
// the table, drops its language indexes, says "Indexek törölve" and opens it
// again, shared and in key order. A failure to drop is said instead of the
// success message (Failed), and the table is reopened all the same.
DropOutcome DropIndexes(Table &table, const QString &fromColumn, const QString &toColumn,
                        platform::Prompts &prompts);

} // namespace store
