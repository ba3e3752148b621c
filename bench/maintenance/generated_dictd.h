#pragma once

#include <QString>

#include <cstdint>

// A dictd dictionary shaped like the free ones, generated from a fixed seed:
// entries of one to six translations, now and then a translation given
// twice or in capitals, now and then a headword with a second entry. Written
// once per size into a temporary folder, beside a file of the same pairs,
// one "headword TAB translation" line each, for a plain load to compare
// with. The entries come in the order of an unsorted word list, and every
// layout holds the same data in that order.
namespace bench {

enum class DictdLayout {
    InOrder,         // the index in the order of the data, uncompressed
    Unsorted,        // the index sorted by headword, as dictfmt writes an unsorted list
    DictzipInOrder,  // InOrder with the data as dictzip
    DictzipUnsorted, // Unsorted with the data as dictzip
};

// "plain in order" and the like, for the benchmark's labels.
const char *layoutName(DictdLayout layout);

struct GeneratedDictd {
    QString indexPath;
    QString dictPath;
    QString pairsPath;      // tab-separated, UTF-8
    std::int64_t pairs = 0; // translations in the entries, duplicates included
};

GeneratedDictd generatedDictd(std::int64_t pairs, DictdLayout layout = DictdLayout::InOrder);

} // namespace bench
