#pragma once

#include "translator/lemma.h"

#include <QString>

#include <memory>

class Hunspell;

namespace translator {

// Lemmas through a Hunspell dictionary (".aff" and ".dic"). Readings with
// fewer inflectional tags come first, so "almát" gives "alma" before "alom".
class HunspellAnalyser final : public LemmaAnalyser {
public:
    // Null when either file is missing or the dictionary's encoding is not
    // UTF-8 or ISO-8859-1. verbFlags: affix flags that make a verb form
    // (for the English dictionary "DGN": -ed, -ing, -en).
    static std::unique_ptr<HunspellAnalyser> open(const QString &affPath, const QString &dicPath,
                                                  const QString &verbFlags = QString());
    ~HunspellAnalyser() override;
    HunspellAnalyser(const HunspellAnalyser &) = delete;
    HunspellAnalyser &operator=(const HunspellAnalyser &) = delete;

    QList<Lemma> lemmas(const QString &word) const override;

private:
    HunspellAnalyser(std::unique_ptr<Hunspell> hunspell, bool utf8, QString verbFlags);
    QList<Lemma> analyse(const QString &word) const;
    std::string encode(const QString &text) const;
    QString decode(const std::string &text) const;

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8;
    QString m_verbFlags;
};

} // namespace translator
