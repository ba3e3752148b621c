#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace dictd {

// One dictionary entry as the FreeDict dictd files lay it out:
//
//   headword /pronunciation/
//   1. first translation
//   2. second translation
//
// or the headword line and one unnumbered translation line.
struct DictdEntry {
    QString headword;
    QStringList translations; // trimmed, numbering removed, blank lines left out
};

// True for the index names of dictd's own information entries
// (00databaseinfo, 00databaseshort, 00databaseurl, 00-database-utf8, ...).
bool isDatabaseInfoHeadword(QStringView indexHeadword);

// Splits an entry's text. The headword is the first line without the
// pronunciation, the "/.../" at its end when a blank (or nothing) precedes it.
// Every further non-blank line is one translation, trimmed; when there are
// two or more, the k-th loses a leading "k." followed by a blank (a bare "k."
// leaves an empty translation). A line of its own is never taken for a
// number (a lone "1. osztály" stays as written).
DictdEntry parseEntry(QStringView text);

} // namespace dictd
