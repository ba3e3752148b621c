#include "translator/hunspellanalyser.h"

#include <QFileInfo>

#include <hunspell/hunspell.hxx>

#include <algorithm>

namespace translator {
namespace {

// Longer words are no dictionary entries, and Hunspell's work grows with them.
constexpr qsizetype kLongestWord = 50;

struct Reading {
    Lemma lemma;
    int tags = 0; // inflectional tags: fewer is a plainer reading
};

} // namespace

std::unique_ptr<HunspellAnalyser>
HunspellAnalyser::open(const QString &affPath, const QString &dicPath, const QString &verbFlags)
{
    if (!QFileInfo(affPath).isFile() || !QFileInfo(dicPath).isFile())
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                               QFile::encodeName(dicPath).constData());
    const QString encoding = QString::fromStdString(hunspell->get_dict_encoding()).toUpper();
    bool utf8 = encoding == u"UTF-8";
    if (!utf8 && encoding != u"ISO8859-1" && encoding != u"ISO-8859-1")
        return nullptr;
    return std::unique_ptr<HunspellAnalyser>(
        new HunspellAnalyser(std::move(hunspell), utf8, verbFlags));
}

HunspellAnalyser::HunspellAnalyser(std::unique_ptr<Hunspell> hunspell, bool utf8, QString verbFlags)
    : m_hunspell(std::move(hunspell)), m_utf8(utf8), m_verbFlags(std::move(verbFlags))
{}

HunspellAnalyser::~HunspellAnalyser() = default;

std::string HunspellAnalyser::encode(const QString &text) const
{
    return m_utf8 ? text.toStdString() : text.toLatin1().toStdString();
}

QString HunspellAnalyser::decode(const std::string &text) const
{
    return m_utf8 ? QString::fromStdString(text)
                  : QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QList<Lemma> HunspellAnalyser::analyse(const QString &word) const
{
    std::vector<Reading> readings;
    for (const std::string &analysis : m_hunspell->analyze(encode(word))) {
        Reading reading;
        // Fields are " name:value"; the first stem is the word's, later ones
        // belong to the parts of a compound.
        for (const QString &field : decode(analysis).split(u' ', Qt::SkipEmptyParts)) {
            if (field.startsWith(u"st:") && reading.lemma.text.isEmpty())
                reading.lemma.text = field.mid(3).toLower();
            else if (field.startsWith(u"is:"))
                ++reading.tags;
            else if (field.startsWith(u"fl:") && !m_verbFlags.isEmpty())
                reading.lemma.verbForm = std::any_of(field.begin() + 3, field.end(), [&](QChar c) {
                    return m_verbFlags.contains(c);
                });
        }
        if (!reading.lemma.text.isEmpty())
            readings.push_back(reading);
    }
    std::stable_sort(readings.begin(), readings.end(),
                     [](const Reading &a, const Reading &b) { return a.tags < b.tags; });
    QList<Lemma> lemmas;
    for (const Reading &reading : readings)
        addLemma(lemmas, reading.lemma);
    return lemmas;
}

QList<Lemma> HunspellAnalyser::lemmas(const QString &word) const
{
    if (word.isEmpty() || word.size() > kLongestWord || word.contains(u' '))
        return {};
    if (!m_utf8) {
        for (QChar c : word) {
            if (c.unicode() > 0xFF)
                return {};
        }
    }
    QList<Lemma> found = analyse(word);
    // Names are known only with their capital: "magyarországon".
    if (found.isEmpty() && word.front().isLower())
        found = analyse(word.front().toUpper() + word.mid(1));
    return found;
}

} // namespace translator
