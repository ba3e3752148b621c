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
