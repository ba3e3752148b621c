#pragma once

#include <QString>
#include <QStringView>

// Text helpers shared across the program: Hungarian lower-casing, the
// definite article in front of a name, and the program's trim.

// Lower-cases the nine Hungarian accented capitals (Á É Í Ó Ő Ö Ú Ű Ü) and
// ASCII A..Z; every other character, other accented capitals such as Ä
// included, stays as it is. The result has the same length.
QString LowerHungarian(QStringView text);

// "Az " + word when the first character of the trimmed word is a Hungarian
// vowel (a e i o u and their accented forms, either case), else "A " + word.
// The word itself is kept untrimmed; an empty or all-blank word takes "A".
QString WithArticle(const QString &word);

// Removes leading and trailing blanks and control characters: every
// character up to and including the space, and the Unicode line and
// paragraph separators (U+2028, U+2029) that stand for line ends.
QString TrimBlanks(QStringView text);
QStringView TrimBlanksView(QStringView text);
