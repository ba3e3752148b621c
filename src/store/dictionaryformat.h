#pragma once

#include "store/engine/field.h"
#include "store/engine/side_files.h"

#include <QString>

// What every dictionary table file shares, whoever writes it.
namespace store {

// A language field has the engine's text field size (kTextFieldSize,
// cutToSize in engine/field.h); the engine's index files and sideFile() are
// in engine/side_files.h.

// The marker beside a dictionary (sideFile(dictionary, ".nip")) that asks
// for its indexes to be rebuilt when it is next opened.
inline constexpr const char *kRebuildMarkerExtension = ".nip";

} // namespace store
