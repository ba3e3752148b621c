#pragma once

#include "translator/lemma.h"

#include <QHash>
#include <QString>

#include <future>
#include <memory>

namespace translator {

// Where the analysers' data lie; the defaults are the Debian packages'.
struct WordFormFiles {
    QString hunspellDir = QStringLiteral("/usr/share/hunspell");
    QString wordNetDir = QStringLiteral("/usr/share/wordnet");
};

// The lemma analysers by dictionary language name ("Angol", "Magyar",
// "Nemet" or "Német"). Each is loaded once, on first use or in the
// background after preload; a language without an analyser, or whose files
// are missing, has none. Without preload, the first word of a language is
// analysed from only the data it can reach (a lookup of one word, as the
// command line makes, need not wait for a whole dictionary), and the second
// loads the whole. Used from one thread; only loading runs elsewhere.
class WordForms final {
public:
    explicit WordForms(WordFormFiles files = {});
    ~WordForms();
    WordForms(const WordForms &) = delete;
    WordForms &operator=(const WordForms &) = delete;

    // Starts loading the language's analyser in the background, so that the
    // first lookup does not wait for it; does nothing when already started.
    void preload(const QString &language);
    // The language's analyser, waiting for its loading; null when there is
    // none.
    const LemmaAnalyser *analyser(const QString &language);
    // The analysis of the lower-cased word; empty without an analyser.
    WordAnalysis analyse(const QString &language, const QString &word);
    QList<Lemma> lemmas(const QString &language, const QString &word)
    {
        return analyse(language, word).lemmas;
    }
    // The verbal prefixes by which the language's stems are ranked; empty
    // for a language without them.
    static const QStringList &verbalPrefixes(const QString &language);

private:
    using Loaded = std::shared_future<std::shared_ptr<const LemmaAnalyser>>;
    Loaded *start(const QString &language, std::launch policy);

    // An analyser that answers for one word only, loaded for the first
    // word of a language that asks before the whole one.
    struct Narrow {
        QString word;
        std::shared_ptr<const LemmaAnalyser> analyser;
    };

    WordFormFiles m_files;
    QHash<int, Loaded> m_loaded; // by language
    QHash<int, Narrow> m_narrow; // by language
};

} // namespace translator
