#include "translator/stemranking.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace translator {

const QStringList &hungarianVerbalPrefixes()
{
    static const QStringList prefixes = [] {
        QStringList list{u"meg"_s,   u"be"_s,     u"ki"_s,        u"le"_s,     u"fel"_s,
                         u"föl"_s,   u"el"_s,     u"vissza"_s,    u"át"_s,     u"össze"_s,
                         u"rá"_s,    u"ide"_s,    u"oda"_s,       u"szét"_s,   u"széjjel"_s,
                         u"hozzá"_s, u"elő"_s,    u"előre"_s,     u"hátra"_s,  u"alá"_s,
                         u"fölé"_s,  u"felé"_s,   u"mellé"_s,     u"bele"_s,   u"közre"_s,
                         u"közbe"_s, u"körül"_s,  u"keresztül"_s, u"végig"_s,  u"utána"_s,
                         u"haza"_s,  u"agyon"_s,  u"abba"_s,      u"túl"_s,    u"tönkre"_s,
                         u"újra"_s,  u"újjá"_s,   u"félre"_s,     u"ellen"_s,  u"neki"_s,
                         u"létre"_s, u"helyre"_s, u"rendbe"_s,    u"együtt"_s, u"fenn"_s,
                         u"fent"_s,  u"lent"_s,   u"bent"_s,      u"kint"_s};
        // Longest first, so that a word's prefix is the longest it begins with.
        std::stable_sort(list.begin(), list.end(),
                         [](const QString &a, const QString &b) { return a.size() > b.size(); });
        return list;
    }();
    return prefixes;
}

namespace {

// The longest prefix the text begins with and goes on after; empty when none.
QString prefixOf(const QString &text, const QStringList &prefixes)
{
    for (const QString &prefix : prefixes) {
        if (text.size() > prefix.size() && text.startsWith(prefix))
            return prefix;
    }
    return {};
}

// 0: keeps the word's beginning, its prefix with it; 1: drops its prefix or
// its first letter; 2: adds a prefix the word does not begin with.
int stemGroup(const QString &word, const QString &stem, const QStringList &verbalPrefixes)
{
    const QString prefix = prefixOf(stem, verbalPrefixes);
    if (!prefix.isEmpty() && !word.startsWith(prefix))
        return 2;
    const QString own = prefixOf(word, verbalPrefixes);
    if (!own.isEmpty() && !stem.startsWith(own))
        return 1;
    if (stem.isEmpty() || word.isEmpty() || stem.front() != word.front())
        return 1;
    return 0;
}

} // namespace

bool keepsBeginning(const QString &word, const QString &stem, const QStringList &verbalPrefixes)
{
    return stemGroup(word, stem, verbalPrefixes) == 0;
}

void rankStems(const QString &word, QList<Lemma> &stems, const QStringList &verbalPrefixes)
{
    // A stem that stands in the word goes before the first stem it extends;
    // unrelated stems keep the analyser's order ("ez" before "eb" for
    // "ebből"), and so do stems whose extra letters are not the word's
    // ("ér" before "érik" for "érheti").
    QList<Lemma> ordered;
    ordered.reserve(stems.size());
    for (const Lemma &stem : stems) {
        const bool inWord = word.contains(stem.text);
        const auto extended = std::find_if(ordered.begin(), ordered.end(), [&](const Lemma &kept) {
            return inWord && kept.text.size() < stem.text.size() && stem.text.contains(kept.text);
        });
        ordered.insert(extended, stem);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [&](const Lemma &a, const Lemma &b) {
        return stemGroup(word, a.text, verbalPrefixes) < stemGroup(word, b.text, verbalPrefixes);
    });
    stems = std::move(ordered);
}

} // namespace translator
