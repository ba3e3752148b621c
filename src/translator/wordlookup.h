#pragma once

#include "translator/colours.h"
#include "translator/ttalalat.h"

#include <QString>

namespace store {
class Field;
class Table;
} // namespace store

namespace translator {

class WordForms;

// How well a lookup matched; the word box shows it as its colour.
enum class WordMatch {
    Exact, // the word itself or "to " + the word: lime
    Found, // only by shortening or completion: white
    None,  // nothing: red
};

struct LookupOutcome {
    QString word; // the word lower-cased, as it was looked up
    WordMatch match = WordMatch::None;
    Colour colour = kNothingRed; // of the word box and the word bar
};

Colour colourOf(WordMatch match);

inline const QString kInfinitiveMarker = QStringLiteral("to ");
inline const QString kNothingFoundLine = QStringLiteral("Nincs ilyen szó a szótárban...");

// The word lookup of the translator on an open dictionary table ordered by
// its source field, so that rows with the same source text are adjacent.
// It tolerates inflected and incomplete words: it tries the word and
// "to " + the word, then shortens the word from its end until an entry
// matches, then completes it to the first entry that begins with it (or with
// its longest beginning that any entry begins with). With word forms on, the
// lemmas of the word in the source language are tried before the shortening
// pass; a lemma that matches takes the shortening pass's place. The entries
// next to the word in the table's order show which shortened and completed
// keys can match at all, and only those are located (LookupBounds): a
// lookup costs a few index seeks, whatever the word's length. Only the
// table's current row changes; the table must stay open while lookups run.
class WordLookup final {
public:
    // source and target are the table's field components of the source and
    // the target text; they must outlive the lookup.
    WordLookup(store::Table &table, store::Field &source, store::Field &target);
    WordLookup(const WordLookup &) = delete;
    WordLookup &operator=(const WordLookup &) = delete;

    // Looks the word up (it may be empty) and refills both result lists.
    // Engine errors (a broken file) pass through as store::EngineError; the
    // lists then hold what was gathered before the error.
    LookupOutcome LookUpWord(const QString &word);

    // Appends the target texts of the current row and of the rows after it
    // that have the same source text (exact comparison) to list 1 (the match
    // list) or 2 (the completion list), stopping when the list is full.
    // Leaves the first row after the group current.
    void AddResultRows(int list);

    // The analysers of the word-form stage, by the source field's name (the
    // language); null, or stemming off, skips the stage and gives exactly the
    // lookup without it. forms must outlive the lookup.
    void setWordForms(WordForms *forms) { m_forms = forms; }
    void setStemming(bool on) { m_stemming = on; }
    bool stemming() const { return m_stemming; }

    TResultLists &ResultLists() { return m_lists; }
    const TResultLists &ResultLists() const { return m_lists; }
    // The lower-cased word of the latest lookup; empty before the first.
    const QString &LastLookupWord() const { return m_lastLookupWord; }

private:
    bool locate(const QString &key, bool partial);
    // Fills list 1 from the first lemma of w whose rows exist; false when
    // none does. matchedSource: the stored source text of that group.
    bool lookUpLemmas(const QString &w, QString &matchedSource);
    void setMatchHeader(bool withMarker, const QString &form);

    store::Table &m_table;
    store::Field &m_source;
    store::Field &m_target;
    TResultLists m_lists;
    QString m_lastLookupWord;
    WordForms *m_forms = nullptr;
    bool m_stemming = true;
};

} // namespace translator
