#pragma once

#include "maintenance/cleanup/reporting.h"
#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace store {
class Table;
}

// Filling a dictionary from the German–Hungarian word lists A01.TXT ...
// Z01.TXT, A02.TXT ... Z02.TXT of one folder.
namespace cleanup {

// n in decimal, with a "0" in front when shorter than two digits (1 -> 01).
QString TwoDigits(int n);

// The folder of the word lists: "C:\Vegyes\Német-Magyar szótár\" through
// the same mapping as the dictionary folder (paths::fromWindowsPath), with a
// trailing separator.
QString GermanWordListFolder();

// The 52 file names in the order they are read.
QStringList GermanWordListFiles();

// The pair one line of a word list gives: the German text before the first
// double space ("//" in front removed), the Hungarian after it (at most 1000
// characters, "//" at the end removed); a space before "!" or "?" is
// dropped first. Either side may come out empty: such a line adds nothing.
struct GermanPair {
    QString german;
    QString hungarian;
};
GermanPair SplitGermanLine(QString line);

// True for a first line that marks a file to be skipped whole ("ééé").
bool IsSkipMarker(QStringView firstLine);

// Német szavak feltöltése: after "Feltöltöd a <dictionaryName> szótárat
// német szavakkal?", reads the word lists of folder in order and appends
// every pair the table lacks (compared without regard to letter case), the
// German text to the field sourceColumn, the Hungarian to targetColumn. The
// files are read, streamed, by the text import's rules (ScanTextFile,
// TextLineReader, DecodeImportLine): UTF-8 or Windows-1250, a leading mark
// dropped, lines ending at LF unless the file has CRs and no LF, a byte 26
// ending the file; lines read in part are told with prompts.info after the
// finish. Progress lines show the German text and the line count every 100
// lines. A missing or unreadable file ends the run with a message naming
// it; the pairs added before stay. A read-only table is refused first.
platform::Result<Outcome> ImportGermanWordLists(store::Table &table, const QString &sourceColumn,
                                                const QString &targetColumn, const QString &folder,
                                                const QString &dictionaryName,
                                                const Reporting &reporting);

} // namespace cleanup
