#pragma once

#include <QString>

#include <array>

// The files the engine keeps beside a table of the same folder and base name.
namespace store {

// The engine's index files beside a table, which deleting the table and
// index maintenance remove whatever their state.
inline constexpr std::array<const char *, 4> kIndexFileExtensions{".XG0", ".YG0", ".XG1", ".YG1"};

// The file beside tableFile with the same folder and base name and another
// extension (".XG0", ...).
QString sideFile(const QString &tableFile, const char *extension);

} // namespace store
