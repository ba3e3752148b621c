#pragma once

#include "maintenance/dictd/result.h"

#include <QString>

#include <utility>
#include <vector>

namespace dictd {

// A list of word pairs to add to a converted dictionary: UTF-8 text, one
// pair a line, its two sides separated by a tab. The first line that is
// neither blank nor a comment ("#" first) names the languages of the two
// columns, as the fields of the tables are named ("Angol<TAB>Magyar"), so
// that one list serves the tables of both directions.
//
// Returns the pairs as (first field, second field) of a table with those
// fields, in the order of the lines. Fails with a Hungarian message naming
// the file, and the line where it applies, when the file cannot be read,
// is not UTF-8, its heading does not name the two fields, or a line is not
// two tab-separated sides.
Result<std::vector<std::pair<QString, QString>>>
readSupplement(const QString &path, const QString &firstField, const QString &secondField);

} // namespace dictd
