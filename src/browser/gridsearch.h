#pragma once

#include <QString>

namespace store {
class Table;
}

// How the incremental search of the dictionary tab ended.
enum class SearchOutcome {
    Blank,     // the text is blank: nothing was looked for, the row did not move
    Exact,     // a row holds the whole text (letter case aside)
    Prefix,    // a row begins with the whole text
    Shortened, // a row begins with a shorter beginning of the text
    NotFound,  // not even the first character matched: the row did not move
};

// The field the search looks in: the target field when the table is ordered
// exactly by it, otherwise the source field.
QString SearchFieldFor(const QString &orderField, const QString &fromColumn,
                       const QString &toColumn);

// Moves table to the best row for text in field, case-insensitively: the
// first row (in the current order) equal to the text, else the first that
// begins with it, else the first that begins with the longest beginning of
// it that any row begins with. The text is used as typed, blanks kept.
// Throws store::EngineError from the engine; the table must be open.
SearchOutcome SearchDictionary(store::Table &table, const QString &field, const QString &text);
