#pragma once

#include "store/storeresult.h"

#include <QString>
#include <QStringList>

namespace store {

// The dictionaries of folder dir: the names of its regular files ending in
// ".DB" (any letter case) without that extension, leaving out names that
// hold no language name (2024.DB), sorted as the engine sorts texts. Folders,
// pipes and devices named like a dictionary are not listed. Empty when dir
// does not exist.
QStringList ListDictionaries(const QString &dir);

// The file name a new dictionary of the languages first and second gets in
// dir: "First_Second.DB", or when that is taken "First_Second1.DB",
// "First_Second2.DB", ... A name is taken by any entry of dir that equals it
// but for letter case.
QString NewDictionaryFileName(const QString &dir, const QString &first, const QString &second);

// Creates an empty dictionary for the two languages (trimmed of blanks) in
// dir under NewDictionaryFileName and returns its full path. Names that the
// dictionary's file name would not give back (empty, with "_" in the first,
// ".", a path separator, trailing digits, equal names, "Azon"), and those
// with a character no common file system takes or that does not show
// (ForbiddenNameCharacter), are refused before anything is written. Every failure reads "Nem
// sikerült létrehozni az állományt", with the reason on the next line.
Result<QString> CreateDictionaryTable(const QString &dir, const QString &first,
                                      const QString &second);

} // namespace store
