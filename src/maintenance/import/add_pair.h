#pragma once

#include "platform/progress.h"

#include <QString>

namespace store {
class Field;
class Table;
} // namespace store

namespace dictimport {

class KnownPairs;

// The open dictionary the maintenance imports write to: the table and its
// source and target field components in the current direction.
struct ImportTarget {
    store::Table &table;
    store::Field &source;
    store::Field &target;
};

enum class AddOutcome { Added, Present, EmptySide };

// Appends the pair source/target to the dictionary unless it holds it in
// any mix of letter case. Every 100th counter (0 too) first shows source and
// the counter on lines. A pair with an empty side adds nothing. The texts
// are compared as they will be stored, cut to the field size, so a long
// text once added is found again. With known, the pairs of the dictionary,
// the table is searched only for a pair known may hold, and an added pair
// is added to known. Throws store::EngineError.
AddOutcome AddPairIfAbsent(ImportTarget &dictionary, const QString &SourceText,
                           const QString &TargetText, qint32 Counter,
                           const platform::ProgressLines &lines = {}, KnownPairs *known = nullptr);

} // namespace dictimport
