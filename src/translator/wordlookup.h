#pragma once

#include "translator/colours.h"
#include "translator/lemma.h"
#include "translator/ttalalat.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace store {
class Field;
class Table;
} // namespace store

namespace translator {

class LookupBounds;
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
// stems of the word in the source language are tried before the shortening
// pass, the one keeping the most of the word's meaning first, then the parts
// of the word as a compound; a stem or a compound whose parts all match takes
// the shortening pass's place. The entries
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
    void setMatchHeader(bool withMarker, const QString &form);

    // The word-form stage (stemlookup.cpp). Fills list 1 from the first stem
    // of w whose rows exist, or else from the parts of the first split of w
    // into a compound whose parts all have rows; false when there is none.
    // matchedSources: the stored source texts of the groups in list 1.
    bool lookUpWordForms(const QString &w, LookupBounds &bounds, QStringList &matchedSources);
    // stems with the longest beginning of w that is an entry and extends a
    // derived stem, ranked; as they were when there is none. whole: w itself
    // counts as a beginning.
    QList<Lemma> withDerivedStem(const QString &w, QList<Lemma> stems, LookupBounds &bounds,
                                 bool whole = false);
    // The length of the longest beginning of w, shorter than w (or w itself
    // when whole) and longer than above, that is an entry; 0 when there is
    // none.
    qsizetype longestBeginningEntry(const QString &w, qsizetype above, LookupBounds &bounds,
                                    bool whole = false);
    // Makes the first row of the lemma current, trying "to " + the lemma
    // first for a verb form; whether the marker was needed, or nothing.
    std::optional<bool> locateLemma(const Lemma &lemma);
    bool lookUpCompound(const Compound &parts, QStringList &matchedSources);
    // The key of the part's rows ("to " included), located; empty when none.
    QString locatePart(const CompoundPart &part, bool last);

    store::Table &m_table;
    store::Field &m_source;
    store::Field &m_target;
    TResultLists m_lists;
    QString m_lastLookupWord;
    WordForms *m_forms = nullptr;
    bool m_stemming = true;
};

} // namespace translator
