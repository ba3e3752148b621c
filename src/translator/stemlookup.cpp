// The word-form stage of WordLookup: the stems and compound parts of a word
// that no entry holds as it stands.
#include "store/engine/field.h"
#include "store/engine/table.h"
#include "translator/lookupbounds.h"
#include "translator/stemranking.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <algorithm>
#include <span>
#include <vector>

using namespace Qt::StringLiterals;

namespace translator {

std::optional<bool> WordLookup::locateLemma(const Lemma &lemma)
{
    // A past tense or participle is more likely the verb than a noun.
    for (const bool withMarker : {lemma.verbForm, !lemma.verbForm}) {
        if (locate(withMarker ? kInfinitiveMarker + lemma.text : lemma.text, false))
            return withMarker;
    }
    return std::nullopt;
}

namespace {

qsizetype sharedBeginning(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// How far a derived stem stands in the word: all of it, or all but an "-ik"
// ending or a changed last letter ("megállapod" of "megállapodik" in
// "megállapodási"); 0 when it is not at the word's beginning.
qsizetype derivedBeginning(const QString &w, const Lemma &stem)
{
    const qsizetype shared = sharedBeginning(w, stem.text);
    return stem.derived && shared >= 2 && shared + 2 >= stem.text.size() ? shared : 0;
}

} // namespace

qsizetype WordLookup::longestBeginningEntry(const QString &w, qsizetype above, LookupBounds &bounds,
                                            bool whole)
{
    std::vector<qsizetype> lengths;
    for (qsizetype length = whole ? w.size() : w.size() - 1; length > above; --length) {
        if (w[length - 1] != u'-' && w[length - 1] != u' ')
            lengths.push_back(length);
    }
    while (!lengths.empty()) {
        const qsizetype limit = bounds.shortenedLimit(false, lengths);
        if (limit == 0)
            break;
        if (locate(w.left(limit), false))
            return limit;
        std::erase_if(lengths, [limit](qsizetype length) { return length >= limit; });
    }
    return 0;
}

QList<Lemma> WordLookup::withDerivedStem(const QString &w, QList<Lemma> stems, LookupBounds &bounds,
                                         bool whole)
{
    // Hunspell names the stem before a derivational suffix; the derived stem
    // is then a longer beginning of the word ("alkalmazás" of
    // "alkalmazások"), which the table's order finds in a few probes.
    qsizetype shortest = w.size();
    for (const Lemma &stem : stems) {
        if (const qsizetype at = derivedBeginning(w, stem))
            shortest = std::min(shortest, at);
    }
    const qsizetype length = longestBeginningEntry(w, shortest, bounds, whole);
    if (length == 0)
        return stems;
    // It stands before the first stem it derives from.
    const QString derived = w.left(length);
    stems.removeIf([&](const Lemma &stem) { return stem.text == derived; });
    const auto from = std::find_if(stems.begin(), stems.end(), [&](const Lemma &stem) {
        const qsizetype at = derivedBeginning(w, stem);
        return at > 0 && at < length;
    });
    stems.insert(from, Lemma{derived});
    return stems;
}

QString WordLookup::locatePart(const CompoundPart &part, bool last)
{
    const auto keyOf = [](const Lemma &lemma, bool marked) {
        return marked ? kInfinitiveMarker + lemma.text : lemma.text;
    };
    // The reading's stem, then a part as it stands unless it is the last,
    // which carries the endings ("nevet" of "állománynevet" is another word
    // than "név").
    QList<Lemma> first;
    if (!part.stem.isEmpty())
        first.append(Lemma{part.stem});
    if (!last)
        addLemma(first, Lemma{part.text});
    for (const Lemma &lemma : first) {
        if (const std::optional<bool> marked = locateLemma(lemma))
            return keyOf(lemma, *marked);
    }
    LookupBounds bounds(m_table, m_source.fieldName(), part.text);
    // The part itself may be the derived stem ("tároló" of "tárol").
    QList<Lemma> lemmas =
        withDerivedStem(part.text, m_forms->lemmas(m_source.fieldName(), part.text), bounds, true);
    if (last)
        addLemma(lemmas, Lemma{part.text});
    for (const Lemma &lemma : lemmas) {
        if (lemma.text.isEmpty() ||
            std::any_of(first.begin(), first.end(),
                        [&](const Lemma &tried) { return tried.text == lemma.text; }))
            continue;
        if (const std::optional<bool> marked = locateLemma(lemma))
            return keyOf(lemma, *marked);
    }
    return {};
}

bool WordLookup::lookUpCompound(const Compound &parts, QStringList &matchedSources)
{
    QStringList keys; // the key each part's rows are found by
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString key = locatePart(parts[i], i + 1 == parts.size());
        if (key.isEmpty())
            return false;
        keys << key;
    }

    TTalalat &list = m_lists[0];
    list.HeadText = keys.join(u" + "_s);
    list.TailText.clear();
    list.HeadColor = kLime;
    list.TailColor = kAqua;
    matchedSources.clear();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!locate(keys[i], false))
            continue; // another program deleted the rows meanwhile
        matchedSources << m_source.asString();
        // The parts share the free lines; each line names its part.
        const qsizetype share = (kResultSlots - list.Count) / (keys.size() - i);
        const std::span<QString> free(list.Items.begin() + list.Count, std::size_t(share));
        const int read = m_table.readRun(m_source.fieldName(), m_target.fieldName(), free);
        for (int j = 0; j < read; ++j) {
            QString &line = free[std::size_t(j)];
            line = resultLine(keys[i] + u": "_s + line);
        }
        list.Count += read;
    }
    return true;
}

bool WordLookup::lookUpWordForms(const QString &w, LookupBounds &bounds,
                                 QStringList &matchedSources)
{
    if (!m_stemming || !m_forms || w.isEmpty())
        return false;
    const QString language = m_source.fieldName();
    const QStringList &prefixes = WordForms::verbalPrefixes(language);
    const WordAnalysis analysis = m_forms->analyse(language, w);
    const QList<Lemma> stems = withDerivedStem(w, analysis.lemmas, bounds);
    // The stems that keep the word's beginning, then the word's parts, which
    // keep all of it, then the stems that drop its prefix ("tölt" of
    // "feltöltötte") or add one.
    for (const bool keeping : {true, false}) {
        for (const Lemma &lemma : stems) {
            // The exact attempt has tried the word itself already.
            if (lemma.text.isEmpty() || lemma.text == w ||
                keepsBeginning(w, lemma.text, prefixes) != keeping)
                continue;
            if (const std::optional<bool> marked = locateLemma(lemma)) {
                setMatchHeader(*marked, lemma.text);
                matchedSources = {m_source.asString()};
                AddResultRows(1);
                return true;
            }
        }
        if (!keeping)
            break;
        for (const Compound &parts : analysis.compounds) {
            // An entry longer than the first part at the word's beginning
            // shows a split the analyser made for want of that word ("báj"
            // + "tok" of "bájtok", where "bájt" is one).
            if (longestBeginningEntry(w, parts.front().text.size(), bounds) == 0 &&
                lookUpCompound(parts, matchedSources))
                return true;
        }
    }
    return false;
}

} // namespace translator
