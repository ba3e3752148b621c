#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

struct sqlite3;

// The engine's case-insensitive order of texts.
//
// Characters compare after simple (one-to-one) Unicode lower-casing. A letter
// whose canonical decomposition is an ASCII letter followed by combining
// marks sorts right after that ASCII letter: first the Hungarian ones in
// alphabet order (a á, e é, i í, o ó ö ő, u ú ü ű), then the others of the
// same base letter by code point. Every other character sorts by its code
// point. A proper prefix sorts first. Two texts compare equal exactly when
// their lower-cased forms are equal, so all texts that begin with a given
// text (case-insensitively) form one run in this order.
namespace store::collation {

// Name under which the order is registered with SQLite.
inline constexpr const char *kSqlName = "HU_CI";

// Sort weight of one character; distinct lower-cased characters have
// distinct weights.
std::uint64_t weight(char32_t c);

// <0, 0 or >0 as a sorts before, equal to or after b.
int compare(QStringView a, QStringView b);
int compareUtf8(const char *a, int aLen, const char *b, int bLen);

// True when text, lower-cased, begins with prefix lower-cased.
bool startsWith(QStringView text, QStringView prefix);

// How far value and the UTF-8 text agree from their start, case-insensitively,
// as the registered order compares them: the number of UTF-16 units of value
// that text begins with. A lone surrogate in value counts as the replacement
// character it becomes when bound. whole, when given, is set to whether the
// agreement uses up all of text.
qsizetype commonPrefix(QStringView value, const char *text, int textLen, bool *whole = nullptr);

// A text that sorts after every text beginning with prefix.
QString upperBoundFor(QStringView prefix);

// Registers the order on a connection; returns the SQLite result code.
int registerWith(sqlite3 *db);

} // namespace store::collation
