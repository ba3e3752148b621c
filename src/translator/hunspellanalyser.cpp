#include "translator/hunspellanalyser.h"

#include "translator/stemranking.h"

#include <QFileInfo>

#include <hunspell/hunspell.hxx>

#include <algorithm>

namespace translator {
namespace {

// Longer words are no dictionary entries, and Hunspell's work grows with them.
constexpr qsizetype kLongestWord = 50;

struct Reading {
    QList<Lemma> stems;
    Compound parts; // of a compound
    int tags = 0;   // inflectional tags: fewer is a plainer reading
};

// Whether a derivational field ("ds:Ás_PROCESS/RESULT_noun") makes a noun or
// an adjective whose stem a longer beginning of the word may be. Verbs made
// from verbs are left out ("mentet" would find "mente" in "mentettem"), and
// so are participles, spelt like the past tense ("várt" in "vártam").
bool derivesNameWord(const QString &field)
{
    return (field.endsWith(u"_noun") || field.endsWith(u"_adj")) && !field.contains(u"PASTPART");
}

// The analysis without its derivational fields (" ds:..."): its stem is then
// the one before the suffix, which Hunspell finds without generating words.
std::string withoutDerivations(const std::string &analysis)
{
    std::string plain;
    plain.reserve(analysis.size());
    std::size_t at = 0;
    while (at <= analysis.size()) {
        const std::size_t end = std::min(analysis.find(' ', at), analysis.size());
        if (analysis.compare(at, 3, "ds:") != 0) {
            if (at > 0)
                plain.push_back(' ');
            plain.append(analysis, at, end - at);
        }
        at = end + 1;
    }
    return plain;
}

} // namespace

std::unique_ptr<HunspellAnalyser> HunspellAnalyser::open(const QString &affPath,
                                                         const QString &dicPath,
                                                         const QString &verbFlags,
                                                         const QStringList &verbalPrefixes)
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
        new HunspellAnalyser(std::move(hunspell), utf8, verbFlags, verbalPrefixes));
}

HunspellAnalyser::HunspellAnalyser(std::unique_ptr<Hunspell> hunspell, bool utf8, QString verbFlags,
                                   QStringList verbalPrefixes)
    : m_hunspell(std::move(hunspell)), m_utf8(utf8), m_verbFlags(std::move(verbFlags)),
      m_verbalPrefixes(std::move(verbalPrefixes))
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

WordAnalysis HunspellAnalyser::readings(const QString &word) const
{
    std::vector<Reading> readings;
    for (const std::string &analysis : m_hunspell->analyze(encode(word))) {
        Reading reading;
        QString root;
        bool verbForm = false;
        bool derived = false;
        // Fields are " name:value"; "pa:" starts a part of a compound, and
        // the first stem is the first part's. A part with a derivation has
        // the stem before it, which is not the part's.
        bool partDerived = false;
        const auto endPart = [&] {
            if (partDerived && !reading.parts.isEmpty())
                reading.parts.back().stem.clear();
            partDerived = false;
        };
        for (const QString &field : decode(analysis).split(u' ', Qt::SkipEmptyParts)) {
            const QString value = field.mid(3).toLower();
            if (field.startsWith(u"st:")) {
                if (root.isEmpty())
                    root = value;
                if (!reading.parts.isEmpty() && reading.parts.back().stem.isEmpty())
                    reading.parts.back().stem = value;
            } else if (field.startsWith(u"pa:")) {
                endPart();
                reading.parts.append(CompoundPart{value, QString()});
            } else if (field.startsWith(u"is:")) {
                ++reading.tags;
            } else if (field.startsWith(u"ds:")) {
                derived = derivesNameWord(field); // the last one makes the word
                partDerived = true;
            } else if (field.startsWith(u"fl:") && !m_verbFlags.isEmpty()) {
                verbForm = std::any_of(field.begin() + 3, field.end(),
                                       [&](QChar c) { return m_verbFlags.contains(c); });
            }
        }
        endPart();
        const bool compound = reading.parts.size() > 1;
        if (!compound)
            reading.parts.clear();
        for (const std::string &stem :
             m_hunspell->stem(std::vector<std::string>{withoutDerivations(analysis)}))
            addLemma(reading.stems, Lemma{decode(stem).toLower(), verbForm, derived});
        if (!compound && !root.isEmpty())
            addLemma(reading.stems, Lemma{root, verbForm, derived});
        if (!reading.stems.isEmpty() || compound)
            readings.push_back(reading);
    }
    std::stable_sort(readings.begin(), readings.end(),
                     [](const Reading &a, const Reading &b) { return a.tags < b.tags; });
    WordAnalysis found;
    for (const Reading &reading : readings) {
        for (const Lemma &stem : reading.stems)
            addLemma(found.lemmas, stem);
        if (!reading.parts.isEmpty() && !found.compounds.contains(reading.parts))
            found.compounds << reading.parts;
    }
    rankStems(word.toLower(), found.lemmas, m_verbalPrefixes);
    std::stable_sort(found.compounds.begin(), found.compounds.end(),
                     [](const Compound &a, const Compound &b) { return a.size() < b.size(); });
    return found;
}

bool HunspellAnalyser::knows(const QString &word) const
{
    if (word.isEmpty() || word.size() > kLongestWord)
        return false;
    if (!m_utf8 &&
        std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return false;
    return m_hunspell->spell(encode(word));
}

WordAnalysis HunspellAnalyser::analyse(const QString &word) const
{
    if (word.isEmpty() || word.size() > kLongestWord || word.contains(u' '))
        return {};
    if (!m_utf8) {
        for (QChar c : word) {
            if (c.unicode() > 0xFF)
                return {};
        }
    }
    WordAnalysis found = readings(word);
    // Names are known only with their capital: "magyarországon".
    if (found.lemmas.isEmpty() && found.compounds.isEmpty() && word.front().isLower())
        found = readings(word.front().toUpper() + word.mid(1));
    return found;
}

} // namespace translator
