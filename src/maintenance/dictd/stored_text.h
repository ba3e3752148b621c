#pragma once

#include <QString>
#include <QStringView>

namespace dictd {

// What one side of a pair is stored as: trimmed, its Hungarian accents
// mended when repairHungarian is set, lower-cased with LowerHungarian, the
// backtick written as an apostrophe, cut to
// the field size (never inside a surrogate pair) and trimmed again. Equal
// results mean equal stored rows, so duplicates are judged on this text.
QString storedText(QStringView raw, bool repairHungarian);

} // namespace dictd
