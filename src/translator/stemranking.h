#pragma once

#include "translator/lemma.h"

#include <QStringList>

namespace translator {

// The verbal prefixes of Hungarian (meg-, be-, ki-, le-, fel-, el-, ...).
const QStringList &hungarianVerbalPrefixes();

// Whether stem keeps the beginning of word: its first letter and its verbal
// prefix, adding none ("befejez" of "befejezte" does, "fejez" does not).
bool keepsBeginning(const QString &word, const QString &stem, const QStringList &verbalPrefixes);

// Orders the stems of word so that the one keeping the most of its meaning
// comes first. A stem that stands in the word goes before the stems it
// extends, which it holds with a verbal prefix or a derivational suffix more
// ("befejez" before "fejez" and "fej", "alkalmazás" before "alkalmaz"); then stems that keep the
// word's beginning precede those dropping its prefix or first letter ("befejez" before "fejezte"
// for "befejezte"), and a stem adding a prefix the word does not begin with goes last. Otherwise
// stems keep their order, the analyser's preference.
void rankStems(const QString &word, QList<Lemma> &stems, const QStringList &verbalPrefixes);

} // namespace translator
