#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace translator {

// One dictionary form of a word, as an analyser gives it.
struct Lemma {
    QString text;          // lower-cased
    bool verbForm = false; // the word is a past tense or a participle of it
    // A derivational suffix follows text in the word (alkalmaz + ás in
    // "alkalmazások"): a longer beginning of the word may be its derived stem.
    bool derived = false;
    bool operator==(const Lemma &) const = default;
};

// One part of a compound word.
struct CompoundPart {
    QString text; // as it stands in the word, the last part with its endings
    QString stem; // its stem in the analyser's reading; empty when unknown
    bool operator==(const CompoundPart &) const = default;
};
using Compound = QList<CompoundPart>;

// What an analyser knows of a word.
struct WordAnalysis {
    QList<Lemma> lemmas; // best first, without repeats; may hold the word itself
    // The word's splits into the parts of a compound, fewer parts first:
    // {"könyvtár", "szerkezetet" (stem "szerkezet")} for "könyvtárszerkezetet".
    QList<Compound> compounds;
};

// Finds the dictionary forms of an inflected word in one language.
class LemmaAnalyser {
public:
    virtual ~LemmaAnalyser() = default;
    // The analysis of the lower-cased word; empty when the analyser does not
    // know the word.
    virtual WordAnalysis analyse(const QString &word) const = 0;
    QList<Lemma> lemmas(const QString &word) const { return analyse(word).lemmas; }
};

// Appends lemma unless a lemma of the same text is already there; the kept
// one takes over a verb reading and a derivational suffix.
void addLemma(QList<Lemma> &lemmas, const Lemma &lemma);

} // namespace translator
