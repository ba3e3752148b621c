#include "translator/wordforms.h"

#include "translator/hunspellanalyser.h"
#include "translator/stemranking.h"
#include "translator/wordnetexceptions.h"

#include <QDir>

namespace translator {
namespace {

enum class Language { Unknown, English, Hungarian, German };

Language languageOf(const QString &name)
{
    const QString key = name.trimmed().toLower();
    if (key == u"angol")
        return Language::English;
    if (key == u"magyar")
        return Language::Hungarian;
    if (key == u"nemet" || key == u"német")
        return Language::German;
    return Language::Unknown;
}

// "author's", "authors'" (also with ’) without the possessive; empty when
// the word has none.
QString withoutPossessive(const QString &word)
{
    const auto apostrophe = [](QChar c) { return c == u'\'' || c == u'\u2019'; };
    const qsizetype n = word.size();
    if (n > 2 && word[n - 1] == u's' && apostrophe(word[n - 2]))
        return word.left(n - 2);
    if (n > 2 && apostrophe(word[n - 1]) && word[n - 2] == u's')
        return word.left(n - 1);
    return {};
}

// Irregular forms from WordNet first: Hunspell's English dictionary holds
// them as words of their own (stood, mice). WordNet's lists leave out the
// plurals its rule "-men" to "-man" makes (women), which Hunspell also holds
// whole; the rule's word counts when Hunspell knows it. A possessive is
// removed first, and the word without it comes before its own lemmas.
class EnglishAnalyser final : public LemmaAnalyser {
public:
    EnglishAnalyser(std::unique_ptr<WordNetExceptions> exceptions,
                    std::unique_ptr<HunspellAnalyser> hunspell)
        : m_exceptions(std::move(exceptions)), m_hunspell(std::move(hunspell))
    {}
    WordAnalysis analyse(const QString &word) const override
    {
        const QString base = withoutPossessive(word);
        if (base.isEmpty())
            return {forms(word), {}};
        QList<Lemma> found{Lemma{base}};
        for (const Lemma &lemma : forms(base))
            addLemma(found, lemma);
        return {found, {}};
    }
    // The words analyse asks its dictionaries about for word, besides their
    // pieces: the word, and the singular the rule "-men" to "-man" makes.
    static QStringList queriedWords(const QString &word)
    {
        QStringList words{word};
        for (const QString &form : {word, withoutPossessive(word)}) {
            if (form.size() > 3 && form.endsWith(u"men"))
                words << form.chopped(3) + QStringLiteral("man");
        }
        return words;
    }

private:
    QList<Lemma> forms(const QString &word) const
    {
        QList<Lemma> found;
        if (m_exceptions)
            found = m_exceptions->lemmas(word);
        if (m_hunspell && found.isEmpty() && word.size() > 3 && word.endsWith(u"men")) {
            const QString singular = word.chopped(3) + QStringLiteral("man");
            if (m_hunspell->knows(singular))
                found.append(Lemma{singular});
        }
        if (m_hunspell) {
            for (const Lemma &lemma : m_hunspell->lemmas(word))
                addLemma(found, lemma);
        }
        return found;
    }

    std::unique_ptr<WordNetExceptions> m_exceptions;
    std::unique_ptr<HunspellAnalyser> m_hunspell;
};

// A word written with hyphens ("adatbázis-kezelőt") is a compound of its
// pieces, which Hunspell does not analyse together; with the endings of its
// last piece removed it may still be an entry whole ("adatbázis-kezelő").
class HungarianAnalyser final : public LemmaAnalyser {
public:
    explicit HungarianAnalyser(std::unique_ptr<HunspellAnalyser> hunspell)
        : m_hunspell(std::move(hunspell))
    {}
    WordAnalysis analyse(const QString &word) const override
    {
        WordAnalysis found = m_hunspell->analyse(word);
        const QStringList parts = word.split(u'-');
        if (parts.size() < 2 || parts.contains(QString()))
            return found;
        if (found.lemmas.isEmpty()) {
            const QString head = word.left(word.lastIndexOf(u'-') + 1);
            for (const Lemma &lemma : m_hunspell->lemmas(parts.last()))
                addLemma(found.lemmas, Lemma{head + lemma.text, lemma.verbForm, lemma.derived});
        }
        Compound compound;
        for (const QString &part : parts)
            compound.append(CompoundPart{part, QString()});
        found.compounds.prepend(compound);
        return found;
    }

private:
    std::unique_ptr<HunspellAnalyser> m_hunspell;
};

std::shared_ptr<const LemmaAnalyser> openHunspell(const WordFormFiles &files, const char *name,
                                                  const QStringList &onlyWords)
{
    const QDir dir(files.hunspellDir);
    const QString base = QLatin1String(name);
    return HunspellAnalyser::open(dir.filePath(base + QStringLiteral(".aff")),
                                  dir.filePath(base + QStringLiteral(".dic")), QString(), {},
                                  onlyWords);
}

// onlyWords: see HunspellAnalyser::open; empty for the whole language.
std::shared_ptr<const LemmaAnalyser> loadUnguarded(Language language, const WordFormFiles &files,
                                                   const QStringList &onlyWords)
{
    switch (language) {
    case Language::English: {
        auto exceptions = std::make_unique<WordNetExceptions>();
        if (!exceptions->load(files.wordNetDir, onlyWords))
            exceptions.reset();
        const QDir dir(files.hunspellDir);
        auto hunspell = HunspellAnalyser::open(dir.filePath(QStringLiteral("en_US.aff")),
                                               dir.filePath(QStringLiteral("en_US.dic")),
                                               QStringLiteral("DGN"), {}, onlyWords);
        if (!exceptions && !hunspell)
            return nullptr;
        return std::make_shared<EnglishAnalyser>(std::move(exceptions), std::move(hunspell));
    }
    case Language::Hungarian: {
        const QDir dir(files.hunspellDir);
        auto hunspell = HunspellAnalyser::open(dir.filePath(QStringLiteral("hu_HU.aff")),
                                               dir.filePath(QStringLiteral("hu_HU.dic")), QString(),
                                               hungarianVerbalPrefixes());
        if (!hunspell)
            return nullptr;
        return std::make_shared<HungarianAnalyser>(std::move(hunspell));
    }
    case Language::German:
        return openHunspell(files, "de_DE", onlyWords);
    case Language::Unknown:
        break;
    }
    return nullptr;
}

// The lookup goes on without word forms when a dictionary cannot be read.
std::shared_ptr<const LemmaAnalyser> load(Language language, const WordFormFiles &files,
                                          const QStringList &onlyWords = {})
{
    try {
        return loadUnguarded(language, files, onlyWords);
    } catch (const std::exception &) {
        return nullptr;
    }
}

} // namespace

WordForms::WordForms(WordFormFiles files) : m_files(std::move(files)) {}

WordForms::~WordForms() = default;

WordForms::Loaded *WordForms::start(const QString &language, std::launch policy)
{
    const Language which = languageOf(language);
    if (which == Language::Unknown)
        return nullptr;
    const int key = int(which);
    auto found = m_loaded.find(key);
    if (found == m_loaded.end()) {
        // The task gets its own copy of the paths: it may outlive a call.
        found = m_loaded.insert(key, std::async(policy, [which, files = m_files] {
                                         return load(which, files);
                                     }).share());
    }
    return &found.value();
}

void WordForms::preload(const QString &language)
{
    start(language, std::launch::async);
}

const LemmaAnalyser *WordForms::analyser(const QString &language)
{
    Loaded *loaded = start(language, std::launch::deferred);
    return loaded ? loaded->get().get() : nullptr;
}

WordAnalysis WordForms::analyse(const QString &language, const QString &word)
{
    const LemmaAnalyser *found = nullptr;
    const Language which = languageOf(language);
    const int key = int(which);
    if (which != Language::Unknown && !m_loaded.contains(key)) {
        // Until a second word needs them, the analysers answer for the one
        // word only: loading the whole Hunspell dictionary costs most of a
        // single lookup. Hungarian's affix file alone takes most of its load.
        auto narrow = m_narrow.find(key);
        if (narrow == m_narrow.end() && which != Language::Hungarian) {
            const QStringList words = which == Language::English
                                          ? EnglishAnalyser::queriedWords(word)
                                          : QStringList{word};
            narrow = m_narrow.insert(key, Narrow{word, load(which, m_files, words)});
        }
        if (narrow != m_narrow.end() && narrow->word == word)
            found = narrow->analyser.get();
    }
    if (!found)
        found = analyser(language);
    return found ? found->analyse(word) : WordAnalysis();
}

const QStringList &WordForms::verbalPrefixes(const QString &language)
{
    static const QStringList none;
    return languageOf(language) == Language::Hungarian ? hungarianVerbalPrefixes() : none;
}

} // namespace translator
