#pragma once

#include <QString>

#include <cstdint>

// A dictd dictionary shaped like the free ones, generated from a fixed seed:
// entries of one to six translations, now and then a translation given
// twice or in capitals, now and then a headword with a second entry. Written
// once per size (uncompressed data) into a temporary folder, beside a file
// of the same pairs, one "headword TAB translation" line each, for a plain
// load to compare with.
namespace bench {

struct GeneratedDictd {
    QString indexPath;
    QString dictPath;
    QString pairsPath;      // tab-separated, UTF-8
    std::int64_t pairs = 0; // translations in the entries, duplicates included
};

GeneratedDictd generatedDictd(std::int64_t pairs);

} // namespace bench
