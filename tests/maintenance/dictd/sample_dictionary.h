#pragma once

#include "dictd_fixture.h"

#include <QString>

#include <utility>
#include <vector>

// A small English–Hungarian dictd dictionary with every case the conversion
// must handle, and the rows it must give.
namespace sample_dictionary {

using Pair = std::pair<QString, QString>;

std::vector<dictd_fixture::Entry> entries();

// Rows of Angol_Magyar.DB in key order, converted with the Hungarian repair.
std::vector<Pair> expectedRows();

// Figures of that conversion.
inline constexpr int kIndexEntries = 15;
inline constexpr int kInfoEntries = 2;
inline constexpr int kTranslations = 20;
inline constexpr int kDuplicates = 5;
inline constexpr int kEmpty = 1;
inline constexpr int kCut = 2;
inline constexpr int kRepaired = 3;

} // namespace sample_dictionary
