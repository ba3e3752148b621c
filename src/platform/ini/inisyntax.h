#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The line grammar of the Windows INI format, as the Windows profile
// functions read it. Only "\n" ends a line; a "\r" before it belongs to the
// line ending.
namespace inisyntax {

// The blanks the profile functions strip around names and values: space,
// tab, vertical tab, form feed, CR, LF and the old end-of-file mark 0x1A.
bool isBlank(QChar c);
QStringView trimmed(QStringView text);

enum class LineKind {
    Other,   // blank, comment (";"), or a line the format does not know
    Section, // "[name]", anything after the last "]" is ignored
    Entry,   // "key=value", split at the first "="
};

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QStringView name;  // section or key name, trimmed
    QStringView value; // entry value, trimmed, quotes still on
};

// The views point into line.
ParsedLine parseLine(QStringView line);

// Names compare without regard to letter case, as the profile functions do.
bool sameName(QStringView a, QStringView b);

// A stored value as the reader returns it: one pair of matching quotes
// ('...' or "...") around the whole value is removed.
QString unquote(QStringView value);

// The text to store so that unquote(trimmed(text)) gives value back: values
// with blanks at either end, or wrapped in matching quotes, get double quotes.
QString quoteForStorage(const QString &value);

// Optional sign and ASCII decimal digits, blanks around allowed; anything
// else, and values outside the 32-bit range, give nullopt.
std::optional<int> parseInteger(QStringView text);

// Why a name or value cannot be stored so that it reads back the same, or an
// empty string when it can.
QString sectionNameProblem(QStringView section);
QString keyNameProblem(QStringView key);
QString valueProblem(QStringView value);

} // namespace inisyntax
