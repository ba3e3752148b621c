#include "translator/wordforms.h"

#include "translator/hunspellanalyser.h"
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

// Irregular forms from WordNet first: Hunspell's English dictionary holds
// them as words of their own (stood, mice).
class EnglishAnalyser final : public LemmaAnalyser {
public:
    EnglishAnalyser(std::unique_ptr<WordNetExceptions> exceptions,
                    std::unique_ptr<HunspellAnalyser> hunspell)
        : m_exceptions(std::move(exceptions)), m_hunspell(std::move(hunspell))
    {}
    QList<Lemma> lemmas(const QString &word) const override
    {
        QList<Lemma> found;
        if (m_exceptions)
            found = m_exceptions->lemmas(word);
        if (m_hunspell) {
            for (const Lemma &lemma : m_hunspell->lemmas(word))
                addLemma(found, lemma);
        }
        return found;
    }

private:
    std::unique_ptr<WordNetExceptions> m_exceptions;
    std::unique_ptr<HunspellAnalyser> m_hunspell;
};

std::shared_ptr<const LemmaAnalyser> openHunspell(const WordFormFiles &files, const char *name,
                                                  const QString &verbFlags = QString())
{
    const QDir dir(files.hunspellDir);
    const QString base = QLatin1String(name);
    return HunspellAnalyser::open(dir.filePath(base + QStringLiteral(".aff")),
                                  dir.filePath(base + QStringLiteral(".dic")), verbFlags);
}

std::shared_ptr<const LemmaAnalyser> loadUnguarded(Language language, const WordFormFiles &files)
{
    switch (language) {
    case Language::English: {
        auto exceptions = std::make_unique<WordNetExceptions>();
        if (!exceptions->load(files.wordNetDir))
            exceptions.reset();
        const QDir dir(files.hunspellDir);
        auto hunspell = HunspellAnalyser::open(dir.filePath(QStringLiteral("en_US.aff")),
                                               dir.filePath(QStringLiteral("en_US.dic")),
                                               QStringLiteral("DGN"));
        if (!exceptions && !hunspell)
            return nullptr;
        return std::make_shared<EnglishAnalyser>(std::move(exceptions), std::move(hunspell));
    }
    case Language::Hungarian:
        return openHunspell(files, "hu_HU");
    case Language::German:
        return openHunspell(files, "de_DE");
    case Language::Unknown:
        break;
    }
    return nullptr;
}

// The lookup goes on without word forms when a dictionary cannot be read.
std::shared_ptr<const LemmaAnalyser> load(Language language, const WordFormFiles &files)
{
    try {
        return loadUnguarded(language, files);
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
        found = m_loaded.insert(key, std::async(policy, load, which, m_files).share());
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

QList<Lemma> WordForms::lemmas(const QString &language, const QString &word)
{
    const LemmaAnalyser *found = analyser(language);
    return found ? found->lemmas(word) : QList<Lemma>();
}

} // namespace translator
