#include "translator/wordlookup.h"

#include "platform/text/textfunctions.h"
#include "store/engine/field.h"
#include "store/engine/table.h"
#include "translator/lookupbounds.h"
#include "translator/wordforms.h"

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>

namespace translator {
Colour colourOf(WordMatch match)
{
    switch (match) {
    case WordMatch::Exact:
        return kLime;
    case WordMatch::Found:
        return kWhite;
    case WordMatch::None:
        break;
    }
    return kNothingRed;
}

WordLookup::WordLookup(store::Table &table, store::Field &source, store::Field &target)
    : m_table(table), m_source(source), m_target(target)
{}

bool WordLookup::locate(const QString &key, bool partial)
{
    if (key.size() > store::kTextFieldSize)
        return false;
    store::LocateOptions options = store::LocateOption::CaseInsensitive;
    if (partial)
        options |= store::LocateOption::PartialKey;
    return m_table.locate(m_source.fieldName(), key, options);
}

void WordLookup::AddResultRows(int list)
{
    if (list != 1 && list != 2)
        throw std::out_of_range("AddResultRows: list must be 1 or 2");
    TTalalat &result = m_lists[std::size_t(list - 1)];
    // A full list stops the walk: nothing is ever written beyond its slots.
    if (result.isFull())
        return;
    const std::span<QString> free(result.Items.begin() + result.Count, result.Items.end());
    const int read = m_table.readRun(m_source.fieldName(), m_target.fieldName(), free);
    for (int i = 0; i < read; ++i) {
        QString &line = free[std::size_t(i)];
        if (line.size() > kResultLineLength)
            line = resultLine(line);
    }
    result.Count += read;
}

void WordLookup::setMatchHeader(bool withMarker, const QString &form)
{
    TTalalat &matchList = m_lists[0];
    if (withMarker) {
        matchList.HeadText = kInfinitiveMarker;
        matchList.TailText = form;
        matchList.HeadColor = kAqua;
        matchList.TailColor = kLime;
    } else {
        matchList.HeadText = form;
        matchList.TailText.clear();
        matchList.HeadColor = kLime;
        matchList.TailColor = kAqua;
    }
}

LookupOutcome WordLookup::LookUpWord(const QString &word)
{
    // Composed (NFC) as stored: "e" with a combining accent finds "é".
    const QString w = LowerHungarian(word.normalized(QString::NormalizationForm_C));
    m_lastLookupWord = w;
    TTalalat &matchList = m_lists[0];
    TTalalat &completionList = m_lists[1];
    matchList.Count = 0;
    completionList.Count = 0;

    LookupOutcome outcome;
    outcome.word = w;
    QString finalKey; // empty at the end: nothing was found

    // One read transaction for all the locates and probes of the lookup.
    const store::ReadScope reads(m_table);
    const bool exactPlain = locate(w, false);
    std::optional<LookupBounds> bounds;
    if (!exactPlain && !w.isEmpty())
        bounds.emplace(m_table, m_source.fieldName(), w);

    // Exact attempt: the word, then the verb form "to " + the word.
    if (exactPlain ||
        (bounds && bounds->markedWordPossible() && locate(kInfinitiveMarker + w, false))) {
        outcome.match = WordMatch::Exact;
        // The header is decided by which key matched: comparing the stored
        // text with the key would take a capital the Hungarian lower-casing
        // leaves alone (Ä) for a "to " entry.
        if (exactPlain) {
            matchList.HeadText.clear();
            matchList.TailText.clear();
        } else {
            matchList.HeadText = kInfinitiveMarker;
            matchList.TailText = w;
            matchList.HeadColor = kAqua;
            matchList.TailColor = kLime;
        }
        AddResultRows(1);
        finalKey = w;
    } else if (bounds) {
        // Shortening pass: cut the word from its end until an entry matches.
        QStringList matchedSources; // stored source texts of the groups in list 1
        // Word forms: a stem that matches stands where a shortened form would.
        bool shortened = lookUpWordForms(w, *bounds, matchedSources);
        if (shortened)
            outcome.match = WordMatch::Found;
        if (!shortened) {
            const std::vector<qsizetype> forms = shortenedLengths(w);
            const qsizetype plainLimit = bounds->shortenedLimit(false, forms);
            const qsizetype markedLimit = bounds->shortenedLimit(true, forms);
            for (const qsizetype length : forms) {
                const bool plainPossible = length <= plainLimit;
                const bool markedPossible = length <= markedLimit;
                if (!plainPossible && !markedPossible)
                    continue;
                const QString form = w.left(length);
                const bool plain = plainPossible && locate(form, false);
                if (plain || (markedPossible && locate(kInfinitiveMarker + form, false))) {
                    outcome.match = WordMatch::Found;
                    setMatchHeader(!plain, form);
                    matchedSources = {m_source.asString()};
                    shortened = true;
                    AddResultRows(1);
                    break;
                }
            }
        }

        // Completion pass: the first entry that begins with the word, or with
        // its longest beginning that some entry begins with.
        const qsizetype plainLimit = bounds->completionLimit(false);
        const qsizetype markedLimit = bounds->completionLimit(true);
        QString k = w.left(std::max(plainLimit, markedLimit));
        while (!k.isEmpty()) {
            const bool plain = k.size() <= plainLimit && locate(k, true);
            if (plain || (k.size() <= markedLimit && locate(kInfinitiveMarker + k, true))) {
                const QString entry = m_source.asString();
                outcome.match = WordMatch::Found;
                completionList.HeadText = plain ? k : kInfinitiveMarker + k;
                completionList.TailText = entry.mid(completionList.HeadText.size());
                completionList.HeadColor = kLime;
                completionList.TailColor = kMagenta;
                // The completion list does not repeat the group of the match list.
                if (!matchedSources.contains(entry))
                    AddResultRows(2);
                break;
            }
            k.chop(1);
        }
        finalKey = k;
    }

    if (finalKey.isEmpty()) {
        outcome.match = WordMatch::None;
        matchList.HeadText.clear();
        matchList.TailText.clear();
        // The line is always shown: on a full list it takes the last slot.
        if (matchList.isFull())
            --matchList.Count;
        matchList.Items[std::size_t(matchList.Count)] = kNothingFoundLine;
        ++matchList.Count;
    }
    outcome.colour = colourOf(outcome.match);
    return outcome;
}

} // namespace translator
