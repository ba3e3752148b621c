#pragma once

#include <QString>

#include <utility>

// The two language names of a dictionary file or list name: "Angol_Magyar.DB"
// and "Angol_Magyar2" give ("Angol", "Magyar"); a name without "_" gives an
// empty first name and the whole name as the second.
std::pair<QString, QString> SplitDictionaryName(const QString &name);

// False for names that cannot be dictionaries: those whose part before the
// first "." is empty or digits only (such as 2024.DB), which leave no
// language name.
bool IsDictionaryName(const QString &name);

// The first character of a language name that cannot stand in a file name
// on every common file system, or that would show the name otherwise than it
// is stored: path separators and * ? " < > | :, control characters,
// invisible format characters (direction marks and overrides, zero-width
// characters, the byte-order mark) and a surrogate without its pair. 0 when
// there is none.
char32_t ForbiddenNameCharacter(const QString &name);
