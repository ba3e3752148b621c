#pragma once

#include <QString>

namespace store {

// Creates path as a new, empty dictionary table: the integer key "Azon",
// the text fields first and second of kTextFieldSize characters, and one
// case-insensitive index on each text field, named like the field. Every
// dictionary the program, its tools and its tests make is made here.
// Throws EngineError, leaving no file behind, when path exists or cannot be
// written.
void CreateDictionaryFile(const QString &path, const QString &first, const QString &second);

} // namespace store
