#pragma once

#include "translator/lemma.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class Hunspell;

namespace translator {

// Lemmas through a Hunspell dictionary (".aff" and ".dic"). For every reading
// of the word it takes Hunspell's stem, which keeps a verbal prefix
// ("befejez" for "befejezte"), then the reading's bare root ("fejez"); stems
// are ranked by rankStems, and readings with fewer inflectional tags come
// first among equals, so "almát" gives "alma" before "alom". A reading with
// a derivational suffix gives the stem before the suffix, marked derived:
// Hunspell generates derived stems only at great cost. A reading of a
// compound gives the compound's stem and its parts.
class HunspellAnalyser final : public LemmaAnalyser {
public:
    // Null when either file is missing or the dictionary's encoding is not
    // UTF-8 or ISO-8859-1. verbFlags: affix flags that make a verb form
    // (for the English dictionary "DGN": -ed, -ing, -en). verbalPrefixes:
    // the language's verbal prefixes, for the ranking. onlyWords, when not
    // empty: the analyser answers only for these words (and their pieces),
    // exactly as the whole dictionary would, and loads only the entries that
    // can be their stems, which takes a fraction of the time. Where the affix
    // file's rules give no such bound, the whole dictionary is loaded.
    static std::unique_ptr<HunspellAnalyser> open(const QString &affPath, const QString &dicPath,
                                                  const QString &verbFlags = QString(),
                                                  const QStringList &verbalPrefixes = {},
                                                  const QStringList &onlyWords = {});
    ~HunspellAnalyser() override;
    HunspellAnalyser(const HunspellAnalyser &) = delete;
    HunspellAnalyser &operator=(const HunspellAnalyser &) = delete;

    WordAnalysis analyse(const QString &word) const override;
    // Whether the dictionary holds the word as it is spelt.
    bool knows(const QString &word) const;

private:
    HunspellAnalyser(std::unique_ptr<Hunspell> hunspell, bool utf8, QString verbFlags,
                     QStringList verbalPrefixes);
    WordAnalysis readings(const QString &word) const;
    std::string encode(const QString &text) const;
    QString decode(const std::string &text) const;

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8;
    QString m_verbFlags;
    QStringList m_verbalPrefixes;
};

} // namespace translator
