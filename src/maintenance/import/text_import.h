#pragma once

#include "maintenance/import/add_pair.h"
#include "platform/progress.h"
#include "platform/result.h"
#include "platform/textencoding.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace platform {
class FileAccess;
class Prompts;
} // namespace platform

namespace dictimport {

// An index over the source and target columns that earlier imports built for
// their duplicate test and dropped at the end; one left behind by an
// interrupted import is dropped. The duplicate test no longer needs it: the
// pairs' fingerprints in memory rule out almost every pair, and the rest are
// looked up through the source column's index.
inline constexpr char16_t kImportIndexName[] = u"AM";

struct TextImportReport {
    qint64 lines = 0;        // every line read, skipped ones too
    qint64 added = 0;        // pairs appended
    qint64 present = 0;      // pairs the dictionary held already
    qint64 skipped = 0;      // lines without a TAB or with an empty side
    qint64 linesCut = 0;     // lines longer than the reader keeps, read in part
    qint64 linesCutAtCr = 0; // lines whose text after a lone CR was dropped
    bool utf8 = false;       // the file was read as UTF-8
};

// Reads the tab-separated text file at path into the open dictionary: for
// every line, the text before the first TAB and the text after it (cut to
// 1000 characters) are trimmed, lower-cased with LowerHungarian and added
// with AddPairIfAbsent. The file is read as UTF-8 when it has the UTF-8 mark
// or is valid UTF-8 with non-ASCII bytes, as Windows-1250 otherwise, judged
// on the bytes before a Ctrl+Z; a leading mark is dropped either way. Its
// lines end as ScanTextFile finds (see LineBreaks).
//
// Refused with nothing changed: a missing file or one that is no regular
// file, a file that cannot be opened or read, a binary file (a NUL byte
// anywhere), a read-only dictionary. Otherwise the work runs under the busy
// notice "Feltöltés folyamatban.\nVárj türelemmel..." (a leftover index
// kImportIndexName is dropped first), leaves the table open in source order
// and ends with finishBusy "Feltöltés kész". A failure in between hides the
// notice, reopens the table when it can and returns the message; the pairs
// committed before it stay. progress gets the bytes read of the file's size.
platform::Result<TextImportReport> ImportTextFile(ImportTarget dictionary, const QString &path,
                                                  platform::Prompts &prompts,
                                                  const platform::Progress &progress = {},
                                                  const platform::ProgressLines &lines = {});
platform::Result<TextImportReport> ImportTextFile(ImportTarget dictionary, const QString &path,
                                                  platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines,
                                                  const platform::FileAccess &files);

// The text of one line's bytes: Windows-1250, or UTF-8 in composed form
// (NFC), so that "e" and a combining accent is stored as "é".
QString DecodeImportLine(QByteArrayView bytes, platform::TextEncoding encoding);

// The warnings a finished import leaves: lines read in part. Empty when
// there are none.
QString ImportWarnings(const TextImportReport &report);

// The source and target text of one line, trimmed and lower-cased; nothing
// when the line has no TAB.
struct LinePair {
    QString source;
    QString target;
};
std::optional<LinePair> SplitImportLine(QStringView line);

} // namespace dictimport
