#pragma once

#include <QList>
#include <QString>

namespace translator {

// One dictionary form of a word, as an analyser gives it.
struct Lemma {
    QString text;          // lower-cased
    bool verbForm = false; // the word is a past tense or a participle of it
    bool operator==(const Lemma &) const = default;
};

// Finds the dictionary forms of an inflected word in one language.
class LemmaAnalyser {
public:
    virtual ~LemmaAnalyser() = default;
    // The lemmas of the lower-cased word, best first, without repeats; empty
    // when the analyser does not know the word. May hold the word itself.
    virtual QList<Lemma> lemmas(const QString &word) const = 0;
};

// Appends lemma unless a lemma of the same text is already there; a verb
// reading marks the kept one as a verb form.
void addLemma(QList<Lemma> &lemmas, const Lemma &lemma);

} // namespace translator
