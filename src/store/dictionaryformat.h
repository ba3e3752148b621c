#pragma once

#include <QString>

#include <array>

// What every dictionary table file shares, whoever writes it.
namespace store {

// Characters of a language field.
inline constexpr int kTextFieldSize = 50;

// text cut to size characters, never inside a surrogate pair.
QString cutToSize(const QString &text, int size = kTextFieldSize);

// The engine's index files beside a table (same base name), which index
// maintenance deletes whatever their state, and the rebuild marker.
inline constexpr std::array<const char *, 4> kIndexFileExtensions{".XG0", ".YG0", ".XG1",
                                                                  ".YG1"};
inline constexpr const char *kRebuildMarkerExtension = ".nip";

// The file beside dictionaryFile with the same folder and base name and
// another extension (".nip", ".XG0", ...).
QString sideFile(const QString &dictionaryFile, const char *extension);

} // namespace store
