#pragma once

#include "maintenance/dictd/result.h"

#include <QString>

#include <cstdint>

namespace dictd {

struct ConvertOptions {
    QString indexPath;                  // the .index file
    QString dictPath;                   // the .dict.dz, .dict.gz or .dict file
    QString outputPath;                 // directory + "First_Second.DB"; the names give the fields
    bool repairHungarianTarget = false; // mend ô/û to ő/ű in the translations
    bool overwrite = false;             // replace an existing output file
    // A list of pairs (see readSupplement) added after the dictionary's own
    // ones, those the table holds by then left out; empty: none.
    QString supplementPath;
};

struct ConvertReport {
    QString sourceField;
    QString targetField;
    QString dataDescription;
    std::int64_t indexEntries = 0; // lines of the index
    std::int64_t infoEntries = 0;  // dictd information entries, skipped
    std::int64_t translations = 0; // pairs read from the entries
    std::int64_t rowsWritten = 0;
    std::int64_t duplicatesSkipped = 0; // equal, in any letter case, to a written row
    std::int64_t emptySkipped = 0;      // a side empty after trimming
    std::int64_t textsCut = 0;          // sides longer than the field, stored cut
    std::int64_t textsRepaired = 0;     // translations whose ô/û were mended
    std::int64_t headwordsSplit = 0;    // "to eat, ate, eaten" stored as "to eat"
    std::int64_t supplementPairs = 0;   // pairs of the supplement list
    std::int64_t supplementWritten = 0; // of them, written (counted in rowsWritten too)
    double seconds = 0;
};

// Turns a dictd dictionary into a new dictionary table: headwords into the
// first field, translations into the second, one row per translation, each
// side as storedText gives it, without pairs that are empty on a side or
// already written. Rows take their keys in the order of the entries in the
// data file (see DictdReader::forEachEntry), which is index order when the
// index follows its data; then come the pairs of the supplement list, if
// any, the same way. The table is built in a hidden temporary folder beside
// the output and renamed into place only when complete, so a failed or
// killed run never leaves a partial table under the output name. Fails with
// a Hungarian message on a missing or damaged input, a bad output name or an
// existing output (unless overwrite is set), and on any table error.
Result<ConvertReport> convertDictd(const ConvertOptions &options);

} // namespace dictd
